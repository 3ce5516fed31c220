// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small panel that carries the upload button along the rows of the high score table.

#include "widgets/uFlatPanel.h"

class tMyButton;

inline constexpr int kUploadLeft = 92;
inline constexpr int kUploadSize = 18;

class tUploadFlatPanel : public tFlatPanel {
public:
    explicit tUploadFlatPanel(QWidget* parent);
    tMyButton* Button = nullptr;
};
