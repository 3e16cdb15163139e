#include "model/TextTable.h"

#include "platform/LittleEndian.h"

namespace tessel {

namespace {

uint32_t BytesOf(const std::u16string& text) {
    return static_cast<uint32_t>((text.size() + 1) * sizeof(char16_t));
}

}  // namespace

TextTable::TextTable() : slots_(kEntryCount) {}

bool TextTable::Set(int slot, std::u16string_view text) {
    if (slot < 0 || slot >= kEntryCount) {
        return false;
    }
    Clear(slot);
    slots_[slot] = std::u16string(text.substr(0, kMaxEntryTextChars));
    total_ += BytesOf(*slots_[slot]);
    return true;
}

void TextTable::Clear(int slot) {
    if (slot < 0 || slot >= kEntryCount || !slots_[slot]) {
        return;
    }
    total_ -= BytesOf(*slots_[slot]);
    slots_[slot].reset();
}

void TextTable::ClearAll() {
    for (auto& slot : slots_) {
        slot.reset();
    }
    total_ = 0;
}

const std::u16string* TextTable::Text(int slot) const {
    if (slot < 0 || slot >= kEntryCount || !slots_[slot]) {
        return nullptr;
    }
    return &*slots_[slot];
}

uint32_t TextTable::ByteLength(int slot) const {
    const std::u16string* text = Text(slot);
    return text ? BytesOf(*text) : 0;
}

std::vector<uint8_t> PackTextArea(ProfileImage& image, const TextTable& texts, uint32_t areaSize) {
    std::vector<uint8_t> area(areaSize, 0);
    uint32_t end = 0;
    for (int slot = 0; slot < kEntryCount; ++slot) {
        KeyAssignment& entry = image.entries[slot];
        const std::u16string* text = texts.Text(slot);
        if (!HasText(entry.type)) {
            continue;
        }
        const uint32_t bytes = texts.ByteLength(slot);
        if (!text || bytes > areaSize - end) {
            entry.value = kNoTextOffset;
            continue;
        }
        for (std::size_t c = 0; c < text->size(); ++c) {
            PutU16(area, end + 2 * c, (*text)[c]);
        }
        entry.value = end;
        end += bytes;
    }
    return area;
}

void UnpackTextArea(const ProfileImage& image, std::span<const uint8_t> area, TextTable& texts) {
    for (int slot = 0; slot < kEntryCount; ++slot) {
        const KeyAssignment& entry = image.entries[slot];
        if (!HasText(entry.type)) {
            continue;
        }
        // Only the first 259 characters can be used: reading stops there, so a
        // large area without terminators costs no more than a short one.
        std::u16string text;
        bool usable = false;
        for (std::size_t at = entry.value & ~1u; at + 1 < area.size(); at += 2) {
            const char16_t c = GetU16(area, at);
            if (c == u'\0' || text.size() == kMaxEntryTextChars) {
                usable = true;
                break;
            }
            text.push_back(c);
        }
        if (usable) {
            texts.Set(slot, text);
        }
    }
}

}  // namespace tessel
