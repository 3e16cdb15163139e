#pragma once
// The help page opened in the user's browser; when no browser can be started
// the user is told so and given the page's path to open it some other way.

#include <filesystem>

namespace tessel {

class Prompter;
class TextLookup;

inline constexpr char16_t kHelpPageName[] = u"index.html";

// True when the browser was started.
bool OpenHelpPage(const std::filesystem::path& helpFolder, Prompter& prompter,
                  const TextLookup& texts);

}  // namespace tessel
