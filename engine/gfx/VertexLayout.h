#pragma once

#include <array>
#include <cstdint>

namespace gfx {

// Vertex attributes bind to the shader inputs a_position, a_texcoord0 and a_color0.
enum class Attrib : uint8_t { Position, TexCoord0, Color0 };
constexpr int kAttribCount = 3;

enum class AttribType : uint8_t { Uint8, Float };

struct AttribFormat {
    uint8_t num = 0;  // 0: the layout does not have this attribute
    AttribType type = AttribType::Float;
    bool normalised = false;
    uint8_t offset = 0;

    friend constexpr bool operator==(const AttribFormat& a, const AttribFormat& b) {
        return a.num == b.num && a.type == b.type && a.normalised == b.normalised && a.offset == b.offset;
    }
};

// The byte layout of one vertex: attributes packed in the order they are added.
// Built as a constant expression, so layouts can be static constants that need no renderer:
//   static constexpr gfx::VertexLayout layout =
//       gfx::VertexLayout().add(gfx::Attrib::Position, 3, gfx::AttribType::Float);
class VertexLayout {
public:
    constexpr VertexLayout add(Attrib attrib, uint8_t num, AttribType type, bool normalised = false) const {
        VertexLayout result = *this;
        AttribFormat& format = result.m_attribs[static_cast<int>(attrib)];
        format.num = num;
        format.type = type;
        format.normalised = normalised;
        format.offset = static_cast<uint8_t>(m_stride);
        result.m_stride = static_cast<uint16_t>(m_stride + num * (type == AttribType::Float ? 4 : 1));
        return result;
    }

    constexpr uint16_t stride() const { return m_stride; }
    constexpr bool has(Attrib attrib) const { return format(attrib).num != 0; }
    constexpr const AttribFormat& format(Attrib attrib) const { return m_attribs[static_cast<int>(attrib)]; }

    friend constexpr bool operator==(const VertexLayout& a, const VertexLayout& b) {
        for (int i = 0; i < kAttribCount; ++i) {
            if (!(a.m_attribs[i] == b.m_attribs[i])) {
                return false;
            }
        }
        return a.m_stride == b.m_stride;
    }

private:
    std::array<AttribFormat, kAttribCount> m_attribs{};
    uint16_t m_stride = 0;
};

}  // namespace gfx
