#pragma once
// Telling the user that a file could not be written (a full disk, a read-only
// folder): the text of the current language, naming the file.

#include <filesystem>
#include <string>
#include <string_view>

namespace tessel {

class Prompter;
class TextLookup;

inline constexpr std::u16string_view kWriteFailedText = u"IDS_MAIN_WRITE_FAILED";

// `reason`, when known, follows on a line of its own ("is not a regular file").
std::u16string FailedWriteText(const std::filesystem::path& file, const TextLookup& texts,
                               std::string_view reason = {});
// A write the user asked for: told every time it fails.
void ReportFailedWrite(const std::filesystem::path& file, Prompter& prompter,
                       const TextLookup& texts, std::string_view reason = {});

// A write the user did not ask for (the scene refresh at every attach): told
// once, and again only after a write of it has succeeded in between.
class UnaskedWriteNotice {
public:
    // `failure` empty: written.
    void Note(std::string_view failure, const std::filesystem::path& file, Prompter& prompter,
              const TextLookup& texts);

private:
    bool told_ = false;
};

}  // namespace tessel
