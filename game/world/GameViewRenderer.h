#pragma once
#include <array>
#include <memory>

#include "engine/gfx/Handles.h"
#include "engine/vector/VectorDisplay.h"
#include "game/world/GameView.h"
#include "game/world/IGameViewRenderer.h"

namespace Zelmo {

class GameLogic;

// A rectangle of the 2D overlay: window pixels from the top-left corner.
struct OverlayRect {
    float x = 0.0f;
    float y = 0.0f;
    float w = 0.0f;
    float h = 0.0f;
};

// The player's health bar: 60 world units wide and 20 high, from 100 units above the player's
// position, wherever the zoom puts that on the window.
OverlayRect healthBarRect(const GameView& view, float playerX, float playerY);

// Draws a running level through the renderer layer, in passes by view id:
//   1  the floor: last frame's copy of the map stretched over the window through a floor shader;
//   2  the copy: the camera's part of the map view's texture into an off-screen frame buffer;
//   9  filled shapes, polygons and beam segments;
//   kFirstDisplayView + 25 x the "VECTOR_SETTINGS" option upward: the glow-line display with
//      the outlines, beams and the status icons;
//   then the player's health bar on the 2D overlay.
// View 1 runs before view 2, so the floor shows the map as the previous frame copied it.
class GameViewRenderer : public IGameViewRenderer {
public:
    static constexpr gfx::ViewId kFloorView = 1;
    static constexpr gfx::ViewId kMapCopyView = 2;
    static constexpr gfx::ViewId kFillView = 9;
    static constexpr int kFirstDisplayView = 10;
    static constexpr int kDisplayViewsPerSetting = 25;

    GameViewRenderer(GameLogic& owner, GameView& view);
    ~GameViewRenderer() override;

    void init(AppContext& context, Map::MapView& mapView, int level) override;
    void render(const Util::FrameGeometry& frame) override;
    // Frees the level's renderer resources; view 1 then clears nothing.
    void releaseGpu();

    // The floor's clock runs for the whole process; this starts it again from 0 (pictures that
    // must come out the same in any run).
    static void restartFloorClock();

    // The first view after those the glow display used in the last frame.
    int nextFreeView() const { return m_nextFreeView; }

private:
    void resize(int windowWidth, int windowHeight);
    void floorPass();
    void entityPass();
    void statusIcons();
    void healthBar();
    void submitScreenQuad(float width, float height);

    GameLogic& m_owner;
    GameView& m_view;
    AppContext* m_context = nullptr;
    Map::MapView* m_mapView = nullptr;
    std::unique_ptr<VectorDisplay> m_display;
    bool m_halfTexel = false;
    int m_nextFreeView = 0;

    gfx::FrameBufferHandle m_mapFrameBuffer;
    gfx::TextureHandle m_mapTarget;
    gfx::UniformHandle m_texColour;
    gfx::UniformHandle m_paramVec;
    gfx::UniformHandle m_param2Vec;
    gfx::UniformHandle m_colour;
    gfx::UniformHandle m_resolution;
    gfx::UniformHandle m_time;
    gfx::ProgramHandle m_copyProgram;
    gfx::ProgramHandle m_shapeProgram;
    gfx::ProgramHandle m_floorProgram;
    gfx::ProgramHandle m_noFloorProgram;

    std::array<float, 4> m_floorColour{};
    bool m_floorOn = true;
    float m_floorScale = 1.0f;
    std::array<float, 4> m_floorParams{};
};

}  // namespace Zelmo
