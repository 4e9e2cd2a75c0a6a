// Every particle definition drawn through the game's particle pass on OpenGL, one cell each, and
// read back: every cell lights up. With ZELMO_PICTURES set to a folder, the contact sheet is
// also written there as a PNG to look at.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/gfx/Gfx.h"
#include "engine/vector/VectorDisplay.h"
#include "game/effects/ParticleDefs.h"
#include "game/effects/ParticleSystems.h"
#include "game/world/ParticleDrawing.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/PicturePng.h"
#include "tests/engine/gfx/ReadBackTarget.h"
#include "tests/game/world/WorldHarness.h"

namespace {

constexpr int kParticleColumns = 7;
constexpr int kParticleRows = 4;
constexpr int kParticleCell = 240;  // room for the effects that circle their emitter
constexpr int kParticleWidth = kParticleColumns * kParticleCell;
constexpr int kParticleHeight = kParticleRows * kParticleCell;
constexpr int kParticleClearView = 1;
constexpr int kParticleFirstView = 10;

class ParticleSheetGl : public GlTest {};

TEST_F(ParticleSheetGl, EveryDefinitionLightsItsCell) {
    WorldTest::WorldHarness harness;
    harness.startLevel(8);
    for (int system = 0; system < Zelmo::kParticleSystemCount; ++system) Zelmo::clearParticleSystem(system);
    PSys::System& effects = *Zelmo::particleSystem(Zelmo::kEffectsSystem);
    for (int index = 0; index < Zelmo::kParticleDefCount; ++index) {
        const int x = (index % kParticleColumns) * kParticleCell + kParticleCell / 2;
        const int y = (index / kParticleColumns) * kParticleCell + kParticleCell / 2;
        const int id = Zelmo::spawnParticles(x, y, Zelmo::kEffectsSystem, index, 0.0f);
        PSys::ParticleEmitter* emitter = effects.findEmitter(id);
        ASSERT_NE(emitter, nullptr) << "definition " << index;
        // Whatever its own rate, every effect shows a handful of particles.
        emitter->def.rate = std::max(emitter->def.rate, 1000);
        emitter->def.maxParticles = std::max(emitter->def.maxParticles, 6);
        emitter->def.startDelay = 0.0f;
        emitter->def.duration = -1.0f;
        emitter->prime(6);
    }
    effects.update(1.0f);
    // Shown a third into their lives, where every look has grown in, and kept where they were
    // born so that the fast ones stay in their cells.
    for (PSys::EmitterEntry& entry : effects.getEntries()) {
        for (int32_t i = 0; i < entry.emitter.liveCount; ++i) {
            PSys::Particle& particle = entry.emitter.particles()[i];
            particle.age = particle.life / 3.0f;
            particle.endX = particle.startX;
            particle.endY = particle.startY;
        }
    }

    const gfx::FrameBufferHandle target = makeReadBackTarget(kParticleClearView, kParticleWidth, kParticleHeight);
    auto display = std::make_unique<VectorDisplay>(gfx::caps().originBottomLeft, 0.0f);
    display->init(1, kParticleWidth, kParticleHeight, kParticleFirstView, 0);
    display->setBrightness(0);
    display->setThickness(2.0f);
    display->beginFrame();
    Zelmo::drawParticles(*display, IntBox{0, 0, kParticleWidth, kParticleHeight}, 1.0f, 1.0f);
    EXPECT_EQ(display->getThickness(), 2.0f) << "the pass leaves the thickness as it found it";
    const int next = display->endFrame(true);
    gfx::setViewFrameBuffer(gfx::ViewId(next - 1), target);
    gfx::touch(kParticleClearView);
    gfx::frame();
    const std::vector<uint8_t> rgba = readBack(target, kParticleWidth, kParticleHeight);
    keepPicture("particle-contact-sheet.png", rgba, kParticleWidth, kParticleHeight);
    display.reset();

    for (int index = 0; index < Zelmo::kParticleDefCount; ++index) {
        const int left = (index % kParticleColumns) * kParticleCell, bottom = (index / kParticleColumns) * kParticleCell;
        int lit = 0;
        for (int y = bottom; y < bottom + kParticleCell; ++y) {
            for (int x = left; x < left + kParticleCell; ++x) {
                const uint8_t* texel = &rgba[(size_t(y) * kParticleWidth + size_t(x)) * 4];
                lit += texel[0] + texel[1] + texel[2] > 24 ? 1 : 0;
            }
        }
        EXPECT_GT(lit, 4) << "definition " << index << " lights its cell";
    }
    for (int system = 0; system < Zelmo::kParticleSystemCount; ++system) Zelmo::clearParticleSystem(system);
}

}  // namespace
