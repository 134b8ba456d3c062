// The port table through libkestro.so. Each test runs in a process of its
// own, so each starts with eight empty slots.

#include "comm/kestro.h"
#include "sim/ptysim.h"
#include "simready.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <termios.h>
#include <vector>

namespace {

constexpr char kMissing[] = "/dev/kestro-no-such-port";

// A simulator whose thread is already serving.
struct Sim : ctrlsim::PtySimulator {
    Sim() { EXPECT_TRUE(waitUntilServing(*this)); }
};

bool answers(int32_t handle) {
    return kestro_synchronisation(handle) == KESTRO_OK;
}

TEST(KestroPortTable, NinthInitFindsNoSlot) {
    std::vector<std::unique_ptr<Sim>> sims;
    for (int i = 0; i < 9; ++i)
        sims.push_back(std::make_unique<Sim>());
    std::set<int32_t> handles;
    for (int i = 0; i < 8; ++i) {
        const int32_t h = kestro_init(sims[i]->path().c_str(), 115200);
        ASSERT_GT(h, 0) << i;
        handles.insert(h);
    }
    EXPECT_EQ(handles.size(), 8u);
    EXPECT_EQ(kestro_init(sims[8]->path().c_str(), 115200), KESTRO_NO_SLOT);
    EXPECT_EQ(kestro_init_rsus(sims[8]->path().c_str()), KESTRO_NO_SLOT);
    // Closing frees no slot.
    EXPECT_EQ(kestro_close(*handles.begin()), KESTRO_OK);
    EXPECT_EQ(kestro_init(sims[8]->path().c_str(), 115200), KESTRO_NO_SLOT);
}

TEST(KestroPortTable, FailedOpensUseUpSlots) {
    Sim sim, spare;
    const int32_t h = kestro_init(sim.path().c_str(), 115200);
    ASSERT_GT(h, 0);
    // Held by slot 1: exclusive, even within the library.
    EXPECT_EQ(kestro_init(sim.path().c_str(), 115200), KESTRO_OPEN_FAILED);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(kestro_init(kMissing, 115200), KESTRO_OPEN_FAILED);
    EXPECT_EQ(kestro_init(spare.path().c_str(), 115200), KESTRO_NO_SLOT);
    EXPECT_TRUE(answers(h));
}

TEST(KestroPortTable, CloseTwiceAndTheOldHandle) {
    Sim sim;
    const int32_t h = kestro_init(sim.path().c_str(), 115200);
    ASSERT_GT(h, 0);
    EXPECT_EQ(kestro_close(h), KESTRO_OK);
    EXPECT_EQ(kestro_close(h), KESTRO_CLOSE_FAILED);
    sim.clearLog();
    int32_t value = 77;
    EXPECT_EQ(kestro_int_read(h, 0x10, &value), KESTRO_NO_PORT);
    EXPECT_EQ(value, 77);
    EXPECT_TRUE(sim.log().empty());
}

TEST(KestroPortTable, HandleMinusOneReachesAClosedPortObject) {
    Sim sim;
    EXPECT_EQ(kestro_synchronisation(-1), KESTRO_NO_PORT);
    const int32_t h = kestro_init(sim.path().c_str(), 115200);
    ASSERT_GT(h, 0);
    ASSERT_EQ(kestro_close(h), KESTRO_OK);
    sim.clearLog();
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(kestro_synchronisation(-1), KESTRO_TRANSACTION);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(20));
    EXPECT_TRUE(sim.log().empty());
    // The failed object can be closed again by that same -1.
    EXPECT_EQ(kestro_close(-1), KESTRO_OK);
}

