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

GameProcess::GameProcess(std::vector<std::string> arguments, bool linkData,
                         const std::vector<std::string>& environment) {
    char l_template[] = "/tmp/zelmo-e2e-XXXXXX";
    m_workDir = mkdtemp(l_template);
    if (linkData) symlink((sourceDir() + "/data").c_str(), (m_workDir + "/data").c_str());
    const std::string l_stderrPath = m_workDir + "/stderr.txt";

    m_pid = fork();
    if (m_pid == 0) {
        if (chdir(m_workDir.c_str()) != 0) _exit(127);
        // As from a terminal, whatever the test runner inherited (a shell's background job ignores SIGINT).
        signal(SIGINT, SIG_DFL);
        signal(SIGTERM, SIG_DFL);
        // The game ends by unloading the system's GL driver, whose leftovers a sanitizer build
        // could only report as leaks in unknown modules; the unit tests check our own leaks.
        setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        for (const std::string& l_entry : environment) putenv(const_cast<char*>(l_entry.c_str()));
        const int l_err = open(l_stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(l_err, STDERR_FILENO);
        const int l_null = open("/dev/null", O_RDWR);
        dup2(l_null, STDIN_FILENO);
        dup2(l_null, STDOUT_FILENO);
        std::vector<char*> l_argv;
        const std::string l_binary = binaryPath();
        l_argv.push_back(const_cast<char*>(l_binary.c_str()));
        for (auto& l_argument : arguments) l_argv.push_back(const_cast<char*>(l_argument.c_str()));
        l_argv.push_back(nullptr);
        execv(l_binary.c_str(), l_argv.data());
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
    const auto l_deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < l_deadline) {
        int l_status = 0;
        if (waitpid(m_pid, &l_status, WNOHANG) == m_pid) {
            m_exited = true;
            exitCode = WIFEXITED(l_status) ? WEXITSTATUS(l_status) : 128 + WTERMSIG(l_status);
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool GameProcess::running() {
    if (m_exited) return false;
    int l_code = 0;
    return !waitForExit(0, l_code);
}

std::string GameProcess::standardError() const {
    std::ifstream l_file(m_workDir + "/stderr.txt");
    std::stringstream l_text;
    l_text << l_file.rdbuf();
    return l_text.str();
}

double cpuSeconds(pid_t pid) {
    std::ifstream l_stat("/proc/" + std::to_string(pid) + "/stat");
    std::string l_text((std::istreambuf_iterator<char>(l_stat)), std::istreambuf_iterator<char>());
    // Fields after the command name, which is in parentheses and may hold blanks.
    std::istringstream l_fields(l_text.substr(l_text.rfind(')') + 2));
    std::string l_field;
    double l_ticks = 0;
    for (int l_index = 3; l_fields >> l_field; ++l_index) {
        if (l_index == 14 || l_index == 15) l_ticks += std::stod(l_field);
        if (l_index == 15) break;
    }
    return l_ticks / double(sysconf(_SC_CLK_TCK));
}

}  // namespace E2E
