#include "shell/NotificationSound.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QtDebug>

#include "shell/SoundPlayer.h"

namespace corvane::shell {

NotificationSound::NotificationSound(QUrl source, QObject* parent) : QObject(parent), m_source(std::move(source))
{ }

NotificationSound::~NotificationSound() = default;

QStringList NotificationSound::defaultModulePaths()
{
    QStringList candidates;
    if (QCoreApplication::instance())
        candidates << QCoreApplication::applicationDirPath() + QStringLiteral("/libcorvane_sound.so");
#ifdef CORVANE_INSTALLED_SOUND_MODULE
    // An installed program: the module's place relative to the program's.
    if (QCoreApplication::instance())
        candidates << QCoreApplication::applicationDirPath() + QStringLiteral("/" CORVANE_INSTALLED_SOUND_MODULE);
#endif
#ifdef CORVANE_SOUND_MODULE_PATH
    // Test and benchmark programs live elsewhere in the build tree.
    candidates << QStringLiteral(CORVANE_SOUND_MODULE_PATH);
#endif
    return candidates;
}

void NotificationSound::play()
{
    ++m_playCount;
    if (m_muted)
        return;
    if (!m_player)
        makePlayer();
    if (m_player)
        m_player->playFromStart();
}

void NotificationSound::makePlayer()
{
    if (m_moduleMissing)
        return; // said once; the game goes on without sound
    for (const QString& path : m_modulePaths) {
        if (!QFileInfo::exists(path))
            continue;
        // The module stays loaded for the rest of the run: the player's code
        // lives in it, and Qt Multimedia expects to be torn down with the
        // process, not by Qt's unloading of libraries at exit.
        QLibrary module(path);
        module.setLoadHints(QLibrary::PreventUnloadHint);
        auto create = reinterpret_cast<CreateSoundPlayer>(module.resolve(CreateSoundPlayerSymbol));
        if (create) {
            m_player.reset(create(m_source));
            return;
        }
        qWarning("Corvane: the sound module %s does not load: %s", qPrintable(path), qPrintable(module.errorString()));
    }
    m_moduleMissing = true;
    qWarning("Corvane: no sound module found; notification sounds stay silent");
}

} // namespace corvane::shell
