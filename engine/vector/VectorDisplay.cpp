#include "engine/vector/VectorDisplay.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "engine/gfx/Gfx.h"
#include "engine/gfx/Projection.h"
#include "engine/gfx/ShaderLoader.h"
#include "engine/vector/LineTexture.h"

namespace {

// Frames start with a vertex buffer this small, grown to what the frames need, up to the budget.
constexpr uint32_t InitialVertexCapacity = 4096;

constexpr gfx::SamplerFlags kRenderTargetFlags = gfx::Sampler::Point | gfx::Sampler::UClamp | gfx::Sampler::VClamp;
// Render targets sample by point; passes that read one of another size filter it (bilinear).
constexpr gfx::SamplerFlags kFiltered = gfx::Sampler::UClamp | gfx::Sampler::VClamp;

// The look the glow keeps, from the display it replaced: per unit of brightness four rounds of a
// 9-tap Gaussian (this variance in texels^2) across and down a third-size copy of the scene, each
// tap lifting the light a little, then the result magnified by filtering.
constexpr float kRoundsPerBrightness = 4.0f;
constexpr float kRoundVariance = 2.8540541f;
constexpr float kRoundTexel = 3.0f;       // display pixels per texel of those rounds
constexpr float kRoundLift = 1.1f;        // per round and axis, times the brightness's own
constexpr float kMagnifyVariance = 1.5f;  // of the filtered third-size texels, in pixels^2
// This display's own spread, in display pixels^2: the 4 x 4 box and its filtered quarter texels.
constexpr float kBoxVariance = 1.25f;
constexpr float kQuarterMagnifyVariance = 16.0f / 6.0f;
constexpr int kGlowDivisor = 4;
constexpr int kTrailDivisor = 2;

// Renderer views are 0..255; anything outside is handed over as an id the renderer ignores
// instead of wrapping onto another owner's view.
gfx::ViewId toView(int view) { return view >= 0 && view < gfx::kMaxViews ? gfx::ViewId(view) : gfx::kMaxViews; }

gfx::FrameBufferHandle createClearedFrameBuffer(uint16_t width, uint16_t height) {
    std::vector<uint8_t> black(size_t(width) * height * 4, 0);
    gfx::TextureHandle texture =
        gfx::createTexture2D(width, height, gfx::TextureFormat::BGRA8, kRenderTargetFlags, black.data());
    return gfx::createFrameBuffer(texture, true);
}

uint16_t fractionOf(uint16_t size, int divisor) { return std::max<uint16_t>(1, uint16_t(size / divisor)); }

float unitChannel(float value) { return value > 0.0f ? (value < 1.0f ? value : 1.0f) : 0.0f; }

// How many rounds the replaced display blurred at this brightness.
int glowRounds(float brightness) {
    const float rounds = brightness * kRoundsPerBrightness;
    return rounds >= 64.0f ? 64 : (rounds > 0.0f ? int(rounds) : 0);
}

// Seven taps along an axis, each filtered between two texels: the centre, then the pairs 1-2,
// 3-4 and 5-6 either side, weighing a Gaussian of the deviation (in texels) that sums to 1.
// weights: centre and pairs; offsets: the pairs' positions in texels (the first unused).
struct BlurTaps {
    float weights[4];
    float offsets[4];
};

BlurTaps blurTaps(float deviation) {
    float texel[7];
    for (int k = 0; k < 7; ++k) {
        texel[k] = deviation > 0.0f ? std::exp(-float(k * k) / (2.0f * deviation * deviation)) : (k == 0 ? 1.0f : 0.0f);
    }
    float total = texel[0];
    for (int k = 1; k < 7; ++k) total += 2.0f * texel[k];
    BlurTaps taps{{texel[0] / total, 0, 0, 0}, {0, 1, 3, 5}};
    for (int pair = 1; pair <= 3; ++pair) {
        const float near = texel[2 * pair - 1];
        const float far = texel[2 * pair];
        taps.weights[pair] = (near + far) / total;
        if (near + far > 0.0f) taps.offsets[pair] = (float(2 * pair - 1) * near + float(2 * pair) * far) / (near + far);
    }
    return taps;
}

}  // namespace

