// The pieces of the single-instance rule between real processes: the named
// mutex, the instance search and the request endpoint.

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>

#include <atomic>
#include <thread>

#include "PlatformTestSupport.h"
#include "platform/FindProcess.h"
#include "platform/NamedMutex.h"
#include "platform/RequestEndpoint.h"
#include "platform/ShellOpen.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;
using testing::Child;
using testing::ScopedEnv;
using testing::TempFolder;
using testing::WaitUntil;

constexpr uint32_t kMarker = 0x4D41494E;

class InstanceTest : public ::testing::Test {
protected:
    TempFolder m_folder;
    ScopedEnv m_runtime{"XDG_RUNTIME_DIR", m_folder.Path()};
    // A unique name, so endpoints of other test programs never meet ours.
    std::string m_name = "Tessel_Test_" + std::to_string(getpid());
};

TEST_F(InstanceTest, MutexExistsWhileAnotherProcessHoldsItEvenAfterSigkill) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    Child holder([&] {
        NamedMutex mutex(m_name);
        char result = mutex.Open() == MutexOpen::Created ? 'c' : 'x';
        if (write(ready[1], &result, 1) != 1) {
            return 1;
        }
        pause();
        return 0;
    });
    char result = 0;
    ASSERT_EQ(read(ready[0], &result, 1), 1);
    ASSERT_EQ(result, 'c');

    NamedMutex mutex(m_name);
    EXPECT_EQ(mutex.Open(), MutexOpen::AlreadyExists);
    struct stat info {};
    ASSERT_EQ(stat(mutex.LockFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    kill(holder.Pid(), SIGKILL);
    holder.Wait();
    // The lock file stays behind but no longer counts.
    EXPECT_TRUE(std::filesystem::exists(mutex.LockFile()));
    EXPECT_EQ(mutex.Open(), MutexOpen::Created);
    Child other([&] { return NamedMutex(m_name).Open() == MutexOpen::AlreadyExists ? 0 : 1; });
    EXPECT_EQ(other.Wait(), 0);
    mutex.Close();
    Child after([&] { return NamedMutex(m_name).Open() == MutexOpen::Created ? 0 : 1; });
    EXPECT_EQ(after.Wait(), 0);
    close(ready[0]);
    close(ready[1]);
}

TEST_F(InstanceTest, AProgramStartedByTheOwnerDoesNotKeepTheMutex) {
    NamedMutex mutex(m_name);
    ASSERT_EQ(mutex.Open(), MutexOpen::Created);
    testing::WriteScript(m_folder / "agent", "sleep 30");
    ASSERT_GT(ShellOpen(m_folder / "agent", u"", {}, ShowCommand::Hidden), 32);
    mutex.Close();
    // The agent still runs, yet the mutex is free.
    Child after([&] { return NamedMutex(m_name).Open() == MutexOpen::Created ? 0 : 1; });
    EXPECT_EQ(after.Wait(), 0);
}

TEST_F(InstanceTest, FindsAnotherProcessByFileNameWithoutCase) {
    const std::string fileName = "TesselFind_" + std::to_string(getpid());
    std::filesystem::copy_file("/bin/sleep", m_folder / fileName);
    std::filesystem::permissions(m_folder / fileName, std::filesystem::perms::owner_all);
    EXPECT_EQ(FindProcessByFileName(fileName), 0);

    const std::string program = (m_folder / fileName).string();
    Child running([&] {
        execl(program.c_str(), program.c_str(), "30", nullptr);
        return 127;
    });
    ASSERT_TRUE(WaitUntil([&] { return FindProcessByFileName(fileName) != 0; }));
    EXPECT_EQ(FindProcessByFileName(fileName), running.Pid());
    std::string upper = fileName;
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(FindProcessByFileName(upper), running.Pid());
    // Only the file name counts, not the folder.
    EXPECT_EQ(FindProcessByFileName(program), 0);

    kill(running.Pid(), SIGKILL);
    running.Wait();
    EXPECT_EQ(FindProcessByFileName(fileName), 0);
}

TEST_F(InstanceTest, TheSearchSkipsThisProcess) {
    const auto self = std::filesystem::read_symlink("/proc/self/exe").filename().string();
    const int found = FindProcessByFileName(self);
    EXPECT_NE(found, getpid());
}

TEST_F(InstanceTest, ARequestReachesTheHandlerOfTheGivenProcessAndTheSenderWaitsForIt) {
    int ready[2];
    int seen[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(seen), 0);
    Child receiver([&] {
        auto endpoint = RequestEndpoint::Open(m_name, kMarker, [&](const WindowRequest& request) {
            // Slow on purpose: the sender must still wait for the result.
            std::this_thread::sleep_for(200ms);
            uint32_t words[3] = {request.message, static_cast<uint32_t>(request.wParam),
                                 static_cast<uint32_t>(request.lParam)};
            if (write(seen[1], words, sizeof words) != sizeof words) {
                return intptr_t{0};
            }
            return intptr_t{-7};
        });
        char ok = endpoint ? 'y' : 'n';
        if (write(ready[1], &ok, 1) != 1) {
            return 1;
        }
        pause();
        return 0;
    });
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'y');

    auto result =
        DeliverRequest(m_name, receiver.Pid(), kMarker, WindowRequest{0x5350, 0x4F50454E, -2}, 5s);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, -7);
    // Already written when the delivery returned.
    pollfd waitFor{seen[0], POLLIN, 0};
    ASSERT_EQ(poll(&waitFor, 1, 0), 1);
    uint32_t words[3] = {};
    ASSERT_EQ(read(seen[0], words, sizeof words), static_cast<ssize_t>(sizeof words));
    EXPECT_EQ(words[0], 0x5350u);
    EXPECT_EQ(words[1], 0x4F50454Eu);
    EXPECT_EQ(static_cast<int32_t>(words[2]), -2);

    // Another process id has no endpoint; another marker is refused.
    EXPECT_FALSE(DeliverRequest(m_name, getpid(), kMarker, WindowRequest{1, 2, 0}, 1s));
    EXPECT_FALSE(DeliverRequest(m_name, receiver.Pid(), 0x12345678, WindowRequest{1, 2, 0}, 1s));
    EXPECT_EQ(poll(&waitFor, 1, 300), 0);
    for (int fd : {ready[0], ready[1], seen[0], seen[1]}) {
        close(fd);
    }
}

