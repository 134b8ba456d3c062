#pragma once

// One port object: a serial port, its line settings and time-outs, and the
// send, reply and check-mask buffers of one transaction at a time.

#include "comm/serialline.h"

#include <cstdint>
#include <memory>

namespace kestro {

// Check mask values, one per request position.
constexpr uint8_t kCheckNone = 0; // a data byte is expected
constexpr uint8_t kCheckEcho = 1; // reply must equal the byte sent
constexpr uint8_t kCheckAck = 2;  // reply must be 0xAA
constexpr uint8_t kAcknowledge = 0xAA;

class TSio {
  public:
    static constexpr std::size_t kBufferSize = 2049;
    // Longest request the buffers hold; longer lengths are cut to it.
    static constexpr uint32_t kMaxRequest = 2048;

    static constexpr int32_t kInvalidHandle = -1;
    static constexpr int32_t kDefaultReadTimeout = 10;
    static constexpr int32_t kMinReadTimeout = 10;
    static constexpr int32_t kMaxReadTimeout = 5000;
    static constexpr uint32_t kReadIntervalTimeout = 5;
    static constexpr uint32_t kReadTotalTimeoutMultiplier = 1;
    static constexpr uint32_t kWriteTotalTimeoutMultiplier = 10;
    static constexpr uint32_t kWriteTotalTimeoutConstant = 20;
    static constexpr uint32_t kMinStep = 1;
    static constexpr uint32_t kMaxStep = 100;

    explicit TSio(std::unique_ptr<SerialLine> line);

    // Opens the named port unless this object already holds one open.
    void OpenPort(const char* name);
    void ClosePort();
    // Sends requestLength bytes of sendBuffer, reads as many reply bytes and
    // checks them against checkMask. error tells the outcome.
    void Transact();

    uint8_t defaultMask[kBufferSize] = {};
    uint8_t sendBuffer[kBufferSize] = {};
    uint8_t replyBuffer[kBufferSize] = {};
    uint8_t checkMask[kBufferSize] = {};
    uint32_t requestLength = 0;
    int32_t portHandle = 0; // 0 until first opened, -1 once closed or failed
    CommTimeouts timeouts{};
    bool error = false;
    int32_t readTimeout = kDefaultReadTimeout;
    uint32_t stepSize = kMinStep;
    Dcb dcb{};
    // errno of the last failing system call, 0 if none failed yet.
    int lastError = 0;

  private:
    void note(int result) {
        if (result != 0)
            lastError = result;
    }
    bool replyMatches() const;

    std::unique_ptr<SerialLine> line_;
};

} // namespace kestro
