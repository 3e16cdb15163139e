// Colour files from anywhere: every value reads, what was read writes back and
// reads again as the same, and a copy of the file is the file byte for byte.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FuzzFiles.h"
#include "storage/ColourFiles.h"

namespace {

using namespace tessel;

// A few modes and slots reach every parser; each write replaces the file.
constexpr int kModes = 3;
constexpr int kSlots = 2;

struct Read {
    int presentMode = 0;
    std::vector<std::u16string> names;
    std::vector<ModeTools> tools;
    std::vector<KeyColourEntry> slots;
};

Read ReadAll(const ColourFiles& files) {
    Read read;
    read.presentMode = files.ReadPresentMode(0);
    for (int mode = 0; mode < kModes; ++mode) {
        read.names.push_back(files.ReadModeName(0, mode));
        read.tools.push_back(files.ReadModeTools(0, mode));
        for (int slot = 0; slot < kSlots; ++slot) {
            read.slots.push_back(files.ReadSlotColour(0, mode, slot));
        }
    }
    return read;
}

bool Same(const Read& a, const Read& b) {
    if (a.presentMode != b.presentMode || a.names != b.names) {
        return false;
    }
    for (std::size_t i = 0; i < a.tools.size(); ++i) {
        if (a.tools[i].tool != b.tools[i].tool ||
            a.tools[i].linkedColour != b.tools[i].linkedColour ||
            a.tools[i].plainColour != b.tools[i].plainColour) {
            return false;
        }
    }
    for (std::size_t i = 0; i < a.slots.size(); ++i) {
        if (a.slots[i].colour != b.slots[i].colour || a.slots[i].linked != b.slots[i].linked) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ColourFiles files(fuzz::ScratchFolder());
    fuzz::WriteInput(files.FileOf(0), data, size);
    fuzz::WriteInput(files.FileOf(1), nullptr, 0);

    if (files.CopyColourFile(0, 1) != ColourFileCopy::Copied ||
        fuzz::ReadBack(files.FileOf(1)) != std::string(reinterpret_cast<const char*>(data), size)) {
        std::abort();
    }
    const Read before = ReadAll(files);
    // Saved as read: a name that cannot be stored on one line is refused, and
    // then stays as it was.
    bool written = files.WritePresentMode(0, before.presentMode);
    for (int mode = 0; mode < kModes; ++mode) {
        (void)files.WriteModeName(0, mode, before.names[static_cast<std::size_t>(mode)]);
        written =
            files.WriteModeTools(0, mode, before.tools[static_cast<std::size_t>(mode)]) && written;
        for (int slot = 0; slot < kSlots; ++slot) {
            written =
                files.WriteSlotColour(
                    0, mode, slot, before.slots[static_cast<std::size_t>(mode * kSlots + slot)]) &&
                written;
        }
    }
    if (!written || !Same(before, ReadAll(files))) {
        std::abort();
    }
    return 0;
}
