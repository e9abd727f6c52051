#include "platform/foundation/SystemSound.h"

namespace {

std::vector<std::uint32_t>& recorded() {
    static std::vector<std::uint32_t> sounds;
    return sounds;
}

}  // namespace

void SystemSound::play(std::uint32_t soundId) {
    recorded().push_back(soundId);
}

std::vector<std::uint32_t> SystemSound::playedSounds() {
    return recorded();
}

void SystemSound::clearRecorded() {
    recorded().clear();
}
