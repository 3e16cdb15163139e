#include "storage/SceneFile.h"

#include "platform/AtomicFile.h"
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
    writeFailure_.clear();
    const auto path = Path();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    writeFailure_ = WriteConfigFile(path, editStore_).Reason();
    return writeFailure_.empty();
}

bool SceneFile::RefreshSceneFile(KeyboardContents contents, const KeyboardFacts& keyboard) {
    const auto path = Path();
    const std::optional<Configuration> previous = ReadConfigFile(path);
    MergedScene merged = MergeWithPreviousScene(
        std::move(contents), previous ? &*previous : nullptr, keyboard.DefaultKeyBlock());
    const Configuration& scene = merged.configuration;
    keyboardMacros_ =
        merged.macrosUnknown ? MacroAreaKnowledge::Unreadable : MacroAreaKnowledge::Known;
    const FileWriteResult written =
        WriteFileAtomically(path, EncodeConfigFile(*scene.image, scene.macros, scene.texts));
    if (!written) {
        // The keyboard was read: the window shows what it plays even though
        // the file keeps its old content.
        writeFailure_ = written.Reason();
        unwritten_ = std::move(merged.configuration);
        return false;
    }
    return true;
}

SceneFile::Source SceneFile::LoadScene(std::optional<KeyboardContents> contents,
                                       const KeyboardFacts& keyboard) {
    CreateDataFolder(dataFolder_);
    keyboardMacros_ = MacroAreaKnowledge::NotRead;
    writeFailure_.clear();
    unwritten_.reset();
    const bool refreshed = contents && RefreshSceneFile(std::move(*contents), keyboard);
    const Source source = unwritten_ ? LoadUnwritten() : LoadFileOrDefaults(refreshed);
    if (source == Source::Defaults) {
        // The edit store holds no macros of the keyboard's.
        keyboardMacros_ = MacroAreaKnowledge::NotRead;
    }
    return source;
}

SceneFile::Source SceneFile::DiscardEdits() {
    return LoadFileOrDefaults(true);
}

SceneFile::Source SceneFile::LoadUnwritten() {
    const auto lock = editStore_.Lock();
    editStore_.Clear();
    editStore_.SetImage(std::move(unwritten_->image));
    editStore_.Macros() = std::move(unwritten_->macros);
    editStore_.Texts() = std::move(unwritten_->texts);
    unwritten_.reset();
    return Source::Keyboard;
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