VectorDisplay::VectorDisplay(bool originBottomLeft, float texelHalf)
    : m_originBottomLeft(originBottomLeft), m_texelHalf(texelHalf) {}

VectorDisplay::~VectorDisplay() {
    teardown();
    if (m_initialised) {
        // The views this display cleared go back to drawing over what is there: the next screen
        // may draw on them straight onto the window.
        for (int view = m_firstView; view <= m_highestClearedView; ++view) {
            gfx::setViewClear(toView(view), gfx::Clear::None, 0x000000ff, 1.0f, 0);
        }
        gfx::touch(toView(m_firstView));
    }
}

void VectorDisplay::init(uint16_t superSample, uint16_t width, uint16_t height, int firstView, int vertexBudget) {
    m_vertexBudget = vertexBudget > 0 ? vertexBudget : kDefaultVertexBudget;
    m_frameVertices.reserve(std::min(InitialVertexCapacity, uint32_t(m_vertexBudget)));
    m_superSample = std::max<uint16_t>(superSample, 1);
    m_width = width;
    m_height = height;
    m_decayValue = 0.8f;
    m_drawColour = 0xffffffff;
    m_decayStart = 0.04f;
    m_thickness = 6.0f;
    m_thicknessScale = 1.0f;
    m_brightness = 1.0f;
    setDecaySteps(5);
    m_firstView = firstView;
    m_highestCompositeView = firstView;
    m_sceneProgram = Game::loadShaderProgram("texture-color", "vectordisplay-fb");
    m_trailProgram = Game::loadShaderProgram("texture-color", "vectordisplay-trail");
    m_downProgram = Game::loadShaderProgram("texture-color", "vectordisplay-down");
    m_blurProgram = Game::loadShaderProgram("texture-color", "vectordisplay-blur");
    m_blitProgram = Game::loadShaderProgram("texture-color", "vectordisplay-blit");
    m_noBlackBlitProgram = Game::loadShaderProgram("texture-color", "vectordisplay-noblack-blit");
    m_overGroundProgram = Game::loadShaderProgram("texture-color", "vectordisplay-over-ground");
    m_paramUniform = gfx::createUniform("u_paramVec", gfx::UniformType::Vec4);
    m_blurTapsUniform = gfx::createUniform("u_blurTaps", gfx::UniformType::Vec4, 2);
    m_compositeUniform = gfx::createUniform("u_compositeVec", gfx::UniformType::Vec4);
    m_textureSampler = gfx::createUniform("s_texColor", gfx::UniformType::Sampler);
    m_trailSampler = gfx::createUniform("s_trail", gfx::UniformType::Sampler);
    m_glowSampler = gfx::createUniform("s_glow", gfx::UniformType::Sampler);
    genLinetex();
    m_vertexCapacity = std::min(InitialVertexCapacity, uint32_t(m_vertexBudget));
    m_vertexBuffer = gfx::createDynamicVertexBuffer(m_vertexCapacity, PosTexCoordColorVertex::layout);
    gfx::setViewClear(toView(m_firstView), gfx::Clear::Colour | gfx::Clear::Depth, 0x00000000, 1.0f, 0);
    setupResDependent();
    m_initialised = true;
}

void VectorDisplay::resize(uint16_t width, uint16_t height) {
    destroyResDependent();
    m_width = width;
    m_height = height;
    setupResDependent();
}

void VectorDisplay::teardown() {
    destroyResDependent();
    for (gfx::ProgramHandle* program : {&m_sceneProgram, &m_trailProgram, &m_downProgram, &m_blurProgram,
                                        &m_blitProgram, &m_noBlackBlitProgram, &m_overGroundProgram}) {
        gfx::destroy(*program);
        *program = gfx::ProgramHandle();
    }
    for (gfx::UniformHandle* uniform : {&m_paramUniform, &m_blurTapsUniform, &m_compositeUniform, &m_textureSampler,
                                        &m_trailSampler, &m_glowSampler}) {
        gfx::destroy(*uniform);
        *uniform = gfx::UniformHandle();
    }
    gfx::destroy(m_lineTexture);
    m_lineTexture = gfx::TextureHandle();
    gfx::destroy(m_vertexBuffer);
    m_vertexBuffer = gfx::DynamicVertexBufferHandle();
    m_vertexCapacity = 0;
}

