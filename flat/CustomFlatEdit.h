#pragma once
// A single-line edit box without the platform's sunken border. It draws its
// own three-pixel frame in a band outside the text area: a one-pixel outer
// ring in ColorBorder and two inner rings in the box's background colour,
// ColorFlat while idle and ColorFocused while focused or hovered.
#include <QColor>
#include <QLineEdit>

namespace corvane::flat {

class CustomFlatEdit : public QLineEdit {
    Q_OBJECT

public:
    // The frame band around the text area, in pixels.
    static constexpr int frameWidth = 3;

    explicit CustomFlatEdit(QWidget* parent = nullptr);
    ~CustomFlatEdit() override;

    QColor colorFocused() const { return m_colorFocused; }
    void setColorFocused(const QColor& color);
    QColor colorBorder() const { return m_colorBorder; }
    void setColorBorder(const QColor& color);
    // Writing ColorFlat switches ParentColor off.
    QColor colorFlat() const { return m_colorFlat; }
    void setColorFlat(const QColor& color);
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool value);

    int advColorFocused() const { return m_advColorFocused; }
    void setAdvColorFocused(int amount);
    int advColorBorder() const { return m_advColorBorder; }
    void setAdvColorBorder(int amount);
    bool useAdvColors() const { return m_useAdvColors; }
    void setUseAdvColors(bool value);

    // Whether the box currently shows the focused look rather than the idle one.
    bool hasFocusedLook() const;
    // The colour of the box's background and inner rings in its current look.
    QColor lookColor() const;

    // Sets the height from the font: character height plus the two frame bands.
    void fitHeight();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void followParentColor();
    void deriveColors();
    void redrawFrame();
    void applyLookColor();

    QColor m_colorFocused;
    QColor m_colorBorder;
    QColor m_colorFlat;
    bool m_parentColor = true;
    int m_advColorFocused = 10;
    int m_advColorBorder = 50;
    bool m_useAdvColors = false;
    bool m_mouseOver = false;
    bool m_heightFitted = false;
    bool m_applyingLook = false; // our own palette change is not a colour change of the parent
};

} // namespace corvane::flat
