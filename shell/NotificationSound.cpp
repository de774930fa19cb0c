#include "shell/NotificationSound.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QtDebug>

#include <utility>

#include "shell/SoundPlayer.h"

namespace corvane::shell {

NotificationSound::NotificationSound(PlayerMaker makePlayer, QObject* parent)
    : QObject(parent), m_makePlayer(std::move(makePlayer))
{ }

NotificationSound::~NotificationSound() = default;

void NotificationSound::play()
{
    if (m_makePlayer) {
        // Tried once: without a player the game goes on silently.
        m_player = std::exchange(m_makePlayer, nullptr)();
    }
    if (m_player)
        m_player->playFromStart();
}

QStringList defaultSoundModulePaths()
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

std::unique_ptr<SoundPlayer> loadModuleSoundPlayer(const QUrl& source, const QStringList& modulePaths)
{
    for (const QString& path : modulePaths) {
        if (!QFileInfo::exists(path))
            continue;
        // The module stays loaded for the rest of the run: the player's code
        // lives in it, and Qt Multimedia expects to be torn down with the
        // process, not by Qt's unloading of libraries at exit.
        QLibrary module(path);
        module.setLoadHints(QLibrary::PreventUnloadHint);
        auto create = reinterpret_cast<CreateSoundPlayer>(module.resolve(CreateSoundPlayerSymbol));
        if (create)
            return std::unique_ptr<SoundPlayer>(create(source));
        qWarning("Corvane: the sound module %s does not load: %s", qPrintable(path), qPrintable(module.errorString()));
    }
    qWarning("Corvane: no sound module found; notification sounds stay silent");
    return nullptr;
}

NotificationSound::PlayerMaker storedNotificationSound()
{
    return [] { return loadModuleSoundPlayer(QUrl(QStringLiteral("qrc:/art/message.wav"))); };
}

} // namespace corvane::shell
