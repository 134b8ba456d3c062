#include "comm/linuxserial.h"

#include <asm/termbits.h>
#include <cerrno>
#include <linux/serial.h>
#include <sys/ioctl.h>

namespace kestro::linuxserial {

int setBaud(int fd, uint32_t rate) {
    termios2 t{};
    if (ioctl(fd, TCGETS2, &t) != 0)
        return errno;
    t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ispeed = rate;
    t.c_ospeed = rate;
    if (ioctl(fd, TCSETS2, &t) != 0)
        return errno;
    return 0;
}

uint32_t baud(int fd) {
    termios2 t{};
    if (ioctl(fd, TCGETS2, &t) != 0)
        return 0;
    return t.c_ospeed;
}

void requestLowLatency(int fd) {
    serial_struct s{};
    if (ioctl(fd, TIOCGSERIAL, &s) != 0)
        return;
    if (s.flags & ASYNC_LOW_LATENCY)
        return;
    s.flags |= ASYNC_LOW_LATENCY;
    (void)ioctl(fd, TIOCSSERIAL, &s);
}

} // namespace kestro::linuxserial
