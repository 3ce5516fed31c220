// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uShell.h"
#include "tests/support/ShellRecorder.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(Shell, AddressesKeepTheirFormAndPathsBecomeAbsoluteFileUrls) {
    // Qt writes encoded letters and digits plainly, an equivalent address; every other byte stays encoded.
    EXPECT_EQ(ShellUrl("https://stakkar.example.org/index.php?tab=hscore&data=%36%34%7C%25")
                  .toEncoded()
                  .toStdString(),
              "https://stakkar.example.org/index.php?tab=hscore&data=64%7C%25");
    EXPECT_EQ(ShellUrl("mailto:stakkar@example.org").scheme(), "mailto");
    EXPECT_EQ(ShellUrl("/tmp/lang/read me.html").toString(), "file:///tmp/lang/read me.html");
    const QUrl relative = ShellUrl("lang/help.html");
    EXPECT_TRUE(relative.isLocalFile());
    EXPECT_EQ(relative.toLocalFile(), QDir::current().absoluteFilePath("lang/help.html"));
}

TEST(Shell, TheInstalledOpenerSeesWhatWouldBeOpened) {
    tShellRecorder recorder;
    ShellOpen("mailto:stakkar@example.org");
    EXPECT_EQ(recorder.opened, std::vector<std::string>{"mailto:stakkar@example.org"});
}
