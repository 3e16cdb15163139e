#include "storage/KeyboardCommands.h"

#include <array>

#include "device/DeviceLink.h"
#include "device/DeviceResult.h"
#include "model/KeyboardFacts.h"
#include "platform/AtomicFile.h"
#include "platform/Utf8.h"
#include "storage/ConfigFileCheck.h"
#include "storage/KeyboardBackup.h"
#include "storage/SceneFile.h"

namespace tessel {
namespace {

CommandOutcome Failed(std::string line) {
    return {false, std::move(line)};
}

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

}  // namespace

std::string DeviceProblem(int result) {
    if (result == kDeviceAbsent) {
        return "no keyboard is attached";
    }
    return "the keyboard did not answer (device result " + std::to_string(result) + ")";
}

// One device information read: is a keyboard there and answering?
std::optional<std::string> KeyboardProblem(DeviceLink& link) {
    std::array<uint8_t, kDeviceInfoSize> info{};
    const int result = link.ReadDeviceInfo(info);
    if (result != kDeviceDone) {
        return DeviceProblem(result);
    }
    return std::nullopt;
}

CommandOutcome ReadKeyboardFacts(DeviceLink& link, KeyboardFacts& keyboard) {
    KeyBlock block{};
    int result = link.ReadDefaultKeyBlock(block);
    if (result != kDeviceDone) {
        return Failed(DeviceProblem(result));
    }
    std::array<uint8_t, kDeviceInfoSize> info{};
    result = link.ReadDeviceInfo(info);
    if (result != kDeviceDone) {
        return Failed(DeviceProblem(result));
    }
    keyboard.SetDefaultKeyBlock(block);
    keyboard.SetDeviceInfo(info);
    return {true, {}};
}

CommandOutcome BackupKeyboardToFile(DeviceLink& link, const KeyboardFacts& keyboard,
                                    std::u16string_view macroNamePrefix,
                                    const std::filesystem::path& path) {
    if (auto problem = KeyboardProblem(link)) {
        return Failed(*problem);
    }
    const auto bytes = ReadKeyboardConfiguration(link, keyboard, macroNamePrefix);
    if (!bytes) {
        return Failed("the keyboard's configuration could not be read");
    }
    if (const FileWriteResult written = WriteFileAtomically(path, *bytes); !written) {
        return Failed("cannot write " + Quoted(path) + ": " + written.Reason());
    }
    const ImageHeader header =
        DecodeImageHeader(std::span<const uint8_t>(*bytes).first<kImageHeaderSize>());
    return {true, "backed up the four profiles and " + std::to_string(header.macroCount) +
                      " macros to " + Quoted(path)};
}

std::variant<Configuration, CommandOutcome> ReadRestoreFile(const std::filesystem::path& path) {
    auto file = ReadConfigFileExplained(path);
    if (auto* problem = std::get_if<std::string>(&file)) {
        return Failed("cannot restore " + Quoted(path) + ": " + *problem);
    }
    return std::move(std::get<Configuration>(file));
}

std::size_t StoreRestoredConfiguration(Configuration configuration, const RestoreTarget& target) {
    const std::size_t macroCount = configuration.macros.size();
    const auto lock = target.editStore.Lock();
    target.editStore.SetImage(std::move(configuration.image));
    target.editStore.Macros() = std::move(configuration.macros);
    target.editStore.Texts() = std::move(configuration.texts);
    target.editStore.TextArea().clear();
    SceneFile(target.dataFolder, target.editStore).SaveSceneFile();
    return macroCount;
}

CommandOutcome RestoreOutcome(const std::filesystem::path& path, std::size_t macroCount,
                              std::optional<int> result) {
    if (result != kDeviceDone) {
        std::string line = "restoring " + Quoted(path) + " failed: ";
        if (result) {
            line += "writing to the keyboard failed, " + DeviceProblem(*result);
        } else {
            line += "nothing was written to the keyboard";
        }
        return Failed(std::move(line));
    }
    return {true, "restored the four profiles and " + std::to_string(macroCount) + " macros from " +
                      Quoted(path)};
}

CommandOutcome EditorOpenRefusal() {
    return Failed(
        "the key-assignment editor is open in the running instance; close it and try again");
}

CommandOutcome RestoreKeyboardFromFile(const std::filesystem::path& path,
                                       const RestoreTarget& target, const ApplyServices& services) {
    auto file = ReadRestoreFile(path);
    if (auto* refused = std::get_if<CommandOutcome>(&file)) {
        return *refused;
    }
    if (auto problem = KeyboardProblem(services.link)) {
        return Failed(*problem);
    }
    const std::size_t macroCount =
        StoreRestoredConfiguration(std::move(std::get<Configuration>(file)), target);
    return RestoreOutcome(path, macroCount,
                          ApplyFromEditStore(target.editStore, target.applyStore, true, services));
}

CommandOutcome MakeProfileActive(DeviceLink& link, int profile) {
    if (profile < 0 || profile >= kProfileCount) {
        return Failed("there is no profile " + std::to_string(profile + 1));
    }
    if (auto problem = KeyboardProblem(link)) {
        return Failed(*problem);
    }
    link.SetActiveProfile(profile);
    link.ForgetActiveProfile();
    if (link.GetActiveProfile() != profile) {
        return Failed("the keyboard did not make profile " + std::to_string(profile + 1) +
                      " active");
    }
    return {true, "profile " + std::to_string(profile + 1) + " is active"};
}

PromptAnswer CollectingPrompter::ShowMessage(const std::u16string& text, const std::u16string&,
                                             PromptButtons buttons, PromptIcon) {
    if (!m_messages.empty()) {
        m_messages += u" ";
    }
    m_messages += text;
    switch (buttons) {
        case PromptButtons::Ok:
            return PromptAnswer::Ok;
        case PromptButtons::OkCancel:
        case PromptButtons::YesNoCancel:
            return PromptAnswer::Cancel;
        default:
            return PromptAnswer::No;
    }
}

std::string CollectingPrompter::Messages() const {
    std::string line = ToUtf8(m_messages);
    for (char& c : line) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return line;
}

}  // namespace tessel
