#include "app/HeadlessCommands.h"

#include <chrono>
#include <cstdio>

#include "app/AppIdentity.h"
#include "app/AppProfileCommandLine.h"
#include "app/KeyboardTurn.h"
#include "app/PlatformInstanceServices.h"
#include "device/DeviceStartup.h"
#include "model/KeyboardFacts.h"
#include "platform/NamedMutex.h"
#include "platform/Registry.h"
#include "platform/RequestEndpoint.h"
#include "storage/ConfigFileCheck.h"
#include "storage/DataFolder.h"
#include "storage/KeyboardCommands.h"
#include "text/LanguageChoice.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"

namespace tessel {
namespace {

// A running instance takes a request at once unless it is stopped or hung;
// a restore of all four profiles with a full macro area then takes a few
// hundred frames.
constexpr std::chrono::seconds kTakeWait{5};
constexpr std::chrono::seconds kWorkWait{120};

int Report(const ProgramPaths& paths, const CommandOutcome& outcome) {
    std::FILE* stream = outcome.done ? stdout : stderr;
    std::fprintf(stream, "%s: %s\n", paths.programFileName.c_str(), outcome.line.c_str());
    return outcome.done ? 0 : 1;
}

uint32_t TagOf(CommandKind kind) {
    switch (kind) {
        case CommandKind::Backup:
            return kBackupTag;
        case CommandKind::Restore:
            return kRestoreTag;
        default:
            return kProfileTag;
    }
}

CommandOutcome AskRunningInstance(int pid, const CommandLineCommand& command,
                                  const std::filesystem::path& file) {
    const WindowRequest request{kKeyboardCommandMessage, TagOf(command.kind), command.profile};
    const auto reply = DeliverRequestWithText(kInstanceName, pid, kMainMarker, request,
                                              file.string(), kTakeWait, kWorkWait);
    if (!reply) {
        return {false, "the running instance (process " + std::to_string(pid) +
                           ") did not answer; nothing was done (try again, or end it)"};
    }
    return {reply->result == 1, reply->text};
}

// This process's own device link, texts and stores.
CommandOutcome RunHere(const CommandLineCommand& command, const std::filesystem::path& file,
                       const ProgramPaths& paths) {
    DeviceStartup startup = StartDeviceLink(paths.programFolder, nullptr);
    if (!startup.connection) {
        return {false, startup.failure};
    }
    if (startup.deviceCount == 0) {
        return {false, "no keyboard is attached"};
    }
    DeviceLink& link = startup.connection->Link();
    if (command.kind == CommandKind::Profile) {
        return MakeProfileActive(link, command.profile);
    }
    KeyboardFacts keyboard;
    if (CommandOutcome facts = ReadKeyboardFacts(link, keyboard); !facts.done) {
        return facts;
    }
    LanguageTable languageTable;
    languageTable.LoadLanguageTable(paths.programFolder / "Skins" / "language.ini");
    if (command.kind == CommandKind::Backup) {
        return BackupKeyboardToFile(link, keyboard,
                                    languageTable.Value(TextEntry::MACRO_NEW_PREFIX), file);
    }
    LanguageChoice language(Registry::CurrentUser());
    LanguageFiles languageFiles(paths.programFolder);
    CurrentLanguageTexts texts(languageFiles, language);
    CollectingPrompter prompter;
    ConfigStore editStore;
    ConfigStore applyStore;
    CommandOutcome outcome =
        RestoreKeyboardFromFile(file, RestoreTarget{editStore, applyStore, UserDataFolder()},
                                ApplyServices{link, keyboard, prompter, languageTable, texts});
    if (!outcome.done && !prompter.Messages().empty()) {
        outcome.line += " (" + prompter.Messages() + ")";
    }
    return outcome;
}

}  // namespace

int RunHeadlessCommand(const CommandLineCommand& command, const ProgramPaths& paths) {
    if (command.kind == CommandKind::Help) {
        std::fputs(HelpText(paths.programFileName).c_str(), stdout);
        return 0;
    }
    if (command.kind == CommandKind::Version) {
        std::fputs(VersionText(paths.programFileName).c_str(), stdout);
        return 0;
    }
    if (command.kind == CommandKind::AppProfile) {
        return RunAppProfileCommand(command.appProfile, paths);
    }
    // The running instance has a working folder of its own.
    std::error_code error;
    const std::filesystem::path file = command.file.empty()
                                           ? std::filesystem::path()
                                           : std::filesystem::absolute(command.file, error);
    if (command.kind == CommandKind::Restore) {
        // Checked before anything reaches the keyboard or the running instance.
        const auto checked = ReadConfigFileExplained(file);
        if (const auto* problem = std::get_if<std::string>(&checked)) {
            return Report(paths, {false, "cannot restore \"" + file.string() + "\": " + *problem});
        }
    }
    NamedMutex mutex(kInstanceName);
    const KeyboardTurn turn = WaitForKeyboardTurn(mutex, paths.programFileName);
    if (turn.instance != 0) {
        return Report(paths, AskRunningInstance(turn.instance, command, file));
    }
    if (!turn.refusal.empty()) {
        return Report(paths, {false, turn.refusal});
    }
    return Report(paths, RunHere(command, file, paths));
}

}  // namespace tessel
