#include "controller.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

// Commands, first byte and what follows (E echoed, D data reply):
//   0x01 ah al 0 0                     word read: E E E D D
//   0x12 reg 0 0                       register read: E E D D
//   0x0F AB BC CD 'S'|'5'              switch on/off: all E
//   0x0C 00 {08 11 ah al dh dl}* 09 FA write block: all E; the words are
//                                      stored together at FA, so the two
//                                      halves of a float change at once
//   0x17 x                             rsus: E E
//   0x19 03                            address count: E D
//   0x18 i x x                         address table entry i (from 1): E E D D
//   0x0B tb tb fl fh lh ll 02 vh vl    trigger settings: all E
//   0x03|0x04|0x05 ah al               channel 1|2|3 address: all E;
//                                      channel 3 arms the recorder
//   0x06 x                             ready byte: E D
//   0x07 x x                           next sample: E D D
// A fixed byte that does not fit its frame ends the command, and the byte
// is taken as the start of a new one, so a sync run of 0x00 always gets
// the parser back in step.
//
// Recorder. The controller runs one cycle per millisecond; the time base is
// the sample period in cycles (0 counts as 1), so a recording lasts
// 200 x time base ms. Arming (channel 3 address) clears the samples. In
// automatic mode (flags bit 0 clear) sampling starts with the next cycle;
// in manual mode it starts in the first cycle in which the trigger variable
// crosses the level: rising edge previous < level <= current, falling edge
// (bit 8) previous > level >= current, both as signed 16-bit values. A
// sample of each channel is taken in the trigger cycle and then every
// time-base cycles; after 200 the ready byte turns 0xFD. The trigger command
// disarms. The read-out pointer returns to sample 0 at every ready query and
// wraps after 600, so a repeated read-out gives the same data again.

