// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uHSUpload.h"

#include "platform/uBaseDir.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QString>
#include <QUrl>

namespace {

constexpr std::string_view kReplayParameter = "&replay=";

bool FitsWith(size_t addressBytes, size_t replayBytes) {
    const size_t base64Bytes = (replayBytes * 4 + 2) / 3;
    return addressBytes + kReplayParameter.size() + base64Bytes <= kMaxReplayAddress;
}

} // namespace

std::string UploadDigest(std::string_view gameType, std::string_view difficulty, const tResultRecord& entry) {
    const std::string input =
        HSSectionName(gameType, difficulty) + JoinValues(ValuesOf(entry), "") + std::to_string(kUploadBuild);
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(input), QCryptographicHash::Md5);
    return digest.toHex().toStdString();
}

std::string UploadData(std::string_view gameType, std::string_view difficulty, const tResultRecord& entry) {
    return std::to_string(kUploadBuild) + "|" + std::string(gameType) + "|" + std::string(difficulty) + "|" +
           JoinValues(ValuesOf(entry), "|") + "|" + UploadDigest(gameType, difficulty, entry);
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

std::string UploadAddress(std::string_view gameType, std::string_view difficulty,
                          const tResultRecord& entry) {
    return UploadPageBase() +
           "index.php?tab=hscore&data=" + PercentEncodeAll(UploadData(gameType, difficulty, entry));
}

std::string Base64Url(std::string_view bytes) {
    return QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()))
        .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals)
        .toStdString();
}

bool ReplayFitsUpload(std::string_view gameType, std::string_view difficulty, const tResultRecord& entry,
                      size_t replayBytes) {
    return FitsWith(UploadAddress(gameType, difficulty, entry).size(), replayBytes);
}

tReplayUpload UploadAddressWithReplay(std::string_view gameType, std::string_view difficulty,
                                      const tResultRecord& entry, std::string_view replay) {
    tReplayUpload upload{UploadAddress(gameType, difficulty, entry), false};
    if (replay.empty()) {
        return upload;
    }
    if (!FitsWith(upload.Address.size(), replay.size())) {
        upload.ReplayLeftOut = true;
        return upload;
    }
    upload.Address += kReplayParameter;
    upload.Address += Base64Url(replay);
    return upload;
}
