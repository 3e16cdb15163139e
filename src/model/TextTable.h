#pragma once
// Texts of the entries of type 3 (program path) and 6 (text block): one slot per
// entry of the profile image, with the running total of their byte lengths.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/ProfileImage.h"

namespace tessel {

inline constexpr std::size_t kMaxEntryTextChars = 259;  // 260 with the terminator

class TextTable {
public:
    TextTable();

    // Stores the text (cut to 259 characters) in the slot, replacing any other.
    // False for a slot outside the table.
    bool Set(int slot, std::u16string_view text);
    void Clear(int slot);
    void ClearAll();

    // The slot's text, or nullptr when it holds none.
    const std::u16string* Text(int slot) const;
    // Bytes of the slot's text with its terminator; 0 when it holds none.
    uint32_t ByteLength(int slot) const;
    // Sum of all byte lengths.
    uint32_t Total() const { return total_; }

private:
    std::vector<std::optional<std::u16string>> slots_;
    uint32_t total_ = 0;
};

// The value of a type-3 or type-6 entry whose text is not in the area. A text
// area is smaller than the 4 GiB a configuration file can hold, so this offset
// (rounded down to even) lies outside every area.
inline constexpr uint32_t kNoTextOffset = 0xFFFFFFFF;

// Packs the texts of the image's type-3 and type-6 entries, in entry order, into
// an area of `areaSize` bytes: each text that still fits goes to the area's
// current end and its byte offset becomes the entry's value. Such an entry
// without a text, or whose text does not fit, gets kNoTextOffset: an old offset
// would point into another entry's text in the new area.
std::vector<uint8_t> PackTextArea(ProfileImage& image, const TextTable& texts, uint32_t areaSize);

// Fills the table from a text area: each type-3 or type-6 entry's text starts at
// its value (rounded down to even). Offsets outside the area and texts without a
// terminator inside it are skipped.
void UnpackTextArea(const ProfileImage& image, std::span<const uint8_t> area, TextTable& texts);

}  // namespace tessel
