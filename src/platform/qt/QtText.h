#pragma once
// The core's texts as Qt takes them: UTF-16 views and UTF-8 names.

#include <QString>

#include <string_view>

namespace tessel {

inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tessel
