// The sound module: a SoundPlayer on QSoundEffect. Built as a module of its
// own and loaded by NotificationSound on the first play.
#include <QSoundEffect>
#include <QUrl>

#include "shell/SoundPlayer.h"

namespace {

class SoundEffectPlayer final : public corvane::shell::SoundPlayer {
public:
    explicit SoundEffectPlayer(const QUrl& source) { m_effect.setSource(source); }

    void playFromStart() override
    {
        // With no audio device QSoundEffect reports its error on its own
        // status and stays silent; the game goes on either way.
        m_effect.stop();
        m_effect.play();
    }

private:
    QSoundEffect m_effect;
};

} // namespace

extern "C" Q_DECL_EXPORT corvane::shell::SoundPlayer* corvane_create_sound_player(const QUrl& source)
{
    return new SoundEffectPlayer(source);
}
