// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uUploadPanel.h"

#include "platform/uResource.h"
#include "widgets/uOther.h"

tUploadFlatPanel::tUploadFlatPanel(QWidget* parent, int left, const char* normal, const char* underMouse)
    : tFlatPanel(parent) {
    setGeometry(left, 0, kUploadSize, kUploadSize);
    Button = new tMyButton(this);
    Button->setGeometry(0, 0, kUploadSize, kUploadSize);
    Button->SetBitmaps(LoadResourceBitmap(normal), LoadResourceBitmap(underMouse));
    Button->DrawNormal();
    hide();
}
