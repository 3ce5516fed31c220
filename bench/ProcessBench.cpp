// SPDX-License-Identifier: GPL-3.0-or-later
// stakkar-bench-process: the game measured from outside as a process, side by side with two falling-block
// games from Debian (ltris and kblocks), on an X server of the benchmark's own: memory at start and in a
// game, the time from the fork to the main window's map in interleaved rounds, and the processor time a game
// costs at the game's fastest start beside kblocks's. Every figure is one "name: value unit" line; lines
// starting with "#" say what was measured.

#include "BenchReport.h"
#include "Interruption.h"
#include "ProcStats.h"
#include "Programs.h"
#include "Session.h"
#include "Strays.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = R"(Usage: stakkar-bench-process [--rounds N] [--verbose]
       stakkar-bench-process --help

Measures the game (the stakkar beside this program) from outside, beside ltris and kblocks, on an Xvfb
display of its own with no window manager, each program started afresh with new home, XDG and data folders:
  - resident, proportional and private memory (Rss, Pss, USS from /proc/PID/smaps_rollup) 2 s after the main
    window is shown and 5 s into a game;
  - the time from the fork to the map of the main window, in N interleaved rounds (10 by default) after one
    unmeasured start of each, as min, median and max;
  - processor use while a game runs with no input: the game at its fastest start (Impossible, start level 10,
    set on its options page, checked in the high scores it stores; F2 begins each next game at a game over),
    kblocks at its first difficulty and ltris in its demo game; with the X server's share over the same time,
    and how often a second the program's threads slept and were woken (voluntary context switches).
It needs Xvfb (package xvfb) and, for the peers, ltris and kblocks (apt-get install ltris kblocks; kblocks
also needs dbus-daemon); a peer that is not installed is skipped and the report says so. It takes about three
minutes and prints the load average before and after. --verbose tells every window mapped on standard error.
Exit status: 0 when every installed program was measured, 1 when something failed, 2 on bad usage.
)";

// The whole run may take this long, and this much more for each round of starts.
constexpr unsigned kTimeLimitSeconds = 600;
constexpr unsigned kTimeLimitPerRound = 30;
constexpr double kSettleAtStart = 2.0;
constexpr double kIntoGame = 5.0;
constexpr double kCpuSeconds = 30.0;
constexpr double kLtrisCpuSeconds = 15.0;
// A game with no input at the fastest start is over in seconds; at the slowest it takes minutes.
constexpr double kGameOverSeconds = 30.0;
constexpr double kAfterNewGame = 0.25;
constexpr int kDefaultRounds = 10;

struct tOptions {
    int Rounds = kDefaultRounds;
    bool Verbose = false;
};

using tClock = std::chrono::steady_clock;

double Since(tClock::time_point start) {
    return std::chrono::duration<double>(tClock::now() - start).count();
}

void Note(const std::string& text) {
    std::printf("# %s\n", text.c_str());
    std::fflush(stdout);
}

void PrintMemory(const std::string& prefix, const tMemory& memory) {
    Print((prefix + "_rss").c_str(), static_cast<double>(memory.RssKb) / 1024.0, "MiB");
    Print((prefix + "_pss").c_str(), static_cast<double>(memory.PssKb) / 1024.0, "MiB");
    Print((prefix + "_uss").c_str(), static_cast<double>(memory.UssKb) / 1024.0, "MiB");
    Print((prefix + "_private_dirty").c_str(), static_cast<double>(memory.PrivateDirtyKb) / 1024.0, "MiB");
}

void PrintLoad(const char* when) {
    std::printf("load_average_%s: %s (1, 5, 15 min)\n", when, LoadAverage().c_str());
    std::fflush(stdout);
}

// A program's processor time and the X server's over one stretch of wall time, as shares of one core.
struct tCpuShares {
    double Program = 0.0;
    double Server = 0.0;
    double Seconds = 0.0;
    // The program's threads' sleeps a second: what its timers and the X connection wake it for.
    double WakeUps = 0.0;

