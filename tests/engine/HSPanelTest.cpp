// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uRandom.h"
#include "engine/uHSPanel.h"
#include "engine/uhiscore.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uBaseDir.h"
#include "platform/uBitmap.h"
#include "platform/uMessage.h"
#include "platform/uShell.h"
#include "storage/uHSUpload.h"
#include "storage/uPackIni.h"
#include "storage/uReplayFile.h"
#include "tests/support/FindChild.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/ScopedBaseDir.h"
#include "tests/support/ShellRecorder.h"
#include "widgets/uOther.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Distinct solid colours (0x00BBGGRR) for every kind of row, so one pixel tells what was drawn.
struct tRowKind {
    uint32_t fill, text, border;
};
constexpr tRowKind kHead{0x000080, 0x00FFFF, 0x000040}, kCurrent{0x008000, 0xFF00FF, 0x004000},
    kOther{0x800000, 0xFFFF00, 0x400000}, kLooser{0x808080, 0x0080FF, 0x404040};
constexpr uint32_t kTableBorder = 0x123456, kUploadColor = 0x0000FF;

void SetRowKind(uint32_t& fill, uint32_t& text, uint32_t& border, const tRowKind& kind) {
    fill = kind.fill;
    text = kind.text;
    border = kind.border;
}

class HSPanel : public ::testing::Test {
protected:
    QTemporaryDir dir;
    tScopedBaseDir baseDir{dir.path().toStdString()};
    tSkinSettings savedSkin = SkinSettings;
    tMessageRecorder messages;
    tShellRecorder shell;
    std::vector<std::string>& opened = shell.opened;
    // Zed's game as the well pushes it.
    tHS zed = Zed();
    std::unique_ptr<QWidget> page;
    std::unique_ptr<tHiScore> table;
    tMyFlatPanel* panel = nullptr;

    void SetUp() override {
        LoadLanguageResource();
        LoadDefaultLanguage();
        auto& hs = SkinSettings.HiScore;
        SetRowKind(hs.clrLineHead, hs.clrTextHead, hs.clrLBorderHead, kHead);
        SetRowKind(hs.clrLineCurrent, hs.clrTextCurrent, hs.clrLBorderCurrent, kCurrent);
        SetRowKind(hs.clrLineOther, hs.clrTextOther, hs.clrLBorderOther, kOther);
        SetRowKind(hs.clrLineLooser, hs.clrTextLooser, hs.clrLBorderLooser, kLooser);
        hs.clrBorder = kTableBorder;
        hs.btmUpLoadDefault.image = SolidImage(18, 18, kUploadColor);
        hs.btmUpLoadFocused.image = SolidImage(18, 18, 0x00FF00);

        // Ann 1000, Bob 500, Cid 300, Dan 100, then placeholders; Figures tell the entries apart.
        tStringListPackedINI doc;
        const std::pair<const char*, int32_t> stored[] = {
            {"Ann", 1000}, {"Bob", 500}, {"Cid", 300}, {"Dan", 100}};
        for (int32_t slot = 1; const auto& [name, score] : stored) {
            tHS e = PlaceholderHS(slot);
            e.Name = name;
            e.Level = 6 - slot;
            e.Score = score;
            e.StartTime = "01.02.05 10:0" + std::to_string(slot) + ":00";
            e.Figures = std::to_string(score / 10) + " [1,0/m]";
            WriteHSSlot(doc, "Standart_Normal", StoredForm("Standart_Normal", e));
            ++slot;
        }
        doc.SaveCompressedFile(BasePath("hscore.dat"));

        page = std::make_unique<QWidget>();
        page->resize(640, 480);
        table = std::make_unique<tHiScore>();
        panel = new tMyFlatPanel(page.get(), 0, 0, *table);
        page->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
        // A move to where the pointer already is goes unseen; every test starts from this corner.
        QTest::mouseMove(page.get(), QPoint(1, 1));
    }
    void TearDown() override {
        if (page) {
            QTest::mouseMove(page.get(), QPoint(2, 2));
        }
        table.reset();
        page.reset();
        SkinSettings = savedSkin;
    }

