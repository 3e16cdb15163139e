#include "platform/posix/PrivateProfileFile.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/AtomicFile.h"

namespace tessel {

FileRead ReadProfileFile(const std::filesystem::path& file, std::string& bytes) {
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        return error ? FileRead::Failed : FileRead::Missing;
    }
    // A folder in the file's place cannot be rewritten either.
    if (!std::filesystem::is_regular_file(file, error)) {
        return FileRead::Failed;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return FileRead::Failed;
    }
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        // The stream library reports a failed read this way, whatever the stream's mask.
        return FileRead::Failed;
    }
    return in.bad() ? FileRead::Failed : FileRead::Read;
}

bool ReplaceProfileFile(const std::filesystem::path& file, std::string_view bytes) {
    return static_cast<bool>(WriteFileAtomically(
        file, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())));
}

}  // namespace tessel
