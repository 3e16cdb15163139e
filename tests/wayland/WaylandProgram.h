#pragma once
// Runs the built program natively on a headless sway (QT_QPA_PLATFORM=wayland)
// against the simulated keyboard, as the compositor's user, and reads back
// what the compositor made of its windows.

#include <gtest/gtest.h>
#include <sys/types.h>

#include <QJsonObject>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/HeadlessSway.h"

namespace tessel::testing {

// One window of the program as sway's tree shows it.
struct SwayView {
    QRect rect;
    bool floating = false;
    bool focused = false;
    bool visible = false;
    QString title;
};

class WaylandProgram : public ::testing::Test {
protected:
    static constexpr QSize kScreen{1280, 800};

    void SetUp() override;
    void TearDown() override;

    // Starts the program with `arguments`; its standard error is kept.
    pid_t Start(const std::vector<std::string>& arguments,
                const std::map<std::string, std::string>& extra = {});
    // Starts and waits for the exit status (nothing on a hang).
    std::optional<int> Run(const std::vector<std::string>& arguments,
                           const std::map<std::string, std::string>& extra = {});
    // Whether `pid` answers a request of no meaning at its endpoint, asked as
    // another process of the same user.
    bool Answers(pid_t pid);
    std::string ErrorOutput(pid_t pid) const;

    // The windows of `pid` in stacking order, lowest first.
    std::vector<SwayView> Views(pid_t pid);
    // Polls the tree until `condition` holds for the views of `pid`.
    bool WaitForViews(pid_t pid, const std::function<bool(const std::vector<SwayView>&)>& condition,
                      std::chrono::milliseconds bound = std::chrono::seconds(20));
    // The size a skinned window takes: its background picture's.
    QSize SkinSize(const std::string& iniName) const;
    // The centre of a control's rectangle in the skin file, in window pixels.
    QPoint SkinCentre(const std::string& iniName, const std::u16string& entry) const;
    // A left click at `point` of the screen through a virtual pointer, which
    // stays on the seat for the rest of the test; false with `reason` when no
    // click can be made here.
    bool Click(QPoint point, std::string& reason);
    // Presses at `from`, moves to `to` and lets go there.
    bool Drag(QPoint from, QPoint to, std::string& reason);
    std::string LastTree() const { return m_lastTree; }

    HeadlessSway m_sway;
    std::filesystem::path m_programFolder;
    std::filesystem::path m_userFolder;

private:
    std::map<pid_t, std::filesystem::path> m_errorFiles;
    // Writing end of the virtual pointer's command FIFO, once it runs.
    bool StartPointer(std::string& reason);
    bool SendPointer(const std::string& line, std::string& reason);
    int m_clicks = -1;
    std::string m_lastTree;
};

}  // namespace tessel::testing