void VectorDisplay::getSize(float& width, float& height) const {
    width = m_width;
    height = m_height;
}

void VectorDisplay::setUnderlay(Underlay underlay) { m_underlay = std::move(underlay); }

void VectorDisplay::setFirstView(int view) {
    m_firstView = view;
    m_highestCompositeView = view;
}

// --- Settings ---

void VectorDisplay::setDrawColor(const uint32_t& abgr) { m_drawColour = abgr; }

void VectorDisplay::setDrawColor(float r, float g, float b, float a) {
    auto byte = [](float value) { return uint32_t(unitChannel(value) * 255.0f); };
    m_drawColour = byte(r) | byte(g) << 8 | byte(b) << 16 | byte(a) << 24;
}

void VectorDisplay::setThickness(float thickness) { m_thickness = thickness; }

void VectorDisplay::setThicknessScale(float scale) { m_thicknessScale = scale; }

void VectorDisplay::setBrightness(float brightness) { m_brightness = brightness; }

bool VectorDisplay::setDecayStart(float value) {
    if (!(value >= 0.0f && value < 1.0f)) {
        return false;
    }
    m_decayStart = value;
    return true;
}

bool VectorDisplay::setDecaySteps(int steps) {
    // Compared unsigned, so negative counts are refused with the too large ones; a trail of
    // no frames would leave nothing for the frame being shown.
    if (unsigned(steps) > unsigned(kMaxDecaySteps) || steps == 0) {
        return false;
    }
    m_decaySteps = steps;
    if (m_sceneFrameBuffer.valid()) {
        // An empty trail is a black one: the passes that read it need not know.
        for (gfx::FrameBufferHandle& trail : m_trailFrameBuffers) {
            gfx::destroy(trail);
            trail = createClearedFrameBuffer(m_trailWidth, m_trailHeight);
        }
    }
    return true;
}

float VectorDisplay::trailWeight() const { return m_decaySteps > 1 ? m_decayStart : 0.0f; }

float VectorDisplay::trailFade() const {
    // The frames 1 .. steps - 1 old at the decay start, 0.8 less each: what the persistence
    // holds of a still picture when it fades by f and takes the decay start of each frame is
    // decayStart / (1 - f).
    float sum = 0.0f;
    float weight = m_decayStart;
    for (int age = 1; age < m_decaySteps; ++age) {
        sum += weight;
        weight *= m_decayValue;
    }
    return sum > 0.0f ? 1.0f - m_decayStart / sum : 0.0f;
}

// --- Resources ---

void VectorDisplay::setupResDependent() {
    m_trailWidth = fractionOf(m_width, kTrailDivisor);
    m_trailHeight = fractionOf(m_height, kTrailDivisor);
    m_glowWidth = fractionOf(m_width, kGlowDivisor);
    m_glowHeight = fractionOf(m_height, kGlowDivisor);
    m_sceneFrameBuffer = gfx::createFrameBuffer(std::max<uint16_t>(m_width, 1), std::max<uint16_t>(m_height, 1),
                                                gfx::TextureFormat::BGRA8, kRenderTargetFlags);
    // Cleared at creation: the first frame composites the trail before any was written.
    for (gfx::FrameBufferHandle& trail : m_trailFrameBuffers) {
        trail = createClearedFrameBuffer(m_trailWidth, m_trailHeight);
    }
    for (gfx::FrameBufferHandle& glow : m_glowFrameBuffers) {
        glow = createClearedFrameBuffer(m_glowWidth, m_glowHeight);
    }
    m_tilesAcross = (std::max<int>(m_width, 1) + kTileSize - 1) / kTileSize;
    m_tilesDown = (std::max<int>(m_height, 1) + kTileSize - 1) / kTileSize;
    const size_t tiles = size_t(m_tilesAcross) * size_t(m_tilesDown);
    m_tileMarked.assign(tiles, 0);
    m_tileAge.assign(tiles, 255);
    m_tileLit.assign(tiles, 0);
}

