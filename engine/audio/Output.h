#pragma once

namespace Audio {

class Engine;

// Where mixed sound goes: a device pulling frames on its own thread, or a test pulling them.
class Output {
public:
    virtual ~Output() = default;

    // Starts pulling frames through Engine::mix; false when no device opens.
    virtual bool open(Engine& engine) = 0;

    // Stops pulling; once it returns, the engine is not called again. Harmless when not open.
    virtual void close() = 0;

    // Frames per second, valid from a successful open (and before the first pull).
    virtual int sampleRate() const = 0;
};

}  // namespace Audio
