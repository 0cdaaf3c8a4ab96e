// The sound output as the module the program loads when it opens its first
// sound: SDL2_mixer and its codecs come with it. Its one shown symbol makes
// a player.
#include "platform/loaded_sound_player.h"
#include "platform/sdl_sound_player.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT SoundPlayer* tarvo_sound_player(SoundUnavailable* unavailable) {
    return new SdlSoundPlayer(unavailable ? *unavailable : SoundUnavailable());
}
