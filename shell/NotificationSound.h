#pragma once
// The notification sound played when a chat line or a restart arrives. The
// player is made on first use, not at start-up, so the window opens without
// waiting for the audio system; playing never blocks, and with no audio
// device the game goes on silently.

#include <QObject>
#include <QUrl>

class QSoundEffect;

namespace corvane::shell {

class NotificationSound : public QObject {
    Q_OBJECT
public:
    explicit NotificationSound(QUrl source, QObject* parent = nullptr);

    // Starts the sound from its beginning and returns at once.
    void play();

    // Counts plays without touching the audio system (tests, silent use).
    void setMuted(bool muted) { muted_ = muted; }
    int playCount() const { return playCount_; }

private:
    QUrl source_;
    QSoundEffect* effect_ = nullptr;
    bool muted_ = false;
    int playCount_ = 0;
};

} // namespace corvane::shell
