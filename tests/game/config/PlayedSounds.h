#pragma once

// The sound ids the game plays by number, and where. The configuration's sound list must give
// each of them a sound; the beam and strike sounds are named by the tuning table's weapon list
// instead and checked from there, and robot sounds by the robot data.
namespace PlayedSounds {

struct PlayedSound {
    int id;
    const char* what;
};

constexpr PlayedSound kPlayedSounds[] = {
    {1, "settings page: the effects-volume preview; a menu choice"},
    {2, "a move between menu items"},
    {10, "a lightning strike hits the player"},
    {11, "a hostile particle hits the player"},
    {13, "a power-up box is opened"},
    {14, "the fish power-up is picked up"},
    {15, "the armour power-up is picked up"},
    {16, "the fist power-up is picked up"},
    {17, "the armour's hum, looping until the armour ends (its voice is kept to stop it)"},
    {19, "a boss node is touched"},
    {20, "a robot is hit (every robot's hit sound)"},
    {23, "a robot is destroyed (every robot's death sound)"},
    {25, "a power punch is thrown"},
    {26, "a punch is thrown"},
    {27, "the punch is charging (single instance; its voice is stopped by the punch)"},
    {28, "the lift takes the player on: the level is complete (speech)"},
    {29,
     "the lift refuses while prisoners remain or the boss lives; played on every update the "
     "player pushes into it, so single instance"},
    {30, "a door run is broken by a punch"},
    {31, "the minimap opens at a terminal"},
    {32, "a prisoner is freed"},
    {33, "the rescue robot sets off, after the quarter's voice"},
    {44, "the intro's sound, stopped when the intro ends"},
    {45, "the title music: streamed, looping; the music-volume preview; the won game-over screen"},
    {47, "settings page: the speech-volume preview (speech)"},
    {48, "a prisoner freed in the south-west quarter of the maze (speech)"},
    {49, "a prisoner freed in the south-east quarter (speech)"},
    {50, "a prisoner freed in the north-west quarter (speech)"},
    {51, "a prisoner freed in the north-east quarter (speech)"},
    {53, "the boss is punched"},
    {54, "the boss is punched while the player is charged by a boss node"},
    {55, "the lost game-over screen: the first of five spoken lines, one chosen at random"},
    {56, "the lost game-over screen: the second spoken line"},
    {57, "the lost game-over screen: the third spoken line"},
    {58, "the lost game-over screen: the fourth spoken line"},
    {59, "the lost game-over screen: the fifth spoken line"},
};

}  // namespace PlayedSounds
