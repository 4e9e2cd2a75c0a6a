#include "engine/audio/Speech.h"

#include <espeak-ng/espeak_ng.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace Audio {

namespace {

// The synthesiser is one process-wide object that is not re-entrant; every use holds this lock.
std::mutex g_synthLock;
std::vector<short>* g_pCollected = nullptr;

// Slower than the synthesiser's default of 175, so that short lines heard over the game's sounds
// are easy to follow.
constexpr int kWordsPerMinute = 150;

int collectSamples(short* samples, int count, espeak_EVENT* /*events*/) {
    if (samples && count > 0) g_pCollected->insert(g_pCollected->end(), samples, samples + count);
    return 0;
}

// Uses the library's own start-up calls rather than its one-call initialiser, which ends the
// process when the voice data are missing.
bool synthesiserReady() {
    static const bool s_ready = [] {
        espeak_ng_InitializePath(nullptr);
        espeak_ng_ERROR_CONTEXT context = nullptr;
        const bool ok = espeak_ng_Initialize(&context) == ENS_OK &&
                        espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr) == ENS_OK &&
                        espeak_ng_SetVoiceByName("en") == ENS_OK &&
                        espeak_SetParameter(espeakRATE, kWordsPerMinute, 0) == EE_OK;
        espeak_ng_ClearErrorContext(&context);
        if (ok) espeak_SetSynthCallback(collectSamples);
        return ok;
    }();
    return s_ready;
}

}  // namespace

bool Speech::setText(const std::string& text) {
    std::vector<short> pcm;
    int rate = 0;
    {
        std::lock_guard<std::mutex> lock(g_synthLock);
        if (!synthesiserReady()) return false;
        g_pCollected = &pcm;
        const espeak_ng_STATUS status = espeak_ng_Synthesize(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                                             espeakCHARS_UTF8, nullptr, nullptr);
        if (status == ENS_OK) espeak_ng_Synchronize();
        g_pCollected = nullptr;
        if (status != ENS_OK) return false;
        rate = espeak_ng_GetSampleRate();
    }
    // Text without words (empty, only spaces) still yields a moment of silence: nothing to play.
    if (std::all_of(pcm.begin(), pcm.end(), [](short sample) { return sample == 0; })) return false;
    SampleBuffer samples;
    samples.sampleRate = rate;
    samples.stereo.reserve(2 * pcm.size());
    for (const short sample : pcm) {
        const float value = static_cast<float>(sample) / 32768.0f;
        samples.stereo.push_back(value);
        samples.stereo.push_back(value);
    }
    return setSamples(std::move(samples));
}

}  // namespace Audio
