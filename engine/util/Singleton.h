#pragma once

namespace Util {

// Marker base for a class with exactly one process-wide instance, reached through
// T::instance(): a function-local static, created on first use and destroyed at exit.
template <typename T>
class Singleton {
public:
    static T& instance() {
        static T s_instance;
        return s_instance;
    }

protected:
    Singleton() = default;
    ~Singleton() = default;
};

}  // namespace Util
