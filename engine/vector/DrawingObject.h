#pragma once

// One placed object of an animated drawing: a definition's groups and texts, moved by an origin
// that has steps of its own, on one layer, with its own clock that runs only while the object is
// visible.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/vector/DrawingParts.h"

class DrawingObject {
public:
    DrawingObject(std::string name, float x, float y, bool visible, int layer);
    DrawingObject(const DrawingObject&) = delete;
    DrawingObject& operator=(const DrawingObject&) = delete;

    const std::string& name() const { return m_name; }
    bool visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    int layer() const { return m_layer; }
    float clock() const { return m_clock; }

    DrawingPoint& origin() { return m_origin; }
    const DrawingPoint& origin() const { return m_origin; }
    std::vector<std::unique_ptr<DrawingGroup>>& lineGroups() { return m_lineGroups; }
    std::vector<std::unique_ptr<DrawingGroup>>& polygonGroups() { return m_polygonGroups; }
    std::vector<std::unique_ptr<DrawingText>>& texts() { return m_texts; }
    std::vector<DrawingTrigger>& triggers() { return m_triggers; }

    // Later groups and points of a name replace earlier ones; empty names are not registered.
    void registerGroup(DrawingGroup& group);
    void registerPoint(DrawingPoint& point, const std::string& name);
    // Null for a name nothing bears.
    DrawingGroup* group(const std::string& name) const;
    DrawingPoint* point(const std::string& name) const;

    // Places the point for the current clock and, when its current step ends, switches that
    // step's groups and moves on to the next step. Returns the ended step's event followed by
    // ",", or "".
    std::string updatePoint(DrawingPoint& point);

    // Places the origin and every point of the visible groups (polygons first), and collects the
    // events of the steps that ended and of the texts, each followed by ",".
    std::string updatePoints();

    // Switches sweep mode of every text; a text that starts sweeping starts from its beginning.
    void setSweepMode(bool on);

    void advanceClock(float seconds) { m_clock += seconds; }

private:
    std::string m_name;
    bool m_visible;
    int m_layer;
    DrawingPoint m_origin;
    float m_clock = 0.0f;
    std::vector<DrawingTrigger> m_triggers;
    std::vector<std::unique_ptr<DrawingGroup>> m_lineGroups;
    std::vector<std::unique_ptr<DrawingGroup>> m_polygonGroups;
    std::vector<std::unique_ptr<DrawingText>> m_texts;
    std::map<std::string, DrawingGroup*> m_groupsByName;
    std::map<std::string, DrawingPoint*> m_pointsByName;
};
