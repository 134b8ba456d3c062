#include "comm/deadline.h"

#include <cerrno>
#include <ctime>
#include <poll.h>

namespace kestro {

Deadline::Deadline(uint32_t ms) : end_(Clock::now() + std::chrono::milliseconds(ms)) {}

int Deadline::remainingMs() const {
    const auto left = end_ - Clock::now();
    if (left <= Clock::duration::zero())
        return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

int Deadline::poll(int fd, short events, short& revents) const {
    revents = 0;
    for (;;) {
        // To the nanosecond: rounding to whole milliseconds would stretch an
        // 11 ms reply window by up to one more.
        auto left = end_ - Clock::now();
        if (left < Clock::duration::zero())
            left = Clock::duration::zero();
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        const timespec wait{static_cast<time_t>(ns / 1000000000),
                            static_cast<long>(ns % 1000000000)};
        pollfd p{fd, events, 0};
        const int r = ::ppoll(&p, 1, &wait, nullptr);
        if (r < 0 && errno == EINTR)
            continue;
        if (r > 0)
            revents = p.revents;
        return r;
    }
}

} // namespace kestro
