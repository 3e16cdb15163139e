#include "platform/qt/FocusWatcherWlroots.h"

#include <wayland-client.h>

#include <QSocketNotifier>
#include <algorithm>
#include <cstring>
#include <list>
#include <string>

#include "platform/Utf8.h"

namespace tessel {
namespace {

// The two interfaces of the foreign-toplevel protocol, version 2, as their
// messages go over the wire. Version 2 is all we ask for: it has the app id
// and the activated state, and later versions only add events.
extern const wl_interface kToplevelInterface;

const wl_interface* const kNoTypes[] = {nullptr, nullptr, nullptr, nullptr, nullptr};
const wl_interface* const kSeatType[] = {&wl_seat_interface};
const wl_interface* const kRectangleTypes[] = {&wl_surface_interface, nullptr, nullptr, nullptr,
                                               nullptr};
const wl_interface* const kOutputType[] = {&wl_output_interface};
const wl_interface* const kToplevelType[] = {&kToplevelInterface};

const wl_message kToplevelRequests[] = {
    {"set_maximized", "", const_cast<const wl_interface**>(kNoTypes)},
    {"unset_maximized", "", const_cast<const wl_interface**>(kNoTypes)},
    {"set_minimized", "", const_cast<const wl_interface**>(kNoTypes)},
    {"unset_minimized", "", const_cast<const wl_interface**>(kNoTypes)},
    {"activate", "o", const_cast<const wl_interface**>(kSeatType)},
    {"close", "", const_cast<const wl_interface**>(kNoTypes)},
    {"set_rectangle", "oiiii", const_cast<const wl_interface**>(kRectangleTypes)},
    {"destroy", "", const_cast<const wl_interface**>(kNoTypes)},
    {"set_fullscreen", "2?o", const_cast<const wl_interface**>(kOutputType)},
    {"unset_fullscreen", "2", const_cast<const wl_interface**>(kNoTypes)},
};
const wl_message kToplevelEvents[] = {
    {"title", "s", const_cast<const wl_interface**>(kNoTypes)},
    {"app_id", "s", const_cast<const wl_interface**>(kNoTypes)},
    {"output_enter", "o", const_cast<const wl_interface**>(kOutputType)},
    {"output_leave", "o", const_cast<const wl_interface**>(kOutputType)},
    {"state", "a", const_cast<const wl_interface**>(kNoTypes)},
    {"done", "", const_cast<const wl_interface**>(kNoTypes)},
    {"closed", "", const_cast<const wl_interface**>(kNoTypes)},
};
const wl_interface kToplevelInterface = {
    "zwlr_foreign_toplevel_handle_v1", 2, 10, kToplevelRequests, 7, kToplevelEvents};

const wl_message kManagerRequests[] = {
    {"stop", "", const_cast<const wl_interface**>(kNoTypes)},
};
const wl_message kManagerEvents[] = {
    {"toplevel", "n", const_cast<const wl_interface**>(kToplevelType)},
    {"finished", "", const_cast<const wl_interface**>(kNoTypes)},
};
const wl_interface kManagerInterface = {
    "zwlr_foreign_toplevel_manager_v1", 2, 1, kManagerRequests, 2, kManagerEvents};

constexpr uint32_t kDestroyRequest = 7;
constexpr uint32_t kStopRequest = 0;
constexpr uint32_t kActivatedState = 2;

class WlrootsFocusWatcher;

struct Toplevel {
    WlrootsFocusWatcher* watcher;
    wl_proxy* proxy;
    std::string appId;
    std::string pendingAppId;
    bool activated = false;
    bool pendingActivated = false;
};

// Listener tables: one function per event, in the order of the events.
struct ToplevelListener {
    void (*title)(void*, wl_proxy*, const char*);
    void (*appId)(void*, wl_proxy*, const char*);
    void (*outputEnter)(void*, wl_proxy*, wl_proxy*);
    void (*outputLeave)(void*, wl_proxy*, wl_proxy*);
    void (*state)(void*, wl_proxy*, wl_array*);
    void (*done)(void*, wl_proxy*);
    void (*closed)(void*, wl_proxy*);
};
struct ManagerListener {
    void (*toplevel)(void*, wl_proxy*, wl_proxy*);
    void (*finished)(void*, wl_proxy*);
};

class WlrootsFocusWatcher final : public FocusWatcher {
public:
    explicit WlrootsFocusWatcher(wl_display* display) : display_(display) {}
    ~WlrootsFocusWatcher() override {
        notifier_.reset();
        for (Toplevel& toplevel : toplevels_) {
            wl_proxy_marshal(toplevel.proxy, kDestroyRequest);
            wl_proxy_destroy(toplevel.proxy);
        }
        if (manager_) {
            wl_proxy_marshal(manager_, kStopRequest);
            wl_proxy_destroy(manager_);
        }
        if (registry_) {
            wl_registry_destroy(registry_);
        }
        wl_display_flush(display_);
        wl_display_disconnect(display_);
    }

