// Plays every generated sound through the mixer as the game does and checks what comes out: each
// effect is heard, stays below the mixer's round-off and lasts as long as its recipe says; the loops
// and the music come round without a click; the effects share one loudness and the music is quieter.
#include <flatbuffers/flexbuffers.h>
#include <flatbuffers/idl.h>
#include <flatbuffers/util.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/audio/Engine.h"
#include "engine/audio/OfflineOutput.h"
#include "engine/audio/RoundOff.h"
#include "engine/audio/Wav.h"
#include "engine/audio/WavStream.h"

namespace {

constexpr int kRate = 44100;
constexpr const char* kRecipes = "tools/soundgen/recipes.json";
constexpr const char* kFolder = "data/sounds/";
// The mixer reads its voices in chunks of this many frames; a voice is found ended in the next one.
constexpr int kChunkFrames = 256;

struct RecipeSound {
    std::string file;
    double seconds;
    bool loop;

    bool isMusic() const { return file.size() > 4 && file.compare(file.size() - 4, 4, ".ogg") == 0; }
    int frames() const { return static_cast<int>(std::lround(seconds * kRate)); }
};

double numberOr(const flexbuffers::Map& map, const char* key, double fallback) {
    return map[key].IsNull() ? fallback : map[key].AsDouble();
}

// What the recipes promise: every file with its length, whether written from layers or from notes.
std::vector<RecipeSound> recipeSounds() {
    std::string text;
    EXPECT_TRUE(flatbuffers::LoadFile(kRecipes, false, &text)) << kRecipes;
    flatbuffers::Parser parser;
    flexbuffers::Builder builder;
    EXPECT_TRUE(parser.ParseFlexBuffer(text.c_str(), kRecipes, &builder)) << parser.error_;
    const flexbuffers::Map root = flexbuffers::GetRoot(builder.GetBuffer()).AsMap();
    std::vector<RecipeSound> sounds;
    const auto effects = root["effects"].AsVector();
    for (size_t i = 0; i < effects.size(); ++i) {
        const auto effect = effects[i].AsMap();
        sounds.push_back({effect["file"].AsString().str(), effect["length"].AsDouble(), effect["loop"].AsBool()});
    }
    const auto pieces = root["pieces"].AsVector();
    for (size_t i = 0; i < pieces.size(); ++i) {
        const auto piece = pieces[i].AsMap();
        const bool loop = piece["loop"].AsBool();
        const double step = 60.0 / numberOr(piece, "tempo", 120.0) / numberOr(piece, "steps_per_beat", 4.0);
        const double bars = static_cast<double>(piece["song"].AsVector().size());
        sounds.push_back(
            {piece["file"].AsString().str(),
             bars * numberOr(piece, "steps_per_bar", 16.0) * step + (loop ? 0.0 : numberOr(piece, "tail", 0.0)), loop});
    }
    return sounds;
}

// The mixer with an output that the test pulls, as the game's sound controller builds it.
class Mixer {
public:
    Mixer() {
        auto pOutput = std::make_unique<Audio::OfflineOutput>(kRate);
        m_output = pOutput.get();
        m_engine = std::make_unique<Audio::Engine>(std::move(pOutput), 2);
        EXPECT_TRUE(m_engine->start());
    }

    Audio::Engine& engine() { return *m_engine; }

