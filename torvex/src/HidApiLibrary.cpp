#include "HidApiLibrary.h"

#include <hidapi/hidapi.h>

namespace torvex {

namespace {

class HidApiDevice : public HidDevice {
public:
    explicit HidApiDevice(hid_device* device) : device_(device) {}
    ~HidApiDevice() override { hid_close(device_); }

    int Write(std::span<const uint8_t> report) override {
        return hid_write(device_, report.data(), report.size());
    }
    int Read(std::span<uint8_t> buffer, int timeoutMs) override {
        return hid_read_timeout(device_, buffer.data(), buffer.size(), timeoutMs);
    }
    int SendFeature(std::span<const uint8_t> report) override {
        return hid_send_feature_report(device_, report.data(), report.size());
    }

private:
    hid_device* device_;
};

class HidApiLibrary : public HidApi {
public:
    bool Init() override { return hid_init() == 0; }
    void Exit() override { hid_exit(); }

    std::vector<InterfaceInfo> Enumerate() override {
        std::vector<InterfaceInfo> found;
        hid_device_info* list = hid_enumerate(0, 0);
        for (hid_device_info* each = list; each != nullptr; each = each->next) {
            found.push_back({each->path ? each->path : "", each->vendor_id, each->product_id,
                             each->usage_page, each->usage});
        }
        hid_free_enumeration(list);
        return found;
    }

    std::unique_ptr<HidDevice> Open(const std::string& path) override {
        hid_device* device = hid_open_path(path.c_str());
        if (device == nullptr) {
            return nullptr;
        }
        return std::make_unique<HidApiDevice>(device);
    }
};

}  // namespace

std::unique_ptr<HidApi> MakeHidApiLibrary() {
    return std::make_unique<HidApiLibrary>();
}

}  // namespace torvex
