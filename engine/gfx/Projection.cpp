#include "engine/gfx/Projection.h"

#include <glm/ext/matrix_clip_space.hpp>

namespace gfx {

glm::mat4 ortho(float left, float right, float bottom, float top, float zNear, float zFar, bool homogeneousDepth) {
    return homogeneousDepth ? glm::orthoLH_NO(left, right, bottom, top, zNear, zFar)
                            : glm::orthoLH_ZO(left, right, bottom, top, zNear, zFar);
}

}  // namespace gfx