namespace ctrlsim {

namespace {

constexpr uint8_t kAck = 0xAA;

bool isCommand(uint8_t byte) {
    switch (byte) {
    case 0x01:
    case 0x03:
    case 0x04:
    case 0x05:
    case 0x06:
    case 0x07:
    case 0x0B:
    case 0x0C:
    case 0x0F:
    case 0x12:
    case 0x17:
    case 0x18:
    case 0x19:
        return true;
    default:
        return false;
    }
}

constexpr std::size_t kMaxBlockRecords = 1024;

} // namespace

Controller::Controller() {
    regs_[7] = 0x0020; // off until switched on
}

uint16_t Controller::word(uint16_t address) const {
    return memory_[address];
}

void Controller::setWord(uint16_t address, uint16_t value) {
    memory_[address] = value;
}

float Controller::floatAt(uint16_t address) const {
    uint32_t bits = uint32_t(memory_[uint16_t(address + 2)]) << 16 | memory_[address];
    return std::bit_cast<float>(bits);
}

void Controller::setFloat(uint16_t address, float value) {
    uint32_t bits = std::bit_cast<uint32_t>(value);
    memory_[address] = uint16_t(bits);
    memory_[uint16_t(address + 2)] = uint16_t(bits >> 16);
}

uint16_t Controller::reg(uint8_t number) const {
    return regs_[number];
}

void Controller::setReg(uint8_t number, uint16_t value) {
    regs_[number] = value;
}

void Controller::setAddressTable(std::vector<uint16_t> table) {
    if (table.size() > 255)
        table.resize(255);
    table_ = std::move(table);
}

const std::vector<uint16_t>& Controller::addressTable() const {
    return table_;
}

Controller::Trigger Controller::trigger() const {
    return trigger_;
}

std::array<uint16_t, 3> Controller::channels() const {
    return channels_;
}

void Controller::addGenerator(uint16_t address, Wave wave, double amplitude, double periodMs,
                              double offset, double phaseDeg) {
    generators_.push_back({address, wave, amplitude, periodMs, offset, phaseDeg / 360});
    runGenerators(double(cycles_));
}

void Controller::runGenerators(double tMs) {
    for (const Generator& g : generators_) {
        double v = g.offset;
        if (g.periodMs > 0) {
            double phase = tMs / g.periodMs + g.phase;
            switch (g.wave) {
            case Wave::Sine:
                v += g.amplitude * std::sin(2 * std::numbers::pi * phase);
                break;
            case Wave::Ramp:
                v += g.amplitude * (phase - std::floor(phase));
                break;
            case Wave::Counter: {
                double n = std::floor(phase);
                if (g.amplitude >= 1)
                    n = std::fmod(n, std::floor(g.amplitude));
                v += n;
                break;
            }
            }
        }
        // Two's complement in 16 bits, whatever the range.
        memory_[g.address] = uint16_t(int64_t(std::llround(std::fmod(v, 65536.0))));
    }
}

void Controller::advance(double ms) {
    if (!(ms > 0))
        return;
    clockMs_ += ms;
    if (command_ != 0) {
        sinceByteMs_ += ms;
        if (sinceByteMs_ >= kCommandTimeoutMs) {
            command_ = 0;
            pending_.clear();
        }
    }
    // Cycles only matter one by one while the recorder watches them; the
    // generators are functions of time, so otherwise jump to the end.
    const auto due = uint64_t(std::floor(clockMs_));
    while (cycles_ < due && (recorder_ == Recorder::Waiting || recorder_ == Recorder::Sampling)) {
        ++cycles_;
        cycle();
    }
    if (cycles_ < due) {
        cycles_ = due;
        runGenerators(double(cycles_));
    }
}

void Controller::cycle() {
    runGenerators(double(cycles_));
    if (recorder_ == Recorder::Waiting) {
        auto current = int16_t(memory_[trigger_.variable]);
        bool fire = true;
        if (trigger_.flags & 0x0001) {
            auto level = int16_t(trigger_.level);
            if (trigger_.flags & 0x0100)
                fire = lastTriggerValue_ > level && current <= level;
            else
                fire = lastTriggerValue_ < level && current >= level;
        }
        lastTriggerValue_ = current;
        if (fire) {
            recorder_ = Recorder::Sampling;
            countdown_ = 0;
        }
    }
    if (recorder_ == Recorder::Sampling) {
        if (countdown_ == 0) {
            for (int ch = 0; ch < 3; ++ch)
                samples_[ch * kSamples + taken_] = memory_[channels_[ch]];
            ++taken_;
            countdown_ = std::max<int>(1, trigger_.timebase);
            if (taken_ == kSamples)
                recorder_ = Recorder::Done;
        }
        --countdown_;
    }
}

void Controller::arm() {
    samples_.fill(0);
    taken_ = 0;
    countdown_ = 0;
    readIndex_ = 0;
    lastTriggerValue_ = int16_t(memory_[trigger_.variable]);
    recorder_ = Recorder::Waiting;
}

uint8_t Controller::receive(uint8_t byte) {
    sinceByteMs_ = 0;
    if (command_ == 0)
        return startCommand(byte);
    return continueCommand(byte);
}

uint8_t Controller::startCommand(uint8_t byte) {
    if (byte == 0x00)
        return kAck;
    if (isCommand(byte)) {
        command_ = byte;
        pos_ = 1;
        pending_.clear();
    }
    return byte;
}

uint8_t Controller::abandon(uint8_t byte) {
    command_ = 0;
    pending_.clear();
    return startCommand(byte);
}

uint8_t Controller::continueCommand(uint8_t byte) {
    const int pos = pos_++;
    auto finish = [this](uint8_t reply) {
        command_ = 0;
        return reply;
    };
    switch (command_) {
    case 0x01: // word read
        if (pos == 1) {
            scratch_ = uint16_t(byte << 8);
            return byte;
        }
        if (pos == 2) {
            reply_ = memory_[uint16_t(scratch_ | byte)];
            return byte;
        }
        if (pos == 3)
            return uint8_t(reply_ >> 8);
        return finish(uint8_t(reply_));

    case 0x12: // register read
        if (pos == 1) {
            reply_ = regs_[byte];
            return byte;
        }
        if (pos == 2)
            return uint8_t(reply_ >> 8);
        return finish(uint8_t(reply_));

    case 0x0F: { // on/off
        static constexpr uint8_t key[] = {0, 0xAB, 0xBC, 0xCD};
        if (pos < 4) {
            if (byte != key[pos])
                return abandon(byte);
            return byte;
        }
        if (byte == 'S')
            regs_[7] &= uint16_t(~0x0020);
        else if (byte == '5')
            regs_[7] |= 0x0020;
        return finish(byte);
    }

    case 0x0C:
        return writeBlock(byte);

    case 0x17: // rsus: nothing to model beyond the echo
        return finish(byte);

    case 0x19: // address count
        if (byte != 0x03)
            return abandon(byte);
        return finish(uint8_t(table_.size()));

    case 0x18: // address table entry, counted from 1
        if (pos == 1) {
            reply_ = (byte >= 1 && byte <= table_.size()) ? table_[byte - 1] : 0;
            return byte;
        }
        if (pos == 2)
            return uint8_t(reply_ >> 8);
        return finish(uint8_t(reply_));

    case 0x0B: // trigger settings
        if (pos == 7 && byte != 0x02)
            return abandon(byte);
        frame_[pos] = byte;
        if (pos < 9)
            return byte;
        trigger_.timebase = uint16_t(frame_[1] << 8 | frame_[2]);
        trigger_.flags = uint16_t(frame_[4] << 8 | frame_[3]); // low byte first
        trigger_.level = uint16_t(frame_[5] << 8 | frame_[6]);
        trigger_.variable = uint16_t(frame_[8] << 8 | frame_[9]);
        recorder_ = Recorder::Idle;
        return finish(byte);

    case 0x03:
    case 0x04:
    case 0x05: // channel address
        if (pos == 1) {
            scratch_ = uint16_t(byte << 8);
            return byte;
        }
        channels_[command_ - 0x03] = uint16_t(scratch_ | byte);
        if (command_ == 0x03)
            recorder_ = Recorder::Idle;
        else if (command_ == 0x05)
            arm();
        return finish(byte);

    case 0x06: // ready byte
        readIndex_ = 0;
        return finish(recorder_ == Recorder::Done ? kReady : kNotReady);

    case 0x07: // next sample
        if (pos == 1) {
            reply_ = samples_[readIndex_];
            readIndex_ = (readIndex_ + 1) % int(samples_.size());
            return uint8_t(reply_ >> 8);
        }
        return finish(uint8_t(reply_));
    }
    return abandon(byte);
}

uint8_t Controller::writeBlock(uint8_t byte) {
    // pos_ was already advanced; positions: 1 the 0x00 after 0x0C, then per
    // record 0x08 0x11 ah al dh dl, and 0x09 0xFA at the end.
    const int pos = pos_ - 1;
    if (pos == 1) {
        if (byte != 0x00)
            return abandon(byte);
        return byte;
    }
    // frame_[0] holds where we are within a record: 0 expecting 0x08/0x09,
    // 1..5 inside a record, 9 expecting 0xFA.
    if (pos == 2)
        frame_[0] = 0;
    switch (frame_[0]) {
    case 0:
        if (byte == 0x08)
            frame_[0] = 1;
        else if (byte == 0x09)
            frame_[0] = 9;
        else
            return abandon(byte);
        return byte;
    case 1:
        if (byte != 0x11)
            return abandon(byte);
        frame_[0] = 2;
        return byte;
    case 2:
    case 3:
    case 4:
        frame_[frame_[0]] = byte;
        ++frame_[0];
        return byte;
    case 5: {
        if (pending_.size() >= kMaxBlockRecords)
            return abandon(byte);
        pending_.push_back({uint16_t(frame_[2] << 8 | frame_[3]), uint16_t(frame_[4] << 8 | byte)});
        frame_[0] = 0;
        return byte;
    }
    case 9:
        if (byte != 0xFA)
            return abandon(byte);
        for (const WriteRecord& r : pending_)
            memory_[r.address] = r.value;
        pending_.clear();
        command_ = 0;
        return byte;
    }
    return abandon(byte);
}

} // namespace ctrlsim
