// wayland_click WIDTH HEIGHT COMMANDS: a mouse for a compositor without one.
// Adds a virtual pointer (wlr-virtual-pointer-unstable-v1) to the seat and,
// for each line "X Y" read from the file COMMANDS (a FIFO), clicks the left
// button at (X, Y) of the WIDTH x HEIGHT output layout, as a user's mouse
// would; a line "X Y X2 Y2" drags from (X, Y) to (X2, Y2) instead. One pointer for the whole run:
// clients bind it once. Exit status 0 at the end of COMMANDS, 1 without a compositor that offers
// such pointers.

#include <wayland-client.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

// The two interfaces of the protocol, as its XML file declares them; the
// requests are numbered in declaration order.
extern const wl_interface kVirtualPointerInterface;

const wl_interface* kCreateTypes[] = {&wl_seat_interface, &kVirtualPointerInterface};
const wl_message kManagerRequests[] = {
    {"create_virtual_pointer", "?on", kCreateTypes},
    {"destroy", "", nullptr},
};
const wl_interface kManagerInterface = {
    "zwlr_virtual_pointer_manager_v1", 1, 2, kManagerRequests, 0, nullptr};

const wl_interface* kNoTypes[] = {nullptr, nullptr, nullptr, nullptr, nullptr};
const wl_message kPointerRequests[] = {
    {"motion", "uff", kNoTypes},   {"motion_absolute", "uuuuu", kNoTypes},
    {"button", "uuu", kNoTypes},   {"axis", "uuf", kNoTypes},
    {"frame", "", kNoTypes},       {"axis_source", "u", kNoTypes},
    {"axis_stop", "uu", kNoTypes}, {"axis_discrete", "uufi", kNoTypes},
    {"destroy", "", kNoTypes},
};
const wl_interface kVirtualPointerInterface = {"zwlr_virtual_pointer_v1", 1, 9,
                                               kPointerRequests,          0, nullptr};

enum Request : uint32_t { kMotionAbsolute = 1, kButton = 2, kFrame = 4, kDestroy = 8 };
constexpr uint32_t kLeftButton = 0x110;  // BTN_LEFT

wl_proxy* g_manager = nullptr;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    if (std::strcmp(interface, kManagerInterface.name) == 0) {
        g_manager = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &kManagerInterface, 1));
    }
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener = {Global, GlobalRemove};

void Send(wl_proxy* pointer, uint32_t request, uint32_t a = 0, uint32_t b = 0, uint32_t c = 0,
          uint32_t d = 0, uint32_t e = 0) {
    wl_proxy_marshal_flags(pointer, request, nullptr, 1, 0, a, b, c, d, e);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT COMMANDS\n", argv[0]);
        return 2;
    }
    const uint32_t width = static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10));
    const uint32_t height = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10));
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "no Wayland display\n");
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, nullptr);
    wl_display_roundtrip(display);
    if (!g_manager) {
        std::fprintf(stderr, "the compositor offers no virtual pointer\n");
        return 1;
    }
    auto* pointer =
        wl_proxy_marshal_flags(g_manager, 0, &kVirtualPointerInterface, 1, 0, nullptr, nullptr);
    wl_display_roundtrip(display);
    std::FILE* commands = std::fopen(argv[3], "r");
    if (!commands) {
        std::fprintf(stderr, "cannot read %s\n", argv[3]);
        return 1;
    }
    uint32_t time = 1;
    const auto moveTo = [&](unsigned x, unsigned y) {
        Send(pointer, kMotionAbsolute, time++, x, y, width, height);
        Send(pointer, kFrame);
        wl_display_roundtrip(display);
    };
    const auto button = [&](uint32_t state) {
        Send(pointer, kButton, time++, kLeftButton, state);
        Send(pointer, kFrame);
        wl_display_roundtrip(display);
    };
    char line[128];
    while (std::fgets(line, sizeof line, commands)) {
        unsigned x = 0, y = 0, toX = 0, toY = 0;
        const int count = std::sscanf(line, "%u %u %u %u", &x, &y, &toX, &toY);
        if (count < 2) {
            continue;
        }
        moveTo(x, y);
        button(1);
        // A drag goes there in steps at a hand's pace: the program answers
        // the press by asking the compositor to move its window, and the
        // motion must still be going on when that request arrives.
        if (count == 4) {
            constexpr int kSteps = 25;
            for (int step = 1; step <= kSteps; ++step) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                moveTo(x + (static_cast<int>(toX - x) * step) / kSteps,
                       y + (static_cast<int>(toY - y) * step) / kSteps);
            }
        }
        button(0);
    }
    std::fclose(commands);
    wl_proxy_marshal_flags(pointer, kDestroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
