#include "simready.h"

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

bool waitUntilServing(ctrlsim::PtySimulator& sim) {
    const int fd = open(sim.path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
    bool answered = false;
    const uint8_t sync = 0x00;
    if (write(fd, &sync, 1) == 1) {
        pollfd p{fd, POLLIN, 0};
        uint8_t reply = 0;
        answered = poll(&p, 1, 5000) == 1 && read(fd, &reply, 1) == 1 && reply == 0xAA;
    }
    close(fd);
    sim.clearLog();
    return answered;
}

std::vector<uint8_t> logOnceReceived(ctrlsim::PtySimulator& sim, std::size_t n) {
    for (int i = 0; i < 200; ++i) {
        std::vector<uint8_t> log = sim.log();
        if (log.size() >= n)
            return log;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return sim.log();
}
