#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace Devices {

// The last reported state of up to four joypads.
class Joypads {
public:
    static constexpr int kPads = 4;
    static constexpr int kButtons = 14;

    virtual ~Joypads() = default;

    // Stick x and y are -1, 0 or 1. Buttons 10 to 13 of the list are the d-pad up, right,
    // down and left. Pads outside 0 to 3 are ignored.
    void setState(int pad, int x, int y, const std::vector<int>& buttons);
    // Joypad bits of the stick, d-pad and buttons 0 to 3 (reported as B1 to B4); 0 for an
    // unknown pad.
    uint32_t getState(int pad) const;

private:
    struct Pad {
        int32_t x = 0;
        int32_t y = 0;
        bool dpadUp = false;
        bool dpadDown = false;
        bool dpadLeft = false;
        bool dpadRight = false;
        std::array<bool, kButtons> buttons{};
    };

    std::array<Pad, kPads> m_pads{};
};

}  // namespace Devices
