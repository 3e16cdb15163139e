#pragma once
// A headless sway compositor of its own for one test, with the clients a test
// needs (the program, swaymsg, grim, wtype) run as the compositor's user.
// sway refuses to run as root: started by root, the compositor and its clients
// run as an unprivileged system user made for the purpose; otherwise as the
// current user. Every client gets the compositor's WAYLAND_DISPLAY,
// XDG_RUNTIME_DIR (mode 0700, owned by that user) and SWAYSOCK.
//
//   HeadlessSway sway;
//   if (!sway.Start()) GTEST_SKIP() << sway.Reason();

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessel::testing {

class HeadlessSway {
public:
    // The user that runs compositor and clients when the test runs as root.
    static constexpr const char* kUserName = "tessel-wayland";

    HeadlessSway();
    // Ends every client still running, then the compositor; removes its folder.
    ~HeadlessSway();
    HeadlessSway(const HeadlessSway&) = delete;
    HeadlessSway& operator=(const HeadlessSway&) = delete;

    // Starts the compositor with one output of `width` x `height` and waits
    // until it answers on its IPC socket. False, with Reason(), when it cannot
    // run here (no sway, no user to run it, or it did not come up).
    bool Start(int width = 1280, int height = 800);
    // Why Start failed, for the test to print before it skips.
    const std::string& Reason() const { return m_reason; }

    // A folder owned by the compositor's user inside this compositor's folder,
    // created on first use (for HOME, XDG folders, outputs of clients).
    std::filesystem::path UserFolder(const std::string& name);
    // A copy of `source` (symbolic links followed) that the compositor's user
    // can read and run, whatever the permissions of the build tree's parents.
    std::filesystem::path StageForUser(const std::filesystem::path& source,
                                       const std::string& name);

    // The variables every client gets: HOME, PATH, XDG_RUNTIME_DIR,
    // WAYLAND_DISPLAY, SWAYSOCK.
    std::map<std::string, std::string> ClientEnvironment() const;

    // Starts `argv` (argv[0] looked up on PATH when it has no slash) as the
    // compositor's user with the client environment plus `extra`; its standard
    // output and error go to `output` (discarded when empty). -1 on failure.
    pid_t Spawn(const std::vector<std::string>& argv,
                const std::map<std::string, std::string>& extra = {},
                const std::filesystem::path& output = {});
    // The exit status of a spawned client, -1 when a signal ended it, nothing
    // when it still runs after `bound`.
    std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds bound);
    bool IsRunning(pid_t pid);

    struct Outcome {
        int status = -1;
        std::string output;  // standard output and error together
    };
    // Runs a client to its end; nothing when it did not end within `bound`.
    std::optional<Outcome> Run(const std::vector<std::string>& argv,
                               std::chrono::milliseconds bound = std::chrono::seconds(10),
                               const std::map<std::string, std::string>& extra = {});
    // "swaymsg -t TYPE [COMMAND]": the reply text, nothing when swaymsg failed.
    std::optional<std::string> Message(const std::string& type, const std::string& command = {});
    // "swaymsg COMMAND" and whether sway reports success.
    bool Command(const std::string& command);
    // A PNG of the whole output (or of `geometry`, "x,y wxh") taken with grim.
    bool Screenshot(const std::filesystem::path& file, const std::string& geometry = {});
    // Runs wtype with `arguments` ({"a"} types an a, {"-k", "Return"} presses
    // Return) against the focused window.
    bool Type(const std::vector<std::string>& arguments);

    // Polls `condition` until it holds or `bound` passes.
    static bool WaitUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds bound = std::chrono::seconds(15));

    uid_t Uid() const { return m_uid; }
    const std::filesystem::path& Folder() const { return m_folder; }

private:
    bool Fail(std::string reason);
    bool ChooseUser();
    bool WriteConfig(int width, int height);
    std::string FindWaylandSocket() const;

    std::string m_reason;
    std::filesystem::path m_folder;
    std::filesystem::path m_runtime;
    std::filesystem::path m_sock;
    std::string m_display;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
    pid_t m_sway = -1;
    std::vector<pid_t> m_clients;
};

}  // namespace tessel::testing
