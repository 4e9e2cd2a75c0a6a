#pragma once

// Inspection of the recording back end (Init::backend = Backend::Recording): it runs no GPU,
// keeps resource contents in memory (so texture uploads and read-backs behave as on the GPU,
// minus drawing) and keeps the last frame that frame() ran.

#include <cstring>
#include <vector>

#include "engine/gfx/Frame.h"

namespace gfx {

class Recording {
public:
    virtual ~Recording() = default;

    // The last frame run: its passes in execution order, each with its draws.
    virtual const FrameData& lastFrame() const = 0;
    virtual uint32_t framesRun() const = 0;

    // The bytes of the vertices a draw uses: transient ones as the frame held them, dynamic ones as
    // the buffer holds them now.
    virtual std::vector<uint8_t> vertexBytes(const Draw& draw) const = 0;
    virtual std::vector<uint16_t> indices(const Draw& draw) const = 0;
    // The draw's value of a vec4 uniform (4 × its count floats), or null when it had none.
    virtual const float* uniform(const Draw& draw, UniformHandle uniform) const = 0;

    // The pass of a view in the last frame, or null when the view did not run.
    const ViewPass* pass(ViewId view) const {
        for (const ViewPass& pass : lastFrame().passes) {
            if (pass.id == view) {
                return &pass;
            }
        }
        return nullptr;
    }

    const Draw& draw(const ViewPass& pass, uint32_t i) const { return lastFrame().draws[pass.firstDraw + i]; }

    template <typename Vertex>
    std::vector<Vertex> vertices(const Draw& draw) const {
        std::vector<uint8_t> bytes = vertexBytes(draw);
        std::vector<Vertex> result(bytes.size() / sizeof(Vertex));
        std::memcpy(result.data(), bytes.data(), result.size() * sizeof(Vertex));
        return result;
    }
};

// Null unless the recording back end is running.
const Recording* recording();

}  // namespace gfx
