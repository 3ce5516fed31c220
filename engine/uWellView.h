// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures of the well view and the images they are drawn with: the well (cell by cell, each empty cell
// showing its own tile of the well background), the preview of the next figure, the stack-height arrow and
// the message over the well. Their changes reach the screen at the frames of the pacer the view is given.

#include "core/uGameModel.h"
#include "engine/uPreparedBitmap.h"
#include "platform/uBitmap.h"
#include "widgets/uFramePacer.h"
#include "widgets/uImageView.h"
#include "widgets/uLabels.h"

#include <QPointer>
#include <array>
#include <functional>
#include <string>

class tWellView {
public:
    tWellView(QWidget* parent, tFramePacer& pacer);
    ~tWellView();
    tWellView(const tWellView&) = delete;
    tWellView& operator=(const tWellView&) = delete;

    // Draws one well cell (column 1..10, row 1..20): the image, or the cell's tile when there is none.
    void DrawCell(int column, int row, const tBitmap* image);
    // Draws one preview cell (column, row 1..4): the image, or the empty preview cell.
    void DrawPreviewCell(int column, int row, const tBitmap* image);
    // The preview shows this figure in blocks (an all-empty one blanks it).
    void ShowPreview(const tFigure& figure);
    // Every well cell its tile.
    void DrawAllTiles();

    // What a well cell shows of the game now: the falling figure, its landing mark (when shadow is on), a
    // fixed block, or (nullptr) its tile; a paused game hides its pile.
    const tBitmap* LookOf(const tGameModel& game, bool shadow, int column, int row);
    const tBitmap& Block();
    const tBitmap& Shadow();
    const tBitmap& FixedBlock() const { return fixedBlock_; }
    // Fixed blocks take the look of the marked block (true) or of the plain block (false) from now on.
    void SetFixedLook(bool marked);

    // The arrow's top is beside the given well row, from the next frame on.
    void SetArrowRow(int row);
    void SetMessage(const QString& text) { message_->SetText(text); }
    void SetMessageVisible(bool visible) { message_->setVisible(visible); }
    // Puts what changed on screen now, not at the next frame.
    void RepaintWell() { pacer_.ShowNow(); }

    // Rebuilds what the view derives from the skin record: the cell tiles cut from the well background, the
    // empty preview cell, the frame of the well picture, the arrow picture and the message colour.
    void RebuildSkinImages();

    void SetOnClick(const std::function<void()>& onClick);

    tImageView& WellImage() { return *wellImage_; }
    tImageView& PreviewImage() { return *previewImage_; }
    tImageView& ArrowImage() { return *arrowImage_; }
    tTextLabel& MessageLabel() { return *message_; }

private:
    tFramePacer& pacer_;
    QPointer<tImageView> wellImage_;
    QPointer<tImageView> previewImage_;
    QPointer<tImageView> arrowImage_;
    QPointer<tTextLabel> message_;
    std::array<tBitmap, 200> wellTiles_;
    tBitmap emptyPreviewCell_;
    tBitmap fixedBlock_;
    tPreparedBitmap block_;
    tPreparedBitmap shadow_;
    int arrowRow_ = 0;
};
