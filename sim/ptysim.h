#pragma once

// In-process controller simulator: a thread that serves the master side of a
// pseudo-terminal with the controller model. The library under test opens
// path() like any serial device.

#include "controller.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ctrlsim {

class PtySimulator {
  public:
    PtySimulator();  // opens the pty and starts serving
    ~PtySimulator(); // stops the thread and closes the pty
    PtySimulator(const PtySimulator&) = delete;
    PtySimulator& operator=(const PtySimulator&) = delete;

    // Device path of the slave side, e.g. /dev/pts/7.
    const std::string& path() const;

    // Runs f with the model locked against the serving thread, its clock
    // brought up to now first. f must not call back into the simulator.
    void withController(const std::function<void(Controller&)>& f);

    // Faults. Byte indexes count the bytes received after the fault was set,
    // from 0. Each indexed fault fires once. The model still hears every
    // byte; only what goes back changes.
    void setSilent(bool silent);        // no reply at all
    void dropReply(std::size_t n);      // no reply to byte n
    void wrongEcho(std::size_t n);      // reply to byte n is sent inverted (xor 0xFF)
    void badAcknowledge(std::size_t n); // byte n, if a sync 0x00, gets 0x00 instead of 0xAA
    // The reply to byte n comes t late and the replies after it queue behind
    // it, as on a real line; one still due when the next transaction starts
    // arrives after that transaction's purge.
    void delayReply(std::size_t n, std::chrono::milliseconds t);
    // Closes the master side for good: the other side sees POLLHUP and EIO.
    // Returns once it is closed.
    void hangUp();
    // Ends silence and forgets pending indexed faults; a hang-up stays.
    void clearFaults();

    // Line-time emulation: each reply waits for 11 bits in each direction at
    // this baud rate (both directions are serialised, so a burst of request
    // bytes queues up too). 0 switches it off (reply as fast as possible).
    void setLineBaud(int baud);

    // Every byte received, in order. Logging is on from the start; a
    // long-running simulator switches it off so the log cannot grow without bound.
    std::vector<uint8_t> log() const;
    void clearLog();
    void setLogging(bool on);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace ctrlsim
