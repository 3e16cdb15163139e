// Which files this machine can start as a program: the execute bit is not
// enough, since every file on a FAT or NTFS stick carries it.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "PlatformTestSupport.h"
#include "platform/ProgramCheck.h"

namespace tessel {
namespace {

using testing::TempFolder;
using testing::WriteText;

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ProgramCheckTest, OnlyProgramsOfThisMachineAndScriptsWithAnInterpreterRun) {
    TempFolder folder;
    const std::string own = ReadBytes("/proc/self/exe").substr(0, 64);
    ASSERT_EQ(own.substr(0, 4),
              "\x7f"
              "ELF");
    std::string otherWordSize = own;
    otherWordSize[4] = own[4] == 1 ? 2 : 1;
    std::string otherProcessor = own;
    WriteText(folder / "plain", "no program\n");  // without the execute bit
    otherProcessor[18] = static_cast<char>(own[18] + 1);

    const struct {
        const char* name;
        std::string bytes;
        ProgramCheck expected;
    } kCases[] = {
        {"elf", own, ProgramCheck::Runnable},
        {"elf-other-size", otherWordSize, ProgramCheck::OtherMachine},
        {"elf-other-processor", otherProcessor, ProgramCheck::OtherMachine},
        {"elf-cut-short", own.substr(0, 10), ProgramCheck::NotAProgram},
        {"updater.exe", "MZ\x90\0\x03\0\0\0PE\0\0", ProgramCheck::WindowsProgram},
        {"sh", "#!/bin/sh\nexit 0\n", ProgramCheck::Runnable},
        {"env", "#! /usr/bin/env sh\n", ProgramCheck::Runnable},
        {"no-interpreter", "#!/no/such/shell\n", ProgramCheck::MissingInterpreter},
        {"not-a-program-interpreter", "#!" + (folder / "plain").string() + "\n",
         ProgramCheck::MissingInterpreter},
        {"relative-interpreter", "#!sh\n", ProgramCheck::MissingInterpreter},
        {"empty-line", "#!\n", ProgramCheck::MissingInterpreter},
        {"text", "flash the keyboard\n", ProgramCheck::NotAProgram},
        {"empty", "", ProgramCheck::NotAProgram},
    };
    for (const auto& c : kCases) {
        const auto file = folder / c.name;
        WriteText(file, c.bytes);
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
        EXPECT_EQ(CheckProgramRuns(file), c.expected) << c.name;
    }

    const auto notExecutable = folder / "sh-without-bit";
    WriteText(notExecutable, "#!/bin/sh\n");
    std::filesystem::permissions(notExecutable, std::filesystem::perms::owner_read);
    if (access(notExecutable.c_str(), X_OK) != 0) {  // root may run anything
        EXPECT_EQ(CheckProgramRuns(notExecutable), ProgramCheck::NotExecutable);
    }
    EXPECT_EQ(CheckProgramRuns(folder / "missing"), ProgramCheck::NotExecutable);
    EXPECT_EQ(CheckProgramRuns(folder.Path()), ProgramCheck::NotExecutable);
    EXPECT_EQ(CheckProgramRuns({}), ProgramCheck::NotExecutable);
}

}  // namespace
}  // namespace tessel
