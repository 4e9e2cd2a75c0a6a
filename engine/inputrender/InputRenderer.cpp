#include "engine/inputrender/InputRenderer.h"

#include <algorithm>

#include "engine/inputrender/AreaStyle.h"
#include "engine/util/Colour.h"
#include "engine/inputrender/LabelAlignment.h"
#include "engine/vg/Context.h"

namespace Game {
namespace {

constexpr float kCornerRadius = 4;
constexpr float kDesignFontSize = 18;
constexpr int kMaxCountedLines = 20;
const std::string kFillArea = "*FILLAREA*";
// The vector renderer's stroke font has no TrueType file; its labels are written in the default
// face here.
const std::string kStrokeFont = "SIMPLEX";
const std::string kDefaultFont = "DEFAULT";

}  // namespace

void InputRenderer::render(const Input::InputController& controller, IStringConvertor* labels, vg::Context& overlay,
                           const Util::FrameGeometry& frame) {
    m_overlay = &overlay;
    m_labels = labels;
    m_windowWidth = float(frame.windowWidth);
    m_windowHeight = float(frame.windowHeight);
    m_fontSize = std::min(m_windowWidth / float(frame.designWidth), m_windowHeight / float(frame.designHeight)) *
                 kDesignFontSize;
    overlay.save();
    overlay.textAlign(vg::Align::Center | vg::Align::Middle);
    // Words go over every box: a countdown shown on an area drawn after a label (a scan step
    // over its choice) must not hide it.
    m_layer = Layer::Boxes;
    controller.render(*this);
    m_layer = Layer::Labels;
    controller.render(*this);
    m_layer = Layer::All;
    overlay.restore();
}

void InputRenderer::renderArea(const ScreenAreaRenderInfo& info) {
    if (info.mode != 1 || m_overlay == nullptr) return;
    vg::Context& overlay = *m_overlay;
    const float x = m_windowWidth * info.rect.x / 100;
    const float y = m_windowHeight * info.rect.y / 100;
    const float w = m_windowWidth * info.rect.width / 100;
    const float h = m_windowHeight * info.rect.height / 100;

    std::string label = m_labels != nullptr ? m_labels->convert(info.label) : info.label;
    if (label.empty()) return;
    if (label == kFillArea) label.clear();

    if (m_layer != Layer::Labels) {
        if (const uint32_t colour = Input::parseAreaColour(info.colour)) {
            overlay.beginPath();
            overlay.roundedRect(x, y, w, h, kCornerRadius);
            overlay.fillColor(Util::rgbaToAbgr(colour));
            overlay.fill();
        }
        float percent = 0;
        SwitchTimerInfo::Colour progressColour;
        if (info.timerInfo.getProgress(percent, progressColour)) {
            overlay.beginPath();
            overlay.roundedRectVarying(x, y, w, h * percent / 100, kCornerRadius, kCornerRadius, 0, 0);
            overlay.fillColor(progressColour.abgr());
            overlay.fill();
        }
    }
    if (m_layer != Layer::Boxes && !label.empty()) drawLabel(label, info.style, x, y, w, h);
}

// The words keep a margin of a hundredth of the box (at least a pixel) from every edge, and
// shrink until they fit inside it.
void InputRenderer::drawLabel(const std::string& label, const std::string& style, float x, float y, float w, float h) {
    vg::Context& overlay = *m_overlay;
    const Input::AreaStyle parsed = Input::parseAreaStyle(style);
    float size = m_fontSize * parsed.size.value_or(1.0f);
    std::string font = parsed.font;
    if (font == kStrokeFont) {
        font = kDefaultFont;
        if (label.find('\n') != std::string::npos) size *= 0.5f;
    }
    overlay.fontSize(size);
    overlay.fontFace(font);
    overlay.textLetterSpacing(parsed.letterSpacing);
    overlay.fillColor(Util::rgbaToAbgr(parsed.colour));

    const Input::AlignedLabel aligned = Input::alignLabel(label);
    if (aligned.text.empty()) return;
    const float marginX = std::max(w / 100, 1.0f);
    const float marginY = std::max(h / 100, 1.0f);
    const float textX = x + marginX;
    const float textWidth = std::max(w - 2 * marginX, 1.0f);
    const float textRoom = std::max(h - 2 * marginY, 1.0f);
    int align = vg::Align::Center;
    if (aligned.horizontal == Input::HorizontalAlign::Left) {
        align = vg::Align::Left;
    } else if (aligned.horizontal == Input::HorizontalAlign::Right) {
        align = vg::Align::Right;
    }
    float textY = y + h / 2;
    if (aligned.vertical == Input::VerticalAlign::Top) {
        textY = y + marginY;
        align |= vg::Align::Top;
    } else if (aligned.vertical == Input::VerticalAlign::Bottom) {
        textY = y + h - marginY;
        align |= vg::Align::Bottom;
    } else {
        align |= vg::Align::Middle;
    }
    overlay.textAlign(align);

    size_t lines = overlay.textBreakLines(aligned.text, textWidth, kMaxCountedLines).size();
    float textHeight = overlay.textBoxBounds(textX, textY, textWidth, aligned.text).height();
    if (textHeight > textRoom) {
        overlay.fontSize(size * textRoom / textHeight);
        lines = overlay.textBreakLines(aligned.text, textWidth, kMaxCountedLines).size();
        textHeight = overlay.textBoxBounds(textX, textY, textWidth, aligned.text).height();
    }
    if (lines == 0) return;  // the face is not loaded: nothing to place
    const float lineHeight = textHeight / float(lines);
    float offset = (textHeight - lineHeight) / 2;
    float roomBelow = (textRoom - textHeight) / 2;
    if (aligned.vertical == Input::VerticalAlign::Top) {
        offset = 0;
        roomBelow = textRoom - textHeight;
    } else if (aligned.vertical == Input::VerticalAlign::Bottom) {
        offset = textHeight - lineHeight;
        roomBelow = 0;
    }
    // Several lines sit an eighth of a line lower, where the box has room for it.
    if (lines > 1) offset -= std::clamp(lineHeight * 0.125f, 0.0f, std::max(roomBelow, 0.0f));
    overlay.textBox(textX, textY - offset, textWidth, aligned.text);
}

}  // namespace Game
