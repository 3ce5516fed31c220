// SPDX-License-Identifier: GPL-3.0-or-later
#include "LookFixture.h"
#include "look/uSkinBitmap.h"
#include "look/uSkinFile.h"

#include <QFile>
#include <sys/resource.h>

namespace {

const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kYellow = qRgb(255, 255, 0);

class SkinBitmaps : public LookFixture {
protected:
    void SetUp() override {
        LookFixture::SetUp();
        LoadDefaultSkin();
        builtInWell = SkinSettings.Glass.btmGlass.image;
        builtInBlock = SkinSettings.Glass.btmBlock.image;
    }
    void LoadSkin(const std::vector<std::string>& lines) {
        std::vector<std::string> ini{"[General]", "Build=64"};
        ini.insert(ini.end(), lines.begin(), lines.end());
        WriteSkin("test", ini);
        LoadDefaultSkin();
        LoadSkinFile(Path("skin/test/"));
    }
    // A BMP file whose header claims a size its data does not hold.
    void WriteHeaderOnly(const std::string& relative, int width, int height) {
        WriteBmp(relative, 21, 20, kBlue, kBlue);
        QFile file(QString::fromStdString(Path(relative)));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.read(54);
        std::memcpy(bytes.data() + 18, &width, 4);
        std::memcpy(bytes.data() + 22, &height, 4);
        file.resize(0);
        file.seek(0);
        file.write(bytes);
    }

