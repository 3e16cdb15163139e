#pragma once
// Saving the whole configuration into ".fwc" files and bringing it back: the
// main window's export and import, the update dialog's backup, and the
// scene-mode manager's new and add commands. Dialogs and messages go through
// the Prompter.

#include <filesystem>
#include <optional>
#include <string>

#include "model/ApplyAssignments.h"
#include "model/ConfigStore.h"
#include "platform/Prompter.h"
#include "text/LanguageTable.h"
#include "text/TextLookup.h"

namespace tessel {

inline constexpr std::u16string_view kConfigFileExtension = u"fwc";
inline constexpr std::u16string_view kConfigFileFilter = u"(*.fwc);;(*.*)";
inline constexpr std::u16string_view kConfigFilePattern = u"*.fwc";

struct ImportExportContext {
    ConfigStore& editStore;
    Prompter& prompter;
    const LanguageTable& languageTable;
    std::filesystem::path dataFolder;
    const TextLookup& texts;
};

// One row of the scene-mode manager: the file name without extension and the
// folder with a trailing separator.
struct SceneRow {
    std::filesystem::path path;
    std::u16string name;
    std::u16string folder;
};
SceneRow SceneRowOf(const std::filesystem::path& path);

// Writes the edit store to the chosen file; false when cancelled or not
// written, which the user is told naming the file.
bool ExportConfiguration(const ImportExportContext& context);
// The same, then tells the user whether the backup was written.
bool BackupBeforeUpdate(const ImportExportContext& context);

enum class ImportResult { Cancelled, Refused, Imported };
// Validates the chosen file, replaces the edit store by it, saves the scene-mode
// file and applies all four profiles. A refused file changes nothing. After an
// import the caller redraws the key buttons and disables Apply.
// The import without its transfer: validates the chosen file, replaces the
// edit store by it and saves the scene-mode file; the caller applies all four
// profiles from the edit store.
ImportResult LoadImportFile(const ImportExportContext& context);
ImportResult ImportConfiguration(const ImportExportContext& context, ConfigStore& applyStore,
                                 const ApplyServices& apply);

struct NewSceneFileResult {
    SceneRow row;
    bool written = false;  // the row is added even when the file was not written
};
// Writes a fresh configuration (default image, no macros, no texts) to the
// chosen file, telling the user when it cannot; nothing when cancelled.
std::optional<NewSceneFileResult> NewSceneFile(const ImportExportContext& context);
// The chosen file as a new row; it is not read or checked here.
std::optional<SceneRow> AddSceneFile(const ImportExportContext& context);

}  // namespace tessel
