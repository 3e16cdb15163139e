#pragma once
// Runs a file operation as a user without privileges: root ignores folder
// permissions, so as root the attempt runs in a child that drops to "nobody".

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace tessel::testing {

inline bool RunWithoutPrivileges(const std::function<bool()>& attempt) {
    if (geteuid() != 0) {
        return attempt();
    }
    const pid_t child = fork();
    if (child == 0) {
        const uid_t nobody = 65534;
        if (setgid(nobody) != 0 || setuid(nobody) != 0) {
            _exit(2);
        }
        _exit(attempt() ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 2) << "could not drop privileges";
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

// Leaves the folder and the file readable by everyone and writable by no one.
inline void MakeReadOnly(const std::filesystem::path& folder, const std::filesystem::path& file) {
    using std::filesystem::perms;
    std::filesystem::permissions(file, perms::owner_read | perms::others_read);
    std::filesystem::permissions(
        folder, perms::owner_read | perms::owner_exec | perms::others_read | perms::others_exec);
}

}  // namespace tessel::testing