void VectorDisplay::destroyResDependent() {
    gfx::destroy(m_sceneFrameBuffer);
    m_sceneFrameBuffer = gfx::FrameBufferHandle();
    for (gfx::FrameBufferHandle* buffer :
         {&m_trailFrameBuffers[0], &m_trailFrameBuffers[1], &m_glowFrameBuffers[0], &m_glowFrameBuffers[1]}) {
        gfx::destroy(*buffer);
        *buffer = gfx::FrameBufferHandle();
    }
}

void VectorDisplay::genLinetex() {
    std::vector<uint8_t> texels = Vector::strokeTextureTexels(kLineTextureSize);
    m_lineTexture =
        gfx::createTexture2D(kLineTextureSize, kLineTextureSize, gfx::TextureFormat::BGRA8,
                             gfx::Sampler::Point | gfx::Sampler::UClamp | gfx::Sampler::VClamp, texels.data());
}

// --- Frame ---

void VectorDisplay::beginFrame() {
    m_frameVertices.clear();
    std::fill(m_tileMarked.begin(), m_tileMarked.end(), uint8_t(0));
}

void VectorDisplay::markLit(float x0, float y0, float x1, float y1) {
    // As far around as the glow reaches: its seven taps either side of a quarter-size texel,
    // the box it was taken from and the filtered texels it is magnified from.
    const int rounds = glowRounds(m_brightness);
    if (m_brightness > 0.0f && rounds > 0) {
        const float spread = std::sqrt(float(rounds) * kRoundVariance * kRoundTexel * kRoundTexel + kMagnifyVariance);
        const float reach = std::max(3.0f * spread, 6.5f * float(kGlowDivisor)) + 2.0f * float(kGlowDivisor);
        x0 -= reach;
        y0 -= reach;
        x1 += reach;
        y1 += reach;
    }
    if (m_tilesAcross == 0 || !(x1 >= 0.0f && y1 >= 0.0f && x0 < float(m_width) && y0 < float(m_height))) {
        return;
    }
    const int c0 = std::max(0, int(x0) / kTileSize), c1 = std::min(m_tilesAcross - 1, int(x1) / kTileSize);
    const int r0 = std::max(0, int(y0) / kTileSize), r1 = std::min(m_tilesDown - 1, int(y1) / kTileSize);
    for (int r = r0; r <= r1; ++r) {
        std::fill_n(m_tileMarked.begin() + r * m_tilesAcross + c0, c1 - c0 + 1, uint8_t(1));
    }
}

// From display units, y flipped as the vertices are, to the window's pixels: the scene shows
// superSample times the display around its centre.
void VectorDisplay::markDrawn(float x0, float y0, float x1, float y1) {
    const float s = float(m_superSample);
    const float cx = 0.5f * float(m_width), cy = 0.5f * float(m_height);
    markLit((x0 - cx) / s + cx, (y0 - cy) / s + cy, (x1 - cx) / s + cx, (y1 - cy) / s + cy);
}

bool VectorDisplay::tileLit(int column, int row) const {
    return column >= 0 && row >= 0 && column < m_tilesAcross && row < m_tilesDown &&
           m_tileLit[size_t(row * m_tilesAcross + column)] != 0;
}

void VectorDisplay::updateTiles() {
    // How many frames a tile stays lit after its last picture: until its trail, faded and
    // rounded down from full light, is gone.
    int lasting = 1;
    if (hasTrail()) {
        const float fade = trailFade();
        for (float level = 255.0f; level > 0.0f && lasting < 255; ++lasting) {
            level = std::floor(level * fade + 0.001f);
        }
    }
    for (size_t t = 0; t < m_tileAge.size(); ++t) {
        m_tileAge[t] = m_tileMarked[t] ? 0 : uint8_t(std::min(255, m_tileAge[t] + 1));
        m_tileLit[t] = m_tileAge[t] < lasting;
    }
}

