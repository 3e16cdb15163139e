#include "SimFaults.h"

namespace torvex {

namespace {

bool TakeOne(int& count) {
    if (count <= 0) {
        return false;
    }
    --count;
    return true;
}

}  // namespace

std::optional<FaultKind> FaultKindFromNumber(int number) {
    if (number < static_cast<int>(FaultKind::LostReply) ||
        number > static_cast<int>(FaultKind::Remove)) {
        return std::nullopt;
    }
    return static_cast<FaultKind>(number);
}

bool SimFaults::Set(FaultKind kind, int count, int value) {
    if (count < 0) {
        return false;
    }
    switch (kind) {
        case FaultKind::LostReply:
            lost_ = count;
            return true;
        case FaultKind::WrongEcho:
            wrongEcho_ = count;
            return true;
        case FaultKind::BusyFE:
            busyFE_ = count;
            return true;
        case FaultKind::BusyFF:
            busyFF_ = count;
            return true;
        case FaultKind::Delay:
            if (value < 0) {
                return false;
            }
            delayed_ = count;
            delayMs_ = value;
            return true;
        case FaultKind::Remove:
            removeAfter_ = count;
            return true;
    }
    return false;
}

FrameFaults SimFaults::Next() {
    FrameFaults faults;
    if (removeAfter_ == 0) {
        removeAfter_ = -1;
        faults.removeBeforeAnswer = true;
        return faults;
    }
    if (removeAfter_ > 0) {
        --removeAfter_;
    }
    if (TakeOne(busyFE_)) {
        faults.busyStatus = 0xFE;
    } else if (TakeOne(busyFF_)) {
        faults.busyStatus = 0xFF;
    }
    faults.wrongEcho = TakeOne(wrongEcho_);
    faults.lostReply = TakeOne(lost_);
    if (TakeOne(delayed_)) {
        faults.delay = std::chrono::milliseconds(delayMs_);
    }
    return faults;
}

std::string SimFaults::Describe() const {
    std::string text;
    auto add = [&](const char* name, int count) {
        if (count > 0) {
            text += std::string(text.empty() ? "" : ", ") + name + " x" + std::to_string(count);
        }
    };
    add("lost", lost_);
    add("echo", wrongEcho_);
    add("busy-fe", busyFE_);
    add("busy-ff", busyFF_);
    if (delayed_ > 0) {
        add(("delay " + std::to_string(delayMs_) + " ms").c_str(), delayed_);
    }
    if (removeAfter_ >= 0) {
        text += std::string(text.empty() ? "" : ", ") + "remove after " +
                std::to_string(removeAfter_) + " frames";
    }
    return text.empty() ? "none" : text;
}

}  // namespace torvex
