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

constexpr gfx::SamplerFlags RenderTargetFlags = gfx::Sampler::Point | gfx::Sampler::UClamp | gfx::Sampler::VClamp;

// Renderer views are 0..255; anything outside is handed over as an id the renderer ignores
// instead of wrapping onto another owner's view.
gfx::ViewId toView(int view) { return view >= 0 && view < gfx::MaxViews ? gfx::ViewId(view) : gfx::MaxViews; }

gfx::FrameBufferHandle createClearedFrameBuffer(uint16_t width, uint16_t height) {
    std::vector<uint8_t> black(size_t(width) * height * 4, 0);
    gfx::TextureHandle texture =
        gfx::createTexture2D(width, height, gfx::TextureFormat::BGRA8, RenderTargetFlags, black.data());
    return gfx::createFrameBuffer(texture, true);
}

uint16_t glowSize(uint16_t superSample, uint16_t size) {
    unsigned scaled = unsigned(superSample) * size;
    return scaled < 6 ? 1 : uint16_t(scaled / 3);
}

float unitChannel(float value) { return value > 0.0f ? (value < 1.0f ? value : 1.0f) : 0.0f; }

}  // namespace

VectorDisplay::VectorDisplay(bool originBottomLeft, float texelHalf)
    : originBottomLeft_(originBottomLeft), texelHalf_(texelHalf) {}

VectorDisplay::~VectorDisplay() {
    teardown();
    if (initialised_) {
        gfx::setViewClear(toView(firstView_), gfx::Clear::None, 0x000000ff, 1.0f, 0);
        gfx::touch(toView(firstView_));
    }
}

void VectorDisplay::init(uint16_t superSample, uint16_t width, uint16_t height, int firstView, int vertexBudget) {
    vertexBudget_ = vertexBudget > 0 ? vertexBudget : DefaultVertexBudget;
    frameVertices_.reserve(std::min(InitialVertexCapacity, uint32_t(vertexBudget_)));
    superSample_ = std::max<uint16_t>(superSample, 1);
    width_ = width;
    height_ = height;
    decayValue_ = 0.8f;
    drawColour_ = 0xffffffff;
    decayStart_ = 0.04f;
    thickness_ = 6.0f;
    thicknessScale_ = 1.0f;
    brightness_ = 1.0f;
    currentStep_ = 0;
    setDecaySteps(5);
    firstView_ = firstView;
    highestCompositeView_ = firstView;
    trailProgram_ = Game::loadShaderProgram("texture-color", "vectordisplay-fb");
    blurProgram_ = Game::loadShaderProgram("texture-color", "vectordisplay-blur");
    blitProgram_ = Game::loadShaderProgram("texture-color", "vectordisplay-blit");
    noBlackBlitProgram_ = Game::loadShaderProgram("texture-color", "vectordisplay-noblack-blit");
    paramUniform_ = gfx::createUniform("u_paramVec", gfx::UniformType::Vec4);
    textureSampler_ = gfx::createUniform("s_texColor", gfx::UniformType::Sampler);
    genLinetex();
    gfx::setViewClear(toView(firstView_), gfx::Clear::Colour | gfx::Clear::Depth, 0x000000ff, 1.0f, 0);
    setupResDependent();
    initialised_ = true;
}

void VectorDisplay::resize(uint16_t width, uint16_t height) {
    destroyResDependent();
    width_ = width;
    height_ = height;
    setupResDependent();
}

void VectorDisplay::teardown() {
    destroyStepBuffers();
    destroyResDependent();
    for (gfx::ProgramHandle* program : {&trailProgram_, &blurProgram_, &blitProgram_, &noBlackBlitProgram_}) {
        gfx::destroy(*program);
        *program = gfx::ProgramHandle();
    }
    gfx::destroy(paramUniform_);
    gfx::destroy(textureSampler_);
    paramUniform_ = gfx::UniformHandle();
    textureSampler_ = gfx::UniformHandle();
    gfx::destroy(lineTexture_);
    lineTexture_ = gfx::TextureHandle();
}

