#pragma once
// Opens a program, a document or a web address the way the desktop shell
// does: a program is started, anything else goes to the user's preferred
// application (xdg-open). Nothing waits for what was started, beyond a
// moment for an opener that finds no application and fails at once.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

enum class ShowCommand {
    Hidden,  // output of the started program is discarded
    Normal,  // the started program shares our terminal output
};

// Results as the Windows shell gives them: above 32 means started.
inline constexpr int kShellOpenStarted = 42;
inline constexpr int kShellOpenFileNotFound = 2;
inline constexpr int kShellOpenAccessDenied = 5;
inline constexpr int kShellOpenNoAssociation = 31;
inline constexpr bool ShellOpenStarted(int result) {
    return result > 32;
}

// `target` relative to `folder` when it is relative and `folder` is given;
// `folder` is also the working folder of a started program. `parameters` is
// split into arguments at blanks, with double quotes grouping.
int ShellOpen(const std::filesystem::path& target, std::u16string_view parameters,
              const std::filesystem::path& folder, ShowCommand show);

// Starts `program` itself, detached, never through the desktop's opener: an
// opener would report success for a file it merely shows. Refuses anything but
// a regular file this user may execute (kShellOpenFileNotFound when there is
// nothing, kShellOpenAccessDenied otherwise).
int StartProgram(const std::filesystem::path& program, ShowCommand show);

// A regular file (after symbolic links) that this user may execute.
bool IsExecutableFile(const std::filesystem::path& file);

std::vector<std::string> SplitParameters(std::u16string_view parameters);

// Takes the place of the shell for every later ShellOpen call, so a test can see
// what the program asks to open without starting anything; an empty function
// gives the shell back.
using ShellOpenFunction =
    std::function<int(const std::filesystem::path& target, std::u16string_view parameters,
                      const std::filesystem::path& folder, ShowCommand show)>;
void ReplaceShellOpen(ShellOpenFunction replacement);

// The first executable `program` in the folders of PATH, or an empty path.
std::filesystem::path FindProgramOnPath(std::string_view program);

}  // namespace tessel
