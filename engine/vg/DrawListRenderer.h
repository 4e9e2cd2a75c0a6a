#pragma once

#include <imgui.h>

#include <cstdint>

#include "engine/gfx/Handles.h"

namespace vg {

class FontAtlas;

// Hands a Dear ImGui draw list to the renderer as one view's draws: its own program, the font
// atlas as a texture (uploaded again whenever the atlas is baked anew) and alpha blending.
class DrawListRenderer {
public:
    explicit DrawListRenderer(gfx::ViewId view);
    ~DrawListRenderer();
    DrawListRenderer(const DrawListRenderer&) = delete;
    DrawListRenderer& operator=(const DrawListRenderer&) = delete;

    // The view covers width × height units at pixelRatio pixels per unit, from the top-left.
    // False, with nothing submitted, when the frame's transient buffers cannot take the list.
    bool submit(const ImDrawList& list, FontAtlas& atlas, float width, float height, float pixelRatio);

private:
    void uploadAtlas(FontAtlas& atlas);

    gfx::ViewId m_view;
    gfx::ProgramHandle m_program;
    gfx::UniformHandle m_sampler;
    gfx::TextureHandle m_texture;
    uint32_t m_textureVersion = 0;
};

}  // namespace vg
