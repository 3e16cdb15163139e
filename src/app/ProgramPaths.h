#pragma once
// The files and folders the program uses, all beside its own executable:
// computed once from the module file name, never from the working folder.

#include <filesystem>
#include <string>

namespace tessel {

struct ProgramPaths {
    std::filesystem::path programFolder;
    std::string programFileName;       // the executable's file name, for the instance search
    std::filesystem::path helpFolder;  // "Help/", with the trailing separator
    std::filesystem::path mainSkinFile;
    std::filesystem::path mainSkinFolder;
    std::filesystem::path colourFilePrefix;  // "Skins/UserDengColor_" + profile + ".userd"
    std::filesystem::path profileSkinFile;
    std::filesystem::path profileSkinFolder;
    std::filesystem::path updateSkinFile;
    std::filesystem::path updateSkinFolder;
    std::filesystem::path packageFolder;
    std::filesystem::path compositeSkinFile;
    std::filesystem::path compositeSkinFolder;
    std::filesystem::path agentPath;

    static ProgramPaths FromModuleFileName(const std::filesystem::path& moduleFile);
};

// An installed program folder is not the user's to write, and the colour files
// change with every painted key: when the skin folder is read-only they live in
// `userFolder` (created here) instead.
void KeepColourFilesWritable(ProgramPaths& paths, const std::filesystem::path& userFolder);

}  // namespace tessel
