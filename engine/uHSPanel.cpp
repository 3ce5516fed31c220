// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uHSPanel.h"

#include "engine/uOpenForPlayer.h"
#include "engine/uhiscore.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uBitmap.h"
#include "platform/uCodePage.h"
#include "platform/uMessage.h"
#include "platform/uResource.h"
#include "storage/uHSUpload.h"
#include "widgets/uFramePacer.h"
#include "widgets/uLabels.h"
#include "widgets/uOther.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kPanelLeft = 350;
constexpr int kPanelTop = 27;
constexpr int kPanelWidth = 230;
constexpr int kPanelHeight = 342;
constexpr int kLastUploadRow = 15;
constexpr const char* kLineBreak = "\n\r";

QColor Color(uint32_t colorBGR) {
    return QColor::fromRgb(ColorToRgb(colorBGR));
}

// The labels above and below the table: 7 point, the window's own family; height 0 is one line.
tTextLabel* SmallLabel(QWidget* parent, int left, int top, int height, bool bold) {
    QFont font = parent->font();
    font.setPointSize(7);
    font.setBold(bold);
    if (height == 0) {
        height = QFontMetrics(font).height();
    }
    auto* label = new tTextLabel(parent, left, top, kPanelWidth, height, bold);
    label->setFont(font);
    return label;
}

} // namespace

