#include "platform/Library.h"

#include <dlfcn.h>

#include <utility>

namespace tessel {

std::optional<Library> Library::Load(const std::filesystem::path& folder, std::string_view fileName,
                                     std::string* error) {
    const std::filesystem::path beside = folder / fileName;
    std::error_code missing;
    // A broken copy beside the program is reported, not replaced by another one.
    const std::string target =
        std::filesystem::exists(beside, missing) ? beside.string() : std::string(fileName);
    void* handle = dlopen(target.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        if (error != nullptr) {
            const char* reason = dlerror();
            *error = reason != nullptr ? reason : "cannot load " + target;
        }
        return std::nullopt;
    }
    return Library(handle);
}

Library::~Library() {
    if (m_handle != nullptr) {
        dlclose(m_handle);
    }
}

Library::Library(Library&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}

Library& Library::operator=(Library&& other) noexcept {
    if (this != &other) {
        if (m_handle != nullptr) {
            dlclose(m_handle);
        }
        m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
}

void* Library::Symbol(const char* name) const {
    return m_handle == nullptr ? nullptr : dlsym(m_handle, name);
}

}  // namespace tessel
