#include "shell/PeerNotices.h"

namespace corvane::shell {

PeerNotices::PeerNotices(ShowBox showBox) : showBox_(std::move(showBox)) {}

void PeerNotices::notify(const QString& text)
{
    if (isOpen()) {
        if (text != open_ && !waiting_.contains(text))
            waiting_.append(text);
        return;
    }
    // Marked closed again however the box ends.
    struct Closing {
        PeerNotices& notices;
        ~Closing() { notices.open_ = QString(); }
    } closing{*this};
    open_ = text;
    showBox_(open_);
    while (!waiting_.isEmpty()) {
        open_ = waiting_.takeFirst();
        showBox_(open_);
    }
}

} // namespace corvane::shell
