#include "SimCommandLine.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace torvex {

namespace {

constexpr const char* kHelp =
    "commands:\n"
    "  status                       plugged, active profile, firmware, faults\n"
    "  plug | unplug                attach or remove the keyboard\n"
    "  notify CODE                  send a notification code (for example 0x02FF)\n"
    "  profile-key                  press the keyboard's profile key (sends 0x0401)\n"
    "  fault lost|echo|busy-fe|busy-ff COUNT\n"
    "  fault delay MS [COUNT]       late replies (COUNT defaults to 1)\n"
    "  fault remove AFTER           unplug after AFTER more answered frames\n"
    "  fault clear\n"
    "  frame-delay MS               every reply MS milliseconds late (0 to 10000)\n"
    "  dump AREA                    device-info, parameters, key-blocks, macro,\n"
    "                               key-colours, default-key-block\n"
    "  firmware VERSION             set the firmware version (for example 0x0101)\n"
    "  macro-area malformed|empty   hold a macro area that does not decode, or none\n"
    "  log [clear]                  the frame log, oldest first: number, label,\n"
    "                               direction, channel, flags, bytes\n"
    "  reset                        factory state\n";

std::optional<long> ParseNumber(const std::string& text, long low, long high) {
    if (text.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 0);
    if (*end != '\0' || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::string Error(const std::string& why) {
    return "error: " + why + "\n";
}

std::string Hex(const uint8_t* bytes, std::size_t count) {
    std::string text;
    char digits[4];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(digits, sizeof digits, i == 0 ? "%02X" : " %02X", bytes[i]);
        text += digits;
    }
    return text;
}

struct NamedArea {
    const char* name;
    SimArea area;
};
constexpr NamedArea kAreas[] = {
    {"device-info", SimArea::DeviceInfo}, {"parameters", SimArea::Parameters},
    {"key-blocks", SimArea::KeyBlocks},   {"macro", SimArea::Macro},
    {"key-colours", SimArea::KeyColours}, {"default-key-block", SimArea::DefaultKeyBlock},
};

struct NamedFault {
    const char* name;
    FaultKind kind;
};
constexpr NamedFault kFaults[] = {
    {"lost", FaultKind::LostReply}, {"echo", FaultKind::WrongEcho}, {"busy-fe", FaultKind::BusyFE},
    {"busy-ff", FaultKind::BusyFF}, {"delay", FaultKind::Delay},    {"remove", FaultKind::Remove},
};

std::string Status(SimKeyboard& keyboard) {
    char text[160];
    std::snprintf(text, sizeof text, "ok\nplugged: %s\nactive profile: %d\nfirmware: 0x%04X\n",
                  keyboard.IsPlugged() ? "yes" : "no", keyboard.ActiveProfile(),
                  keyboard.FirmwareVersion());
    return text + ("faults: " + keyboard.DescribeFaults() + "\n") +
           ("frame delay: " + std::to_string(keyboard.FrameDelay()) + " ms\n");
}

std::string Dump(SimKeyboard& keyboard, const std::vector<std::string>& words) {
    for (const auto& each : kAreas) {
        if (words.size() == 2 && words[1] == each.name) {
            std::vector<uint8_t> bytes = keyboard.ReadArea(each.area);
            std::string text = "ok\n";
            char offset[24];
            for (std::size_t at = 0; at < bytes.size(); at += 16) {
                std::snprintf(offset, sizeof offset, "%04zX: ", at);
                text +=
                    offset + Hex(bytes.data() + at, std::min<std::size_t>(16, bytes.size() - at));
                text += "\n";
            }
            return text;
        }
    }
    return Error(
        "dump needs an area: device-info, parameters, key-blocks, macro, key-colours, "
        "default-key-block");
}

std::string Fault(SimKeyboard& keyboard, const std::vector<std::string>& words) {
    if (words.size() == 2 && words[1] == "clear") {
        keyboard.ClearFaults();
        return "ok\n";
    }
    for (const auto& each : kFaults) {
        if (words.size() < 3 || words[1] != each.name) {
            continue;
        }
        auto first = ParseNumber(words[2], 0, 1000000);
        if (!first || words.size() > 4 || (words.size() == 4 && each.kind != FaultKind::Delay)) {
            return Error("bad fault arguments (see help)");
        }
        int count = static_cast<int>(*first);
        int value = 0;
        if (each.kind == FaultKind::Delay) {
            value = count;
            auto times = words.size() == 4 ? ParseNumber(words[3], 0, 1000000) : 1L;
            if (!times) {
                return Error("bad fault arguments (see help)");
            }
            count = static_cast<int>(*times);
        }
        return keyboard.SetFault(each.kind, count, value) ? "ok\n" : Error("fault refused");
    }
    return Error("unknown fault (see help)");
}

std::string MacroArea(SimKeyboard& keyboard, const std::vector<std::string>& words) {
    if (words.size() == 2 && (words[1] == "malformed" || words[1] == "empty")) {
        const std::vector<uint8_t> image =
            words[1] == "malformed" ? MalformedMacroAreaImage() : EmptyMacroAreaImage();
        return keyboard.WriteArea(SimArea::Macro, 0, image) ? "ok\n" : Error("macro area refused");
    }
    return Error("macro-area needs malformed or empty");
}

std::string Log(SimKeyboard& keyboard, const std::vector<std::string>& words) {
    if (words.size() == 2 && words[1] == "clear") {
        keyboard.ClearFrameLog();
        return "ok\n";
    }
    static const char* kChannels[] = {"command", "consumer", "indicator"};
    std::string text = "ok\n";
    char head[96];
    for (const auto& frame : keyboard.Frames()) {
        std::snprintf(head, sizeof head, "%6u %10u %s %-9s%s%s%s ", frame.sequence, frame.label,
                      frame.direction == TORVEX_SIM_TO_KEYBOARD ? "->" : "<-",
                      kChannels[frame.channel % 3],
                      (frame.flags & TORVEX_SIM_FLAG_BAD_CHECKSUM) ? " bad-checksum" : "",
                      (frame.flags & TORVEX_SIM_FLAG_DROPPED) ? " dropped" : "",
                      (frame.flags & TORVEX_SIM_FLAG_DELAYED) ? " delayed" : "");
        text += head + Hex(frame.bytes, frame.length) + "\n";
    }
    return text;
}

}  // namespace

std::vector<std::string> SplitWords(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    for (char each : line) {
        if (each == ' ' || each == '\t' || each == '\r' || each == '\n') {
            if (!word.empty()) {
                words.push_back(word);
                word.clear();
            }
        } else {
            word += each;
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

std::string RunSimCommand(SimKeyboard& keyboard, const std::vector<std::string>& words) {
    if (words.empty() || words[0] == "help") {
        return std::string("ok\n") + kHelp;
    }
    const std::string& command = words[0];
    if (command == "status") {
        return Status(keyboard);
    }
    if (command == "plug") {
        return keyboard.Plug() ? "ok\n" : Error("already plugged in");
    }
    if (command == "unplug") {
        return keyboard.Unplug() ? "ok\n" : Error("not plugged in");
    }
    if (command == "notify") {
        auto code = words.size() == 2 ? ParseNumber(words[1], 0, 0xFFFF) : std::nullopt;
        if (!code) {
            return Error("notify needs a code from 0 to 0xFFFF");
        }
        return keyboard.Notify(static_cast<uint16_t>(*code)) ? "ok\n" : Error("not plugged in");
    }
    if (command == "profile-key") {
        return keyboard.PressProfileKey() ? "ok\n" : Error("not plugged in");
    }
    if (command == "fault") {
        return Fault(keyboard, words);
    }
    if (command == "frame-delay") {
        auto delay =
            words.size() == 2 ? ParseNumber(words[1], 0, kLongestFrameDelayMs) : std::nullopt;
        if (!delay) {
            return Error("frame-delay needs milliseconds from 0 to 10000");
        }
        keyboard.SetFrameDelay(static_cast<int>(*delay));
        return "ok\n";
    }
    if (command == "dump") {
        return Dump(keyboard, words);
    }
    if (command == "firmware") {
        auto version = words.size() == 2 ? ParseNumber(words[1], 0, 0xFFFF) : std::nullopt;
        if (!version) {
            return Error("firmware needs a version from 0 to 0xFFFF");
        }
        keyboard.SetFirmwareVersion(static_cast<uint16_t>(*version));
        return "ok\n";
    }
    if (command == "macro-area") {
        return MacroArea(keyboard, words);
    }
    if (command == "log") {
        return Log(keyboard, words);
    }
    if (command == "reset") {
        keyboard.Reset();
        return "ok\n";
    }
    return Error("unknown command '" + command + "' (try help)");
}

}  // namespace torvex
