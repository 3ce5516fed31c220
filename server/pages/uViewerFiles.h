// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game viewer's files as the build embedded them (web/): the game's model built to WebAssembly, the
// page's script and the block bitmaps it draws with. A server built without emscripten has none, and its
// pages then show the final well alone.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>

struct tViewerFile {
    QByteArray Bytes;
    const char* Type = "";
};

// The file of that name, or nullptr when the build has none such.
const tViewerFile* ViewerFile(std::string_view name);
bool HasViewer();
// The files change together with the build: one version names them all, in their addresses and ETags, so
// that a browser may keep them for good.
const std::string& ViewerVersion();
// The address of the page's script, and its hash as a page's integrity attribute and the
// Content-Security-Policy that allows it and nothing else name it: "sha384-...".
QString ViewerScriptAddress();
// The addresses of the files the script fetches, for the page to ask for early.
QStringList ViewerFetchedAddresses();
const QString& ViewerScriptHash();
// The policy of a page that plays a game: the script above, the model it compiles, and the files it fetches
// from this server.
std::string ViewerPagePolicy();