    static tHS Zed() {
        tHS e;
        static_cast<tResultTexts&>(e) = {"08.03.05 10:00:00", "1:15", "4", "3", "20 [16,0/m]", "5 [4,0/m]"};
        e.Name = "Zed";
        e.Level = 2;
        e.Score = 250;
        return e;
    }
    // Pushes Zed's game with this score.
    void Push(bool playing, int32_t score) {
        zed.Score = score;
        table->UpdateCurrent(tLiveGame{playing, zed});
    }
    // Zed at level 2 with 250 points: row 4, between Cid and Dan.
    void StartGame() {
        table->LoadTable("Standart", "Normal", "Zed");
        Push(true, 250);
    }

    void MoveTo(int x, int y) { QTest::mouseMove(panel, QPoint(x, y)); }
    bool InfoShown() const { return panel->InfoLabel().isVisible() && panel->InfoTitleLabel().isVisible(); }
    std::string Info() const { return panel->InfoLabel().Text().toStdString(); }
    bool UploadShown() const { return panel->UploadPanel().isVisible(); }
    bool WatchShown() const { return panel->WatchPanel().isVisible(); }
    void Click(const char* button) {
        QTest::mouseClick(FindChild<tMyButton>(panel, button), Qt::LeftButton, {}, QPoint(9, 9));
    }
    void WriteReplay(int slot, const std::string& bytes) {
        QFile file(dir.filePath(QString("hscore-Standart_Normal-%1.rep").arg(slot)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
};

// A game of the Normal table begun at this start time, with this many presses of every kind.
tGameRecord Recorded(const char* startTime, int presses) {
    tGameRecord game{{0, 1, 1, 0}, 5, startTime, 1, {}};
    tRandom random(9);
    for (int i = 0; i < presses; ++i) {
        game.Ticks += random.Below(4);
        game.Presses.push_back({game.Ticks, static_cast<tActionSet>(1 + random.Below(127))});
    }
    return game;
}

QRgb Rgb(uint32_t bgr) {
    return ColorToRgb(bgr) | 0xFF000000u;
}

// Pixels of a colour within a row of the grid, in panel coordinates.
int CountInRow(const QImage& image, int row, uint32_t bgr) {
    int n = 0;
    for (int y = 1 + row * kHSRowHeight; y < 1 + (row + 1) * kHSRowHeight; ++y) {
        for (int x = 1; x < 229; ++x) {
            n += image.pixel(x, y) == Rgb(bgr) ? 1 : 0;
        }
    }
    return n;
}

} // namespace

TEST_F(HSPanel, RowsAreDrawnInTheColoursOfTheirKind) {
    StartGame();
    const QImage image = panel->grab().toImage();
    ASSERT_EQ(image.size(), QSize(230, 342));
    const std::pair<int, tRowKind> rows[] = {
        {0, kHead}, {1, kOther}, {4, kCurrent}, {5, kOther}, {16, kLooser}};
    for (const auto& [row, kind] : rows) {
        SCOPED_TRACE(row);
        const int top = 1 + row * kHSRowHeight;
        EXPECT_EQ(image.pixel(3, top + 10), Rgb(kind.fill));
        // Each cell has its own one-pixel outline: the left edge of the level column and the row's top.
        EXPECT_EQ(image.pixel(1 + 110, top + 10), Rgb(kind.border));
        EXPECT_EQ(image.pixel(60, top), Rgb(kind.border));
        EXPECT_GT(CountInRow(image, row, kind.text), 0);
    }
    // Every cell's outline is exactly what a painter's one-pixel rectangle gives, corners included.
    for (const auto& [row, kind] : rows) {
        int left = 1;
        for (const int width : kHSColumnWidths) {
            QImage outline(width, kHSRowHeight, QImage::Format_RGB32);
            outline.fill(Rgb(kind.fill));
            QPainter painter(&outline);
            painter.setPen(QColor(Rgb(kind.border)));
            painter.drawRect(0, 0, width - 1, kHSRowHeight - 1);
            painter.end();
            const QImage cell = image.copy(left, 1 + row * kHSRowHeight, width, kHSRowHeight);
            for (int y = 0; y < kHSRowHeight; ++y) {
                for (const int x : {0, 1, width - 2, width - 1}) {
                    EXPECT_EQ(cell.pixel(x, y), outline.pixel(x, y))
                        << row << " " << left << " " << x << "," << y;
                }
            }
            for (int x = 0; x < width; ++x) {
                for (const int y : {0, 1, kHSRowHeight - 2, kHSRowHeight - 1}) {
                    EXPECT_EQ(cell.pixel(x, y), outline.pixel(x, y))
                        << row << " " << left << " " << x << "," << y;
                }
            }
            left += width;
        }
    }
    // The table's own border frames the rows.
    EXPECT_EQ(image.pixel(0, 100), Rgb(kTableBorder));
    EXPECT_EQ(image.pixel(229, 100), Rgb(kTableBorder));
    EXPECT_EQ(CountInRow(image, 4, kOther.text), 0);
}

TEST_F(HSPanel, AGameOutsideTheBestFifteenIsDrawnAsTheRowThatDropsOut) {
    table->LoadTable("Standart", "Normal", "Zed");
    ASSERT_EQ(table->CurrentRow(), kLoserRow);
    const QImage image = panel->grab().toImage();
    EXPECT_EQ(image.pixel(3, 1 + 16 * kHSRowHeight + 10), Rgb(kLooser.fill));
    for (int row = 1; row < kLoserRow; ++row) {
        EXPECT_EQ(image.pixel(3, 1 + row * kHSRowHeight + 10), Rgb(kOther.fill)) << row;
    }
}

TEST_F(HSPanel, HoveringARowShowsItsEntryAndTheUploadButton) {
    StartGame();
    MoveTo(50, 25);
    EXPECT_EQ(panel->HoverRow(), 1);
    EXPECT_TRUE(UploadShown());
    EXPECT_EQ(panel->UploadPanel().geometry(), QRect(92, 22, 18, 18));
    // The button is opaque: even its corner colour, which picture buttons key out, shows.
    EXPECT_EQ(panel->grab().toImage().pixel(92, 22 + 17), Rgb(kUploadColor));
    ASSERT_TRUE(InfoShown());
    EXPECT_EQ(Info(),
              "Start time : 01.02.05 10:01:00\n\rPlay time : 0:00\n\r"
              "Start level : 1   |   Broken lines : 0\n\rFigures : 100 [1,0/m]\n\rCleared : 0 [0,0/m]");
    EXPECT_EQ(panel->InfoTitleLabel().Text(), ":: Information ::");
    EXPECT_EQ(panel->SelectedRecord().Name, "Ann");

    // Below the player's row the rows show the entry before theirs.
    MoveTo(50, 5 * kHSRowHeight + 3);
    EXPECT_EQ(panel->SelectedRecord().Name, "Dan");
    EXPECT_NE(Info().find("Figures : 10 [1,0/m]"), std::string::npos);

    // A row no game was played into is uploaded as the table holds it, and its hint says so.
    EXPECT_EQ(panel->UploadPanel().Button->Hint(), "UpLoad result to server");
    MoveTo(50, 8 * kHSRowHeight + 3);
    ASSERT_TRUE(UploadShown());
    EXPECT_EQ(panel->UploadPanel().Button->Hint(),
              "UpLoad result to server (nothing was played here: the row holds the table's empty entry)");
    QTest::mouseClick(panel->UploadPanel().Button, Qt::LeftButton, {}, QPoint(9, 9));
    EXPECT_EQ(opened, std::vector<std::string>{UploadAddress("Standart", "Normal", table->RowEntry(8))});
    EXPECT_TRUE(IsPlaceholderHS(table->RowEntry(8)));

    // The bottom row has no button; it shows the entry that drops out.
    MoveTo(50, 339);
    EXPECT_EQ(panel->HoverRow(), 16);
    EXPECT_FALSE(UploadShown());
    EXPECT_TRUE(InfoShown());
    EXPECT_EQ(panel->SelectedRecord().Slot, table->Record(15).Slot);

    // The titles have neither; the last selected entry stays selected.
    MoveTo(50, 5);
    EXPECT_EQ(panel->HoverRow(), 0);
    EXPECT_FALSE(UploadShown());
    EXPECT_FALSE(InfoShown());
    EXPECT_EQ(panel->SelectedRecord().Slot, table->Record(15).Slot);
}

TEST_F(HSPanel, ThePlayersRowShowsTheLiveGameAndIsUploadableOnlyOnceItIsOver) {
    // A row that no game over has stored (before any game, after one dropped) has nothing to publish.
    table->LoadTable("Standart", "Normal", "Zed");
    Push(false, 250);
    MoveTo(49, 4 * kHSRowHeight + 10);
    EXPECT_FALSE(UploadShown());
    StartGame();
    MoveTo(50, 4 * kHSRowHeight + 10);
    EXPECT_FALSE(UploadShown());
    EXPECT_EQ(Info(),
              "Start time : 08.03.05 10:00:00\n\rPlay time : 1:15\n\r"
              "Start level : 4   |   Broken lines : 3\n\rFigures : 20 [16,0/m]\n\rCleared : 5 [4,0/m]");

    // The information follows the game while the mouse rests, also when the row moves up under it.
    zed.PlayTime = "1:16";
    Push(true, 260);
    EXPECT_NE(Info().find("Play time : 1:16"), std::string::npos);
    Push(true, 400);
    ASSERT_EQ(table->CurrentRow(), 3);
    EXPECT_EQ(panel->SelectedRecord().Name, "Cid");

    MoveTo(50, 3 * kHSRowHeight + 10);
    zed.PlayTime = "1:20";
    Push(false, 400);
    table->SaveResult(zed, tGameRecord{});
    MoveTo(51, 3 * kHSRowHeight + 10);
    EXPECT_TRUE(UploadShown());
    EXPECT_EQ(panel->SelectedRecord().Score, 400);
    EXPECT_NE(Info().find("Play time : 1:20"), std::string::npos);
}

TEST_F(HSPanel, TheUploadButtonOpensTheSignedAddressOfTheHoveredEntry) {
    StartGame();
    MoveTo(50, 2 * kHSRowHeight + 5);
    QTest::mouseClick(panel->UploadPanel().Button, Qt::LeftButton, {}, QPoint(9, 9));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], UploadAddress("Standart", "Normal", table->Record(2)));
    // Every byte encoded, "Bob" included, exactly as the browser is to receive it.
    EXPECT_EQ(opened[0].rfind("http://127.0.0.1:8888/index.php?tab=hscore&data=%36%34%7C%53%74", 0), 0u);
    EXPECT_NE(opened[0].find("%7C%42%6F%62%7C%34%7C%35%30%30%7C"), std::string::npos);

