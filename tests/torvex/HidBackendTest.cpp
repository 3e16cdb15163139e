// The hid backend's matching, readers, writes and presence, behind the hidapi
// seam: a scripted set of HID interfaces stands in for the hardware.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <thread>

#include "HidBackend.h"
#include "Service.h"
#include "TorvexLibrary.h"

namespace torvex {
namespace {

using torvex_test::kTagCons;
using torvex_test::kTagCtrl;
using torvex_test::Recorder;
using torvex_test::RecordingCallback;

const InterfaceInfo kCommand{"/dev/hidraw1", 0x320F, 0x500F, 0xFF1C, 0x0092};
const InterfaceInfo kConsumer{"/dev/hidraw2", 0x320F, 0x500F, 0x000C, 0x0001};
const InterfaceInfo kIndicator{"/dev/hidraw3", 0x320F, 0x500F, 0x0008, 0x0089};
const InterfaceInfo kMouse{"/dev/hidraw0", 0x046D, 0xC077, 0x0001, 0x0002};
const ChannelKey kCommandKey{0xF, 0x320F, 0x500F, 0xFF1C, 0x0092};
const ChannelKey kConsumerKey{0xF, 0x320F, 0x500F, 0x000C, 0x0001};
const ChannelKey kIndicatorKey{0xF, 0x320F, 0x500F, 0x0008, 0x0089};

// What the scripted "hardware" holds; shared by the seam objects and the test.
struct FakeHid {
    std::mutex lock;
    bool initWorks = true;
    bool writesFail = false;
    std::vector<InterfaceInfo> attached;
    std::map<std::string, std::deque<std::vector<uint8_t>>> input;
    std::map<std::string, std::vector<std::vector<uint8_t>>> written;
    std::map<std::string, int> failReads;  // reads that report the device gone
    std::vector<std::string> opened;

    void Attach(std::initializer_list<InterfaceInfo> interfaces) {
        std::lock_guard guard(lock);
        attached.insert(attached.end(), interfaces);
    }
    void DetachAll() {
        std::lock_guard guard(lock);
        attached.clear();
    }
    void Queue(const InterfaceInfo& interface, std::vector<uint8_t> report) {
        std::lock_guard guard(lock);
        input[interface.path].push_back(std::move(report));
    }
    int OpenCount(const std::string& path) {
        std::lock_guard guard(lock);
        return static_cast<int>(std::count(opened.begin(), opened.end(), path));
    }
};

class FakeDevice : public HidDevice {
public:
    FakeDevice(FakeHid& hid, std::string path) : hid_(hid), path_(std::move(path)) {}
    int Write(std::span<const uint8_t> report) override {
        std::lock_guard guard(hid_.lock);
        if (hid_.writesFail) {
            return -1;
        }
        hid_.written[path_].emplace_back(report.begin(), report.end());
        return static_cast<int>(report.size());
    }
    int Read(std::span<uint8_t> buffer, int timeoutMs) override {
        {
            std::lock_guard guard(hid_.lock);
            if (hid_.failReads[path_] > 0) {
                --hid_.failReads[path_];
                return -1;
            }
            auto& queue = hid_.input[path_];
            if (!queue.empty()) {
                auto report = queue.front();
                queue.pop_front();
                std::copy(report.begin(), report.end(), buffer.begin());
                return static_cast<int>(report.size());
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(timeoutMs, 5)));
        return 0;
    }
    int SendFeature(std::span<const uint8_t> report) override { return Write(report); }

private:
    FakeHid& hid_;
    std::string path_;
};

class FakeHidApi : public HidApi {
public:
    explicit FakeHidApi(FakeHid& hid) : hid_(hid) {}
    bool Init() override { return hid_.initWorks; }
    void Exit() override {}
    std::vector<InterfaceInfo> Enumerate() override {
        std::lock_guard guard(hid_.lock);
        return hid_.attached;
    }
    std::unique_ptr<HidDevice> Open(const std::string& path) override {
        std::lock_guard guard(hid_.lock);
        hid_.opened.push_back(path);
        return std::make_unique<FakeDevice>(hid_, path);
    }

private:
    FakeHid& hid_;
};

class HidBackendTest : public ::testing::Test {
protected:
    FakeHid hid;
    std::unique_ptr<Service> service;

    void SetUp() override { Recorder::Instance().Clear(); }
    void StartService() {
        service = std::make_unique<Service>(std::make_unique<HidBackend>(
            std::make_unique<FakeHidApi>(hid), std::chrono::milliseconds(10)));
        ASSERT_TRUE(service->Start());
    }
};

std::vector<uint8_t> Reply(uint8_t command) {
    std::vector<uint8_t> reply(64, 0);
    reply[0] = 0x04;
    reply[3] = command;
    return reply;
}

TEST_F(HidBackendTest, ReadsOnlyTheInterfacesOfChannelsWithAStandingRead) {
    hid.Attach({kMouse, kCommand, kConsumer, kIndicator});
    StartService();
    EXPECT_TRUE(hid.opened.empty());
    service->AddRead(kCommandKey, RecordingCallback, kTagCtrl);
    EXPECT_EQ(hid.opened, std::vector<std::string>{kCommand.path});

    hid.Queue(kMouse, {1, 2, 3});
    hid.Queue(kConsumer, {0xFF, 0x02});
    hid.Queue(kCommand, Reply(0x03));
    auto delivery = Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT);
    ASSERT_TRUE(delivery);
    EXPECT_EQ(delivery->count, 64u);
    EXPECT_EQ(delivery->data, Reply(0x03));
    EXPECT_EQ(delivery->report, Reply(0x03));
    EXPECT_NE(delivery->thread, std::this_thread::get_id());
    EXPECT_FALSE(Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT, 100));
    service->Stop();
}

