#include "ptysim.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <termios.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace ctrlsim {

namespace {

using Clock = std::chrono::steady_clock; // CLOCK_MONOTONIC
using Nanos = std::chrono::nanoseconds;

// ppoll wakes up a few tens of microseconds late; the last stretch before a
// reply is due is spun so that line-time emulation stays accurate.
constexpr Nanos kSpin = std::chrono::microseconds(50);
constexpr Nanos kIdleWait = std::chrono::milliseconds(100);

enum class FaultKind { Drop, WrongEcho, BadAck, Delay };

struct Fault {
    FaultKind kind;
    uint64_t at; // absolute index among received bytes
    Nanos delay{};
};

struct Reply {
    uint8_t byte;
    Clock::time_point due;
};

timespec toTimespec(Nanos d) {
    if (d < Nanos::zero())
        d = Nanos::zero();
    timespec ts;
    ts.tv_sec = time_t(d.count() / 1000000000);
    ts.tv_nsec = long(d.count() % 1000000000);
    return ts;
}

} // namespace

struct PtySimulator::Impl {
    std::mutex mutex; // everything below that another thread can reach
    std::condition_variable changed;
    Controller model;
    Clock::time_point modelTime = Clock::now();
    std::vector<uint8_t> log;
    bool logging = true;
    uint64_t received = 0;
    bool silent = false;
    std::vector<Fault> faults;
    int baud = 0;
    bool stop = false;
    bool hangUpRequested = false;
    bool hungUp = false;
    // Line emulation: when each direction of the line is free again.
    Clock::time_point inboundFree{};
    Clock::time_point outboundFree{};
    Clock::time_point lastDue{};

    int master = -1;
    int slave = -1; // held open so the master never sees a hang-up
    int wakeRead = -1;
    int wakeWrite = -1;
    // Opens and closes of the slave by others. The exclusive flag that the
    // library sets stays on the tty while we hold our fd, so when the last
    // peer closes we clear it; otherwise a non-root reopen fails.
    int notify = -1;
    int peers = 0;
    std::string path;
    std::thread thread;

    // Serving thread only.
    std::deque<Reply> replies;
    std::vector<uint8_t> outBuf;

    void advanceModel(Clock::time_point now) {
        if (now <= modelTime)
            return;
        model.advance(std::chrono::duration<double, std::milli>(now - modelTime).count());
        modelTime = now;
    }

