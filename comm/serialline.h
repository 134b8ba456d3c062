#pragma once

// The few serial-line operations the transaction engine needs, shaped after
// the Win32 communication calls the protocol was first written against. Every
// call names the port by its handle, so a call on a closed or invalid handle
// simply fails. Results are 0 or the errno of the failure.

#include <cstddef>
#include <cstdint>

namespace kestro {

constexpr uint8_t NOPARITY = 0;
constexpr uint8_t ODDPARITY = 1;
constexpr uint8_t EVENPARITY = 2;
constexpr uint8_t ONESTOPBIT = 0;
constexpr uint8_t TWOSTOPBITS = 2;

// Line settings record. A zero flag word means binary data, no flow control of
// any kind and no character replacement.
struct Dcb {
    uint32_t BaudRate = 0;
    uint32_t Flags = 0;
    uint8_t ByteSize = 0;
    uint8_t Parity = 0;
    uint8_t StopBits = 0;
};

// Time-out record, milliseconds. A read of n bytes waits at most
// ReadTotalTimeoutConstant + ReadTotalTimeoutMultiplier * n, a write
// WriteTotalTimeoutConstant + WriteTotalTimeoutMultiplier * n.
struct CommTimeouts {
    uint32_t ReadIntervalTimeout = 0;
    uint32_t ReadTotalTimeoutMultiplier = 0;
    uint32_t ReadTotalTimeoutConstant = 0;
    uint32_t WriteTotalTimeoutMultiplier = 0;
    uint32_t WriteTotalTimeoutConstant = 0;
};

class SerialLine {
  public:
    virtual ~SerialLine() = default;

    // Opens the named port for exclusive use. Returns the handle, or -1 with
    // error set.
    virtual int32_t open(const char* name, int& error) = 0;
    virtual int close(int32_t handle) = 0;

    virtual int setState(int32_t handle, const Dcb& dcb) = 0;
    virtual int setTimeouts(int32_t handle, const CommTimeouts& timeouts) = 0;
    virtual int setControlLines(int32_t handle, bool dtr, bool rts) = 0;
    // Discards both the input and the output queue.
    virtual int purge(int32_t handle) = 0;

    // Honours the write time-outs last set.
    virtual int write(int32_t handle, const uint8_t* data, std::size_t n, std::size_t& written) = 0;
    // Waits until at least n bytes have come in or the read time-outs for n
    // bytes have passed; count is what has come. Fails at once when the port
    // cannot be queried, a hang-up included.
    virtual int waitQueued(int32_t handle, std::size_t n, std::size_t& count) = 0;
    // Takes up to n of the bytes that have come, without waiting for more.
    virtual int read(int32_t handle, uint8_t* data, std::size_t n, std::size_t& got) = 0;
};

} // namespace kestro
