#pragma once

namespace Util {

// A point whose (x, y) offset changes with time; particle emitters use two of them to move
// their spawn point. One object may be shared by several emitters, each of which advances it.
class IMovingPoint {
public:
    virtual ~IMovingPoint() = default;
    virtual void update(float dt) = 0;
    virtual float getX() const = 0;
    virtual float getY() const = 0;
    // Current position minus the previously recorded one.
    virtual float getDX() const = 0;
    virtual float getDY() const = 0;
};

}  // namespace Util
