// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uLang.h"
#include "platform/uBaseDir.h"
#include "platform/uShell.h"
#include "shell/uHelp.h"
#include "tests/support/ScopedBaseDir.h"
#include "tests/support/ShellRecorder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Help : public ::testing::Test {
protected:
    QTemporaryDir dir;
    tScopedBaseDir baseDir{dir.path().toStdString()};
    tShellRecorder shell;
    std::vector<std::string>& opened = shell.opened;

    void SetUp() override {
        QDir(dir.path()).mkpath("lang/docs");
        Touch("lang/help.html");
        Touch("lang/\xd0\xbf\xd0\xbe\xd0\xbc\xd0\xbe\xd1\x89\xd1\x8c.txt");
        Touch("secret.txt");
        QFile::link(dir.filePath("secret.txt"), dir.filePath("lang/link.html"));
    }
    void TearDown() override { LanguageTable.Help.clear(); }

    void Touch(const char* name) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    std::string Lang(const char* name) const {
        return QDir(dir.filePath("lang")).absoluteFilePath(QString::fromUtf8(name)).toStdString();
    }
};

} // namespace

TEST_F(Help, OpensOnlyARegularFileDirectlyInTheLangFolder) {
    const std::string lang = BasePath("lang");
    EXPECT_EQ(ConfinedHelpPath(lang, "help.html"), Lang("help.html"));
    // A name from a language file finds the file of that name.
    EXPECT_EQ(ConfinedHelpPath(lang, QString::fromUtf8("помощь.txt")),
              Lang("\xd0\xbf\xd0\xbe\xd0\xbc\xd0\xbe\xd1\x89\xd1\x8c.txt"));
    for (const char* refused : {"", "../secret.txt", "..", "docs", "docs/../help.html", "/etc/passwd",
                                "..\\secret.txt", "missing.html", "link.html", "help..html"}) {
        EXPECT_EQ(ConfinedHelpPath(lang, refused), "") << refused;
    }
    EXPECT_EQ(ConfinedHelpPath(lang, QString::fromUtf8("help.html\0x", 11)), "");
}

TEST_F(Help, TheHelpButtonOpensTheLanguagesDocumentAndNothingElse) {
    LanguageTable.Help.clear();
    iHelpClick();
    EXPECT_TRUE(opened.empty()) << "the built-in language names no help";
    LanguageTable.Help = "../secret.txt";
    iHelpClick();
    EXPECT_TRUE(opened.empty());
    LanguageTable.Help = "help.html";
    iHelpClick();
    EXPECT_EQ(opened, std::vector<std::string>{Lang("help.html")});
}
