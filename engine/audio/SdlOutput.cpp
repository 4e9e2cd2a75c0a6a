#include "engine/audio/SdlOutput.h"

#include <SDL.h>

#include <algorithm>

#include "engine/audio/Engine.h"

namespace Audio {

namespace {

void SDLCALL fillDeviceBuffer(void* engine, Uint8* stream, int bytes) {
    const auto frames = static_cast<std::size_t>(bytes) / (2 * sizeof(float));
    auto* pStereo = reinterpret_cast<float*>(stream);
    std::fill(pStereo, pStereo + 2 * frames, 0.0f);
    static_cast<Engine*>(engine)->mix(pStereo, frames);
}

}  // namespace

SdlOutput::SdlOutput(int wantedRate, int bufferFrames) : m_wantedRate(wantedRate), m_bufferFrames(bufferFrames) {}

SdlOutput::~SdlOutput() { close(); }

bool SdlOutput::open(Engine& engine) {
    if (m_device != 0) return true;
    // SDL would otherwise turn SIGINT and SIGTERM into quit events, which only its own event
    // queue receives; nothing here reads that queue, so Ctrl-C and kill must keep their usual effect.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec wanted{};
    wanted.freq = m_wantedRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = static_cast<Uint16>(m_bufferFrames);
    wanted.callback = fillDeviceBuffer;
    wanted.userdata = &engine;
    SDL_AudioSpec obtained{};
    // Format and channels are fixed (SDL converts for the card); only the rate may change.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (m_device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    m_sampleRate = obtained.freq;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void SdlOutput::close() {
    if (m_device == 0) return;
    // Waits for a running callback to return, so the engine is not touched afterwards.
    SDL_CloseAudioDevice(m_device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_device = 0;
    m_sampleRate = 0;
}

int SdlOutput::sampleRate() const { return m_sampleRate; }

}  // namespace Audio
