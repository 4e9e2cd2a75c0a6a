#pragma once

#include <glm/mat4x4.hpp>

namespace gfx {

// Orthographic projection with depth growing away from the viewer. homogeneousDepth (see
// caps()) maps near..far to -1..1, otherwise to 0..1.
glm::mat4 ortho(float left, float right, float bottom, float top, float zNear, float zFar, bool homogeneousDepth);

}  // namespace gfx
