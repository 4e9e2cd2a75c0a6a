// Writes the game's sounds from their recipes, or the small sounds of the audio tests. See README.md.
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "Effects.h"
#include "Loudness.h"
#include "Recipe.h"
#include "Sequencer.h"
#include "SoundFiles.h"
#include "TestSounds.h"

namespace {

using namespace SoundGen;

constexpr float kMusicQuality = 0.4f;
// Vorbis rebuilds the waveform only approximately; its peaks may rise a little above the original's.
constexpr double kVorbisPeakSlackDb = 1.0;

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Reads the file back as a player would and checks it: its length, its level and, when it loops,
// its seam. Prints one line about it.
void checkWritten(const std::string& path, const std::string& file, double length, bool loop, double levelDb,
                  double peakSlackDb, int rate) {
    const SoundData data = readSoundFile(path);
    const std::size_t frames = data.samples.size() / data.channels;
    if (data.rate != rate || frames != static_cast<std::size_t>(std::lround(length * rate)))
        throw std::runtime_error(path + ": read back with " + std::to_string(frames) + " frames at " +
                                 std::to_string(data.rate) + " Hz, not its recipe's length");
    checkLevel(file, data.samples, data.channels, rate, levelDb, peakSlackDb);
    if (loop) checkSeam(file, data.samples, data.channels);
    const Level level = measure(data.samples, data.channels, rate);
    std::printf("%-28s %6.2f s %s peak %6.1f dB, loudest %6.1f dB\n", file.c_str(), length, loop ? "loop" : "    ",
                level.peakDb, level.loudestDb);
}

void writeEffect(const Effect& effect, const std::string& folder, int rate) {
    if (!endsWith(effect.file, ".wav")) throw std::runtime_error(effect.file + ": effects are written as .wav");
    std::vector<float> samples = renderEffect(effect, rate);
    if (!effect.loop) fadeOutEnd(samples, 1, rate);
    normalise(samples, 1, rate, kEffectLevelDb);
    const std::string path = folder + "/" + effect.file;
    writeSoundFile(path, samples, 1, rate, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    checkWritten(path, effect.file, effect.length, effect.loop, kEffectLevelDb, 0.0, rate);
}

// An Ogg piece is music: stereo, streamed, quieter than the effects. A WAV piece is an effect
// that happens to be composed of notes.
void writePiece(const Piece& piece, const std::string& folder, int rate) {
    const bool music = endsWith(piece.file, ".ogg");
    if (!music && !endsWith(piece.file, ".wav")) throw std::runtime_error(piece.file + ": not .ogg or .wav");
    const int channels = music ? 2 : 1;
    const double levelDb = music ? kMusicLevelDb : kEffectLevelDb;
    std::vector<float> samples = renderPiece(piece, rate, channels);
    if (!piece.loop) fadeOutEnd(samples, channels, rate);
    normalise(samples, channels, rate, levelDb);
    const std::string path = folder + "/" + piece.file;
    if (music)
        writeOggVorbis(path, samples, channels, rate, kMusicQuality);
    else
        writeSoundFile(path, samples, channels, rate, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    checkWritten(path, piece.file, pieceLength(piece), piece.loop, levelDb, music ? kVorbisPeakSlackDb : 0.0, rate);
}

void writeGameSounds(const std::string& recipesPath, const std::string& folder) {
    const Recipes recipes = readRecipes(recipesPath);
    for (const Effect& effect : recipes.effects) writeEffect(effect, folder, recipes.sampleRate);
    for (const Piece& piece : recipes.pieces) writePiece(piece, folder, recipes.sampleRate);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "game" && argc == 4) {
            writeGameSounds(argv[2], argv[3]);
            return 0;
        }
        if (command == "test" && argc == 3) {
            writeTestSounds(argv[2]);
            return 0;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    std::fprintf(stderr, "usage: soundgen game RECIPES OUTPUT-FOLDER\n       soundgen test OUTPUT-FOLDER\n");
    return 2;
}
