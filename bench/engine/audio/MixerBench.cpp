// Cost of mixing, as CPU seconds per second of audio: the fraction of one core the mixer takes.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/audio/Engine.h"
#include "engine/audio/OfflineOutput.h"
#include "engine/audio/Wav.h"
#include "engine/audio/WavStream.h"

namespace {

constexpr int kRate = 44100;
constexpr std::size_t kDeviceBufferFrames = 1024;  // as the device pulls them
constexpr int kVoices = 32;
constexpr int kBuses = 3;

std::string testSound(const char* name) { return std::string(ZELMO_SOURCE_DIR) + "/tests/engine/audio/data/" + name; }

// Each iteration mixes one second of audio, so CPU time per iteration over one second is the share of a core (goal:
// under 20 ms, 2 %).
void reportCpuShare(benchmark::State& state) {
    state.counters["cpu_per_audio_s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Looping sounds at several rates and speeds, so voices take every resampling path.
struct Scene {
    Scene() {
        for (const char* name : {"tone-440.ogg", "dc-half-mono-44100.wav", "ramp-stereo-22050.wav"}) {
            auto pWav = std::make_unique<Audio::Wav>();
            pWav->load(testSound(name));
            pWav->setLooping(true);
            sources.push_back(std::move(pWav));
        }
        stream.load(testSound("tone-440.ogg"));
        stream.setLooping(true);

        auto pOutput = std::make_unique<Audio::OfflineOutput>(kRate);
        output = pOutput.get();
        engine = std::make_unique<Audio::Engine>(std::move(pOutput), kBuses);
        engine->start();
        for (int bus = 0; bus < kBuses; ++bus) engine->setBusCapture(bus, true);
    }

    void playWholeFileVoices(int count) {
        const float speeds[] = {1.0f, 1.25f, 0.8f, 2.0f};
        for (int i = 0; i < count; ++i) {
            const Audio::Handle handle =
                engine->play(*sources[static_cast<std::size_t>(i) % sources.size()], 0.03f, i % kBuses);
            engine->setRelativePlaySpeed(handle, speeds[i % 4]);
        }
    }

    void mixOneSecond() {
        for (std::size_t done = 0; done < kRate; done += kDeviceBufferFrames) {
            std::vector<float> mix = output->pull(kDeviceBufferFrames);
            benchmark::DoNotOptimize(mix.data());
        }
    }

    std::vector<std::unique_ptr<Audio::Wav>> sources;
    Audio::WavStream stream;
    Audio::OfflineOutput* output;
    std::unique_ptr<Audio::Engine> engine;
};

// The goal: 32 voices on three buses under 2 % of one core (cpu_per_audio_s under 20 ms).
void BM_Mix32WholeFileVoices(benchmark::State& state) {
    Scene scene;
    scene.playWholeFileVoices(kVoices);
    for (auto _ : state) scene.mixOneSecond();
    reportCpuShare(state);
}
BENCHMARK(BM_Mix32WholeFileVoices)->Unit(benchmark::kMillisecond);

// As in play: music decoded while it plays, beside 31 effects.
void BM_Mix31VoicesAndStreamedMusic(benchmark::State& state) {
    Scene scene;
    scene.playWholeFileVoices(kVoices - 1);
    scene.engine->play(scene.stream, 0.5f, 1);
    for (auto _ : state) scene.mixOneSecond();
    reportCpuShare(state);
}
BENCHMARK(BM_Mix31VoicesAndStreamedMusic)->Unit(benchmark::kMillisecond);

}  // namespace
