// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uPlayerOptions.h"

#include <gtest/gtest.h>

TEST(PlayerOptions, ANewPlayerGetsAll28KeysInTheirOrderWithTheStandardOptions) {
    tStringListINI ini;
    ini.SetText("[Other]\r\nGameMode=Extended\r\n");
    const tPlayerOptions read = ReadPlayerOptions(ini, "Ann");
    EXPECT_EQ(read, tPlayerOptions{});
    WritePlayerOptions(ini, "Ann", read);
    EXPECT_EQ(ini.Text(),
              "[Other]\r\nGameMode=Extended\r\n[Ann]\r\nGameMode=Standart\r\nDifficult=Easy\r\n"
              "StartLevel=1\r\nBrokenLines=0\r\nAutoPause=1\r\nFullScreen=0\r\nSounds=1\r\n"
              "ShowFix=1\r\nShadow=0\r\nAutoSave=1\r\nRotateRight=Up\r\nRotateLeft=End\r\n"
              "MoveLeft=Left\r\nMoveRight=Right\r\nMoveDown=Down\r\nQMoveDown=Space\r\nDrop=Ctrl\r\n"
              "Skin=(Default)\r\nLanguage=(Default)\r\nRotateRightButton=a\r\nRotateLeftButton=b\r\n"
              "MoveLeftButton=dpleft\r\nMoveRightButton=dpright\r\nMoveDownButton=dpdown\r\n"
              "QMoveDownButton=y\r\nDropButton=x\r\nRepeatDelay=500\r\nRepeatRate=30\r\n");
}

TEST(PlayerOptions, EveryOptionComesBackFromItsOwnKey) {
    tPlayerOptions options;
    options.GameType = "Extended";
    options.Difficulty = "Impossible";
    options.StartLevel = 9;
    options.BrokenLines = 12;
    options.AutoPause = !options.AutoPause;
    options.FullScreen = !options.FullScreen;
    options.Sounds = !options.Sounds;
    options.ShowFix = !options.ShowFix;
    options.Shadow = !options.Shadow;
    options.AutoSave = !options.AutoSave;
    options.Keys = {"A", "B", "C", "D", "E", "F", "G"};
    options.Skin = "Aurora";
    options.Language = "Deutsch";
    options.Buttons = {"", "back", "dpup", "leftshoulder", "rightshoulder", "b", "a"};
    options.RepeatDelay = 250;
    options.RepeatRate = 60;
    tStringListINI ini;
    WritePlayerOptions(ini, "Ann", options);
    EXPECT_EQ(ReadPlayerOptions(ini, "ann"), options);
    EXPECT_EQ(ini.ReadString("Ann", "QMoveDown", ""), "F");
    EXPECT_EQ(ini.ReadString("Ann", "AutoPause", ""), "0");
    EXPECT_EQ(ini.ReadString("Ann", "DropButton", ""), "a");
    EXPECT_EQ(ini.ReadString("Ann", "RepeatRate", ""), "60");
}

TEST(PlayerOptions, UnreadableNumbersTakeTheirDefaultsAndFlagsAreAnyInteger) {
    tStringListINI ini;
    ini.SetText("[Bob]\r\nStartLevel=abc\r\nBrokenLines=-3\r\nAutoPause=0\r\nShadow=7\r\nSounds=x\r\n"
                "FullScreen=0x10\r\nGameMode=extended\r\nDrop=F5\r\n");
    const tPlayerOptions options = ReadPlayerOptions(ini, "bob");
    EXPECT_EQ(options.StartLevel, 1);
    EXPECT_EQ(options.BrokenLines, -3);
    EXPECT_FALSE(options.AutoPause);
    EXPECT_TRUE(options.Shadow);
    EXPECT_TRUE(options.Sounds);
    EXPECT_TRUE(options.FullScreen);
    EXPECT_EQ(options.Keys[6], "F5");
    EXPECT_EQ(options.Keys[0], "Up");
    EXPECT_EQ(options.GameType, "extended");
    EXPECT_EQ(options.Difficulty, "Easy");
}
