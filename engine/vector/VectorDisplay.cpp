#include "engine/vector/VectorDisplay.h"

#include <algorithm>
#include <cmath>

#include "engine/gfx/Gfx.h"
#include "engine/gfx/Projection.h"
#include "engine/gfx/ShaderLoader.h"
#include "engine/vector/LineTexture.h"

namespace {

// Frame and trail buffers start this small and grow to what the frames need, up to the budget.
constexpr uint32_t InitialVertexCapacity = 4096;

constexpr gfx::SamplerFlags kRenderTargetFlags = gfx::Sampler::Point | gfx::Sampler::UClamp | gfx::Sampler::VClamp;

// Renderer views are 0..255; anything outside is handed over as an id the renderer ignores
// instead of wrapping onto another owner's view.
gfx::ViewId toView(int view) { return view >= 0 && view < gfx::kMaxViews ? gfx::ViewId(view) : gfx::kMaxViews; }

gfx::FrameBufferHandle createClearedFrameBuffer(uint16_t width, uint16_t height) {
    std::vector<uint8_t> black(size_t(width) * height * 4, 0);
    gfx::TextureHandle texture =
        gfx::createTexture2D(width, height, gfx::TextureFormat::BGRA8, kRenderTargetFlags, black.data());
    return gfx::createFrameBuffer(texture, true);
}

uint16_t glowSize(uint16_t superSample, uint16_t size) {
    unsigned scaled = unsigned(superSample) * size;
    return scaled < 6 ? 1 : uint16_t(scaled / 3);
}

float unitChannel(float value) { return value > 0.0f ? (value < 1.0f ? value : 1.0f) : 0.0f; }

}  // namespace

VectorDisplay::VectorDisplay(bool originBottomLeft, float texelHalf)
    : m_originBottomLeft(originBottomLeft), m_texelHalf(texelHalf) {}

VectorDisplay::~VectorDisplay() {
    teardown();
    if (m_initialised) {
        gfx::setViewClear(toView(m_firstView), gfx::Clear::None, 0x000000ff, 1.0f, 0);
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
    m_currentStep = 0;
    setDecaySteps(5);
    m_firstView = firstView;
    m_highestCompositeView = firstView;
    m_trailProgram = Game::loadShaderProgram("texture-color", "vectordisplay-fb");
    m_blurProgram = Game::loadShaderProgram("texture-color", "vectordisplay-blur");
    m_blitProgram = Game::loadShaderProgram("texture-color", "vectordisplay-blit");
    m_noBlackBlitProgram = Game::loadShaderProgram("texture-color", "vectordisplay-noblack-blit");
    m_paramUniform = gfx::createUniform("u_paramVec", gfx::UniformType::Vec4);
    m_textureSampler = gfx::createUniform("s_texColor", gfx::UniformType::Sampler);
    genLinetex();
    gfx::setViewClear(toView(m_firstView), gfx::Clear::Colour | gfx::Clear::Depth, 0x000000ff, 1.0f, 0);
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
    destroyStepBuffers();
    destroyResDependent();
    for (gfx::ProgramHandle* program : {&m_trailProgram, &m_blurProgram, &m_blitProgram, &m_noBlackBlitProgram}) {
        gfx::destroy(*program);
        *program = gfx::ProgramHandle();
    }
    gfx::destroy(m_paramUniform);
    gfx::destroy(m_textureSampler);
    m_paramUniform = gfx::UniformHandle();
    m_textureSampler = gfx::UniformHandle();
    gfx::destroy(m_lineTexture);
    m_lineTexture = gfx::TextureHandle();
}

void VectorDisplay::getSize(float& width, float& height) const {
    width = m_width;
    height = m_height;
}

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
    // no frames would leave the ring without a slot for the frame being shown.
    if (unsigned(steps) > unsigned(kMaxDecaySteps) || steps == 0) {
        return false;
    }
    m_decaySteps = steps;
    destroyStepBuffers();
    uint32_t capacity = std::min(InitialVertexCapacity, uint32_t(m_vertexBudget));
    for (int i = 0; i < steps; ++i) {
        m_stepBuffers.push_back(gfx::createDynamicVertexBuffer(capacity, PosTexCoordColorVertex::layout));
        m_stepCapacities.push_back(capacity);
        m_stepVertexCounts.push_back(0);
    }
    return true;
}

// --- Resources ---

void VectorDisplay::setupResDependent() {
    m_glowWidth = glowSize(m_superSample, m_width);
    m_glowHeight = glowSize(m_superSample, m_height);
    m_sceneFrameBuffer = gfx::createFrameBuffer(uint16_t(m_superSample * m_width), uint16_t(m_superSample * m_height),
                                                gfx::TextureFormat::BGRA8, kRenderTargetFlags);
    // Cleared at creation: a dim frame that runs no blur pass still composites glow buffer 1.
    for (gfx::FrameBufferHandle& glow : m_glowFrameBuffers) {
        glow = createClearedFrameBuffer(m_glowWidth, m_glowHeight);
    }
}

