#include "storage/ImportExport.h"

#include "platform/AtomicFile.h"
#include "storage/ConfigFile.h"
#include "storage/DataFolder.h"
#include "storage/SceneFile.h"
#include "storage/WriteFailureNotice.h"
#include "text/SafeFormat.h"

namespace tessel {
namespace {

constexpr std::u16string_view kExportDoneTextKey = u"IDS_EXPORT_DONE";

FileDialogRequest ConfigFileDialog(std::u16string initialPath) {
    return {u"", std::u16string(kConfigFileFilter), std::u16string(kConfigFileExtension),
            std::move(initialPath)};
}

std::u16string InDataFolder(const std::filesystem::path& dataFolder, std::u16string_view name) {
    // The language table's names start with a Windows separator.
    while (!name.empty() && (name.front() == u'\\' || name.front() == u'/')) {
        name.remove_prefix(1);
    }
    return (dataFolder / name).u16string();
}

void Show(Prompter& prompter, const std::u16string& text, PromptIcon icon) {
    prompter.ShowMessage(text, u"", PromptButtons::Ok, icon);
}

std::optional<std::filesystem::path> AskExportPath(const ImportExportContext& context) {
    CreateDataFolder(context.dataFolder);
    const auto chosen = context.prompter.AskSaveFile(
        ConfigFileDialog(InDataFolder(context.dataFolder, kConfigFilePattern)));
    if (!chosen) {
        return std::nullopt;
    }
    return std::filesystem::path(*chosen);
}

}  // namespace

SceneRow SceneRowOf(const std::filesystem::path& path) {
    std::u16string folder = path.parent_path().u16string();
    if (folder.empty() || folder.back() != u'/') {
        folder += u'/';
    }
    return {path, path.stem().u16string(), folder};
}

bool ExportConfiguration(const ImportExportContext& context) {
    const auto path = AskExportPath(context);
    if (!path) {
        return false;
    }
    const FileWriteResult written = WriteConfigFile(*path, context.editStore);
    if (!written) {
        ReportFailedWrite(*path, context.prompter, context.texts, written.Reason());
        return false;
    }
    Show(context.prompter,
         SafeFormat(context.texts.LocalText(kExportDoneTextKey), {path->u16string()}),
         PromptIcon::Information);
    return true;
}

bool BackupBeforeUpdate(const ImportExportContext& context) {
    const auto path = AskExportPath(context);
    if (!path) {
        return false;
    }
    const FileWriteResult written = WriteConfigFile(*path, context.editStore);
    if (written) {
        Show(context.prompter, context.languageTable.Value(TextEntry::MAIN_UPDATE_BACKUP_OK),
             PromptIcon::Information);
    } else {
        // One box that also names the file.
        Show(context.prompter,
             context.languageTable.Value(TextEntry::MAIN_UPDATE_BACKUP_NG) + u"\n\n" +
                 FailedWriteText(*path, context.texts, written.Reason()),
             PromptIcon::Warning);
    }
    return static_cast<bool>(written);
}

ImportResult ImportConfiguration(const ImportExportContext& context, ConfigStore& applyStore,
                                 const ApplyServices& apply) {
    const ImportResult result = LoadImportFile(context);
    if (result == ImportResult::Imported) {
        ApplyFromEditStore(context.editStore, applyStore, true, apply);
    }
    return result;
}

ImportResult LoadImportFile(const ImportExportContext& context) {
    CreateDataFolder(context.dataFolder);
    const auto chosen = context.prompter.AskOpenFile(
        ConfigFileDialog(InDataFolder(context.dataFolder, kConfigFilePattern)));
    if (!chosen) {
        return ImportResult::Cancelled;
    }
    const std::filesystem::path path(*chosen);
    const auto refuse = [&] {
        Show(context.prompter, context.languageTable.Value(TextEntry::MAIN_PROMPT_INPORT),
             PromptIcon::Warning);
        return ImportResult::Refused;
    };
    if (ValidateConfigFile(path, context.prompter, context.languageTable) <= 0) {
        return refuse();
    }
    const auto lock = context.editStore.Lock();
    if (LoadConfigFile(path, context.editStore) != 1) {
        return refuse();
    }
    SceneFile scene(context.dataFolder, context.editStore);
    if (!scene.SaveSceneFile() && scene.WriteFailed()) {
        ReportFailedWrite(scene.Path(), context.prompter, context.texts, scene.WriteFailure());
    }
    return ImportResult::Imported;
}

std::optional<NewSceneFileResult> NewSceneFile(const ImportExportContext& context) {
    CreateDataFolder(context.dataFolder);
    const auto chosen = context.prompter.AskSaveFile(ConfigFileDialog(
        InDataFolder(context.dataFolder, context.languageTable.Value(TextEntry::PROFILE_NEW))));
    if (!chosen) {
        return std::nullopt;
    }
    const std::filesystem::path path(*chosen);
    const FileWriteResult written =
        WriteFileAtomically(path, EncodeConfigFile(*DefaultImage(), {}, {}));
    if (!written) {
        ReportFailedWrite(path, context.prompter, context.texts, written.Reason());
    }
    return NewSceneFileResult{SceneRowOf(path), static_cast<bool>(written)};
}

std::optional<SceneRow> AddSceneFile(const ImportExportContext& context) {
    CreateDataFolder(context.dataFolder);
    const auto chosen = context.prompter.AskOpenFile(
        ConfigFileDialog(InDataFolder(context.dataFolder, kConfigFilePattern)));
    if (!chosen) {
        return std::nullopt;
    }
    return SceneRowOf(std::filesystem::path(*chosen));
}

}  // namespace tessel
