#pragma once

// Linux-only serial pieces. They need <asm/termbits.h>, which cannot share a
// translation unit with glibc's <termios.h>.

#include <cstdint>

namespace kestro::linuxserial {

// Sets any baud rate, including those without a Bxxx constant (76800).
// Returns 0 or errno.
int setBaud(int fd, uint32_t baud);
// The output baud rate the driver holds, or 0 with errno on failure.
uint32_t baud(int fd);
// Asks the driver not to hold received bytes back (USB adapters otherwise
// batch them for up to 16 ms). Drivers that refuse are left as they are.
void requestLowLatency(int fd);

} // namespace kestro::linuxserial
