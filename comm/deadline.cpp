#include "comm/deadline.h"

#include <cerrno>
#include <poll.h>

namespace kestro {

Deadline::Deadline(uint32_t ms) : end_(Clock::now() + std::chrono::milliseconds(ms)) {}

int Deadline::remainingMs() const {
    const auto left = end_ - Clock::now();
    if (left <= Clock::duration::zero())
        return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

bool Deadline::passed() const {
    return Clock::now() >= end_;
}

int Deadline::poll(int fd, short events, short& revents) const {
    revents = 0;
    for (;;) {
        pollfd p{fd, events, 0};
        const int r = ::poll(&p, 1, remainingMs());
        if (r < 0 && errno == EINTR)
            continue;
        if (r > 0)
            revents = p.revents;
        return r;
    }
}

} // namespace kestro
