// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uSound.h"
#include "platform/uResource.h"
#include "tests/support/SoundRecorder.h"

#include <QByteArray>
#include <QFile>
#include <QTest>
#include <QtGlobal>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

uint32_t Read32(const QByteArray& data, int at) {
    return static_cast<uint8_t>(data[at]) | static_cast<uint8_t>(data[at + 1]) << 8 |
           static_cast<uint8_t>(data[at + 2]) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(data[at + 3])) << 24;
}

uint16_t Read16(const QByteArray& data, int at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(data[at]) | static_cast<uint8_t>(data[at + 1]) << 8);
}

bool Mapped(const char* library) {
    QFile maps("/proc/self/maps");
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

std::vector<std::string>* warnings = nullptr;

void RecordWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && warnings != nullptr) {
        warnings->push_back(text.toStdString());
    }
}

} // namespace

TEST(BuiltInSounds, AreEightBitMonoPcmAt8000HzWithTheirExactLengths) {
    const struct {
        const char* name;
        uint32_t samples;
    } sounds[] = {{"drop", 1153}, {"lines", 392}, {"error", 3100}, {"login", 8879}};
    for (const auto& sound : sounds) {
        SCOPED_TRACE(sound.name);
        const QByteArray wav = LoadResourceData(std::string(":/sounds/") + sound.name + ".wav");
        ASSERT_GE(wav.size(), 44);
        EXPECT_EQ(wav.left(4), "RIFF");
        EXPECT_EQ(Read32(wav, 4), static_cast<uint32_t>(wav.size()) - 8);
        EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(Read32(wav, 16), 16u);
        EXPECT_EQ(Read16(wav, 20), 1) << "PCM";
        EXPECT_EQ(Read16(wav, 22), 1) << "mono";
        EXPECT_EQ(Read32(wav, 24), 8000u);
        EXPECT_EQ(Read32(wav, 28), 8000u);
        EXPECT_EQ(Read16(wav, 32), 1);
        EXPECT_EQ(Read16(wav, 34), 8);
        EXPECT_EQ(wav.mid(36, 4), "data");
        ASSERT_EQ(Read32(wav, 40), sound.samples);
        ASSERT_GE(static_cast<uint32_t>(wav.size()), 44 + sound.samples);
        // Audible, unclipped, and starting and ending at silence so that cutting one off does not click.
        int lowest = 255;
        int highest = 0;
        for (uint32_t i = 0; i < sound.samples; ++i) {
            const int level = static_cast<uint8_t>(wav[static_cast<int>(44 + i)]);
            lowest = std::min(lowest, level);
            highest = std::max(highest, level);
        }
        EXPECT_GT(highest - lowest, 100);
        EXPECT_GT(lowest, 0);
        EXPECT_LT(highest, 255);
        EXPECT_NEAR(static_cast<uint8_t>(wav[44]), 128, 2);
        EXPECT_NEAR(static_cast<uint8_t>(wav[static_cast<int>(44 + sound.samples - 1)]), 128, 2);
    }
}

TEST(PlayResourceSound, HandsTheNameToThePlayerOnlyWhenEnabled) {
    std::vector<std::string> played;
    {
        tSoundRecorder recorder;
        PlayResourceSound("Drop", false);
        PlayResourceSound("Lines", true);
        PlayResourceSound("Error", true);
        played = recorder.sounds;
    }
    EXPECT_EQ(played, (std::vector<std::string>{"Lines", "Error"}));
    // With no player installed nothing sounds and nothing is asked of the sound output.
    PlayResourceSound("Drop", true);
}

TEST(PlayResourceSound, AnUnknownNameOrAMachineWithoutSoundPlaysNothingAndSaysNothing) {
    std::vector<std::string> seen;
    warnings = &seen;
    const QtMessageHandler previous = qInstallMessageHandler(RecordWarning);
    // The sound library is not part of the program until the first sound that exists is played.
    PlayOnSoundOutput("NoSuchSound");
    EXPECT_FALSE(Mapped("libasound"));
    PlayOnSoundOutput("dRoP");
    PlayOnSoundOutput("LOGIN");
    EXPECT_TRUE(QTest::qWaitFor([] { return Mapped("libasound"); }, 5000));
    qInstallMessageHandler(previous);
    warnings = nullptr;
    EXPECT_TRUE(seen.empty()) << seen.front();
}
