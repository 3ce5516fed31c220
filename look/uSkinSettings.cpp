// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uSkinSettings.h"

#include "core/uWell.h"
#include "platform/uTargets.h"

tSkinSettings SkinSettings;

namespace {

tTargetList& SkinTargets() {
    static tTargetList targets;
    return targets;
}

tTargetList& BackgroundTargets() {
    static tTargetList targets;
    return targets;
}

} // namespace

void FillWellBackground() {
    QImage& well = SkinSettings.Glass.btmGlass.image;
    if (well.size() != QSize(kWellColumns * kCellPixels, kWellRows * kCellPixels) ||
        well.format() != QImage::Format_RGB32) {
        well = QImage(kWellColumns * kCellPixels, kWellRows * kCellPixels, QImage::Format_RGB32);
        well.fill(Qt::black);
    }
    for (int c = 0; c < kWellColumns; ++c) {
        for (int r = 0; r < kWellRows; ++r) {
            DrawBitmap(well, c * kCellPixels, r * kCellPixels, SkinSettings.Glass.btmBlockFree);
        }
    }
}

tSubscription AddSkinTarget(tSkinTarget target) {
    return SkinTargets().Add(std::move(target));
}

void ApplySkin() {
    SkinTargets().Run();
}

tSubscription AddSkinBackgroundTarget(tSkinTarget target) {
    return BackgroundTargets().Add(std::move(target));
}

void RunSkinBackgroundTargets() {
    BackgroundTargets().Run();
}
