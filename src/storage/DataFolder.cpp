#include "storage/DataFolder.h"

#include <system_error>

#include "platform/DocumentsFolder.h"
#include "text/SafeFormat.h"

namespace tessel {

std::filesystem::path UserDataFolder() {
    return DocumentsFolder() / kDataFolderName;
}

bool CreateDataFolder(const std::filesystem::path& dataFolder) {
    std::error_code error;
    std::filesystem::create_directories(dataFolder, error);
    return std::filesystem::is_directory(dataFolder, error);
}

std::filesystem::path SceneFilePath(const std::filesystem::path& dataFolder) {
    CreateDataFolder(dataFolder);
    return dataFolder / SafeFormat(u"$Profile%d", {0});
}

std::filesystem::path SceneFilePath() {
    return SceneFilePath(UserDataFolder());
}

}  // namespace tessel
