#pragma once
// The notification sound played when a chat line or a restart arrives. The
// player is made on first use, not at start-up: it lives in the sound module,
// which is loaded then (see SoundPlayer.h), so the window opens without
// loading or waiting for the audio system. Playing never blocks, and with no
// audio device, or without the module, the game goes on silently.

#include <QObject>
#include <QStringList>
#include <QUrl>

#include <memory>

namespace corvane::shell {

class SoundPlayer;

class NotificationSound : public QObject {
    Q_OBJECT
public:
    explicit NotificationSound(QUrl source, QObject* parent = nullptr);
    ~NotificationSound() override;

    // Starts the sound from its beginning and returns at once.
    void play();

    // Counts plays without touching the audio system (tests, silent use).
    void setMuted(bool muted) { m_muted = muted; }
    int playCount() const { return m_playCount; }

    // Whether a play has made the player (the sound module is loaded).
    bool hasPlayer() const { return m_player != nullptr; }

    // Where the sound module is looked for, in order: beside the program,
    // where an installed program keeps it, then where the build put it.
    // Tests may name other places.
    static QStringList defaultModulePaths();
    void setModulePaths(QStringList paths) { m_modulePaths = std::move(paths); }

private:
    void makePlayer();

    QUrl m_source;
    QStringList m_modulePaths = defaultModulePaths();
    std::unique_ptr<SoundPlayer> m_player;
    bool m_moduleMissing = false;
    bool m_muted = false;
    int m_playCount = 0;
};

} // namespace corvane::shell
