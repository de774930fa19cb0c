#pragma once
// A push button drawn flat: a thin border around a plain face that becomes a
// raised bevel with a lighter face while hovered or focused and a sunken bevel
// with a darker face while pressed. It can show a glyph strip of up to four
// images, latch as a member of a group, hand a modal result to its dialog, and
// reacts to its accelerator and to the space bar.
#include "flat/FlatTypes.h"

#include <QColor>
#include <QImage>
#include <QWidget>

namespace corvane::flat {

class FlatButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(flat::TransparentMode TransparentMode READ transparentMode WRITE setTransparentMode)
    Q_PROPERTY(bool Default READ isDefault WRITE setDefault)
    Q_PROPERTY(bool AllowAllUp READ allowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QColor ColorFocused READ colorFocused WRITE setColorFocused)
    Q_PROPERTY(QColor ColorDown READ colorDown WRITE setColorDown)
    Q_PROPERTY(QColor ColorBorder READ colorBorder WRITE setColorBorder)
    Q_PROPERTY(QColor ColorHighLight READ colorHighLight WRITE setColorHighLight)
    Q_PROPERTY(QColor ColorShadow READ colorShadow WRITE setColorShadow)
    Q_PROPERTY(int AdvColorFocused READ advColorFocused WRITE setAdvColorFocused)
    Q_PROPERTY(int AdvColorDown READ advColorDown WRITE setAdvColorDown)
    Q_PROPERTY(int AdvColorBorder READ advColorBorder WRITE setAdvColorBorder)
    Q_PROPERTY(bool UseAdvColors READ useAdvColors WRITE setUseAdvColors)
    Q_PROPERTY(int GroupIndex READ groupIndex WRITE setGroupIndex)
    Q_PROPERTY(bool Down READ isDown WRITE setDown)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QImage Glyph READ glyph WRITE setGlyph)
    Q_PROPERTY(flat::ButtonLayout Layout READ buttonLayout WRITE setButtonLayout)
    Q_PROPERTY(int Margin READ margin WRITE setMargin)
    Q_PROPERTY(int NumGlyphs READ numGlyphs WRITE setNumGlyphs)
    Q_PROPERTY(bool ParentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(bool TabStop READ tabStop WRITE setTabStop)
    Q_PROPERTY(int Spacing READ spacing WRITE setSpacing)
    Q_PROPERTY(int ModalResult READ modalResult WRITE setModalResult)

public:
    explicit FlatButton(QWidget* parent = nullptr);
    ~FlatButton() override;

    flat::TransparentMode transparentMode() const { return m_transparentMode; }
    void setTransparentMode(flat::TransparentMode mode);
    bool isDefault() const { return m_default; }
    void setDefault(bool value);
    bool allowAllUp() const { return m_allowAllUp; }
    void setAllowAllUp(bool value);

    // The normal face. While ParentColor is set it follows the parent's
    // background; writing it switches ParentColor off.
    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    QColor colorFocused() const { return m_colorFocused; }
    void setColorFocused(const QColor& color);
    QColor colorDown() const { return m_colorDown; }
    void setColorDown(const QColor& color);
    QColor colorBorder() const { return m_colorBorder; }
    void setColorBorder(const QColor& color);
    QColor colorHighLight() const { return m_colorHighLight; }
    void setColorHighLight(const QColor& color);
    QColor colorShadow() const { return m_colorShadow; }
    void setColorShadow(const QColor& color);

    int advColorFocused() const { return m_advColorFocused; }
    void setAdvColorFocused(int amount);
    int advColorDown() const { return m_advColorDown; }
    void setAdvColorDown(int amount);
    int advColorBorder() const { return m_advColorBorder; }
    void setAdvColorBorder(int amount);
    bool useAdvColors() const { return m_useAdvColors; }
    void setUseAdvColors(bool value);

    int groupIndex() const { return m_groupIndex; }
    void setGroupIndex(int index);
    bool isDown() const { return m_down; }
    void setDown(bool value);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QImage glyph() const { return m_glyph; }
    void setGlyph(const QImage& glyph);
    flat::ButtonLayout buttonLayout() const { return m_layout; }
    void setButtonLayout(flat::ButtonLayout layout);
    int margin() const { return m_margin; }
    void setMargin(int margin);
    int numGlyphs() const { return m_numGlyphs; }
    void setNumGlyphs(int count);
    int spacing() const { return m_spacing; }
    void setSpacing(int spacing);

    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool value);
    bool tabStop() const { return m_tabStop; }
    void setTabStop(bool value);
    int modalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }

    // How the button is drawn at the moment.
    flat::ButtonState state() const { return m_state; }

    // Clicks the button: hands ModalResult to its dialog, then emits
    // clicked(). The pointer, the space bar and the accelerator click
    // through this. Slots report their failures themselves (they must not
    // raise): the button only emits.
    void click();

    QSize sizeHint() const override;

    // Called by the shared hover timer on each tick while this button is tracked.
    void hoverTimerTick();

signals:
    void clicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool isInside(const QPoint& pos) const;
    bool isUnderCursor() const;
    void startHoverTracking();
    void mouseEntered();
    void mouseLeft();
    void reevaluateHover();
    void enabledChanged();
    void followParentColor();
    void deriveColors();
    void notifyGroup();
    void groupMemberChanged(int groupIndex, const FlatButton* sender);
    void updateAccelerator();
    void repaintNow();
    void showReleased(bool inside);

    void followEnabled();
    QColor faceColor() const;
    void paintFace(QPainter& painter);
    void paintBorder(QPainter& painter);
    void paintGlyph(QPainter& painter, const QPoint& pos, QRgb transparentKey);
    void paintCaption(QPainter& painter, const QRect& bounds);

    flat::TransparentMode m_transparentMode = flat::TransparentMode::Never;
    bool m_default = false;
    bool m_allowAllUp = false;
    QColor m_color;
    QColor m_colorFocused;
    QColor m_colorDown;
    QColor m_colorBorder;
    QColor m_colorHighLight;
    QColor m_colorShadow;
    int m_advColorFocused = 10;
    int m_advColorDown = 10;
    int m_advColorBorder = 50;
    bool m_useAdvColors = false;
    int m_groupIndex = 0;
    bool m_down = false;
    QString m_caption;
    QImage m_glyph;
    flat::ButtonLayout m_layout = flat::ButtonLayout::GlyphTop;
    int m_margin = -1;
    int m_numGlyphs = 1;
    int m_spacing = 4;
    bool m_parentColor = true;
    bool m_tabStop = false;
    int m_modalResult = 0;
    int m_acceleratorId = 0;

    flat::ButtonState m_state = flat::ButtonState::Up;
    bool m_mouseOver = false;
    bool m_pressing = false;
};

} // namespace corvane::flat
