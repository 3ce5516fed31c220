// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uPlayers.h"

#include "engine/uReasonText.h"
#include "look/uLang.h"
#include "platform/uBaseDir.h"
#include "platform/uCodePage.h"
#include "platform/uMessage.h"
#include "storage/uUserData.h"

#include <QFile>
#include <QFontMetrics>

namespace {

constexpr const char* kUsersFile = "users.dat";

std::string UsersPath() {
    return BasePath(kUsersFile);
}

tUsersFile ReadUsers() {
    tUsersFile file = ReadUsersFile(UsersPath());
    if (file.damage.tell) {
        ShowMessageBox(file.damage.leftInPlace
                           ? LangFormat("s0010", {kUsersFile})
                           : LangFormat("s0009", {kUsersFile, FromCodePage(file.damage.keptAs)}));
    }
    return file;
}

} // namespace

QStringList tPlayers::Names() const {
    tStringList sections;
    ReadUsers().ini.ReadSections(sections);
    QStringList names;
    for (const std::string& name : sections.Lines())
        names << FromCodePage(name);
    names.sort(Qt::CaseInsensitive);
    return names;
}

tPlayerOptions tPlayers::Options(const std::string& player) const {
    return ReadPlayerOptions(ReadUsers().ini, player);
}

std::string tPlayers::Latest() const {
    const tUsersFile file = ReadUsers();
    const std::vector<std::string>& lines = file.ini.Lines();
    for (auto line = lines.rbegin(); line != lines.rend(); ++line)
        if (IsSectionHeader(*line))
            return line->substr(1, line->size() - 2);
    return {};
}

void tPlayers::Save(const std::string& player, const tPlayerOptions& options) const {
    Store(player, options, false);
}

void tPlayers::SaveAtLogIn(const std::string& player, const tPlayerOptions& options) const {
    Store(player, options, true);
}

void tPlayers::Store(const std::string& player, const tPlayerOptions& options, bool latest) const {
    tUsersFile file = ReadUsers();
    if (!file.writable)
        return;
    WritePlayerOptions(file.ini, player, options);
    if (latest)
        file.ini.MoveSectionToEnd(player);
    try {
        file.ini.SaveCompressedFile(UsersPath());
    } catch (const tSaveError& error) {
        ShowMessageBox(LangFormat(
            "s0100", {QFile::decodeName(QByteArray::fromStdString(UsersPath())), SaveReason(error)}));
    }
}

bool AcceptableNameText(const QString& text) {
    if (!IsRepresentable(text))
        return false;
    return ValidUserName(ToCodePage(text)) || text.isEmpty();
}

int NameLengthLimit(const QString& text, const QFont& font, int limitWidth) {
    return QFontMetrics(font).horizontalAdvance(text) < limitWidth ? static_cast<int>(text.size()) + 1 : -1;
}
