#pragma once
// Whole-file writes that never leave a half-written file behind and survive a
// power cut once they report success: the bytes go to a temporary file in the
// target's own folder, are flushed to the disk, and the temporary file then
// replaces the target in one rename, whose folder entry is flushed too.
//
// A symbolic link stays a link: the file it names is replaced. An existing
// file keeps its permission bits; a new one gets the umask's default. A target
// that exists but is not a regular file (a device, a FIFO, a folder) is
// refused and left alone. On failure the old file is as it was, and the result
// says why.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace tessel {

class FileWriteResult {
public:
    static FileWriteResult Written() { return FileWriteResult({}); }
    static FileWriteResult Failed(std::string reason) { return FileWriteResult(std::move(reason)); }

    explicit operator bool() const { return reason_.empty(); }
    // Why the write failed, in lower case ("is not a regular file", "no space
    // left on device"); empty after a success.
    const std::string& Reason() const { return reason_; }

private:
    explicit FileWriteResult(std::string reason) : reason_(std::move(reason)) {}
    std::string reason_;
};

FileWriteResult WriteFileAtomically(const std::filesystem::path& path,
                                    std::span<const uint8_t> bytes);

// Why this thread's last failed write failed, kept as the system keeps a last
// error: for callers that hear only yes or no through the layers between
// (the settings and colour files' INI writes).
const std::string& LastWriteFailure();
// For a write refused before any byte was written (the file in the way
// cannot be read).
void NoteFailedWrite(std::string reason);

}  // namespace tessel
