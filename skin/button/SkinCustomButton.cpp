// SkinCustomButton: construction, the settings and clicking.
#include "skin/button/SkinCustomButton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>

namespace corvane::skin {

bool isButtonControl(const QWidget* widget)
{
    return qobject_cast<const SkinCustomButton*>(widget) || qobject_cast<const QAbstractButton*>(widget);
}

SkinCustomButton::SkinCustomButton(QWidget* parent) : SkinCustomControl(parent)
{
    resize(75, 25);
    setFocusPolicy(Qt::StrongFocus);
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        connect(app, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now && now->window() == window())
                focusMovedTo(now);
        });
    }
    watchWindow();
}

SkinCustomButton::~SkinCustomButton()
{
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
}

// ---------------------------------------------------------------------------
// Properties

void SkinCustomButton::setCaption(const QString& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    updateAcceleratorShortcut();
    update();
}

void SkinCustomButton::setDefault(bool value)
{
    if (m_default == value)
        return;
    m_default = value;
    // The window decides afresh which button acts as its default one.
    QWidget* form = window();
    QWidget* focus = form->focusWidget();
    for (SkinCustomButton* button : form->findChildren<SkinCustomButton*>())
        if (button->window() == form)
            button->focusMovedTo(focus); // not those of dialogs it owns
    if (auto* self = qobject_cast<SkinCustomButton*>(form))
        self->focusMovedTo(focus);
}

void SkinCustomButton::setSpacing(int spacing)
{
    if (m_spacing == spacing)
        return;
    m_spacing = spacing;
    update();
}

void SkinCustomButton::setState(ButtonState state)
{
    if (m_state == state)
        return;
    m_state = state;
    update();
}

void SkinCustomButton::setGlyph(const QImage& glyph)
{
    m_glyph = glyph;
    // A glyph image edited in place keeps its cache key: never trust it.
    forgetLooks();
    m_glyphCount = glyphCountFor(glyph.size(), m_glyphCount);
    update();
}

void SkinCustomButton::setWordWrap(bool value)
{
    if (m_wordWrap == value)
        return;
    m_wordWrap = value;
    update();
}

SkinState SkinCustomButton::skinState() const
{
    return buttonSkinState(isEnabled(), m_state, pointerInside(), focusedFlag() || m_activeDefault);
}

bool SkinCustomButton::canFocus() const
{
    return isVisible() && isEnabled() && focusPolicy() != Qt::NoFocus;
}

// ---------------------------------------------------------------------------
// Clicking

void SkinCustomButton::click()
{
    QPointer<SkinCustomButton> guard(this);
    QPointer<QDialog> dialog = qobject_cast<QDialog*>(window());
    const int result = int(m_modalResult);
    const bool closesDialog = m_modalResult != DialogResult::None && dialog;
    if (closesDialog)
        dialog->setResult(result);
    emit clicked();
    if (!guard)
        return;
    // The handler may have taken the modal result back.
    if (closesDialog && dialog && dialog->isVisible() && dialog->result() == result)
        dialog->done(result);
}

} // namespace corvane::skin
