// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/uCrispPixmap.h"

#include <QLabel>
#include <QPixmap>

void SetCrispPixmap(QLabel* label, const QImage& image) {
    const qreal ratio = label->devicePixelRatioF();
    if (ratio == 1.0 || image.isNull()) {
        label->setPixmap(QPixmap::fromImage(image));
        return;
    }
    const QSize size = (QSizeF(image.size()) * ratio).toSize();
    QPixmap pixmap = QPixmap::fromImage(image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    pixmap.setDevicePixelRatio(ratio);
    label->setPixmap(pixmap);
}
