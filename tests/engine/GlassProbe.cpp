// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlassProbe.h"

#include "platform/uBitmap.h"

void FillTestSkin() {
    auto& glass = SkinSettings.Glass;
    glass.btmBlock = tBitmap{SolidImage(20, 20, testcolor::Block), false, 0};
    glass.btmBlockFix = tBitmap{SolidImage(20, 20, testcolor::Fixed), false, 0};
    glass.btmBlockShadow = tBitmap{SolidImage(20, 20, testcolor::Mark), false, 0};
    glass.btmBlockFree = tBitmap{SolidImage(20, 20, testcolor::Free), false, 0};
    glass.btmGlass = tBitmap{SolidImage(200, 400, testcolor::Tile), false, 0};
    glass.btmArrow = tBitmap{SolidImage(19, 18, testcolor::Arrow), false, 0};
    SkinSettings.Panel_Game.clrPanel = testcolor::Panel;
    SkinSettings.Panel_Game.clrBorder = testcolor::Border;
}

const char* LookName(tLook look) {
    switch (look) {
    case tLook::Tile:
        return "tile";
    case tLook::Block:
        return "block";
    case tLook::Fixed:
        return "fixed";
    case tLook::Mark:
        return "mark";
    default:
        return "other";
    }
}

namespace {

tLook LookOf(QRgb pixel) {
    const QRgb rgb = pixel | 0xFF000000u;
    const struct {
        uint32_t color;
        tLook look;
    } looks[] = {{testcolor::Tile, tLook::Tile},
                 {testcolor::Block, tLook::Block},
                 {testcolor::Fixed, tLook::Fixed},
                 {testcolor::Mark, tLook::Mark}};
    for (const auto& candidate : looks) {
        if (rgb == ColorToRgb(candidate.color)) {
            return candidate.look;
        }
    }
    return tLook::Other;
}

} // namespace

void GlassTest::SetUp() {
    LoadLanguageResource();
    LoadDefaultLanguage();
    FillTestSkin();
    calls = std::make_shared<tHiScoreRecorder::tCalls>();
    panel = std::make_unique<QWidget>();
    panel->resize(585, 460);
    glass = std::make_unique<tGlass>(panel.get(), std::make_unique<tHiScoreRecorder>(calls));
    glass->SetPlayer("Ivan");
    glass->SetSettings({});
    glass->SetShowFix(true);
    glass->Stat().SetDecimalSeparator(',');
}

void GlassTest::TearDown() {
    glass.reset();
    panel.reset();
}

tLook GlassTest::CellLook(int column, int row) {
    return LookOf(glass->View().WellImage().Image().pixel(20 * column - 19 + 10, 20 * row - 20 + 10));
}

std::string GlassTest::Picture(int firstRow, int lastRow) {
    std::string text;
    for (int row = firstRow; row <= lastRow; ++row) {
        if (row > firstRow) {
            text += '|';
        }
        for (int column = 1; column <= kWellColumns; ++column) {
            const char marks[] = {'.', '#', 'F', 'o', '?'};
            text += marks[static_cast<int>(CellLook(column, row))];
        }
    }
    return text;
}

tLook GlassTest::PreviewLook(int column, int row) {
    const QRgb pixel =
        glass->View().PreviewImage().Image().pixel((column - 1) * 20 + 10, (row - 1) * 20 + 10);
    if ((pixel | 0xFF000000u) == ColorToRgb(testcolor::Panel)) {
        return tLook::Tile;
    }
    return LookOf(pixel);
}

void GlassTest::TickUntilNextFigure() {
    const int figures = glass->Model().Counters().Figures;
    for (int i = 0; i < 100 && glass->Playing() && glass->Model().Counters().Figures == figures; ++i) {
        glass->Tick();
    }
}