bool VectorDisplay::litTileQuads() {
    struct Run {
        int row, first, last;
    };
    std::vector<Run> runs;
    for (int r = 0; r < m_tilesDown; ++r) {
        for (int c = 0; c < m_tilesAcross;) {
            if (m_tileLit[size_t(r * m_tilesAcross + c)] == 0) {
                ++c;
                continue;
            }
            Run run{r, c, c};
            while (run.last + 1 < m_tilesAcross && m_tileLit[size_t(r * m_tilesAcross + run.last + 1)] != 0) {
                ++run.last;
            }
            runs.push_back(run);
            c = run.last + 1;
        }
    }
    const uint32_t count = uint32_t(runs.size()) * 6;
    if (count == 0 || gfx::availableTransientVertices(count, PosTexCoordColorVertex::layout) != count) {
        return false;
    }
    gfx::TransientVertexBuffer buffer;
    gfx::allocTransientVertexBuffer(&buffer, count, PosTexCoordColorVertex::layout);
    PosTexCoordColorVertex* vertex = buffer.vertices<PosTexCoordColorVertex>();
    const float w = float(m_width), h = float(m_height);
    const float hu = m_texelHalf / w, hv = m_texelHalf / h;
    auto corner = [&](float x, float y) {
        const float px = std::min(x, w) / w, py = std::min(y, h) / h;
        return PosTexCoordColorVertex{px, py, 0.0f, px + hu, (m_originBottomLeft ? 1.0f - py : py) + hv, 0xffffffff};
    };
    for (const Run& run : runs) {
        const float x0 = float(run.first * kTileSize), x1 = float((run.last + 1) * kTileSize);
        const float y0 = float(run.row * kTileSize), y1 = float((run.row + 1) * kTileSize);
        *vertex++ = corner(x0, y0);
        *vertex++ = corner(x1, y0);
        *vertex++ = corner(x1, y1);
        *vertex++ = corner(x0, y0);
        *vertex++ = corner(x1, y1);
        *vertex++ = corner(x0, y1);
    }
    gfx::setVertexBuffer(buffer);
    return true;
}

int VectorDisplay::endFrame(bool firstLayer) {
    const bool underlay = bool(m_underlay.ground);
    if (m_decaySteps == 0 || (m_frameVertices.empty() && !underlay)) {
        return m_firstView;
    }
    gfx::discard();
    const bool glow = m_brightness > 0.0f && glowRounds(m_brightness) > 0;
    if (firstLayer && !underlay && !glow && !hasTrail()) {
        // Nothing reads the scene again: the lines go straight onto the window, added to what
        // is there, and no composite pass is needed.
        submitScene(gfx::caps().homogeneousDepth, true);
        return m_firstView + 1;
    }
    submitScene(gfx::caps().homogeneousDepth, false);
    updateTiles();
    int v = m_firstView + 1;
    if (hasTrail()) {
        submitTrail(toView(v++));
    }
    if (glow) {
        submitBloom(v);
    }
    if (underlay && m_underlay.overScene) {
        const gfx::ViewId over = toView(v++);
        gfx::setViewClear(over, gfx::Clear::None);
        gfx::setViewRect(over, 0, 0, m_width, m_height);
        gfx::setViewFrameBuffer(over, m_sceneFrameBuffer);
        gfx::touch(over);
        m_underlay.overScene(over);
    }
    m_highestCompositeView = std::max(m_highestCompositeView, v);
    const int composite = m_highestCompositeView;
    submitComposite(toView(composite), firstLayer);
    if (hasTrail()) {
        // What this frame wrote is the trail of the next.
        m_newestTrail = 1 - m_newestTrail;
    }
    return composite + 1;
}

