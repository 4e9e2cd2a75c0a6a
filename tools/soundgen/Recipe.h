#pragma once

#include <string>
#include <utility>
#include <vector>

namespace SoundGen {

enum class Wave { Sine, Square, Saw, Triangle, Noise };

// One voice of a sound: an oscillator or noise with a pitch sweep, an envelope and filters.
// Times are seconds, frequencies hertz. In an instrument every frequency, the filters' too, is a
// factor of the note's frequency (a drum hit has the factor 1, so its frequencies stay as written).
struct Layer {
    Wave wave = Wave::Sine;
    double start = 0.0;
    double length = 0.0;      // 0 in an instrument: as long as the note is held
    double freqFrom = 440.0;  // for noise: how often a new value is drawn (0: every sample)
    double freqTo = 440.0;    // swept exponentially from freqFrom over the layer
    double duty = 0.5;        // of the square wave
    double attack = 0.002;    // linear rise
    double hold = 0.0;        // full level after the attack
    double curve = 1.0;       // the fall to 0 over the rest: (1 - u)^curve; 0 keeps the level
    double gain = 1.0;
    double vibratoRate = 0.0;   // hertz
    double vibratoDepth = 0.0;  // semitones
    double tremoloRate = 0.0;   // hertz
    double tremoloDepth = 0.0;  // 0..1
    double lowpassFrom = 0.0;   // cutoff, swept exponentially; 0: no low-pass
    double lowpassTo = 0.0;
    double resonance = 0.707;  // the low-pass filter's Q
    double highpass = 0.0;     // cutoff; 0: no high-pass
    double drive = 0.0;        // soft saturation; 0: none
    int repeat = 1;            // copies of the layer ...
    double every = 0.0;        // ... this far apart
};

struct Echo {
    double delay = 0.0;  // 0: no echo
    double feedback = 0.0;
};

// A sound effect, written as mono 16-bit WAV. A looping effect wraps whatever runs past its end
// round to its start, so that it repeats without a seam.
struct Effect {
    std::string file;
    double length = 0.0;
    bool loop = false;
    Echo echo;
    std::vector<Layer> layers;
};

struct Instrument {
    std::vector<Layer> layers;
    double gain = 1.0;
    double pan = 0.0;  // -1 left .. 1 right
    Echo echo;
};

// One bar of some instruments: for each, a line of note tokens, one per step.
using Pattern = std::vector<std::pair<std::string, std::string>>;

// A piece made by the sequencer: each bar of the song plays the named patterns together.
struct Piece {
    std::string file;      // ".ogg": stereo Ogg Vorbis at the music level; ".wav": mono at the effect level
    bool loop = false;     // notes that ring past the end sound again at the start
    double tempo = 120.0;  // beats per minute
    int stepsPerBeat = 4;
    int stepsPerBar = 16;
    double tail = 0.0;  // seconds after the last bar, for a piece that does not loop
    std::vector<std::pair<std::string, Instrument>> instruments;
    std::vector<std::pair<std::string, Pattern>> patterns;
    std::vector<std::vector<std::string>> song;
};

struct Recipes {
    int sampleRate = 44100;
    std::vector<Effect> effects;
    std::vector<Piece> pieces;
};

// Throws std::runtime_error naming the file and the field that is wrong.
Recipes readRecipes(const std::string& path);

}  // namespace SoundGen