TEST_F(InstanceTest, ASenderGivesUpOnAHandlerThatDoesNotFinish) {
    std::atomic<bool> release{false};
    auto endpoint = RequestEndpoint::Open(m_name, kMarker, [&](const WindowRequest&) {
        WaitUntil([&] { return release.load(); });
        return intptr_t{1};
    });
    ASSERT_TRUE(endpoint);
    EXPECT_FALSE(DeliverRequest(m_name, getpid(), kMarker, WindowRequest{1, 2, 0}, 300ms));
    release = true;
}

TEST_F(InstanceTest, ARequestCarriesAPayloadAndIsAnsweredWithText) {
    auto endpoint = RequestEndpoint::Open(
        m_name, kMarker, [](const WindowRequest& request, std::string_view payload) {
            return RequestReply{static_cast<intptr_t>(request.lParam),
                                "got " + std::string(payload)};
        });
    ASSERT_TRUE(endpoint);
    const auto reply = DeliverRequestWithText(m_name, getpid(), kMarker, WindowRequest{1, 2, 3},
                                              "/home/u/keyboard.fwc", 2s);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->result, 3);
    EXPECT_EQ(reply->text, "got /home/u/keyboard.fwc");
    // Plain requests still get the result alone.
    EXPECT_EQ(DeliverRequest(m_name, getpid(), kMarker, WindowRequest{1, 2, 9}, 2s), 9);
    // A payload beyond the bound is not even sent.
    EXPECT_FALSE(DeliverRequestWithText(m_name, getpid(), kMarker, WindowRequest{1, 2, 3},
                                        std::string(kMaxRequestText + 1, 'x'), 2s));
}

TEST_F(InstanceTest, ASocketOfADeadProcessBlocksNothing) {
    Child crashed([&] {
        auto endpoint = RequestEndpoint::Open(m_name, kMarker,
                                              [](const WindowRequest&) { return intptr_t{1}; });
        pause();
        return 0;
    });
    const auto stale = m_folder / (m_name + "." + std::to_string(crashed.Pid()) + ".sock");
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(stale); }));
    kill(crashed.Pid(), SIGKILL);
    crashed.Wait();
    ASSERT_TRUE(std::filesystem::exists(stale));
    EXPECT_FALSE(DeliverRequest(m_name, crashed.Pid(), kMarker, WindowRequest{1, 2, 0}, 1s));

    auto endpoint = RequestEndpoint::Open(m_name, kMarker, [](const WindowRequest& request) {
        return static_cast<intptr_t>(request.wParam + 1);
    });
    ASSERT_TRUE(endpoint);
    EXPECT_FALSE(std::filesystem::exists(stale));
    struct stat info {};
    ASSERT_EQ(stat(endpoint->SocketPath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    Child sender([&] {
        auto result = DeliverRequest(m_name, getppid(), kMarker, WindowRequest{1, 41, 0}, 5s);
        return result == 42 ? 0 : 1;
    });
    EXPECT_EQ(sender.Wait(), 0);

    const std::string path = endpoint->SocketPath();
    endpoint.reset();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(InstanceTest, RequestsOfAnotherUserAreRefused) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to act as another user";
    }
    std::atomic<int> handled{0};
    auto endpoint = RequestEndpoint::Open(m_name, kMarker, [&](const WindowRequest&) {
        ++handled;
        return intptr_t{1};
    });
    ASSERT_TRUE(endpoint);
    // Let the other user reach the socket, so the peer check is what refuses.
    std::filesystem::permissions(m_folder.Path(), std::filesystem::perms::all);
    std::filesystem::permissions(endpoint->SocketPath(), std::filesystem::perms::all);
    const pid_t owner = getpid();
    Child stranger([&] {
        if (setgid(65534) != 0 || setuid(65534) != 0) {
            return 2;
        }
        return DeliverRequest(m_name, owner, kMarker, WindowRequest{0x4D4B, 0x4C4C494B, 0}, 2s) ? 1
                                                                                                : 0;
    });
    EXPECT_EQ(stranger.Wait(), 0);
    EXPECT_EQ(handled, 0);
}

}  // namespace
}  // namespace tessel
