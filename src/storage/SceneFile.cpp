#include "storage/SceneFile.h"

#include "storage/AtomicFile.h"
#include "storage/ConfigFile.h"
#include "storage/DataFolder.h"
#include "storage/KeyboardBackupMerge.h"

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
    keyboardMacros_ = MacroAreaKnowledge::NotRead;
    auto contents = ReadKeyboardContents(link, keyboard, macroNamePrefix);
    if (!contents) {
        return false;
    }
    const auto path = Path();
    const std::optional<Configuration> previous = ReadConfigFile(path);
    const MergedScene merged = MergeWithPreviousScene(
        std::move(*contents), previous ? &*previous : nullptr, keyboard.DefaultKeyBlock());
    const Configuration& scene = merged.configuration;
    keyboardMacros_ =
        merged.macrosUnknown ? MacroAreaKnowledge::Unreadable : MacroAreaKnowledge::Known;
    if (!WriteFileAtomically(path, EncodeConfigFile(*scene.image, scene.macros, scene.texts))) {
        keyboardMacros_ = MacroAreaKnowledge::NotRead;
        return false;
    }
    return true;
}

SceneFile::Source SceneFile::LoadScene(DeviceLink& link, const KeyboardFacts& keyboard,
                                       std::u16string_view macroNamePrefix) {
    CreateDataFolder(dataFolder_);
    keyboardMacros_ = MacroAreaKnowledge::NotRead;
    const bool refreshed = link.GetActiveProfile() >= 0 &&
                           RefreshSceneFileFromKeyboard(link, keyboard, macroNamePrefix);
    const Source source = LoadFileOrDefaults(refreshed);
    if (source == Source::Defaults) {
        // The edit store holds no macros of the keyboard's.
        keyboardMacros_ = MacroAreaKnowledge::NotRead;
    }
    return source;
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
