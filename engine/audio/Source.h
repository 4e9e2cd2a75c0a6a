#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Audio {

// One playing instance of a source, read as interleaved stereo float frames at its own rate.
class SourceReader {
public:
    virtual ~SourceReader() = default;

    virtual int sampleRate() const = 0;

    // Fills up to `frames` frames; returns fewer only when the sound has ended.
    virtual std::size_t read(float* stereo, std::size_t frames) = 0;

    // Goes back to the first frame, for looping; false when the sound cannot be read again.
    virtual bool rewind() = 0;
};

// Something that can be played: a decoded file, a file decoded while it plays, synthesised speech.
// A voice reads through its own reader, which owns or shares everything it needs, so a source may
// be freed while its voices still play.
class Source {
public:
    Source();
    virtual ~Source() = default;
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    // Both flags are taken when a voice starts; changing them leaves playing voices alone.
    void setLooping(bool looping);
    bool isLooping() const;
    void setSingleInstance(bool singleInstance);
    bool isSingleInstance() const;

    // Unique for the process's lifetime, so voices can name their source without pointing at it.
    std::uint64_t id() const;

    // A reader at the first frame, or null when there is nothing to read (not loaded, file gone).
    virtual std::unique_ptr<SourceReader> createReader() const = 0;

private:
    std::uint64_t m_id;
    bool m_looping = false;
    bool m_singleInstance = false;
};

}  // namespace Audio
