// Draws the level tile atlas in the game's glowing-line look and writes the collision patterns of
// the same tiles, so the picture of a wall and the place where it stops a robot come from one
// description.
//
// The atlas is 8 x 4 tiles of 32 x 32 RGBA texels. The game loads PNG files upside down (row 0 is
// the bottom of the picture) and numbers atlas tiles from texture row 0, so tile 0 is the
// bottom-left tile of the picture. A tile shows on screen as it looks in the picture; map rows
// grow upward on screen, so a wall tile's "north" neighbour (the map row above it in the file,
// mask bit 8) is below it on screen: its arm runs to the tile's bottom edge in the picture.
//
// Tiles: 0 floor; 1-14 walls by neighbour mask (1 west, 2 east, 4 south, 8 north); 15 the wall
// joined on all four sides; 16 start-room floor; 17, 19, 18 door left end, middle, right end;
// 20 prisoner-cell floor; 21-30 spare floor; 31 margin rock.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kTile = 32;
constexpr int kAcross = 8;
constexpr int kDown = 4;
constexpr int kTileCount = kAcross * kDown;
// Wall outlines run this far inside the tile edge, so a line's glow never reaches a neighbour
// that does not draw the same line.
constexpr float kInset = 6.0f;
// Lines that leave the tile are drawn on past its edge, so their glow continues without a seam.
constexpr float kReach = 12.0f;
// Sub-cells per tile side in the collision data (sub-shift 2).
constexpr int kSubShift = 2;
constexpr int kSub = 1 << kSubShift;

enum Mask { kWest = 1, kEast = 2, kSouth = 4, kNorth = 8 };
enum Tile {
    kFloor = 0,
    kSolid = 15,
    kStartFloor = 16,
    kDoorLeft = 17,
    kDoorRight = 18,
    kDoorMiddle = 19,
    kCellFloor = 20,
    kMargin = 31
};

// Collision values, as the movement and robot code read them.
enum Collision { kFree = 0, kFaceWestEast = 1, kFaceNorthSouth = 2, kCorner = 3, kDoor = 4, kRobotsOnly = 5 };

struct Rgb {
    float r, g, b;
};
Rgb operator*(Rgb c, float k) { return {c.r * k, c.g * k, c.b * k}; }
Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

// The palette of the art direction.
constexpr Rgb kCyan{115, 217, 231};
constexpr Rgb kPink{255, 178, 255};
constexpr Rgb kGreen{96, 255, 150};
constexpr Rgb kAmber{255, 176, 48};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kFloorBase{4, 6, 12};
constexpr Rgb kFloorGrid{13, 22, 40};
constexpr Rgb kWallFill{7, 19, 29};
constexpr Rgb kDoorFill{28, 16, 3};
constexpr Rgb kMarginBase{2, 3, 7};
constexpr Rgb kMarginHatch{14, 22, 38};

struct Segment {
    float x0, y0, x1, y1;
};

float distanceTo(const Segment& s, float x, float y) {
    const float l_dx = s.x1 - s.x0;
    const float l_dy = s.y1 - s.y0;
    const float l_lengthSq = l_dx * l_dx + l_dy * l_dy;
    float l_t = l_lengthSq > 0 ? ((x - s.x0) * l_dx + (y - s.y0) * l_dy) / l_lengthSq : 0;
    l_t = std::clamp(l_t, 0.0f, 1.0f);
    return std::hypot(x - (s.x0 + l_t * l_dx), y - (s.y0 + l_t * l_dy));
}

// A vector-screen line: a hot, slightly white core and a soft halo that dies out before the
// tile inset, measured from the nearest segment so joints do not flare.
Rgb lineLight(Rgb colour, float distance) {
    const float l_core = std::clamp(1.5f - distance, 0.0f, 1.0f);
    const float l_window = distance < kInset - 0.5f ? std::pow(1.0f - distance / (kInset - 0.5f), 2.0f) : 0.0f;
    const float l_halo = (0.55f * std::exp(-distance * distance / (2 * 1.3f * 1.3f)) +
                          0.35f * std::exp(-distance * distance / (2 * 2.8f * 2.8f))) *
                         l_window;
    return colour * (0.9f * l_core + l_halo) + kWhite * (0.12f * l_core);
}

class TileCanvas {
public:
    explicit TileCanvas(Rgb base) { m_pixels.fill(base); }

    // Fills the texels whose centres lie in [x0, x1) x [y0, y1).
    void fillRect(float x0, float y0, float x1, float y1, Rgb colour) {
        forEach([&](int x, int y, Rgb& p) {
            const float l_cx = x + 0.5f;
            const float l_cy = y + 0.5f;
            if (l_cx >= x0 && l_cx < x1 && l_cy >= y0 && l_cy < y1) p = colour;
        });
    }

