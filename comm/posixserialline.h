#pragma once

// Serial line over a POSIX tty: raw 8-bit mode, waits bounded by poll().

#include "comm/serialline.h"

#include <array>
#include <string>

namespace kestro {

class PosixSerialLine : public SerialLine {
  public:
    // "comN" (any letter case) is the device in the environment variable
    // KESTRO_COMN if that is set, else /dev/ttyS(N-1); a name beginning with
    // "/" is a device path as it stands. Anything else names no device ("").
    static std::string devicePath(const char* name);

    int32_t open(const char* name, int& error) override;
    int close(int32_t handle) override;
    int setState(int32_t handle, const Dcb& dcb) override;
    int setTimeouts(int32_t handle, const CommTimeouts& timeouts) override;
    int setControlLines(int32_t handle, bool dtr, bool rts) override;
    int purge(int32_t handle) override;
    int write(int32_t handle, const uint8_t* data, std::size_t n, std::size_t& written) override;
    int waitQueued(int32_t handle, std::size_t n, std::size_t& count) override;
    int read(int32_t handle, uint8_t* data, std::size_t n, std::size_t& got) override;

  private:
    CommTimeouts timeouts_{};
    // Bytes taken off the tty while waiting, not yet handed to read().
    std::array<uint8_t, 2048> inbox_{};
    std::size_t inboxCount_ = 0;
};

} // namespace kestro