void VectorDisplay::submitScene(bool homogeneousDepth, bool onWindow) {
    const float w = m_width;
    const float h = m_height;
    // The picture shows superSample times the display around its centre, at any factor.
    const float halfWide = 0.5f * w * float(m_superSample);
    const float halfHigh = 0.5f * h * float(m_superSample);
    const gfx::ViewId scene = toView(m_firstView);
    // Set again every frame: a display destroyed after its successor on the same views resets
    // this view's clear, and the scene would then keep every earlier frame. Its alpha starts at
    // 0, for what an underlay draws over it to cover. On the window the lines add to what the
    // views before drew.
    gfx::setViewClear(scene, onWindow ? gfx::Clear::None : gfx::Clear::Colour | gfx::Clear::Depth, 0x00000000, 1.0f, 0);
    gfx::setViewTransform(scene, gfx::ortho(0.5f * w - halfWide, 0.5f * w + halfWide, 0.5f * h + halfHigh,
                                            0.5f * h - halfHigh, 0.0f, 1000.0f, homogeneousDepth));
    gfx::setViewRect(scene, 0, 0, m_width, m_height);
    gfx::setViewFrameBuffer(scene, onWindow ? gfx::FrameBufferHandle() : m_sceneFrameBuffer);
    const uint32_t count = uint32_t(m_frameVertices.size());
    if (count == 0) {
        gfx::touch(scene);
        return;
    }
    if (count > m_vertexCapacity) {
        m_vertexCapacity = std::min(uint32_t(m_vertexBudget), std::max(count, m_vertexCapacity * 2));
        gfx::destroy(m_vertexBuffer);
        m_vertexBuffer = gfx::createDynamicVertexBuffer(m_vertexCapacity, PosTexCoordColorVertex::layout);
    }
    gfx::updateDynamicVertexBuffer(m_vertexBuffer, 0, m_frameVertices.data(), count);
    // The colour adds up weighted by each stroke's alpha; the alpha is left as it was.
    gfx::setTexture(kSceneStage, m_textureSampler, m_lineTexture);
    gfx::setVertexBuffer(m_vertexBuffer, 0, count);
    gfx::setState(gfx::DrawState().blend(gfx::BlendFactor::SrcAlpha, gfx::BlendFactor::One, gfx::BlendFactor::Zero,
                                         gfx::BlendFactor::One));
    gfx::submit(scene, m_sceneProgram);
}

// A pass over the lit tiles of a target of that size from the unit projection, the rest of it
// cleared: no picture reaches there and any trail there has faded, so every pass would leave it
// black, and the passes after this one and the composite read it only as far as the glow reaches.
void VectorDisplay::tilePass(gfx::ViewId view, gfx::FrameBufferHandle target, uint16_t width, uint16_t height) {
    gfx::setViewClear(view, gfx::Clear::Colour, 0x00000000);
    m_highestClearedView = std::max(m_highestClearedView, int(view));
    gfx::setViewFrameBuffer(view, target);
    gfx::setViewRect(view, 0, 0, width, height);
    gfx::setViewTransform(view, gfx::ortho(0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 100.0f, gfx::caps().homogeneousDepth));
    gfx::setState(gfx::DrawState());
    litTileQuads();
}

// The persistence: the trail the last frame left, faded, plus this frame's scene at the weight
// of a frame one step old, written to the other trail buffer.
void VectorDisplay::submitTrail(gfx::ViewId view) {
    const float param[4] = {trailFade(), trailWeight(), 0.0f, 0.0f};
    gfx::setUniform(m_paramUniform, param);
    gfx::setTexture(kSceneStage, m_textureSampler, gfx::getTexture(m_sceneFrameBuffer), kFiltered);
    gfx::setTexture(kTrailStage, m_trailSampler, gfx::getTexture(m_trailFrameBuffers[m_newestTrail]));
    tilePass(view, m_trailFrameBuffers[1 - m_newestTrail], m_trailWidth, m_trailHeight);
    gfx::submit(view, m_trailProgram);
}

