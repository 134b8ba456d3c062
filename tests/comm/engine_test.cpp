// TSio against the simulator: exchange, checks, time-outs, the serial backend.

#include "comm/linuxserial.h"
#include "comm/posixserialline.h"
#include "comm/tsio.h"
#include "sim/ptysim.h"
#include "simready.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace std::chrono_literals;
using kestro::PosixSerialLine;
using kestro::TSio;

namespace {

using Bytes = std::vector<uint8_t>;

// A simulator whose thread is already serving.
struct Sim : ctrlsim::PtySimulator {
    Sim() { EXPECT_TRUE(waitUntilServing(*this)); }
};

std::unique_ptr<TSio> sioOn(const std::string& path, uint32_t baud = 115200) {
    auto sio = std::make_unique<TSio>(std::make_unique<PosixSerialLine>());
    sio->dcb.BaudRate = baud;
    sio->OpenPort(path.c_str());
    return sio;
}

// Opened on the simulator and past its first exchange, which on a busy
// machine is the one most likely to be scheduled late. Leaves the log empty.
std::unique_ptr<TSio> openedSio(ctrlsim::PtySimulator& sim, uint32_t baud = 115200) {
    auto sio = sioOn(sim.path(), baud);
    for (int i = 0; i < 5 && sio->portHandle > 0; ++i) {
        sio->sendBuffer[0] = 0x00;
        sio->checkMask[0] = 2;
        sio->requestLength = 1;
        sio->Transact();
        if (!sio->error)
            break;
    }
    sim.clearLog();
    return sio;
}

void load(TSio& sio, const Bytes& bytes, const Bytes& mask) {
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        sio.sendBuffer[k] = bytes[k];
        sio.checkMask[k] = k < mask.size() ? mask[k] : 0;
    }
    sio.requestLength = static_cast<uint32_t>(bytes.size());
}

Bytes reply(const TSio& sio) {
    return Bytes(sio.replyBuffer, sio.replyBuffer + sio.requestLength);
}

bool maskIsZero(const TSio& sio) {
    for (uint8_t m : sio.checkMask) {
        if (m != 0)
            return false;
    }
    return true;
}

