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

    // Signal generators write memory as time goes on.
    enum class Wave { Sine, Ramp, Counter };
    void addGenerator(uint16_t address, Wave wave, double amplitude, double periodMs);
    // Advances the model's clock: runs the generators and the recorder.
    void advance(double ms);

    // One received byte in, exactly one reply byte out. Bytes outside any
    // command are echoed; 0x00 outside a command is acknowledged with 0xAA.
    uint8_t receive(uint8_t byte);

private:
    struct State;
    std::array<uint16_t, 65536> memory_{};
    // implementation detail fields are the simulator's own
    friend struct ControllerAccess;
    std::vector<uint8_t> pending_;
    std::vector<uint16_t> table_;
    std::array<uint16_t, 256> regs_{};
    Trigger trigger_{};
    std::array<uint16_t, 3> channels_{};
};

} // namespace ctrlsim
