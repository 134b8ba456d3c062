// Every device command through libkestro.so against the simulator: the exact
// frame on the line, which positions are checked, the decoding, and what
// each leaves in its outputs (written with exactly their width).

#include "comm/kestro.h"
#include "sim/ptysim.h"
#include "simready.h"

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

using Bytes = std::vector<uint8_t>;

// Output storage with guard bytes on both sides of the variable.
struct Out {
    static constexpr std::size_t kGuard = 8;
    static constexpr uint8_t kPattern = 0xA5;
    alignas(8) uint8_t bytes[kGuard + 8 + kGuard];
    Out() { std::memset(bytes, kPattern, sizeof bytes); }
    template <typename T> T* as() { return reinterpret_cast<T*>(bytes + kGuard); }
    // The width bytes of the variable, as an unsigned little-endian number.
    uint32_t value(std::size_t width) const {
        uint32_t v = 0;
        for (std::size_t i = 0; i < width; ++i)
            v |= static_cast<uint32_t>(bytes[kGuard + i]) << (8 * i);
        return v;
    }
    bool untouched() const {
        for (uint8_t b : bytes) {
            if (b != kPattern)
                return false;
        }
        return true;
    }
    // Nothing written outside the variable's width.
    bool onlyWidth(std::size_t width) const {
        for (std::size_t i = 0; i < sizeof bytes; ++i) {
            if ((i < kGuard || i >= kGuard + width) && bytes[i] != kPattern)
                return false;
        }
        return true;
    }
};

using Call = std::function<int32_t(int32_t handle, Out& out)>;

struct Command {
    const char* name;
    Call call;
    Bytes frame;
    const char* checks; // E echo, A acknowledge, - none
    std::size_t width;  // of the output, 0 for none
};

void PrintTo(const Command& c, std::ostream* os) {
    *os << c.name;
}

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        {"int_read",
         [](int32_t h, Out& o) { return kestro_int_read(h, 0x1234, o.as<int32_t>()); },
         {0x01, 0x12, 0x34, 0x00, 0x00},
         "EEE--",
         4},
        {"float_read",
         [](int32_t h, Out& o) { return kestro_float_read(h, 0xFFFF, o.as<float>()); },
         {0x01, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00},
         "EEE--EEE--",
         4},
        {"int_write",
         [](int32_t h, Out&) { return kestro_int_write(h, 0x0102, 0x12345); },
         {0x0C, 0x00, 0x08, 0x11, 0x01, 0x02, 0x23, 0x45, 0x09, 0xFA},
         "E-EEEEEEE-",
         0},
        {"float_write",
         [](int32_t h, Out&) { return kestro_float_write(h, 0x0200, 1.0f); },
         {0x0C, 0x00, 0x08, 0x11, 0x02, 0x00, 0x00, 0x00, 0x08, 0x11, 0x02, 0x02, 0x3F, 0x80, 0x09,
          0xFA},
         "E-EEEEEEEEEEEEE-",
         0},
        {"synchronisation", [](int32_t h, Out&) { return kestro_synchronisation(h); },
         Bytes(10, 0x00), "AAAAAAAAAA", 0},
        {"steckercode_read",
         [](int32_t h, Out& o) { return kestro_steckercode_read(h, o.as<uint16_t>()); },
         {0x12, 0x08, 0x00, 0x00},
         "EE--",
         2},
        {"adress_length_read",
         [](int32_t h, Out& o) { return kestro_adress_length_read(h, o.as<uint8_t>()); },
         {0x19, 0x03},
         "E-",
         1},
        {"adresse_read",
         [](int32_t h, Out& o) { return kestro_adresse_read(h, 5, o.as<uint16_t>()); },
         {0x18, 0x05, 0x05, 0x05},
         "EE--",
         2},
        {"on_off_read",
         [](int32_t h, Out& o) { return kestro_on_off_read(h, o.as<uint16_t>()); },
         {0x12, 0x07, 0x00, 0x00},
         "EE--",
         2},
        {"on_off_write_on",
         [](int32_t h, Out&) { return kestro_on_off_write(h, 1); },
         {0x0F, 0xAB, 0xBC, 0xCD, 0x53},
         "EEEEE",
         0},
        {"on_off_write_2_is_off",
         [](int32_t h, Out&) { return kestro_on_off_write(h, 2); },
         {0x0F, 0xAB, 0xBC, 0xCD, 0x35},
         "EEEEE",
         0},
        {"trigger_manual_falling",
         [](int32_t h, Out&) { return kestro_trigger(h, 0xA1B2, 0x0304, -1, 0x0101); },
         {0x0B, 0x03, 0x04, 0x01, 0x01, 0xFF, 0xFF, 0x02, 0xA1, 0xB2},
         "EEEEEEEEEE",
         0},
        {"trigger_falling_level",
         [](int32_t h, Out&) { return kestro_trigger(h, 0x0010, 0x0001, 0x12345, 0x0100); },
         {0x0B, 0x00, 0x01, 0x00, 0x01, 0x23, 0x45, 0x02, 0x00, 0x10},
         "EEEEEEEEEE",
         0},
        {"graphik_start",
         [](int32_t h, Out&) { return kestro_graphik_start(h, 0x1122, 0x3344, 0x5566); },
         {0x03, 0x11, 0x22, 0x04, 0x33, 0x44, 0x05, 0x55, 0x66, 0x00},
         "EEEEEEEEE-",
         0},
        {"graphik_bereit",
         [](int32_t h, Out& o) { return kestro_graphik_bereit(h, o.as<uint8_t>()); },
         {0x06, 0x00},
         "E-",
         1},
    };
    return all;
}

