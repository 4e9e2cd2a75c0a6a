#include "tests/e2e/GameProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace E2E {

std::string GameProcess::binaryPath() { return ZELMO_BINARY; }
std::string GameProcess::sourceDir() { return ZELMO_SOURCE_DIR; }

GameProcess::GameProcess(std::vector<std::string> arguments, const std::string& preferences, bool linkData,
                         const std::vector<std::string>& environment,
                         const std::function<void(const std::string& workDir)>& prepare) {
    char pattern[] = "/tmp/zelmo-e2e-XXXXXX";
    m_workDir = mkdtemp(pattern);
    if (linkData) symlink((sourceDir() + "/data").c_str(), (m_workDir + "/data").c_str());
    if (!preferences.empty()) std::ofstream(pathInWorkDir("preferences.cfg"), std::ios::binary) << preferences;
    if (prepare) prepare(m_workDir);
    const std::string stderrPath = m_workDir + "/stderr.txt";

    m_pid = fork();
    if (m_pid == 0) {
        if (chdir(m_workDir.c_str()) != 0) _exit(127);
        // As from a terminal, whatever the test runner inherited (a shell's background job ignores SIGINT).
        signal(SIGINT, SIG_DFL);
        signal(SIGTERM, SIG_DFL);
        // The game ends by unloading the system's GL driver, whose leftovers a sanitizer build
        // could only report as leaks in unknown modules; the unit tests check our own leaks.
        setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        for (const std::string& entry : environment) putenv(const_cast<char*>(entry.c_str()));
        const int err = open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(err, STDERR_FILENO);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        std::vector<char*> argv;
        const std::string binary = binaryPath();
        argv.push_back(const_cast<char*>(binary.c_str()));
        for (auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(binary.c_str(), argv.data());
        _exit(127);
    }
}

GameProcess::~GameProcess() {
    if (m_pid > 0 && !m_exited) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    std::system(("rm -rf '" + m_workDir + "'").c_str());
}

bool GameProcess::waitForExit(int timeoutMs, int& exitCode) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        if (!m_exited && waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_exited = true;
            m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (m_exited) {
            exitCode = m_exitCode;
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool GameProcess::running() {
    int code = 0;
    return !waitForExit(0, code);
}

std::string GameProcess::standardError() const {
    std::ifstream file(m_workDir + "/stderr.txt");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

double cpuSeconds(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(status)), std::istreambuf_iterator<char>());
    // Fields after the command name, which is in parentheses and may hold blanks.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14 || index == 15) ticks += std::stod(field);
        if (index == 15) break;
    }
    return ticks / double(sysconf(_SC_CLK_TCK));
}

}  // namespace E2E
