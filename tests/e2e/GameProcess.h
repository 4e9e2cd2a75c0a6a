#pragma once
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace E2E {

// The real game binary, started in a scratch working directory that links to the repository's
// data folder, so that what it writes (preferences.cfg, the "out" file) can be inspected.
// `preferences`, when not empty, is the preferences file the game finds there: it is written
// before the game starts, which reads it early (on a busy machine, sooner than a test that wrote
// it after the start could). `environment` holds "NAME=value" entries set for the game only;
// `prepare`, when given, fills the working directory further (a data folder of its own) before the
// game starts.
class GameProcess {
public:
    explicit GameProcess(std::vector<std::string> arguments = {}, const std::string& preferences = {},
                         bool linkData = true, const std::vector<std::string>& environment = {},
                         const std::function<void(const std::string& workDir)>& prepare = {});
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    pid_t pid() const { return m_pid; }
    const std::string& workDir() const { return m_workDir; }
    std::string pathInWorkDir(const std::string& name) const { return m_workDir + "/" + name; }

    // Waits up to timeoutMs for the process to end (looking at least once); true with its exit
    // code when it did, however often asked.
    bool waitForExit(int timeoutMs, int& exitCode);
    bool running();
    // Everything the process wrote to standard error so far.
    std::string standardError() const;

    static std::string binaryPath();
    static std::string sourceDir();

private:
    pid_t m_pid = -1;
    bool m_exited = false;
    int m_exitCode = -1;
    std::string m_workDir;
};

// How long the game may take to show its first window, and how long a test waits to see what an
// action shows. Sized for the slowest build (the sanitizers, on the software renderer) on a busy
// two-core machine, where a screen can take many seconds to draw: a wait ends as soon as it sees
// what it waits for, so only a failing test waits this long.
constexpr int kStartTimeoutMs = 60000;
constexpr int kSeeTimeoutMs = 60000;
// The sanitizer build on the software renderer draws the running game at a few frames a second:
// too few for a scan's timing to be caught or a walk to be seen in the time a player would take.
// Walks through the running game that need more skip themselves there; the soak script plays the
// game under the sanitizers instead.
#ifdef ZELMO_E2E_SLOW_GAME_FRAMES
constexpr bool kSlowGameFrames = true;
#else
constexpr bool kSlowGameFrames = false;
#endif
constexpr const char* kSlowGameFramesReason = "the running game draws too few frames a second in this build";

// A screen corner far from any window the game opens, where the pointer is parked.
constexpr int kAwayX = 1900, kAwayY = 1180;

// The whole of a file the game wrote; empty when there is none.
std::string readFile(const std::string& path);

// CPU time (user + system) used so far by a running process, in seconds.
double cpuSeconds(pid_t pid);

}  // namespace E2E
