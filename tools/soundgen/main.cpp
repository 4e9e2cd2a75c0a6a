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
    const SoundData l_data = readSoundFile(path);
    const std::size_t l_frames = l_data.samples.size() / l_data.channels;
    if (l_data.rate != rate || l_frames != static_cast<std::size_t>(std::lround(length * rate)))
        throw std::runtime_error(path + ": read back with " + std::to_string(l_frames) + " frames at " +
                                 std::to_string(l_data.rate) + " Hz, not its recipe's length");
    checkLevel(file, l_data.samples, l_data.channels, rate, levelDb, peakSlackDb);
    if (loop) checkSeam(file, l_data.samples, l_data.channels);
    const Level l_level = measure(l_data.samples, l_data.channels, rate);
    std::printf("%-28s %6.2f s %s peak %6.1f dB, loudest %6.1f dB\n", file.c_str(), length, loop ? "loop" : "    ",
                l_level.peakDb, l_level.loudestDb);
}

void writeEffect(const Effect& effect, const std::string& folder, int rate) {
    if (!endsWith(effect.file, ".wav")) throw std::runtime_error(effect.file + ": effects are written as .wav");
    std::vector<float> l_samples = renderEffect(effect, rate);
    if (!effect.loop) fadeOutEnd(l_samples, 1, rate);
    normalise(l_samples, 1, rate, kEffectLevelDb);
    const std::string l_path = folder + "/" + effect.file;
    writeSoundFile(l_path, l_samples, 1, rate, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    checkWritten(l_path, effect.file, effect.length, effect.loop, kEffectLevelDb, 0.0, rate);
}

// An Ogg piece is music: stereo, streamed, quieter than the effects. A WAV piece is an effect
// that happens to be composed of notes.
void writePiece(const Piece& piece, const std::string& folder, int rate) {
    const bool l_music = endsWith(piece.file, ".ogg");
    if (!l_music && !endsWith(piece.file, ".wav")) throw std::runtime_error(piece.file + ": not .ogg or .wav");
    const int l_channels = l_music ? 2 : 1;
    const double l_levelDb = l_music ? kMusicLevelDb : kEffectLevelDb;
    std::vector<float> l_samples = renderPiece(piece, rate, l_channels);
    if (!piece.loop) fadeOutEnd(l_samples, l_channels, rate);
    normalise(l_samples, l_channels, rate, l_levelDb);
    const std::string l_path = folder + "/" + piece.file;
    if (l_music)
        writeOggVorbis(l_path, l_samples, l_channels, rate, kMusicQuality);
    else
        writeSoundFile(l_path, l_samples, l_channels, rate, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    checkWritten(l_path, piece.file, pieceLength(piece), piece.loop, l_levelDb, l_music ? kVorbisPeakSlackDb : 0.0,
                 rate);
}

void writeGameSounds(const std::string& recipesPath, const std::string& folder) {
    const Recipes l_recipes = readRecipes(recipesPath);
    for (const Effect& l_effect : l_recipes.effects) writeEffect(l_effect, folder, l_recipes.sampleRate);
    for (const Piece& l_piece : l_recipes.pieces) writePiece(l_piece, folder, l_recipes.sampleRate);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string l_command = argc > 1 ? argv[1] : "";
    try {
        if (l_command == "game" && argc == 4) {
            writeGameSounds(argv[2], argv[3]);
            return 0;
        }
        if (l_command == "test" && argc == 3) {
            writeTestSounds(argv[2]);
            return 0;
        }
    } catch (const std::exception& l_error) {
        std::fprintf(stderr, "%s\n", l_error.what());
        return 1;
    }
    std::fprintf(stderr, "usage: soundgen game RECIPES OUTPUT-FOLDER\n       soundgen test OUTPUT-FOLDER\n");
    return 2;
}