// The glow at a quarter of the size: a box of scene and trail, blurred across into the second
// glow buffer and down into the first, spread and lifted as the replaced display's rounds did.
void VectorDisplay::submitBloom(int& view) {
    const int rounds = glowRounds(m_brightness);
    const float spread = float(rounds) * kRoundVariance * kRoundTexel * kRoundTexel + kMagnifyVariance;
    const float deviation =
        std::sqrt(std::max(0.0f, spread - kBoxVariance - kQuarterMagnifyVariance)) / float(kGlowDivisor);
    const float lift = (1.05f + (m_brightness - 1.0f) / 5.0f) * kRoundLift;

    const float down[4] = {1.0f / float(m_width), 1.0f / float(m_height), 0.0f, 0.0f};
    gfx::setUniform(m_paramUniform, down);
    gfx::setTexture(kSceneStage, m_textureSampler, gfx::getTexture(m_sceneFrameBuffer), kFiltered);
    gfx::setTexture(kTrailStage, m_trailSampler, gfx::getTexture(m_trailFrameBuffers[m_newestTrail]), kFiltered);
    tilePass(toView(view), m_glowFrameBuffers[0], m_glowWidth, m_glowHeight);
    gfx::submit(toView(view++), m_downProgram);

    const BlurTaps taps = blurTaps(deviation);
    float tapValues[8];
    std::copy(std::begin(taps.weights), std::end(taps.weights), tapValues);
    std::copy(std::begin(taps.offsets), std::end(taps.offsets), tapValues + 4);
    gfx::setUniform(m_blurTapsUniform, tapValues, 2);
    for (int axis = 0; axis < 2; ++axis) {
        const float param[4] = {axis == 0 ? 1.0f / float(m_glowWidth) : 0.0f,
                                axis == 0 ? 0.0f : 1.0f / float(m_glowHeight), lift, float(rounds)};
        gfx::setUniform(m_paramUniform, param);
        gfx::setTexture(kSceneStage, m_textureSampler, gfx::getTexture(m_glowFrameBuffers[axis]), kFiltered);
        tilePass(toView(view), m_glowFrameBuffers[1 - axis], m_glowWidth, m_glowHeight);
        gfx::submit(toView(view++), m_blurProgram);
    }
}

void VectorDisplay::submitComposite(gfx::ViewId view, bool firstLayer) {
    const bool glow = m_brightness > 0.0f && glowRounds(m_brightness) > 0;
    const float gain = glow ? 1.25f + (m_brightness - 1.0f) / 2.0f : 0.0f;
    const float values[4] = {gain, 0.0f, 0.0f, 0.0f};
    gfx::setUniform(m_compositeUniform, values);
    gfx::setViewTransform(view, gfx::ortho(0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 100.0f, gfx::caps().homogeneousDepth));
    gfx::setViewRect(view, 0, 0, m_width, m_height);
    gfx::setViewFrameBuffer(view, gfx::FrameBufferHandle());
    // Over what the views before drew, whatever the view last did for another display.
    gfx::setViewClear(view, gfx::Clear::None);
    const bool underlay = bool(m_underlay.ground);
    if (underlay) m_underlay.ground(view);
    // The picture only where it reaches: elsewhere it is black, and over the ground or the window
    // black adds nothing.
    if (litTileQuads()) {
        gfx::setTexture(kSceneStage, m_textureSampler, gfx::getTexture(m_sceneFrameBuffer));
        gfx::setTexture(kTrailStage, m_trailSampler, gfx::getTexture(m_trailFrameBuffers[m_newestTrail]), kFiltered);
        gfx::setTexture(kGlowStage, m_glowSampler, gfx::getTexture(m_glowFrameBuffers[0]), kFiltered);
        const gfx::DrawState add = gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::One);
        const gfx::DrawState over = gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::InvSrcAlpha);
        gfx::setState(firstLayer && !underlay ? add : over);
        gfx::submit(view, underlay ? m_overGroundProgram : (firstLayer ? m_blitProgram : m_noBlackBlitProgram));
    }
    gfx::touch(view);
}
