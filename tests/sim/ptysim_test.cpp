#include "sim/ptysim.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

using ctrlsim::Controller;
using ctrlsim::PtySimulator;
using Bytes = std::vector<uint8_t>;
using Reply = std::optional<uint8_t>;
using namespace std::chrono_literals;

namespace {

// The library's side of the line, reduced to what the tests need.
class Port {
  public:
    explicit Port(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ >= 0) {
            termios tio;
            ::tcgetattr(fd_, &tio);
            ::cfmakeraw(&tio);
            ::tcsetattr(fd_, TCSANOW, &tio);
        }
    }
    ~Port() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int fd() const { return fd_; }

    // One byte out, then the first byte that comes back within the time-out.
    Reply exchange(uint8_t b, std::chrono::milliseconds timeout = 200ms) {
        if (::write(fd_, &b, 1) != 1)
            return std::nullopt;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, int(timeout.count())) <= 0 || !(p.revents & POLLIN))
            return std::nullopt;
        uint8_t r;
        if (::read(fd_, &r, 1) != 1)
            return std::nullopt;
        return r;
    }

    Reply next(std::chrono::milliseconds timeout) {
        pollfd p{fd_, POLLIN, 0};
        uint8_t r;
        if (::poll(&p, 1, int(timeout.count())) <= 0 || ::read(fd_, &r, 1) != 1)
            return std::nullopt;
        return r;
    }

    std::vector<Reply> exchange(const Bytes& bytes, std::chrono::milliseconds timeout = 200ms) {
        std::vector<Reply> out;
        for (uint8_t b : bytes)
            out.push_back(exchange(b, timeout));
        return out;
    }

  private:
    int fd_ = -1;
};

