// ctrlsim: the controller simulator as a program, for the demo and the
// end-to-end tests. Prints the device path as its first line and serves
// until SIGINT or SIGTERM.

#include "layout.h"
#include "ptysim.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int usage() {
    std::fprintf(stderr, "usage: ctrlsim [--layout FILE] [--link PATH] [--baud N]\n");
    return 2;
}

// Replaces an old symlink, never a real file.
bool makeLink(const std::string& link, const std::string& target) {
    struct stat st;
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::fprintf(stderr, "ctrlsim: %s exists and is not a symlink\n", link.c_str());
            return false;
        }
        ::unlink(link.c_str());
    }
    if (::symlink(target.c_str(), link.c_str()) != 0) {
        std::fprintf(stderr, "ctrlsim: cannot link %s: %s\n", link.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

// Removes the link only while it still points at our device.
void removeLink(const std::string& link, const std::string& target) {
    char buf[4096];
    ssize_t n = ::readlink(link.c_str(), buf, sizeof buf - 1);
    if (n < 0)
        return;
    buf[n] = '\0';
    if (target == buf)
        ::unlink(link.c_str());
}

} // namespace

int main(int argc, char** argv) {
    std::string layoutFile, link;
    int baud = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc)
            return usage();
        if (arg == "--layout") {
            layoutFile = argv[++i];
        } else if (arg == "--link") {
            link = argv[++i];
        } else if (arg == "--baud") {
            char* end = nullptr;
            long v = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || v < 0 || v > 4000000)
                return usage();
            baud = int(v);
        } else {
            return usage();
        }
    }

    // Block the stop signals before the serving thread starts, so only
    // sigwait below ever sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    // Whoever reads our first line may close the pipe afterwards.
    std::signal(SIGPIPE, SIG_IGN);

    try {
        ctrlsim::Layout layout;
        if (!layoutFile.empty())
            layout = ctrlsim::Layout::load(layoutFile);
        ctrlsim::PtySimulator sim;
        sim.setLogging(false);
        sim.setLineBaud(baud);
        if (!layoutFile.empty())
            sim.withController([&](ctrlsim::Controller& c) { layout.apply(c); });
        // The link exists before the path is printed, so a reader of the
        // first line can use either.
        if (!link.empty() && !makeLink(link, sim.path()))
            return 1;
        std::printf("%s\n", sim.path().c_str());
        std::fflush(stdout);
        int sig = 0;
        sigwait(&stopSignals, &sig);
        if (!link.empty())
            removeLink(link, sim.path());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ctrlsim: %s\n", e.what());
        return 1;
    }
    return 0;
}