TEST_F(HidBackendTest, WritesGoToTheInterfaceTheDescriptorSelects) {
    hid.Attach({kMouse, kCommand, kConsumer, kIndicator});
    StartService();
    const std::vector<uint8_t> state = {0x05, 0x03};
    EXPECT_EQ(service->Write(kIndicatorKey, state), 1);
    EXPECT_EQ(service->Write(kCommandKey, Reply(0x01)), 1);
    EXPECT_EQ(hid.written[kIndicator.path], std::vector<std::vector<uint8_t>>{state});
    EXPECT_EQ(hid.written[kCommand.path].size(), 1u);
    EXPECT_EQ(hid.written.count(kMouse.path), 0u);

    // Another product, or a failing write, is not sent.
    EXPECT_EQ(service->Write(ChannelKey{0xF, 0x320F, 0x5010, 0xFF1C, 0x0092}, state), 0);
    hid.writesFail = true;
    EXPECT_EQ(service->Write(kIndicatorKey, state), 0);
    hid.writesFail = false;
    EXPECT_EQ(service->Write(kIndicatorKey, state), 1);  // reopened after the failure
    EXPECT_EQ(service->DeviceCount(kCommandKey), 1);
    // Without usage flags the vendor and product alone select all three interfaces.
    EXPECT_EQ(service->DeviceCount(ChannelKey{0x3, 0x320F, 0x500F, 0, 0}), 3);
    service->Stop();
}

TEST_F(HidBackendTest, AttachAndRemovalReachEveryStandingReadWithItsCount) {
    hid.Attach({kMouse});
    StartService();
    service->AddRead(kCommandKey, RecordingCallback, kTagCtrl);
    service->AddRead(kConsumerKey, RecordingCallback, kTagCons);
    EXPECT_EQ(service->DeviceCount(kCommandKey), 0);

    hid.Attach({kCommand, kConsumer, kIndicator});
    auto attached = Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_PRESENCE);
    auto consumerSees = Recorder::Instance().WaitFor(kTagCons, TORVEX_EVENT_PRESENCE);
    ASSERT_TRUE(attached && consumerSees);
    EXPECT_EQ(attached->count, 1u);
    EXPECT_EQ(consumerSees->count, 1u);
    EXPECT_EQ(service->DeviceCount(kCommandKey), 1);

    // The reader of the new interface runs.
    hid.Queue(kConsumer, {0x01, 0x04});
    auto code = Recorder::Instance().WaitFor(kTagCons, TORVEX_EVENT_INPUT_REPORT);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->report, (std::vector<uint8_t>{0x01, 0x04}));

    hid.DetachAll();
    auto removed = Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_PRESENCE);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->count, 0u);
    EXPECT_EQ(service->Write(kCommandKey, Reply(0x01)), 0);

    // Devices nobody reads from do not make presence reports.
    Recorder::Instance().WaitFor(kTagCons, TORVEX_EVENT_PRESENCE);
    hid.Attach({kMouse});
    EXPECT_FALSE(Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_PRESENCE, 100));
    service->Stop();
}

TEST_F(HidBackendTest, AReaderThatLostItsDeviceIsReopenedWhileTheInterfaceIsListed) {
    hid.Attach({kCommand});
    StartService();
    hid.failReads[kCommand.path] = 1;
    service->AddRead(kCommandKey, RecordingCallback, kTagCtrl);
    for (int i = 0; i < 200 && hid.OpenCount(kCommand.path) < 2; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(hid.OpenCount(kCommand.path), 2);
    hid.Queue(kCommand, Reply(0x0D));
    EXPECT_TRUE(Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT));
    service->Stop();
}

TEST_F(HidBackendTest, NothingIsDeliveredAfterStop) {
    hid.Attach({kCommand});
    StartService();
    service->AddRead(kCommandKey, RecordingCallback, kTagCtrl);
    service->Stop();
    hid.Queue(kCommand, Reply(0x0D));
    hid.DetachAll();
    EXPECT_FALSE(Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT, 100));
    EXPECT_FALSE(Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_PRESENCE, 1));
    EXPECT_EQ(service->Write(kCommandKey, Reply(0x01)), 0);
}

TEST_F(HidBackendTest, FailingHidInitFailsTheStart) {
    hid.initWorks = false;
    Service failing(std::make_unique<HidBackend>(std::make_unique<FakeHidApi>(hid),
                                                 std::chrono::milliseconds(10)));
    EXPECT_FALSE(failing.Start());
}

}  // namespace
}  // namespace torvex
