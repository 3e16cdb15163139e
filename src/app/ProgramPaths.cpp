#include "app/ProgramPaths.h"

#include <unistd.h>

namespace tessel {

ProgramPaths ProgramPaths::FromModuleFileName(const std::filesystem::path& moduleFile) {
    const std::filesystem::path module = moduleFile.lexically_normal();
    const std::filesystem::path folder = module.parent_path();
    const std::filesystem::path skins = folder / "Skins";

    ProgramPaths paths;
    paths.programFolder = folder;
    paths.programFileName = module.filename().string();
    paths.helpFolder = folder / "Help" / "";
    paths.mainSkinFile = skins / "Main.ini";
    paths.mainSkinFolder = skins;
    paths.colourFilePrefix = skins / "UserDengColor_";
    paths.profileSkinFile = skins / "Profile.ini";
    paths.profileSkinFolder = skins;
    paths.updateSkinFile = skins / "UpdateDlg.ini";
    paths.updateSkinFolder = skins;
    paths.packageFolder = folder / "Package";
    paths.compositeSkinFile = skins / "Composite.ini";
    paths.compositeSkinFolder = skins;
    paths.agentPath = folder / "Vigilo.exe";
    return paths;
}

void KeepColourFilesWritable(ProgramPaths& paths, const std::filesystem::path& userFolder) {
    const std::filesystem::path skins = paths.colourFilePrefix.parent_path();
    if (access(skins.c_str(), W_OK) == 0) {
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(userFolder, error);
    paths.colourFilePrefix = userFolder / paths.colourFilePrefix.filename();
}

}  // namespace tessel
