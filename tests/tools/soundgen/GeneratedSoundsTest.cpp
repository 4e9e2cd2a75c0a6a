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
    std::string l_text;
    EXPECT_TRUE(flatbuffers::LoadFile(kRecipes, false, &l_text)) << kRecipes;
    flatbuffers::Parser l_parser;
    flexbuffers::Builder l_builder;
    EXPECT_TRUE(l_parser.ParseFlexBuffer(l_text.c_str(), kRecipes, &l_builder)) << l_parser.error_;
    const flexbuffers::Map l_root = flexbuffers::GetRoot(l_builder.GetBuffer()).AsMap();
    std::vector<RecipeSound> l_sounds;
    const auto l_effects = l_root["effects"].AsVector();
    for (size_t l_i = 0; l_i < l_effects.size(); ++l_i) {
        const auto l_effect = l_effects[l_i].AsMap();
        l_sounds.push_back(
            {l_effect["file"].AsString().str(), l_effect["length"].AsDouble(), l_effect["loop"].AsBool()});
    }
    const auto l_pieces = l_root["pieces"].AsVector();
    for (size_t l_i = 0; l_i < l_pieces.size(); ++l_i) {
        const auto l_piece = l_pieces[l_i].AsMap();
        const bool l_loop = l_piece["loop"].AsBool();
        const double l_step = 60.0 / numberOr(l_piece, "tempo", 120.0) / numberOr(l_piece, "steps_per_beat", 4.0);
        const double l_bars = static_cast<double>(l_piece["song"].AsVector().size());
        l_sounds.push_back({l_piece["file"].AsString().str(),
                            l_bars * numberOr(l_piece, "steps_per_bar", 16.0) * l_step +
                                (l_loop ? 0.0 : numberOr(l_piece, "tail", 0.0)),
                            l_loop});
    }
    return l_sounds;
}

// The mixer with an output that the test pulls, as the game's sound controller builds it.
class Mixer {
public:
    Mixer() {
        auto l_pOutput = std::make_unique<Audio::OfflineOutput>(kRate);
        m_pOutput = l_pOutput.get();
        m_pEngine = std::make_unique<Audio::Engine>(std::move(l_pOutput), 2);
        EXPECT_TRUE(m_pEngine->start());
    }

    Audio::Engine& engine() { return *m_pEngine; }

    // The left side of the next frames (every sound here is mono or evenly balanced at its seam).
    std::vector<float> pullLeft(int frames) {
        const std::vector<float> l_stereo = m_pOutput->pull(static_cast<std::size_t>(frames));
        std::vector<float> l_left;
        for (std::size_t l_i = 0; l_i < l_stereo.size(); l_i += 2) l_left.push_back(l_stereo[l_i]);
        return l_left;
    }

private:
    Audio::OfflineOutput* m_pOutput;
    std::unique_ptr<Audio::Engine> m_pEngine;
};

float peak(const std::vector<float>& samples) {
    float l_peak = 0.0f;
    for (const float l_sample : samples) l_peak = std::max(l_peak, std::fabs(l_sample));
    return l_peak;
}

// The highest RMS over any 50 ms of interleaved stereo, in dB: how loud the sound is at its loudest.
double loudestDb(const std::vector<float>& stereo) {
    const std::size_t l_window = std::min<std::size_t>(stereo.size(), 2 * kRate / 20);
    double l_loudest = 0.0;
    for (std::size_t l_from = 0; l_from + l_window <= stereo.size(); l_from += 2 * kRate / 200) {
        double l_sum = 0.0;
        for (std::size_t l_i = l_from; l_i < l_from + l_window; ++l_i) l_sum += double(stereo[l_i]) * stereo[l_i];
        l_loudest = std::max(l_loudest, std::sqrt(l_sum / l_window));
    }
    return 20.0 * std::log10(std::max(l_loudest, 1e-9));
}

// A click is a step from one sample to the next larger than the sound's own steps; the seam of a
// loop lies between frame `seam` - 1 and frame `seam`.
void expectNoClickAt(const std::vector<float>& samples, int seam) {
    std::vector<float> l_steps;
    for (int l_i = 1; l_i < seam; ++l_i) l_steps.push_back(std::fabs(samples[l_i] - samples[l_i - 1]));
    const auto l_rank = l_steps.begin() + static_cast<long>(l_steps.size() * 99 / 100);
    std::nth_element(l_steps.begin(), l_rank, l_steps.end());
    EXPECT_LE(std::fabs(samples[seam] - samples[seam - 1]), *l_rank) << "a click where the loop comes round";
}

TEST(GeneratedSounds, EveryRecipeHasItsFileAndEveryFileItsRecipe) {
    std::set<std::string> l_fromRecipes;
    for (const RecipeSound& l_sound : recipeSounds()) l_fromRecipes.insert(l_sound.file);
    std::set<std::string> l_inFolder;
    for (const auto& l_entry : std::filesystem::directory_iterator(kFolder))
        l_inFolder.insert(l_entry.path().filename().string());
    EXPECT_EQ(l_fromRecipes, l_inFolder) << "run tools/soundgen/make_sounds.sh after changing " << kRecipes;
}