    void Print(const std::string& prefix) const {
        ::Print((prefix + "_cpu_of_a_core").c_str(), 100.0 * Program, "%");
        ::Print((prefix + "_xvfb_cpu_of_a_core").c_str(), 100.0 * Server, "%");
        ::Print((prefix + "_wakeups_a_second").c_str(), WakeUps, "/s");
        ::Print((prefix + "_measured").c_str(), Seconds, "s");
    }
};

class tCpuSpan {
public:
    tCpuSpan(pid_t program, pid_t server)
        : program_(program), server_(server), start_(tClock::now()), programStart_(ReadCpuSeconds(program)),
          serverStart_(ReadCpuSeconds(server)), wakeUpsStart_(ReadWakeUps(program)) {}

    tCpuShares Now() const {
        const double wall = Since(start_);
        return {(ReadCpuSeconds(program_) - programStart_) / wall,
                (ReadCpuSeconds(server_) - serverStart_) / wall, wall,
                static_cast<double>(ReadWakeUps(program_) - wakeUpsStart_) / wall};
    }

private:
    pid_t program_;
    pid_t server_;
    tClock::time_point start_;
    double programStart_;
    double serverStart_;
    long long wakeUpsStart_;
};

// What tells a file was written anew: the game replaces hscore.dat in one step at every game over.
struct tFileStamp {
    bool Exists = false;
    ino_t Inode = 0;
    long long ModifiedNs = 0;
    off_t Size = 0;
    bool operator==(const tFileStamp&) const = default;
};

tFileStamp StampOf(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return {};
    }
    return {true, status.st_ino, status.st_mtim.tv_sec * 1'000'000'000LL + status.st_mtim.tv_nsec,
            status.st_size};
}

// Begins a game in the program as its GameNote says, and makes sure the window changed on it: a program that
// let the keys or clicks pass unseen would otherwise be measured in its menu. Returns when the game began.
tClock::time_point BeginGame(tSession& session, const tProgram& program, const tLaunched& launched) {
    const uint64_t before = session.Watch().PictureDigest(launched.Window.Id);
    program.StartGame(session, launched);
    const auto begun = tClock::now();
    Pause(1.0);
    if (session.Watch().PictureDigest(launched.Window.Id) == before) {
        throw std::runtime_error(program.Name + "'s window did not change on " + program.GameNote +
                                 ": no game began");
    }
    return begun;
}

class tBench {
public:
    tBench(const tOptions& options, const std::string& benchFolder)
        : options_(options), benchFolder_(benchFolder), session_(options.Verbose),
          programs_(FindPrograms(benchFolder, session_.HasSessionBus())) {
        if (programs_.front().Path.empty()) {
            throw std::runtime_error("the game is not beside this program (" + programs_.front().Missing +
                                     ")");
        }
        for (const tProgram& program : programs_) {
            if (program.Path.empty()) {
                Note(program.Name + " is skipped: it is not installed (" + program.Missing + ")");
                std::fprintf(stderr, "stakkar-bench-process: %s is skipped: not installed (%s)\n",
                             program.Name.c_str(), program.Missing.c_str());
            }
        }
        Note("display " + session_.Display() + " (Xvfb 1280x1024x24, no window manager), session bus: " +
             (session_.HasSessionBus() ? "a private dbus-daemon" : "none"));
    }

    bool Run() {
        Guarded("memory", [this] { Memory(); });
        Guarded("start-up", [this] { StartUp(); });
        Guarded("processor use", [this] { Processor(); });
        return failures_ == 0;
    }

private:
    // A program that fails is told and the rest goes on; the exit status tells it in the end.
    template <typename tWork> void Guarded(const char* part, tWork work) {
        try {
            work();
        } catch (const tInterrupted&) {
            throw;
        } catch (const std::exception& e) {
            // The failed program is gone with the unwinding; what it started must not weigh on the next one.
            session_.EndLeftovers();
            ++failures_;
            Note(std::string(part) + " failed: " + e.what());
            std::fprintf(stderr, "stakkar-bench-process: %s failed: %s\n", part, e.what());
        }
    }

