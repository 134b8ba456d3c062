#include "comm/posixserialline.h"

#include "comm/deadline.h"
#include "comm/linuxserial.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace kestro {

namespace {

constexpr short kFailureEvents = POLLERR | POLLHUP | POLLNVAL;

// open() never hands out 0, so 0 (a port object never opened) and -1 (closed)
// name no port; without this check they would reach stdin or be skipped by poll().
bool valid(int32_t handle) {
    return handle > 0;
}

int failureErrno(short revents) {
    if (revents & POLLNVAL)
        return EBADF;
    if (revents & POLLHUP)
        return EPIPE;
    return EIO;
}

speed_t speedConstant(uint32_t baud) {
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    case 460800:
        return B460800;
    case 921600:
        return B921600;
    default:
        return B0;
    }
}

tcflag_t sizeBits(uint8_t byteSize) {
    switch (byteSize) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

} // namespace

std::string PosixSerialLine::devicePath(const char* name) {
    if (name == nullptr || name[0] == '\0')
        return {};
    if (name[0] == '/')
        return name;
    auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); };
    if (lower(name[0]) != 'c' || lower(name[1]) != 'o' || lower(name[2]) != 'm')
        return {};
    const char* digits = name + 3;
    if (*digits < '0' || *digits > '9')
        return {};
    unsigned long n = 0;
    for (const char* p = digits; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9' || n > 9999)
            return {};
        n = n * 10 + static_cast<unsigned long>(*p - '0');
    }
    if (n == 0)
        return {};
    const std::string variable = "KESTRO_COM" + std::to_string(n);
    if (const char* mapped = std::getenv(variable.c_str()); mapped != nullptr && mapped[0] != '\0')
        return mapped;
    return "/dev/ttyS" + std::to_string(n - 1);
}

int32_t PosixSerialLine::open(const char* name, int& error) {
    const std::string path = devicePath(name);
    if (path.empty()) {
        error = ENOENT;
        return -1;
    }
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    // Handles must be positive: never hand out descriptor 0.
    if (fd == 0) {
        const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 1);
        error = errno;
        ::close(fd);
        if (moved < 0)
            return -1;
        fd = moved;
    }
    if (!isatty(fd)) {
        error = ENOTTY;
        ::close(fd);
        return -1;
    }
    // The lock is what keeps out a second open by root, which TIOCEXCL does
    // not bind. Take it before TIOCEXCL so a failed attempt leaves the holder's
    // tty as it was.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return -1;
    }
    (void)ioctl(fd, TIOCEXCL);
    linuxserial::requestLowLatency(fd);
    timeouts_ = {};
    return fd;
}

int PosixSerialLine::close(int32_t handle) {
    if (!valid(handle))
        return EBADF;
    inboxCount_ = 0;
    (void)ioctl(handle, TIOCNXCL);
    return ::close(handle) == 0 ? 0 : errno;
}

int PosixSerialLine::setState(int32_t handle, const Dcb& dcb) {
    if (!valid(handle))
        return EBADF;
    termios current{};
    if (tcgetattr(handle, &current) != 0)
        return errno;
    termios t = current;
    cfmakeraw(&t);
    t.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS);
    t.c_cflag |= sizeBits(dcb.ByteSize) | CLOCAL | CREAD;
    if (dcb.StopBits != ONESTOPBIT)
        t.c_cflag |= CSTOPB;
    if (dcb.Parity == ODDPARITY)
        t.c_cflag |= PARENB | PARODD;
    else if (dcb.Parity == EVENPARITY)
        t.c_cflag |= PARENB;
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    const speed_t speed = speedConstant(dcb.BaudRate);
    if (speed != B0) {
        cfsetispeed(&t, speed);
        cfsetospeed(&t, speed);
    }
    // Every transaction applies the settings, but unchanged ones are not sent
    // to the driver again: USB adapters turn each change into a control
    // request on the bus.
    const bool same = t.c_iflag == current.c_iflag && t.c_oflag == current.c_oflag &&
                      t.c_cflag == current.c_cflag && t.c_lflag == current.c_lflag &&
                      t.c_cc[VMIN] == current.c_cc[VMIN] && t.c_cc[VTIME] == current.c_cc[VTIME] &&
                      cfgetispeed(&t) == cfgetispeed(&current) &&
                      cfgetospeed(&t) == cfgetospeed(&current);
    if (!same && tcsetattr(handle, TCSANOW, &t) != 0)
        return errno;
    if (speed == B0 && linuxserial::baud(handle) != dcb.BaudRate)
        return linuxserial::setBaud(handle, dcb.BaudRate);
    return 0;
}