std::vector<Reply> replies(const Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

const Bytes kWordRead = {0x01, 0x12, 0x34, 0x00, 0x00};

double cpuSeconds() {
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

TEST(PtySimulator, ServesTheModelAndLogsEveryByte) {
    PtySimulator sim;
    sim.withController([](Controller& c) { c.setWord(0x1234, 0xBEEF); });
    Port port(sim.path());
    ASSERT_GE(port.fd(), 0);
    EXPECT_EQ(port.exchange(kWordRead), replies({0x01, 0x12, 0x34, 0xBE, 0xEF}));
    EXPECT_EQ(port.exchange(Bytes(3, 0x00)), replies({0xAA, 0xAA, 0xAA}));
    Bytes expected = kWordRead;
    expected.insert(expected.end(), 3, 0x00);
    EXPECT_EQ(sim.log(), expected);
    sim.clearLog();
    EXPECT_TRUE(sim.log().empty());

    // Writes from the line reach the model.
    port.exchange({0x0C, 0x00, 0x08, 0x11, 0x12, 0x34, 0x00, 0x07, 0x09, 0xFA});
    uint16_t w = 0;
    sim.withController([&](Controller& c) { w = c.word(0x1234); });
    EXPECT_EQ(w, 7);
}

TEST(PtySimulator, IndexedFaultsFireOnceAtTheirByte) {
    PtySimulator sim;
    sim.withController([](Controller& c) { c.setWord(0x1234, 0xBEEF); });
    Port port(sim.path());
    const std::vector<Reply> clean = replies({0x01, 0x12, 0x34, 0xBE, 0xEF});
    port.exchange(0x55); // indexes count from when a fault is set, not from the start

    sim.dropReply(2);
    std::vector<Reply> expected = clean;
    expected[2] = std::nullopt;
    EXPECT_EQ(port.exchange(kWordRead, 50ms), expected);
    EXPECT_EQ(port.exchange(kWordRead), clean) << "fires only once";

    sim.wrongEcho(1);
    expected = clean;
    expected[1] = 0x12 ^ 0xFF;
    EXPECT_EQ(port.exchange(kWordRead), expected);
    EXPECT_EQ(port.exchange(kWordRead), clean);

    // A late reply is taken for the reply to the next byte; the rest of the
    // frame stays one behind.
    sim.delayReply(1, 60ms);
    EXPECT_EQ(port.exchange(kWordRead, 40ms),
              (std::vector<Reply>{0x01, std::nullopt, 0x12, 0x34, 0xBE}));
    EXPECT_EQ(port.next(100ms), Reply(0xEF)) << "the leftover reply";
    EXPECT_EQ(port.exchange(kWordRead), clean);

    sim.clearFaults();
    sim.badAcknowledge(1); // a command byte: nothing to spoil, and it is used up
    sim.badAcknowledge(4);
    EXPECT_EQ(port.exchange(Bytes{0x00, 0x55, 0x00, 0x00, 0x00, 0x00, 0x00}),
              replies({0xAA, 0x55, 0xAA, 0xAA, 0x00, 0xAA, 0xAA}));

    sim.dropReply(0);
    sim.clearFaults();
    EXPECT_EQ(port.exchange(kWordRead), clean);
}

TEST(PtySimulator, SilenceStillFeedsTheModel) {
    PtySimulator sim;
    Port port(sim.path());
    sim.setSilent(true);
    EXPECT_EQ(port.exchange({0x0C, 0x00, 0x08, 0x11, 0x00, 0x10, 0x00, 0x2A, 0x09, 0xFA}, 20ms),
              std::vector<Reply>(10));
    EXPECT_EQ(sim.log().size(), 10u);
    sim.clearFaults();
    EXPECT_EQ(port.exchange({0x01, 0x00, 0x10, 0x00, 0x00}),
              replies({0x01, 0x00, 0x10, 0x00, 0x2A}));
}

TEST(PtySimulator, HangUpIsSeenByTheOtherSide) {
    PtySimulator sim;
    Port port(sim.path());
    EXPECT_EQ(port.exchange(0x00), Reply(0xAA));
    sim.hangUp();
    pollfd p{port.fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 1000), 1);
    EXPECT_TRUE(p.revents & POLLHUP);
    uint8_t b;
    errno = 0;
    EXPECT_LE(::read(port.fd(), &b, 1), 0);
    EXPECT_EQ(port.exchange(0x00, 20ms), std::nullopt);
}

TEST(PtySimulator, SurvivesCloseAndReopenWithoutBusyWaiting) {
    PtySimulator sim;
    {
        Port first(sim.path());
        ASSERT_EQ(::ioctl(first.fd(), TIOCEXCL), 0); // as the library holds it
        EXPECT_EQ(first.exchange(0x00), Reply(0xAA));
    }
    // Nobody holds the slave now: the server must sleep, not spin on a hang-up.
    double cpu = cpuSeconds();
    std::this_thread::sleep_for(300ms);
    EXPECT_LT(cpuSeconds() - cpu, 0.03);

    Port again(sim.path());
    ASSERT_GE(again.fd(), 0);
    // Exclusive use ended with the last close, or a non-root reopen would fail.
    int exclusive = -1;
    ASSERT_EQ(::ioctl(again.fd(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    EXPECT_EQ(again.exchange(Bytes{0x19, 0x03}), replies({0x19, 0x00}));
}

TEST(PtySimulator, LineTimeFollowsTheBaudRate) {
    PtySimulator sim;
    Port port(sim.path());
    auto roundTrips = [&](int n) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(port.exchange(0x00), Reply(0xAA));
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    for (int baud : {9600, 115200}) {
        const int n = baud == 9600 ? 40 : 400;
        sim.setLineBaud(0);
        const double bare = roundTrips(n); // what the pty itself costs
        sim.setLineBaud(baud);
        const double wire = n * 22.0 / baud;
        const double took = roundTrips(n);
        EXPECT_GE(took, wire) << baud;
        EXPECT_LT(took, 2 * (wire + bare) + 0.01) << baud << " bare " << bare;
    }
}

} // namespace
