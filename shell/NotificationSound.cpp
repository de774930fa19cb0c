#include "shell/NotificationSound.h"

#include <QSoundEffect>

namespace corvane::shell {

NotificationSound::NotificationSound(QUrl source, QObject* parent) : QObject(parent), source_(std::move(source)) {}

void NotificationSound::play()
{
    ++playCount_;
    if (muted_)
        return;
    if (!effect_) {
        effect_ = new QSoundEffect(this);
        effect_->setSource(source_);
    }
    // A sound still playing starts again from the beginning, as a new
    // asynchronous play of the same wave would.
    effect_->stop();
    effect_->play();
}

} // namespace corvane::shell
