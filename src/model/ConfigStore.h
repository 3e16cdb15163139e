#pragma once
// A lock-protected set of key assignments, macros and texts. Two live for the
// whole run: the edit store, which every editor changes, and the apply store, the
// snapshot the keyboard's key blocks and macro area are built from. When both are
// needed, the edit store's lock is taken first.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "model/MacroNumbering.h"
#include "model/MacroRecord.h"
#include "model/ProfileImage.h"
#include "model/TextTable.h"

namespace tessel {

class ConfigStore {
public:
    // Re-entrant: an operation may call another under the same lock.
    std::unique_lock<std::recursive_mutex> Lock() const {
        return std::unique_lock<std::recursive_mutex>(mutex_);
    }

    // Everything below is read and written under Lock().
    ProfileImage* Image() { return image_.get(); }
    const ProfileImage* Image() const { return image_.get(); }
    void SetImage(std::unique_ptr<ProfileImage> image) { image_ = std::move(image); }

    std::vector<MacroRecord>& Macros() { return macros_; }
    const std::vector<MacroRecord>& Macros() const { return macros_; }

    TextTable& Texts() { return texts_; }
    const TextTable& Texts() const { return texts_; }

    // The packed texts of the image (the apply store's snapshot keeps them so).
    std::vector<uint8_t>& TextArea() { return textArea_; }
    const std::vector<uint8_t>& TextArea() const { return textArea_; }

    // What the keyboard's key blocks refer to (kept in the edit store).
    MacroNumbering& Numbering() { return numbering_; }
    const MacroNumbering& Numbering() const { return numbering_; }

    // Frees the image, the macros and the texts; the numbering stays, as it
    // describes the keyboard.
    void Clear();

private:
    mutable std::recursive_mutex mutex_;
    std::unique_ptr<ProfileImage> image_;
    std::vector<MacroRecord> macros_;
    TextTable texts_;
    std::vector<uint8_t> textArea_;
    MacroNumbering numbering_;
};

}  // namespace tessel