    const tProgram* Find(const std::string& name) const {
        for (const tProgram& program : programs_) {
            if (program.Name == name && !program.Path.empty()) {
                return &program;
            }
        }
        return nullptr;
    }

    void Memory() {
        Note("memory: Rss, Pss, USS (Private_Clean + Private_Dirty) and Private_Dirty of the program's "
             "process, " +
             std::to_string(static_cast<int>(kSettleAtStart)) + " s after its main window was mapped, then " +
             std::to_string(static_cast<int>(kIntoGame)) + " s into a game begun so:");
        for (const tProgram& program : programs_) {
            if (!program.Path.empty()) {
                Note("  " + program.Name + ": " + program.GameNote);
            }
        }
        Note("  (Pss and USS count a library's pages as shared only while another process maps them:");
        Note("  a Qt program running beside the bench lowers the Qt programs' figures; Private_Dirty stays)");
        for (const tProgram& program : programs_) {
            if (program.Path.empty()) {
                continue;
            }
            Guarded(program.Name.c_str(), [&] {
                tLaunched launched = session_.Launch(program);
                Pause(kSettleAtStart);
                PrintMemory(program.Name + "_start", ReadMemory(launched.Child->Pid()));
                const auto begun = BeginGame(session_, program, launched);
                Pause(kIntoGame - Since(begun));
                PrintMemory(program.Name + "_game", ReadMemory(launched.Child->Pid()));
                session_.End(launched);
            });
        }
    }

    void StartUp() {
        Note("start-up: from the fork to the MapNotify of the main window (not a splash), " +
             std::to_string(options_.Rounds) + " rounds taking turns, after one unmeasured start of each");
        std::map<std::string, std::vector<double>> times;
        for (int round = -1; round < options_.Rounds; ++round) {
            for (const tProgram& program : programs_) {
                if (program.Path.empty()) {
                    continue;
                }
                tLaunched launched = session_.Launch(program);
                if (round >= 0) {
                    times[program.Name].push_back(launched.StartUpMs);
                }
                session_.End(launched);
            }
        }
        for (const tProgram& program : programs_) {
            const std::vector<double>& measured = times[program.Name];
            if (measured.empty()) {
                continue;
            }
            const std::string prefix = program.Name + "_start_up_to_main_window";
            Print((prefix + "_min").c_str(), Percentile(measured, 0.0), "ms");
            Print((prefix + "_median").c_str(), Median(measured), "ms");
            Print((prefix + "_max").c_str(), Percentile(measured, 1.0), "ms");
        }
    }

    void Processor() {
        Note("processor use: utime + stime of the program's process (and of Xvfb) over the wall time given; "
             "wake-ups: the voluntary context switches of the program's threads a second");
        std::optional<double> game;
        std::optional<double> kblocks;
        if (const tProgram* program = Find("stakkar")) {
            Guarded("stakkar", [&] { game = FastestGame(*program); });
        }
        if (const tProgram* program = Find("kblocks")) {
            Guarded("kblocks", [&] { kblocks = PeerGame(*program, kCpuSeconds, "kblocks_game"); });
        }
        if (const tProgram* program = Find("ltris")) {
            Guarded("ltris", [&] { PeerGame(*program, kLtrisCpuSeconds, "ltris_demo_game"); });
        }
        if (game && kblocks && *kblocks > 0.0) {
            Print("stakkar_fastest_cpu_to_kblocks", *game / *kblocks, "ratio");
        }
    }