    QImage builtInWell;
    QImage builtInBlock;
};

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST_F(SkinBitmaps, AKeyColumnPictureLosesItsFirstColumnToTheTransparentColour) {
    QImage file(21, 20, QImage::Format_RGB32);
    file.fill(kBlue);
    file.setPixel(0, 0, kGreen);
    file.setPixel(5, 5, kGreen);
    file.setPixel(20, 19, kYellow);
    WriteBmp("skin/test/block.bmp", file);
    LoadSkin({"[Glass]", "btmBlock=block.bmp"});
    const tBitmap& block = SkinSettings.Glass.btmBlock;
    ASSERT_EQ(block.image.size(), QSize(20, 20));
    EXPECT_TRUE(block.transparent);
    EXPECT_EQ(block.transparentColor & 0xFFFFFF, kGreen & 0xFFFFFF);
    EXPECT_EQ(block.image.pixel(4, 5), kGreen);
    EXPECT_EQ(block.image.pixel(19, 19), kYellow);
    EXPECT_EQ(block.image.pixel(0, 0), kBlue);

    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(kYellow);
    DrawBitmap(target, 0, 0, block);
    EXPECT_EQ(target.pixel(4, 5), kYellow); // the key colour lets the background through
    EXPECT_EQ(target.pixel(3, 5), kBlue);
}

TEST_F(SkinBitmaps, PicturesOfAnotherSizeAreIgnoredAndTheRestOfTheSkinIsRead) {
    WriteBmp("skin/test/square.bmp", 20, 20, kBlue, kGreen);
    WriteBmp("skin/test/tall.bmp", 200, 401, kBlue, kBlue);
    WriteBmp("skin/test/arrow.bmp", 19, 18, kBlue, kBlue);
    LoadSkin({"[Glass]", "btmBlock=square.bmp", "btmGlass=tall.bmp", "btmArrow=arrow.bmp",
              "btmBlockFix=", "btmBlockShadow=nothing.bmp"});
    EXPECT_EQ(SkinSettings.Glass.btmBlock.image, builtInBlock);
    EXPECT_FALSE(SkinSettings.Glass.btmBlock.transparent);
    EXPECT_EQ(SkinSettings.Glass.btmGlass.image, builtInWell);
    EXPECT_EQ(SkinSettings.Glass.btmArrow.image.pixel(9, 9), kBlue);
    EXPECT_FALSE(SkinSettings.Glass.btmArrow.transparent);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SkinBitmaps, AnEmptyCellWithoutAWellPictureIsTiledOverTheBuiltInTiling) {
    QImage cell(21, 20, QImage::Format_RGB32);
    cell.fill(kBlue);
    for (int y = 0; y < 20; ++y) {
        cell.setPixel(0, y, kGreen);
        for (int x = 11; x < 21; ++x) {
            cell.setPixel(x, y, kGreen); // the right half is the key colour
        }
    }
    WriteBmp("skin/test/cell.bmp", cell);
    LoadSkin({"[Glass]", "btmBlockFree=cell.bmp"});
    const QImage& well = SkinSettings.Glass.btmGlass.image;
    for (const QPoint origin : {QPoint(0, 0), QPoint(180, 380), QPoint(100, 200)}) {
        EXPECT_EQ(well.pixel(origin.x() + 3, origin.y() + 7), kBlue);
        EXPECT_EQ(well.pixel(origin.x() + 15, origin.y() + 7),
                  builtInWell.pixel(origin.x() + 15, origin.y() + 7));
    }
}

TEST_F(SkinBitmaps, AWellPictureReplacesTheTilingCellForCell) {
    QImage picture(200, 400, QImage::Format_RGB32);
    for (int c = 0; c < 10; ++c) {
        for (int r = 0; r < 20; ++r) {
            for (int y = 0; y < 20; ++y) {
                for (int x = 0; x < 20; ++x) {
                    picture.setPixel(c * 20 + x, r * 20 + y, qRgb(c * 20, r * 10, 7));
                }
            }
        }
    }
    WriteBmp("skin/test/well.bmp", picture);
    WriteBmp("skin/test/cell.bmp", 21, 20, kGreen, kBlue);
    LoadSkin({"[Glass]", "btmBlockFree=cell.bmp", "btmGlass=well.bmp"});
    EXPECT_EQ(SkinSettings.Glass.btmGlass.image, picture);
    EXPECT_FALSE(SkinSettings.Glass.btmGlass.transparent);
}

TEST_F(SkinBitmaps, BrokenFilesAreIgnoredWithoutHarm) {
    WriteBmp("skin/test/good.bmp", 21, 20, kYellow, kGreen);
    WriteBmp("skin/test/cut.bmp", 21, 20, kBlue, kGreen);
    QFile cut(QString::fromStdString(Path("skin/test/cut.bmp")));
    ASSERT_TRUE(cut.resize(cut.size() / 2));
    WriteFile("skin/test/garbage.bmp", "BM this is not a picture at all, only words in a file");
    WriteFile("skin/test/empty.bmp", "");
    QImage png(21, 20, QImage::Format_RGB32);
    png.fill(kBlue);
    ASSERT_TRUE(png.save(QString::fromStdString(Path("skin/test/png.bmp")), "PNG"));
    MakeFolder("skin/test/folder.bmp");
    LoadSkin({"[Glass]", "btmBlock=cut.bmp", "btmBlockFree=garbage.bmp", "btmBlockFix=empty.bmp",
              "btmBlockShadow=png.bmp", "btmArrow=folder.bmp", "[HiScore]", "btmUpLoadDefault=nothing.bmp",
              "[Panel_Conf]", "clrPanel=255", "[MessageBox]", "btmCloseDefault=good.bmp"});
    EXPECT_EQ(SkinSettings.Glass.btmBlock.image, builtInBlock);
    EXPECT_EQ(SkinSettings.Glass.btmGlass.image, builtInWell);
    EXPECT_EQ(SkinSettings.Panel_Conf.clrPanel, 255u);
    // Read on after the broken ones: a 21 x 20 picture where 31 x 30 is wanted is refused, not taken.
    EXPECT_EQ(SkinSettings.MessageBox.btmCloseDefault.Width(), 31);
}

namespace {

// A 21 x 20 picture stored run-length encoded at 8 bits a pixel: each row one run of colour 1 (blue) and an
// end of line; rows stops after that many rows, with or without the end-of-picture mark.
QByteArray RunLengthBmp(int rows, bool endMark) {
    QByteArray runs;
    for (int y = 0; y < rows; ++y) {
        runs += QByteArray::fromHex("1501") + QByteArray::fromHex("0000");
    }
    if (endMark) {
        runs += QByteArray::fromHex("0001");
    }
    const auto le = [](uint32_t v, int bytes) {
        QByteArray out;
        for (int i = 0; i < bytes; ++i) {
            out += static_cast<char>((v >> (8 * i)) & 0xFF);
        }
        return out;
    };
    const uint32_t pixelsAt = 14 + 40 + 2 * 4;
    QByteArray bmp = "BM" + le(pixelsAt + static_cast<uint32_t>(runs.size()), 4) + le(0, 4) + le(pixelsAt, 4);
    bmp += le(40, 4) + le(21, 4) + le(20, 4) + le(1, 2) + le(8, 2) + le(1, 4) +
           le(static_cast<uint32_t>(runs.size()), 4) + le(2835, 4) + le(2835, 4) + le(2, 4) + le(2, 4);
    bmp += le(0x00000000, 4) + le(0x000000FF, 4);
    return bmp + runs;
}

} // namespace

TEST_F(SkinBitmaps, ARunLengthPictureIsTakenOnlyWhenItsDataSetsEveryPixel) {
    const auto write = [this](const char* name, const QByteArray& bytes) {
        QFile file(QString::fromStdString(Path(std::string("skin/test/") + name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    WriteSkin("test", {"[General]", "Build=64", "[Glass]", "btmBlock=whole.bmp", "btmBlockFree=cut.bmp",
                       "btmBlockFix=short.bmp"});
    write("whole.bmp", RunLengthBmp(20, true));
    write("cut.bmp", RunLengthBmp(12, false));
    write("short.bmp", RunLengthBmp(12, true));
    const QImage builtInFree = SkinSettings.Glass.btmBlockFree.image;
    const QImage builtInFix = SkinSettings.Glass.btmBlockFix.image;
    LoadSkinFile(Path("skin/test/"));
    // The block loses its key column, as every block does.
    EXPECT_EQ(SkinSettings.Glass.btmBlock.Width(), 20);
    EXPECT_EQ(SkinSettings.Glass.btmBlock.image.pixel(10, 10), kBlue);
    // Cut off, or ended before the last row: whatever memory held would show in the rows never set.
    EXPECT_EQ(SkinSettings.Glass.btmBlockFree.image, builtInFree);
    EXPECT_EQ(SkinSettings.Glass.btmBlockFix.image, builtInFix);
}

TEST_F(SkinBitmaps, AHugeSizeInTheHeaderIsRefusedBeforeAnyPixelIsDecoded) {
    WriteHeaderOnly("huge.bmp", 30000, 30000);
    const long before = PeakKilobytes();
    EXPECT_FALSE(ReadBmpOfSize(Path("huge.bmp"), 21, 20));
    EXPECT_FALSE(ReadBmpOfSize(Path("huge.bmp"), 30000, 30000));
    EXPECT_LT(PeakKilobytes() - before, 64 * 1024);
    WriteSkin("test", {"[General]", "Build=64", "[Panel_Game]", "btmBG=../../huge.bmp"});
    LoadSkinFile(Path("skin/test/"));
    EXPECT_TRUE(SkinSettings.Panel_Game.btmBG.Empty());
}

TEST_F(SkinBitmaps, HeaderSizesAreReadWithoutTheRest) {
    WriteHeaderOnly("claims.bmp", 585, 460);
    WriteBmp("real.bmp", 19, 18, kBlue, kBlue);
    EXPECT_EQ(BmpHeaderSize(Path("real.bmp")), QSize(19, 18));
    EXPECT_EQ(BmpHeaderSize(Path("claims.bmp")), QSize(585, 460));
    EXPECT_FALSE(ReadBmpOfSize(Path("claims.bmp"), 585, 460));
    EXPECT_FALSE(BmpHeaderSize(Path("missing.bmp")).isValid());
    const auto real = ReadBmpOfSize(Path("real.bmp"), 19, 18);
    ASSERT_TRUE(real);
    EXPECT_EQ(real->format(), QImage::Format_RGB32);
}

TEST_F(SkinBitmaps, PalettedPicturesAndSubfoldersWork) {
    QImage indexed(31, 30, QImage::Format_Indexed8);
    indexed.setColorTable({kBlue, kGreen});
    indexed.fill(1);
    WriteBmp("skin/test/buttons/help.bmp", indexed);
    WriteBmp("skin/test/buttons/help_hover.bmp", 31, 30, kYellow, kYellow);
    LoadSkin({"[Buttons]", "btmHelpDefault=buttons/help.bmp", "btmHelpFocused=buttons\\help_hover.bmp"});
    EXPECT_EQ(SkinSettings.Buttons.btmHelpDefault.image.pixel(10, 10), kGreen);
    EXPECT_EQ(SkinSettings.Buttons.btmHelpFocused.image.pixel(10, 10), kYellow);
}

TEST_F(SkinBitmaps, ThePictureAroundTheWellIsShownOnlyWhenItHasItsSize) {
    int told = 0;
    tSubscription id = AddSkinBackgroundTarget([&] { ++told; });
    WriteBmp("skin/test/bg.bmp", 585, 460, kBlue, kBlue);
    WriteBmp("skin/test/small.bmp", 584, 460, kBlue, kBlue);
    LoadSkin({"[Panel_Game]", "btmBG=bg.bmp"});
    EXPECT_EQ(SkinSettings.Panel_Game.btmBG.image.size(), QSize(585, 460));
    LoadSkin({"[Panel_Game]", "btmBG=small.bmp"});
    EXPECT_TRUE(SkinSettings.Panel_Game.btmBG.Empty());
    LoadSkin({"[Panel_Game]", "btmBG=bg.bmp"});
    LoadDefaultSkin();
    id.Cancel();
    EXPECT_TRUE(SkinSettings.Panel_Game.btmBG.Empty());
    EXPECT_EQ(told, 7); // each load: the built-in skin hides it, the file shows it or not; then the reset
}
