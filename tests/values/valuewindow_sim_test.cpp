// The value windows against the in-process simulator through the real library.
#include "valuewindow_testshell.h"

#include "comm/kestro.h"
#include "common/scripteddialogs.h"
#include "common/stringgridmodel.h"
#include "sim/ptysim.h"
#include "values/tanzeigeform.h"
#include "values/teingabeform.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes intWriteFrame(uint16_t address, uint16_t value) {
    return {0x0C,
            0x00,
            0x08,
            0x11,
            uint8_t(address >> 8),
            uint8_t(address),
            uint8_t(value >> 8),
            uint8_t(value),
            0x09,
            0xFA};
}

Bytes floatWriteFrame(uint16_t address, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    const uint16_t high = uint16_t(address + 2);
    return {0x0C,
            0x00,
            0x08,
            0x11,
            uint8_t(address >> 8),
            uint8_t(address),
            uint8_t(bits >> 8),
            uint8_t(bits),
            0x08,
            0x11,
            uint8_t(high >> 8),
            uint8_t(high),
            uint8_t(bits >> 24),
            uint8_t(bits >> 16),
            0x09,
            0xFA};
}

class ValueWindowSimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        shell.start = dir.path() + "/";
        shell.project = shell.start;
        handle = kestro_init(sim.path().c_str(), 115200);
        ASSERT_GT(handle, 0);
        shell.handle = handle;
        // Past the first exchange, the one a busy machine most often delays.
        for (int i = 0; i < 5 && kestro_synchronisation(handle) != KESTRO_OK; ++i) {
        }
        sim.clearLog();
    }
    void TearDown() override { kestro_close(handle); }

    template <class W> std::unique_ptr<W> make(const QString& name) {
        auto w = std::make_unique<W>(shell, &owner);
        w->setObjectName(name);
        w->setWindowFolder(shell.project);
        return w;
    }

    void words(std::initializer_list<std::pair<uint16_t, uint16_t>> values) {
        sim.withController([&](ctrlsim::Controller& c) {
            for (auto [a, v] : values)
                c.setWord(a, v);
        });
    }

    static QString shown(StringGrid* g, int col, int row) { return g->cell(col, row).trimmed(); }

    ctrlsim::PtySimulator sim;
    int32_t handle = 0;
    QTemporaryDir dir;
    ValueWindowShell shell;
    ScriptedDialogs dialogs;
    QWidget owner;
};

