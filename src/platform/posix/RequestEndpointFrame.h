#pragma once
// The bytes a request and its reply travel as between two processes, and the
// reading of both from a connected socket. Every length a peer sends is
// checked against kMaxRequestText before anything is allocated for it.
//
// Request: marker, message, wParam, lParam, payload length (32-bit
// little-endian words), then the payload.
// Reply: a "taken" word as soon as the handler starts, then the result, the
// text length and the text.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RequestEndpoint.h"
#include "platform/WindowRequest.h"

namespace tessel {

inline constexpr std::size_t kRequestHeaderSize = 20;
inline constexpr std::size_t kReplyHeaderSize = 8;
// Sent as soon as the handler starts: the sender then waits for the work.
inline constexpr std::array<uint8_t, 4> kRequestTakenBytes{'T', 'A', 'K', 'N'};

struct ReceivedRequest {
    WindowRequest request;
    std::string payload;
};

std::vector<uint8_t> EncodeRequest(uint32_t marker, const WindowRequest& request,
                                   std::string_view payload);
std::vector<uint8_t> EncodeReply(const RequestReply& reply);

// Reads exactly `size` bytes (reading) or writes them within `timeoutMs` in total.
bool TransferBytes(int fd, uint8_t* data, std::size_t size, bool reading, int timeoutMs);

// A whole request carrying `marker`, or nothing for a short, foreign or
// oversized frame (the caller then closes the connection).
std::optional<ReceivedRequest> ReadRequest(int fd, uint32_t marker, int timeoutMs);
// A whole reply after the "taken" word, or nothing for a short or oversized one.
std::optional<RequestReply> ReadReply(int fd, int timeoutMs);

}  // namespace tessel
