#pragma once
// SkinEngine: the non-visual component that holds the program's skin and
// tells every window when it changes.
//
// Errors: every load (readSkinStream, loadSkinFile) throws
// SkinError when the data is truncated, corrupt or hostile, and then leaves
// the engine exactly as it was before the call: a skin is parsed into a fresh
// source and installed only when it loaded completely; no notification is sent
// for a load that fails.

#include "skin/model/SkinSource.h"

#include <QObject>
#include <QString>

namespace corvane::skin {

class SkinEngine : public QObject {
    Q_OBJECT
public:
    explicit SkinEngine(QObject* parent = nullptr);
    ~SkinEngine() override;

    // While a skin is loaded, brackets the hue shift with the skin-changing event /
    // the skin-changed event; a change arriving while one is applied is ignored.
    void setDeltaHue(int hue);

    // ---- The "SkinStream" property (presence byte + default filter).
    // Reads the stored skin while the form is created: no notifications; a
    // presence byte of 0 keeps the current skin.
    void readSkinStream(const QByteArray& stream);

    // Loads a skin file with the filter chosen by its extension, announcing
    // the change to every window. A name that does not exist as given is
    // taken relative to the program's folder (unless its second character is
    // ':'); a file that still does not exist or has no filter is an error.
    void loadSkinFile(const QString& fileName);

    // ---- Lookups for controls.
    SkinSource& source() { return m_source; }
    const SkinSource& source() const { return m_source; }
    SkinObject* findObject(const QString& name) const { return m_source.findObject(name); }
    SkinObject* formObject() const { return m_source.formObject(); }
    // 0 means that no skin is loaded.
    int objectCount() const { return m_source.objectCount(); }
    bool hasSkin() const { return objectCount() > 0 && !m_source.changing(); }

    // Sends a skin notification (the skin-changing event / the skin-changed event) to every
    // top-level widget and, recursively, every widget inside it; pending events
    // are processed after each top-level window. Without a QApplication it
    // does nothing.
    void broadcast(QEvent::Type message);

private:
    // Installs a fully loaded source with the change protocol.
    void installWithNotifications(SkinSource& loaded);

    SkinSource m_source;
    bool m_applyingHue = false;
};

} // namespace corvane::skin
