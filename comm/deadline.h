#pragma once

// Every wait of the library goes through here: a monotonic deadline, what is
// left of it, and poll() that resumes after a signal with what remains.

#include <chrono>
#include <cstdint>

namespace kestro {

class Deadline {
  public:
    using Clock = std::chrono::steady_clock;

    explicit Deadline(uint32_t ms);

    // Milliseconds left, rounded up so that a wait never ends early; 0 once passed.
    int remainingMs() const;
    bool before(const Deadline& other) const { return end_ < other.end_; }

    // Waits for events on fd until the deadline. Returns 1 with revents set,
    // 0 when the deadline passed first, -1 with errno on failure.
    int poll(int fd, short events, short& revents) const;

  private:
    Clock::time_point end_;
};

} // namespace kestro