void VectorDisplay::destroyResDependent() {
    gfx::destroy(m_sceneFrameBuffer);
    m_sceneFrameBuffer = gfx::FrameBufferHandle();
    for (gfx::FrameBufferHandle& glow : m_glowFrameBuffers) {
        gfx::destroy(glow);
        glow = gfx::FrameBufferHandle();
    }
}

void VectorDisplay::destroyStepBuffers() {
    for (gfx::DynamicVertexBufferHandle buffer : m_stepBuffers) {
        gfx::destroy(buffer);
    }
    m_stepBuffers.clear();
    m_stepCapacities.clear();
    m_stepVertexCounts.clear();
}

void VectorDisplay::genLinetex() {
    std::vector<uint8_t> texels = Vector::lineTextureTexels(kLineTextureSize);
    m_lineTexture =
        gfx::createTexture2D(kLineTextureSize, kLineTextureSize, gfx::TextureFormat::BGRA8,
                             gfx::Sampler::Point | gfx::Sampler::UClamp | gfx::Sampler::VClamp, texels.data());
}

// --- Frame ---

void VectorDisplay::beginFrame() { m_frameVertices.clear(); }

int VectorDisplay::endFrame(bool firstLayer) {
    if (m_frameVertices.empty() || m_decaySteps == 0) {
        return m_firstView;
    }
    const bool homogeneousDepth = gfx::caps().homogeneousDepth;
    const float w = m_width;
    const float h = m_height;
    // The picture shows superSample times the display around its centre, at any factor.
    const float halfWide = 0.5f * w * float(m_superSample);
    const float halfHigh = 0.5f * h * float(m_superSample);

    gfx::ViewId scene = toView(m_firstView);
    // Set again every frame: a display destroyed after its successor on the same views resets
    // this view's clear, and the scene would then keep every earlier frame.
    gfx::setViewClear(scene, gfx::Clear::Colour | gfx::Clear::Depth, 0x000000ff, 1.0f, 0);
    gfx::setViewTransform(scene, gfx::ortho(0.5f * w - halfWide, 0.5f * w + halfWide, 0.5f * h + halfHigh,
                                            0.5f * h - halfHigh, 0.0f, 1000.0f, homogeneousDepth));
    gfx::setViewRect(scene, 0, 0, m_width, m_height);
    gfx::setViewFrameBuffer(scene, m_sceneFrameBuffer);

    storeFrameInRing();
    submitTrail();

    const glm::mat4 unitProjection = gfx::ortho(0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 100.0f, homogeneousDepth);
    const float iter = 1.05f + (m_brightness - 1.0f) / 5.0f;
    const float finalGain = 1.25f + (m_brightness - 1.0f) / 2.0f;
    float param[4] = {0.0f, 0.0f, iter, 1.0f};
    const gfx::DrawState overwrite;
    int v = m_firstView + 1;
    const gfx::TextureHandle glow0 = gfx::getTexture(m_glowFrameBuffers[0]);
    const gfx::TextureHandle glow1 = gfx::getTexture(m_glowFrameBuffers[1]);

    if (m_brightness > 0.0f) {
        gfx::TextureHandle source = gfx::getTexture(m_sceneFrameBuffer);
        // Views past the last one are ignored, so more passes than views would only spin.
        const float passCount = m_brightness * 4.0f;
        const int passes = passCount >= float(gfx::kMaxViews) ? gfx::kMaxViews : int(passCount);
        for (int pass = 0; pass < passes; ++pass) {
            const gfx::FrameBufferHandle targets[2] = {m_glowFrameBuffers[0], m_glowFrameBuffers[1]};
            const gfx::TextureHandle sources[2] = {source, glow0};
            for (int axis = 0; axis < 2; ++axis) {
                gfx::ViewId view = toView(v + axis);
                gfx::setViewFrameBuffer(view, targets[axis]);
                gfx::setViewRect(view, 0, 0, m_glowWidth, m_glowHeight);
                gfx::setViewTransform(view, unitProjection);
                param[0] = axis == 0 ? 1.0f / m_glowWidth : 0.0f;
                param[1] = axis == 0 ? 0.0f : 1.0f / m_glowHeight;
                gfx::setUniform(m_paramUniform, param);
                gfx::setTexture(0, m_textureSampler, sources[axis]);
                gfx::setState(overwrite);
                screenSpaceQuad(m_glowWidth, m_glowHeight, 1.0f, 1.0f);
                gfx::submit(view, m_blurProgram);
            }
            source = glow1;
            v += 2;
        }
    }

    m_highestCompositeView = std::max(m_highestCompositeView, v);
    const int composite = m_highestCompositeView;
    gfx::discard();

    const float ss = m_superSample;
    auto compositePass = [&](int viewId, gfx::TextureHandle texture, const gfx::DrawState& state, float scale,
                             gfx::ProgramHandle program) {
        gfx::ViewId view = toView(viewId);
        gfx::setViewTransform(view, unitProjection);
        gfx::setViewRect(view, 0, 0, m_width, m_height);
        gfx::setViewFrameBuffer(view, gfx::FrameBufferHandle());
        gfx::setTexture(0, m_textureSampler, texture);
        gfx::setState(state);
        const float values[4] = {param[0], param[1], scale, 1.0f};
        gfx::setUniform(m_paramUniform, values);
        screenSpaceQuad(ss * w, ss * h, ss, ss);
        gfx::submit(view, program);
    };
    const gfx::DrawState add = gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::One);
    const gfx::DrawState over = gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::InvSrcAlpha);
    compositePass(composite, gfx::getTexture(m_sceneFrameBuffer), firstLayer ? add : over, 1.0f,
                  firstLayer ? m_blitProgram : m_noBlackBlitProgram);
    if (m_brightness > 0.0f) {
        compositePass(composite + 1, glow1, add, finalGain, m_blitProgram);
        return composite + 2;
    }
    return composite + 1;
}

