// Configuration files from anywhere (imported ".fwc" files, an old scene-mode
// file): any bytes are either refused or load into a configuration that writes
// back as a file the program accepts again, and that file is a fixed point: it
// loads to what it was written from and writes back byte for byte. Validation
// and loading run through a real file, as the import does.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "model/ConfigStore.h"
#include "platform/Prompter.h"
#include "storage/ConfigFile.h"
#include "text/LanguageTable.h"

namespace {

class SilentPrompter final : public tessel::Prompter {
public:
    tessel::PromptAnswer ShowMessage(const std::u16string&, const std::u16string&,
                                     tessel::PromptButtons, tessel::PromptIcon) override {
        return tessel::PromptAnswer::Ok;
    }
    std::optional<std::u16string> AskOpenFile(const tessel::FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::u16string> AskSaveFile(const tessel::FileDialogRequest&) override {
        return std::nullopt;
    }
};

const std::filesystem::path& InputFile() {
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("tessel-fuzz-config-" + std::to_string(getpid()) + ".fwc");
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessel;
    static SilentPrompter prompter;
    static const LanguageTable table;

    {
        std::ofstream out(InputFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const int valid = ValidateConfigFile(InputFile(), prompter, table);
    ConfigStore store;
    const int loaded = LoadConfigFile(InputFile(), store);
    // Loading checks at least what validation checks.
    if (loaded == 1 && valid != 1) {
        std::abort();
    }
    if (loaded != 1) {
        return 0;
    }
    const auto bytes = EncodeConfigFile(*store.Image(), store.Macros(), store.Texts());
    const auto again = DecodeConfigFile(bytes);
    if (!again || again->macros.size() != store.Macros().size() ||
        again->texts.Total() != store.Texts().Total()) {
        std::abort();
    }
    for (int slot = 0; slot < kEntryCount; ++slot) {
        const std::u16string* before = store.Texts().Text(slot);
        const std::u16string* after = again->texts.Text(slot);
        if ((before == nullptr) != (after == nullptr) || (before && *before != *after)) {
            std::abort();
        }
    }
    if (EncodeConfigFile(*again->image, again->macros, again->texts) != bytes) {
        std::abort();
    }
    return 0;
}
