// The simulated keyboard's state file: what is saved when, and what is refused.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "SimCommands.h"
#include "SimKeyboard.h"
#include "SimState.h"
#include "TorvexLibrary.h"

namespace torvex {
namespace {

class TempFolder {
public:
    TempFolder() {
        path_ = std::filesystem::temp_directory_path() /
                ("torvex-state-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    std::filesystem::path operator/(const char* name) const { return path_ / name; }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                                      std::filesystem::directory_iterator()));
    }

private:
    static inline int counter_ = 0;
    std::filesystem::path path_;
};

std::vector<uint8_t> Frame(uint8_t command, uint8_t length, uint16_t offset,
                           const std::vector<uint8_t>& payload = {}) {
    return torvex_test::RequestFrame(command, length, offset, payload);
}

TEST(SimState, RoundTripKeepsEveryArea) {
    TempFolder folder;
    SimMemory memory;
    memory.SetActiveProfile(3);
    memory.SetFirmwareVersion(0x0201);
    memory.Area(SimArea::Macro).back() = 0x5A;
    memory.Area(SimArea::KeyColours)[5] = 0x11;
    ASSERT_TRUE(SaveSimState(memory, folder / "state"));
    auto loaded = LoadSimState(folder / "state");
    ASSERT_TRUE(loaded);
    for (int area = 0; area <= static_cast<int>(SimArea::DefaultKeyBlock); ++area) {
        auto which = static_cast<SimArea>(area);
        EXPECT_TRUE(std::ranges::equal(loaded->Area(which), memory.Area(which))) << area;
    }
    EXPECT_EQ(folder.FileCount(), 1u);  // no temporary file left behind
}

TEST(SimState, DamagedFilesAreRefused) {
    TempFolder folder;
    ASSERT_TRUE(SaveSimState(SimMemory{}, folder / "good"));
    std::ifstream in(folder / "good", std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto write = [&](const char* name, const std::vector<char>& content) {
        std::ofstream out(folder / name, std::ios::binary);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
    };

    write("truncated", std::vector<char>(bytes.begin(), bytes.end() - 1));
    EXPECT_FALSE(LoadSimState(folder / "truncated"));
    auto longer = bytes;
    longer.push_back(0);
    write("longer", longer);
    EXPECT_FALSE(LoadSimState(folder / "longer"));
    auto foreign = bytes;
    foreign[0] = 'X';
    write("foreign", foreign);
    EXPECT_FALSE(LoadSimState(folder / "foreign"));
    auto badProfile = bytes;
    badProfile[8 + 5 + kActiveProfileAt] = 4;  // first area is the device information
    write("profile", badProfile);
    EXPECT_FALSE(LoadSimState(folder / "profile"));
    EXPECT_FALSE(LoadSimState(folder / "missing"));
}

TEST(SimState, KeyboardSavesWhenATransferEndsNotOnEveryFrame) {
    TempFolder folder;
    const auto file = folder / "keyboard";
    SimKeyboard keyboard;
    keyboard.UseStateFile(file);
    ASSERT_TRUE(LoadSimState(file));  // the factory state is written out at once

    const InterfaceInfo command = SimCommandInterface();
    keyboard.Receive(command, Frame(kBeginTransfer, 0, 0));
    keyboard.Receive(command, Frame(kWriteKeyBlock, 3, 192, {9, 9, 9}));
    EXPECT_NE(LoadSimState(file)->Area(SimArea::KeyBlocks)[192], 9);
    keyboard.Receive(command, Frame(kEndTransfer, 0, 0));
    EXPECT_EQ(LoadSimState(file)->Area(SimArea::KeyBlocks)[192], 9);

    // The active profile is written outside a transfer and saved straight away.
    auto info = keyboard.ReadArea(SimArea::DeviceInfo);
    info[kActiveProfileAt] = 2;
    keyboard.Receive(command, Frame(kWriteDeviceInfo, 0x2C, 0, info));
    EXPECT_EQ(LoadSimState(file)->ActiveProfile(), 2);
    keyboard.PressProfileKey();
    EXPECT_EQ(LoadSimState(file)->ActiveProfile(), 3);

    SimKeyboard again;
    again.UseStateFile(file);
    EXPECT_EQ(again.ActiveProfile(), 3);
    EXPECT_EQ(again.ReadArea(SimArea::KeyBlocks)[192], 9);
}

TEST(SimState, AnUnreadableStateFileStartsFromTheFactoryState) {
    TempFolder folder;
    const auto file = folder / "keyboard";
    {
        std::ofstream out(file);
        out << "not a state";
    }
    SimKeyboard keyboard;
    keyboard.WriteArea(SimArea::Parameters, 0, std::vector<uint8_t>{0x42});
    keyboard.UseStateFile(file);
    EXPECT_EQ(keyboard.ReadArea(SimArea::Parameters)[0], SimMemory{}.Area(SimArea::Parameters)[0]);
    EXPECT_TRUE(LoadSimState(file));
}

}  // namespace
}  // namespace torvex
