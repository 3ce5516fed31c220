// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/pages/uViewerFiles.h"

#include <QCryptographicHash>
#include <QFile>

#include <array>
#include <map>

namespace {

constexpr const char* kScript = "viewer.js";
constexpr std::array<std::pair<const char*, const char*>, 6> kFiles{{
    {"stakkar-viewer.wasm", "application/wasm"},
    {kScript, "text/javascript; charset=utf-8"},
    {"BlockFree.bmp", "image/bmp"},
    {"BlockFix.bmp", "image/bmp"},
    {"Block.bmp", "image/bmp"},
    {"BlockShadow.bmp", "image/bmp"},
}};

struct tViewerFiles {
    std::map<std::string, tViewerFile, std::less<>> Files;
    std::string Version;
    QString ScriptHash;
};

const tViewerFiles& Files() {
    static const tViewerFiles files = [] {
        tViewerFiles read;
        QCryptographicHash version(QCryptographicHash::Sha256);
        for (const auto& [name, type] : kFiles) {
            QFile file(QString(":/viewer/") + name);
            if (!file.open(QIODevice::ReadOnly)) {
                return tViewerFiles{};
            }
            tViewerFile& kept = read.Files[name];
            kept.Bytes = file.readAll();
            kept.Type = type;
            version.addData(kept.Bytes);
        }
        read.Version = version.result().toHex().left(16).toStdString();
        read.ScriptHash =
            "sha384-" +
            QCryptographicHash::hash(read.Files[kScript].Bytes, QCryptographicHash::Sha384).toBase64();
        return read;
    }();
    return files;
}

} // namespace

const tViewerFile* ViewerFile(std::string_view name) {
    const auto found = Files().Files.find(name);
    return found == Files().Files.end() ? nullptr : &found->second;
}

bool HasViewer() {
    return !Files().Files.empty();
}

const std::string& ViewerVersion() {
    return Files().Version;
}

namespace {

QString Address(const char* name) {
    return QString("/viewer/%1?v=%2").arg(name, QString::fromStdString(ViewerVersion()));
}

} // namespace

QString ViewerScriptAddress() {
    return Address(kScript);
}

QStringList ViewerFetchedAddresses() {
    QStringList addresses;
    for (const auto& [name, type] : kFiles) {
        if (QString(name) != kScript) {
            addresses += Address(name);
        }
    }
    return addresses;
}

const QString& ViewerScriptHash() {
    return Files().ScriptHash;
}

std::string ViewerPagePolicy() {
    return "default-src 'none'; style-src 'unsafe-inline'; script-src '" + ViewerScriptHash().toStdString() +
           "' 'wasm-unsafe-eval'; connect-src 'self'; frame-ancestors 'none'";
}
