// The companion agent is started only when it is a program: a copy without
// its execute bit is skipped like a missing one, never handed to the
// desktop's opener (which would open it as a document at every start).

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "app/PlatformInstanceServices.h"
#include "platform/ShellOpen.h"
#include "support/TempFolder.h"

namespace tessel {
namespace {

TEST(AgentStartTest, OnlyAnAgentWithItsExecuteBitIsStarted) {
    testing::TempFolder folder;
    ProgramPaths paths = ProgramPaths::FromModuleFileName(folder / "tessel");
    std::vector<std::filesystem::path> opened;
    ReplaceShellOpen([&](const std::filesystem::path& target, std::u16string_view,
                         const std::filesystem::path&, ShowCommand) {
        opened.push_back(target);
        return kShellOpenStarted;
    });
    PlatformInstanceServices services(paths);

    services.StartAgent();  // missing
    std::ofstream(paths.agentPath) << "#!/bin/sh\n";
    std::filesystem::permissions(
        paths.agentPath, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    services.StartAgent();  // copied without its execute bit
    EXPECT_TRUE(opened.empty());

    std::filesystem::permissions(paths.agentPath, std::filesystem::perms::owner_all);
    services.StartAgent();
    EXPECT_EQ(opened, std::vector{paths.agentPath});
    ReplaceShellOpen({});
}

}  // namespace
}  // namespace tessel
