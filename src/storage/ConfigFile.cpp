#include "storage/ConfigFile.h"

#include <new>
#include <system_error>

#include "platform/LittleEndian.h"
#include "platform/Prompter.h"
#include "platform/RegularFile.h"
#include "platform/AtomicFile.h"
#include "text/LanguageTable.h"
#include "text/SafeFormat.h"

namespace tessel {
namespace {

constexpr uint16_t kHeaderWord6 = 1;

uint64_t ExpectedFileSize(uint16_t macroCount, uint32_t textAreaSize) {
    return kProfileImageSize + uint64_t{macroCount} * kMacroRecordSize + textAreaSize;
}

// Only a regular file is read (a FIFO or device in its place would stall or
// never end); the user is told on standard error when one stands there.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                  uint64_t limit) {
    RegularFileRead read = ReadRegularFile(path, static_cast<std::size_t>(limit));
    if (!read.ok) {
        if (!read.missing) {
            ReportUnreadableFile(path, read.error);
        }
        return std::nullopt;
    }
    return std::move(read.bytes);
}

void ShowFormatError(const std::filesystem::path& path, Prompter& prompter,
                     const LanguageTable& languageTable) {
    const std::u16string text =
        SafeFormat(languageTable.Value(TextEntry::PROFILE_FORMAT_ERROR), {path.u16string()});
    prompter.ShowMessage(text, u"", PromptButtons::Ok, PromptIcon::Warning);
}

}  // namespace

bool IsValidConfigHeader(std::span<const uint8_t, kImageHeaderSize> header) {
    const ImageHeader h = DecodeImageHeader(header);
    return h.magic == kImageMagic && h.headerSize == kImageHeaderSize &&
           h.version == kImageFormatVersion && h.one == kHeaderWord6 &&
           h.totalSize >= kProfileImageSize && h.entryCount == kEntryCount &&
           h.macroCount <= kMaxMacros && h.flag < 2 &&
           h.totalSize == ExpectedFileSize(h.macroCount, h.textAreaSize) &&
           h.checkByte == HeaderCheckByte(header);
}

std::optional<Configuration> DecodeConfigFile(std::span<const uint8_t> bytes) {
    if (bytes.size() < kProfileImageSize) {
        return std::nullopt;
    }
    const auto header = bytes.first<kImageHeaderSize>();
    if (!IsValidConfigHeader(header)) {
        return std::nullopt;
    }
    const ImageHeader h = DecodeImageHeader(header);
    // A file cut short must not be read past its end.
    if (bytes.size() < h.totalSize) {
        return std::nullopt;
    }
    Configuration configuration;
    configuration.image = DecodeProfileImage(bytes.first<kProfileImageSize>());
    if (!configuration.image) {
        return std::nullopt;
    }
    std::size_t at = kProfileImageSize;
    configuration.macros.resize(h.macroCount);
    for (MacroRecord& macro : configuration.macros) {
        DecodeMacroRecord(bytes.subspan(at).first<kMacroRecordSize>(), macro);
        at += kMacroRecordSize;
    }
    UnpackTextArea(*configuration.image, bytes.subspan(at, h.textAreaSize), configuration.texts);
    return configuration;
}

std::vector<uint8_t> EncodeConfigFile(const ProfileImage& image,
                                      std::span<const MacroRecord> macros, const TextTable& texts) {
    auto copy = std::make_unique<ProfileImage>(image);
    const uint32_t textAreaSize = texts.Total();
    NewImage(copy->header, static_cast<uint16_t>(macros.size()), textAreaSize, 0);
    const std::vector<uint8_t> textArea = PackTextArea(*copy, texts, textAreaSize);

    std::vector<uint8_t> bytes(static_cast<std::size_t>(
        ExpectedFileSize(static_cast<uint16_t>(macros.size()), textAreaSize)));
    EncodeProfileImage(*copy, std::span(bytes).first<kProfileImageSize>());
    std::size_t at = kProfileImageSize;
    for (const MacroRecord& macro : macros) {
        EncodeMacroRecord(macro, std::span(bytes).subspan(at).first<kMacroRecordSize>());
        at += kMacroRecordSize;
    }
    std::copy(textArea.begin(), textArea.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

int ValidateConfigFile(const std::filesystem::path& path, Prompter& prompter,
                       const LanguageTable& languageTable) {
    const RegularFileRead read = ReadRegularFile(path, kMaxConfigFileSize - 1);
    if (!read.ok) {
        return read.missing ? kConfigFileInvalid : kConfigFileCannotOpen;
    }
    const uint64_t size = read.bytes.size();
    if (size < kProfileImageSize) {
        return kConfigFileInvalid;
    }
    // Only the header is checked.
    const auto header = std::span<const uint8_t>(read.bytes).first<kImageHeaderSize>();
    if (!IsValidConfigHeader(header) || size < DecodeImageHeader(header).totalSize) {
        ShowFormatError(path, prompter, languageTable);
        return kConfigFileInvalid;
    }
    return kConfigFileValid;
}

std::optional<Configuration> ReadConfigFile(const std::filesystem::path& path) {
    try {
        const auto bytes = ReadWholeFile(path, kMaxConfigFileSize - 1);
        if (bytes) {
            return DecodeConfigFile(*bytes);
        }
    } catch (const std::bad_alloc&) {
    }
    return std::nullopt;
}

int LoadConfigFile(const std::filesystem::path& path, ConfigStore& store) {
    std::optional<Configuration> configuration = ReadConfigFile(path);
    if (!configuration) {
        return 0;
    }
    const auto lock = store.Lock();
    store.SetImage(std::move(configuration->image));
    store.Macros() = std::move(configuration->macros);
    store.Texts() = std::move(configuration->texts);
    store.TextArea().clear();
    return 1;
}

FileWriteResult WriteConfigFile(const std::filesystem::path& path, ConfigStore& store) {
    std::vector<uint8_t> bytes;
    {
        const auto lock = store.Lock();
        if (!store.Image()) {
            return FileWriteResult::Failed("there is no configuration to write");
        }
        bytes = EncodeConfigFile(*store.Image(), store.Macros(), store.Texts());
    }
    return WriteFileAtomically(path, bytes);
}

}  // namespace tessel
