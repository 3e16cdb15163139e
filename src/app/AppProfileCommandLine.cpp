#include "app/AppProfileCommandLine.h"

#include <chrono>
#include <cstdio>

#include "app/AppIdentity.h"
#include "app/KeyboardTurn.h"
#include "platform/MainWindowRequests.h"
#include "platform/NamedMutex.h"
#include "platform/RequestEndpoint.h"
#include "storage/DataFolder.h"
#include "storage/UserSettingsFile.h"

namespace tessel {
namespace {

constexpr std::chrono::seconds kTakeWait{5};
constexpr std::chrono::seconds kWorkWait{10};

CommandOutcome AskRunningInstance(int pid, const AppProfileRequest& request) {
    const WindowRequest message{kKeyboardCommandMessage, kAppProfileTag,
                                AppProfileRequestNumber(request)};
    const auto reply = DeliverRequestWithText(kInstanceName, pid, kMainMarker, message,
                                              request.application, kTakeWait, kWorkWait);
    if (!reply) {
        return {false, "the running instance (process " + std::to_string(pid) +
                           ") did not answer; nothing was changed"};
    }
    return {reply->result == 1, reply->text};
}

}  // namespace

int RunAppProfileCommand(const AppProfileRequest& request, const ProgramPaths& paths) {
    NamedMutex mutex(kInstanceName);
    const KeyboardTurn turn = WaitForKeyboardTurn(mutex, paths.programFileName);
    CommandOutcome outcome;
    if (turn.instance != 0) {
        outcome = AskRunningInstance(turn.instance, request);
    } else if (!turn.refusal.empty()) {
        outcome = {false, turn.refusal};
    } else {
        outcome = CarryOutAppProfileRequest(request, UserSettingsFile(UserDataFolder()));
    }
    if (outcome.done && request.action == AppProfileAction::List) {
        std::printf("%s\n", outcome.line.c_str());
        return 0;
    }
    std::FILE* stream = outcome.done ? stdout : stderr;
    std::fprintf(stream, "%s: %s\n", paths.programFileName.c_str(), outcome.line.c_str());
    return outcome.done ? 0 : 1;
}

}  // namespace tessel
