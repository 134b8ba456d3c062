// Word and float reads and writes of controller memory.

#include "comm/command.h"
#include "comm/kestro.h"
#include "comm/porttable.h"

#include <cstring>

using kestro::Command;
using kestro::PortTable;
using kestro::TSio;

namespace {

constexpr uint8_t kRead = 0x01;
constexpr uint8_t kBlockOpen = 0x0C;
constexpr uint8_t kWordRecord = 0x08;
constexpr uint8_t kWordRecordTag = 0x11;
constexpr uint8_t kBlockClose = 0x09;
constexpr uint8_t kBlockCloseTag = 0xFA;

uint8_t hi(uint32_t v) {
    return static_cast<uint8_t>(v >> 8);
}
uint8_t lo(uint32_t v) {
    return static_cast<uint8_t>(v);
}

// The second word of a float; wraps within 16 bits (0xFFFF + 2 is 0x0001).
uint16_t upper(uint16_t address) {
    return static_cast<uint16_t>(address + 2);
}

} // namespace

extern "C" {

int32_t KESTRO_API kestro_int_read(int32_t handle, uint16_t address, int32_t* value) {
    TSio* sio = PortTable::instance().find(handle);
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    Command::load(*sio, {kRead, hi(address), lo(address), 0x00, 0x00}, "EEE--");
    if (Command::run(*sio) != KESTRO_OK)
        return KESTRO_TRANSACTION;
    if (value != nullptr)
        *value = Command::word(*sio, 3);
    return KESTRO_OK;
}

int32_t KESTRO_API kestro_float_read(int32_t handle, uint16_t address, float* value) {
    TSio* sio = PortTable::instance().find(handle);
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    const uint16_t second = upper(address);
    Command::load(
        *sio,
        {kRead, hi(address), lo(address), 0x00, 0x00, kRead, hi(second), lo(second), 0x00, 0x00},
        "EEE--EEE--");
    const int32_t result = Command::run(*sio);
    uint32_t bits = 0;
    if (result == KESTRO_OK)
        bits = static_cast<uint32_t>(Command::word(*sio, 8)) << 16 | Command::word(*sio, 3);
    if (value != nullptr)
        std::memcpy(value, &bits, sizeof bits);
    return result;
}

int32_t KESTRO_API kestro_int_write(int32_t handle, uint16_t address, int32_t value) {
    TSio* sio = PortTable::instance().find(handle);
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    const auto v = static_cast<uint32_t>(value);
    Command::load(*sio,
                  {kBlockOpen, 0x00, kWordRecord, kWordRecordTag, hi(address), lo(address), hi(v),
                   lo(v), kBlockClose, kBlockCloseTag},
                  "E-EEEEEEE-");
    return Command::run(*sio);
}

int32_t KESTRO_API kestro_float_write(int32_t handle, uint16_t address, float value) {
    TSio* sio = PortTable::instance().find(handle);
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const uint16_t second = upper(address);
    Command::load(*sio,
                  {kBlockOpen, 0x00, kWordRecord, kWordRecordTag, hi(address), lo(address),
                   hi(bits), lo(bits), kWordRecord, kWordRecordTag, hi(second), lo(second),
                   hi(bits >> 16), lo(bits >> 16), kBlockClose, kBlockCloseTag},
                  "E-EEEEEEEEEEEEE-");
    return Command::run(*sio);
}

} // extern "C"
