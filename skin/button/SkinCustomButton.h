#pragma once
// SkinCustomButton: a focusable push button with the behaviour of the skinned
// button (pressing, dragging out and back in, space bar, Enter and Esc as
// dialog keys, accelerators, default-button tracking) and a plain face for
// when no skin draws it. SkinButton adds the skin.

#include "skin/button/SkinButtonLayout.h"
#include "skin/button/SkinCustomControl.h"

#include <QImage>
#include <QPointer>

class QAction;

namespace corvane::skin {

// Standard button kinds with a stock glyph, caption and modal result.
enum SkinButtonKind : int {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};

// Modal results, as a dialog receives them when the button is clicked.
enum DialogResult : int { mrNone, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo, mrAll, mrClose = 11 };

class SkinCustomButton : public SkinCustomControl {
    Q_OBJECT
public:
    explicit SkinCustomButton(QWidget* parent = nullptr);
    ~SkinCustomButton() override;

    // ---- Published properties (Enabled, Font and the geometry are the
    // widget's own).
    QAction* Action() const { return m_action; }
    void setAction(QAction* action);
    bool ActiveDefault() const { return m_activeDefault; }
    bool BlackAndWhiteGlyph() const { return m_blackAndWhiteGlyph; }
    void setBlackAndWhiteGlyph(bool value);
    bool Cancel() const { return m_cancel; }
    void setCancel(bool value) { m_cancel = value; }
    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    bool Default() const { return m_default; }
    void setDefault(bool value);
    SkinButtonKind Kind() const { return m_kind; }
    void setKind(SkinButtonKind kind);
    int ModalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }
    int NumGlyphs() const { return m_numGlyphs; }
    void setNumGlyphs(int count);
    int Spacing() const { return m_spacing; }
    void setSpacing(int spacing);
    SkinButtonState State() const { return m_state; }
    void setState(SkinButtonState state);
    QImage Glyph() const { return m_glyph; }
    // Setting a glyph makes the button a custom one and recounts NumGlyphs.
    void setGlyph(const QImage& glyph);
    SkinButtonLayout Layout() const { return m_layout; }
    void setLayout(SkinButtonLayout layout);
    bool TabStop() const { return m_tabStop; }
    void setTabStop(bool value);
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool value);

    // Qt-style names for the caption, for code that treats it as a button.
    QString text() const { return m_caption; }
    void setText(const QString& caption) { setCaption(caption); }

    // ---- Run-time state.
    bool pressedByMouse() const { return m_pressedByMouse; }
    // The skin state for face and caption (see buttonSkinState).
    int skinState() const;
    // The control can take the focus: visible and enabled up to its window.
    bool canFocus() const;

    // Clicks the button: the dialog it sits on gets ModalResult, then
    // clicked() fires and the linked action executes. Clicks by pointer and
    // keyboard come here straight from Qt's dispatch, so handlers report
    // failures as values or signals rather than raising.
    void click();

signals:
    void clicked(); // OnClick

protected:
    // The plain face, caption and glyph (used when no skin draws the button).
    void paintControl(QPainter& painter) override;
    void paintPlain(QPainter& painter);

    // The glyph image for the current state (one of NumGlyphs, greyed or
    // black and white as needed), and its drawing size.
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
    // Dialog keys and characters that no control took (Enter, Esc, an
    // accelerator letter); true when this button handled the key.
    bool handleDialogKey(QKeyEvent* event);
    bool matchesAccelerator(const QString& text) const;
    void activateByAccelerator();
    void updateAcceleratorShortcut();
    void watchWindow();
    // The focus moved to `now` inside this button's window.
    void focusMovedTo(QWidget* now);
    void setActiveDefault(bool value);

    QPointer<QAction> m_action;
    QPointer<QWidget> m_watchedWindow;
    QString m_caption;
    QImage m_glyph;
    SkinButtonKind m_kind = bkCustom;
    SkinButtonLayout m_layout = blGlyphLeft;
    SkinButtonState m_state = bsNormal;
    int m_modalResult = mrNone;
    int m_numGlyphs = 1;
    int m_spacing = 4;
    int m_shortcutId = 0;
    bool m_activeDefault = false;
    bool m_blackAndWhiteGlyph = false;
    bool m_cancel = false;
    bool m_default = false;
    bool m_tabStop = true;
    bool m_wordWrap = false;
    bool m_pressedByMouse = false;
};

// True for the controls that count as buttons when the focus moves to them.
bool isButtonControl(const QWidget* widget);

} // namespace corvane::skin
