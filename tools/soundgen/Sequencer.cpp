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
    int l_semitone = kSemitones[token[0] - 'A'];
    std::size_t l_at = 1;
    if (token[l_at] == '#' || token[l_at] == 'b') l_semitone += token[l_at++] == '#' ? 1 : -1;
    if (l_at + 1 != token.size() || token[l_at] < '0' || token[l_at] > '9') return 0.0;
    const int l_midi = 12 * (token[l_at] - '0' + 1) + l_semitone;
    return 440.0 * std::pow(2.0, (l_midi - 69) / 12.0);
}

// A line of tokens, one per step: a note, "x" or "X" (a hit), "-" (the note before goes on), "." (rest).
std::vector<Note> readLine(const std::string& line, int stepsPerBar, const std::string& where) {
    std::istringstream l_tokens(line);
    std::vector<Note> l_notes;
    std::string l_token;
    int l_step = 0;
    for (; l_tokens >> l_token; ++l_step) {
        if (l_token == ".") continue;
        if (l_token == "-") {
            if (l_notes.empty() || l_notes.back().step + l_notes.back().steps != l_step)
                throw std::runtime_error(where + ": \"-\" at step " + std::to_string(l_step) + " holds no note");
            ++l_notes.back().steps;
            continue;
        }
        if (l_token == "x" || l_token == "X") {
            l_notes.push_back({l_step, 1, 1.0, l_token == "X" ? 1.0f : kSoftHit});
            continue;
        }
        const double l_frequency = noteFrequency(l_token);
        if (l_frequency == 0.0) throw std::runtime_error(where + ": \"" + l_token + "\" is no note");
        l_notes.push_back({l_step, 1, l_frequency, 1.0f});
    }
    if (l_step != stepsPerBar)
        throw std::runtime_error(where + ": " + std::to_string(l_step) + " steps, not " + std::to_string(stepsPerBar));
    return l_notes;
}

template <typename T>
const T& named(const std::vector<std::pair<std::string, T>>& list, const std::string& name, const std::string& what) {
    for (const auto& l_entry : list)
        if (l_entry.first == name) return l_entry.second;
    throw std::runtime_error(what + " \"" + name + "\" does not exist");
}

}  // namespace

double pieceLength(const Piece& piece) {
    const double l_step = 60.0 / piece.tempo / piece.stepsPerBeat;
    return static_cast<double>(piece.song.size()) * piece.stepsPerBar * l_step + (piece.loop ? 0.0 : piece.tail);
}

std::vector<float> renderPiece(const Piece& piece, int rate, int channels) {
    const double l_stepSeconds = 60.0 / piece.tempo / piece.stepsPerBeat;
    const auto l_frames = static_cast<std::size_t>(std::lround(pieceLength(piece) * rate));
    std::vector<float> l_mix(l_frames * channels, 0.0f);
    std::uint64_t l_noteCount = 0;
    for (const auto& [l_name, l_instrument] : piece.instruments) {
        std::vector<float> l_track(l_frames, 0.0f);
        for (std::size_t l_bar = 0; l_bar < piece.song.size(); ++l_bar) {
            for (const std::string& l_patternName : piece.song[l_bar]) {
                const Pattern& l_pattern = named(piece.patterns, l_patternName, piece.file + ": pattern");
                for (const auto& [l_instrumentName, l_line] : l_pattern) {
                    named(piece.instruments, l_instrumentName,
                          piece.file + ": pattern " + l_patternName + " plays instrument");
                    if (l_instrumentName != l_name) continue;
                    const std::string l_where = piece.file + ": pattern " + l_patternName + ", " + l_instrumentName;
                    for (const Note& l_note : readLine(l_line, piece.stepsPerBar, l_where)) {
                        const double l_start =
                            (static_cast<double>(l_bar) * piece.stepsPerBar + l_note.step) * l_stepSeconds;
                        ++l_noteCount;
                        for (std::size_t l_i = 0; l_i < l_instrument.layers.size(); ++l_i) {
                            const Layer& l_layer = l_instrument.layers[l_i];
                            const double l_length =
                                l_layer.length > 0.0 ? l_layer.length : l_note.steps * l_stepSeconds;
                            for (int l_k = 0; l_k < l_layer.repeat; ++l_k) {
                                const std::vector<float> l_voice =
                                    renderLayer(l_layer, l_note.pitch, l_length, rate,
                                                seedOf(piece.file, l_noteCount * 64 + l_i * 8 + l_k));
                                const double l_at = l_start + l_layer.start + l_k * l_layer.every;
                                if (!piece.loop && l_at + l_length > pieceLength(piece) + 1e-9)
                                    throw std::runtime_error(l_where + ": a note in bar " + std::to_string(l_bar + 1) +
                                                             " rings past the end; lengthen the tail");
                                mixInto(l_track, l_voice, std::lround(l_at * rate), l_note.velocity, piece.loop);
                            }
                        }
                    }
                }
            }
        }
        applyEcho(l_track, l_instrument.echo, rate, piece.loop);
        // Constant power across the stereo field.
        const double l_angle = (l_instrument.pan + 1.0) * kPi / 4.0;
        const float l_gains[2] = {static_cast<float>(l_instrument.gain * std::cos(l_angle) * std::sqrt(2.0)),
                                  static_cast<float>(l_instrument.gain * std::sin(l_angle) * std::sqrt(2.0))};
        for (std::size_t l_i = 0; l_i < l_frames; ++l_i) {
            if (channels == 1) {
                l_mix[l_i] += static_cast<float>(l_instrument.gain) * l_track[l_i];
            } else {
                l_mix[2 * l_i] += l_gains[0] * l_track[l_i];
                l_mix[2 * l_i + 1] += l_gains[1] * l_track[l_i];
            }
        }
    }
    return l_mix;
}

}  // namespace SoundGen