class Kestro : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(waitUntilServing(sim));
        handle = kestro_init(sim.path().c_str(), 115200);
        ASSERT_GT(handle, 0);
        // Past the first exchange, the one a busy machine most often delays.
        for (int i = 0; i < 5 && kestro_synchronisation(handle) != KESTRO_OK; ++i) {
        }
        sim.clearLog();
    }
    ctrlsim::PtySimulator sim;
    int32_t handle = 0;
};

class KestroCommand : public Kestro, public testing::WithParamInterface<Command> {};

TEST_P(KestroCommand, SendsItsFrameAndChecksExactlyTheMarkedPositions) {
    const Command& c = GetParam();
    Out out;
    sim.clearLog();
    EXPECT_EQ(c.call(handle, out), KESTRO_OK);
    EXPECT_EQ(sim.log(), c.frame);
    EXPECT_TRUE(out.onlyWidth(c.width));

    const std::string checks = c.checks;
    ASSERT_EQ(checks.size(), c.frame.size());
    for (std::size_t k = 0; k < checks.size(); ++k) {
        sim.wrongEcho(k);
        Out o;
        const int32_t expected = checks[k] == '-' ? KESTRO_OK : KESTRO_TRANSACTION;
        EXPECT_EQ(c.call(handle, o), expected) << "reply " << k << " altered";
        EXPECT_TRUE(o.onlyWidth(c.width));
    }
}

TEST_P(KestroCommand, UnknownHandleSendsNothingAndLeavesOutputAlone) {
    const Command& c = GetParam();
    Out out;
    sim.clearLog();
    EXPECT_EQ(c.call(handle + 1000, out), KESTRO_NO_PORT);
    EXPECT_TRUE(out.untouched());
    EXPECT_TRUE(sim.log().empty());
}

INSTANTIATE_TEST_SUITE_P(Frames, KestroCommand, testing::ValuesIn(commands()),
                         [](const testing::TestParamInfo<Command>& info) {
                             return std::string(info.param.name);
                         });

// What a failed transaction leaves in the output: a wrong first echo and a
// silent line.
struct FailureCase {
    const char* command;
    bool silent;
    int64_t left; // what the output then holds; -1: untouched
};

void PrintTo(const FailureCase& f, std::ostream* os) {
    *os << f.command;
}

class KestroFailure : public Kestro, public testing::WithParamInterface<FailureCase> {};

