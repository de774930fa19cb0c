#pragma once
// The notices that a peer's datagrams bring up: the game lost, the peer gone.
// Each is a modal box whose wait goes on handling datagrams (moves and chat
// are applied while it is open), so a peer that repeats a notice, by mistake
// or on purpose, would stack one box inside the wait of the one before until
// the stack ran out. At most one notice box is open at a time:
//   - a notice already open, or already waiting, is not shown again: it would
//     tell the player nothing new;
//   - a different notice waits, and is shown once the open box is closed, so
//     a player who lost and whose peer then left learns both.
// There are only two notice texts, so nothing waits without bound.

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace corvane::shell {

class PeerNotices {
public:
    // The boxes are information boxes owned by `owner`.
    explicit PeerNotices(QWidget* owner);

    // Shows the notice now, or leaves it waiting, or drops it (see above).
    // Returns at once when a notice box is already open.
    void notify(const QString& text);

    bool isOpen() const { return !m_open.isNull(); }

private:
    void showBox(const QString& text) const;

    QPointer<QWidget> m_owner;
    QString m_open;        // the notice whose box is open (null: none)
    QStringList m_waiting; // different notices, in arrival order
};

} // namespace corvane::shell
