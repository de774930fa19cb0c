#pragma once
// SkinButton: the skinned push button. Its face is the "Face" child of the
// skin object named SkinObject (default "Button"), its caption takes the font
// of the "Text" child; both follow the button's skin state. The button works on
// its own copy of the object tree, dropped when the engine announces a skin
// change and copied again when the change is done. Without a usable skin it
// draws the plain face of SkinCustomButton.

#include "skin/SkinEngine.h"
#include "skin/button/SkinCustomButton.h"

#include <QPointer>
#include <memory>

namespace corvane::skin {

class SkinButton : public SkinCustomButton {
    Q_OBJECT
public:
    explicit SkinButton(QWidget* parent = nullptr);

    SkinEngine* skinEngine() const { return m_engine; }
    // Attaches to the engine's skin (or detaches with null).
    void setSkinEngine(SkinEngine* engine);
    void setSkinObject(const QString& name);

    // True when the next repaint draws the skin (a copy exists and the
    // engine's skin is not in the middle of a change).
    bool drawsSkin() const;

protected:
    void paintControl(QPainter& painter) override;
    bool describeLook(SkinLookKey& key) const override;
    bool event(QEvent* event) override;

private:
    // Takes a fresh copy of the skin object (or drops it without a skin).
    void attachSkin();
    void dropSkin();
    // The copy was taken, dropped or lost: the kept looks are of the old one.
    void skinReplaced();
    void paintSkinned(QPainter& painter);

    QPointer<SkinEngine> m_engine;
    QString m_skinObject = QStringLiteral("Button");
    std::unique_ptr<corvane::skin::SkinObject> m_copy;
    // Counts the copies taken and dropped: a new copy at the old address
    // must not bring back the pictures of the old one.
    quint64 m_skinGeneration = 0;
};

} // namespace corvane::skin
