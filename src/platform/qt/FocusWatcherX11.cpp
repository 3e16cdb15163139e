#include "platform/qt/FocusWatcherX11.h"

#include <xcb/xcb.h>

#include <QSocketNotifier>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>

#include "platform/Utf8.h"

namespace tessel {
namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> Owned(T* reply) {
    return Reply<T>(reply, &std::free);
}

// The name of the program behind a process, from /proc/PID/comm.
std::u16string ExecutableName(int pid) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return FromUtf8(name);
}

class X11FocusWatcher final : public FocusWatcher {
public:
    X11FocusWatcher(xcb_connection_t* connection, xcb_window_t root)
        : connection_(connection), root_(root) {
        activeWindow_ = Atom("_NET_ACTIVE_WINDOW");
        pidAtom_ = Atom("_NET_WM_PID");
        clientList_ = Atom("_NET_CLIENT_LIST");
    }
    ~X11FocusWatcher() override {
        notifier_.reset();
        xcb_disconnect(connection_);
    }

    void Watch(FrontChanged changed) override {
        changed_ = std::move(changed);
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_),
                                                      QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadEvents(); });
        ReportActiveWindow();
        ReadEvents();
    }

    std::vector<std::u16string> OpenApplications() override {
        std::vector<std::u16string> names;
        for (xcb_window_t window : ClientWindows()) {
            const FocusedWindow focused = Describe(window);
            if (!focused.application.empty() &&
                std::ranges::find(names, focused.application) == names.end()) {
                names.push_back(focused.application);
            }
        }
        return names;
    }

private:
    xcb_atom_t Atom(const char* name) {
        const auto reply = Owned(xcb_intern_atom_reply(
            connection_,
            xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    Reply<xcb_get_property_reply_t> Property(xcb_window_t window, xcb_atom_t property,
                                             xcb_atom_t type, uint32_t longs) {
        return Owned(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, property, type, 0, longs),
            nullptr));
    }

    std::optional<uint32_t> Cardinal(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
        const auto reply = Property(window, property, type, 1);
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
            return std::nullopt;
        }
        return *static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    }

    FocusedWindow Describe(xcb_window_t window) {
        FocusedWindow focused;
        if (const auto pid = Cardinal(window, pidAtom_, XCB_ATOM_CARDINAL)) {
            focused.pid = static_cast<int>(*pid);
        }
        // WM_CLASS holds the instance and the class, each ended by a zero.
        if (const auto reply = Property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 64)) {
            const std::string_view value(
                static_cast<const char*>(xcb_get_property_value(reply.get())),
                static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
            if (const std::size_t end = value.find('\0'); end != value.npos) {
                const std::string_view rest = value.substr(end + 1);
                focused.application = FromUtf8(rest.substr(0, rest.find('\0')));
            }
        }
        if (focused.application.empty() && focused.pid > 0) {
            focused.application = ExecutableName(focused.pid);
        }
        return focused;
    }

    std::vector<xcb_window_t> ClientWindows() {
        std::vector<xcb_window_t> windows;
        if (const auto reply = Property(root_, clientList_, XCB_ATOM_WINDOW, 4096);
            reply && reply->format == 32) {
            const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
            windows.assign(ids, ids + xcb_get_property_value_length(reply.get()) / 4);
        }
        if (!windows.empty()) {
            return windows;
        }
        // No window manager keeps a list: the root's children.
        const auto tree =
            Owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
        if (tree) {
            const xcb_window_t* children = xcb_query_tree_children(tree.get());
            windows.assign(children, children + xcb_query_tree_children_length(tree.get()));
        }
        return windows;
    }

    void ReportActiveWindow() {
        const auto window = Cardinal(root_, activeWindow_, XCB_ATOM_WINDOW);
        if (!window || *window == XCB_WINDOW_NONE || window == reported_) {
            return;
        }
        reported_ = window;
        if (changed_) {
            changed_(Describe(*window));
        }
    }

    void ReadEvents() {
        if (xcb_connection_has_error(connection_)) {
            // The X server went away: nothing more will come.
            notifier_->setEnabled(false);
            return;
        }
        // Replies read meanwhile may have queued events behind them: drain all.
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            const bool activeChanged =
                (event->response_type & ~0x80) == XCB_PROPERTY_NOTIFY &&
                reinterpret_cast<xcb_property_notify_event_t*>(event)->atom == activeWindow_;
            std::free(event);
            if (activeChanged) {
                ReportActiveWindow();
            }
        }
        xcb_flush(connection_);
    }

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_atom_t activeWindow_ = XCB_ATOM_NONE;
    xcb_atom_t pidAtom_ = XCB_ATOM_NONE;
    xcb_atom_t clientList_ = XCB_ATOM_NONE;
    std::optional<uint32_t> reported_;
    FrontChanged changed_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace

std::unique_ptr<FocusWatcher> CreateX11FocusWatcher() {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    if (screens.rem == 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::make_unique<X11FocusWatcher>(connection, screens.data->root);
}

}  // namespace tessel
