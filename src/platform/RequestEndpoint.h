#pragma once
// Window requests between processes of the same user. A process marks its
// main window by opening an endpoint: a Unix socket
// RuntimeFile(name, ".<pid>.sock") with mode 0600. Another process delivers a
// request to it and waits until the handler has finished. Requests from other
// users, or carrying another marker, are refused. A request may carry a
// payload (a file name, say) and be answered with a line of text besides the
// result, for commands typed at a terminal.

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/WindowRequest.h"

namespace tessel {

// The payload and answer text are bounded so a stray client cannot make the
// endpoint allocate much.
inline constexpr std::size_t kMaxRequestText = 8192;

struct RequestReply {
    intptr_t result = 0;
    std::string text;
};

class RequestEndpoint {
public:
    // Run on the endpoint's own thread, one request at a time.
    using Handler = std::function<intptr_t(const WindowRequest&)>;
    using TextHandler = std::function<RequestReply(const WindowRequest&, std::string_view payload)>;

    // Nothing when the socket cannot be opened. Sockets left by dead processes
    // are removed first.
    static std::unique_ptr<RequestEndpoint> Open(std::string_view name, uint32_t marker,
                                                 Handler handler);
    static std::unique_ptr<RequestEndpoint> Open(std::string_view name, uint32_t marker,
                                                 TextHandler handler);
    ~RequestEndpoint();
    RequestEndpoint(const RequestEndpoint&) = delete;
    RequestEndpoint& operator=(const RequestEndpoint&) = delete;

    const std::string& SocketPath() const { return m_path; }
    // From any thread, without waiting: the socket goes, requests already
    // queued are closed unanswered and no further one is taken, so their
    // senders see at once that this process no longer answers.
    void Withdraw();

private:
    RequestEndpoint(std::string path, int listener, int watch, const int wake[2], uint32_t marker,
                    TextHandler handler);
    void Listen();
    void ListenAgainIfRemoved();
    void RememberInode();
    void Serve(int connection);
    void CloseQueuedConnections();

    std::string m_path;
    int m_listener;
    int m_watch;                // the runtime folder's changes
    unsigned long m_inode = 0;  // of the socket this endpoint listens at
    std::atomic<bool> m_stopping = false;
    int m_wakeRead;  // readable once the endpoint closes
    int m_wakeWrite;
    uint32_t m_marker;
    TextHandler m_handler;
    std::thread m_thread;
};

// Ids of the running processes with an endpoint of `name` in this user's
// runtime folder, lowest first.
std::vector<int> EndpointProcesses(std::string_view name);

// Delivers `request` to the endpoint `name` of process `pid` and waits up to
// `wait` for the handler. The handler's result (low 32 bits), or nothing when
// the process has no such endpoint, refused the request or did not answer.

std::optional<intptr_t> DeliverRequest(std::string_view name, int pid, uint32_t marker,
                                       const WindowRequest& request,
                                       std::chrono::milliseconds wait);
// The same with a payload; the reply carries the handler's text as well.
// `wait` bounds the time until the handler takes the request; `work`, when
// given, the time it may then take (a keyboard transfer, say). A request the
// sender stopped waiting for before its handler started is never carried out.
std::optional<RequestReply> DeliverRequestWithText(
    std::string_view name, int pid, uint32_t marker, const WindowRequest& request,
    std::string_view payload, std::chrono::milliseconds wait,
    std::optional<std::chrono::milliseconds> work = std::nullopt);

}  // namespace tessel
