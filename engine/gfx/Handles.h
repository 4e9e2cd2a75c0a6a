#pragma once

#include <cstdint>

namespace gfx {

// A 16-bit index into one of the layer's resource tables. 0xffff names nothing, so a
// default-constructed handle is invalid and can be passed to destroy() harmlessly.
template <typename Tag>
struct Handle {
    static constexpr uint16_t Invalid = 0xffff;
    uint16_t idx = Invalid;

    constexpr bool valid() const { return idx != Invalid; }
    friend constexpr bool operator==(Handle a, Handle b) { return a.idx == b.idx; }
    friend constexpr bool operator!=(Handle a, Handle b) { return a.idx != b.idx; }
};

using ProgramHandle = Handle<struct ProgramTag>;
using TextureHandle = Handle<struct TextureTag>;
using FrameBufferHandle = Handle<struct FrameBufferTag>;
using UniformHandle = Handle<struct UniformTag>;
using DynamicVertexBufferHandle = Handle<struct DynamicVertexBufferTag>;

// Views 0..255; wider so that computed ids beyond the range are refused instead of wrapping.
using ViewId = uint16_t;
constexpr ViewId kMaxViews = 256;

}  // namespace gfx
