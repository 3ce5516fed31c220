// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small panel that carries a picture button along the rows of the high score table: the upload button,
// and the watch button beside it.

#include "widgets/uFlatPanel.h"

class tMyButton;

inline constexpr int kUploadLeft = 92;
inline constexpr int kUploadSize = 18;
inline constexpr int kWatchLeft = kUploadLeft + kUploadSize + 2;

class tUploadFlatPanel : public tFlatPanel {
public:
    // The button shows the built-in bitmaps of these names until a skin gives its own.
    explicit tUploadFlatPanel(QWidget* parent, int left = kUploadLeft, const char* normal = "Upload",
                              const char* underMouse = "UploadS");
    tMyButton* Button = nullptr;
};