TEST_F(ValueWindowSimTest, DisplayWindowShowsChangingValuesInEachRepresentation) {
    // Never shown: hidden windows are read as well.
    auto w = make<Tanzeigeform>("anzeige1");
    StringGrid* g = w->grid();
    struct Row {
        QString address, type, scaling;
        uint16_t at;
        uint16_t first, second; // words at the address
        QString shownFirst, shownSecond;
    };
    const Row rows[] = {
        {"00100", "D", "", 0x100, 65535, 32769, "-1", "-32767"},
        {"00102", "#", "", 0x102, 5, 32768, "0000.0000.0000.0101", "1000.0000.0000.0000"},
        {"00104", "$", "", 0x104, 0x1A, 0xFFFF, "001A", "FFFF"},
        {"00106", "F", "", 0x106, 16384, 1, "0,5", "3,051758E-5"},
        {"0010C", "N", "2", 0x10C, 16384, 8192, "1", "0,5"},
        {"0010E", "U", "", 0x10E, 65535, 32768, "65535", "32768"},
        {"00110", "D", "", 0x110, 32768, 0, "32768", "0"},
    };
    int r = 1;
    for (const Row& row : rows) {
        g->setCell(0, r, row.address);
        g->setCell(3, r, row.type);
        g->setCell(4, r, row.scaling);
        ++r;
    }
    // A float, a scaling value that is not a number, a bad address, a lower-case type.
    g->setCell(0, 8, "00120");
    g->setCell(3, 8, "G");
    g->setCell(0, 9, "00130");
    g->setCell(3, 9, "N");
    g->setCell(4, 9, "abc");
    g->setCell(2, 9, "old");
    g->setCell(0, 10, "xyz");
    g->setCell(2, 10, "old");

    // A loaded machine can make a single exchange miss its byte time; such a
    // row keeps its text until the next tick, so a tick is repeated until all
    // rows show (or five ticks have passed).
    int ticks = 0;
    auto stage = [&](bool second, float f, const QString& floatShown) {
        sim.withController([&](ctrlsim::Controller& c) {
            for (const Row& row : rows)
                c.setWord(row.at, second ? row.second : row.first);
            c.setFloat(0x120, f);
            c.setWord(0x130, 16384);
        });
        auto allShown = [&] {
            for (int i = 0; i < int(std::size(rows)); ++i)
                if (shown(g, 2, i + 1) != (second ? rows[i].shownSecond : rows[i].shownFirst))
                    return false;
            return shown(g, 2, 8) == floatShown;
        };
        for (int attempt = 0; attempt < 5 && (attempt == 0 || !allShown()); ++attempt) {
            QSignalSpy changed(g->gridModel(), &QAbstractItemModel::dataChanged);
            w->ReadValues();
            ++ticks;
            // One view update for the whole tick.
            if (attempt == 0) {
                EXPECT_EQ(changed.count(), 1);
            }
            EXPECT_LE(changed.count(), 1);
        }
        for (int i = 0; i < int(std::size(rows)); ++i)
            EXPECT_EQ(shown(g, 2, i + 1), second ? rows[i].shownSecond : rows[i].shownFirst)
                << rows[i].type.toStdString();
        EXPECT_EQ(shown(g, 2, 8), floatShown);
        EXPECT_EQ(g->cell(2, 9), "old");
        EXPECT_EQ(g->cell(2, 10), "old");
    };
    stage(false, 1.5f, "1,5");
    // Right-aligned by padding, up to 10 pixels short of the column.
    EXPECT_GE(g->textWidth(g->cell(2, 1)), 50 - 10);
    EXPECT_TRUE(g->cell(2, 1).startsWith(' '));
    stage(true, -0.25f, "-0,25");

    // Nine addressed rows, one read each and two for the float; row 10 has no address.
    const Bytes log = sim.log();
    size_t frames = 0, i = 0;
    while (i < log.size()) {
        ASSERT_EQ(log[i], 0x01);
        i += 5, ++frames;
    }
    EXPECT_EQ(frames, size_t(ticks) * 10);
}

TEST_F(ValueWindowSimTest, NoReadsWithoutPortOrDataUpdate) {
    auto w = make<Tanzeigeform>("anzeige1");
    StringGrid* g = w->grid();
    g->setCell(0, 1, "00100");
    g->setCell(3, 1, "U");
    words({{0x100, 7}});

    w->findChild<QRadioButton*>("radiogroup1no")->click();
    w->ReadValues();
    shell.handle = 0;
    w->findChild<QRadioButton*>("radiogroup1yes")->click();
    w->ReadValues();
    EXPECT_EQ(g->cell(2, 1), "");
    EXPECT_TRUE(sim.log().empty());

    shell.handle = handle;
    for (int i = 0; i < 5 && shown(g, 2, 1) != "7"; ++i)
        w->ReadValues();
    EXPECT_EQ(shown(g, 2, 1), "7");
}

TEST_F(ValueWindowSimTest, ParameterWindowReadsWithItsOwnPrecision) {
    auto w = make<Teingabeform>("eingabe1");
    StringGrid* g = w->grid();
    g->setCell(0, 1, "00100");
    g->setCell(5, 1, "F");
    words({{0x100, 1}});
    for (int i = 0; i < 5 && g->cell(2, 1).isEmpty(); ++i)
        w->ReadValues();
    EXPECT_EQ(shown(g, 2, 1), "3,0518E-5");
    EXPECT_EQ(g->cell(3, 1), "");
}

