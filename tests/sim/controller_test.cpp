#include "sim/controller.h"

#include <gtest/gtest.h>

#include <vector>

using ctrlsim::Controller;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes feed(Controller& c, const Bytes& in) {
    Bytes out;
    for (uint8_t b : in)
        out.push_back(c.receive(b));
    return out;
}

Bytes readSamples(Controller& c) {
    feed(c, {0x06, 0x00}); // the ready query rewinds the read-out
    Bytes in;
    for (int j = 0; j < 600; ++j)
        in.insert(in.end(), {0x07, 0x00, 0x00});
    return feed(c, in);
}

uint16_t sample(const Bytes& readout, int j) {
    return uint16_t(readout[3 * j + 1] << 8 | readout[3 * j + 2]);
}

Bytes triggerFrame(uint16_t timebase, uint16_t flags, uint16_t level, uint16_t variable) {
    return {0x0B,
            uint8_t(timebase >> 8),
            uint8_t(timebase),
            uint8_t(flags),
            uint8_t(flags >> 8),
            uint8_t(level >> 8),
            uint8_t(level),
            0x02,
            uint8_t(variable >> 8),
            uint8_t(variable)};
}

Bytes startFrame(uint16_t a1, uint16_t a2, uint16_t a3) {
    return {0x03, uint8_t(a1 >> 8), uint8_t(a1), 0x04, uint8_t(a2 >> 8), uint8_t(a2),
            0x05, uint8_t(a3 >> 8), uint8_t(a3), 0x00};
}

struct FrameCase {
    const char* name;
    Bytes request;
    Bytes reply;
};

class Frames : public testing::TestWithParam<FrameCase> {};

