#include "platform/posix/PrivateProfileFile.h"

#include <system_error>

#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"
#include "platform/posix/PrivateProfileCache.h"

namespace tessel {

FileRead ReadProfileFile(const std::filesystem::path& file, std::string& bytes) {
    // A folder, FIFO or device in the file's place is not rewritten either.
    RegularFileRead read = ReadRegularFile(file, PrivateProfileCache::kMaxFileSize);
    if (!read.ok) {
        if (!read.missing) {
            ReportUnreadableFile(file, read.error);
            NoteFailedWrite(read.error);
        }
        return read.missing ? FileRead::Missing : FileRead::Failed;
    }
    bytes.assign(read.bytes.begin(), read.bytes.end());
    return FileRead::Read;
}

bool ReplaceProfileFile(const std::filesystem::path& file, std::string_view bytes) {
    return static_cast<bool>(WriteFileAtomically(
        file, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())));
}

}  // namespace tessel
