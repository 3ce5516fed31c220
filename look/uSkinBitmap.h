// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the Windows BMP files of a skin, safely: a file is judged by the size in its header before any
// pixel is decoded, so a wrong or hostile file costs no more than its header.

#include <QImage>
#include <QSize>
#include <optional>
#include <string>

// The size a BMP file's header declares; an invalid size when the file is not a readable BMP.
QSize BmpHeaderSize(const std::string& path);

// The picture of a BMP file of exactly width x height pixels, as 32-bit RGB. Nothing when the file does not
// exist, is not a BMP, declares another size, or holds less pixel data than its header promises.
std::optional<QImage> ReadBmpOfSize(const std::string& path, int width, int height);
