#pragma once
// The notifications between skin objects, the engine and the controls that
// host them, and what a caption button needs of its window frame.

#include "skin/stream/SkinStoredTypes.h"

#include <QEvent>
#include <QIcon>
#include <QPoint>

namespace corvane::skin {

class SkinEngine;
class SkinObject;
class SkinSystemButton;

// ---------------------------------------------------------------------------
// Skin notifications. They travel as Qt events of these fixed types (all lie in
// Qt's user range 1000..65535).
constexpr int CM_SKINCHANGED = 1702;
constexpr int CM_SKINCHANGING = 1703;
constexpr int CM_SKINREDRAW = 2121;
constexpr int CM_SKINGETFORM = 2122;

// CM_SKINCHANGING / CM_SKINCHANGED: the engine's skin is about to be, or has
// been, replaced. Controls drop every copy of skin objects on the first and copy
// again on the second.
class SkinChangeEvent : public QEvent {
public:
    SkinChangeEvent(int type, SkinEngine* engine) : QEvent(QEvent::Type(type)), m_engine(engine) { }
    SkinEngine* engine() const { return m_engine; }

private:
    SkinEngine* m_engine;
};

// CM_SKINREDRAW: a skin object asks its host control to redraw it.
class SkinRedrawEvent : public QEvent {
public:
    explicit SkinRedrawEvent(SkinObject* object) : QEvent(QEvent::Type(CM_SKINREDRAW)), m_object(object) { }
    SkinObject* object() const { return m_object; }

private:
    SkinObject* m_object;
};

class SkinFrameInterface;

// CM_SKINGETFORM: asks a host window for the skinned frame that skins it.
// The frame answers by calling setForm(itself); no frame, no answer.
class SkinGetFormEvent : public QEvent {
public:
    SkinGetFormEvent() : QEvent(QEvent::Type(CM_SKINGETFORM)) { }
    SkinFrameInterface* form() const { return m_form; }
    void setForm(SkinFrameInterface* form) { m_form = form; }

private:
    SkinFrameInterface* m_form = nullptr;
};

// What a caption button needs of the skinned window frame that owns it.
class SkinFrameInterface {
public:
    virtual ~SkinFrameInterface() = default;
    virtual bool isFrameActive() const = 0;
    virtual SkinBorderIcons borderIcons() const = 0;
    // Runs a caption button's action (close, minimize, roll up ...).
    // sbaCustom passes the button for OnCustomAction.
    virtual void performSkinAction(SkinAction action, SkinSystemButton* button) = 0;
    // The icon a system-menu button draws (window icon, else application icon).
    virtual QIcon frameIcon() const = 0;
    // Shows the hint of a caption button at a screen point; optional.
    virtual void showSkinHint(const QPoint& /*screenPoint*/) { }
};

} // namespace corvane::skin
