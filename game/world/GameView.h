#pragma once
#include <string>
#include <vector>

#include "engine/map/MapView.h"
#include "engine/util/FrameGeometry.h"
#include "engine/vector/GameVectors.h"
#include "engine/vector/ScopeSweep.h"
#include "engine/vector/ShapeGeometry.h"
#include "game/vector/PolyComp.h"
#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"

namespace Zelmo {

// A glyph of a text revealed by a sweep, queued with the sweep as it stood.
struct ClippedGlyphDraw {
    VectorComp glyph;
    ScopeSweep sweep;
};

// What the world sees of the in-game picture: the camera over the level, the mapping from world
// to screen positions and the draw lists the display systems fill during an update. It holds no
// renderer resource, so the world runs the same with or without a window. Each update of the game
// starts the lists afresh; the game view renderer draws what the last one queued, again when a
// frame comes before the next update.
//
// Screen positions are window pixels from the bottom-left corner, y upward. At zoom z the camera
// covers z times the design size of the world, and the picture's projection covers z times the
// window, centred on it.
class GameView {
public:
    explicit GameView(const GameVectors& library = GameVectors::instance()) : m_library(library) {}

    // Per level: sizes from the frame, the zoom (a whole number, 1 or more), and the map view
    // whose centre the camera follows. Entries queued for the previous level are dropped.
    void startLevel(const Util::FrameGeometry& frame, float zoom, const Map::MapView& mapView);
    void resize(int windowWidth, int windowHeight);
    void setDesignSize(int designWidth, int designHeight);

    // The camera around the map view's centre, in world units; also kept for worldToScreen.
    IntBox cameraRect();
    const IntBox& camera() const { return m_camera; }
    // Rounded to nearest (ties to even), through the camera kept by the last cameraRect.
    void worldToScreen(int wx, int wy, int& sx, int& sy) const;
    // A screen position as a point of the 2D overlay (window pixels from the top-left).
    void screenToOverlay(float sx, float sy, float& ox, float& oy) const;
    // A fraction of the window (0 left or bottom, 1 right or top) as a screen position.
    float windowFractionX(double fraction) const;
    float windowFractionY(double fraction) const;
    // The projection of the picture's screen positions: left, right, bottom, top.
    void screenProjection(float& left, float& right, float& bottom, float& top) const;

    void addVectorDraw(const VectorComp& vector) { m_shapeDraws.push_back(vector); }
    void addPolyDraw(const PolyComp& poly) { m_polyDraws.push_back(poly); }
    void addBeamDraw(const BeamComp& beam) { m_beamDraws.push_back(beam); }
    // Lays the text out from the style's screen position (the first glyph of each line centred
    // on it) and queues one entry per glyph: with a sweep as clipped glyphs, else as shapes.
    // Gives the text's rectangle {x, y, w, h}, y its bottom.
    IntBox addTextDraw(const VectorComp& style, const std::string& text, const ScopeSweep* clip);
    IntBox textBounds(const VectorComp& style, const std::string& text);
    // Empties the lists, keeping their storage.
    void clearDraws();

    // The four lists as one update left them, to queue that picture again (a still picture
    // drawn frame after frame).
    struct QueuedDraws {
        std::vector<VectorComp> shapes;
        std::vector<PolyComp> polys;
        std::vector<BeamComp> beams;
        std::vector<ClippedGlyphDraw> glyphs;
    };
    QueuedDraws queuedDraws() const { return {m_shapeDraws, m_polyDraws, m_beamDraws, m_glyphDraws}; }
    void requeue(const QueuedDraws& draws) {
        m_shapeDraws = draws.shapes;
        m_polyDraws = draws.polys;
        m_beamDraws = draws.beams;
        m_glyphDraws = draws.glyphs;
    }

    const std::vector<VectorComp>& shapeDraws() const { return m_shapeDraws; }
    const std::vector<PolyComp>& polyDraws() const { return m_polyDraws; }
    const std::vector<BeamComp>& beamDraws() const { return m_beamDraws; }
    const std::vector<ClippedGlyphDraw>& glyphDraws() const { return m_glyphDraws; }

    int windowWidth() const { return m_windowWidth; }
    int windowHeight() const { return m_windowHeight; }
    int designWidth() const { return m_designWidth; }
    int designHeight() const { return m_designHeight; }
    float zoom() const { return m_zoom; }
    float scaleX() const { return m_scaleX; }
    float scaleY() const { return m_scaleY; }
    const GameVectors& library() const { return m_library; }

private:
    IntBox layOutText(const VectorComp& style, const std::string& text, const ScopeSweep* clip, bool queue);

    const GameVectors& m_library;
    const Map::MapView* m_mapView = nullptr;
    int m_designWidth = 640;
    int m_designHeight = 480;
    int m_windowWidth = 640;
    int m_windowHeight = 480;
    float m_zoom = 1.0f;
    float m_scaleX = 1.0f;
    float m_scaleY = 1.0f;
    IntBox m_camera;
    std::vector<VectorComp> m_shapeDraws;
    std::vector<PolyComp> m_polyDraws;
    std::vector<BeamComp> m_beamDraws;
    std::vector<ClippedGlyphDraw> m_glyphDraws;
};

}  // namespace Zelmo
