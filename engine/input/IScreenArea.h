#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/input/NamedObject.h"

namespace Input {

// A rectangle in percent of the window's width and height (0 to 100).
struct AreaRect {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
};

// A named region of the window that switches are bound to, with what the renderers need to
// draw it in its normal and selected forms.
class IScreenArea : public virtual Util::NamedObject {
public:
    virtual void setName(const std::string& name) { m_name = name; }
    // Renderers draw only mode 1, which the loader gives every area.
    virtual void setMode(int32_t mode) { m_mode = mode; }
    virtual void setVisible(bool visible) { m_visible = visible; }
    virtual void setColour(const std::string& colour) { m_colour = colour; }
    virtual void setSelColour(const std::string& colour) { m_selColour = colour; }
    virtual void setLabel(const std::string& label) { m_label = label; }
    virtual void setStyle(const std::string& style) { m_style = style; }
    virtual void setSelLabel(const std::string& label) { m_selLabel = label; }
    virtual void setSelStyle(const std::string& style) { m_selStyle = style; }
    // Names of areas whose selection also shows this one selected.
    virtual void setGroups(const std::vector<std::string>& groups) { m_groups = groups; }
    // A selected area on top is drawn after all others.
    virtual void setOnTop(bool onTop) { m_onTop = onTop; }

    virtual int32_t getMode() const { return m_mode; }
    virtual bool isVisible() const { return m_visible; }
    virtual const std::string& getColour() const { return m_colour; }
    // The colour, when no selected colour is set.
    virtual const std::string& getSelColour() const { return m_selColour.empty() ? m_colour : m_selColour; }
    virtual const std::string& getLabel() const { return m_label; }
    virtual const std::string& getStyle() const { return m_style; }
    virtual const std::string& getSelLabel() const { return m_selLabel; }
    virtual const std::string& getSelStyle() const { return m_selStyle; }
    virtual const std::vector<std::string>& getGroups() const { return m_groups; }
    virtual bool isOnTop() const { return m_onTop; }

    virtual void setRect(float x, float y, float width, float height) = 0;
    virtual bool contains(float x, float y) const = 0;
    virtual AreaRect getRect() const = 0;

private:
    int32_t m_mode = 4;
    bool m_visible = true;
    bool m_onTop = false;
    std::string m_colour;
    std::string m_selColour;
    std::string m_label;
    std::string m_style;
    std::string m_selLabel;
    std::string m_selStyle;
    std::vector<std::string> m_groups;
};

}  // namespace Input