TEST(KestroPortTable, OpenWorksOnSlotOne) {
    Sim a, b, c;
    EXPECT_EQ(kestro_open(a.path().c_str(), 115200), KESTRO_NO_PORT);

    const int32_t h1 = kestro_init(a.path().c_str(), 115200);
    ASSERT_GT(h1, 0);
    ASSERT_EQ(kestro_close(h1), KESTRO_OK);
    const int32_t h2 = kestro_init(b.path().c_str(), 115200);
    ASSERT_GT(h2, 0);

    const int32_t h3 = kestro_open(c.path().c_str(), 9600);
    ASSERT_GT(h3, 0);
    EXPECT_NE(h3, h2);
    a.clearLog();
    b.clearLog();
    c.clearLog();
    EXPECT_TRUE(answers(h3));
    EXPECT_TRUE(answers(h2));
    EXPECT_EQ(c.log().size(), 10u);
    EXPECT_EQ(b.log().size(), 10u);
    EXPECT_TRUE(a.log().empty());

    // On an open slot 1 it returns the handle unchanged and opens nothing.
    EXPECT_EQ(kestro_open(a.path().c_str(), 19200), h3);
    EXPECT_EQ(kestro_open(kMissing, 19200), h3);
    // The new baud rate takes effect with the next transaction. The handle is
    // the descriptor, so the line's settings can be read back.
    kestro_synchronisation(h3);
    termios t{};
    ASSERT_EQ(tcgetattr(h3, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B19200));
    const int32_t h4 = kestro_init(a.path().c_str(), 115200);
    EXPECT_GT(h4, 0);
}

TEST(KestroPortTable, OpenOfAMissingPortFails) {
    Sim sim;
    const int32_t h = kestro_init(sim.path().c_str(), 115200);
    ASSERT_GT(h, 0);
    ASSERT_EQ(kestro_close(h), KESTRO_OK);
    EXPECT_EQ(kestro_open(kMissing, 115200), KESTRO_OPEN_FAILED);
    const int32_t reopened = kestro_open(sim.path().c_str(), 115200);
    EXPECT_GT(reopened, 0);
    EXPECT_EQ(kestro_open(kMissing, 115200), reopened);
}

TEST(KestroPortTable, InitOnMissingOrNonTtyPortFails) {
    EXPECT_EQ(kestro_init(kMissing, 115200), KESTRO_OPEN_FAILED);
    EXPECT_EQ(kestro_init("/dev/null", 115200), KESTRO_OPEN_FAILED);
    EXPECT_EQ(kestro_init(nullptr, 115200), KESTRO_OPEN_FAILED);
}

TEST(KestroPortTable, ComNameFollowsTheEnvironment) {
    Sim sim;
    setenv("KESTRO_COM3", sim.path().c_str(), 1);
    const int32_t h = kestro_init("CoM3", 115200);
    ASSERT_GT(h, 0);
    EXPECT_TRUE(answers(h));
    EXPECT_EQ(sim.log(), std::vector<uint8_t>(10, 0x00));
}

TEST(KestroPortTable, RsusCommandsUseTheRsusPort) {
    Sim sim, other;
    EXPECT_EQ(kestro_rsus_start(), KESTRO_NO_PORT);
    EXPECT_EQ(kestro_rsus_stop(), KESTRO_NO_PORT);
    ASSERT_GT(kestro_init(other.path().c_str(), 115200), 0);
    EXPECT_EQ(kestro_rsus_start(), KESTRO_NO_PORT);

    const int32_t h = kestro_init_rsus(sim.path().c_str());
    ASSERT_GT(h, 0);
    // A failed init_rsus keeps the earlier rsus port.
    EXPECT_EQ(kestro_init_rsus(kMissing), KESTRO_OPEN_FAILED);
    sim.clearLog();
    EXPECT_EQ(kestro_rsus_start(), KESTRO_OK);
    EXPECT_EQ(kestro_rsus_stop(), KESTRO_OK);
    EXPECT_EQ(sim.log(), (std::vector<uint8_t>{0x17, 0x03, 0x17, 0x03}));
    EXPECT_TRUE(other.log().empty());

    sim.wrongEcho(0);
    EXPECT_EQ(kestro_rsus_start(), KESTRO_TRANSACTION);
    sim.wrongEcho(1);
    EXPECT_EQ(kestro_rsus_stop(), KESTRO_OK);

    ASSERT_EQ(kestro_close(h), KESTRO_OK);
    EXPECT_EQ(kestro_rsus_start(), KESTRO_NO_PORT);
}

TEST(KestroPortTable, VersionWithoutAnyPort) {
    EXPECT_STREQ(kestro_version(), "Version: 1.10");
}

} // namespace
