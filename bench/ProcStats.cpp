// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcStats.h"

#include <dirent.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace {

std::string ReadWhole(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        throw std::runtime_error("cannot read " + path + " (the process has ended)");
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The parent of every process, from the fourth field of each /proc/PID/stat.
std::map<pid_t, pid_t> ParentsOfAll() {
    std::map<pid_t, pid_t> parents;
    DIR* proc = opendir("/proc");
    if (proc == nullptr) {
        throw std::runtime_error("cannot list /proc");
    }
    while (const dirent* entry = readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (pid <= 0 || *end != '\0') {
            continue;
        }
        std::ifstream stat("/proc/" + std::string(entry->d_name) + "/stat");
        std::string text;
        if (!std::getline(stat, text)) {
            continue;
        }
        // The name in parentheses may hold spaces and parentheses itself: the fields go on after the last
        // ')'.
        const size_t close = text.rfind(')');
        if (close == std::string::npos) {
            continue;
        }
        std::istringstream rest(text.substr(close + 1));
        std::string state;
        long parent = 0;
        if (rest >> state >> parent) {
            parents[static_cast<pid_t>(pid)] = static_cast<pid_t>(parent);
        }
    }
    closedir(proc);
    return parents;
}

} // namespace

tMemory ReadMemory(pid_t pid) {
    std::istringstream lines(ReadWhole("/proc/" + std::to_string(pid) + "/smaps_rollup"));
    std::map<std::string, long> kb;
    std::string line;
    while (std::getline(lines, line)) {
        const size_t colon = line.find(':');
        if (colon != std::string::npos) {
            kb[line.substr(0, colon)] = std::strtol(line.c_str() + colon + 1, nullptr, 10);
        }
    }
    for (const char* field : {"Rss", "Pss", "Private_Clean", "Private_Dirty"}) {
        if (kb.count(field) == 0) {
            throw std::runtime_error("/proc/" + std::to_string(pid) + "/smaps_rollup has no " + field);
        }
    }
    return {kb["Rss"], kb["Pss"], kb["Private_Clean"] + kb["Private_Dirty"], kb["Private_Dirty"]};
}

double ReadCpuSeconds(pid_t pid) {
    const std::string text = ReadWhole("/proc/" + std::to_string(pid) + "/stat");
    const size_t close = text.rfind(')');
    std::istringstream rest(close == std::string::npos ? std::string() : text.substr(close + 1));
    // After the name: state, ppid, pgrp, session, tty_nr, tpgid, flags, minflt, cminflt, majflt, cmajflt,
    // then utime and stime.
    std::string field;
    for (int skip = 0; skip < 11 && rest >> field; ++skip) {
    }
    unsigned long long user = 0;
    unsigned long long system = 0;
    if (!(rest >> user >> system)) {
        throw std::runtime_error("cannot read the processor times in /proc/" + std::to_string(pid) + "/stat");
    }
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long long ReadWakeUps(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* folder = opendir(tasks.c_str());
    if (folder == nullptr) {
        throw std::runtime_error("cannot list " + tasks + " (the process has ended)");
    }
    long long wakeUps = 0;
    while (const dirent* entry = readdir(folder)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        std::istringstream status;
        try {
            status.str(ReadWhole(tasks + "/" + entry->d_name + "/status"));
        } catch (const std::runtime_error&) {
            continue; // the thread ended meanwhile
        }
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0) {
                wakeUps += std::atoll(line.c_str() + line.find(':') + 1);
            }
        }
    }
    closedir(folder);
    return wakeUps;
}

std::string LoadAverage() {
    std::istringstream fields(ReadWhole("/proc/loadavg"));
    std::string one;
    std::string five;
    std::string fifteen;
    fields >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

std::vector<pid_t> Descendants(pid_t pid) {
    const std::map<pid_t, pid_t> parents = ParentsOfAll();
    std::vector<pid_t> found;
    std::vector<pid_t> open{pid};
    while (!open.empty()) {
        const pid_t parent = open.back();
        open.pop_back();
        for (const auto& [child, itsParent] : parents) {
            if (itsParent == parent) {
                found.push_back(child);
                open.push_back(child);
            }
        }
    }
    return found;
}
