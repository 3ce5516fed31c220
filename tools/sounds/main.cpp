// SPDX-License-Identifier: GPL-3.0-or-later
// Synthesises the four built-in sounds as WAV files: PCM, one channel, 8000 samples per second, 8 bits.
// Usage: stakkar-sounds <output folder>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 8000;
constexpr double kPi = 3.14159265358979323846;

using tSignal = std::vector<double>;

// Sounds start and end at silence so that no click is heard when one cuts off another.
void FadeEdges(tSignal& signal, double fadeIn, double fadeOut) {
    const auto in = static_cast<size_t>(fadeIn * kRate);
    const auto out = static_cast<size_t>(fadeOut * kRate);
    for (size_t i = 0; i < signal.size(); ++i) {
        double gain = 1.0;
        if (i < in) {
            gain = static_cast<double>(i) / static_cast<double>(in);
        }
        const size_t left = signal.size() - 1 - i;
        if (left < out) {
            gain = std::min(gain, static_cast<double>(left) / static_cast<double>(out));
        }
        signal[i] *= gain;
    }
}

void Normalise(tSignal& signal, double peak) {
    double highest = 0.0;
    for (const double s : signal) {
        highest = std::max(highest, std::fabs(s));
    }
    if (highest > 0.0) {
        for (double& s : signal) {
            s *= peak / highest;
        }
    }
}

// A soft thud: a low tone whose pitch falls quickly, with a muffled knock at its start.
tSignal Drop() {
    tSignal signal(1153);
    double phase = 0.0;
    double knock = 0.0;
    uint32_t noise = 12345;
    for (size_t i = 0; i < signal.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double pitch = 65.0 + 120.0 * std::exp(-t / 0.03);
        phase += 2.0 * kPi * pitch / kRate;
        const double body = std::sin(phase) * std::exp(-t / 0.05);
        noise = noise * 1664525u + 1013904223u;
        const double white = static_cast<double>(noise >> 8) / 8388608.0 - 1.0;
        knock += 0.08 * (white - knock);
        signal[i] = body + 0.9 * knock * std::exp(-t / 0.008);
    }
    FadeEdges(signal, 0.001, 0.02);
    Normalise(signal, 0.8);
    return signal;
}

// A bright chime: a high bell partial series that rings out fast.
tSignal Lines() {
    tSignal signal(392);
    const double partials[][2] = {{1568.0, 1.0}, {2349.3, 0.55}, {3136.0, 0.3}};
    for (size_t i = 0; i < signal.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double s = 0.0;
        for (const auto& [frequency, level] : partials) {
            s += level * std::sin(2.0 * kPi * frequency * t) * std::exp(-t * frequency / 60000.0);
        }
        signal[i] = s * std::exp(-t / 0.03);
    }
    FadeEdges(signal, 0.002, 0.008);
    Normalise(signal, 0.6);
    return signal;
}

// A short low buzz in two falling pulses, its harmonics kept below half the sample rate.
tSignal Error() {
    tSignal signal(3100);
    const struct { double start, length, pitch; } pulses[] = {{0.0, 0.16, 150.0}, {0.205, 0.18, 112.0}};
    for (const auto& pulse : pulses) {
        const auto first = static_cast<size_t>(pulse.start * kRate);
        const auto count = static_cast<size_t>(pulse.length * kRate);
        for (size_t j = 0; j < count && first + j < signal.size(); ++j) {
            const double t = static_cast<double>(j) / kRate;
            double s = 0.0;
            for (int k = 1; k * pulse.pitch < 3600.0; k += 2) {
                s += std::sin(2.0 * kPi * k * pulse.pitch * t) / (k * std::sqrt(static_cast<double>(k)));
            }
            const double attack = std::min(1.0, t / 0.006);
            const double release = std::min(1.0, (pulse.length - t) / 0.03);
            signal[first + j] += s * attack * release;
        }
    }
    FadeEdges(signal, 0.001, 0.01);
    Normalise(signal, 0.5);
    return signal;
}

// A rising arpeggio C-E-G-C, each note a soft bell that keeps ringing under the next.
tSignal Login() {
    tSignal signal(8879);
    const double notes[] = {523.25, 659.26, 783.99, 1046.50};
    for (int n = 0; n < 4; ++n) {
        const auto first = static_cast<size_t>(0.13 * n * kRate);
        const double decay = n == 3 ? 0.32 : 0.22;
        for (size_t j = 0; first + j < signal.size(); ++j) {
            const double t = static_cast<double>(j) / kRate;
            const double f = notes[n];
            const double tone = std::sin(2.0 * kPi * f * t) +
                                0.3 * std::sin(4.0 * kPi * f * t) * std::exp(-t / 0.08) +
                                0.08 * std::sin(6.0 * kPi * f * t) * std::exp(-t / 0.04);
            signal[first + j] += tone * std::min(1.0, t / 0.004) * std::exp(-t / decay);
        }
    }
    FadeEdges(signal, 0.001, 0.06);
    Normalise(signal, 0.7);
    return signal;
}

void Put16(std::string& out, uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void Put32(std::string& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

bool WriteWav(const std::string& path, const tSignal& signal) {
    const auto samples = static_cast<uint32_t>(signal.size());
    std::string wav = "RIFF";
    Put32(wav, 36 + samples + (samples & 1));
    wav += "WAVEfmt ";
    Put32(wav, 16);
    Put16(wav, 1);     // PCM
    Put16(wav, 1);     // mono
    Put32(wav, kRate); // samples per second
    Put32(wav, kRate); // bytes per second
    Put16(wav, 1);     // bytes per sample frame
    Put16(wav, 8);     // bits per sample
    wav += "data";
    Put32(wav, samples);
    for (const double s : signal) {
        const long level = std::lround(128.0 + 127.0 * std::clamp(s, -1.0, 1.0));
        wav += static_cast<char>(static_cast<uint8_t>(level));
    }
    if ((samples & 1) != 0) {
        wav += '\0'; // chunks are padded to an even length
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(wav.data(), 1, wav.size(), file) == wav.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const struct {
        const char* name;
        std::function<tSignal()> make;
    } sounds[] = {{"drop", Drop}, {"lines", Lines}, {"error", Error}, {"login", Login}};
    for (const auto& sound : sounds) {
        const std::string path = folder + "/" + sound.name + ".wav";
        if (!WriteWav(path, sound.make())) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
