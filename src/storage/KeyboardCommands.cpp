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

// Passes every call on and remembers the first write the keyboard did not
// carry out: the apply itself only looks at the last key block.
class WriteWatchingLink final : public DeviceLink {
public:
    explicit WriteWatchingLink(DeviceLink& link) : m_link(link) {}
    int FirstFailure() const { return m_firstFailure; }

    int BeginTransfer() override { return Watch(m_link.BeginTransfer()); }
    int EndTransfer() override { return Watch(m_link.EndTransfer()); }
    int ReadDeviceInfo(std::span<uint8_t, kDeviceInfoSize> out) override {
        return m_link.ReadDeviceInfo(out);
    }
    int WriteDeviceInfo(std::span<const uint8_t, kDeviceInfoSize> info) override {
        return Watch(m_link.WriteDeviceInfo(info));
    }
    int ReadParameters(std::span<uint8_t, kFramePayloadSize> out, int length, int offset) override {
        return m_link.ReadParameters(out, length, offset);
    }
    int WriteParameters(std::span<const uint8_t> data, int offset) override {
        return Watch(m_link.WriteParameters(data, offset));
    }
    int ReadKeyBlock(std::span<uint8_t, kKeyBlockSize> out, int block) override {
        return m_link.ReadKeyBlock(out, block);
    }
    int WriteKeyBlock(std::span<const uint8_t, kKeyBlockSize> data, int block) override {
        return Watch(m_link.WriteKeyBlock(data, block));
    }
    int ReadMacroArea(std::span<uint8_t> out) override { return m_link.ReadMacroArea(out); }
    int WriteMacroArea(std::span<const uint8_t> data) override {
        return Watch(m_link.WriteMacroArea(data));
    }
    int TestCommand() override { return m_link.TestCommand(); }
    int ReadDefaultKeyBlock(std::span<uint8_t, kKeyBlockSize> out) override {
        return m_link.ReadDefaultKeyBlock(out);
    }
    int WriteKeyColours(int currentProfile, std::span<const uint8_t> data, int firstSlot) override {
        return Watch(m_link.WriteKeyColours(currentProfile, data, firstSlot));
    }
    int EnterBootMode() override { return m_link.EnterBootMode(); }
    int GetActiveProfile() override { return m_link.GetActiveProfile(); }
    int SetActiveProfile(int profile) override { return m_link.SetActiveProfile(profile); }
    void ForgetActiveProfile() override { m_link.ForgetActiveProfile(); }

private:
    int Watch(int result) {
        if (result != kDeviceDone && m_firstFailure == kDeviceDone) {
            m_firstFailure = result;
        }
        return result;
    }

    DeviceLink& m_link;
    int m_firstFailure = kDeviceDone;
};

std::string DeviceProblem(int result) {
    if (result == kDeviceAbsent) {
        return "no keyboard is attached";
    }
    return "the keyboard did not answer (device result " + std::to_string(result) + ")";
}

CommandOutcome Failed(std::string line) {
    return {false, std::move(line)};
}

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

}  // namespace

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

CommandOutcome RestoreKeyboardFromFile(const std::filesystem::path& path,
                                       const RestoreTarget& target, const ApplyServices& services) {
    auto file = ReadConfigFileExplained(path);
    if (auto* problem = std::get_if<std::string>(&file)) {
        return Failed("cannot restore " + Quoted(path) + ": " + *problem);
    }
    if (auto problem = KeyboardProblem(services.link)) {
        return Failed(*problem);
    }
    Configuration& configuration = std::get<Configuration>(file);
    const std::size_t macroCount = configuration.macros.size();
    {
        const auto lock = target.editStore.Lock();
        target.editStore.SetImage(std::move(configuration.image));
        target.editStore.Macros() = std::move(configuration.macros);
        target.editStore.Texts() = std::move(configuration.texts);
        target.editStore.TextArea().clear();
        SceneFile(target.dataFolder, target.editStore).SaveSceneFile();
    }
    WriteWatchingLink watched(services.link);
    const ApplyServices watchedServices{watched, services.keyboard, services.prompter,
                                        services.languageTable, services.texts};
    const bool applied =
        ApplyFromEditStore(target.editStore, target.applyStore, true, watchedServices);
    if (!applied || watched.FirstFailure() != kDeviceDone) {
        std::string line = "restoring " + Quoted(path) + " failed: ";
        if (watched.FirstFailure() != kDeviceDone) {
            line += "writing to the keyboard failed, " + DeviceProblem(watched.FirstFailure());
        } else {
            line += "nothing was written to the keyboard";
        }
        return Failed(std::move(line));
    }
    return {true, "restored the four profiles and " + std::to_string(macroCount) + " macros from " +
                      Quoted(path)};
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
