// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uSound.h"

#include "platform/uCodePage.h"

#include <QByteArray>
#include <QFile>
#include <alsa/asoundlib.h>
#include <condition_variable>
#include <cstring>
#include <dlfcn.h>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace {

tSoundPlayer& Player() {
    static tSoundPlayer player;
    return player;
}

// The one format of the built-in sounds; ALSA converts it to whatever the machine plays.
constexpr unsigned kRate = 8000;
constexpr unsigned kLatencyUs = 50000;
// A new sound cuts off the playing one within this many frames.
constexpr snd_pcm_uframes_t kChunkFrames = kRate / 50;

uint32_t Little32(const char* bytes) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<uint8_t>(bytes[i]);
    }
    return value;
}

// The samples of a built-in WAV file: unsigned 8-bit mono PCM at kRate, or nothing for an unknown name or any
// other file.
std::optional<QByteArray> Samples(const std::string& lowerName) {
    QFile file(":/sounds/" + QString::fromLatin1(lowerName) + ".wav");
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray wav = file.readAll();
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE") {
        return std::nullopt;
    }
    bool pcm8Mono = false;
    for (qsizetype at = 12; at + 8 <= wav.size();) {
        const QByteArray id = wav.mid(at, 4);
        const qsizetype size = Little32(wav.constData() + at + 4);
        const qsizetype body = at + 8;
        if (size > wav.size() - body) {
            return std::nullopt;
        }
        if (id == "fmt " && size >= 16) {
            const char* f = wav.constData() + body;
            pcm8Mono = (Little32(f) & 0xffffu) == 1 && (Little32(f) >> 16) == 1 && Little32(f + 4) == kRate &&
                       (Little32(f + 12) >> 16) == 8;
        } else if (id == "data" && pcm8Mono && size > 0) {
            return wav.mid(body, size);
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

void Quiet(const char*, int, const char*, int, const char*, ...) {}

// The parts of ALSA the output uses, loaded from the library when the first sound plays.
struct tAlsa {
    void* Library = nullptr;
    decltype(&snd_lib_error_set_handler) SetErrorHandler = nullptr;
    decltype(&snd_pcm_open) Open = nullptr;
    decltype(&snd_pcm_set_params) SetParams = nullptr;
    decltype(&snd_pcm_writei) Write = nullptr;
    decltype(&snd_pcm_recover) Recover = nullptr;
    decltype(&snd_pcm_drop) Drop = nullptr;
    decltype(&snd_pcm_prepare) Prepare = nullptr;
    decltype(&snd_pcm_close) Close = nullptr;
    decltype(&snd_config_update_free_global) FreeConfig = nullptr;

    bool Load() {
        Library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        return Library != nullptr && Find(SetErrorHandler, "snd_lib_error_set_handler") &&
               Find(Open, "snd_pcm_open") && Find(SetParams, "snd_pcm_set_params") &&
               Find(Write, "snd_pcm_writei") && Find(Recover, "snd_pcm_recover") &&
               Find(Drop, "snd_pcm_drop") && Find(Prepare, "snd_pcm_prepare") &&
               Find(Close, "snd_pcm_close") && Find(FreeConfig, "snd_config_update_free_global");
    }
    template <typename tFunction> bool Find(tFunction& function, const char* name) {
        function = reinterpret_cast<tFunction>(dlsym(Library, name));
        return function != nullptr;
    }
};

// The machine's sound output, run by a thread of its own that starts with the first sound: the sound library
// and the audio system load then, not at start, and a slow sound server never holds up the game. A machine
// without sound output stays silent, and so does the console.
class tSoundOutput {
public:
    ~tSoundOutput() {
        {
            const std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_one();
        if (worker_.joinable()) {
            worker_.join();
        }
    }

    void Play(const std::string& lowerName) {
        auto found = samples_.find(lowerName);
        if (found == samples_.end()) {
            found = samples_.emplace(lowerName, Samples(lowerName)).first;
        }
        if (!found->second) {
            return;
        }
        {
            const std::lock_guard lock(mutex_);
            next_ = *found->second;
            if (!worker_.joinable()) {
                worker_ = std::thread([this] { Run(); });
            }
        }
        wake_.notify_one();
    }

private:
    void Run() {
        tAlsa alsa;
        snd_pcm_t* pcm = nullptr;
        if (!alsa.Load() ||
            (alsa.SetErrorHandler(Quiet), alsa.Open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0)) < 0) {
            pcm = nullptr;
        } else if (alsa.SetParams(pcm, SND_PCM_FORMAT_U8, SND_PCM_ACCESS_RW_INTERLEAVED, 1, kRate, 1,
                                  kLatencyUs) < 0) {
            alsa.Close(pcm);
            pcm = nullptr;
        }
        // Without an output the sounds asked for are dropped, until the program ends.
        for (QByteArray sound; Next(sound);) {
            if (pcm != nullptr) {
                PlayOn(alsa, pcm, sound);
            }
        }
        if (pcm != nullptr) {
            alsa.Close(pcm);
        }
        if (alsa.Library != nullptr) {
            // The configuration ALSA read on opening lives until it is handed back.
            if (alsa.FreeConfig != nullptr) {
                alsa.FreeConfig();
            }
            dlclose(alsa.Library);
        }
    }

    // Waits for the next sound; false when the program ends.
    bool Next(QByteArray& sound) {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return quit_ || !next_.isEmpty(); });
        sound = std::exchange(next_, {});
        return !quit_;
    }

    bool Interrupted() {
        const std::lock_guard lock(mutex_);
        return quit_ || !next_.isEmpty();
    }

    // Cuts off what still plays and plays the sound, a chunk at a time, until a newer one is asked for.
    void PlayOn(const tAlsa& alsa, snd_pcm_t* pcm, const QByteArray& sound) {
        alsa.Drop(pcm);
        alsa.Prepare(pcm);
        const auto frames = static_cast<snd_pcm_uframes_t>(sound.size());
        for (snd_pcm_uframes_t at = 0; at < frames && !Interrupted();) {
            const snd_pcm_sframes_t written =
                alsa.Write(pcm, sound.constData() + at, std::min(kChunkFrames, frames - at));
            if (written >= 0) {
                at += static_cast<snd_pcm_uframes_t>(written);
            } else if (alsa.Recover(pcm, static_cast<int>(written), 1) < 0) {
                return;
            }
        }
    }

    std::map<std::string, std::optional<QByteArray>> samples_;
    std::mutex mutex_;
    std::condition_variable wake_;
    QByteArray next_;
    bool quit_ = false;
    std::thread worker_;
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
    static tSoundOutput output;
    output.Play(LowerText(name));
}
