#include "shell/PeerNotices.h"

namespace corvane::shell {

PeerNotices::PeerNotices(ShowBox showBox) : m_showBox(std::move(showBox))
{ }

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
    m_showBox(m_open);
    while (!m_waiting.isEmpty()) {
        m_open = m_waiting.takeFirst();
        m_showBox(m_open);
    }
}

} // namespace corvane::shell