void VectorDisplay::getSize(float& width, float& height) const {
    width = width_;
    height = height_;
}

void VectorDisplay::setFirstView(int view) {
    firstView_ = view;
    highestCompositeView_ = view;
}

// --- Settings ---

void VectorDisplay::setDrawColor(const uint32_t& abgr) { drawColour_ = abgr; }

void VectorDisplay::setDrawColor(float r, float g, float b, float a) {
    auto byte = [](float value) { return uint32_t(unitChannel(value) * 255.0f); };
    drawColour_ = byte(r) | byte(g) << 8 | byte(b) << 16 | byte(a) << 24;
}

void VectorDisplay::setThickness(float thickness) { thickness_ = thickness; }

void VectorDisplay::setThicknessScale(float scale) { thicknessScale_ = scale; }

void VectorDisplay::setBrightness(float brightness) { brightness_ = brightness; }

bool VectorDisplay::setDecayStart(float value) {
    if (!(value >= 0.0f && value < 1.0f)) {
        return false;
    }
    decayStart_ = value;
    return true;
}

bool VectorDisplay::setDecaySteps(int steps) {
    // Compared unsigned, so negative counts are refused with the too large ones; a trail of
    // no frames would leave the ring without a slot for the frame being shown.
    if (unsigned(steps) > unsigned(MaxDecaySteps) || steps == 0) {
        return false;
    }
    decaySteps_ = steps;
    destroyStepBuffers();
    uint32_t capacity = std::min(InitialVertexCapacity, uint32_t(vertexBudget_));
    for (int i = 0; i < steps; ++i) {
        stepBuffers_.push_back(gfx::createDynamicVertexBuffer(capacity, PosTexCoordColorVertex::layout));
        stepCapacities_.push_back(capacity);
        stepVertexCounts_.push_back(0);
    }
    return true;
}

// --- Resources ---

void VectorDisplay::setupResDependent() {
    glowWidth_ = glowSize(superSample_, width_);
    glowHeight_ = glowSize(superSample_, height_);
    sceneFrameBuffer_ = gfx::createFrameBuffer(uint16_t(superSample_ * width_), uint16_t(superSample_ * height_),
                                               gfx::TextureFormat::BGRA8, RenderTargetFlags);
    // Cleared at creation: a dim frame that runs no blur pass still composites glow buffer 1.
    for (gfx::FrameBufferHandle& glow : glowFrameBuffers_) {
        glow = createClearedFrameBuffer(glowWidth_, glowHeight_);
    }
}

void VectorDisplay::destroyResDependent() {
    gfx::destroy(sceneFrameBuffer_);
    sceneFrameBuffer_ = gfx::FrameBufferHandle();
    for (gfx::FrameBufferHandle& glow : glowFrameBuffers_) {
        gfx::destroy(glow);
        glow = gfx::FrameBufferHandle();
    }
}

void VectorDisplay::destroyStepBuffers() {
    for (gfx::DynamicVertexBufferHandle buffer : stepBuffers_) {
        gfx::destroy(buffer);
    }
    stepBuffers_.clear();
    stepCapacities_.clear();
    stepVertexCounts_.clear();
}

void VectorDisplay::genLinetex() {
    std::vector<uint8_t> texels = Vector::lineTextureTexels(LineTextureSize);
    lineTexture_ =
        gfx::createTexture2D(LineTextureSize, LineTextureSize, gfx::TextureFormat::BGRA8,
                             gfx::Sampler::Point | gfx::Sampler::UClamp | gfx::Sampler::VClamp, texels.data());
}

// --- Frame ---

void VectorDisplay::beginFrame() { frameVertices_.clear(); }

