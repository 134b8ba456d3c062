#pragma once

// A controller layout: plug code, on/off state, the address table as named
// variables, initial values, signal generators and special function
// registers, read from a small text file (format in layout.cpp).

#include "controller.h"

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace ctrlsim {

class Layout {
  public:
    struct Variable {
        std::string name;
        uint16_t address;
    };

    // Both throw std::runtime_error naming the source and line of a fault.
    static Layout parse(std::istream& in, const std::string& source = "layout");
    static Layout load(const std::string& path);

    void apply(Controller& controller) const;

    // In address-table order.
    const std::vector<Variable>& variables() const { return variables_; }
    const std::vector<Variable>& registers() const { return registers_; }

  private:
    struct Init {
        uint16_t address;
        bool isFloat;
        double value;
    };
    struct Gen {
        uint16_t address;
        Controller::Wave wave;
        double amplitude;
        double periodMs;
        double offset;
        double phaseDeg;
    };

    uint16_t plugCode_ = 0;
    bool on_ = false;
    std::vector<Variable> variables_;
    std::vector<Variable> registers_;
    std::vector<Init> inits_;
    std::vector<Gen> generators_;
};

} // namespace ctrlsim
