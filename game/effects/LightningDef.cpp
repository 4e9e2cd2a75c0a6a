#include "game/effects/LightningDef.h"

#include <iterator>

namespace Zelmo {
namespace {

const LightningDef kStrikes[] = {
    {300.0f, 0.5f, 50.0f, 60, {0.5f, 1.2f}, {1.0f, 1.6f}, {200.0f, 300.0f},
     {0x0038ffff, 0x221d54ff, 0x666ed3ff, 0xadd6a5ff}},
    {300.0f, 0.5f, 50.0f, 30, {0.7f, 0.7f}, {1.0f, 1.6f}, {200.0f, 300.0f},
     {0xff3800ff, 0xd21d24ff, 0xaa6353ff, 0xad5605ff}},
    {10.0f, 0.5f, 2.0f, 0, {0.5f, 0.5f}, {0.5f, 0.5f}, {10.0f, 30.0f}, {0x1c1cb3ff, 0x0038ffff, 0x7df9ffff, 0x1c1cb3ff}},
};

}  // namespace

const LightningDef* lightningDef(int type) {
    if (type < 1 || type > int(std::size(kStrikes))) {
        return nullptr;
    }
    return &kStrikes[type - 1];
}

}  // namespace Zelmo
