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

    const std::string& name() const { return name_; }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    int layer() const { return layer_; }
    float clock() const { return clock_; }

    DrawingPoint& origin() { return origin_; }
    const DrawingPoint& origin() const { return origin_; }
    std::vector<std::unique_ptr<DrawingGroup>>& lineGroups() { return lineGroups_; }
    std::vector<std::unique_ptr<DrawingGroup>>& polygonGroups() { return polygonGroups_; }
    std::vector<std::unique_ptr<DrawingText>>& texts() { return texts_; }
    std::vector<DrawingTrigger>& triggers() { return triggers_; }

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

    void advanceClock(float seconds) { clock_ += seconds; }

private:
    std::string name_;
    bool visible_;
    int layer_;
    DrawingPoint origin_;
    float clock_ = 0.0f;
    std::vector<DrawingTrigger> triggers_;
    std::vector<std::unique_ptr<DrawingGroup>> lineGroups_;
    std::vector<std::unique_ptr<DrawingGroup>> polygonGroups_;
    std::vector<std::unique_ptr<DrawingText>> texts_;
    std::map<std::string, DrawingGroup*> groupsByName_;
    std::map<std::string, DrawingPoint*> pointsByName_;
};