tMyFlatPanel::tMyFlatPanel(QWidget* parent, int originX, int originY, tHiScore& table, tFramePacer* pacer)
    : tFlatPanel(parent), table_(table), pacer_(pacer) {
    setGeometry(originX + kPanelLeft, originY + kPanelTop, kPanelWidth, kPanelHeight);
    setMouseTracking(true);

    // Everything over the table is the panel's: its own mouse moves tell the row, in its own coordinates.
    inner_ = new tFlatPanel(this);
    inner_->setGeometry(0, 0, kPanelWidth, kPanelHeight);
    grid_ = new tHSGrid(inner_, table_);
    grid_->setGeometry(1, 1, kPanelWidth - 2, kGridRows * kHSRowHeight);
    for (QWidget* part : {static_cast<QWidget*>(inner_), static_cast<QWidget*>(grid_)}) {
        part->setEnabled(false);
        part->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    upload_ = new tUploadFlatPanel(this);
    upload_->Button->setObjectName("bUpload");
    QObject::connect(upload_->Button, &tMyButton::clicked, this, [this] { UploadClick(); });
    watch_ = new tUploadFlatPanel(this, kWatchLeft, "Watch", "WatchS");
    watch_->Button->setObjectName("bWatch");
    QObject::connect(watch_->Button, &tMyButton::clicked, this, [this] { WatchClick(); });

    title_ = SmallLabel(parent, originX + kPanelLeft, originY + 6, 0, true);
    infoTitle_ = SmallLabel(parent, originX + kPanelLeft, originY + 373, 0, true);
    info_ = SmallLabel(parent, originX + kPanelLeft, originY + 388, 70, false);
    title_->setObjectName("lScoresTitle");
    info_->setObjectName("lInfo");
    // Five lines from the top, right under their title.
    info_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    infoTitle_->hide();
    info_->hide();

    ApplySkinColors();
    ApplyLanguageTexts();
    skinTarget_ = AddSkinTarget([this] { ApplySkinColors(); });
    languageTarget_ = AddLanguageTarget([this] { ApplyLanguageTexts(); });
    gridView_ = table_.ObserveGrid([this] { GridChanged(); });
    show();
}

tMyFlatPanel::~tMyFlatPanel() {
    delete info_;
    delete infoTitle_;
    delete title_;
}

void tMyFlatPanel::ApplySkinColors() {
    const auto& hs = SkinSettings.HiScore;
    // The outer border takes the page's colour so that only the table's own border shows.
    SetColors(Color(SkinSettings.Panel_Game.clrPanel), Color(SkinSettings.Panel_Game.clrPanel));
    inner_->SetColors(Color(hs.clrLineOther), Color(hs.clrBorder));
    const struct {
        tUploadFlatPanel* panel;
        const tBitmap& normal;
        const tBitmap& underMouse;
    } buttons[] = {{upload_, hs.btmUpLoadDefault, hs.btmUpLoadFocused},
                   {watch_, hs.btmWatchDefault, hs.btmWatchFocused}};
    for (const auto& [panel, normal, underMouse] : buttons) {
        if (!normal.Empty()) {
            panel->Button->SetBitmaps(normal.image, underMouse.image);
        }
        panel->Button->DrawNormal();
        // These buttons are opaque, but a picture button keys out its corner colour; the panel behind it
        // shows that very colour, so the picture appears whole.
        const QImage& picture = panel->Button->NormalBitmap();
        const QColor corner =
            picture.isNull() ? Color(hs.clrLineOther) : QColor(picture.pixel(0, picture.height() - 1));
        panel->SetColors(corner, corner);
    }
    title_->SetColor(hs.clrTextTitle);
    infoTitle_->SetColor(hs.clrTextInfoTitle);
    info_->SetColor(hs.clrTextInfo);
    grid_->update();
}

void tMyFlatPanel::ApplyLanguageTexts() {
    infoTitle_->SetText(HeaderForm(LangText("s1500")));
    watch_->Button->SetHint(LangText("s1405"));
    ShowUploadHint();
    GridChanged();
}

void tMyFlatPanel::GridChanged() {
    title_->SetText(table_.Title());
    if (pacer_ != nullptr) {
        pacer_->Request(grid_, [this] { grid_->Refresh(); });
    } else {
        grid_->Refresh();
    }
    if (hovering_) {
        PanelMouseMove(hoverX_, hoverY_);
    }
}

QString tMyFlatPanel::InfoText(const tHS& entry) const {
    return LabelForm(LangText("s1501")) + FromCodePage(entry.StartTime) + kLineBreak +
           LabelForm(LangText("s1502")) + FromCodePage(entry.PlayTime) + kLineBreak +
           LabelForm(LangText("s1503")) + FromCodePage(entry.StartLevel) + "   |   " +
           LabelForm(LangText("s1504")) + FromCodePage(entry.BrokenLines) + kLineBreak +
           LabelForm(LangText("s1505")) + FromCodePage(entry.Figures) + kLineBreak +
           LabelForm(LangText("s1506")) + FromCodePage(entry.Cleared);
}

void tMyFlatPanel::PanelMouseMove(int x, int y) {
    hovering_ = true;
    hoverX_ = x;
    hoverY_ = y;
    hoverRow_ = y / kHSRowHeight;

    const int current = table_.CurrentRow();
    upload_->move(kUploadLeft, hoverRow_ * kHSRowHeight + 2);
    // The player's own row has a result to publish only once its game has ended with a game over.
    const bool uploadable = hoverRow_ >= 1 && hoverRow_ <= kLastUploadRow &&
                            !(hoverRow_ == current && (table_.GamePlaying() || !table_.CurrentStored()));
    upload_->setVisible(uploadable);
    // Watching drops the game in the well, so a game being played keeps it from being offered.
    const bool watchable = uploadable && !table_.GamePlaying() && table_.ReplayBytes(hoverRow_) > 0;
    watch_->move(kWatchLeft, upload_->y());
    watch_->setVisible(watchable);
    if (uploadable) {
        upload_->raise();
        watch_->raise();
    }

    if (hoverRow_ < 1 || hoverRow_ > kLoserRow) {
        infoTitle_->hide();
        info_->hide();
        return;
    }
    const tHS& entry = table_.RowEntry(hoverRow_);
    selectedRecord_ = entry;
    ShowUploadHint();
    info_->SetText(InfoText(entry));
    infoTitle_->show();
    info_->show();
}

void tMyFlatPanel::ShowUploadHint() {
    const int64_t replay = upload_->isVisible() ? table_.ReplayBytes(hoverRow_) : 0;
    const bool leftOut = replay > 0 && !ReplayFitsUpload(table_.GameTypeName(), table_.DifficultyName(),
                                                         selectedRecord_, static_cast<size_t>(replay));
    // A row no game was played into is uploaded as the table holds it, and the hint says what it holds.
    upload_->Button->SetHint(LangText(IsPlaceholderHS(selectedRecord_) ? "s1407"
                                      : leftOut                        ? "s1406"
                                                                       : "s1404"));
}

void tMyFlatPanel::PanelMouseLeave() {
    hovering_ = false;
    infoTitle_->hide();
    info_->hide();
    upload_->hide();
    watch_->hide();
    hoverX_ = 0;
    hoverY_ = 0;
    hoverRow_ = 0;
}

void tMyFlatPanel::UploadClick() {
    std::string replay;
    if (table_.ReplayBytes(hoverRow_) > 0) {
        tHiScore::tRowReplay file = table_.ReadReplay(hoverRow_);
        if (file.Record) {
            replay = std::move(file.Bytes);
        } else {
            ShowMessageBox(file.Message);
        }
    }
    OpenForPlayer(
        UploadAddressWithReplay(table_.GameTypeName(), table_.DifficultyName(), selectedRecord_, replay)
            .Address);
}

void tMyFlatPanel::WatchClick() {
    const tHiScore::tRowReplay file = table_.ReadReplay(hoverRow_);
    if (!file.Record) {
        ShowMessageBox(file.Message);
        return;
    }
    if (onWatch_) {
        onWatch_(*file.Record);
    }
}

void tMyFlatPanel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    PanelMouseMove(at.x(), at.y());
    tFlatPanel::mouseMoveEvent(event);
}

void tMyFlatPanel::leaveEvent(QEvent* event) {
    // Moving onto the upload or watch button, which lie inside the panel, is no leaving: Qt tells only a move
    // out of the panel and all its children.
    PanelMouseLeave();
    tFlatPanel::leaveEvent(event);
}
