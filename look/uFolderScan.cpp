// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uFolderScan.h"

#include "look/uChoiceList.h"

#include "platform/uCodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

constexpr std::string_view kDefaultName = "(Default)";

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

void SortIgnoringCase(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = LowerText(a);
        const std::string lb = LowerText(b);
        return la != lb ? la < lb : a < b;
    });
}

QFileInfoList Entries(const std::string& folder) {
    return QDir(FromPath(folder))
        .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
}

// Read-only is the folder's own mark, as the attribute it stands for: no write bit at all. Asking whether
// this process may write would call every folder writable for root.
bool IsReadOnly(const QFileInfo& entry) {
    return (entry.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)) == 0;
}

std::vector<std::string> Merged(const std::vector<std::string>& folders,
                                std::vector<std::string> (*list)(const std::string&)) {
    std::vector<std::string> names;
    for (const std::string& folder : folders) {
        for (std::string& name : list(folder)) {
            if (std::find(names.begin(), names.end(), name) == names.end()) {
                names.push_back(std::move(name));
            }
        }
    }
    SortIgnoringCase(names);
    return names;
}

bool UsableFile(const std::string& path) {
    const QFileInfo file(FromPath(path));
    return file.isFile() && file.size() <= static_cast<qint64>(kMaxLookFileBytes);
}

} // namespace

std::string PathOfName(std::string_view folder, std::string_view name) {
    return std::string(folder) + "/" + QFile::encodeName(ShownName(name)).toStdString();
}

std::string NameOfFile(const QString& fileName) {
    std::string name;
    for (const char32_t letter : fileName.toUcs4()) {
        const QString one = QString::fromUcs4(&letter, 1);
        name += IsRepresentable(one) ? ToCodePage(one) : "&#" + std::to_string(letter) + ";";
    }
    return name;
}

QString ShownName(std::string_view name) {
    QString shown;
    size_t plain = 0;
    for (size_t at = name.find("&#"); at != std::string_view::npos; at = name.find("&#", at + 1)) {
        const size_t end = name.find(';', at);
        const std::string_view digits =
            end == std::string_view::npos ? std::string_view() : name.substr(at + 2, end - at - 2);
        if (digits.empty() || digits.size() > 7 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            continue;
        }
        const auto letter = static_cast<char32_t>(std::stoul(std::string(digits)));
        const QString one = QString::fromUcs4(&letter, 1);
        if (letter > 0x10FFFF || (letter >= 0xD800 && letter <= 0xDFFF) || IsRepresentable(one)) {
            continue;
        }
        shown += FromCodePage(name.substr(plain, at - plain)) + one;
        plain = end + 1;
        at = end;
    }
    return shown + FromCodePage(name.substr(plain));
}

std::vector<std::string> ListLanguageNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const QFileInfo& entry : Entries(folder)) {
        const QString file = entry.fileName();
        if (entry.isDir() || !file.endsWith(QLatin1String(".lng"))) {
            continue;
        }
        std::string name = NameOfFile(file.chopped(4));
        if (ShownName(name) != file.chopped(4)) {
            continue;
        }
        if (!name.empty() && name != kDefaultName) {
            names.push_back(std::move(name));
        }
    }
    SortIgnoringCase(names);
    return names;
}

std::vector<std::string> ListSkinNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const QFileInfo& entry : Entries(folder)) {
        const QString file = entry.fileName();
        if (!entry.isDir() || file.startsWith('.') || IsReadOnly(entry) || !IsRepresentable(file)) {
            continue;
        }
        std::string name = ToCodePage(file);
        if (name != kDefaultName && FileExists(PathOfName(folder, name) + "/skin.ini")) {
            names.push_back(std::move(name));
        }
    }
    SortIgnoringCase(names);
    return names;
}

std::vector<std::string> ListLanguageNames(const std::vector<std::string>& folders) {
    return Merged(folders, ListLanguageNames);
}

std::vector<std::string> ListSkinNames(const std::vector<std::string>& folders) {
    return Merged(folders, ListSkinNames);
}

std::string FindOnPath(const std::vector<std::string>& folders, std::string_view name,
                       std::string_view suffix) {
    for (const std::string& folder : folders) {
        std::string path = PathOfName(folder, name) + std::string(suffix);
        if (FileExists(path)) {
            return path;
        }
    }
    return folders.empty() ? std::string() : PathOfName(folders.front(), name) + std::string(suffix);
}

bool FileExists(const std::string& path) {
    return QFileInfo(FromPath(path)).isFile();
}

bool IsPlainName(std::string_view name) {
    return name != "." && name != ".." && name.find_first_of("/\\") == std::string_view::npos;
}

std::string ResolveChoice(tChoiceList& list, std::string& name,
                          const std::function<std::string(std::string_view)>& fileOf) {
    if (!IsPlainName(name)) {
        return {};
    }
    const int index = list.Find(name);
    if (index > 0) {
        std::string path = fileOf(list.Item(index));
        if (UsableFile(path)) {
            name = list.Item(index);
            return path;
        }
    }
    std::string path = fileOf(name);
    if (UsableFile(path)) {
        return path;
    }
    if (index > 0) {
        list.Delete(index);
    }
    return {};
}