TEST_P(KestroFailure, OutputAfterFailure) {
    const FailureCase& f = GetParam();
    const Command* c = nullptr;
    for (const Command& each : commands()) {
        if (std::string(each.name) == f.command)
            c = &each;
    }
    ASSERT_NE(c, nullptr);
    if (f.silent)
        sim.setSilent(true);
    else
        sim.wrongEcho(0);
    Out out;
    EXPECT_EQ(c->call(handle, out), KESTRO_TRANSACTION);
    if (f.left < 0) {
        EXPECT_TRUE(out.untouched());
    } else {
        EXPECT_TRUE(out.onlyWidth(c->width));
        EXPECT_EQ(out.value(c->width), static_cast<uint32_t>(f.left));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, KestroFailure,
    testing::Values(FailureCase{"int_read", false, -1}, FailureCase{"int_read", true, -1},
                    FailureCase{"float_read", false, 0}, FailureCase{"float_read", true, 0},
                    FailureCase{"steckercode_read", false, -1},
                    FailureCase{"adress_length_read", false, 0x19 ^ 0xFF},
                    FailureCase{"adress_length_read", true, 0},
                    FailureCase{"adresse_read", false, -1}, FailureCase{"on_off_read", true, -1},
                    FailureCase{"graphik_bereit", true, -1},
                    FailureCase{"synchronisation", true, -1}, FailureCase{"int_write", true, -1}),
    [](const testing::TestParamInfo<FailureCase>& info) {
        return std::string(info.param.command) + (info.param.silent ? "_silent" : "_wrong_echo");
    });

// Decoding: what the controller holds against what the output receives.
struct DecodeCase {
    const char* name;
    std::function<void(ctrlsim::Controller&)> setup;
    std::function<int32_t(int32_t, Out&)> call;
    std::size_t width;
    uint32_t expected;
};

void PrintTo(const DecodeCase& d, std::ostream* os) {
    *os << d.name;
}

class KestroDecode : public Kestro, public testing::WithParamInterface<DecodeCase> {};

TEST_P(KestroDecode, OutputHoldsTheDecodedValue) {
    const DecodeCase& d = GetParam();
    sim.withController(d.setup);
    Out out;
    ASSERT_EQ(d.call(handle, out), KESTRO_OK);
    EXPECT_TRUE(out.onlyWidth(d.width));
    EXPECT_EQ(out.value(d.width), d.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, KestroDecode,
    testing::Values(
        DecodeCase{"WordIsUnsigned", [](ctrlsim::Controller& c) { c.setWord(0x4000, 0xFFFE); },
                   [](int32_t h, Out& o) { return kestro_int_read(h, 0x4000, o.as<int32_t>()); }, 4,
                   65534},
        DecodeCase{"FloatHalves", [](ctrlsim::Controller& c) { c.setFloat(0x0100, -2.75f); },
                   [](int32_t h, Out& o) { return kestro_float_read(h, 0x0100, o.as<float>()); }, 4,
                   std::bit_cast<uint32_t>(-2.75f)},
        DecodeCase{"FloatHighHalfWrapsToOne",
                   [](ctrlsim::Controller& c) {
                       c.setWord(0xFFFF, 0x5678);
                       c.setWord(0x0001, 0x1234);
                   },
                   [](int32_t h, Out& o) { return kestro_float_read(h, 0xFFFF, o.as<float>()); }, 4,
                   0x12345678},
        DecodeCase{"PlugCode", [](ctrlsim::Controller& c) { c.setReg(8, 0xBEEF); },
                   [](int32_t h, Out& o) { return kestro_steckercode_read(h, o.as<uint16_t>()); },
                   2, 0xBEEF},
        DecodeCase{"AddressCount",
                   [](ctrlsim::Controller& c) {
                       c.setAddressTable({0x100, 0x200, 0x300});
                   },
                   [](int32_t h, Out& o) { return kestro_adress_length_read(h, o.as<uint8_t>()); },
                   1, 3},
        DecodeCase{"AddressEntryCountsFromOne",
                   [](ctrlsim::Controller& c) {
                       c.setAddressTable({0x100, 0xF234, 0x300});
                   },
                   [](int32_t h, Out& o) { return kestro_adresse_read(h, 2, o.as<uint16_t>()); }, 2,
                   0xF234},
        DecodeCase{"OnWhenBit5Clear", [](ctrlsim::Controller& c) { c.setReg(7, 0xFFDF); },
                   [](int32_t h, Out& o) { return kestro_on_off_read(h, o.as<uint16_t>()); }, 2, 1},
        DecodeCase{"OffWhenBit5Set", [](ctrlsim::Controller& c) { c.setReg(7, 0x0020); },
                   [](int32_t h, Out& o) { return kestro_on_off_read(h, o.as<uint16_t>()); }, 2, 0},
        DecodeCase{"ReadyByteNotReady", [](ctrlsim::Controller&) {},
                   [](int32_t h, Out& o) { return kestro_graphik_bereit(h, o.as<uint8_t>()); }, 1,
                   0x00}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

TEST_F(Kestro, WritesReachTheController) {
    EXPECT_EQ(kestro_int_write(handle, 0x0300, 0x7FFFABCD), KESTRO_OK);
    EXPECT_EQ(kestro_float_write(handle, 0xFFFF, 3.5f), KESTRO_OK);
    EXPECT_EQ(kestro_on_off_write(handle, 1), KESTRO_OK);
    sim.withController([](ctrlsim::Controller& c) {
        EXPECT_EQ(c.word(0x0300), 0xABCD);
        EXPECT_EQ(c.floatAt(0xFFFF), 3.5f);
        EXPECT_EQ(c.word(0x0001), std::bit_cast<uint32_t>(3.5f) >> 16);
        EXPECT_EQ(c.reg(7) & 0x20, 0);
    });
    EXPECT_EQ(kestro_on_off_write(handle, 0), KESTRO_OK);
    sim.withController([](ctrlsim::Controller& c) { EXPECT_EQ(c.reg(7) & 0x20, 0x20); });
}

TEST_F(Kestro, NullOutputsAreSkipped) {
    EXPECT_EQ(kestro_int_read(handle, 0x10, nullptr), KESTRO_OK);
    EXPECT_EQ(kestro_float_read(handle, 0x10, nullptr), KESTRO_OK);
    EXPECT_EQ(kestro_steckercode_read(handle, nullptr), KESTRO_OK);
    EXPECT_EQ(kestro_adress_length_read(handle, nullptr), KESTRO_OK);
    EXPECT_EQ(kestro_adresse_read(handle, 1, nullptr), KESTRO_OK);
    EXPECT_EQ(kestro_on_off_read(handle, nullptr), KESTRO_OK);
    EXPECT_EQ(kestro_graphik_bereit(handle, nullptr), KESTRO_OK);
    // Only a read-out that succeeds writes its arrays; 1800 exchanges get three
    // tries against a busy machine.
    uint16_t ch2[200] = {};
    int32_t result = KESTRO_TRANSACTION;
    for (int attempt = 0; attempt < 3 && result != KESTRO_OK; ++attempt)
        result = kestro_graphik_read(handle, nullptr, ch2, nullptr);
    EXPECT_EQ(result, KESTRO_OK);
}

TEST_F(Kestro, MissingDataBytesReadAsZero) {
    sim.withController([](ctrlsim::Controller& c) { c.setWord(0x0040, 0xFFFF); });
    sim.dropReply(3);
    sim.dropReply(4);
    Out out;
    EXPECT_EQ(kestro_int_read(handle, 0x0040, out.as<int32_t>()), KESTRO_OK);
    EXPECT_EQ(out.value(4), 0u);
}

TEST_F(Kestro, LateDataByteIsTakenForTheNextOne) {
    sim.withController([](ctrlsim::Controller& c) { c.setWord(0x0040, 0x1234); });
    // Three tries, as the late reply races an 11 ms window on a busy machine.
    Out out;
    int32_t result = KESTRO_TRANSACTION;
    for (int attempt = 0; attempt < 3 && (result != KESTRO_OK || out.value(4) != 0x0012u);
         ++attempt) {
        std::this_thread::sleep_for(30ms);
        sim.delayReply(3, 15ms);
        result = kestro_int_read(handle, 0x0040, out.as<int32_t>());
    }
    EXPECT_EQ(result, KESTRO_OK);
    EXPECT_EQ(out.value(4), 0x0012u);
    // What was left over does not disturb the next read.
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(kestro_int_read(handle, 0x0040, out.as<int32_t>()), KESTRO_OK);
    EXPECT_EQ(out.value(4), 0x1234u);
}

TEST_F(Kestro, GraphikStartSendsZeroLastWhateverCameBefore) {
    // A longer request first leaves 0xFA at position 9 of the send buffer.
    ASSERT_EQ(kestro_int_write(handle, 0x0102, 0x0304), KESTRO_OK);
    sim.clearLog();
    ASSERT_EQ(kestro_graphik_start(handle, 1, 2, 3), KESTRO_OK);
    EXPECT_EQ(sim.log().back(), 0x00);
}

TEST_F(Kestro, RecordingIsReadOutByChannel) {
    constexpr uint16_t kCounter = 0x0500;
    sim.withController([](ctrlsim::Controller& c) {
        c.addGenerator(kCounter, ctrlsim::Controller::Wave::Counter, 0, 1);
        c.setWord(0x0600, 0x2222);
        c.setWord(0x0700, 0xF333);
    });
    // Automatic trigger, one sample per millisecond: done after 200 ms.
    ASSERT_EQ(kestro_trigger(handle, kCounter, 1, 0, 0x0000), KESTRO_OK);
    ASSERT_EQ(kestro_graphik_start(handle, kCounter, 0x0600, 0x0700), KESTRO_OK);
    // Polled as the graphic window does; one query lost to a busy machine
    // is simply asked again.
    uint8_t ready = 0;
    for (int i = 0; i < 200 && ready != 0xFD; ++i) {
        std::this_thread::sleep_for(10ms);
        (void)kestro_graphik_bereit(handle, &ready);
    }
    ASSERT_EQ(ready, 0xFD);

    // Three arrays with a guard word on each side.
    constexpr uint16_t kGuard = 0xA5A5;
    std::vector<uint16_t> mem(3 * 202, kGuard);
    uint16_t* ch[3] = {&mem[1], &mem[203], &mem[405]};
    // A read-out is 1800 exchanges in a row; should a busy machine delay one
    // of them, the ready query rewinds the recording and it is read again.
    int32_t result = KESTRO_TRANSACTION;
    for (int attempt = 0; attempt < 3 && result != KESTRO_OK; ++attempt) {
        (void)kestro_graphik_bereit(handle, &ready);
        sim.clearLog();
        result = kestro_graphik_read(handle, ch[0], ch[1], ch[2]);
    }
    ASSERT_EQ(result, KESTRO_OK);

    Bytes frame;
    for (int j = 0; j < 600; ++j)
        frame.insert(frame.end(), {0x07, 0x00, 0x00});
    EXPECT_EQ(sim.log(), frame);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(ch[k][-1], kGuard);
        EXPECT_EQ(ch[k][200], kGuard);
    }
    for (int j = 1; j < 200; ++j)
        EXPECT_EQ(static_cast<uint16_t>(ch[0][j] - ch[0][j - 1]), 1) << j;
    for (int j = 0; j < 200; ++j) {
        EXPECT_EQ(ch[1][j], 0x2222);
        EXPECT_EQ(ch[2][j], 0xF333);
    }

    // A read-out that fails leaves the arrays as they were.
    std::vector<uint16_t> before = mem;
    sim.wrongEcho(1797);
    EXPECT_EQ(kestro_graphik_read(handle, ch[0], ch[1], ch[2]), KESTRO_TRANSACTION);
    EXPECT_EQ(mem, before);
}

TEST_F(Kestro, HungUpDeviceFailsTheReadOutQuickly) {
    ASSERT_EQ(kestro_synchronisation(handle), KESTRO_OK);
    sim.hangUp();
    uint16_t a[200], b[200], c[200];
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(kestro_graphik_read(handle, a, b, c), KESTRO_TRANSACTION);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 200ms);
    EXPECT_EQ(kestro_synchronisation(handle), KESTRO_TRANSACTION);
}

} // namespace
