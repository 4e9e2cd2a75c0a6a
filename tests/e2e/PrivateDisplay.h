#pragma once
#include <sys/types.h>

#include <string>

namespace E2E {

// A test display of its own (Xvfb picks a free number), made this process's DISPLAY, so that
// walks that press keys and move the pointer can run side by side without crossing.
//
// Every e2e test process starts one before its first test (CTest runs each suite in a process of
// its own, so each suite has its own display), where a test display was given: script/test
// starts one; without it the tests skip themselves. When the private display cannot start, the
// process fails before any test runs.
class PrivateDisplay {
public:
    PrivateDisplay();
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // False, with the reason, when no display could be started.
    bool started() const { return !m_name.empty(); }
    const std::string& failure() const { return m_failure; }

private:
    pid_t m_pid = -1;
    std::string m_name;
    std::string m_failure;
};

}  // namespace E2E
