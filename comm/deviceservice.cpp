// Synchronisation, registers, the address table, on/off and rsus mode.

#include "comm/command.h"
#include "comm/kestro.h"
#include "comm/porttable.h"

using kestro::Command;
using kestro::PortTable;
using kestro::TSio;

namespace {

constexpr uint8_t kRegisterRead = 0x12;
constexpr uint8_t kStateRegister = 0x07;
constexpr uint8_t kPlugCodeRegister = 0x08;
constexpr uint8_t kOffBit = 0x20;
constexpr uint8_t kOnOff = 0x0F;
constexpr uint8_t kSwitchOn = 0x53;  // "S"
constexpr uint8_t kSwitchOff = 0x35; // "5"
constexpr uint8_t kTableEntry = 0x18;
constexpr uint8_t kTableLength = 0x19;
constexpr uint8_t kRsus = 0x17;
constexpr uint8_t kSubcommand = 0x03;

int32_t rsusRequest() {
    TSio* sio = PortTable::instance().findRsus();
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    Command::load(*sio, {kRsus, kSubcommand}, "E-");
    return Command::run(*sio);
}

} // namespace

extern "C" {

int32_t KESTRO_API kestro_synchronisation(int32_t handle) {
    TSio* sio = PortTable::instance().find(handle);
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    Command::load(*sio, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "AAAAAAAAAA");
    return Command::run(*sio);
}

int32_t KESTRO_API kestro_steckercode_read(int32_t handle, uint16_t* code) {
    TSio* sio = PortTable::instance().find(handle);
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    Command::load(*sio, {kRegisterRead, kPlugCodeRegister, 0x00, 0x00}, "EE--");
    if (Command::run(*sio) != KESTRO_OK)
        return KESTRO_TRANSACTION;
    if (code != nullptr)
        *code = Command::word(*sio, 2);
    return KESTRO_OK;
}

int32_t KESTRO_API kestro_adress_length_read(int32_t handle, uint8_t* count) {
    TSio* sio = PortTable::instance().find(handle);
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    Command::load(*sio, {kTableLength, kSubcommand}, "E-");
    const int32_t result = Command::run(*sio);
    // A failed read still stores what came at the echo position.
    if (count != nullptr)
        *count = sio->replyBuffer[result == KESTRO_OK ? 1 : 0];
    return result;
}

int32_t KESTRO_API kestro_adresse_read(int32_t handle, uint8_t entry, uint16_t* address) {
    TSio* sio = PortTable::instance().find(handle);
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    Command::load(*sio, {kTableEntry, entry, entry, entry}, "EE--");
    if (Command::run(*sio) != KESTRO_OK)
        return KESTRO_TRANSACTION;
    if (address != nullptr)
        *address = Command::word(*sio, 2);
    return KESTRO_OK;
}

int32_t KESTRO_API kestro_on_off_read(int32_t handle, uint16_t* state) {
    TSio* sio = PortTable::instance().find(handle);
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    Command::load(*sio, {kRegisterRead, kStateRegister, 0x00, 0x00}, "EE--");
    if (Command::run(*sio) != KESTRO_OK)
        return KESTRO_TRANSACTION;
    if (state != nullptr)
        *state = (sio->replyBuffer[3] & kOffBit) ? 0 : 1;
    return KESTRO_OK;
}

int32_t KESTRO_API kestro_on_off_write(int32_t handle, uint16_t state) {
    TSio* sio = PortTable::instance().find(handle);
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    Command::load(*sio, {kOnOff, 0xAB, 0xBC, 0xCD, state == 1 ? kSwitchOn : kSwitchOff}, "EEEEE");
    return Command::run(*sio);
}

// Stop sends what start sends, so both look alike on the line.
int32_t KESTRO_API kestro_rsus_start(void) {
    return rsusRequest();
}
int32_t KESTRO_API kestro_rsus_stop(void) {
    return rsusRequest();
}

} // extern "C"
