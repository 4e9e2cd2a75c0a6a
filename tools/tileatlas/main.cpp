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
    const float dx = s.x1 - s.x0;
    const float dy = s.y1 - s.y0;
    const float lengthSq = dx * dx + dy * dy;
    float t = lengthSq > 0 ? ((x - s.x0) * dx + (y - s.y0) * dy) / lengthSq : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(x - (s.x0 + t * dx), y - (s.y0 + t * dy));
}

// A vector-screen line: a hot, slightly white core and a soft halo that dies out before the
// tile inset, measured from the nearest segment so joints do not flare.
Rgb lineLight(Rgb colour, float distance) {
    const float core = std::clamp(1.5f - distance, 0.0f, 1.0f);
    const float window = distance < kInset - 0.5f ? std::pow(1.0f - distance / (kInset - 0.5f), 2.0f) : 0.0f;
    const float halo = (0.55f * std::exp(-distance * distance / (2 * 1.3f * 1.3f)) +
                        0.35f * std::exp(-distance * distance / (2 * 2.8f * 2.8f))) *
                       window;
    return colour * (0.9f * core + halo) + kWhite * (0.12f * core);
}

class TileCanvas {
public:
    explicit TileCanvas(Rgb base) { m_pixels.fill(base); }

    // Fills the texels whose centres lie in [x0, x1) x [y0, y1).
    void fillRect(float x0, float y0, float x1, float y1, Rgb colour) {
        forEach([&](int x, int y, Rgb& p) {
            const float cx = x + 0.5f;
            const float cy = y + 0.5f;
            if (cx >= x0 && cx < x1 && cy >= y0 && cy < y1) p = colour;
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
            const float cx = x + 0.5f;
            const float cy = y + 0.5f;
            if (cx < x0 || cx >= x1 || cy < y0 || cy >= y1) return;
            const float along = std::fmod(cx + cy, float(period));
            const float distance = std::min(along, period - along) / std::sqrt(2.0f);
            p = p + colour * std::clamp(1.2f - distance, 0.0f, 1.0f);
        });
    }

    void glow(const std::vector<Segment>& segments, Rgb colour) {
        if (segments.empty()) return;
        forEach([&](int x, int y, Rgb& p) {
            float nearest = 1e9f;
            for (const Segment& s : segments) nearest = std::min(nearest, distanceTo(s, x + 0.5f, y + 0.5f));
            p = p + lineLight(colour, nearest);
        });
    }

    // Copies the tile into an RGBA picture at tile position (column, row), row 0 at the top.
    void copyTo(std::vector<uint8_t>& picture, int pictureWidth, int column, int row) const {
        for (int y = 0; y < kTile; ++y) {
            for (int x = 0; x < kTile; ++x) {
                const Rgb& p = m_pixels[size_t(y * kTile + x)];
                uint8_t* out =
                    &picture[(size_t(row * kTile + y) * size_t(pictureWidth) + size_t(column * kTile + x)) * 4];
                out[0] = uint8_t(std::clamp(std::lround(p.r), 0L, 255L));
                out[1] = uint8_t(std::clamp(std::lround(p.g), 0L, 255L));
                out[2] = uint8_t(std::clamp(std::lround(p.b), 0L, 255L));
                out[3] = 255;
            }
        }
    }

private:
    template <typename Fn>
    void forEach(Fn fn) {
        for (int y = 0; y < kTile; ++y) {
            for (int x = 0; x < kTile; ++x) fn(x, y, m_pixels[size_t(y * kTile + x)]);
        }
    }

    std::array<Rgb, kTile * kTile> m_pixels;
};

TileCanvas floorTile(Rgb gridColour) {
    TileCanvas canvas(kFloorBase);
    canvas.grid(gridColour);
    return canvas;
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
    TileCanvas canvas = floorTile(kFloorGrid);
    const float lo = kInset;
    const float hi = kTile - kInset;
    const float far = kTile + kReach;
    canvas.fillRect(lo, lo, hi, hi, kWallFill);
    if (armUp(mask)) canvas.fillRect(lo, 0, hi, lo, kWallFill);
    if (armDown(mask)) canvas.fillRect(lo, hi, hi, kTile, kWallFill);
    if (armLeft(mask)) canvas.fillRect(0, lo, lo, hi, kWallFill);
    if (armRight(mask)) canvas.fillRect(hi, lo, kTile, hi, kWallFill);

    std::vector<Segment> lines;
    if (armUp(mask)) {
        lines.push_back({lo, lo, lo, -kReach});
        lines.push_back({hi, lo, hi, -kReach});
    } else {
        lines.push_back({lo, lo, hi, lo});
    }
    if (armDown(mask)) {
        lines.push_back({lo, hi, lo, far});
        lines.push_back({hi, hi, hi, far});
    } else {
        lines.push_back({lo, hi, hi, hi});
    }
    if (armLeft(mask)) {
        lines.push_back({lo, lo, -kReach, lo});
        lines.push_back({lo, hi, -kReach, hi});
    } else {
        lines.push_back({lo, lo, lo, hi});
    }
    if (armRight(mask)) {
        lines.push_back({hi, lo, far, lo});
        lines.push_back({hi, hi, far, hi});
    } else {
        lines.push_back({hi, lo, hi, hi});
    }
    canvas.glow(lines, kCyan);
    return canvas;
}

