#include "model/MacroRecord.h"

#include <algorithm>

#include "platform/LittleEndian.h"

namespace tessel {

namespace {

constexpr std::size_t kCycleCountAt = 500;
constexpr std::size_t kReserved501At = 501;
constexpr std::size_t kFreshAt = 502;
constexpr std::size_t kReserved504At = 504;
constexpr std::size_t kIdentifierAt = 506;
constexpr std::size_t kActionCountAt = 508;
constexpr std::size_t kReserved510At = 510;

}  // namespace

std::u16string MacroRecord::Name() const {
    const auto end = std::find(name.begin(), name.end(), u'\0');
    return std::u16string(name.begin(), end);
}

void MacroRecord::SetName(std::u16string_view text) {
    name.fill(u'\0');
    const std::size_t length = std::min(text.size(), kMacroNameChars - 1);
    std::copy_n(text.begin(), length, name.begin());
}

std::span<const MacroAction> MacroRecord::Actions() const {
    return std::span<const MacroAction>(actions).first(
        std::min<std::size_t>(actionCount, kMaxMacroActions));
}

void EncodeMacroRecord(const MacroRecord& record, std::span<uint8_t, kMacroRecordSize> out) {
    for (std::size_t i = 0; i < kMacroNameChars; ++i) {
        PutU16(out, 2 * i, record.name[i]);
    }
    out[kCycleCountAt] = record.cycleCount;
    out[kReserved501At] = record.reserved501;
    PutU16(out, kFreshAt, record.fresh);
    PutU16(out, kReserved504At, record.reserved504);
    PutU16(out, kIdentifierAt, record.identifier);
    PutU16(out, kActionCountAt, record.actionCount);
    PutU16(out, kReserved510At, record.reserved510);
    std::size_t at = kMacroActionsOffset;
    for (const MacroAction& action : record.actions) {
        PutU32(out, at, action.delay);
        PutU16(out, at + 4, action.keyCode);
        PutU16(out, at + 6, action.release);
        at += kMacroActionSize;
    }
}

void DecodeMacroRecord(std::span<const uint8_t, kMacroRecordSize> in, MacroRecord& record) {
    for (std::size_t i = 0; i < kMacroNameChars; ++i) {
        record.name[i] = GetU16(in, 2 * i);
    }
    record.cycleCount = in[kCycleCountAt];
    record.reserved501 = in[kReserved501At];
    record.fresh = GetU16(in, kFreshAt);
    record.reserved504 = GetU16(in, kReserved504At);
    record.identifier = GetU16(in, kIdentifierAt);
    record.actionCount = std::min<uint16_t>(GetU16(in, kActionCountAt), kMaxMacroActions);
    record.reserved510 = GetU16(in, kReserved510At);
    std::size_t at = kMacroActionsOffset;
    for (MacroAction& action : record.actions) {
        action.delay = GetU32(in, at);
        action.keyCode = GetU16(in, at + 4);
        action.release = GetU16(in, at + 6);
        at += kMacroActionSize;
    }
}

}  // namespace tessel
