// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Built-in resources carried in the program: bitmaps under ":/bitmaps/<Name>.bmp", sounds under
// ":/sounds/<name>.wav" (lower case), texts under ":/<Name>".

#include <QByteArray>
#include <QImage>
#include <string_view>

// A null image when there is no such bitmap.
QImage LoadResourceBitmap(std::string_view name);
// An image of the named format ("png", "bmp"), read as such or not at all.
QImage ReadImageAs(const QString& path, const char* format);
// Empty when there is no such resource.
QByteArray LoadResourceData(std::string_view path);
