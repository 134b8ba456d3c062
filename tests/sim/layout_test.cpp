#include "sim/layout.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

using ctrlsim::Controller;
using ctrlsim::Layout;

namespace {

std::vector<std::string> lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.push_back(line);
    }
    return out;
}

Layout parse(const std::string& text) {
    std::istringstream in(text);
    return Layout::parse(in, "test");
}

TEST(Layout, StatementsSetUpTheController) {
    Layout layout = parse("plugcode $2A51\n"
                          "state on   # comment\n"
                          "var speed 0x0400 -2\n"
                          "float torque 0x0480 12.5\n"
                          "var flags 0x0484 0xFFFF\n"
                          "sfr ADRES0 0xFF22 7\n"
                          "word 0x0010 32768\n"
                          "gen SPEED sine 1000 100 0 90\n"
                          "gen 0xFF22 counter 0 1\n");
    ASSERT_EQ(layout.variables().size(), 3u);
    EXPECT_EQ(layout.variables()[1].name, "torque");
    EXPECT_EQ(layout.registers()[0].address, 0xFF22);

    Controller c;
    layout.apply(c);
    EXPECT_EQ(c.reg(8), 0x2A51);
    EXPECT_EQ(c.reg(7) & 0x20, 0) << "on";
    EXPECT_EQ(c.addressTable(), (std::vector<uint16_t>{0x0400, 0x0480, 0x0484}));
    EXPECT_FLOAT_EQ(c.floatAt(0x0480), 12.5f);
    EXPECT_EQ(c.word(0x0484), 0xFFFF);
    EXPECT_EQ(c.word(0x0010), 0x8000);
    EXPECT_EQ(c.word(0x0400), 1000) << "the generator's phase puts the sine at its peak";
    c.advance(50);
    EXPECT_EQ(int16_t(c.word(0x0400)), -1000);
    EXPECT_EQ(c.word(0xFF22), 50);
}

TEST(Layout, FaultsNameTheirLine) {
    const char* bad[] = {
        "var x 0x10000",       "var x",
        "state maybe",         "gen nobody sine 1 1",
        "gen 0x10 square 1 1", "gen 0x10 sine 1 0",
        "word 0x10 70000",     "frobnicate 1",
        "float f 0x10 twelve", "plugcode 1 2",
    };
    for (const char* line : bad) {
        try {
            parse(std::string("plugcode 1\n\n") + line + "\n");
            ADD_FAILURE() << "accepted: " << line;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("test:3:"), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(Layout::load("/nonexistent/ctrlsim.layout"), std::runtime_error);
}

// The demo's project files must describe the controller that the demo layout
// simulates, or the demo shows wrong names at the addresses.
TEST(Layout, DemoProjectMatchesTheDemoLayout) {
    const std::string demo = CTRLSIM_DEMO_DIR;
    Layout layout = Layout::load(demo + "/ctrlsim.layout");

    std::vector<std::string> varlist = lines(demo + "/project/varlist.txt");
    ASSERT_EQ(varlist.size(), layout.variables().size());
    for (std::size_t i = 0; i < varlist.size(); ++i) {
        auto eq = varlist[i].find('=');
        ASSERT_NE(eq, std::string::npos) << varlist[i];
        EXPECT_EQ(varlist[i].substr(0, eq), layout.variables()[i].name) << "line " << i + 1;
        EXPECT_FALSE(varlist[i].substr(eq + 1).empty()) << "scaling value on line " << i + 1;
    }

    std::map<std::string, uint16_t> registers;
    for (const Layout::Variable& r : layout.registers())
        registers[r.name] = r.address;
    std::size_t named = 0;
    for (const std::string& line : lines(demo + "/project/spezreg.txt")) {
        auto eq = line.find('=');
        ASSERT_NE(eq, std::string::npos) << line;
        if (line[0] == '#')
            continue;
        ++named;
        auto it = registers.find(line.substr(0, eq));
        ASSERT_NE(it, registers.end()) << line;
        EXPECT_EQ(std::stoul(line.substr(eq + 1), nullptr, 16), it->second) << line;
    }
    EXPECT_EQ(named, registers.size());

    Controller c;
    layout.apply(c);
    ASSERT_EQ(c.addressTable().size(), layout.variables().size());
    uint16_t before = c.word(layout.variables()[1].address);
    c.advance(1000);
    EXPECT_NE(c.word(layout.variables()[1].address), before) << "n_ist moves";
}

} // namespace