TEST(GeneratedSounds, EffectsAreHeardWithoutClippingForTheirRecipesLength) {
    for (const RecipeSound& l_sound : recipeSounds()) {
        if (l_sound.loop || l_sound.isMusic()) continue;
        SCOPED_TRACE(l_sound.file);
        Audio::Wav l_wav;
        ASSERT_TRUE(l_wav.load(kFolder + l_sound.file));
        EXPECT_EQ(l_wav.frameCount(), static_cast<std::size_t>(l_sound.frames()));
        Mixer l_mixer;
        const Audio::Handle l_voice = l_mixer.engine().play(l_wav, 1.0f, 0);
        const std::vector<float> l_heard = l_mixer.pullLeft(l_sound.frames() - 1);
        EXPECT_TRUE(l_mixer.engine().isValid(l_voice)) << "ended early";
        EXPECT_GT(peak(l_heard), 0.1f) << "nearly silent";
        EXPECT_LE(peak(l_heard), Audio::kRoundOffKnee) << "loud enough for the mixer to bend it";
        l_mixer.pullLeft(2 * kChunkFrames);
        EXPECT_FALSE(l_mixer.engine().isValid(l_voice)) << "still playing after its length";
    }
}

TEST(GeneratedSounds, LoopingEffectsComeRoundWithoutAClick) {
    for (const RecipeSound& l_sound : recipeSounds()) {
        if (!l_sound.loop || l_sound.isMusic()) continue;
        SCOPED_TRACE(l_sound.file);
        Audio::Wav l_wav;
        ASSERT_TRUE(l_wav.load(kFolder + l_sound.file));
        EXPECT_EQ(l_wav.frameCount(), static_cast<std::size_t>(l_sound.frames()));
        l_wav.setLooping(true);
        Mixer l_mixer;
        const Audio::Handle l_voice = l_mixer.engine().play(l_wav, 1.0f, 0);
        const std::vector<float> l_heard = l_mixer.pullLeft(3 * l_sound.frames());
        EXPECT_TRUE(l_mixer.engine().isValid(l_voice));
        EXPECT_GT(peak(l_heard), 0.1f) << "nearly silent";
        EXPECT_LE(peak(l_heard), Audio::kRoundOffKnee) << "loud enough for the mixer to bend it";
        expectNoClickAt(l_heard, l_sound.frames());
    }
}

TEST(GeneratedSounds, MusicStreamsForAMinuteAndComesRoundWithoutAClick) {
    int l_pieces = 0;
    for (const RecipeSound& l_sound : recipeSounds()) {
        if (!l_sound.isMusic()) continue;
        SCOPED_TRACE(l_sound.file);
        ++l_pieces;
        EXPECT_TRUE(l_sound.loop);
        EXPECT_GE(l_sound.seconds, 60.0);
        Audio::WavStream l_music;
        ASSERT_TRUE(l_music.load(kFolder + l_sound.file));
        l_music.setLooping(true);
        Mixer l_mixer;
        const Audio::Handle l_voice = l_mixer.engine().play(l_music, 1.0f, 1);
        const std::vector<float> l_heard = l_mixer.pullLeft(l_sound.frames() + kRate);
        EXPECT_TRUE(l_mixer.engine().isValid(l_voice));
        EXPECT_GT(peak(l_heard), 0.05f) << "nearly silent";
        EXPECT_LE(peak(l_heard), Audio::kRoundOffKnee) << "loud enough for the mixer to bend it";
        expectNoClickAt(l_heard, l_sound.frames());
    }
    EXPECT_GT(l_pieces, 0) << "no title music among the recipes";
}

TEST(GeneratedSounds, EffectsShareOneLoudnessAndTheMusicIsQuieter) {
    constexpr double kEffectSpreadDb = 6.0;
    constexpr double kMusicBelowDb = 3.0;
    double l_quietestEffect = 0.0;
    double l_loudestEffect = -200.0;
    double l_loudestMusic = -200.0;
    for (const RecipeSound& l_sound : recipeSounds()) {
        Audio::Wav l_decoded;
        ASSERT_TRUE(l_decoded.load(kFolder + l_sound.file)) << l_sound.file;
        std::vector<float> l_stereo(2 * l_decoded.frameCount());
        l_decoded.createReader()->read(l_stereo.data(), l_decoded.frameCount());
        const double l_level = loudestDb(l_stereo);
        if (l_sound.isMusic()) {
            l_loudestMusic = std::max(l_loudestMusic, l_level);
        } else {
            l_quietestEffect = std::min(l_quietestEffect, l_level);
            l_loudestEffect = std::max(l_loudestEffect, l_level);
        }
    }
    EXPECT_LE(l_loudestEffect - l_quietestEffect, kEffectSpreadDb);
    EXPECT_LE(l_loudestMusic, l_quietestEffect - kMusicBelowDb);
}

}  // namespace
