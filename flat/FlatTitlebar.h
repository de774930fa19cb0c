#pragma once
// A caption bar for a window without a platform frame: a filled bar with the
// caption centred on it, whose text colour shows whether its window is the
// active one, and which moves its window while dragged with the left button.
#include <QColor>
#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace corvane::flat {

class FlatTitlebar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor ActiveTextColor READ activeTextColor WRITE setActiveTextColor)
    Q_PROPERTY(QColor InactiveTextColor READ inactiveTextColor WRITE setInactiveTextColor)
    Q_PROPERTY(QColor TitlebarColor READ titlebarColor WRITE setTitlebarColor)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(Align Align READ align WRITE setAlign)

public:
    enum class Align { None, Top };
    Q_ENUM(Align)

    // Throws InvalidOperationError when `parent` is not a window (form).
    explicit FlatTitlebar(QWidget* parent = nullptr);
    // The window the bar moves and whose activation it shows.
    QWidget* form() const { return m_form; }

    QColor activeTextColor() const { return m_activeTextColor; }
    void setActiveTextColor(const QColor& color);
    QColor inactiveTextColor() const { return m_inactiveTextColor; }
    void setInactiveTextColor(const QColor& color);
    QColor titlebarColor() const { return m_titlebarColor; }
    void setTitlebarColor(const QColor& color);
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    Align align() const { return m_align; }
    void setAlign(Align align);

    bool isActive() const { return m_active; }
    bool isDragging() const { return m_dragging; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    static QWidget* checkedForm(QWidget* parent);
    void watchForm(QWidget* form);
    void setActive(bool active);
    void applyAlign();

    QPointer<QWidget> m_form;
    QColor m_activeTextColor;
    QColor m_inactiveTextColor;
    QColor m_titlebarColor;
    QString m_caption;
    Align m_align = Align::None;
    bool m_active = false;
    bool m_dragging = false;
    // The pointer's global position and the window's position at the press,
    // so the window follows the pointer's travel even before the window
    // system has confirmed the previous move.
    QPoint m_pressGlobal;
    QPoint m_formPosAtPress;
};

} // namespace corvane::flat
