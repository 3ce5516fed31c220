// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The high score panel beside the well: the table as 17 drawn rows, a title above it, an information box
// below it about the row under the mouse, and an upload button that follows the mouse along the rows, with a
// watch button beside it on the rows whose game was kept.

#include "engine/uHSGrid.h"
#include "engine/uUploadPanel.h"
#include "platform/uSubscription.h"
#include "storage/uHSEntry.h"
#include "widgets/uFlatPanel.h"
#include "widgets/uLabels.h"

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

class tFramePacer;
class tHiScore;
class tMyButton;

class tMyFlatPanel : public tFlatPanel {
public:
    // The panel and its three labels go onto `parent` at their places beside the well, shifted by the
    // origin. With a pacer, changed rows reach the screen at its frames; without, at once.
    tMyFlatPanel(QWidget* parent, int originX, int originY, tHiScore& table, tFramePacer* pacer = nullptr);
    ~tMyFlatPanel() override;
    tMyFlatPanel(const tMyFlatPanel&) = delete;
    tMyFlatPanel& operator=(const tMyFlatPanel&) = delete;

    void PanelMouseMove(int x, int y);
    void PanelMouseLeave();
    void UploadClick();
    // Reads the hovered row's replay and hands it to the well; a replay that cannot be watched is told.
    void WatchClick();
    void SetOnWatch(std::function<void(const tGameRecord&)> onWatch) { onWatch_ = std::move(onWatch); }
    // The table's texts or rows changed: redraw, and follow the game in progress in the information.
    void GridChanged();

    int HoverRow() const { return hoverRow_; }
    const tHS& SelectedRecord() const { return selectedRecord_; }
    tHSGrid& Grid() { return *grid_; }
    tUploadFlatPanel& UploadPanel() { return *upload_; }
    tUploadFlatPanel& WatchPanel() { return *watch_; }
    tTextLabel& TitleLabel() { return *title_; }
    tTextLabel& InfoTitleLabel() { return *infoTitle_; }
    tTextLabel& InfoLabel() { return *info_; }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ApplySkinColors();
    void ApplyLanguageTexts();
    QString InfoText(const tHS& entry) const;
    // The upload button tells when the row's game is too long to go with its result.
    void ShowUploadHint();

    tHiScore& table_;
    tFramePacer* pacer_;
    tFlatPanel* inner_ = nullptr;
    tHSGrid* grid_ = nullptr;
    tUploadFlatPanel* upload_ = nullptr;
    tUploadFlatPanel* watch_ = nullptr;
    std::function<void(const tGameRecord&)> onWatch_;
    // On the parent, not on the panel: they may go before the panel when the parent is freed.
    QPointer<tTextLabel> title_;
    QPointer<tTextLabel> infoTitle_;
    QPointer<tTextLabel> info_;
    int hoverX_ = 0;
    int hoverY_ = 0;
    int hoverRow_ = 0;
    bool hovering_ = false;
    tHS selectedRecord_;
    tSubscription skinTarget_;
    tSubscription languageTarget_;
    tSubscription gridView_;
};