TEST_P(Frames, RepliesByteForByte) {
    Controller c;
    c.setWord(0x1234, 0xBEEF);
    c.setWord(0xFFFF, 0x0102);
    c.setReg(8, 0x4711);
    c.setAddressTable({0x0100, 0xA5C3, 0x0102});
    const FrameCase& f = GetParam();
    EXPECT_EQ(feed(c, f.request), f.reply);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, Frames,
    testing::Values(
        FrameCase{"Sync", Bytes(10, 0x00), Bytes(10, 0xAA)},
        FrameCase{"StrayBytesEcho", {0x55, 0xFA, 0x09}, {0x55, 0xFA, 0x09}},
        FrameCase{"WordRead", {0x01, 0x12, 0x34, 0x00, 0x00}, {0x01, 0x12, 0x34, 0xBE, 0xEF}},
        FrameCase{"WordReadTopAddress", {0x01, 0xFF, 0xFF, 0, 0}, {0x01, 0xFF, 0xFF, 0x01, 0x02}},
        FrameCase{"PlugCode", {0x12, 0x08, 0x00, 0x00}, {0x12, 0x08, 0x47, 0x11}},
        FrameCase{"OnOffStartsOff", {0x12, 0x07, 0x00, 0x00}, {0x12, 0x07, 0x00, 0x20}},
        FrameCase{"AddressCount", {0x19, 0x03}, {0x19, 0x03}},
        FrameCase{"AddressEntry", {0x18, 0x02, 0x02, 0x02}, {0x18, 0x02, 0xA5, 0xC3}},
        FrameCase{"AddressEntryOutOfRange",
                  {0x18, 0x04, 0x04, 0x04, 0x18, 0, 0, 0},
                  {0x18, 0x04, 0, 0, 0x18, 0, 0, 0}},
        FrameCase{
            "OnOffWriteEchoes", {0x0F, 0xAB, 0xBC, 0xCD, 0x53}, {0x0F, 0xAB, 0xBC, 0xCD, 0x53}},
        FrameCase{"OnOffBadKeyResyncs", {0x0F, 0xAB, 0x00, 0x00}, {0x0F, 0xAB, 0xAA, 0xAA}},
        FrameCase{"WriteBlockEchoes",
                  {0x0C, 0x00, 0x08, 0x11, 0x20, 0x00, 0x12, 0x34, 0x09, 0xFA},
                  {0x0C, 0x00, 0x08, 0x11, 0x20, 0x00, 0x12, 0x34, 0x09, 0xFA}},
        FrameCase{"Rsus", {0x17, 0x03}, {0x17, 0x03}},
        FrameCase{"ReadyWhenIdle", {0x06, 0x00}, {0x06, 0x00}},
        FrameCase{"TriggerEchoes", triggerFrame(0x0102, 0x0101, 0xFFFF, 0x1234),
                  triggerFrame(0x0102, 0x0101, 0xFFFF, 0x1234)},
        // The tenth byte of the start is a plain sync byte.
        FrameCase{"StartEchoes",
                  startFrame(0x1234, 0x0100, 0xFFFF),
                  {0x03, 0x12, 0x34, 0x04, 0x01, 0x00, 0x05, 0xFF, 0xFF, 0xAA}},
        // Data positions of one command never start another.
        FrameCase{"BackToBack",
                  {0x01, 0x12, 0x34, 0x00, 0x00, 0x19, 0x03, 0x01, 0x00, 0x01, 0, 0},
                  {0x01, 0x12, 0x34, 0xBE, 0xEF, 0x19, 0x03, 0x01, 0x00, 0x01, 0x00, 0x00}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ControllerWrites, WriteBlockStoresWordsAtItsEnd) {
    Controller c;
    c.setWord(0x2000, 0x1111);
    feed(c, {0x0C, 0x00, 0x08, 0x11, 0x20, 0x00, 0xAB, 0xCD});
    EXPECT_EQ(c.word(0x2000), 0x1111) << "nothing is stored before the block ends";
    feed(c, {0x08, 0x11, 0x20, 0x02, 0x3F, 0x80, 0x09, 0xFA});
    EXPECT_EQ(c.word(0x2000), 0xABCD);
    EXPECT_EQ(c.word(0x2002), 0x3F80);

    // Float as two records, low half first.
    feed(c, {0x0C, 0x00, 0x08, 0x11, 0x30, 0x00, 0x00, 0x00, 0x08, 0x11, 0x30, 0x02, 0x3F, 0x80,
             0x09, 0xFA});
    EXPECT_FLOAT_EQ(c.floatAt(0x3000), 1.0f);
}

TEST(ControllerWrites, BrokenBlockIsDiscarded) {
    Controller c;
    // The end marker is wrong: the 0x00 in its place is taken as sync.
    EXPECT_EQ(feed(c, {0x0C, 0x00, 0x08, 0x11, 0x20, 0x00, 0x12, 0x34, 0x09, 0x00}).back(), 0xAA);
    EXPECT_EQ(c.word(0x2000), 0);
    // A block cut off in the middle is dropped once the line stays quiet.
    feed(c, {0x0C, 0x00, 0x08, 0x11, 0x20});
    c.advance(Controller::kCommandTimeoutMs);
    EXPECT_EQ(c.receive(0x00), 0xAA);
    feed(c, {0x00, 0x12, 0x34, 0x09, 0xFA});
    EXPECT_EQ(c.word(0x2000), 0);
}

TEST(ControllerWrites, OnOffSwitchesBitFive) {
    Controller c;
    c.setReg(7, 0x1F20);
    feed(c, {0x0F, 0xAB, 0xBC, 0xCD, 'S'});
    EXPECT_EQ(c.reg(7), 0x1F00);
    feed(c, {0x0F, 0xAB, 0xBC, 0xCD, 'x'});
    EXPECT_EQ(c.reg(7), 0x1F00) << "another letter changes nothing";
    feed(c, {0x0F, 0xAB, 0xBC, 0xCD, '5'});
    EXPECT_EQ(c.reg(7), 0x1F20);
}

TEST(ControllerRecorder, AutomaticRecordingSamplesAtTheTimeBase) {
    Controller c;
    c.addGenerator(0x0100, Controller::Wave::Counter, 0, 1); // counts milliseconds
    c.setWord(0x0200, 0x8001);
    c.setWord(0x0300, 0x0007);
    c.advance(10);
    feed(c, triggerFrame(2, 0x0000, 0, 0));
    feed(c, startFrame(0x0100, 0x0200, 0x0300));
    EXPECT_EQ(c.trigger().timebase, 2);
    EXPECT_EQ(c.channels(), (std::array<uint16_t, 3>{0x0100, 0x0200, 0x0300}));

    c.advance(398);
    EXPECT_EQ(feed(c, {0x06, 0x00})[1], Controller::kNotReady);
    c.advance(1);
    EXPECT_EQ(feed(c, {0x06, 0x00})[1], Controller::kReady);

    Bytes out = readSamples(c);
    for (int j = 0; j < 200; ++j) {
        EXPECT_EQ(out[3 * j], 0x07);
        ASSERT_EQ(sample(out, j), 11 + 2 * j) << "sample " << j;
        ASSERT_EQ(sample(out, 200 + j), 0x8001);
        ASSERT_EQ(sample(out, 400 + j), 0x0007);
    }
    EXPECT_EQ(readSamples(c), out) << "a second read-out repeats the first";

    // The next trigger command ends the finished recording.
    feed(c, triggerFrame(2, 0x0000, 0, 0));
    EXPECT_EQ(feed(c, {0x06, 0x00})[1], Controller::kNotReady);
}

struct TriggerCase {
    const char* name;
    uint16_t flags;
    uint16_t level;
    int16_t before;
    int16_t after;
    bool fires;
};

class ManualTrigger : public testing::TestWithParam<TriggerCase> {};

TEST_P(ManualTrigger, StartsOnTheEdgeOnly) {
    const TriggerCase& t = GetParam();
    Controller c;
    c.setWord(0x0400, uint16_t(t.before));
    feed(c, triggerFrame(1, t.flags, t.level, 0x0400));
    feed(c, startFrame(0x0400, 0x0400, 0x0400));
    c.advance(500);
    EXPECT_EQ(feed(c, {0x06, 0x00})[1], Controller::kNotReady) << "no edge yet";
    c.setWord(0x0400, uint16_t(t.after));
    c.advance(200);
    EXPECT_EQ(feed(c, {0x06, 0x00})[1], t.fires ? Controller::kReady : Controller::kNotReady);
    if (t.fires) {
        EXPECT_EQ(sample(readSamples(c), 0), uint16_t(t.after));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ManualTrigger,
    testing::Values(TriggerCase{"RisingThrough", 0x0001, 100, 50, 150, true},
                    TriggerCase{"RisingOntoLevel", 0x0001, 100, 99, 100, true},
                    TriggerCase{"RisingIgnoresFall", 0x0001, 100, 150, 50, false},
                    TriggerCase{"FallingThrough", 0x0101, 100, 150, 50, true},
                    TriggerCase{"FallingIgnoresRise", 0x0101, 100, 50, 150, false},
                    // Levels and values compare as signed words.
                    TriggerCase{"NegativeLevel", 0x0001, 0xFFFF, -5, 0, true},
                    TriggerCase{"SignedNotUnsigned", 0x0001, 0x0010, 5, -1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ControllerRecorder, TriggerFlagsComeLowByteFirst) {
    Controller c;
    feed(c, triggerFrame(300, 0x0100, 0x04D2, 0xABCD));
    EXPECT_EQ(c.trigger().timebase, 300);
    EXPECT_EQ(c.trigger().flags, 0x0100);
    EXPECT_EQ(c.trigger().level, 0x04D2);
    EXPECT_EQ(c.trigger().variable, 0xABCD);
}

struct WaveCase {
    Controller::Wave wave;
    double amplitude, periodMs, offset, atMs;
    int16_t expected;
};

TEST(ControllerGenerators, WavesMoveWithTheClock) {
    const WaveCase cases[] = {
        {Controller::Wave::Sine, 1000, 100, 0, 25, 1000},
        {Controller::Wave::Sine, 1000, 100, 0, 75, -1000},
        {Controller::Wave::Sine, 50, 100, 5400, 0, 5400},
        {Controller::Wave::Ramp, 100, 10, 0, 5, 50},
        {Controller::Wave::Ramp, 100, 10, -20, 10, -20},
        {Controller::Wave::Counter, 4, 10, 0, 35, 3},
        {Controller::Wave::Counter, 4, 10, 0, 45, 0},
        {Controller::Wave::Counter, 0, 1, 0, 70000, int16_t(70000 % 65536)},
    };
    for (const WaveCase& w : cases) {
        Controller c;
        c.addGenerator(0x0010, w.wave, w.amplitude, w.periodMs, w.offset);
        c.advance(w.atMs);
        EXPECT_EQ(int16_t(c.word(0x0010)), w.expected)
            << "wave " << int(w.wave) << " at " << w.atMs << " ms";
    }
}

} // namespace
