#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

extern char** environ;

namespace {

// Runs ctrlsim with its stdout on a pipe.
class Program {
  public:
    explicit Program(std::vector<std::string> args) {
        args.insert(args.begin(), CTRLSIM_EXE);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int p[2];
        EXPECT_EQ(::pipe(p), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, p[1], 1);
        posix_spawn_file_actions_addclose(&actions, p[0]);
        EXPECT_EQ(posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        ::close(p[1]);
        out_ = p[0];
    }
    ~Program() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(out_);
    }

    std::string firstLine() {
        std::string line;
        char c;
        pollfd p{out_, POLLIN, 0};
        while (::poll(&p, 1, 5000) == 1 && ::read(out_, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }

    // Exit status after the signal, or -1.
    int stop(int sig = SIGTERM) {
        ::kill(pid_, sig);
        return wait();
    }
    int wait() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
};

int exchange(int fd, uint8_t b) {
    if (::write(fd, &b, 1) != 1)
        return -1;
    pollfd p{fd, POLLIN, 0};
    uint8_t r;
    if (::poll(&p, 1, 1000) != 1 || ::read(fd, &r, 1) != 1)
        return -1;
    return r;
}

fs::path tempDir() {
    char tmpl[] = "/tmp/ctrlsim_testXXXXXX";
    return fs::path(::mkdtemp(tmpl));
}

TEST(CtrlsimProgram, ServesTheLayoutBehindALink) {
    fs::path dir = tempDir();
    fs::path link = dir / "ttyDemo";
    fs::create_symlink("/nonexistent", link); // an old link is replaced
    Program sim({"--layout", std::string(CTRLSIM_DEMO_DIR) + "/ctrlsim.layout", "--link",
                 link.string(), "--baud", "115200"});
    std::string device = sim.firstLine();
    ASSERT_EQ(device.rfind("/dev/pts/", 0), 0u) << device;
    EXPECT_EQ(fs::read_symlink(link), device);

    int fd = ::open(link.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios tio;
    ::tcgetattr(fd, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(fd, TCSANOW, &tio);
    EXPECT_EQ(exchange(fd, 0x00), 0xAA);
    EXPECT_EQ(exchange(fd, 0x19), 0x19);
    EXPECT_EQ(exchange(fd, 0x03), 34) << "variables in the demo layout";
    EXPECT_EQ(exchange(fd, 0x12), 0x12);
    EXPECT_EQ(exchange(fd, 0x08), 0x08);
    EXPECT_EQ(exchange(fd, 0x00), 0x2A);
    EXPECT_EQ(exchange(fd, 0x00), 0x51);
    ::close(fd);

    EXPECT_EQ(sim.stop(SIGINT), 0);
    EXPECT_FALSE(fs::is_symlink(link)) << "removed on exit";
    fs::remove_all(dir);
}

TEST(CtrlsimProgram, RefusesBadStarts) {
    fs::path dir = tempDir();
    fs::path file = dir / "notalink";
    std::ofstream(file) << "keep me";
    {
        Program sim({"--link", file.string()});
        sim.firstLine();
        EXPECT_EQ(sim.wait(), 1);
        EXPECT_TRUE(fs::is_regular_file(file)) << "a real file is never replaced";
    }
    {
        fs::path layout = dir / "bad.layout";
        std::ofstream(layout) << "var x 0x10000\n";
        Program sim({"--layout", layout.string()});
        EXPECT_EQ(sim.firstLine(), "") << "no device before the layout is good";
        EXPECT_EQ(sim.wait(), 1);
    }
    {
        Program sim({"--baud"});
        EXPECT_EQ(sim.wait(), 2);
    }
    fs::remove_all(dir);
}

} // namespace