void VectorDisplay::storeFrameInRing() {
    m_currentStep = (m_currentStep + 1) % m_decaySteps;
    const uint32_t count = uint32_t(m_frameVertices.size());
    uint32_t& capacity = m_stepCapacities[size_t(m_currentStep)];
    gfx::DynamicVertexBufferHandle& buffer = m_stepBuffers[size_t(m_currentStep)];
    if (count > capacity) {
        capacity = std::min(uint32_t(m_vertexBudget), std::max(count, capacity * 2));
        gfx::destroy(buffer);
        buffer = gfx::createDynamicVertexBuffer(capacity, PosTexCoordColorVertex::layout);
    }
    gfx::updateDynamicVertexBuffer(buffer, 0, m_frameVertices.data(), count);
    m_stepVertexCounts[size_t(m_currentStep)] = int(count);
}

void VectorDisplay::submitTrail() {
    // Oldest first, so the newest frame lands on top; the colour adds up weighted by each
    // frame's alpha while the scene's alpha keeps its maximum.
    const gfx::DrawState state = gfx::DrawState()
                                     .blend(gfx::BlendFactor::SrcAlpha, gfx::BlendFactor::DstAlpha)
                                     .equations(gfx::BlendEquation::Add, gfx::BlendEquation::Max);
    for (int j = 0; j < m_decaySteps; ++j) {
        const int age = m_decaySteps - j - 1;
        const size_t slot = size_t((m_currentStep + j + 1) % m_decaySteps);
        if (m_stepVertexCounts[slot] == 0) {
            continue;
        }
        float alpha = 1.0f;
        if (age == 1) {
            alpha = m_decayStart;
        } else if (age > 1) {
            alpha = std::pow(m_decayValue, float(age - 1)) * m_decayStart;
        }
        const float param[4] = {0.0f, 0.0f, 0.0f, alpha};
        gfx::setUniform(m_paramUniform, param);
        gfx::setTexture(0, m_textureSampler, m_lineTexture);
        gfx::setVertexBuffer(m_stepBuffers[slot], 0, uint32_t(m_stepVertexCounts[slot]));
        gfx::setState(state);
        gfx::submit(toView(m_firstView), m_trailProgram);
    }
}

void VectorDisplay::screenSpaceQuad(float textureWidth, float textureHeight, float w, float h) {
    if (gfx::availableTransientVertices(3, PosTexCoordColorVertex::layout) != 3) {
        return;
    }
    gfx::TransientVertexBuffer buffer;
    gfx::allocTransientVertexBuffer(&buffer, 3, PosTexCoordColorVertex::layout);
    const float hu = m_texelHalf / textureWidth;
    const float hv = m_texelHalf / textureHeight;
    const float minV = m_originBottomLeft ? 1.0f + hv : hv;
    const float maxV = m_originBottomLeft ? hv - 1.0f : 2.0f + hv;
    PosTexCoordColorVertex* vertex = buffer.vertices<PosTexCoordColorVertex>();
    vertex[0] = {-w, 0.0f, 0.0f, -1.0f + hu, minV, 0xffffffff};
    vertex[1] = {w, 0.0f, 0.0f, 1.0f + hu, minV, 0xffffffff};
    vertex[2] = {w, 2.0f * h, 0.0f, 1.0f + hu, maxV, 0xffffffff};
    gfx::setVertexBuffer(buffer);
}