int VectorDisplay::endFrame(bool firstLayer) {
    if (frameVertices_.empty() || decaySteps_ == 0) {
        return firstView_;
    }
    const bool homogeneousDepth = gfx::caps().homogeneousDepth;
    const float w = width_;
    const float h = height_;
    const float wPart = float(unsigned(width_) / superSample_);
    const float hPart = float(unsigned(height_) / superSample_);

    gfx::ViewId scene = toView(firstView_);
    // Set again every frame: a display destroyed after its successor on the same views resets
    // this view's clear, and the scene would then keep every earlier frame.
    gfx::setViewClear(scene, gfx::Clear::Colour | gfx::Clear::Depth, 0x000000ff, 1.0f, 0);
    gfx::setViewTransform(
        scene, gfx::ortho(wPart - w, 2.0f * w - wPart, 2.0f * h - hPart, hPart - h, 0.0f, 1000.0f, homogeneousDepth));
    gfx::setViewRect(scene, 0, 0, width_, height_);
    gfx::setViewFrameBuffer(scene, sceneFrameBuffer_);

    storeFrameInRing();
    submitTrail();

    const glm::mat4 unitProjection = gfx::ortho(0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 100.0f, homogeneousDepth);
    const float iter = 1.05f + (brightness_ - 1.0f) / 5.0f;
    const float finalGain = 1.25f + (brightness_ - 1.0f) / 2.0f;
    float param[4] = {0.0f, 0.0f, iter, 1.0f};
    const gfx::DrawState overwrite;
    int v = firstView_ + 1;
    const gfx::TextureHandle glow0 = gfx::getTexture(glowFrameBuffers_[0]);
    const gfx::TextureHandle glow1 = gfx::getTexture(glowFrameBuffers_[1]);

    if (brightness_ > 0.0f) {
        gfx::TextureHandle source = gfx::getTexture(sceneFrameBuffer_);
        // Views past the last one are ignored, so more passes than views would only spin.
        const float passCount = brightness_ * 4.0f;
        const int passes = passCount >= float(gfx::MaxViews) ? gfx::MaxViews : int(passCount);
        for (int pass = 0; pass < passes; ++pass) {
            const gfx::FrameBufferHandle targets[2] = {glowFrameBuffers_[0], glowFrameBuffers_[1]};
            const gfx::TextureHandle sources[2] = {source, glow0};
            for (int axis = 0; axis < 2; ++axis) {
                gfx::ViewId view = toView(v + axis);
                gfx::setViewFrameBuffer(view, targets[axis]);
                gfx::setViewRect(view, 0, 0, glowWidth_, glowHeight_);
                gfx::setViewTransform(view, unitProjection);
                param[0] = axis == 0 ? 1.0f / glowWidth_ : 0.0f;
                param[1] = axis == 0 ? 0.0f : 1.0f / glowHeight_;
                gfx::setUniform(paramUniform_, param);
                gfx::setTexture(0, textureSampler_, sources[axis]);
                gfx::setState(overwrite);
                screenSpaceQuad(glowWidth_, glowHeight_, 1.0f, 1.0f);
                gfx::submit(view, blurProgram_);
            }
            source = glow1;
            v += 2;
        }
    }

    highestCompositeView_ = std::max(highestCompositeView_, v);
    const int composite = highestCompositeView_;
    gfx::discard();

    const float ss = superSample_;
    auto compositePass = [&](int viewId, gfx::TextureHandle texture, const gfx::DrawState& state, float scale,
                             gfx::ProgramHandle program) {
        gfx::ViewId view = toView(viewId);
        gfx::setViewTransform(view, unitProjection);
        gfx::setViewRect(view, 0, 0, width_, height_);
        gfx::setViewFrameBuffer(view, gfx::FrameBufferHandle());
        gfx::setTexture(0, textureSampler_, texture);
        gfx::setState(state);
        const float values[4] = {param[0], param[1], scale, 1.0f};
        gfx::setUniform(paramUniform_, values);
        screenSpaceQuad(ss * w, ss * h, ss, ss);
        gfx::submit(view, program);
    };
    const gfx::DrawState add = gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::One);
    const gfx::DrawState over = gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::InvSrcAlpha);
    compositePass(composite, gfx::getTexture(sceneFrameBuffer_), firstLayer ? add : over, 1.0f,
                  firstLayer ? blitProgram_ : noBlackBlitProgram_);
    if (brightness_ > 0.0f) {
        compositePass(composite + 1, glow1, add, finalGain, blitProgram_);
        return composite + 2;
    }
    return composite + 1;
}