    // The floor grid: the left column and the bottom row of every tile, so tiles side by side
    // make one even grid.
    void grid(Rgb colour) {
        forEach([&](int x, int y, Rgb& p) {
            if (x == 0 || y == kTile - 1) p = colour;
        });
    }

    // Thin diagonal lines every `period` texels along x + y, inside [x0, x1) x [y0, y1); the
    // period divides the tile size, so the hatching runs on across tiles.
    void hatch(float x0, float y0, float x1, float y1, int period, Rgb colour) {
        forEach([&](int x, int y, Rgb& p) {
            const float l_cx = x + 0.5f;
            const float l_cy = y + 0.5f;
            if (l_cx < x0 || l_cx >= x1 || l_cy < y0 || l_cy >= y1) return;
            const float l_along = std::fmod(l_cx + l_cy, float(period));
            const float l_distance = std::min(l_along, period - l_along) / std::sqrt(2.0f);
            p = p + colour * std::clamp(1.2f - l_distance, 0.0f, 1.0f);
        });
    }

    void glow(const std::vector<Segment>& segments, Rgb colour) {
        if (segments.empty()) return;
        forEach([&](int x, int y, Rgb& p) {
            float l_nearest = 1e9f;
            for (const Segment& l_s : segments) l_nearest = std::min(l_nearest, distanceTo(l_s, x + 0.5f, y + 0.5f));
            p = p + lineLight(colour, l_nearest);
        });
    }

    // Copies the tile into an RGBA picture at tile position (column, row), row 0 at the top.
    void copyTo(std::vector<uint8_t>& picture, int pictureWidth, int column, int row) const {
        for (int l_y = 0; l_y < kTile; ++l_y) {
            for (int l_x = 0; l_x < kTile; ++l_x) {
                const Rgb& l_p = m_pixels[size_t(l_y * kTile + l_x)];
                uint8_t* l_out =
                    &picture[(size_t(row * kTile + l_y) * size_t(pictureWidth) + size_t(column * kTile + l_x)) * 4];
                l_out[0] = uint8_t(std::clamp(std::lround(l_p.r), 0L, 255L));
                l_out[1] = uint8_t(std::clamp(std::lround(l_p.g), 0L, 255L));
                l_out[2] = uint8_t(std::clamp(std::lround(l_p.b), 0L, 255L));
                l_out[3] = 255;
            }
        }
    }

private:
    template <typename Fn>
    void forEach(Fn fn) {
        for (int l_y = 0; l_y < kTile; ++l_y) {
            for (int l_x = 0; l_x < kTile; ++l_x) fn(l_x, l_y, m_pixels[size_t(l_y * kTile + l_x)]);
        }
    }

    std::array<Rgb, kTile * kTile> m_pixels;
};

TileCanvas floorTile(Rgb gridColour) {
    TileCanvas l_canvas(kFloorBase);
    l_canvas.grid(gridColour);
    return l_canvas;
}

// In picture coordinates (y down) a wall's south arm reaches the top edge and its north arm the
// bottom edge (see the header).
bool armUp(int mask) { return (mask & kSouth) != 0; }
bool armDown(int mask) { return (mask & kNorth) != 0; }
bool armLeft(int mask) { return (mask & kWest) != 0; }
bool armRight(int mask) { return (mask & kEast) != 0; }

