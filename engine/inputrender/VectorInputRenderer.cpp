#include "engine/inputrender/VectorInputRenderer.h"

#include <algorithm>

#include "engine/inputrender/AreaStyle.h"
#include "engine/inputrender/TextWrap.h"
#include "engine/util/Colour.h"
#include "engine/vector/VectorDisplay.h"

namespace Vector {
namespace {

constexpr float kDesignFontSize = 18;
// The design font size is the capital height in design pixels; the vector font's capitals are
// 22.5 units tall.
constexpr float kFontScaleDivisor = 22.5f;
constexpr float kStrokeCharWidth = 9;  // per unit of size: a generous average of the stroke font
const std::string kFillArea = "*FILLAREA*";
const std::string kStrokeFont = "SIMPLEX";

// A margin of a hundredth of the side, and at least a pixel, between a label and its box.
float margin(float side) { return std::max(side / 100, 1.0f); }

// How far below the y it is given the display's stroke font puts the baseline of the last line,
// as VectorDisplay::drawSimplexText lays out lines that end in line feeds.
float lastBaselineBelow(const VectorDisplay::TextLines& lines, float size) {
    constexpr float kGlyphScale = 0.33f;
    constexpr float kLineGap = 6;  // glyph units between one line's baseline and the next's top
    const float first = lines[0].second;
    float baseline = first;
    if (lines.size() == 1) {
        baseline = 1.5f * first;
    } else if (lines.size() >= 5) {
        baseline = -float(lines.size() - 3) * first / 2;
    }
    for (size_t i = 0; i + 1 < lines.size(); ++i) baseline += kLineGap * kGlyphScale * size + lines[i].second;
    return baseline;
}

}  // namespace

VectorInputRenderer::VectorInputRenderer(VectorDisplay& display, IDrawVectorText* writer)
    : m_display(display), m_writer(writer), m_thickness(display.getThickness()) {}

void VectorInputRenderer::render(const Input::InputController& controller, Game::IStringConvertor* labels,
                                 vg::Context& /*overlay*/, const Util::FrameGeometry& frame) {
    m_labels = labels;
    m_windowWidth = float(frame.windowWidth);
    m_windowHeight = float(frame.windowHeight);
    m_fontSize = std::min(m_windowWidth / float(frame.designWidth), m_windowHeight / float(frame.designHeight)) *
                 kDesignFontSize;
    m_display.beginFrame();
    controller.render(*this);
    m_display.endFrame(true);
}

void VectorInputRenderer::renderArea(const ScreenAreaRenderInfo& info) {
    if (info.mode != 1) return;
    m_display.setThickness(info.selected ? m_thickness * 2 : m_thickness);
    const Box box{m_windowWidth * info.rect.x / 100, m_windowHeight * info.rect.y / 100,
                  m_windowWidth * info.rect.width / 100, m_windowHeight * info.rect.height / 100};
    const uint32_t colour = Input::parseAreaColour(info.colour);
    m_display.setDrawColor(Util::rgbaToAbgr(colour));
    // The display's y grows downward unless flipped, as the window's does.
    if (colour != 0) m_display.drawBox(box.x, box.y, box.w, box.h, false);
    float percent = 0;
    SwitchTimerInfo::Colour progressColour;
    if (info.timerInfo.getProgress(percent, progressColour)) {
        m_display.setDrawColor(progressColour.abgr());
        m_display.drawBox(box.x, box.y, box.w, box.h * percent / 100, false);
    }
    // Words keep the plain thickness: at twice it the strokes of a glyph run into each other.
    m_display.setThickness(m_thickness);
    if (!info.label.empty() && info.label != kFillArea) writeLabel(info.label, info.style, box);
}

void VectorInputRenderer::writeLabel(const std::string& label, const std::string& style, const Box& box) {
    const Input::AreaStyle parsed = Input::parseAreaStyle(style);
    const Input::AlignedLabel aligned = Input::alignLabel(m_labels != nullptr ? m_labels->convert(label) : label);
    // A label of alignment codes alone has no character to place.
    if (aligned.text.empty()) return;
    const uint32_t colour = Util::rgbaToAbgr(parsed.colour);
    // A size multiplies the font size, as on the overlay: a menu file serves both renderers (a
    // player can turn the vector menus off), so its sizes must read the same in each.
    const float times = parsed.size.value_or(1.0f);
    if (m_writer != nullptr && parsed.font != kStrokeFont) {
        // The writer scales its glyphs to the window itself: a size of the window's would scale
        // them twice, with the square of the window's size.
        writeWithFont(aligned, kDesignFontSize * times, colour, box);
    } else {
        writeWithStrokes(aligned, m_fontSize * times, colour, box);
    }
}

void VectorInputRenderer::writeWithFont(const Input::AlignedLabel& label, float size, uint32_t colour, const Box& box) {
    // The vector font's y grows upward.
    VectorTextStyle style;
    style.x = int(box.x);
    style.y = int(m_windowHeight - box.y);
    style.colour = colour;
    style.scale = size / kFontScaleDivisor;
    style.thickness = m_display.getThickness();
    style.filled = false;

    std::string text = label.text;
    TextRect extent;
    m_writer->measure(extent, style, text);
    if (float(extent.w) > box.w) {
        text = wrapText(text, float(m_writer->lineHeight(style.scale)), box.w);
        m_writer->measure(extent, style, text);
    }
    const int width = extent.w;
    if (label.horizontal == Input::HorizontalAlign::Centre) {
        style.x += int((box.w - float(width)) / 2);
    } else if (label.horizontal == Input::HorizontalAlign::Right) {
        style.x += int(box.w - float(width));
    }
    const int feeds = int(std::count(text.begin(), text.end(), '\n'));
    const int lineHeight = extent.h / (feeds + 1);
    if (label.vertical == Input::VerticalAlign::Middle) {
        style.y = int(float(style.y + feeds * lineHeight / 2) - box.h / 2);
    } else if (label.vertical == Input::VerticalAlign::Bottom) {
        style.y = int(float(style.y + feeds * lineHeight + lineHeight / 2) - box.h);
    } else {
        style.y -= lineHeight / 2;
    }
    // Glyph origins are their centres: start half an average glyph in.
    style.x += width / int(text.size()) / 2;
    if (label.horizontal == Input::HorizontalAlign::Left) style.x += int(margin(box.w));
    if (label.vertical == Input::VerticalAlign::Top) style.y -= int(margin(box.h));
    m_writer->draw(extent, &m_display, style, text, nullptr, gfx::ProgramHandle{});
}

void VectorInputRenderer::writeWithStrokes(const Input::AlignedLabel& label, float size, uint32_t colour,
                                           const Box& box) {
    const std::string text = wrapText(label.text, float(int(size * kStrokeCharWidth)), box.w);
    VectorDisplay::TextLines lines;
    m_display.measureSimplexText(size, text.c_str(), lines);
    float x = box.x;
    float y = box.y;
    if (label.horizontal == Input::HorizontalAlign::Left) {
        x += margin(box.w);
    } else if (label.horizontal == Input::HorizontalAlign::Right) {
        x += box.w - lines[0].first - margin(box.w);
    }
    // The stroke font's y grows downward: the margins move the text into the box.
    if (label.vertical == Input::VerticalAlign::Top) {
        y += margin(box.h);
    } else if (label.vertical == Input::VerticalAlign::Bottom) {
        y += box.h - margin(box.h) - lastBaselineBelow(lines, size);
    } else if (lines.size() == 2 || lines.size() == 3) {
        y += lines[0].second;
    }
    m_display.setDrawColor(colour);
    m_display.drawSimplexText(x, y, box.w, size, text.c_str(), label.horizontal == Input::HorizontalAlign::Centre,
                              false);
}

}  // namespace Vector
