#include "platform/NamedEvent.h"

#include <fcntl.h>
#include <semaphore.h>
#include <unistd.h>

namespace tessel {

NamedEvent::NamedEvent(std::string_view name)
    // Windows keeps such names per session; the uid keeps users apart here.
    : m_systemName("/" + std::string(name) + "." + std::to_string(getuid())) {
    sem_t* semaphore = sem_open(m_systemName.c_str(), O_CREAT, 0600, 0);
    if (semaphore != SEM_FAILED) {
        m_semaphore = semaphore;
    }
}

NamedEvent::~NamedEvent() {
    Close();
}

void NamedEvent::Close() {
    if (m_semaphore != nullptr) {
        sem_close(static_cast<sem_t*>(m_semaphore));
        sem_unlink(m_systemName.c_str());
        m_semaphore = nullptr;
    }
}

}  // namespace tessel