// The door replaces a horizontal wall run between two wall joints. Its ends carry the cyan wall
// band in from the joint beside them and close the amber door with a cap.
TileCanvas doorTile(bool leftEnd, bool rightEnd) {
    TileCanvas canvas = floorTile(kFloorGrid);
    const float lo = kInset;
    const float hi = kTile - kInset;
    const float doorStart = leftEnd ? kInset : -kReach;
    const float doorEnd = rightEnd ? kTile - kInset : kTile + kReach;
    canvas.fillRect(0, lo, kTile, hi, kWallFill);
    canvas.fillRect(std::max(doorStart, 0.0f), lo, std::min(doorEnd, float(kTile)), hi, kDoorFill);
    // Inset from the caps only: across the joins between door tiles the stripes run on.
    canvas.hatch(leftEnd ? doorStart + 1 : 0, lo + 1, rightEnd ? doorEnd - 1 : kTile, hi - 1, 8, kAmber * 0.28f);

    std::vector<Segment> wall;
    if (leftEnd) {
        wall.push_back({-kReach, lo, lo, lo});
        wall.push_back({-kReach, hi, lo, hi});
    }
    if (rightEnd) {
        wall.push_back({hi, lo, kTile + kReach, lo});
        wall.push_back({hi, hi, kTile + kReach, hi});
    }
    canvas.glow(wall, kCyan);

    std::vector<Segment> door{{doorStart, lo + 2, doorEnd, lo + 2}, {doorStart, hi - 2, doorEnd, hi - 2}};
    if (leftEnd) door.push_back({doorStart, lo + 2, doorStart, hi - 2});
    if (rightEnd) door.push_back({doorEnd, lo + 2, doorEnd, hi - 2});
    canvas.glow(door, kAmber);
    return canvas;
}

// A closed polyline through the points, as segments.
std::vector<Segment> loop(const std::vector<std::array<float, 2>>& points) {
    std::vector<Segment> segments;
    for (size_t i = 0; i < points.size(); ++i) {
        const auto& a = points[i];
        const auto& b = points[(i + 1) % points.size()];
        segments.push_back({a[0], a[1], b[0], b[1]});
    }
    return segments;
}

// The start room: a green grid with a diamond pad on every tile.
TileCanvas startFloorTile() {
    TileCanvas canvas = floorTile(kGreen * 0.16f);
    canvas.glow(loop({{16, 9.5f}, {22.5f, 16}, {16, 22.5f}, {9.5f, 16}}), kGreen * 0.8f);
    return canvas;
}

// A prisoner cell: a pink grid with a ring on every tile.
TileCanvas cellFloorTile() {
    TileCanvas canvas = floorTile(kPink * 0.16f);
    std::vector<std::array<float, 2>> ring;
    for (int i = 0; i < 8; ++i) {
        const float angle = float(i) * 3.14159265f / 4.0f + 3.14159265f / 8.0f;
        ring.push_back({16 + 6.5f * std::cos(angle), 16 + 6.5f * std::sin(angle)});
    }
    canvas.glow(loop(ring), kPink * 0.8f);
    return canvas;
}

// Rock outside the maze: dark, faintly hatched, no grid.
TileCanvas marginTile() {
    TileCanvas canvas(kMarginBase);
    canvas.hatch(0, 0, kTile, kTile, 8, kMarginHatch);
    return canvas;
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
    std::array<int, kSub * kSub> values{};
    for (int row = 0; row < kSub; ++row) {
        for (int column = 0; column < kSub; ++column) {
            const bool westEast = (column == 0 && !(mask & kWest)) || (column == kSub - 1 && !(mask & kEast));
            const bool northSouth = (row == 0 && !(mask & kNorth)) || (row == kSub - 1 && !(mask & kSouth));
            int value = kCorner;
            if (westEast && !northSouth) value = kFaceWestEast;
            if (northSouth && !westEast) value = kFaceNorthSouth;
            if (!westEast && !northSouth && mask == (kWest | kEast)) value = kFaceNorthSouth;
            if (!westEast && !northSouth && mask == (kNorth | kSouth)) value = kFaceWestEast;
            values[size_t(row * kSub + column)] = value;
        }
    }
    return values;
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
    const int width = kAcross * kTile;
    const int height = kDown * kTile;
    std::vector<uint8_t> picture(size_t(width) * size_t(height) * 4);
    for (int tile = 0; tile < kTileCount; ++tile) {
        drawTile(tile).copyTo(picture, width, tile % kAcross, kDown - 1 - tile / kAcross);
    }
    return stbi_write_png(path.c_str(), width, height, 4, picture.data(), width * 4) != 0;
}

bool writeCollision(const std::string& path) {
    std::ofstream out(path);
    out << "{\n  \"sub_shift\": " << kSubShift << ",\n  \"tile_type_count\": " << kTileCount - 1
        << ",\n  \"patterns\": [";
    bool first = true;
    for (int tile = 0; tile < kTileCount; ++tile) {
        std::array<int, kSub * kSub> values{};
        if (!collisionPattern(tile, values)) continue;
        out << (first ? "\n" : ",\n") << "    { \"tile_type\": " << tile << ", \"values\": [";
        for (size_t i = 0; i < values.size(); ++i) {
            out << (i == 0 ? "" : i % kSub == 0 ? ",  " : ", ") << values[i];
        }
        out << "] }";
        first = false;
    }
    out << "\n  ]\n}\n";
    return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    if (!writeAtlas(folder + "/tiles.png") || !writeCollision(folder + "/tilecollision.json")) {
        std::fprintf(stderr, "Cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
