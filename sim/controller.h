#pragma once

// The controller model: memory, registers, address table, recorder and the
// byte-for-byte protocol. No I/O and no threads; the pty server and the
// ctrlsim program drive it.

#include <array>
#include <cstdint>
#include <vector>

namespace ctrlsim {

class Controller {
  public:
    Controller();

    // 65536 words, one per 16-bit address.
    uint16_t word(uint16_t address) const;
    void setWord(uint16_t address, uint16_t value);
    // A float as the controller keeps it: low half at address, high half at address + 2.
    float floatAt(uint16_t address) const;
    void setFloat(uint16_t address, float value);

    // Register 7: on/off state (bit 5 set = off). Register 8: plug code.
    uint16_t reg(uint8_t number) const;
    void setReg(uint8_t number, uint16_t value);

    void setAddressTable(std::vector<uint16_t> table); // at most 255 entries
    const std::vector<uint16_t>& addressTable() const;

    // Recorder, as the trigger and start commands left it.
    struct Trigger {
        uint16_t timebase = 0;
        uint16_t flags = 0; // bit 0 manual, bit 8 falling edge
        uint16_t level = 0;
        uint16_t variable = 0;
    };
    Trigger trigger() const;
    std::array<uint16_t, 3> channels() const;

    // Signal generators write memory as time goes on. offset shifts the
    // whole wave (e.g. a sine around a nominal voltage), phaseDeg moves it
    // along the time axis (three phase currents).
    enum class Wave { Sine, Ramp, Counter };
    void addGenerator(uint16_t address, Wave wave, double amplitude, double periodMs,
                      double offset = 0, double phaseDeg = 0);
    // Advances the model's clock: runs the generators and the recorder.
    void advance(double ms);
    double clockMs() const { return clockMs_; }

    // One received byte in, exactly one reply byte out. Bytes outside any
    // command are echoed; 0x00 outside a command is acknowledged with 0xAA.
    uint8_t receive(uint8_t byte);

    // The ready byte the controller reports while a recording is not complete.
    static constexpr uint8_t kNotReady = 0x00;
    static constexpr uint8_t kReady = 0xFD;
    static constexpr int kSamples = 200;
    // A command whose next byte does not come within this time is abandoned,
    // so a transfer cut off in the middle cannot swallow the next request.
    static constexpr double kCommandTimeoutMs = 500;

  private:
    struct Generator {
        uint16_t address;
        Wave wave;
        double amplitude;
        double periodMs;
        double offset;
        double phase; // in periods
    };
    struct WriteRecord {
        uint16_t address;
        uint16_t value;
    };
    enum class Recorder { Idle, Waiting, Sampling, Done };

    uint8_t startCommand(uint8_t byte);
    uint8_t continueCommand(uint8_t byte);
    uint8_t abandon(uint8_t byte);
    uint8_t writeBlock(uint8_t byte);
    void cycle();
    void runGenerators(double tMs);
    void arm();

    std::array<uint16_t, 65536> memory_{};
    std::vector<uint16_t> table_;
    std::array<uint16_t, 256> regs_{};
    Trigger trigger_{};
    std::array<uint16_t, 3> channels_{};
    std::vector<Generator> generators_;

    // Clock: one controller cycle per millisecond.
    double clockMs_ = 0;
    uint64_t cycles_ = 0;
    double sinceByteMs_ = 0;

    // Command parser.
    uint8_t command_ = 0; // 0: between commands
    int pos_ = 0;         // position of the next byte within the command
    uint16_t scratch_ = 0;
    uint16_t reply_ = 0;
    std::array<uint8_t, 10> frame_{};
    std::vector<WriteRecord> pending_;

    // Recorder.
    Recorder recorder_ = Recorder::Idle;
    std::array<uint16_t, 3 * kSamples> samples_{};
    int taken_ = 0;
    int countdown_ = 0;
    int16_t lastTriggerValue_ = 0;
    int readIndex_ = 0;
};

} // namespace ctrlsim
