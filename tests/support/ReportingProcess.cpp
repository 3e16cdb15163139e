#include "support/ReportingProcess.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace tessel::testing {

pid_t StartReporting(std::vector<std::string> argv, const std::vector<std::string>& environment,
                     std::string* firstLine) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return -1;
    }
    for (std::string& arg : argv) {
        if (const auto at = arg.find("{fd}"); at != std::string::npos) {
            arg.replace(at, 4, std::to_string(pipeFds[1]));
        }
    }
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        close(pipeFds[0]);
        for (const std::string& entry : environment) {
            putenv(const_cast<char*>(entry.c_str()));
        }
        std::vector<char*> args;
        for (std::string& arg : argv) {
            args.push_back(arg.data());
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(pipeFds[1]);
    char c = 0;
    while (child > 0 && firstLine && read(pipeFds[0], &c, 1) == 1 && c != '\n') {
        *firstLine += c;
    }
    close(pipeFds[0]);
    return child;
}

void EndReporting(pid_t group) {
    if (group > 0) {
        kill(-group, SIGTERM);
        waitpid(group, nullptr, 0);
    }
}

OwnXServer::OwnXServer(const std::string& screen) {
    std::string number;
    m_server = StartReporting(
        {"Xvfb", "-displayfd", "{fd}", "-screen", "0", screen, "-nolisten", "tcp"}, {}, &number);
    if (!number.empty()) {
        m_display = ":" + number;
    }
}

OwnXServer::~OwnXServer() {
    EndReporting(m_server);
}

}  // namespace tessel::testing