    // The left side of the next frames (every sound here is mono or evenly balanced at its seam).
    std::vector<float> pullLeft(int frames) {
        const std::vector<float> stereo = m_output->pull(static_cast<std::size_t>(frames));
        std::vector<float> left;
        for (std::size_t i = 0; i < stereo.size(); i += 2) left.push_back(stereo[i]);
        return left;
    }

private:
    Audio::OfflineOutput* m_output;
    std::unique_ptr<Audio::Engine> m_engine;
};

float peak(const std::vector<float>& samples) {
    float peak = 0.0f;
    for (const float sample : samples) peak = std::max(peak, std::fabs(sample));
    return peak;
}

// The highest RMS over any 50 ms of interleaved stereo, in dB: how loud the sound is at its loudest.
double loudestDb(const std::vector<float>& stereo) {
    const std::size_t window = std::min<std::size_t>(stereo.size(), 2 * kRate / 20);
    double loudest = 0.0;
    for (std::size_t from = 0; from + window <= stereo.size(); from += 2 * kRate / 200) {
        double sum = 0.0;
        for (std::size_t i = from; i < from + window; ++i) sum += double(stereo[i]) * stereo[i];
        loudest = std::max(loudest, std::sqrt(sum / window));
    }
    return 20.0 * std::log10(std::max(loudest, 1e-9));
}

// A click is a step from one sample to the next larger than the sound's own steps; the seam of a
// loop lies between frame `seam` - 1 and frame `seam`.
void expectNoClickAt(const std::vector<float>& samples, int seam) {
    std::vector<float> steps;
    for (int i = 1; i < seam; ++i) steps.push_back(std::fabs(samples[i] - samples[i - 1]));
    const auto rank = steps.begin() + static_cast<long>(steps.size() * 99 / 100);
    std::nth_element(steps.begin(), rank, steps.end());
    EXPECT_LE(std::fabs(samples[seam] - samples[seam - 1]), *rank) << "a click where the loop comes round";
}

TEST(GeneratedSounds, EveryRecipeHasItsFileAndEveryFileItsRecipe) {
    std::set<std::string> fromRecipes;
    for (const RecipeSound& sound : recipeSounds()) fromRecipes.insert(sound.file);
    std::set<std::string> inFolder;
    for (const auto& entry : std::filesystem::directory_iterator(kFolder))
        inFolder.insert(entry.path().filename().string());
    EXPECT_EQ(fromRecipes, inFolder) << "run tools/soundgen/make_sounds.sh after changing " << kRecipes;
}

TEST(GeneratedSounds, EffectsAreHeardWithoutClippingForTheirRecipesLength) {
    for (const RecipeSound& sound : recipeSounds()) {
        if (sound.loop || sound.isMusic()) continue;
        SCOPED_TRACE(sound.file);
        Audio::Wav wav;
        ASSERT_TRUE(wav.load(kFolder + sound.file));
        EXPECT_EQ(wav.frameCount(), static_cast<std::size_t>(sound.frames()));
        Mixer mixer;
        const Audio::Handle voice = mixer.engine().play(wav, 1.0f, 0);
        const std::vector<float> heard = mixer.pullLeft(sound.frames() - 1);
        EXPECT_TRUE(mixer.engine().isValid(voice)) << "ended early";
        EXPECT_GT(peak(heard), 0.1f) << "nearly silent";
        EXPECT_LE(peak(heard), Audio::kRoundOffKnee) << "loud enough for the mixer to bend it";
        mixer.pullLeft(2 * kChunkFrames);
        EXPECT_FALSE(mixer.engine().isValid(voice)) << "still playing after its length";
    }
}

TEST(GeneratedSounds, LoopingEffectsComeRoundWithoutAClick) {
    for (const RecipeSound& sound : recipeSounds()) {
        if (!sound.loop || sound.isMusic()) continue;
        SCOPED_TRACE(sound.file);
        Audio::Wav wav;
        ASSERT_TRUE(wav.load(kFolder + sound.file));
        EXPECT_EQ(wav.frameCount(), static_cast<std::size_t>(sound.frames()));
        wav.setLooping(true);
        Mixer mixer;
        const Audio::Handle voice = mixer.engine().play(wav, 1.0f, 0);
        const std::vector<float> heard = mixer.pullLeft(3 * sound.frames());
        EXPECT_TRUE(mixer.engine().isValid(voice));
        EXPECT_GT(peak(heard), 0.1f) << "nearly silent";
        EXPECT_LE(peak(heard), Audio::kRoundOffKnee) << "loud enough for the mixer to bend it";
        expectNoClickAt(heard, sound.frames());
    }
}

TEST(GeneratedSounds, MusicStreamsForAMinuteAndComesRoundWithoutAClick) {
    int pieces = 0;
    for (const RecipeSound& sound : recipeSounds()) {
        if (!sound.isMusic()) continue;
        SCOPED_TRACE(sound.file);
        ++pieces;
        EXPECT_TRUE(sound.loop);
        EXPECT_GE(sound.seconds, 60.0);
        Audio::WavStream music;
        ASSERT_TRUE(music.load(kFolder + sound.file));
        music.setLooping(true);
        Mixer mixer;
        const Audio::Handle voice = mixer.engine().play(music, 1.0f, 1);
        const std::vector<float> heard = mixer.pullLeft(sound.frames() + kRate);
        EXPECT_TRUE(mixer.engine().isValid(voice));
        EXPECT_GT(peak(heard), 0.05f) << "nearly silent";
        EXPECT_LE(peak(heard), Audio::kRoundOffKnee) << "loud enough for the mixer to bend it";
        expectNoClickAt(heard, sound.frames());
    }
    EXPECT_GT(pieces, 0) << "no title music among the recipes";
}

TEST(GeneratedSounds, EffectsShareOneLoudnessAndTheMusicIsQuieter) {
    constexpr double kEffectSpreadDb = 6.0;
    constexpr double kMusicBelowDb = 3.0;
    double quietestEffect = 0.0;
    double loudestEffect = -200.0;
    double loudestMusic = -200.0;
    for (const RecipeSound& sound : recipeSounds()) {
        Audio::Wav decoded;
        ASSERT_TRUE(decoded.load(kFolder + sound.file)) << sound.file;
        std::vector<float> stereo(2 * decoded.frameCount());
        decoded.createReader()->read(stereo.data(), decoded.frameCount());
        const double level = loudestDb(stereo);
        if (sound.isMusic()) {
            loudestMusic = std::max(loudestMusic, level);
        } else {
            quietestEffect = std::min(quietestEffect, level);
            loudestEffect = std::max(loudestEffect, level);
        }
    }
    EXPECT_LE(loudestEffect - quietestEffect, kEffectSpreadDb);
    EXPECT_LE(loudestMusic, quietestEffect - kMusicBelowDb);
}

}  // namespace
