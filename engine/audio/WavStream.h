#pragma once

#include <string>

#include "engine/audio/Source.h"

namespace Audio {

// A sound file decoded a little at a time while it plays, for long music. Every voice opens the
// file on its own, so the file must stay readable while the source is in use.
class WavStream : public Source {
public:
    // Checks that the file opens as a sound with frames in it; false keeps the earlier file.
    bool load(const std::string& path);

    std::unique_ptr<SourceReader> createReader() const override;

private:
    std::string m_path;
};

}  // namespace Audio