    QFile marker(dir.filePath("hstest"));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    QTest::mouseClick(panel->UploadPanel().Button, Qt::LeftButton, {}, QPoint(9, 9));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1], "http://127.0.0.1:888/" + opened[0].substr(opened[0].find("index.php")));

    // Without a browser the address waits on the clipboard and in a message.
    shell.opens = false;
    QTest::mouseClick(panel->UploadPanel().Button, Qt::LeftButton, {}, QPoint(9, 9));
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(messages.messages, std::vector<std::string>{
                                     "Nothing was found to open this; it is on the clipboard: " + opened[2]});
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), opened[2]);
}

TEST_F(HSPanel, MovingOntoTheUploadButtonKeepsItAndLeavingThePanelHidesAll) {
    StartGame();
    MoveTo(50, 2 * kHSRowHeight + 5);
    ASSERT_TRUE(UploadShown());
    tMyButton& button = *panel->UploadPanel().Button;
    QTest::mouseMove(&button, QPoint(9, 9));
    EXPECT_TRUE(UploadShown());
    EXPECT_TRUE(InfoShown());
    EXPECT_EQ(button.Picture(), KeyedPicture(SkinSettings.HiScore.btmUpLoadFocused.image));

    QTest::mouseMove(page.get(), QPoint(10, 10));
    EXPECT_FALSE(UploadShown());
    EXPECT_FALSE(InfoShown());
    EXPECT_EQ(panel->HoverRow(), 0);
}

