#pragma once
// A shared library loaded at run time, with its exports resolved by name.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tessel {

class Library {
public:
    // Loads `fileName` from `folder` when it is there, else through the
    // system's normal library search. On failure, `error` (when given) says why.
    static std::optional<Library> Load(const std::filesystem::path& folder,
                                       std::string_view fileName, std::string* error = nullptr);
    ~Library();
    Library(Library&& other) noexcept;
    Library& operator=(Library&& other) noexcept;
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    // The address of an export, or nullptr when the library has none by that name.
    void* Symbol(const char* name) const;

private:
    explicit Library(void* handle) : m_handle(handle) {}
    void* m_handle = nullptr;
};

}  // namespace tessel
