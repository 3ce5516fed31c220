// SPDX-License-Identifier: GPL-3.0-or-later
#include "LookFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

void LookFixture::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    LoadLanguageResource();
    LoadDefaultLanguage();
    LanguageList.Clear();
    LanguageList.ForgetLastName();
    SkinList.Clear();
    SkinList.ForgetLastName();
}

void LookFixture::TearDown() {}

std::string LookFixture::Path(const std::string& relative) const {
    return BaseDir + "/" + relative;
}

void LookFixture::WriteFile(const std::string& relative, const std::string& bytes) const {
    const QString path = QFile::decodeName(QByteArray::fromStdString(Path(relative)));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void LookFixture::MakeFolder(const std::string& relative) const {
    QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(Path(relative))));
}

void LookFixture::WriteBmp(const std::string& relative, int width, int height, QRgb fill,
                           QRgb column0) const {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    for (int y = 0; y < height; ++y) {
        image.setPixel(0, y, column0);
    }
    WriteBmp(relative, image);
}

void LookFixture::WriteBmp(const std::string& relative, const QImage& image) const {
    const QString path = QFile::decodeName(QByteArray::fromStdString(Path(relative)));
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(image.save(path, "BMP"));
}

void LookFixture::WriteSkin(const std::string& name, const std::vector<std::string>& lines) const {
    WriteFile("skin/" + name + "/skin.ini", JoinLines(lines));
}

void LookFixture::WriteLanguage(const std::string& name, const std::vector<std::string>& lines) const {
    WriteFile("lang/" + name + ".lng", JoinLines(lines));
}
