// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uWellView.h"

#include "core/uCellLook.h"
#include "core/uFigureSet.h"
#include "core/uWell.h"
#include "look/uSkin.h"

#include <QPainter>

tWellView::tWellView(QWidget* parent, tFramePacer& pacer)
    : pacer_(pacer), wellImage_(new tImageView(parent, 202, 401, true)),
      previewImage_(new tImageView(parent, 80, 80, false)),
      arrowImage_(new tImageView(parent, 19, 18, false)),
      message_(new tTextLabel(parent, 122, 179, 200, 42, true)) {
    wellImage_->move(121, 0);
    previewImage_->move(21, 45);
    arrowImage_->move(323, 1);
    message_->setWordWrap(true);
    wellImage_->SetPacer(&pacer_);
    previewImage_->SetPacer(&pacer_);
    message_->SetPacer(&pacer_);
    fixedBlock_.image = QImage(kCellPixels, kCellPixels, QImage::Format_RGB32);
    fixedBlock_.image.fill(Qt::black);
}

tWellView::~tWellView() {
    delete message_;
    delete arrowImage_;
    delete previewImage_;
    delete wellImage_;
}

void tWellView::DrawCell(int column, int row, const tBitmap* image) {
    const int x = kCellPixels * column - 19;
    const int y = kCellPixels * row - 20;
    DrawBitmap(wellImage_->Image(), x, y,
               image != nullptr ? *image : wellTiles_[(column - 1) * 20 + row - 1]);
    wellImage_->Changed(QRect(x, y, kCellPixels, kCellPixels));
}

void tWellView::DrawPreviewCell(int column, int row, const tBitmap* image) {
    const int x = (column - 1) * kCellPixels;
    const int y = (row - 1) * kCellPixels;
    DrawBitmap(previewImage_->Image(), x, y, image != nullptr ? *image : emptyPreviewCell_);
    previewImage_->Changed(QRect(x, y, kCellPixels, kCellPixels));
}

const tBitmap& tWellView::Block() {
    return block_.From(SkinSettings.Glass.btmBlock);
}

const tBitmap& tWellView::Shadow() {
    return shadow_.From(SkinSettings.Glass.btmBlockShadow);
}

void tWellView::SetFixedLook(bool marked) {
    const tBitmap& source = marked ? SkinSettings.Glass.btmBlockFix : SkinSettings.Glass.btmBlock;
    if (source.Empty()) {
        return;
    }
    // A deep copy: the fixed blocks keep this look even if the skin record is changed in place.
    fixedBlock_.image = PictureFormat(source.image).copy();
    fixedBlock_.transparent = source.transparent;
    fixedBlock_.transparentColor = source.transparentColor;
}

void tWellView::SetArrowRow(int row) {
    if (row == arrowRow_) {
        return;
    }
    arrowRow_ = row;
    pacer_.Request(arrowImage_,
                   [this] { arrowImage_->move(arrowImage_->x(), kCellPixels * (arrowRow_ - 1) + 1); });
}

void tWellView::RebuildSkinImages() {
    const auto& skin = SkinSettings;
    const QImage& background = skin.Glass.btmGlass.image;
    for (int column = 1; column <= kWellColumns; ++column) {
        for (int row = 1; row <= kWellRows; ++row) {
            tBitmap& tile = wellTiles_[(column - 1) * 20 + row - 1];
            tile.image = SolidImage(kCellPixels, kCellPixels, skin.Panel_Game.clrPanel);
            if (!background.isNull()) {
                CopyRect(tile.image, 0, 0, background, (column - 1) * kCellPixels, (row - 1) * kCellPixels,
                         kCellPixels, kCellPixels);
            }
        }
    }
    emptyPreviewCell_.image = SolidImage(kCellPixels, kCellPixels, skin.Panel_Game.clrPanel);

    QImage& well = wellImage_->Image();
    QPainter frame(&well);
    frame.setPen(QColor::fromRgb(ColorToRgb(skin.Panel_Game.clrBorder)));
    frame.drawRect(0, 0, well.width() - 1, well.height() - 1);
    frame.end();
    wellImage_->update();

    QImage& arrow = arrowImage_->Image();
    arrow.fill(Qt::transparent);
    DrawBitmap(arrow, 0, 0, tBitmap{skin.Glass.btmArrow.image, false, 0});
    arrowImage_->update();

    message_->SetColor(skin.Glass.clrText);
}

void tWellView::SetOnClick(const std::function<void()>& onClick) {
    wellImage_->SetOnClick(onClick);
    message_->SetOnClick(onClick);
}

void tWellView::ShowPreview(const tFigure& figure) {
    const tBitmap& block = Block();
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            DrawPreviewCell(c, r, IsBlock(figure, c, r) ? &block : nullptr);
        }
    }
}

void tWellView::DrawAllTiles() {
    for (int column = 1; column <= kWellColumns; ++column) {
        for (int row = 1; row <= kWellRows; ++row) {
            DrawCell(column, row, nullptr);
        }
    }
}

const tBitmap* tWellView::LookOf(const tGameModel& game, bool shadow, int column, int row) {
    switch (CellLook(game, shadow, column, row)) {
    case tCellLook::Falling:
        return &Block();
    case tCellLook::Mark:
        return &Shadow();
    case tCellLook::Fixed:
        return &fixedBlock_;
    case tCellLook::Empty:
        break;
    }
    return nullptr;
}
