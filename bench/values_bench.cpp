// CPU cost of one poll tick of the value windows: 10 shown display windows of
// 100 addressed rows each, against the simulator answering without line
// delay. The library's share is measured in the same run by a bare loop of
// the same word reads; what is left over is the windows' own time
// (conversion, padding, cell update, repaint), set against the wire time of
// one word read at 115200 baud.
//
//   values_bench [ticks]

#include "comm/kestro.h"
#include "common/stringgrid.h"
#include "sim/ptysim.h"
#include "tests/testshell.h"
#include "values/representationicons.h"
#include "values/tanzeigeform.h"

#include <QApplication>
#include <QEvent>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int kWindows = 10;
constexpr int kRows = 100;
// 5 echoed bytes of 11 bits each way at 115200 baud.
constexpr double kWordReadWireUs = 5 * 2 * 11 / 115200.0 * 1e6;
constexpr double kTargetShare = 0.05;

double threadCpuUs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

double wallUs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Counts the paints of the grids, to show that each tick repaints.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

uint16_t addressOf(int window, int row) {
    return uint16_t(0x1000 + (window * kRows + row) * 2);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(3, std::atoi(argv[1])) : 10;

    ctrlsim::PtySimulator sim;
    sim.setLineBaud(0);
    TestShell shell;
    shell.start = shell.project = "/tmp/";
    shell.icons = representationIcons();
    shell.handle = kestro_init(sim.path().c_str(), 115200);
    if (shell.handle <= 0) {
        std::fprintf(stderr, "kestro_init failed: %d\n", shell.handle);
        return 1;
    }

    // The six word representations in turn.
    const char* const types[] = {"D", "#", "$", "F", "N", "U"};
    QWidget owner;
    PaintCounter counter;
    std::vector<std::unique_ptr<Tanzeigeform>> windows;
    for (int w = 0; w < kWindows; ++w) {
        auto win = std::make_unique<Tanzeigeform>(shell, &owner);
        win->setObjectName(QString("anzeige%1").arg(w + 1));
        win->setWindowFolder("/nonexistent/");
        StringGrid* g = win->grid();
        g->setRowCount(kRows + 1);
        for (int r = 1; r <= kRows; ++r) {
            g->setCell(0, r, QString::number(addressOf(w, r), 16).toUpper().rightJustified(5, '0'));
            g->setCell(3, r, types[r % 6]);
            g->setCell(4, r, "2,5");
        }
        win->resize(470, 900);
        win->show();
        g->viewport()->installEventFilter(&counter);
        windows.push_back(std::move(win));
    }
    QApplication::processEvents();

    // New values before every tick, so every cell changes and is repainted.
    auto changeValues = [&](int tick) {
        sim.withController([&](ctrlsim::Controller& c) {
            for (int w = 0; w < kWindows; ++w)
                for (int r = 1; r <= kRows; ++r)
                    c.setWord(addressOf(w, r), uint16_t(tick * 7919 + r * 131 + w));
        });
    };

    std::vector<double> tickCpu, tickWall, bareCpu, bareWall, paintCpu;
    int paintsPerTick = 0;
    for (int t = 0; t < ticks; ++t) {
        changeValues(t);
        counter.paints = 0;
        double c0 = threadCpuUs(), w0 = wallUs();
        for (auto& win : windows)
            win->ReadValues();
        const double c1 = threadCpuUs();
        QApplication::processEvents(); // the repaint
        paintCpu.push_back(threadCpuUs() - c1);
        tickCpu.push_back(threadCpuUs() - c0);
        tickWall.push_back(wallUs() - w0);
        paintsPerTick = counter.paints;

        changeValues(t + 1000);
        c0 = threadCpuUs(), w0 = wallUs();
        int32_t raw = 0;
        for (int w = 0; w < kWindows; ++w)
            for (int r = 1; r <= kRows; ++r)
                kestro_int_read(shell.handle, addressOf(w, r), &raw);
        bareCpu.push_back(threadCpuUs() - c0);
        bareWall.push_back(wallUs() - w0);
    }
    kestro_close(shell.handle);

    const int rows = kWindows * kRows;
    const double tc = median(tickCpu), tw = median(tickWall);
    const double bc = median(bareCpu), bw = median(bareWall);
    const double ownCpuPerRow = std::max(0.0, tc - bc) / rows;
    const double ownWallPerRow = std::max(0.0, tw - bw) / rows;

    std::printf("values_bench: %d windows x %d addressed rows, %d ticks, medians\n", kWindows,
                kRows, ticks);
    std::printf("  tick (ReadValues of all windows + repaint): cpu %9.0f us  wall %9.0f us\n", tc,
                tw);
    std::printf("  bare kestro_int_read loop, same rows:       cpu %9.0f us  wall %9.0f us\n", bc,
                bw);
    std::printf("  of the tick, the repaint alone:             cpu %9.0f us\n", median(paintCpu));
    std::printf("  grid paints per tick: %d (one per window)\n", paintsPerTick);
    std::printf("  windows' own time per row: cpu %.2f us  wall %.2f us\n", ownCpuPerRow,
                ownWallPerRow);
    std::printf("  wire time of one word read at 115200 baud: %.0f us\n", kWordReadWireUs);
    const double share = ownCpuPerRow / kWordReadWireUs;
    std::printf("  own cpu per row / wire time: %.2f%%  (target < %.0f%%) %s\n", share * 100,
                kTargetShare * 100, share < kTargetShare ? "ok" : "MISSED");
    return 0;
}
