#include "tests/e2e/PrivateDisplay.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace E2E {

PrivateDisplay::PrivateDisplay() {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        m_failure = "no pipe for Xvfb";
        return;
    }
    m_pid = fork();
    if (m_pid == 0) {
        close(pipeEnds[0]);
        // A test process that is killed (a CTest timeout) takes its display with it.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const std::string fd = std::to_string(pipeEnds[1]);
        // Room for a full-HD window; -noreset keeps the pointer where a test left it.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1920x1200x24", "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string number;
    pollfd ready{pipeEnds[0], POLLIN, 0};
    char c = 0;
    while (poll(&ready, 1, 10000) > 0 && read(pipeEnds[0], &c, 1) == 1 && c != '\n') number += c;
    close(pipeEnds[0]);
    if (number.empty()) {
        m_failure = "Xvfb did not start";
        return;
    }
    m_name = ":" + number;
    setenv("DISPLAY", m_name.c_str(), 1);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
}

PrivateDisplay::~PrivateDisplay() {
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
}

namespace {

class PrivateDisplayForEveryTest : public ::testing::Environment {
public:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) return;
        m_display = std::make_unique<PrivateDisplay>();
        ASSERT_TRUE(m_display->started()) << m_display->failure();
    }
    void TearDown() override { m_display.reset(); }

private:
    std::unique_ptr<PrivateDisplay> m_display;
};

::testing::Environment* const s_privateDisplayForEveryTest =
    ::testing::AddGlobalTestEnvironment(new PrivateDisplayForEveryTest);

}  // namespace

}  // namespace E2E
