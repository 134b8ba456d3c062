// Trigger, channel set-up, ready query and the 600-sample read-out.

#include "comm/command.h"
#include "comm/kestro.h"
#include "comm/porttable.h"

using kestro::Command;
using kestro::PortTable;
using kestro::TSio;

namespace {

constexpr uint8_t kTrigger = 0x0B;
constexpr uint8_t kTriggerVariable = 0x02;
constexpr uint8_t kChannel1 = 0x03;
constexpr uint8_t kChannel2 = 0x04;
constexpr uint8_t kChannel3 = 0x05;
constexpr uint8_t kReady = 0x06;
constexpr uint8_t kSample = 0x07;
constexpr int kChannels = 3;
constexpr int kSamples = kChannels * KESTRO_SAMPLES_PER_CHANNEL;
constexpr int kBytesPerSample = 3;

uint8_t hi(uint32_t v) {
    return static_cast<uint8_t>(v >> 8);
}
uint8_t lo(uint32_t v) {
    return static_cast<uint8_t>(v);
}

} // namespace

extern "C" {

int32_t KESTRO_API kestro_trigger(int32_t handle, uint16_t variable, uint16_t timebase,
                                  int32_t level, uint16_t flags) {
    TSio* sio = PortTable::instance().find(handle);
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    const auto l = static_cast<uint32_t>(level);
    // The flags word is the one value that goes out low byte first.
    Command::load(*sio,
                  {kTrigger, hi(timebase), lo(timebase), lo(flags), hi(flags), hi(l), lo(l),
                   kTriggerVariable, hi(variable), lo(variable)},
                  "EEEEEEEEEE");
    return Command::run(*sio);
}

int32_t KESTRO_API kestro_graphik_start(int32_t handle, uint16_t channel1, uint16_t channel2,
                                        uint16_t channel3) {
    TSio* sio = PortTable::instance().find(handle);
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    // The tenth byte is not part of any channel group; send a fixed 0x00
    // rather than whatever an earlier request left in the buffer.
    Command::load(*sio,
                  {kChannel1, hi(channel1), lo(channel1), kChannel2, hi(channel2), lo(channel2),
                   kChannel3, hi(channel3), lo(channel3), 0x00},
                  "EEEEEEEEE-");
    return Command::run(*sio);
}

int32_t KESTRO_API kestro_graphik_bereit(int32_t handle, uint8_t* ready) {
    TSio* sio = PortTable::instance().find(handle);
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    Command::load(*sio, {kReady, 0x00}, "E-");
    if (Command::run(*sio) != KESTRO_OK)
        return KESTRO_TRANSACTION;
    if (ready != nullptr)
        *ready = sio->replyBuffer[1];
    return KESTRO_OK;
}

int32_t KESTRO_API kestro_graphik_read(int32_t handle, uint16_t* channel1, uint16_t* channel2,
                                       uint16_t* channel3) {
    TSio* sio = PortTable::instance().find(handle);
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    for (int j = 0; j < kSamples; ++j) {
        const int at = j * kBytesPerSample;
        sio->sendBuffer[at] = kSample;
        sio->sendBuffer[at + 1] = 0x00;
        sio->sendBuffer[at + 2] = 0x00;
        sio->checkMask[at] = kestro::kCheckEcho;
        sio->checkMask[at + 1] = kestro::kCheckNone;
        sio->checkMask[at + 2] = kestro::kCheckNone;
    }
    sio->requestLength = kSamples * kBytesPerSample;
    if (Command::run(*sio) != KESTRO_OK)
        return KESTRO_TRANSACTION;
    uint16_t* const channels[kChannels] = {channel1, channel2, channel3};
    for (int j = 0; j < kSamples; ++j) {
        uint16_t* out = channels[j / KESTRO_SAMPLES_PER_CHANNEL];
        if (out != nullptr)
            out[j % KESTRO_SAMPLES_PER_CHANNEL] = Command::word(*sio, j * kBytesPerSample + 1);
    }
    return KESTRO_OK;
}

} // extern "C"
