#pragma once
// A named kernel event that exists while the program runs: a POSIX named
// semaphore "/<name>.<uid>", created non-signalled and removed when closed.

#include <string>
#include <string_view>

namespace tessel {

class NamedEvent {
public:
    explicit NamedEvent(std::string_view name);
    ~NamedEvent();
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    bool IsOpen() const { return m_semaphore != nullptr; }
    // The name the system knows it by.
    const std::string& SystemName() const { return m_systemName; }
    void Close();

private:
    std::string m_systemName;
    void* m_semaphore = nullptr;
};

}  // namespace tessel
