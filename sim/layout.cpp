#include "layout.h"

// Layout file: one statement per line, words separated by blanks, "#" starts
// a comment. Integers are decimal with an optional sign, or hexadecimal after
// "0x" or "$"; negative words are kept as two's complement.
//
//   plugcode <int>                      register 8
//   state on|off                        register 7, bit 5 set = off
//   var <name> <address> [<int>]        next address-table entry, a word
//   float <name> <address> [<number>]   next address-table entry, a float
//                                       (low half at address, high at +2)
//   sfr <name> <address> <int>          special function register, not in the table
//   word <address> <int>                any other memory word
//   gen <name|address> sine|ramp|counter <amplitude> <period ms> [<offset> [<phase>]]
//
// Generators: sine offset + amplitude * sin(2 pi t / period); ramp rises from
// offset to offset + amplitude once per period; counter adds one per period,
// wrapping at amplitude when it is 1 or more. The phase, in degrees, shifts
// a wave along the time axis. A generator names a variable or register
// declared above it, or an address.

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ctrlsim {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

bool parseInt(const std::string& text, long long& out) {
    std::string t = text;
    bool negative = false;
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        negative = t[0] == '-';
        t.erase(0, 1);
    }
    int base = 10;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        t.erase(0, 2);
    } else if (t.size() > 1 && t[0] == '$') {
        base = 16;
        t.erase(0, 1);
    }
    if (t.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(t.c_str(), &end, base);
    if (*end != '\0' || errno != 0 || !std::isxdigit(static_cast<unsigned char>(t[0])))
        return false;
    out = negative ? -v : v;
    return true;
}

bool parseNumber(const std::string& text, double& out) {
    long long i;
    if (parseInt(text, i)) {
        out = double(i);
        return true;
    }
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0';
}

} // namespace

Layout Layout::parse(std::istream& in, const std::string& source) {
    Layout layout;
    std::string line;
    int lineNo = 0;
    auto fail = [&](const std::string& what) {
        throw std::runtime_error(source + ":" + std::to_string(lineNo) + ": " + what);
    };
    auto address = [&](const std::string& text) {
        long long v;
        if (!parseInt(text, v) || v < 0 || v > 0xFFFF)
            fail("not an address: " + text);
        return uint16_t(v);
    };
    auto word = [&](const std::string& text) {
        long long v;
        if (!parseInt(text, v) || v < -32768 || v > 0xFFFF)
            fail("not a 16-bit value: " + text);
        return double(uint16_t(v));
    };
    auto number = [&](const std::string& text) {
        double v;
        if (!parseNumber(text, v))
            fail("not a number: " + text);
        return v;
    };
    auto known = [&](const std::string& name) -> const Variable* {
        for (const auto* list : {&layout.variables_, &layout.registers_})
            for (const Variable& v : *list)
                if (lower(v.name) == lower(name))
                    return &v;
        return nullptr;
    };

    while (std::getline(in, line)) {
        ++lineNo;
        if (auto hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string s; words >> s;)
            w.push_back(s);
        if (w.empty())
            continue;
        const std::string key = lower(w[0]);
        auto arity = [&](std::size_t min, std::size_t max) {
            if (w.size() < min + 1 || w.size() > max + 1)
                fail("wrong number of values for " + key);
        };
        if (key == "plugcode") {
            arity(1, 1);
            layout.plugCode_ = uint16_t(word(w[1]));
        } else if (key == "state") {
            arity(1, 1);
            std::string s = lower(w[1]);
            if (s != "on" && s != "off")
                fail("state is on or off");
            layout.on_ = s == "on";
        } else if (key == "var" || key == "float") {
            arity(2, 3);
            if (layout.variables_.size() == 255)
                fail("the address table holds at most 255 variables");
            uint16_t a = address(w[2]);
            layout.variables_.push_back({w[1], a});
            if (w.size() == 4)
                layout.inits_.push_back(
                    {a, key == "float", key == "float" ? number(w[3]) : word(w[3])});
        } else if (key == "sfr") {
            arity(3, 3);
            uint16_t a = address(w[2]);
            layout.registers_.push_back({w[1], a});
            layout.inits_.push_back({a, false, word(w[3])});
        } else if (key == "word") {
            arity(2, 2);
            layout.inits_.push_back({address(w[1]), false, word(w[2])});
        } else if (key == "gen") {
            arity(4, 6);
            uint16_t a;
            if (const Variable* v = known(w[1]))
                a = v->address;
            else
                a = address(w[1]);
            std::string kind = lower(w[2]);
            Controller::Wave wave;
            if (kind == "sine")
                wave = Controller::Wave::Sine;
            else if (kind == "ramp")
                wave = Controller::Wave::Ramp;
            else if (kind == "counter")
                wave = Controller::Wave::Counter;
            else
                fail("generator is sine, ramp or counter: " + w[2]);
            double period = number(w[4]);
            if (!(period > 0))
                fail("generator period must be positive");
            layout.generators_.push_back({a, wave, number(w[3]), period,
                                          w.size() >= 6 ? number(w[5]) : 0.0,
                                          w.size() == 7 ? number(w[6]) : 0.0});
        } else {
            fail("unknown statement: " + w[0]);
        }
    }
    return layout;
}

Layout Layout::load(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error(path + ": cannot be read");
    return parse(in, path);
}

void Layout::apply(Controller& controller) const {
    controller.setReg(8, plugCode_);
    uint16_t state = controller.reg(7);
    controller.setReg(7, on_ ? uint16_t(state & ~0x0020) : uint16_t(state | 0x0020));
    std::vector<uint16_t> table;
    for (const Variable& v : variables_)
        table.push_back(v.address);
    controller.setAddressTable(std::move(table));
    for (const Init& i : inits_) {
        if (i.isFloat)
            controller.setFloat(i.address, float(i.value));
        else
            controller.setWord(i.address, uint16_t(i.value));
    }
    for (const Gen& g : generators_)
        controller.addGenerator(g.address, g.wave, g.amplitude, g.periodMs, g.offset, g.phaseDeg);
}

} // namespace ctrlsim
