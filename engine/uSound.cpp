// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uSound.h"

#include "platform/uCodePage.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>
#include <map>
#include <utility>

namespace {

// Asking for the sound output may make the audio system complain on the console, for instance when no sound
// server runs; a game without sound stays silent.
bool HasSoundOutput() {
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const bool found = !QMediaDevices::defaultAudioOutput().isNull();
    qInstallMessageHandler(previous);
    return found;
}

tSoundPlayer& Player() {
    static tSoundPlayer player;
    return player;
}

// One player: every sound keeps its own loaded effect, but starting one stops whichever played last.
class tEffectPlayer {
public:
    void Play(const std::string& lowerName) {
        const QString path = ":/sounds/" + QString::fromLatin1(lowerName) + ".wav";
        if (!QFile::exists(path) || !HasSoundOutput()) {
            return;
        }
        QPointer<QSoundEffect>& effect = effects_[lowerName];
        if (!effect) {
            // Owned by the application, so the effects go before the audio system does.
            effect = new QSoundEffect(QCoreApplication::instance());
            effect->setSource(QUrl("qrc" + path));
        }
        if (playing_) {
            playing_->stop();
        }
        effect->play();
        playing_ = effect;
    }

private:
    std::map<std::string, QPointer<QSoundEffect>> effects_;
    QPointer<QSoundEffect> playing_;
};

} // namespace

void PlayResourceSound(std::string_view name, bool enabled) {
    if (enabled && Player()) {
        Player()(std::string(name));
    }
}

tSoundPlayer SetSoundPlayer(tSoundPlayer player) {
    return std::exchange(Player(), std::move(player));
}

void PlayOnSoundOutput(const std::string& name) {
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    static tEffectPlayer player;
    player.Play(LowerText(name));
}
