#pragma once

// The glow-line renderer behind the whole picture.
//
// A frame is described as polylines in display pixels (beginDraw, drawTo..., endDraw between
// beginFrame and endFrame). Each polyline becomes textured triangles whose 64 x 64 line texture
// falls off from the centre of the line, with round-ish joints where segments meet and soft
// caps at open ends. endFrame keeps the frame in a ring of vertex buffers and redraws the
// frames before it fainter (a phosphor trail), blurs the scene into two glow frame buffers at a
// third of its resolution, and composites scene and glow onto the back buffer.
//
// Views: a display uses a run of consecutive renderer views starting at its first view (the
// scene, then two per blur pass, then the two composites) and endFrame returns the first view
// it left free. Displays stacked on one screen each get their own range; the bottom one passes
// firstLayer = true to endFrame, the ones above false, so black in their picture lets the lower
// layers show through.

#include <cstdint>
#include <utility>
#include <vector>

#include "engine/gfx/Handles.h"
#include "engine/gfx/VertexFormats.h"

class VectorDisplay {
public:
    static constexpr int kDefaultVertexBudget = 400000;
    static constexpr int kMaxDecaySteps = 60;
    static constexpr int kLineTextureSize = 64;

    // originBottomLeft: render-target textures have row 0 at the bottom (gfx::caps()).
    // texelHalf: the half-texel offset of the renderer, 0 where texel centres need none.
    VectorDisplay(bool originBottomLeft, float texelHalf);
    ~VectorDisplay();
    VectorDisplay(const VectorDisplay&) = delete;
    VectorDisplay& operator=(const VectorDisplay&) = delete;

    // vertexBudget: the most vertices one frame may hold; 0 or less means kDefaultVertexBudget.
    void init(uint16_t superSample, uint16_t width, uint16_t height, int firstView, int vertexBudget);
    void resize(uint16_t width, uint16_t height);
    // Releases every renderer resource; safe to call more than once.
    void teardown();

    void getSize(float& width, float& height) const;
    int getFirstView() const { return m_firstView; }
    // Also forgets the highest composite view, so a second picture drawn on this display in the
    // same frame composites in its own range and never over the first.
    void setFirstView(int view);

    void setDrawColor(const uint32_t& abgr);
    // Each channel is clamped to 0..1.
    void setDrawColor(float r, float g, float b, float a);
    uint32_t getDrawColor() const { return m_drawColour; }
    void setThickness(float thickness);
    float getThickness() const { return m_thickness; }
    // A multiplier of the thickness, set by callers when the window size changes.
    void setThicknessScale(float scale);
    // Strength of the glow; 0 or less draws no glow.
    void setBrightness(float brightness);
    // Alpha of the frame one step old, in [0, 1); false, keeping the old value, otherwise.
    bool setDecayStart(float value);
    // Frames kept in the trail, 1 to kMaxDecaySteps; false, changing nothing, otherwise. Empties
    // the trail.
    bool setDecaySteps(int steps);

    void beginFrame();
    // flip: mirror y over the display height for this polyline (y grows upward then).
    void beginDraw(float x, float y, bool flip = true);
    void drawTo(float x, float y);
    void endDraw();
    // Submits the frame and returns the first view it left free; returns the first view and
    // submits nothing when the frame holds no vertex.
    int endFrame(bool firstLayer);

    // A closed outline from (x, y) w across and h down (up when flip is set).
    void drawBox(float x, float y, float w, float h, bool flip = true);

    // (width, height) of each line of the text in display units.
    using TextLines = std::vector<std::pair<float, float>>;
    void measureSimplexText(float size, const char* text, TextLines& lines) const;
    // Writes text from (x, y) in the stroke font, wrapping lines wider than width; centre
    // centres each line within width.
    void drawSimplexText(float x, float y, float width, float size, const char* text, bool centre, bool flip);

    // The vertices of the frame being built (for inspection and tests).
    const std::vector<PosTexCoordColorVertex>& frameVertices() const { return m_frameVertices; }

private:
    struct Point {
        float x;
        float y;
    };
    // One segment of the polyline endDraw is turning into triangles.
    struct Segment {
        float x0, y0, x1, y1;
        float angle, sinA, cosA, length;
        bool hasPrevious, hasNext;
        float left0, left1, right0, right1;  // half widths at the start and end, each side
        float shorten0, shorten1;            // how far the joints pull the ends in
        float a2pa, pa2a;                    // turn from the previous segment, both ways round
    };

    void setupResDependent();
    void destroyResDependent();
    void destroyStepBuffers();
    void genLinetex();
    void storeFrameInRing();
    void submitTrail();
    void screenSpaceQuad(float textureWidth, float textureHeight, float w, float h);

    float effectiveThickness() const;
    void drawLines(float t);
    void drawFan(float cx, float cy, float pa, float a, float r, float centreU, float edgeU);
    void emitTriangle(const Point (&points)[3], const Point (&uv)[3]);

    bool m_originBottomLeft;
    float m_texelHalf;
    bool m_initialised = false;

    gfx::ProgramHandle m_trailProgram;
    gfx::ProgramHandle m_blurProgram;
    gfx::ProgramHandle m_blitProgram;
    gfx::ProgramHandle m_noBlackBlitProgram;
    gfx::UniformHandle m_paramUniform;
    gfx::UniformHandle m_textureSampler;
    gfx::FrameBufferHandle m_sceneFrameBuffer;
    gfx::FrameBufferHandle m_glowFrameBuffers[2];
    gfx::TextureHandle m_lineTexture;

    int m_firstView = 0;
    int m_highestCompositeView = 0;
    uint16_t m_superSample = 1;
    uint16_t m_width = 0;
    uint16_t m_height = 0;
    uint16_t m_glowWidth = 1;
    uint16_t m_glowHeight = 1;
    int m_vertexBudget = kDefaultVertexBudget;

    int m_decaySteps = 0;
    float m_decayValue = 0.8f;
    float m_decayStart = 0.04f;
    uint32_t m_drawColour = 0xffffffff;
    float m_thickness = 6.0f;
    float m_thicknessScale = 1.0f;
    float m_brightness = 1.0f;
    bool m_flip = true;

    std::vector<PosTexCoordColorVertex> m_frameVertices;
    std::vector<Point> m_pendingPoints;
    std::vector<Segment> m_segments;  // scratch of endDraw, kept to reuse its storage

    int m_currentStep = 0;
    std::vector<gfx::DynamicVertexBufferHandle> m_stepBuffers;
    std::vector<uint32_t> m_stepCapacities;  // vertices each step buffer can hold
    std::vector<int> m_stepVertexCounts;
};
