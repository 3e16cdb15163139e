#pragma once
// Whether this machine can start a file as a program, asked before anything is
// done that only the program can undo (the keyboard's boot mode): the execute
// bit alone is not enough, since every file on a FAT or NTFS stick carries it.

#include <filesystem>

namespace tessel {

enum class ProgramCheck {
    Runnable,            // an ELF program of this machine, or a script whose interpreter runs
    NotExecutable,       // missing, not a regular file, or without the execute bit
    WindowsProgram,      // an "MZ" (DOS/Windows) program
    OtherMachine,        // an ELF program of another word size, byte order or processor
    MissingInterpreter,  // a "#!" script whose interpreter is missing or cannot run
    NotAProgram,         // neither ELF nor "#!": the system would refuse to start it
};

ProgramCheck CheckProgramRuns(const std::filesystem::path& file);

}  // namespace tessel
