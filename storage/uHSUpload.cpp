// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uHSUpload.h"

#include "platform/uBaseDir.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QString>
#include <QUrl>

#include <array>

namespace {

// Name, Level, Score and the seven texts of an entry, in the order the server reads them.
std::array<std::string, 9> EntryValues(const tHS& entry) {
    return {entry.Name,
            std::to_string(entry.Level),
            std::to_string(entry.Score),
            entry.StartTime,
            entry.PlayTime,
            entry.StartLevel,
            entry.BrokenLines,
            entry.Figures,
            entry.Cleared};
}

} // namespace

std::string UploadDigest(std::string_view gameType, std::string_view difficulty, const tHS& entry) {
    std::string input = HSSectionName(gameType, difficulty);
    for (const std::string& value : EntryValues(entry)) {
        input += value;
    }
    input += std::to_string(kUploadBuild);
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(input), QCryptographicHash::Md5);
    return digest.toHex().toStdString();
}

std::string UploadData(std::string_view gameType, std::string_view difficulty, const tHS& entry) {
    std::string data =
        std::to_string(kUploadBuild) + "|" + std::string(gameType) + "|" + std::string(difficulty);
    for (const std::string& value : EntryValues(entry)) {
        data += "|" + value;
    }
    return data + "|" + UploadDigest(gameType, difficulty, entry);
}

std::string PercentEncodeAll(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        encoded += '%';
        encoded += kHex[byte >> 4];
        encoded += kHex[byte & 0x0F];
    }
    return encoded;
}

std::string UploadPageBase() {
    const QFileInfo marker(QString::fromStdString(BasePath("hstest")));
    if (marker.exists() && !marker.isDir()) {
        return std::string(kTestPageBase);
    }
    tStringListINI settings;
    // A settings file of a few lines; anything of this size is not one, and is not read into memory.
    constexpr size_t kMaxSettingsBytes = 64 * 1024;
    const QFileInfo file(QString::fromStdString(BasePath(kSettingsFile)));
    if (file.exists() && !settings.LoadFromFile(BasePath(kSettingsFile), kMaxSettingsBytes)) {
        qWarning("%s could not be read, or is larger than 64 KiB; results go to %s", kSettingsFile.data(),
                 kScorePageBase.data());
        return std::string(kScorePageBase);
    }
    std::string page = settings.ReadString("Scores", "Page", "");
    const QUrl url(QString::fromStdString(page), QUrl::StrictMode);
    if (page.empty()) {
        return std::string(kScorePageBase);
    }
    if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https") || url.host().isEmpty() ||
        url.hasQuery() || url.hasFragment()) {
        qWarning("%s: [Scores] Page=%s is no web address; results go to %s", kSettingsFile.data(),
                 page.c_str(), kScorePageBase.data());
        return std::string(kScorePageBase);
    }
    if (page.back() != '/') {
        page += '/';
    }
    return page;
}

std::string UploadAddress(std::string_view gameType, std::string_view difficulty, const tHS& entry) {
    return UploadPageBase() +
           "index.php?tab=hscore&data=" + PercentEncodeAll(UploadData(gameType, difficulty, entry));
}