TEST_F(ValueWindowSimTest, SendWritesExactlyTheMarkedRows) {
    struct Row {
        QString address, input, mark, type, scaling;
    };
    const Row rows[] = {
        {"00200", "100", "Y", "D", ""}, {"00202", "5", "N", "D", ""}, // not marked
        {"00204", "7", "y", "D", ""},   // lower case counts as not marked
        {"", "1", "Y", "D", ""},        // no address
        {"00206", "abc", "Y", "D", ""}, // not a number
        {"00208", "0,5", "Y", "F", ""}, // 16384
        {"0020A", "1,5", "Y", "G", ""}, // float
        {"00210", "-5", "Y", "D", ""},  // 0xFFFB
        {"00212", "1", "Y", "", ""},    // no type: nothing to send
        {"00214", "3", "Y", "N", "0"},  // zero scaling: skipped
    };
    for (bool locked : {false, true}) {
        SCOPED_TRACE(locked);
        auto w = make<Teingabeform>("eingabe1");
        w->setLocked(locked);
        StringGrid* g = w->grid();
        int r = 1;
        for (const Row& row : rows) {
            g->setRowCells(
                r++, {row.address, "", "", row.input, row.mark, row.type, row.scaling, "", ""});
        }
        // Sending does not depend on "Data update".
        w->findChild<QRadioButton*>("radiogroup1no")->click();
        sim.withController([](ctrlsim::Controller& c) {
            for (uint16_t a = 0x200; a < 0x218; a += 2)
                c.setWord(a, 0x1111);
        });
        sim.clearLog();
        w->sendenclick();

        Bytes expected;
        for (const Bytes& f : {intWriteFrame(0x200, 100), intWriteFrame(0x208, 16384),
                               floatWriteFrame(0x20A, 1.5f), intWriteFrame(0x210, 0xFFFB)})
            expected.insert(expected.end(), f.begin(), f.end());
        EXPECT_EQ(sim.log(), expected);
        sim.withController([](ctrlsim::Controller& c) {
            EXPECT_EQ(c.word(0x200), 100);
            EXPECT_EQ(c.word(0x202), 0x1111);
            EXPECT_EQ(c.word(0x204), 0x1111);
            EXPECT_EQ(c.word(0x206), 0x1111);
            EXPECT_EQ(c.word(0x208), 16384);
            EXPECT_EQ(c.floatAt(0x20A), 1.5f);
            EXPECT_EQ(c.word(0x210), 0xFFFB);
            EXPECT_EQ(c.word(0x212), 0x1111);
            EXPECT_EQ(c.word(0x214), 0x1111);
        });
        // The marks stay.
        EXPECT_EQ(g->cell(4, 1), "Y");
    }

    // No port: nothing goes out.
    auto w = make<Teingabeform>("eingabe2");
    w->grid()->setRowCells(1, {"00200", "", "", "9", "Y", "D", "", "", ""});
    shell.handle = 0;
    sim.clearLog();
    w->sendenclick();
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(ValueWindowSimTest, TypedInputIsNormalisedSentAndReadBack) {
    auto w = make<Teingabeform>("eingabe1");
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    StringGrid* g = w->grid();
    g->setFocus();
    g->setRowCells(1, {"00300", "", "", "", "Y", "F", "", "", ""});
    g->setRowCells(2, {"00302", "", "", "", "N", "$", "", "", ""});
    g->setRowCells(3, {"00304", "", "", "", "Y", "U", "", "", ""});

    g->setCurrent(3, 1);
    typeInto(g, "0,5\r");
    EXPECT_EQ(shown(g, 3, 1), "0,5");
    g->setCurrent(3, 2);
    typeInto(g, "1a\r");
    EXPECT_EQ(shown(g, 3, 2), "001A");
    g->setCurrent(4, 2);
    typeInto(g, "y");
    EXPECT_EQ(g->cell(4, 2), "Y");
    // Typed without Enter: still sent as it stands.
    g->setCurrent(3, 3);
    typeInto(g, "77");

    w->findChild<QPushButton*>("senden")->click();
    sim.withController([](ctrlsim::Controller& c) {
        EXPECT_EQ(c.word(0x300), 16384);
        EXPECT_EQ(c.word(0x302), 26);
        EXPECT_EQ(c.word(0x304), 77);
    });

    for (int i = 0;
         i < 5 && (shown(g, 2, 1) != "0,5" || shown(g, 2, 2) != "001A" || shown(g, 2, 3) != "77");
         ++i)
        w->ReadValues();
    EXPECT_EQ(shown(g, 2, 1), "0,5");
    EXPECT_EQ(shown(g, 2, 2), "001A");
    EXPECT_EQ(shown(g, 2, 3), "77");
}

} // namespace