// A wall is a band inset from the tile edges with an arm to each side in its mask; its outline
// is the band's edge, so neighbouring wall tiles join into one continuous outlined corridor wall.
TileCanvas wallTile(int mask) {
    TileCanvas l_canvas = floorTile(kFloorGrid);
    const float l_lo = kInset;
    const float l_hi = kTile - kInset;
    const float l_far = kTile + kReach;
    l_canvas.fillRect(l_lo, l_lo, l_hi, l_hi, kWallFill);
    if (armUp(mask)) l_canvas.fillRect(l_lo, 0, l_hi, l_lo, kWallFill);
    if (armDown(mask)) l_canvas.fillRect(l_lo, l_hi, l_hi, kTile, kWallFill);
    if (armLeft(mask)) l_canvas.fillRect(0, l_lo, l_lo, l_hi, kWallFill);
    if (armRight(mask)) l_canvas.fillRect(l_hi, l_lo, kTile, l_hi, kWallFill);

    std::vector<Segment> l_lines;
    if (armUp(mask)) {
        l_lines.push_back({l_lo, l_lo, l_lo, -kReach});
        l_lines.push_back({l_hi, l_lo, l_hi, -kReach});
    } else {
        l_lines.push_back({l_lo, l_lo, l_hi, l_lo});
    }
    if (armDown(mask)) {
        l_lines.push_back({l_lo, l_hi, l_lo, l_far});
        l_lines.push_back({l_hi, l_hi, l_hi, l_far});
    } else {
        l_lines.push_back({l_lo, l_hi, l_hi, l_hi});
    }
    if (armLeft(mask)) {
        l_lines.push_back({l_lo, l_lo, -kReach, l_lo});
        l_lines.push_back({l_lo, l_hi, -kReach, l_hi});
    } else {
        l_lines.push_back({l_lo, l_lo, l_lo, l_hi});
    }
    if (armRight(mask)) {
        l_lines.push_back({l_hi, l_lo, l_far, l_lo});
        l_lines.push_back({l_hi, l_hi, l_far, l_hi});
    } else {
        l_lines.push_back({l_hi, l_lo, l_hi, l_hi});
    }
    l_canvas.glow(l_lines, kCyan);
    return l_canvas;
}

// The door replaces a horizontal wall run between two wall joints. Its ends carry the cyan wall
// band in from the joint beside them and close the amber door with a cap.
TileCanvas doorTile(bool leftEnd, bool rightEnd) {
    TileCanvas l_canvas = floorTile(kFloorGrid);
    const float l_lo = kInset;
    const float l_hi = kTile - kInset;
    const float l_doorStart = leftEnd ? kInset : -kReach;
    const float l_doorEnd = rightEnd ? kTile - kInset : kTile + kReach;
    l_canvas.fillRect(0, l_lo, kTile, l_hi, kWallFill);
    l_canvas.fillRect(std::max(l_doorStart, 0.0f), l_lo, std::min(l_doorEnd, float(kTile)), l_hi, kDoorFill);
    // Inset from the caps only: across the joins between door tiles the stripes run on.
    l_canvas.hatch(leftEnd ? l_doorStart + 1 : 0, l_lo + 1, rightEnd ? l_doorEnd - 1 : kTile, l_hi - 1, 8,
                   kAmber * 0.28f);

    std::vector<Segment> l_wall;
    if (leftEnd) {
        l_wall.push_back({-kReach, l_lo, l_lo, l_lo});
        l_wall.push_back({-kReach, l_hi, l_lo, l_hi});
    }
    if (rightEnd) {
        l_wall.push_back({l_hi, l_lo, kTile + kReach, l_lo});
        l_wall.push_back({l_hi, l_hi, kTile + kReach, l_hi});
    }
    l_canvas.glow(l_wall, kCyan);

    std::vector<Segment> l_door{{l_doorStart, l_lo + 2, l_doorEnd, l_lo + 2},
                                {l_doorStart, l_hi - 2, l_doorEnd, l_hi - 2}};
    if (leftEnd) l_door.push_back({l_doorStart, l_lo + 2, l_doorStart, l_hi - 2});
    if (rightEnd) l_door.push_back({l_doorEnd, l_lo + 2, l_doorEnd, l_hi - 2});
    l_canvas.glow(l_door, kAmber);
    return l_canvas;
}

// A closed polyline through the points, as segments.
std::vector<Segment> loop(const std::vector<std::array<float, 2>>& points) {
    std::vector<Segment> l_segments;
    for (size_t l_i = 0; l_i < points.size(); ++l_i) {
        const auto& l_a = points[l_i];
        const auto& l_b = points[(l_i + 1) % points.size()];
        l_segments.push_back({l_a[0], l_a[1], l_b[0], l_b[1]});
    }
    return l_segments;
}

// The start room: a green grid with a diamond pad on every tile.
TileCanvas startFloorTile() {
    TileCanvas l_canvas = floorTile(kGreen * 0.16f);
    l_canvas.glow(loop({{16, 9.5f}, {22.5f, 16}, {16, 22.5f}, {9.5f, 16}}), kGreen * 0.8f);
    return l_canvas;
}

// A prisoner cell: a pink grid with a ring on every tile.
TileCanvas cellFloorTile() {
    TileCanvas l_canvas = floorTile(kPink * 0.16f);
    std::vector<std::array<float, 2>> l_ring;
    for (int l_i = 0; l_i < 8; ++l_i) {
        const float l_angle = float(l_i) * 3.14159265f / 4.0f + 3.14159265f / 8.0f;
        l_ring.push_back({16 + 6.5f * std::cos(l_angle), 16 + 6.5f * std::sin(l_angle)});
    }
    l_canvas.glow(loop(l_ring), kPink * 0.8f);
    return l_canvas;
}

