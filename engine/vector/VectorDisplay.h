#pragma once

// The glow-line renderer behind the whole picture.
//
// A frame is described as polylines in display pixels (beginDraw, drawTo..., endDraw between
// beginFrame and endFrame). Each polyline becomes textured triangles whose 64 x 64 line texture
// holds the stroke (a bright core that fades out across the line), with round-ish joints where
// segments meet at a visible angle and soft caps at open ends. endFrame draws the frame once into
// the scene and then runs, each on its own view at a fraction of the window's size:
//   trail      a half-size persistence texture: last frame's, faded and rounded down (so it
//              fades fully to black), plus this frame's scene weighted; it holds the phosphor
//              trail of earlier frames, as much in all as the decay settings give a still picture;
//   bloom      a quarter-size box of the scene and the trail, blurred across and then down with
//              seven filtered taps each (only with a brightness above 0);
// and one composite over the window that adds scene, trail and glow to the back buffer. The
// trail, the bloom and the composite draw only on the tiles of the window the picture reaches
// (kTileSize). A bottom layer without trail and glow draws its lines straight onto the window
// instead.
// What lies under the picture can be drawn on the composite's view first (setUnderlay): the game
// draws its floor and maze there, and its fills into the scene once the trail and the glow have
// taken it (they neither glow nor leave a trail), where the scene's alpha keeps how much of the
// floor they cover; the picture then goes over the ground only where it reaches.
//
// Views: a display uses a run of consecutive renderer views starting at its first view (the
// scene, the trail, three for the bloom, one over the scene for an underlay's fills, then the
// composite; fewer without trail or glow) and endFrame returns the first view it left free.
// Displays stacked on one screen each get their own range; the bottom one passes firstLayer =
// true to endFrame, the ones above false, so black in their picture lets the lower layers show
// through.

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "engine/gfx/Handles.h"
#include "engine/gfx/VertexFormats.h"

class VectorDisplay {
public:
    static constexpr int kDefaultVertexBudget = 400000;
    static constexpr int kMaxDecaySteps = 60;
    static constexpr int kLineTextureSize = 64;

    // Texture stages of the composite.
    static constexpr uint8_t kSceneStage = 0;
    static constexpr uint8_t kTrailStage = 1;
    static constexpr uint8_t kGlowStage = 2;

    // What lies under the picture, drawn on the composite's view before it: ground submits what
    // covers the whole window, opaque, on that view's unit projection (0 to 1 across and down);
    // the picture then goes over it on the tiles it reaches, the scene's alpha taking away as much
    // of the ground as the fills cover. overScene, when given, is called with a view that draws
    // into the scene after the trail and the glow took it, on no projection yet: what it submits
    // there adds to the scene's colour and keeps in its alpha, which is 0 elsewhere, how much it
    // covers of the ground (premultiplied, as gfx::BlendFactor::One with InvSrcAlpha for alpha).
    // A display with an underlay composites every frame, an empty one too.
    struct Underlay {
        std::function<void(gfx::ViewId)> ground;
        std::function<void(gfx::ViewId)> overScene;
    };

    // The passes after the scene cover the window in tiles of this many pixels, and only those
    // the picture reaches: where the frame's lines lie, where its trail has not yet faded, and as far around
    // them as the glow spreads.
    static constexpr int kTileSize = 16;

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
    // An underlay without ground takes it away.
    void setUnderlay(Underlay underlay);
    // Marks a rectangle of the window (pixels from the top-left) as holding picture in this
    // frame, with as much around it as the glow reaches, for what is drawn into the scene
    // besides the lines (an underlay's fills); the lines mark themselves. Between beginFrame and
    // endFrame.
    void markLit(float x0, float y0, float x1, float y1);
    // Whether the last composite drew the picture on the tile (column, row).
    bool tileLit(int column, int row) const;
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
    // The trail's weight of the frame one step old, in [0, 1); false, keeping the old value,
    // otherwise.
    bool setDecayStart(float value);
    // How long the trail lasts, 1 to kMaxDecaySteps frames (1: no trail); false, changing
    // nothing, otherwise. Empties the trail. A still picture's trail weighs as much as the frames
    // one to steps - 1 old would at the decay start and then 0.8 less each frame; the
    // persistence keeps the decay start for the frame one step old and fades by as much as
    // makes up that sum.
    bool setDecaySteps(int steps);
    // The persistence's fade per frame and the weight it takes of the newest frame; both 0
    // without a trail.
    float trailFade() const;
    float trailWeight() const;

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
    void genLinetex();
    bool hasTrail() const { return trailWeight() > 0.0f; }
    void submitScene(bool homogeneousDepth, bool onWindow);
    void submitTrail(gfx::ViewId view);
    void submitBloom(int& view);
    void submitComposite(gfx::ViewId view, bool firstLayer);
    // Ages the tiles and lays out which the composite draws with the picture.
    void updateTiles();
    // The lit tiles, as runs along each row, two triangles each; false when there is none or the
    // frame has no room for them.
    bool litTileQuads();
    void markDrawn(float x0, float y0, float x1, float y1);  // display units, as the lines are
    void tilePass(gfx::ViewId view, gfx::FrameBufferHandle target, uint16_t width, uint16_t height);

    float effectiveThickness() const;
    void drawLines(float t);
    void drawFan(float cx, float cy, float pa, float a, float r, float centreU, float edgeU);
    void emitTriangle(const Point (&points)[3], const Point (&uv)[3]);

    bool m_originBottomLeft;
    float m_texelHalf;
    bool m_initialised = false;

    gfx::ProgramHandle m_sceneProgram;
    gfx::ProgramHandle m_trailProgram;
    gfx::ProgramHandle m_downProgram;
    gfx::ProgramHandle m_blurProgram;
    gfx::ProgramHandle m_blitProgram;
    gfx::ProgramHandle m_noBlackBlitProgram;
    gfx::ProgramHandle m_overGroundProgram;
    gfx::UniformHandle m_paramUniform;
    gfx::UniformHandle m_blurTapsUniform;
    gfx::UniformHandle m_compositeUniform;
    gfx::UniformHandle m_textureSampler;
    gfx::UniformHandle m_trailSampler;
    gfx::UniformHandle m_glowSampler;
    gfx::FrameBufferHandle m_sceneFrameBuffer;
    gfx::FrameBufferHandle m_trailFrameBuffers[2];  // the newest and the one before, in turn
    gfx::FrameBufferHandle m_glowFrameBuffers[2];   // quarter size: across, then down into 0
    gfx::TextureHandle m_lineTexture;
    gfx::DynamicVertexBufferHandle m_vertexBuffer;
    uint32_t m_vertexCapacity = 0;
    Underlay m_underlay;

    int m_firstView = 0;
    int m_highestCompositeView = 0;
    int m_highestClearedView = 0;  // of the passes that clear their target each frame
    uint16_t m_superSample = 1;
    uint16_t m_width = 0;
    uint16_t m_height = 0;
    uint16_t m_trailWidth = 1;
    uint16_t m_trailHeight = 1;
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

    int m_newestTrail = 0;  // which trail frame buffer the last frame wrote
    int m_tilesAcross = 0;
    int m_tilesDown = 0;
    std::vector<uint8_t> m_tileMarked;  // picture in this frame
    std::vector<uint8_t> m_tileAge;     // frames since the tile last held picture, at most 255
    std::vector<uint8_t> m_tileLit;     // drawn with the picture by the last composite
};
