#include "storage/SceneFile.h"

#include "storage/ConfigFile.h"
#include "storage/DataFolder.h"
#include "storage/KeyboardBackup.h"

namespace tessel {

SceneFile::SceneFile(std::filesystem::path dataFolder, ConfigStore& editStore)
    : dataFolder_(std::move(dataFolder)), editStore_(editStore) {}

std::filesystem::path SceneFile::Path() const {
    return SceneFilePath(dataFolder_);
}

bool SceneFile::SaveSceneFile() {
    const auto path = Path();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    return WriteConfigFile(path, editStore_);
}

bool SceneFile::RefreshSceneFileFromKeyboard(DeviceLink& link, const KeyboardFacts& keyboard,
                                             std::u16string_view macroNamePrefix) {
    return BackupFromKeyboard(link, keyboard, macroNamePrefix, Path()) == 1;
}

SceneFile::Source SceneFile::LoadScene(DeviceLink& link, const KeyboardFacts& keyboard,
                                       std::u16string_view macroNamePrefix) {
    CreateDataFolder(dataFolder_);
    const bool refreshed = link.GetActiveProfile() >= 0 &&
                           RefreshSceneFileFromKeyboard(link, keyboard, macroNamePrefix);
    return LoadFileOrDefaults(refreshed);
}

SceneFile::Source SceneFile::DiscardEdits() {
    return LoadFileOrDefaults(true);
}

SceneFile::Source SceneFile::LoadFileOrDefaults(bool fileIsFresh) {
    const auto lock = editStore_.Lock();
    if (fileIsFresh && LoadConfigFile(Path(), editStore_) == 1) {
        return Source::File;
    }
    editStore_.Clear();
    editStore_.SetImage(DefaultImage());
    return Source::Defaults;
}

}  // namespace tessel
