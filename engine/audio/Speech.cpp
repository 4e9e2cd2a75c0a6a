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
        espeak_ng_ERROR_CONTEXT l_context = nullptr;
        const bool l_ok = espeak_ng_Initialize(&l_context) == ENS_OK &&
                          espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr) == ENS_OK &&
                          espeak_ng_SetVoiceByName("en") == ENS_OK &&
                          espeak_SetParameter(espeakRATE, kWordsPerMinute, 0) == EE_OK;
        espeak_ng_ClearErrorContext(&l_context);
        if (l_ok) espeak_SetSynthCallback(collectSamples);
        return l_ok;
    }();
    return s_ready;
}

}  // namespace

bool Speech::setText(const std::string& text) {
    std::vector<short> l_pcm;
    int l_rate = 0;
    {
        std::lock_guard<std::mutex> l_lock(g_synthLock);
        if (!synthesiserReady()) return false;
        g_pCollected = &l_pcm;
        const espeak_ng_STATUS l_status = espeak_ng_Synthesize(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                                               espeakCHARS_UTF8, nullptr, nullptr);
        if (l_status == ENS_OK) espeak_ng_Synchronize();
        g_pCollected = nullptr;
        if (l_status != ENS_OK) return false;
        l_rate = espeak_ng_GetSampleRate();
    }
    // Text without words (empty, only spaces) still yields a moment of silence: nothing to play.
    if (std::all_of(l_pcm.begin(), l_pcm.end(), [](short l_sample) { return l_sample == 0; })) return false;
    SampleBuffer l_samples;
    l_samples.sampleRate = l_rate;
    l_samples.stereo.reserve(2 * l_pcm.size());
    for (const short l_sample : l_pcm) {
        const float l_value = static_cast<float>(l_sample) / 32768.0f;
        l_samples.stereo.push_back(l_value);
        l_samples.stereo.push_back(l_value);
    }
    return setSamples(std::move(l_samples));
}

}  // namespace Audio
