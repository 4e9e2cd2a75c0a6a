#include "Sequencer.h"

#include <cmath>
#include <sstream>
#include <stdexcept>

#include "Synth.h"

namespace SoundGen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kSoftHit = 0.6f;  // "x"; "X" is a full-strength hit

struct Note {
    int step;      // from the start of the bar
    int steps;     // how long it is held
    double pitch;  // the factor on the instrument's frequencies
    float velocity;
};

// "A4", "C#5", "Bb3": the note's frequency; 0 for anything else.
double noteFrequency(const std::string& token) {
    static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G from C
    if (token.size() < 2 || token[0] < 'A' || token[0] > 'G') return 0.0;
    int semitone = kSemitones[token[0] - 'A'];
    std::size_t at = 1;
    if (token[at] == '#' || token[at] == 'b') semitone += token[at++] == '#' ? 1 : -1;
    if (at + 1 != token.size() || token[at] < '0' || token[at] > '9') return 0.0;
    const int midi = 12 * (token[at] - '0' + 1) + semitone;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A line of tokens, one per step: a note, "x" or "X" (a hit), "-" (the note before goes on), "." (rest).
std::vector<Note> readLine(const std::string& line, int stepsPerBar, const std::string& where) {
    std::istringstream tokens(line);
    std::vector<Note> notes;
    std::string token;
    int step = 0;
    for (; tokens >> token; ++step) {
        if (token == ".") continue;
        if (token == "-") {
            if (notes.empty() || notes.back().step + notes.back().steps != step)
                throw std::runtime_error(where + ": \"-\" at step " + std::to_string(step) + " holds no note");
            ++notes.back().steps;
            continue;
        }
        if (token == "x" || token == "X") {
            notes.push_back({step, 1, 1.0, token == "X" ? 1.0f : kSoftHit});
            continue;
        }
        const double frequency = noteFrequency(token);
        if (frequency == 0.0) throw std::runtime_error(where + ": \"" + token + "\" is no note");
        notes.push_back({step, 1, frequency, 1.0f});
    }
    if (step != stepsPerBar)
        throw std::runtime_error(where + ": " + std::to_string(step) + " steps, not " + std::to_string(stepsPerBar));
    return notes;
}

template <typename T>
const T& named(const std::vector<std::pair<std::string, T>>& list, const std::string& name, const std::string& what) {
    for (const auto& entry : list)
        if (entry.first == name) return entry.second;
    throw std::runtime_error(what + " \"" + name + "\" does not exist");
}

}  // namespace

double pieceLength(const Piece& piece) {
    const double step = 60.0 / piece.tempo / piece.stepsPerBeat;
    return static_cast<double>(piece.song.size()) * piece.stepsPerBar * step + (piece.loop ? 0.0 : piece.tail);
}

std::vector<float> renderPiece(const Piece& piece, int rate, int channels) {
    const double stepSeconds = 60.0 / piece.tempo / piece.stepsPerBeat;
    const auto frames = static_cast<std::size_t>(std::lround(pieceLength(piece) * rate));
    std::vector<float> mix(frames * channels, 0.0f);
    std::uint64_t noteCount = 0;
    for (const auto& [name, instrument] : piece.instruments) {
        std::vector<float> track(frames, 0.0f);
        for (std::size_t bar = 0; bar < piece.song.size(); ++bar) {
            for (const std::string& patternName : piece.song[bar]) {
                const Pattern& pattern = named(piece.patterns, patternName, piece.file + ": pattern");
                for (const auto& [instrumentName, line] : pattern) {
                    named(piece.instruments, instrumentName,
                          piece.file + ": pattern " + patternName + " plays instrument");
                    if (instrumentName != name) continue;
                    const std::string where = piece.file + ": pattern " + patternName + ", " + instrumentName;
                    for (const Note& note : readLine(line, piece.stepsPerBar, where)) {
                        const double start = (static_cast<double>(bar) * piece.stepsPerBar + note.step) * stepSeconds;
                        ++noteCount;
                        for (std::size_t i = 0; i < instrument.layers.size(); ++i) {
                            const Layer& layer = instrument.layers[i];
                            const double length = layer.length > 0.0 ? layer.length : note.steps * stepSeconds;
                            for (int k = 0; k < layer.repeat; ++k) {
                                const std::vector<float> voice = renderLayer(
                                    layer, note.pitch, length, rate, seedOf(piece.file, noteCount * 64 + i * 8 + k));
                                const double at = start + layer.start + k * layer.every;
                                if (!piece.loop && at + length > pieceLength(piece) + 1e-9)
                                    throw std::runtime_error(where + ": a note in bar " + std::to_string(bar + 1) +
                                                             " rings past the end; lengthen the tail");
                                mixInto(track, voice, std::lround(at * rate), note.velocity, piece.loop);
                            }
                        }
                    }
                }
            }
        }
        applyEcho(track, instrument.echo, rate, piece.loop);
        // Constant power across the stereo field.
        const double angle = (instrument.pan + 1.0) * kPi / 4.0;
        const float gains[2] = {static_cast<float>(instrument.gain * std::cos(angle) * std::sqrt(2.0)),
                                static_cast<float>(instrument.gain * std::sin(angle) * std::sqrt(2.0))};
        for (std::size_t i = 0; i < frames; ++i) {
            if (channels == 1) {
                mix[i] += static_cast<float>(instrument.gain) * track[i];
            } else {
                mix[2 * i] += gains[0] * track[i];
                mix[2 * i + 1] += gains[1] * track[i];
            }
        }
    }
    return mix;
}

}  // namespace SoundGen
