// SkinCustomButton: construction, the published properties and clicking.
#include "skin/button/SkinCustomButton.h"

#include "skin/button/SkinButtonGlyphs.h"

#include <QAbstractButton>
#include <QAction>
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

void SkinCustomButton::setAction(QAction* action)
{
    if (m_action == action)
        return;
    if (m_action)
        disconnect(m_action, nullptr, this, nullptr);
    m_action = action;
    if (!action)
        return;
    // The action link: the button shows the action's caption and follows its
    // enabled and visible state.
    auto sync = [this] {
        if (!m_action)
            return;
        setCaption(m_action->text());
        setEnabled(m_action->isEnabled());
        setVisible(m_action->isVisible());
    };
    connect(action, &QAction::changed, this, sync);
    sync();
}

void SkinCustomButton::setBlackAndWhiteGlyph(bool value)
{
    if (m_blackAndWhiteGlyph == value)
        return;
    m_blackAndWhiteGlyph = value;
    update();
}

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

void SkinCustomButton::setKind(SkinButtonKind kind)
{
    if (m_kind == kind)
        return;
    const SkinButtonKind previous = m_kind;
    m_kind = kind;
    if (kind == bkCustom)
        return;
    // A standard kind brings its glyph, modal result and default roles; the
    // caption only replaces an empty one or the previous kind's.
    const QImage glyph = stockGlyph(kind);
    m_glyph = glyph;
    m_numGlyphs = glyphCountFor(glyph.size(), m_numGlyphs);
    m_modalResult = stockModalResult(kind);
    if (m_caption.isEmpty() || m_caption == stockCaption(previous))
        setCaption(stockCaption(kind));
    if (kind == bkOK || kind == bkYes || kind == bkAll)
        setDefault(true);
    if (kind == bkCancel || kind == bkNo)
        m_cancel = true;
    update();
}

void SkinCustomButton::setNumGlyphs(int count)
{
    count = qBound(1, count, 4);
    if (m_numGlyphs == count)
        return;
    m_numGlyphs = count;
    update();
}

void SkinCustomButton::setSpacing(int spacing)
{
    if (m_spacing == spacing)
        return;
    m_spacing = spacing;
    update();
}

void SkinCustomButton::setState(SkinButtonState state)
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
    m_kind = bkCustom;
    m_numGlyphs = glyphCountFor(glyph.size(), m_numGlyphs);
    update();
}

void SkinCustomButton::setLayout(SkinButtonLayout layout)
{
    if (m_layout == layout)
        return;
    m_layout = layout;
    update();
}

void SkinCustomButton::setTabStop(bool value)
{
    m_tabStop = value;
    // A button without a tab stop is still focused by a press.
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void SkinCustomButton::setWordWrap(bool value)
{
    if (m_wordWrap == value)
        return;
    m_wordWrap = value;
    update();
}

int SkinCustomButton::skinState() const
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
    if (m_kind == bkClose) {
        window()->close();
        return;
    }
    QPointer<QDialog> dialog = qobject_cast<QDialog*>(window());
    const int result = m_modalResult;
    if (result != mrNone && dialog)
        dialog->setResult(result);
    emit clicked();
    if (!guard)
        return;
    if (m_action)
        m_action->trigger();
    // The handler may have taken the modal result back.
    if (result != mrNone && dialog && dialog->isVisible() && dialog->result() == result)
        dialog->done(result);
}

} // namespace corvane::skin
