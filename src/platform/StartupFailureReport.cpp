#include "platform/StartupFailureReport.h"

#include <atomic>
#include <cstdio>

#include "platform/Prompter.h"
#include "platform/Utf8.h"

namespace tessel {
namespace {

std::atomic<Prompter*> g_prompter{nullptr};

}  // namespace

void SetStartupFailurePrompter(Prompter* prompter) {
    g_prompter = prompter;
}

void ReportStartupFailure(const std::string& reason) {
    std::fprintf(stderr, "tessel: %s\n", reason.c_str());
    std::fflush(stderr);
    if (Prompter* prompter = g_prompter.load()) {
        prompter->ShowMessage(FromUtf8(reason), u"", PromptButtons::Ok, PromptIcon::Error);
    }
}

bool PlatformHasAUser(std::string_view platformName) {
    return !platformName.empty() && platformName != "offscreen" && platformName != "minimal" &&
           platformName != "minimalegl" && platformName != "vnc";
}

}  // namespace tessel
