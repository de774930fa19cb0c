#pragma once
// SkinCustomButton: a focusable push button with the behaviour of the skinned
// button (pressing, dragging out and back in, space bar, Enter as
// dialog key, accelerators, default-button tracking) and a plain face for
// when no skin draws it. SkinButton adds the skin.

#include "skin/button/SkinButtonLayout.h"
#include "skin/button/SkinCustomControl.h"

#include <QImage>
#include <QPointer>

namespace corvane::skin {

// Modal results, as a dialog receives them (QDialog::done) when the button is
// clicked.
enum class DialogResult : int { None = 0, Ok, Cancel, Abort, Retry, Ignore, Yes, No, All, Close = 11 };

class SkinCustomButton : public SkinCustomControl {
    Q_OBJECT
public:
    explicit SkinCustomButton(QWidget* parent = nullptr);
    ~SkinCustomButton() override;

    // ---- Settings (enabled, font and geometry are the widget's own).
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    // The button the window's Enter key clicks while no other button has the
    // focus.
    bool isDefault() const { return m_default; }
    void setDefault(bool value);
    DialogResult modalResult() const { return m_modalResult; }
    void setModalResult(DialogResult result) { m_modalResult = result; }
    // A glyph bitmap holds up to four images side by side: up, disabled,
    // pressed, down. Setting a glyph recounts them. The glyph stands left of
    // the caption.
    QImage glyph() const { return m_glyph; }
    void setGlyph(const QImage& glyph);
    // Pixels between the glyph and the caption.
    int spacing() const { return m_spacing; }
    void setSpacing(int spacing);
    ButtonState state() const { return m_state; }
    void setState(ButtonState state);
    void setWordWrap(bool value);

    // Qt-style names for the caption, for code that treats it as a button.
    QString text() const { return m_caption; }
    void setText(const QString& caption) { setCaption(caption); }

    // ---- Run-time state.
    // The skin state for face and caption (see buttonSkinState).
    SkinState skinState() const;
    // The control can take the focus: visible and enabled up to its window.
    bool canFocus() const;

    // Clicks the button: the dialog it sits on gets the modal result, then
    // clicked() fires. Clicks by pointer and
    // keyboard come here straight from Qt's dispatch, so handlers report
    // failures as values or signals rather than raising.
    void click();

signals:
    void clicked();

protected:
    // The plain face, caption and glyph (used when no skin draws the button).
    void paintControl(QPainter& painter) override;
    void paintPlain(QPainter& painter);

    // The glyph image for the current state (one of the glyph's images,
    // greyed as needed), and its drawing size.
    QImage currentGlyphImage() const;
    QSize glyphSize() const;
    // Caption measurement and drawing shared by the plain and skinned faces.
    QSize captionLineSize(const QFont& font) const;
    void drawCaption(QPainter& painter, const QRect& textArea, const QFont& font, const QColor& color) const;
    void drawGlyph(QPainter& painter, const QRect& glyphRect) const;
    SkinButtonContent contentLayout(const QFont& font) const;
    // The plain face's inputs; SkinButton adds the skin's. A descendant
    // whose paintControl reads anything more must add it too (or return
    // false), or its repaints would show a stale look.
    bool describeLook(SkinLookKey& key) const override;

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Dialog keys and characters that no control took (Enter, an accelerator
    // letter); true when this button handled the key.
    bool handleDialogKey(QKeyEvent* event);
    bool matchesAccelerator(const QString& text) const;
    void activateByAccelerator();
    void updateAcceleratorShortcut();
    void watchWindow();
    // The focus moved to `now` inside this button's window.
    void focusMovedTo(QWidget* now);
    void setActiveDefault(bool value);

    QPointer<QWidget> m_watchedWindow;
    QString m_caption;
    QImage m_glyph;
    ButtonState m_state = ButtonState::Normal;
    DialogResult m_modalResult = DialogResult::None;
    int m_glyphCount = 1;
    int m_spacing = 4;
    int m_shortcutId = 0;
    // Whether the button acts as the window's default now: it has the focus
    // among the buttons, or it is the Default one and no button has it.
    bool m_activeDefault = false;
    bool m_default = false;
    bool m_wordWrap = false;
    bool m_pressedByMouse = false;
};

// True for the controls that count as buttons when the focus moves to them.
bool isButtonControl(const QWidget* widget);

} // namespace corvane::skin