double msSince(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// 0x41.. are no controller commands, so the simulator echoes them; 0x00
// outside a command is acknowledged with 0xAA.
struct CheckCase {
    const char* name;
    Bytes bytes;
    Bytes mask;
    int wrongAt; // reply altered at this position, -1 for none
    bool silent;
    bool error;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.name;
}

class TSioCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(TSioCheck, ErrorFlagFollowsMaskAndMaskIsResetAfterwards) {
    const CheckCase& c = GetParam();
    Sim sim;
    auto sio = openedSio(sim);
    ASSERT_GT(sio->portHandle, 0);
    sim.setSilent(c.silent);
    if (c.wrongAt >= 0)
        sim.wrongEcho(static_cast<std::size_t>(c.wrongAt));
    load(*sio, c.bytes, c.mask);

    sio->Transact();

    EXPECT_EQ(sio->error, c.error);
    // Every byte goes out, even after a wrong or missing reply.
    EXPECT_EQ(logOnceReceived(sim, c.bytes.size()), c.bytes);
    if (c.silent) {
        EXPECT_EQ(reply(*sio), Bytes(c.bytes.size(), 0));
    }
    EXPECT_TRUE(maskIsZero(*sio));
}

INSTANTIATE_TEST_SUITE_P(
    Masks, TSioCheck,
    testing::Values(
        CheckCase{"EchoesMatch", {0x41, 0x42, 0x43}, {1, 1, 1}, -1, false, false},
        CheckCase{"WrongEcho", {0x41, 0x42, 0x43}, {1, 1, 1}, 1, false, true},
        CheckCase{"WrongReplyUnchecked", {0x41, 0x42, 0x43}, {1, 0, 1}, 1, false, false},
        CheckCase{"OtherMaskValueSkipped", {0x41, 0x42, 0x43}, {1, 7, 1}, 1, false, false},
        CheckCase{"ZeroAtPositionZeroDisablesAll", {0x41, 0x42, 0x43}, {0, 1, 2}, 1, false, false},
        CheckCase{"Acknowledge", {0x00, 0x00}, {2, 2}, -1, false, false},
        CheckCase{"BadAcknowledge", {0x00, 0x00}, {2, 2}, 1, false, true},
        CheckCase{"AcknowledgeIsNoEcho", {0x41, 0x00}, {1, 1}, -1, false, true},
        CheckCase{"SilentEcho", {0x41, 0x42}, {1, 1}, -1, true, true},
        CheckCase{"SilentEchoOfZeroPasses", {0x00, 0x00}, {1, 1}, -1, true, false},
        CheckCase{"SilentAcknowledge", {0x00}, {2}, -1, true, true},
        CheckCase{"SilentUnchecked", {0x41, 0x42}, {0, 1}, -1, true, false}),
    [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST(TSio, ReplyHoldsEveryByteReadPastTheFirstWrongOne) {
    Sim sim;
    auto sio = openedSio(sim);
    sim.wrongEcho(0);
    load(*sio, {0x41, 0x42, 0x43}, {1, 1, 1});
    sio->Transact();
    EXPECT_TRUE(sio->error);
    EXPECT_EQ(reply(*sio), (Bytes{0x41 ^ 0xFF, 0x42, 0x43}));
}

TEST(TSio, SilentLineWaitsOutEachByteWithoutSpinning) {
    Sim sim;
    auto sio = openedSio(sim);
    sim.setSilent(true);
    load(*sio, Bytes(10, 0x00), Bytes(10, 2));
    const double cpu0 = threadCpuMs();
    const auto t0 = std::chrono::steady_clock::now();
    sio->Transact();
    const double wall = msSince(t0);
    const double cpu = threadCpuMs() - cpu0;
    EXPECT_TRUE(sio->error);
    // 11 ms per byte.
    EXPECT_GE(wall, 105.0);
    EXPECT_LT(wall, 600.0);
    EXPECT_LT(cpu, 0.05 * wall) << "cpu " << cpu << " ms of " << wall << " ms";
}

TEST(TSio, ReadTimeoutAndStepSizeAreClampedWhenUsed) {
    Sim sim;
    auto sio = openedSio(sim);
    struct Case {
        int32_t readTimeout;
        uint32_t step;
        int32_t clampedTimeout;
        uint32_t clampedStep;
    };
    for (const Case& c : {Case{0, 0, 10, 1}, Case{-5, 1000, 10, 100}, Case{10000, 3, 5000, 3},
                          Case{40, 1, 40, 1}}) {
        sio->readTimeout = c.readTimeout;
        sio->stepSize = c.step;
        load(*sio, {0x41, 0x42, 0x43, 0x44, 0x45}, {1, 1, 1, 1, 1});
        sio->Transact();
        EXPECT_FALSE(sio->error) << c.readTimeout << "/" << c.step;
        EXPECT_EQ(reply(*sio), (Bytes{0x41, 0x42, 0x43, 0x44, 0x45}));
        EXPECT_EQ(sio->readTimeout, c.clampedTimeout);
        EXPECT_EQ(sio->timeouts.ReadTotalTimeoutConstant, static_cast<uint32_t>(c.clampedTimeout));
        EXPECT_EQ(sio->stepSize, c.clampedStep);
    }
    // The read time-out is what a missing byte costs.
    sim.setSilent(true);
    sio->readTimeout = 60;
    load(*sio, {0x41}, {1});
    const auto t0 = std::chrono::steady_clock::now();
    sio->Transact();
    EXPECT_GE(msSince(t0), 60.0);
}

TEST(TSio, LateReplyIsTakenForTheNextByteAndPurgedAfterwards) {
    Sim sim;
    auto sio = openedSio(sim);
    // 15 ms against an 11 ms window. A busy machine can stretch either side,
    // so the scenario gets three tries; an engine that waits longer per byte,
    // or realigns, never shows the shift.
    const Bytes shifted{0x41, 0x00, 0x42, 0x43};
    Bytes got;
    for (int attempt = 0; attempt < 3 && got != shifted; ++attempt) {
        std::this_thread::sleep_for(30ms);
        sim.delayReply(1, 15ms);
        load(*sio, {0x41, 0x42, 0x43, 0x44}, {});
        sio->Transact();
        EXPECT_FALSE(sio->error);
        got = reply(*sio);
    }
    EXPECT_EQ(got, shifted);

    // The reply to 0x44 is still queued; the next transaction discards it.
    std::this_thread::sleep_for(30ms);
    load(*sio, {0x45}, {1});
    sio->Transact();
    EXPECT_FALSE(sio->error);
    EXPECT_EQ(reply(*sio), Bytes{0x45});
}

TEST(TSio, ClosedPortFailsAtFirstPollAndKeepsItsMask) {
    Sim sim;
    auto sio = openedSio(sim);
    sio->ClosePort();
    EXPECT_EQ(sio->portHandle, -1);
    load(*sio, Bytes(10, 0x41), {1, 2});
    const auto t0 = std::chrono::steady_clock::now();
    sio->Transact();
    EXPECT_LT(msSince(t0), 50.0); // ten byte windows would be 110 ms
    EXPECT_TRUE(sio->error);
    EXPECT_NE(sio->lastError, 0);
    EXPECT_EQ(sio->checkMask[0], 1);
    EXPECT_EQ(sio->checkMask[1], 2);
    EXPECT_TRUE(sim.log().empty());
}

TEST(TSio, NeverOpenedObjectLeavesDescriptorZeroAlone) {
    const bool stdinOpen = fcntl(0, F_GETFD) != -1;
    TSio sio(std::make_unique<PosixSerialLine>());
    EXPECT_EQ(sio.portHandle, 0);
    load(sio, {0x41}, {1});
    sio.Transact();
    EXPECT_TRUE(sio.error);
    EXPECT_EQ(sio.lastError, EBADF);
    sio.ClosePort();
    EXPECT_EQ(sio.portHandle, -1);
    EXPECT_EQ(fcntl(0, F_GETFD) != -1, stdinOpen);
}

TEST(TSio, HungUpDeviceFailsQuickly) {
    Sim sim;
    auto sio = openedSio(sim);
    load(*sio, {0x41}, {1});
    sio->Transact();
    ASSERT_FALSE(sio->error);

    sim.hangUp();
    Bytes frame(1800, 0x07);
    load(*sio, frame, Bytes(1800, 1));
    const auto t0 = std::chrono::steady_clock::now();
    sio->Transact();
    EXPECT_TRUE(sio->error);
    EXPECT_LT(msSince(t0), 100.0);
    EXPECT_NE(sio->lastError, 0);
}

TEST(TSio, OverlongRequestStopsAtTheBufferEnd) {
    Sim sim;
    auto sio = openedSio(sim);
    std::fill(std::begin(sio->sendBuffer), std::end(sio->sendBuffer), 0x41);
    sio->requestLength = 100000;
    sio->Transact();
    EXPECT_EQ(logOnceReceived(sim, TSio::kMaxRequest).size(), TSio::kMaxRequest);
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(sim.log().size(), TSio::kMaxRequest);
}

TEST(TSio, OpenPortOnOpenObjectChangesNothing) {
    Sim sim;
    Sim other;
    auto sio = openedSio(sim);
    const int32_t handle = sio->portHandle;
    ASSERT_GT(handle, 0);
    sio->sendBuffer[3] = 0x77;
    sio->readTimeout = 99;

    sio->OpenPort(other.path().c_str());

    EXPECT_EQ(sio->portHandle, handle);
    EXPECT_EQ(sio->sendBuffer[3], 0x77);
    EXPECT_EQ(sio->readTimeout, 99);
    // The other device was not taken.
    auto second = openedSio(other);
    EXPECT_GT(second->portHandle, 0);
}

TEST(TSio, ReopenAfterClose) {
    Sim sim;
    auto sio = openedSio(sim);
    sio->ClosePort();
    sio->ClosePort();
    EXPECT_EQ(sio->portHandle, -1);
    sio->OpenPort(sim.path().c_str());
    ASSERT_GT(sio->portHandle, 0);
    load(*sio, {0x41}, {1});
    sio->Transact();
    EXPECT_FALSE(sio->error);
}

TEST(PosixSerialLine, OpenFailsForHeldMissingAndNonTtyPorts) {
    Sim sim;
    auto holder = openedSio(sim);
    ASSERT_GT(holder->portHandle, 0);
    char file[] = "/tmp/kestro_not_a_tty_XXXXXX";
    const int fd = mkstemp(file);
    ASSERT_GE(fd, 0);
    close(fd);

    struct Case {
        std::string name;
        int error;
    };
    for (const Case& c : {Case{sim.path(), EBUSY}, Case{"/dev/kestro-no-such-port", ENOENT},
                          Case{file, ENOTTY}, Case{"tty7", ENOENT}}) {
        auto sio = sioOn(c.name);
        EXPECT_EQ(sio->portHandle, -1) << c.name;
        EXPECT_EQ(sio->lastError, c.error) << c.name;
    }
    unlink(file);

    // Released by close, the device opens again.
    holder->ClosePort();
    EXPECT_GT(openedSio(sim)->portHandle, 0);
}

TEST(PosixSerialLine, PortNamesMapToDevices) {
    setenv("KESTRO_COM2", "/dev/pts/77", 1);
    unsetenv("KESTRO_COM1");
    struct Case {
        const char* name;
        const char* path;
    };
    for (const Case& c :
         {Case{"com1", "/dev/ttyS0"}, Case{"COM8", "/dev/ttyS7"}, Case{"Com12", "/dev/ttyS11"},
          Case{"cOm2", "/dev/pts/77"}, Case{"/tmp/port", "/tmp/port"}, Case{"com0", ""},
          Case{"com", ""}, Case{"com1x", ""}, Case{"com-1", ""}, Case{"ttyS0", ""}, Case{"", ""}}) {
        EXPECT_EQ(PosixSerialLine::devicePath(c.name), c.path) << c.name;
    }
    EXPECT_EQ(PosixSerialLine::devicePath(nullptr), "");
}

class LineSettings : public testing::TestWithParam<uint32_t> {};

TEST_P(LineSettings, TransactionAppliesRawEightBitsTwoStopBits) {
    Sim sim;
    auto sio = openedSio(sim, GetParam());
    load(*sio, {0x41}, {1});
    sio->Transact();
    ASSERT_FALSE(sio->error);

    termios t{};
    ASSERT_EQ(tcgetattr(sio->portHandle, &t), 0);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_TRUE(t.c_cflag & CLOCAL);
    EXPECT_TRUE(t.c_cflag & CREAD);
    EXPECT_FALSE(t.c_cflag & (PARENB | CRTSCTS));
    EXPECT_FALSE(t.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP));
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_FALSE(t.c_oflag & OPOST);
    EXPECT_EQ(kestro::linuxserial::baud(sio->portHandle), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Bauds, LineSettings,
                         testing::Values(9600u, 19200u, 38400u, 57600u, 76800u, 115200u));

} // namespace
