// What a local process may send the request endpoint, or answer a sender
// with: whatever the bytes, reading allocates no more than the bound allows
// and never reads past what arrived.

#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

#include "platform/posix/RequestEndpointFrame.h"

namespace {

// Both readers see the bytes on a real socket whose writer has gone.
template <typename Read>
void Feed(const std::uint8_t* data, std::size_t size, Read read) {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        return;
    }
    if (write(ends[0], data, size) == static_cast<ssize_t>(size)) {
        close(ends[0]);
        ends[0] = -1;
        read(ends[1]);
    }
    if (ends[0] >= 0) {
        close(ends[0]);
    }
    close(ends[1]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // More than a socket buffer holds tells nothing new.
    if (size > 32768) {
        return 0;
    }
    Feed(data, size, [](int fd) {
        if (auto request = tessel::ReadRequest(fd, 0x4D41494E, 0)) {
            if (request->payload.size() > tessel::kMaxRequestText) {
                __builtin_trap();
            }
        }
    });
    Feed(data, size, [](int fd) {
        if (auto reply = tessel::ReadReply(fd, 0)) {
            if (reply->text.size() > tessel::kMaxRequestText) {
                __builtin_trap();
            }
        }
    });
    return 0;
}
