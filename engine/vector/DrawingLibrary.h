#pragma once

// One animated vector drawing loaded from its data file (schema "VectorDrawing.fbs"): objects
// placed from reusable definitions, advanced every frame by update and drawn layer by layer,
// each layer on its own vector display, until a trigger ends the drawing ("DRAWDONE").
//
// A screen creates the library through Vector::DrawingFactory, calls update with the elapsed
// milliseconds and then, for each layer from 0 to highestLayer(), draw between the layer
// display's beginFrame and endFrame; it leaves once done() is set. The drawing's percent
// coordinates are scaled to the display's size when drawn.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/data/Info.h"
#include "engine/gfx/Handles.h"
#include "engine/vector/DrawingObject.h"

class VectorDisplay;

namespace Vector {
class IDrawVectorText;
struct DrawingDef;
struct PlacementDef;
}  // namespace Vector

class DrawingLibrary {
public:
    // Loads the data named by dataName against the parser's schema. Every fault that leaves the
    // drawing unplayable (no data, an unknown definition, point, group or easer) stops the
    // process with a line naming it.
    DrawingLibrary(std::shared_ptr<flatbuffers::Parser> parser, const std::string& dataName);
    ~DrawingLibrary();
    DrawingLibrary(const DrawingLibrary&) = delete;
    DrawingLibrary& operator=(const DrawingLibrary&) = delete;

    // Advances every visible object by elapsed milliseconds and runs the triggers of the events
    // its steps and texts sent. A trigger naming an object that does not exist (other than
    // "DRAWDONE") stops the process.
    void update(float elapsedMs);

    // Draws the visible objects of the layer: polygon groups filled with fillProgram on the
    // display's first view, line groups as glowing lines, and, when a text writer is given,
    // the texts, moving the sweeps of sweeping texts on by one frame (their rows by
    // sweepFactor).
    void draw(int layer, VectorDisplay& display, gfx::ProgramHandle fillProgram, Vector::IDrawVectorText* text,
              float sweepFactor);

    int highestLayer() const { return m_highestLayer; }
    bool done() const { return m_done; }

    // The object registered under the name (the last placed of that name), or null.
    DrawingObject* object(const std::string& name) const;

private:
    void place(const Vector::PlacementDef& placement);
    void runTriggers(DrawingObject& object, const std::string& events);
    std::string updateText(DrawingText& text, float ox, float oy, Vector::IDrawVectorText& writer,
                           VectorDisplay& display, gfx::ProgramHandle fillProgram, float sweepFactor);

    Game::Info m_info;
    std::map<std::string, const Vector::DrawingDef*> m_definitions;
    std::map<std::string, DrawingObject*> m_objectsByName;
    std::vector<std::unique_ptr<DrawingObject>> m_objects;  // in file order
    int m_highestLayer = 0;
    bool m_done = false;
    float m_scaleX = 1.0f;  // display units per percent, from the last draw
    float m_scaleY = 1.0f;
};
