// SPDX-License-Identifier: GPL-3.0-or-later
// stakkar-data: reads and changes Stakkar's data files (users.dat, hscore.dat) and plain INI files (skin.ini,
// language files) from the command line. Arguments are taken as bytes, unchanged.

#include "platform/uBuild.h"
#include "storage/uCRC32.h"
#include "storage/uHSEntry.h"
#include "storage/uPackIni.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: stakkar-data [--plain] COMMAND ARGUMENTS\n"
    "       stakkar-data --help | --version\n"
    "  unpack FILE                          print the whole text\n"
    "  pack FILE                            store the text read from standard input\n"
    "  sections FILE                        print the section names, one a line\n"
    "  get FILE SECTION KEY [DEFAULT]       print a value\n"
    "  getint FILE SECTION KEY DEFAULT      print an integer value\n"
    "  getbool FILE SECTION KEY 0|1         print a boolean value as 1 or 0\n"
    "  set FILE SECTION KEY VALUE           write a value\n"
    "  delete FILE SECTION KEY              delete a key\n"
    "  rename FILE OLD NEW                  rename a section\n"
    "  crc TEXT                             print the checksum of a text\n"
    "  scores FILE                          print every high score table in rank order, with each\n"
    "                                       slot's stored values and whether its checksum holds\n"
    "FILE is a compressed data file, or with --plain a plain-text INI file. Only pack and set create a\n"
    "file that is not there.\n"
    "Exit status: 0 done, 1 the file is damaged or could not be saved (it is left as it was), 2 bad usage,\n"
    "3 the file does not exist.\n";

constexpr int kDamaged = 1;
constexpr int kNoFile = 3;

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

struct tDocumentFile {
    std::string path;
    bool plain = false;
    tStringListPackedINI doc;

    // 0, or the exit status with a message: the file is damaged (and not touched), or it is missing where
    // it must be there. A missing file may only be created.
    int Load(bool mayCreate) {
        std::error_code statError;
        if (!std::filesystem::exists(path, statError) && !statError) {
            if (mayCreate) {
                return 0;
            }
            std::fprintf(stderr, "stakkar-data: %s: no such file\n", path.c_str());
            return kNoFile;
        }
        if (plain) {
            // One that is there but cannot be read must not be saved over as if it were empty.
            if (!doc.LoadFromFile(path)) {
                std::fprintf(stderr, "stakkar-data: %s: cannot be read; left unchanged\n", path.c_str());
                return kDamaged;
            }
            return 0;
        }
        try {
            doc.ReadCompressedFile(path);
            return 0;
        } catch (const tPackError&) {
            std::fprintf(stderr, "stakkar-data: %s: not a Stakkar data file or damaged; left unchanged\n",
                         path.c_str());
            return kDamaged;
        }
    }

    bool Save() const {
        try {
            if (plain) {
                WriteFileAtomically(path, doc.Text());
            } else {
                doc.SaveCompressedFile(path);
            }
            return true;
        } catch (const tSaveError& e) {
            std::fprintf(stderr, "stakkar-data: %s\n", e.what());
            return false;
        }
    }
};

const char* CheckText(const tHSStored& stored, tHSCheck check) {
    switch (check) {
    case tHSCheck::Valid:
        return stored.AnyKey ? "ok" : "empty";
    case tHSCheck::Mismatch:
        return "checksum mismatch";
    case tHSCheck::NotANumber:
        return "level or score not a number";
    }
    return "";
}

// One block a section: the slots ranked as the game ranks them (a slot that fails its check counts as the
// empty entry it is shown as), each with the values it holds in the file, so that a dropped entry shows why.
void PrintScores(const tStringListINI& doc) {
    tStringList sections;
    doc.ReadSections(sections);
    for (const auto& section : sections.Lines()) {
        const auto stored = ReadHSSection(doc, section);
        std::array<tHS, kHSSlots> ranked;
        for (size_t i = 0; i < stored.size(); ++i) {
            ranked[i] = EntryOf(section, stored[i]);
        }
        SortRecords(ranked);
        std::printf("[%s]\nrank\tslot\tname\tlevel\tscore\tstart time\tcheck\n", section.c_str());
        for (size_t rank = 0; rank < ranked.size(); ++rank) {
            const tHSStored& s = stored[static_cast<size_t>(ranked[rank].Slot - 1)];
            const tResultValues& v = s.Values;
            std::printf("%zu\t%d\t%s\t%s\t%s\t%s\t%s\n", rank + 1, s.Slot, v[tResultField::Name].c_str(),
                        v[tResultField::Level].c_str(), v[tResultField::Score].c_str(),
                        v[tResultField::StartTime].c_str(), CheckText(s, CheckStored(section, s)));
        }
    }
}

int Run(std::vector<std::string> args) {
    if (args.size() == 1 && args[0] == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::printf("stakkar-data, %s\n", kVersionLine);
        return 0;
    }
    bool plain = false;
    if (!args.empty() && args[0] == "--plain") {
        plain = true;
        args.erase(args.begin());
    }
    if (args.empty()) {
        return Usage();
    }
    const std::string command = args[0];
    const size_t n = args.size() - 1;

    if (command == "crc") {
        if (n != 1) {
            return Usage();
        }
        std::printf("%u\n", TextCrc32(args[1]));
        return 0;
    }

    struct tShape {
        const char* name;
        size_t min;
        size_t max;
    };
    static const tShape shapes[] = {{"unpack", 1, 1}, {"pack", 1, 1},    {"sections", 1, 1}, {"get", 3, 4},
                                    {"getint", 4, 4}, {"getbool", 4, 4}, {"set", 4, 4},      {"delete", 3, 3},
                                    {"rename", 3, 3}, {"scores", 1, 1}};
    const tShape* shape = nullptr;
    for (const auto& s : shapes) {
        if (command == s.name) {
            shape = &s;
        }
    }
    if (shape == nullptr || n < shape->min || n > shape->max) {
        return Usage();
    }
    std::optional<int32_t> intDefault;
    if (command == "getint" || command == "getbool") {
        intDefault = ParseInteger(args[4]);
        if (!intDefault || (command == "getbool" && *intDefault != 0 && *intDefault != 1)) {
            return Usage();
        }
    }

    tDocumentFile file{args[1], plain, {}};
    if (command == "pack") {
        const std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
        file.doc.SetText(text);
        return file.Save() ? 0 : 1;
    }
    if (const int status = file.Load(command == "set")) {
        return status;
    }
    tStringListPackedINI& doc = file.doc;
    if (command == "unpack") {
        const std::string text = doc.Text();
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    if (command == "scores") {
        PrintScores(doc);
        return 0;
    }
    if (command == "sections") {
        tStringList names;
        doc.ReadSections(names);
        for (const auto& name : names.Lines()) {
            std::printf("%s\n", name.c_str());
        }
        return 0;
    }
    if (command == "get") {
        const std::string value = doc.ReadString(args[2], args[3], n == 4 ? args[4] : "") + "\n";
        std::fwrite(value.data(), 1, value.size(), stdout);
        return 0;
    }
    if (command == "getint") {
        std::printf("%d\n", doc.ReadInteger(args[2], args[3], *intDefault));
        return 0;
    }
    if (command == "getbool") {
        std::printf("%d\n", doc.ReadBool(args[2], args[3], *intDefault != 0) ? 1 : 0);
        return 0;
    }
    if (command == "set") {
        doc.WriteString(args[2], args[3], args[4]);
    } else if (command == "delete") {
        doc.DeleteKey(args[2], args[3]);
    } else {
        doc.RenameSection(args[2], args[3]);
    }
    return file.Save() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return Run(std::move(args));
}
