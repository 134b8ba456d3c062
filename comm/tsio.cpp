#include "comm/tsio.h"

#include <algorithm>
#include <cstring>

namespace kestro {

namespace {

constexpr std::size_t kQueueSize = 2048;

} // namespace

TSio::TSio(std::unique_ptr<SerialLine> line) : line_(std::move(line)) {}

void TSio::OpenPort(const char* name) {
    if (portHandle > 0)
        return;
    int err = 0;
    portHandle = line_->open(name, err);
    if (portHandle < 0) {
        portHandle = kInvalidHandle;
        note(err);
    }
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = TWOSTOPBITS;
    dcb.Flags = 0;
    timeouts.ReadIntervalTimeout = kReadIntervalTimeout;
    readTimeout = kDefaultReadTimeout;
    timeouts.ReadTotalTimeoutConstant = static_cast<uint32_t>(readTimeout);
    timeouts.ReadTotalTimeoutMultiplier = kReadTotalTimeoutMultiplier;
    timeouts.WriteTotalTimeoutMultiplier = kWriteTotalTimeoutMultiplier;
    timeouts.WriteTotalTimeoutConstant = kWriteTotalTimeoutConstant;
    std::memset(replyBuffer, 0, kQueueSize);
    std::memset(sendBuffer, 0, kQueueSize);
    std::memset(defaultMask, 0, kQueueSize);
    stepSize = kMinStep;
}

void TSio::ClosePort() {
    if (portHandle == kInvalidHandle)
        return;
    note(line_->close(portHandle));
    portHandle = kInvalidHandle;
}

void TSio::Transact() {
    error = false;
    note(line_->setState(portHandle, dcb));
    note(line_->setControlLines(portHandle, false, true));
    readTimeout = std::clamp(readTimeout, kMinReadTimeout, kMaxReadTimeout);
    timeouts.ReadTotalTimeoutConstant = static_cast<uint32_t>(readTimeout);
    note(line_->purge(portHandle));
    std::memset(replyBuffer, 0, kQueueSize);
    note(line_->setTimeouts(portHandle, timeouts));
    stepSize = std::clamp(stepSize, kMinStep, kMaxStep);

    const uint32_t length = std::min(requestLength, kMaxRequest);
    for (uint32_t offset = 0; offset < length; offset += stepSize) {
        const std::size_t n = std::min<uint32_t>(stepSize, length - offset);
        std::size_t done = 0;
        note(line_->write(portHandle, sendBuffer + offset, n, done));
        // The burst of queue checks and the read time-out are one wait here,
        // spent in poll() rather than spinning. A port that cannot be queried
        // ends the transaction at once and keeps its mask.
        std::size_t waiting = 0;
        if (const int state = line_->waitQueued(portHandle, n, waiting); state != 0) {
            note(state);
            error = true;
            return;
        }
        note(line_->read(portHandle, replyBuffer + offset, n, done));
    }

    if (checkMask[0] != kCheckNone)
        error = !replyMatches();
    std::memcpy(checkMask, defaultMask, kBufferSize);
}

bool TSio::replyMatches() const {
    const uint32_t length = std::min(requestLength, kMaxRequest);
    for (uint32_t k = 0; k < length; ++k) {
        if (checkMask[k] == kCheckEcho && replyBuffer[k] != sendBuffer[k])
            return false;
        if (checkMask[k] == kCheckAck && replyBuffer[k] != kAcknowledge)
            return false;
    }
    return true;
}

} // namespace kestro
