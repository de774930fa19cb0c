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
// Skin notifications. They travel as Qt events: each tag type gets one event
// type, registered with Qt on first use.
template <class Tag> QEvent::Type registeredEventType()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}
inline QEvent::Type skinChangingEvent()
{
    return registeredEventType<struct SkinChangingTag>();
}
inline QEvent::Type skinChangedEvent()
{
    return registeredEventType<struct SkinChangedTag>();
}
inline QEvent::Type skinRedrawEvent()
{
    return registeredEventType<struct SkinRedrawTag>();
}
inline QEvent::Type skinGetFormEvent()
{
    return registeredEventType<struct SkinGetFormTag>();
}

// the skin-changing event / the skin-changed event: the engine's skin is about to be, or has
// been, replaced. Controls drop every copy of skin objects on the first and copy
// again on the second.
class SkinChangeEvent : public QEvent {
public:
    SkinChangeEvent(QEvent::Type type, SkinEngine* engine) : QEvent(type), m_engine(engine) { }
    SkinEngine* engine() const { return m_engine; }

private:
    SkinEngine* m_engine;
};

// the redraw request event: a skin object asks its host control to redraw it.
class SkinRedrawEvent : public QEvent {
public:
    explicit SkinRedrawEvent(SkinObject* object) : QEvent(skinRedrawEvent()), m_object(object) { }
    SkinObject* object() const { return m_object; }

private:
    SkinObject* m_object;
};

class SkinFrameInterface;

// the get-form request event: asks a host window for the skinned frame that skins it.
// The frame answers by calling setForm(itself); no frame, no answer.
class SkinGetFormEvent : public QEvent {
public:
    SkinGetFormEvent() : QEvent(skinGetFormEvent()) { }
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
    // The button is the one that was clicked (the system menu opens under it).
    virtual void performSkinAction(SkinAction action, SkinSystemButton* button) = 0;
    // The icon a system-menu button draws (window icon, else application icon).
    virtual QIcon frameIcon() const = 0;
    // Shows the hint of a caption button at a screen point; optional.
    virtual void showSkinHint(const QPoint& /*screenPoint*/) { }
};

} // namespace corvane::skin