void VectorDisplay::storeFrameInRing() {
    currentStep_ = (currentStep_ + 1) % decaySteps_;
    const uint32_t count = uint32_t(frameVertices_.size());
    uint32_t& capacity = stepCapacities_[size_t(currentStep_)];
    gfx::DynamicVertexBufferHandle& buffer = stepBuffers_[size_t(currentStep_)];
    if (count > capacity) {
        capacity = std::min(uint32_t(vertexBudget_), std::max(count, capacity * 2));
        gfx::destroy(buffer);
        buffer = gfx::createDynamicVertexBuffer(capacity, PosTexCoordColorVertex::layout);
    }
    gfx::updateDynamicVertexBuffer(buffer, 0, frameVertices_.data(), count);
    stepVertexCounts_[size_t(currentStep_)] = int(count);
}

void VectorDisplay::submitTrail() {
    // Oldest first, so the newest frame lands on top; the colour adds up weighted by each
    // frame's alpha while the scene's alpha keeps its maximum.
    const gfx::DrawState state = gfx::DrawState()
                                     .blend(gfx::BlendFactor::SrcAlpha, gfx::BlendFactor::DstAlpha)
                                     .equations(gfx::BlendEquation::Add, gfx::BlendEquation::Max);
    for (int j = 0; j < decaySteps_; ++j) {
        const int age = decaySteps_ - j - 1;
        const size_t slot = size_t((currentStep_ + j + 1) % decaySteps_);
        if (stepVertexCounts_[slot] == 0) {
            continue;
        }
        float alpha = 1.0f;
        if (age == 1) {
            alpha = decayStart_;
        } else if (age > 1) {
            alpha = std::pow(decayValue_, float(age - 1)) * decayStart_;
        }
        const float param[4] = {0.0f, 0.0f, 0.0f, alpha};
        gfx::setUniform(paramUniform_, param);
        gfx::setTexture(0, textureSampler_, lineTexture_);
        gfx::setVertexBuffer(stepBuffers_[slot], 0, uint32_t(stepVertexCounts_[slot]));
        gfx::setState(state);
        gfx::submit(toView(firstView_), trailProgram_);
    }
}

void VectorDisplay::screenSpaceQuad(float textureWidth, float textureHeight, float w, float h) {
    if (gfx::availableTransientVertices(3, PosTexCoordColorVertex::layout) != 3) {
        return;
    }
    gfx::TransientVertexBuffer buffer;
    gfx::allocTransientVertexBuffer(&buffer, 3, PosTexCoordColorVertex::layout);
    const float hu = texelHalf_ / textureWidth;
    const float hv = texelHalf_ / textureHeight;
    const float minV = originBottomLeft_ ? 1.0f + hv : hv;
    const float maxV = originBottomLeft_ ? hv - 1.0f : 2.0f + hv;
    PosTexCoordColorVertex* vertex = buffer.vertices<PosTexCoordColorVertex>();
    vertex[0] = {-w, 0.0f, 0.0f, -1.0f + hu, minV, 0xffffffff};
    vertex[1] = {w, 0.0f, 0.0f, 1.0f + hu, minV, 0xffffffff};
    vertex[2] = {w, 2.0f * h, 0.0f, 1.0f + hu, maxV, 0xffffffff};
    gfx::setVertexBuffer(buffer);
}