TEST_F(HSPanel, TitlesFollowTheLanguageAndTheTableAndThePanelMayGoWithItsParent) {
    StartGame();
    EXPECT_EQ(panel->TitleLabel().Text(), ":: High Scores [Standart:Normal] ::");
    EXPECT_EQ(panel->TitleLabel().geometry().topLeft(), QPoint(350, 6));
    EXPECT_EQ(panel->geometry(), QRect(350, 27, 230, 342));
    EXPECT_EQ(panel->UploadPanel().Button->Hint(), "UpLoad result to server");
    LanguageTable.texts[static_cast<size_t>(LanguageSlot("s1400"))] = "Rekorde";
    ApplyLanguage();
    EXPECT_EQ(panel->TitleLabel().Text(), ":: Rekorde [Standart:Normal] ::");
    LoadDefaultLanguage();

    // A table outlives the panel that went with its parent.
    page.reset();
    Push(true, 900);
    EXPECT_EQ(table->Cell(2, table->CurrentRow()), "900");
}

TEST_F(HSPanel, ARowWithAKeptGameOffersItToWatchAndItsUploadCarriesItWhenItFits) {
    const tGameRecord ann = Recorded("01.02.05 10:01:00", 40);
    const tGameRecord bob = Recorded("01.02.05 10:02:00", 60000);
    ASSERT_FALSE(ReplayFitsUpload("Standart", "Normal", tHS{}, EncodeReplay(bob).size()));
    const std::string damaged = "STKR\x01 no game";
    WriteReplay(1, EncodeReplay(ann));
    WriteReplay(2, EncodeReplay(bob));
    WriteReplay(3, damaged);
    // Dan's key group holds Ann's game, as when another program replaced its entry.
    WriteReplay(4, EncodeReplay(ann));
    std::vector<tGameRecord> watched;
    panel->SetOnWatch([&](const tGameRecord& game) { watched.push_back(game); });
    table->LoadTable("Standart", "Normal", "Zed");
    const tMyButton& upload = *FindChild<tMyButton>(panel, "bUpload");

    MoveTo(50, 25);
    ASSERT_TRUE(WatchShown());
    EXPECT_EQ(panel->WatchPanel().geometry(), QRect(112, 22, 18, 18));
    EXPECT_EQ(FindChild<tMyButton>(panel, "bWatch")->Hint(), "Watch the game");
    EXPECT_EQ(upload.Hint(), "UpLoad result to server");
    Click("bWatch");
    EXPECT_EQ(watched, std::vector<tGameRecord>{ann});
    Click("bUpload");
    EXPECT_EQ(opened.back(), UploadAddress("Standart", "Normal", table->Record(1)) +
                                 "&replay=" + Base64Url(EncodeReplay(ann)));

    MoveTo(50, 45);
    EXPECT_TRUE(WatchShown());
    EXPECT_EQ(upload.Hint(), "UpLoad result to server (without its game: too large to send)");
    Click("bUpload");
    EXPECT_EQ(opened.back(), UploadAddress("Standart", "Normal", table->Record(2)));
    EXPECT_TRUE(messages.messages.empty());

    // A damaged replay and one of another game are told, kept, and left out of the upload.
    MoveTo(50, 65);
    Click("bWatch");
    Click("bUpload");
    EXPECT_EQ(opened.back(), UploadAddress("Standart", "Normal", table->Record(3)));
    MoveTo(50, 85);
    Click("bWatch");
    EXPECT_EQ(
        messages.messages,
        (std::vector<std::string>{"hscore-Standart_Normal-3.rep could not be read and is left as it is: The "
                                  "replay is damaged: its checksum does not match.",
                                  "hscore-Standart_Normal-3.rep could not be read and is left as it is: The "
                                  "replay is damaged: its checksum does not match.",
                                  "hscore-Standart_Normal-4.rep holds the game of another entry and is left "
                                  "as it is."}));
    EXPECT_EQ(watched.size(), 1u);
    QFile kept(dir.filePath("hscore-Standart_Normal-3.rep"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll().toStdString(), damaged);

    // The reason is told in the player's language as the rest of the message is.
    LanguageTable.texts[static_cast<size_t>(LanguageSlot("s0102"))] = "%1 ist unlesbar: %2";
    LanguageTable.texts[static_cast<size_t>(LanguageSlot("s0204"))] = "Die Aufzeichnung ist beschädigt.";
    ApplyLanguage();
    messages.messages.clear();
    MoveTo(50, 65);
    Click("bWatch");
    LoadDefaultLanguage();
    EXPECT_EQ(messages.messages,
              std::vector<std::string>{
                  "hscore-Standart_Normal-3.rep ist unlesbar: Die Aufzeichnung ist beschädigt."});

    // A row without a replay has none to offer; nor has any row while a game is being played.
    MoveTo(50, 105);
    EXPECT_TRUE(UploadShown());
    EXPECT_FALSE(WatchShown());
    Push(true, 250);
    MoveTo(50, 26);
    EXPECT_TRUE(UploadShown());
    EXPECT_FALSE(WatchShown());
}
