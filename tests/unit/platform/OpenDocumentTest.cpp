// Opening a document goes to the desktop's opener: a missing opener, or one
// that gives up at once because no application takes the document, is a
// failed start the caller can tell the user about.

#include <gtest/gtest.h>

#include "PlatformTestSupport.h"
#include "platform/ShellOpen.h"

namespace tessel {
namespace {

using testing::ReadText;
using testing::ScopedEnv;
using testing::TempFolder;
using testing::WaitUntil;
using testing::WriteScript;
using testing::WriteText;

TEST(OpenDocumentTest, AnOpenerThatFailsAtOnceOrIsMissingIsNoStart) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "bin");
    const auto page = folder / "index.html";
    WriteText(page, "<html></html>");
    ScopedEnv path("PATH", folder / "bin");

    EXPECT_EQ(ShellOpen(page, u"", {}, ShowCommand::Hidden), kShellOpenNoAssociation)
        << "no opener at all";

    WriteScript(folder / "bin" / "xdg-open", "exit 3");
    EXPECT_EQ(ShellOpen(page, u"", {}, ShowCommand::Hidden), kShellOpenNoAssociation);

    const auto opened = folder / "opened";
    WriteScript(folder / "bin" / "xdg-open", "echo \"$1\" > '" + opened.string() + "'");
    EXPECT_TRUE(ShellOpenStarted(ShellOpen(page, u"", {}, ShowCommand::Hidden)));
    EXPECT_TRUE(WaitUntil([&] { return ReadText(opened) == page.string() + "\n"; }));

    // An opener still busy after the first moment (a browser it waits for) started.
    WriteScript(folder / "bin" / "xdg-open", "/bin/sleep 2; exit 4");
    EXPECT_TRUE(ShellOpenStarted(ShellOpen(page, u"", {}, ShowCommand::Hidden)));
}

}  // namespace
}  // namespace tessel
