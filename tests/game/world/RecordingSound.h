#pragma once
#include <vector>

#include "engine/sound/SoundController.h"

namespace WorldTest {

// Sound off, but every sound the game asks for is kept in order, and every voice it stops.
class RecordingSound : public Sound::SoundController {
public:
    RecordingSound() : SoundController(false) {}

    int play(int id, int volumePercent, float) override {
        played.push_back(id);
        volumes.push_back(volumePercent);
        return m_nextVoice++;
    }
    void stop(int handle) override { stopped.push_back(handle); }
    void stopAll() override { ++stopAlls; }
    // Drops what was kept so far, holding on to the room it took.
    void forget() {
        played.clear();
        volumes.clear();
        stopped.clear();
        stopAlls = 0;
    }

    std::vector<int> played;
    std::vector<int> volumes;
    std::vector<int> stopped;
    // How often every voice was stopped at once.
    int stopAlls = 0;

private:
    int m_nextVoice = 1;
};

}  // namespace WorldTest
