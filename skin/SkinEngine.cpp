#include "skin/SkinEngine.h"

#include "skin/stream/SkinFilter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QWidget>

namespace corvane::skin {

namespace {

QString resolveSkinFileName(const QString& fileName)
{
    if (QFile::exists(fileName))
        return fileName;
    if (fileName.size() > 1 && fileName.at(1) == QLatin1Char(':'))
        return fileName;
    if (!QCoreApplication::instance())
        return fileName;
    return QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
}

} // namespace

SkinEngine::SkinEngine(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("SkinEngine1"));
}

SkinEngine::~SkinEngine() = default;

void SkinEngine::readSkinStream(const QByteArray& stream)
{
    SkinSource loaded;
    // Presence byte 0: no skin in the stream, the current one stays.
    if (!corvane::skin::readSkinStream(stream, loaded))
        return;
    m_source.swap(loaded);
    m_source.applyHue();
}

void SkinEngine::loadSkinFile(const QString& fileName)
{
    // Read and parse completely before anything is announced: a file that
    // fails to load leaves the engine and every window untouched.
    // A file that is not there, or that no filter reads, is an error too: the
    // skin in use stays rather than being replaced by no skin.
    SkinSource loaded;
    const QString path = resolveSkinFileName(fileName);
    const SkinFilter* filter = skinFilterForFile(path);
    QFile file(path);
    if (!file.exists())
        throw SkinError("Skin file not found: " + path.toStdString());
    if (!filter)
        throw SkinError("No skin filter reads " + path.toStdString());
    if (!file.open(QIODevice::ReadOnly))
        throw SkinError("Can't open the skin file " + path.toStdString());
    // No valid skin file is larger than what a skin may decode to.
    if (file.size() > SkinLimits::MaxDecodedBytes)
        throw SkinError("Skin file too large: " + path.toStdString());
    const QByteArray bytes = file.readAll();
    readSkin(*filter, bytes.constData(), bytes.size(), loaded);
    installWithNotifications(loaded);
}

void SkinEngine::installWithNotifications(SkinSource& loaded)
{
    if (objectCount() > 0) {
        m_source.setChanging(true);
        broadcast(skinChangingEvent());
        m_source.swap(loaded);
        m_source.setChanging(false);
    } else {
        m_source.swap(loaded);
    }
    m_source.applyHue();
    broadcast(skinChangedEvent());
    // `loaded` now holds the previous skin; its owner frees it after every
    // window has let go of it.
}

void SkinEngine::setDeltaHue(int hue)
{
    if (m_applyingHue)
        return;
    if (objectCount() == 0) {
        m_source.setRequestedHue(hue);
        return;
    }
    m_applyingHue = true;
    m_source.setChanging(true);
    broadcast(skinChangingEvent());
    m_source.setRequestedHue(hue);
    m_source.applyHue();
    m_source.setChanging(false);
    broadcast(skinChangedEvent());
    m_applyingHue = false;
}

void SkinEngine::broadcast(QEvent::Type message)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QList<QPointer<QWidget>> forms;
    for (QWidget* form : QApplication::topLevelWidgets())
        forms.append(form);
    for (const QPointer<QWidget>& form : forms) {
        if (!form)
            continue;
        // The form first, then every control inside it.
        QList<QPointer<QWidget>> targets{form};
        for (QWidget* child : form->findChildren<QWidget*>())
            targets.append(child);
        for (const QPointer<QWidget>& target : targets) {
            if (!target)
                continue;
            SkinChangeEvent event(message, this);
            QCoreApplication::sendEvent(target, &event);
        }
        QCoreApplication::processEvents();
    }
}

} // namespace corvane::skin
