#pragma once
// The notification sound played when a chat line or a restart arrives. The
// player is made on first use, not at start-up: the program's player lives in
// the sound module, which is loaded then (see SoundPlayer.h), so the window
// opens without loading or waiting for the audio system. Playing never blocks,
// and with no audio device, or without the module, the game goes on silently.

#include <QObject>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

namespace corvane::shell {

class SoundPlayer;

class NotificationSound : public QObject {
    Q_OBJECT
public:
    // Makes the player, once, when the first sound plays; null for silence.
    using PlayerMaker = std::function<std::unique_ptr<SoundPlayer>()>;

    explicit NotificationSound(PlayerMaker makePlayer, QObject* parent = nullptr);
    ~NotificationSound() override;

    // Starts the sound from its beginning and returns at once.
    void play();

private:
    PlayerMaker m_makePlayer; // emptied once it has run
    std::unique_ptr<SoundPlayer> m_player;
};

// Where the sound module is looked for, in order: beside the program, where an
// installed program keeps it, then where the build put it.
QStringList defaultSoundModulePaths();

// A player for the wave at `source` from the first sound module among
// `modulePaths` that loads; null, said on standard error, when none does.
std::unique_ptr<SoundPlayer> loadModuleSoundPlayer(const QUrl& source,
                                                   const QStringList& modulePaths = defaultSoundModulePaths());

// The program's sound: the stored wave, played by the sound module.
NotificationSound::PlayerMaker storedNotificationSound();

} // namespace corvane::shell