// Rock outside the maze: dark, faintly hatched, no grid.
TileCanvas marginTile() {
    TileCanvas l_canvas(kMarginBase);
    l_canvas.hatch(0, 0, kTile, kTile, 8, kMarginHatch);
    return l_canvas;
}

TileCanvas drawTile(int tile) {
    if (tile >= 1 && tile <= kSolid) return wallTile(tile);
    switch (tile) {
        case kStartFloor:
            return startFloorTile();
        case kDoorLeft:
            return doorTile(true, false);
        case kDoorMiddle:
            return doorTile(false, false);
        case kDoorRight:
            return doorTile(false, true);
        case kCellFloor:
            return cellFloorTile();
        case kMargin:
            return marginTile();
        default:
            return floorTile(kFloorGrid);
    }
}

// The collision block of a wall, north row first (collision rows follow map rows). Wall tiles
// block whole; the sub-cells on a side with no wall neighbour tell which face a robot met.
std::array<int, kSub * kSub> wallPattern(int mask) {
    std::array<int, kSub * kSub> l_values{};
    for (int l_row = 0; l_row < kSub; ++l_row) {
        for (int l_column = 0; l_column < kSub; ++l_column) {
            const bool l_westEast = (l_column == 0 && !(mask & kWest)) || (l_column == kSub - 1 && !(mask & kEast));
            const bool l_northSouth = (l_row == 0 && !(mask & kNorth)) || (l_row == kSub - 1 && !(mask & kSouth));
            int l_value = kCorner;
            if (l_westEast && !l_northSouth) l_value = kFaceWestEast;
            if (l_northSouth && !l_westEast) l_value = kFaceNorthSouth;
            if (!l_westEast && !l_northSouth && mask == (kWest | kEast)) l_value = kFaceNorthSouth;
            if (!l_westEast && !l_northSouth && mask == (kNorth | kSouth)) l_value = kFaceWestEast;
            l_values[size_t(l_row * kSub + l_column)] = l_value;
        }
    }
    return l_values;
}

// The collision values of a tile, or none for a free tile that needs no entry.
bool collisionPattern(int tile, std::array<int, kSub * kSub>& values) {
    if (tile >= 1 && tile <= kSolid) {
        values = wallPattern(tile);
        return true;
    }
    switch (tile) {
        case kFloor:
            values.fill(kFree);
            return true;
        case kStartFloor:
        case kCellFloor:
            values.fill(kRobotsOnly);
            return true;
        case kDoorLeft:
        case kDoorMiddle:
        case kDoorRight:
            values.fill(kDoor);
            return true;
        case kMargin:
            values.fill(kCorner);
            return true;
        default:
            return false;
    }
}

bool writeAtlas(const std::string& path) {
    const int l_width = kAcross * kTile;
    const int l_height = kDown * kTile;
    std::vector<uint8_t> l_picture(size_t(l_width) * size_t(l_height) * 4);
    for (int l_tile = 0; l_tile < kTileCount; ++l_tile) {
        drawTile(l_tile).copyTo(l_picture, l_width, l_tile % kAcross, kDown - 1 - l_tile / kAcross);
    }
    return stbi_write_png(path.c_str(), l_width, l_height, 4, l_picture.data(), l_width * 4) != 0;
}

bool writeCollision(const std::string& path) {
    std::ofstream l_out(path);
    l_out << "{\n  \"sub_shift\": " << kSubShift << ",\n  \"tile_type_count\": " << kTileCount - 1
          << ",\n  \"patterns\": [";
    bool l_first = true;
    for (int l_tile = 0; l_tile < kTileCount; ++l_tile) {
        std::array<int, kSub * kSub> l_values{};
        if (!collisionPattern(l_tile, l_values)) continue;
        l_out << (l_first ? "\n" : ",\n") << "    { \"tile_type\": " << l_tile << ", \"values\": [";
        for (size_t l_i = 0; l_i < l_values.size(); ++l_i) {
            l_out << (l_i == 0 ? "" : l_i % kSub == 0 ? ",  " : ", ") << l_values[l_i];
        }
        l_out << "] }";
        l_first = false;
    }
    l_out << "\n  ]\n}\n";
    return bool(l_out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    const std::string l_folder = argv[1];
    if (!writeAtlas(l_folder + "/tiles.png") || !writeCollision(l_folder + "/tilecollision.json")) {
        std::fprintf(stderr, "Cannot write into %s\n", l_folder.c_str());
        return 1;
    }
    return 0;
}