    // False when the compositor offers no toplevel manager.
    bool Bind() {
        registry_ = wl_display_get_registry(display_);
        wl_registry_add_listener(registry_, &kRegistryListener, this);
        if (wl_display_roundtrip(display_) < 0 || !manager_) {
            return false;
        }
        wl_proxy_add_listener(
            manager_,
            reinterpret_cast<void (**)()>(const_cast<ManagerListener*>(&kManagerListener)), this);
        // The toplevels open now, with their states.
        return wl_display_roundtrip(display_) >= 0;
    }

    void Watch(FrontChanged changed) override {
        changed_ = std::move(changed);
        for (const Toplevel& toplevel : toplevels_) {
            if (toplevel.activated) {
                Report(toplevel);
            }
        }
        notifier_ =
            std::make_unique<QSocketNotifier>(wl_display_get_fd(display_), QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadEvents(); });
    }

    std::vector<std::u16string> OpenApplications() override {
        std::vector<std::u16string> names;
        for (const Toplevel& toplevel : toplevels_) {
            const std::u16string name = FromUtf8(toplevel.appId);
            if (!name.empty() && std::ranges::find(names, name) == names.end()) {
                names.push_back(name);
            }
        }
        return names;
    }

private:
    static void Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                       uint32_t version) {
        auto* self = static_cast<WlrootsFocusWatcher*>(data);
        if (!self->manager_ && std::strcmp(interface, kManagerInterface.name) == 0) {
            self->manager_ = static_cast<wl_proxy*>(
                wl_registry_bind(registry, name, &kManagerInterface, std::min(version, 2u)));
        }
    }
    static void GlobalRemove(void*, wl_registry*, uint32_t) {}

    static void NewToplevel(void* data, wl_proxy*, wl_proxy* proxy) {
        auto* self = static_cast<WlrootsFocusWatcher*>(data);
        Toplevel& toplevel = self->toplevels_.emplace_back(Toplevel{self, proxy, {}, {}});
        wl_proxy_add_listener(
            proxy, reinterpret_cast<void (**)()>(const_cast<ToplevelListener*>(&kToplevelListener)),
            &toplevel);
    }
    static void Finished(void* data, wl_proxy*) {
        auto* self = static_cast<WlrootsFocusWatcher*>(data);
        wl_proxy_destroy(std::exchange(self->manager_, nullptr));
    }

    static void Title(void*, wl_proxy*, const char*) {}
    static void AppId(void* data, wl_proxy*, const char* appId) {
        static_cast<Toplevel*>(data)->pendingAppId = appId ? appId : "";
    }
    static void Output(void*, wl_proxy*, wl_proxy*) {}
    static void State(void* data, wl_proxy*, wl_array* states) {
        bool activated = false;
        const auto* state = static_cast<const uint32_t*>(states->data);
        for (std::size_t i = 0; i < states->size / sizeof(uint32_t); ++i) {
            activated = activated || state[i] == kActivatedState;
        }
        static_cast<Toplevel*>(data)->pendingActivated = activated;
    }
    static void Done(void* data, wl_proxy*) {
        auto* toplevel = static_cast<Toplevel*>(data);
        const bool becameFront =
            toplevel->pendingActivated &&
            (!toplevel->activated || toplevel->pendingAppId != toplevel->appId);
        toplevel->appId = toplevel->pendingAppId;
        toplevel->activated = toplevel->pendingActivated;
        if (becameFront) {
            toplevel->watcher->Report(*toplevel);
        }
    }
    static void Closed(void* data, wl_proxy*) {
        auto* toplevel = static_cast<Toplevel*>(data);
        WlrootsFocusWatcher* self = toplevel->watcher;
        wl_proxy_marshal(toplevel->proxy, kDestroyRequest);
        wl_proxy_destroy(toplevel->proxy);
        self->toplevels_.remove_if([&](const Toplevel& t) { return &t == toplevel; });
    }

    void Report(const Toplevel& toplevel) {
        if (changed_) {
            changed_({FromUtf8(toplevel.appId), 0});
        }
    }

    void ReadEvents() {
        while (wl_display_prepare_read(display_) != 0) {
            wl_display_dispatch_pending(display_);
        }
        if (wl_display_read_events(display_) < 0) {
            // The compositor went away: nothing more will come.
            notifier_->setEnabled(false);
            return;
        }
        wl_display_dispatch_pending(display_);
        wl_display_flush(display_);
    }

    static constexpr wl_registry_listener kRegistryListener{&Global, &GlobalRemove};
    static constexpr ManagerListener kManagerListener{&NewToplevel, &Finished};
    static constexpr ToplevelListener kToplevelListener{&Title, &AppId, &Output, &Output,
                                                        &State, &Done,  &Closed};

    wl_display* display_;
    wl_registry* registry_ = nullptr;
    wl_proxy* manager_ = nullptr;
    // A list: each toplevel's address is its listener's data.
    std::list<Toplevel> toplevels_;
    FrontChanged changed_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace

std::unique_ptr<FocusWatcher> CreateWlrootsFocusWatcher() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        return nullptr;
    }
    auto watcher = std::make_unique<WlrootsFocusWatcher>(display);
    if (!watcher->Bind()) {
        return nullptr;
    }
    return watcher;
}

}  // namespace tessel
