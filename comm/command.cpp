#include "comm/command.h"

#include "comm/kestro.h"

namespace kestro {

uint8_t Command::check(char letter) {
    switch (letter) {
    case 'E':
        return kCheckEcho;
    case 'A':
        return kCheckAck;
    default:
        return kCheckNone;
    }
}

void Command::load(TSio& sio, std::initializer_list<uint8_t> bytes, std::string_view checks) {
    std::size_t k = 0;
    for (uint8_t b : bytes) {
        sio.sendBuffer[k] = b;
        sio.checkMask[k] = k < checks.size() ? check(checks[k]) : kCheckNone;
        ++k;
    }
    sio.requestLength = static_cast<uint32_t>(k);
}

int32_t Command::run(TSio& sio) {
    sio.Transact();
    return sio.error ? KESTRO_TRANSACTION : KESTRO_OK;
}

} // namespace kestro
