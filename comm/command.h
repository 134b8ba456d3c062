#pragma once

// What every device command shares: load a request with its check letters,
// run it, turn the outcome into a result code.

#include "comm/tsio.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace kestro {

class Command {
  public:
    // Checks are written as in the protocol tables: 'E' echo, 'A' acknowledge,
    // '-' not checked; one letter per byte.
    static void load(TSio& sio, std::initializer_list<uint8_t> bytes, std::string_view checks);
    // Transact; KESTRO_TRANSACTION if it failed, else KESTRO_OK.
    static int32_t run(TSio& sio);
    static uint8_t check(char letter);
    static uint16_t word(const TSio& sio, std::size_t position) {
        return static_cast<uint16_t>(sio.replyBuffer[position] << 8 |
                                     sio.replyBuffer[position + 1]);
    }
};

} // namespace kestro