    // Games with no input at the fastest start, one after another for kCpuSeconds: each game over is seen
    // by hscore.dat being written, and F2 begins the next game.
    double FastestGame(const tProgram& program) {
        tLaunched launched = session_.Launch(program);
        LogIn(session_, launched);
        ChooseFastestStart(session_, launched);
        const std::string scores = launched.DataFolder + "/hscore.dat";
        tFileStamp stamp = StampOf(scores);
        tFakeInput& input = session_.Input();
        input.Key("F2");
        auto begun = tClock::now();
        Pause(kAfterNewGame);
        const tCpuSpan span(launched.Child->Pid(), session_.ServerPid());
        const auto start = tClock::now();
        std::vector<double> lengths;
        for (;;) {
            while (StampOf(scores) == stamp) {
                if (Since(begun) > kGameOverSeconds) {
                    throw std::runtime_error(
                        "stakkar: no game over within " + std::to_string(static_cast<int>(kGameOverSeconds)) +
                        " s with no input: the options page did not take the fastest start");
                }
                if (!launched.Child->Running()) {
                    throw std::runtime_error("stakkar ended during a game; its output: " +
                                             launched.Child->LogTail());
                }
                Pause(0.005);
            }
            lengths.push_back(Since(begun));
            stamp = StampOf(scores);
            if (Since(start) >= kCpuSeconds) {
                break;
            }
            input.Key("F2");
            begun = tClock::now();
        }
        const tCpuShares shares = span.Now();
        session_.End(launched);
        CheckFastestStart(benchFolder_, launched.DataFolder);
        Note("stakkar: games with no input at " + FastestStartName() +
             " (set on its options page; every stored game checked), each next one begun with F2 at the game "
             "over");
        shares.Print("stakkar_fastest_game");
        Print("stakkar_fastest_games", static_cast<double>(lengths.size()), "games");
        double total = 0.0;
        for (const double length : lengths) {
            total += length;
        }
        Print("stakkar_fastest_game_length_mean", total / static_cast<double>(lengths.size()), "s");
        return shares.Program;
    }

    double PeerGame(const tProgram& program, double seconds, const std::string& prefix) {
        tLaunched launched = session_.Launch(program);
        // As in the memory figures: ltris takes no clicks while it is still starting.
        Pause(kSettleAtStart);
        BeginGame(session_, program, launched);
        const tCpuSpan span(launched.Child->Pid(), session_.ServerPid());
        Pause(seconds);
        if (!launched.Child->Running()) {
            throw std::runtime_error(program.Name +
                                     " ended during its game; its output: " + launched.Child->LogTail());
        }
        const tCpuShares shares = span.Now();
        session_.End(launched);
        Note(program.Name + ": " + program.GameNote + ", no input");
        shares.Print(prefix);
        return shares.Program;
    }

    tOptions options_;
    std::string benchFolder_;
    tSession session_;
    std::vector<tProgram> programs_;
    int failures_ = 0;
};

std::string BenchFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

// Bad usage: std::nullopt, after telling why.
std::optional<tOptions> ParseOptions(int argc, char** argv) {
    tOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--verbose") {
            options.Verbose = true;
        } else if (argument == "--rounds" && i + 1 < argc) {
            char* end = nullptr;
            const long rounds = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || rounds < 1 || rounds > 1000) {
                std::fprintf(stderr, "stakkar-bench-process: --rounds takes a number from 1 to 1000\n");
                return std::nullopt;
            }
            options.Rounds = static_cast<int>(rounds);
        } else {
            std::fprintf(stderr, "stakkar-bench-process: unknown argument %s\n\n%s", argument.c_str(),
                         kUsage);
            return std::nullopt;
        }
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const std::optional<tOptions> options = ParseOptions(argc, argv);
    if (!options) {
        return 2;
    }
    try {
        CatchInterruptions(kTimeLimitSeconds + kTimeLimitPerRound * static_cast<unsigned>(options->Rounds));
        BecomeSubreaper();
        PrintLoad("before");
        bool complete = false;
        {
            tBench bench(*options, BenchFolder());
            complete = bench.Run();
        }
        PrintLoad("after");
        return complete ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "stakkar-bench-process: %s\n", e.what());
        EndStrays({});
        return 1;
    }
}
