#pragma once
// Lets threads run a piece of work one at a time, in the order they drew their
// ticket, so reports handled on separate threads still take effect in the order
// the keyboard sent them.

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace tessel {

class OrderedTurns {
public:
    uint64_t DrawTicket();
    // Waits for the ticket's turn; false when the turns were stopped first.
    bool WaitForTurn(uint64_t ticket);
    // Must follow every WaitForTurn of the ticket, whatever it returned.
    void EndTurn(uint64_t ticket);
    // Releases every waiter; later turns are refused.
    void Stop();
    bool Stopped() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    uint64_t nextTicket_ = 0;
    uint64_t serving_ = 0;
    bool stopped_ = false;
};

}  // namespace tessel