    void wake() {
        char c = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeWrite, &c, 1);
    }

    void drainWake() {
        char buf[64];
        while (::read(wakeRead, buf, sizeof buf) > 0) {
        }
    }

    void watchPeers() {
        alignas(inotify_event) char buf[4096];
        ssize_t n;
        while ((n = ::read(notify, buf, sizeof buf)) > 0) {
            for (char* p = buf; p < buf + n;) {
                auto* e = reinterpret_cast<inotify_event*>(p);
                if (e->mask & IN_OPEN)
                    ++peers;
                if (e->mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE))
                    --peers;
                p += sizeof(inotify_event) + e->len;
            }
        }
        if (peers <= 0) {
            peers = 0;
            ::ioctl(slave, TIOCNXCL);
        }
    }

    void handle(uint8_t byte, Clock::time_point t) {
        std::lock_guard lock(mutex);
        const uint64_t index = received++;
        if (logging)
            log.push_back(byte);
        advanceModel(t);
        uint8_t reply = model.receive(byte);
        bool send = !silent;
        Nanos extra{};
        for (auto it = faults.begin(); it != faults.end();) {
            if (it->at != index) {
                ++it;
                continue;
            }
            switch (it->kind) {
            case FaultKind::Drop:
                send = false;
                break;
            case FaultKind::WrongEcho:
                reply ^= 0xFF;
                break;
            case FaultKind::BadAck:
                if (byte == 0x00 && reply == 0xAA)
                    reply = 0x00;
                break;
            case FaultKind::Delay:
                extra += it->delay;
                break;
            }
            it = faults.erase(it);
        }
        if (!send)
            return;
        Clock::time_point due;
        if (baud > 0) {
            // 11 bits per byte (start, 8 data, 2 stop) in each direction.
            const Nanos byteTime{int64_t(11e9 / baud)};
            Clock::time_point arrived = std::max(t, inboundFree) + byteTime;
            inboundFree = arrived;
            due = std::max(arrived + extra, outboundFree) + byteTime;
            outboundFree = due;
        } else {
            due = std::max(t + extra, lastDue);
        }
        lastDue = due;
        replies.push_back({reply, due});
    }

    // Writes every reply that is due; false when the master would block.
    bool flush(Clock::time_point now) {
        while (!replies.empty() && replies.front().due <= now) {
            outBuf.push_back(replies.front().byte);
            replies.pop_front();
        }
        while (!outBuf.empty()) {
            ssize_t n = ::write(master, outBuf.data(), outBuf.size());
            if (n > 0) {
                outBuf.erase(outBuf.begin(), outBuf.begin() + n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            return false;
        }
        return true;
    }

    void serve() {
        // Fine-grained wake-ups for the line timing.
        prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
        uint8_t buf[4096];
        for (;;) {
            {
                std::lock_guard lock(mutex);
                if (stop)
                    return;
                advanceModel(Clock::now()); // small steps even while the line is quiet
                if (hangUpRequested && !hungUp) {
                    ::close(master);
                    master = -1;
                    hungUp = true;
                    replies.clear();
                    outBuf.clear();
                    changed.notify_all();
                }
            }
            if (master < 0) {
                pollfd pfd{wakeRead, POLLIN, 0};
                ::poll(&pfd, 1, -1);
                drainWake();
                continue;
            }

            Clock::time_point now = Clock::now();
            bool writable = flush(now);
            if (!replies.empty() && outBuf.empty()) {
                Nanos left = replies.front().due - now;
                if (left <= kSpin) {
                    while (Clock::now() < replies.front().due) {
                    }
                    continue;
                }
            }
            Nanos wait = kIdleWait;
            if (writable && !replies.empty())
                wait = replies.front().due - now - kSpin;
            timespec ts = toTimespec(wait);
            pollfd pfds[3] = {{master, short(POLLIN | (writable ? 0 : POLLOUT)), 0},
                              {wakeRead, POLLIN, 0},
                              {notify, POLLIN, 0}};
            int r = ::ppoll(pfds, notify >= 0 ? 3 : 2, &ts, nullptr);
            if (r < 0) {
                if (errno != EINTR)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                continue;
            }
            if (pfds[1].revents)
                drainWake();
            if (notify >= 0 && pfds[2].revents)
                watchPeers();
            if (pfds[0].revents & POLLIN) {
                ssize_t n = ::read(master, buf, sizeof buf);
                Clock::time_point t = Clock::now();
                for (ssize_t i = 0; i < n; ++i)
                    handle(buf[i], t);
                if (n < 0 && errno != EAGAIN && errno != EINTR)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
            } else if (pfds[0].revents & (POLLHUP | POLLERR)) {
                // Should not happen while we hold the slave; never spin on it.
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
    }
};

PtySimulator::PtySimulator() : impl_(std::make_unique<Impl>()) {
    Impl& d = *impl_;
    if (::openpty(&d.master, &d.slave, nullptr, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    char name[128];
    if (::ptsname_r(d.master, name, sizeof name) != 0) {
        ::close(d.master);
        ::close(d.slave);
        throw std::runtime_error("ptsname failed");
    }
    d.path = name;
    // Raw from the start, so the line discipline never echoes or translates.
    termios tio;
    if (::tcgetattr(d.slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(d.slave, TCSANOW, &tio);
    }
    ::fcntl(d.master, F_SETFD, FD_CLOEXEC);
    ::fcntl(d.slave, F_SETFD, FD_CLOEXEC);
    ::fcntl(d.master, F_SETFL, ::fcntl(d.master, F_GETFL) | O_NONBLOCK);
    int p[2];
    if (::pipe2(p, O_NONBLOCK | O_CLOEXEC) != 0) {
        ::close(d.master);
        ::close(d.slave);
        throw std::runtime_error("pipe failed");
    }
    d.wakeRead = p[0];
    d.wakeWrite = p[1];
    // Without inotify the simulator still works; only non-root reopens suffer.
    d.notify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (d.notify >= 0 && ::inotify_add_watch(d.notify, d.path.c_str(), IN_OPEN | IN_CLOSE) < 0) {
        ::close(d.notify);
        d.notify = -1;
    }
    d.thread = std::thread([&d] { d.serve(); });
}

PtySimulator::~PtySimulator() {
    Impl& d = *impl_;
    {
        std::lock_guard lock(d.mutex);
        d.stop = true;
    }
    d.wake();
    d.thread.join();
    if (d.master >= 0)
        ::close(d.master);
    ::close(d.slave);
    ::close(d.wakeRead);
    ::close(d.wakeWrite);
    if (d.notify >= 0)
        ::close(d.notify);
}

const std::string& PtySimulator::path() const {
    return impl_->path;
}

void PtySimulator::withController(const std::function<void(Controller&)>& f) {
    std::lock_guard lock(impl_->mutex);
    impl_->advanceModel(Clock::now());
    f(impl_->model);
}

void PtySimulator::setSilent(bool silent) {
    std::lock_guard lock(impl_->mutex);
    impl_->silent = silent;
}

void PtySimulator::dropReply(std::size_t n) {
    std::lock_guard lock(impl_->mutex);
    impl_->faults.push_back({FaultKind::Drop, impl_->received + n});
}

void PtySimulator::wrongEcho(std::size_t n) {
    std::lock_guard lock(impl_->mutex);
    impl_->faults.push_back({FaultKind::WrongEcho, impl_->received + n});
}

void PtySimulator::badAcknowledge(std::size_t n) {
    std::lock_guard lock(impl_->mutex);
    impl_->faults.push_back({FaultKind::BadAck, impl_->received + n});
}

void PtySimulator::delayReply(std::size_t n, std::chrono::milliseconds t) {
    std::lock_guard lock(impl_->mutex);
    impl_->faults.push_back({FaultKind::Delay, impl_->received + n, t});
}

void PtySimulator::hangUp() {
    Impl& d = *impl_;
    std::unique_lock lock(d.mutex);
    d.hangUpRequested = true;
    d.wake();
    d.changed.wait(lock, [&d] { return d.hungUp; });
}

void PtySimulator::clearFaults() {
    std::lock_guard lock(impl_->mutex);
    impl_->faults.clear();
    impl_->silent = false;
}

void PtySimulator::setLineBaud(int baud) {
    std::lock_guard lock(impl_->mutex);
    impl_->baud = std::max(0, baud);
}

void PtySimulator::setLogging(bool on) {
    std::lock_guard lock(impl_->mutex);
    impl_->logging = on;
    if (!on)
        impl_->log.clear();
}

std::vector<uint8_t> PtySimulator::log() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->log;
}

void PtySimulator::clearLog() {
    std::lock_guard lock(impl_->mutex);
    impl_->log.clear();
}

} // namespace ctrlsim
