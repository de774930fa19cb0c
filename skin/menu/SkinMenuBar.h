#pragma once
// SkinMenuBar: a row of menu items drawn with the skin's "MenuBar" tree,
// opening their sub-items in skinned popup menus. The bar holds the root item
// whose sub-items are the top items, a horizontal view of them, and its own
// copy of its skin object for the background. A left press on an item, Alt + an item's accelerator letter
// (routed from the skinned frame) or F10 enter menu mode.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "skin/SkinFrameHooks.h"
#include "skin/draw/SkinLookCache.h"
#include "skin/menu/SkinItemView.h"

class QKeyEvent;

namespace corvane::skin {

class SkinMenuBar : public QWidget, public SkinFrameMenuBar {
    Q_OBJECT
public:
    // Where the bar keeps itself on its parent: nowhere in particular, along
    // the top edge or along the bottom edge, as wide as the parent.
    enum class Alignment { None, Top, Bottom };

    explicit SkinMenuBar(QWidget* parent = nullptr);
    ~SkinMenuBar() override;

    SkinEngine* skinEngine() const { return m_engine; }
    // Links the items to the engine and takes the bar's skin copy.
    void setSkinEngine(SkinEngine* engine);

    void setAlignment(Alignment alignment);
    // The root item: its sub-items are the bar's top items.
    SkinMenuItem* rootItem() const { return m_root; }

    // The end of loading: tells the items their window, takes the bar's
    // skin copy, sets the height and lays out.
    void loaded();
    // Lays the items out again (after items or captions changed).
    void relayout();

    SkinItemView* view() const { return m_view.get(); }

    // ---- SkinFrameMenuBar: keyboard activation and shortcut keys.
    void keyboardMenu(QChar character) override;
    bool offerShortCut(int key, Qt::KeyboardModifiers modifiers) override;

    // Enters menu mode with `item` hot, opening its popup when `open`.
    void trackItem(SkinMenuItem* item, bool open);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Copies the object trees the bar draws with from the engine (none
    // without a skin).
    void takeSkin();
    void setBarSkin(SkinMenuSkin skin);
    void followParent();
    // Alt + a letter and F10 pressed in the bar's window.
    bool handleWindowKey(QObject* watched, QKeyEvent* key);

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

    QPointer<SkinEngine> m_engine;
    SkinMenuItem* m_root; // owned as a child
    std::unique_ptr<SkinItemView> m_view;
    SkinMenuSkin m_skin;
    Alignment m_alignment = Alignment::None;
};

} // namespace corvane::skin
