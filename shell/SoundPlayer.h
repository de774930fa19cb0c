#pragma once
// The player behind the notification sound. It lives in the sound module
// (libcorvane_sound.so), the only part of the program that links Qt
// Multimedia, so that the audio libraries (PulseAudio, the sound file codecs)
// are loaded when the first sound plays rather than at every start.

class QUrl;

namespace corvane::shell {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the sound from its beginning and returns at once; a sound still
    // playing starts over.
    virtual void playFromStart() = 0;
};

// The module's one exported function: a player for the wave at source.
using CreateSoundPlayer = SoundPlayer* (*)(const QUrl& source);
inline constexpr const char* CreateSoundPlayerSymbol = "corvane_create_sound_player";

} // namespace corvane::shell
