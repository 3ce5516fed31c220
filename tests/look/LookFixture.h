// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A temporary start-up folder with the built-in English texts loaded and the message box replaced by a
// recorder; helpers to lay out skin and language files in it.

#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uBaseDir.h"
#include "platform/uMessage.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/ScopedBaseDir.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

class LookFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A path under the temporary start-up folder.
    std::string Path(const std::string& relative) const;
    void WriteFile(const std::string& relative, const std::string& bytes) const;
    void MakeFolder(const std::string& relative) const;
    // A 24-bit BMP file filled with one colour; column 0 may carry another colour (a key column).
    void WriteBmp(const std::string& relative, int width, int height, QRgb fill, QRgb column0) const;
    void WriteBmp(const std::string& relative, const QImage& image) const;
    // A skin folder skin/<name>/ with the given skin.ini lines (CR LF between them).
    void WriteSkin(const std::string& name, const std::vector<std::string>& lines) const;
    void WriteLanguage(const std::string& name, const std::vector<std::string>& lines) const;

private:
    QTemporaryDir dir_;
    tScopedBaseDir baseDir_{QFile::encodeName(dir_.path()).toStdString()};
    tMessageRecorder recorder_;

protected:
    std::vector<std::string>& messages = recorder_.messages;
};

std::string JoinLines(const std::vector<std::string>& lines);
