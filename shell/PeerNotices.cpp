#include "shell/PeerNotices.h"

#include "net/protocol/ReceiveEffects.h"
#include "ui/MessageBox.h"

namespace corvane::shell {

PeerNotices::PeerNotices(QWidget* owner) : m_owner(owner)
{ }

// Returns when the box has been closed.
void PeerNotices::showBox(const QString& text) const
{
    showMessageBox(m_owner, text, QString::fromUtf8(protocol::CaptionInformation));
}

void PeerNotices::notify(const QString& text)
{
    if (isOpen()) {
        if (text != m_open && !m_waiting.contains(text))
            m_waiting.append(text);
        return;
    }
    // Marked closed again however the box ends.
    struct Closing {
        PeerNotices& notices;
        ~Closing() { notices.m_open = QString(); }
    } closing{*this};
    m_open = text;
    showBox(m_open);
    while (!m_waiting.isEmpty()) {
        m_open = m_waiting.takeFirst();
        showBox(m_open);
    }
}

} // namespace corvane::shell
