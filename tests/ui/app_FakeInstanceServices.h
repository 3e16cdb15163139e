#pragma once
// Records what the single-instance rule asks of the system, with the answers
// a test chooses.

#include <vector>

#include "app/SingleInstance.h"

namespace tessel::testing {

class FakeInstanceServices : public InstanceServices {
public:
    int runningInstance = 0;
    MutexOpen mutexAnswer = MutexOpen::Created;

    std::vector<std::pair<int, WindowRequest>> delivered;
    int mutexOpens = 0;
    int mutexCloses = 0;
    int agentStarts = 0;
    std::vector<int> endedWith;

    int FindInstance() override { return runningInstance; }
    bool DeliverRequest(int pid, const WindowRequest& request) override {
        delivered.emplace_back(pid, request);
        return true;
    }
    MutexOpen OpenMutex() override {
        ++mutexOpens;
        return mutexAnswer;
    }
    void CloseMutex() override { ++mutexCloses; }
    void StartAgent() override { ++agentStarts; }
    void EndProcess(int exitCode) override { endedWith.push_back(exitCode); }
};

}  // namespace tessel::testing
