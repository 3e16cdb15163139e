#include "platform/posix/RequestEndpointFrame.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>

namespace tessel {

namespace {

void PutWord(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

uint32_t GetWord(const uint8_t* in) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(in[i]) << (8 * i);
    }
    return value;
}

// The text of `length` bytes that follows a header, or nothing.
std::optional<std::string> ReadText(int fd, uint32_t length, int timeoutMs) {
    if (length > kMaxRequestText) {
        return std::nullopt;
    }
    std::string text(length, '\0');
    if (!TransferBytes(fd, reinterpret_cast<uint8_t*>(text.data()), text.size(), true, timeoutMs)) {
        return std::nullopt;
    }
    return text;
}

}  // namespace

std::vector<uint8_t> EncodeRequest(uint32_t marker, const WindowRequest& request,
                                   std::string_view payload) {
    std::vector<uint8_t> frame;
    PutWord(frame, marker);
    PutWord(frame, request.message);
    PutWord(frame, static_cast<uint32_t>(request.wParam));
    PutWord(frame, static_cast<uint32_t>(request.lParam));
    PutWord(frame, static_cast<uint32_t>(payload.size()));
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
}

std::vector<uint8_t> EncodeReply(const RequestReply& reply) {
    const std::string_view text =
        std::string_view(reply.text).substr(0, std::min(reply.text.size(), kMaxRequestText));
    std::vector<uint8_t> frame;
    PutWord(frame, static_cast<uint32_t>(reply.result));
    PutWord(frame, static_cast<uint32_t>(text.size()));
    frame.insert(frame.end(), text.begin(), text.end());
    return frame;
}

bool TransferBytes(int fd, uint8_t* data, std::size_t size, bool reading, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::size_t done = 0;
    while (done < size) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd waitFor{fd, static_cast<short>(reading ? POLLIN : POLLOUT), 0};
        const int ready = poll(&waitFor, 1, static_cast<int>(std::max<int64_t>(left.count(), 0)));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        const ssize_t moved = reading ? recv(fd, data + done, size - done, 0)
                                      : send(fd, data + done, size - done, MSG_NOSIGNAL);
        if (moved < 0 && errno == EINTR) {
            continue;
        }
        if (moved <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(moved);
    }
    return true;
}

std::optional<ReceivedRequest> ReadRequest(int fd, uint32_t marker, int timeoutMs) {
    std::array<uint8_t, kRequestHeaderSize> header{};
    if (!TransferBytes(fd, header.data(), header.size(), true, timeoutMs) ||
        GetWord(header.data()) != marker) {
        return std::nullopt;
    }
    ReceivedRequest received;
    received.request.message = GetWord(header.data() + 4);
    received.request.wParam = GetWord(header.data() + 8);
    received.request.lParam = static_cast<int32_t>(GetWord(header.data() + 12));
    auto payload = ReadText(fd, GetWord(header.data() + 16), timeoutMs);
    if (!payload) {
        return std::nullopt;
    }
    received.payload = std::move(*payload);
    return received;
}

std::optional<RequestReply> ReadReply(int fd, int timeoutMs) {
    std::array<uint8_t, kReplyHeaderSize> header{};
    if (!TransferBytes(fd, header.data(), header.size(), true, timeoutMs)) {
        return std::nullopt;
    }
    auto text = ReadText(fd, GetWord(header.data() + 4), timeoutMs);
    if (!text) {
        return std::nullopt;
    }
    return RequestReply{static_cast<int32_t>(GetWord(header.data())), std::move(*text)};
}

}  // namespace tessel
