#pragma once
// The record behind DeviceRequestRecord::report. Readers know only the pointer
// to the report bytes at offset 28, which is not pointer-aligned, so the record
// is plain bytes and the pointer is copied in.

#include <array>
#include <cstdint>
#include <cstring>
#include <span>

#include "ByteOrder.h"
#include "torvex.h"

namespace torvex {

class ReportRecord {
public:
    // Offsets 0..3 hold the report length, 4..7 the interface's usage page and usage.
    void Describe(std::span<const uint8_t> report, uint16_t usagePage, uint16_t usage) {
        bytes_.fill(0);
        PutU32(bytes_, 0, static_cast<uint32_t>(report.size()));
        PutU16(bytes_, 4, usagePage);
        PutU16(bytes_, 6, usage);
        const uint8_t* pointer = report.data();
        std::memcpy(bytes_.data() + TORVEX_REPORT_POINTER_OFFSET, &pointer, sizeof pointer);
    }
    const uint8_t* data() const { return bytes_.data(); }

private:
    alignas(8) std::array<uint8_t, TORVEX_REPORT_POINTER_OFFSET + sizeof(void*)> bytes_{};
};

}  // namespace torvex
