#pragma once
// SkinCustomMenuBar and SkinMenuBar: a row of menu items drawn with the
// skin's "MenuBar" tree, opening their sub-items in skinned popup menus.
// The bar holds the root item whose sub-items are the top items, a
// horizontal view of them, and its own copy of its skin object for the
// background. A left press on an item, Alt + an item's accelerator letter
// (routed from the skinned frame) or F10 enter menu mode.

#include <QVarLengthArray>
#include <QWidget>
#include <memory>

#include "skin/SkinFrameHooks.h"
#include "skin/SkinLookCache.h"
#include "skin/menu/SkinItemView.h"

namespace corvane::skin {

class SkinCustomMenuBar : public QWidget, public SkinFrameMenuBar {
    Q_OBJECT
public:
    // Where the bar keeps itself on its parent: nowhere in particular, along
    // the top edge or along the bottom edge, as wide as the parent.
    enum class Alignment { None, Top, Bottom };

    explicit SkinCustomMenuBar(QWidget* parent = nullptr);
    ~SkinCustomMenuBar() override;

    Alignment alignment() const { return m_alignment; }
    void setAlignment(Alignment alignment);
    // The root item: its sub-items are the bar's top items.
    SkinMenuItem* rootItem() const { return m_root; }

    // The end of loading: applies the popup options to all items, links them
    // to the skin, takes the bar's skin copy, sets the height and lays out.
    virtual void loaded();
    // Lays the items out again (after items or captions changed).
    void relayout();

    SkinItemView* view() const { return m_view.get(); }

    // ---- SkinFrameMenuBar: keyboard activation and shortcut keys.
    void keyboardMenu(QChar character) override;
    bool offerShortCut(int key, Qt::KeyboardModifiers modifiers) override;

    // Enters menu mode with `item` hot, opening its popup when `open`.
    void trackItem(SkinMenuItem* item, bool open);

protected:
    // The object tree copies the bar draws with; the plain bar has none.
    virtual void takeSkin() { m_skin = SkinMenuSkin(); }
    void setBarSkin(SkinMenuSkin skin);

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    SkinMenuItem* m_root;

private:
    void followParent();

    // The finished picture of the whole bar (background and items) is kept
    // per look: shaping the captions and stretching the frame on every
    // repaint costs far more than copying the picture. The key holds all
    // that the drawing reads; the pictures are dropped when the skin copy
    // is replaced or asks for a redraw.
    // Device pixels per bar pixel of a painter that can take a kept
    // picture; 0 when the bar must be drawn straight onto the target.
    qreal pictureRatio(const QTransform& toDevice) const;
    void paintBar(QPainter& painter);
    SkinLookKey pictureKey(qreal ratio) const;
    QImage paintPicture(qreal ratio);
    void forgetPictures();

    // The bar's looks: normal, an item hot, an item hot in menu mode. A bar
    // picture is a whole row of the window (about 50 kB), so only these three
    // are kept; pointing along a bar of several items paints the others again.
    SkinLookCache m_pictures{3};
    quint64 m_skinGeneration = 0;

    std::unique_ptr<SkinItemView> m_view;
    SkinMenuSkin m_skin;
    Alignment m_alignment = Alignment::None;
};

class SkinMenuBar : public SkinCustomMenuBar {
    Q_OBJECT
public:
    explicit SkinMenuBar(QWidget* parent = nullptr);
    ~SkinMenuBar() override;

    SkinEngine* skinEngine() const { return m_engine; }
    void setSkinEngine(SkinEngine* engine);

protected:
    void takeSkin() override;
    bool event(QEvent* event) override;

private:
    QPointer<SkinEngine> m_engine;
};

} // namespace corvane::skin
