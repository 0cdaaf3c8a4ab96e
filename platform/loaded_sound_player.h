#pragma once

#include "platform/sound_player.h"

#include <functional>
#include <memory>

// The player the program plays its sounds through. The sound output (SDL2
// and its codecs, some fifty libraries) is a module loaded when the first
// sound is opened, so that the start screen does not wait for it. A module
// that cannot be loaded makes a silent player, and `unavailable` is told once.
using SoundUnavailable = std::function<void(const QString&)>;
std::unique_ptr<SoundPlayer> makeSoundPlayer(SoundUnavailable unavailable);

// Whether the sound module loads (loading it now if it is not yet).
bool soundModuleLoads();

// A sound output linked into the executable instead of the module (the tests):
// makeSoundPlayer then makes its players at once.
using SoundPlayerMaker = std::unique_ptr<SoundPlayer> (*)(SoundUnavailable unavailable);
void useLinkedSoundPlayer(SoundPlayerMaker maker);

// The name of the module's entry: SoundPlayer* (SoundUnavailable*), a new
// player the caller owns.
inline constexpr const char* kSoundPlayerEntry = "tarvo_sound_player";