int PosixSerialLine::setTimeouts(int32_t handle, const CommTimeouts& timeouts) {
    if (!valid(handle))
        return EBADF;
    timeouts_ = timeouts;
    return 0;
}

int PosixSerialLine::setControlLines(int32_t handle, bool dtr, bool rts) {
    if (!valid(handle))
        return EBADF;
    int lines = 0;
    if (ioctl(handle, TIOCMGET, &lines) == 0 && ((lines & TIOCM_DTR) != 0) == dtr &&
        ((lines & TIOCM_RTS) != 0) == rts)
        return 0;
    int result = 0;
    int bit = TIOCM_DTR;
    if (ioctl(handle, dtr ? TIOCMBIS : TIOCMBIC, &bit) != 0)
        result = errno;
    bit = TIOCM_RTS;
    if (ioctl(handle, rts ? TIOCMBIS : TIOCMBIC, &bit) != 0)
        result = errno;
    return result;
}

int PosixSerialLine::purge(int32_t handle) {
    if (!valid(handle))
        return EBADF;
    inboxCount_ = 0;
    return tcflush(handle, TCIOFLUSH) == 0 ? 0 : errno;
}

int PosixSerialLine::write(int32_t handle, const uint8_t* data, std::size_t n,
                           std::size_t& written) {
    written = 0;
    if (!valid(handle))
        return EBADF;
    const Deadline deadline(timeouts_.WriteTotalTimeoutConstant +
                            timeouts_.WriteTotalTimeoutMultiplier * static_cast<uint32_t>(n));
    while (written < n) {
        const ssize_t k = ::write(handle, data + written, n - written);
        if (k > 0) {
            written += static_cast<std::size_t>(k);
            continue;
        }
        if (k < 0 && errno == EINTR)
            continue;
        if (k < 0 && errno != EAGAIN)
            return errno;
        short revents = 0;
        const int r = deadline.poll(handle, POLLOUT, revents);
        if (r < 0)
            return errno;
        if (r == 0)
            return ETIMEDOUT;
        if (revents & kFailureEvents)
            return failureErrno(revents);
    }
    return 0;
}

int PosixSerialLine::waitQueued(int32_t handle, std::size_t n, std::size_t& count) {
    n = std::min(n, inbox_.size());
    count = inboxCount_;
    if (!valid(handle))
        return EBADF; // poll() would skip a negative descriptor and just wait
    const Deadline total(timeouts_.ReadTotalTimeoutConstant +
                         timeouts_.ReadTotalTimeoutMultiplier * static_cast<uint32_t>(n));
    // Once bytes come, a gap longer than the interval time-out ends the wait.
    Deadline gap(0);
    // Bytes are taken off the tty as they come, so that waiting for more
    // than one never finds the descriptor readable without end.
    while (inboxCount_ < n) {
        const bool started = inboxCount_ > 0 && timeouts_.ReadIntervalTimeout > 0;
        const Deadline& wait = started && gap.before(total) ? gap : total;
        short revents = 0;
        const int r = wait.poll(handle, POLLIN, revents);
        if (r < 0)
            return errno;
        if (revents & kFailureEvents)
            return failureErrno(revents);
        if (r == 0)
            break;
        const ssize_t k = ::read(handle, inbox_.data() + inboxCount_, n - inboxCount_);
        if (k > 0) {
            inboxCount_ += static_cast<std::size_t>(k);
            gap = Deadline(timeouts_.ReadIntervalTimeout);
        } else if (k == 0 || (errno != EAGAIN && errno != EINTR)) {
            return k == 0 ? EPIPE : errno;
        }
    }
    count = inboxCount_;
    return 0;
}

int PosixSerialLine::read(int32_t, uint8_t* data, std::size_t n, std::size_t& got) {
    got = std::min(n, inboxCount_);
    std::memcpy(data, inbox_.data(), got);
    std::memmove(inbox_.data(), inbox_.data() + got, inboxCount_ - got);
    inboxCount_ -= got;
    return 0;
}

} // namespace kestro
