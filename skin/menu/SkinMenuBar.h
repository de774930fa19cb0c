#pragma once
// SkinCustomMenuBar and SkinMenuBar: a row of menu items drawn with the
// skin's "MenuBar" tree, opening their sub-items in skinned popup menus.
// The bar holds the root item (Items) whose sub-items are the top items, a
// horizontal view of them, and its own copy of its skin object for the
// background. A left press on an item, Alt + an item's accelerator letter
// (routed from the skinned frame) or F10 enter menu mode.

#include <QVarLengthArray>
#include <QWidget>
#include <memory>

#include "skin/SkinFrameHooks.h"
#include "skin/draw/SkinLookCache.h"
#include "skin/menu/SkinItemView.h"

namespace corvane::skin {

class SkinCustomMenuBar : public QWidget, public SkinFrameMenuBar {
    Q_OBJECT
public:
    enum BarAlignment { alNone, alTop, alBottom };

    explicit SkinCustomMenuBar(QWidget* parent = nullptr);
    ~SkinCustomMenuBar() override;

    // ---- Published properties.
    BarAlignment Align() const { return m_align; }
    void setAlign(BarAlignment align);
    Qt::Edges Anchors = Qt::LeftEdge | Qt::TopEdge;
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    SkinImageList* Images() const { return m_root->Images; }
    void setImages(SkinImageList* images) { m_root->Images = images; }
    // The root item: its sub-items are the bar's top items.
    SkinItem* Items() const { return m_root; }
    const SkinPopupMenuOptions& PopupMenuOptions() const { return m_popupOptions; }
    void setPopupMenuOptions(const SkinPopupMenuOptions& options);
    bool ShowBevel() const { return m_showBevel; }
    void setShowBevel(bool show);

    // The end of loading: applies the popup options to all items, links them
    // to the skin, takes the bar's skin copy, sets the height and lays out.
    virtual void loaded();
    // Lays the items out again (after items or captions changed).
    void relayout();

    SkinItemView* view() const { return m_view.get(); }
    SkinMenuSkin& barSkin() { return m_skin; }
    // How many finished pictures of the bar are kept (for tests).
    int keptPictureCount() const { return m_pictures.size(); }

    // ---- SkinFrameMenuBar: keyboard activation and shortcut keys.
    void keyboardMenu(QChar character) override;
    bool offerShortCut(int key, Qt::KeyboardModifiers modifiers) override;

    // Enters menu mode with `item` hot, opening its popup when `open`.
    void trackItem(SkinCustomItem* item, bool open);

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

    SkinItem* m_root;

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
    BarAlignment m_align = alNone;
    bool m_autoSize = true;
    bool m_showBevel = false;
    SkinPopupMenuOptions m_popupOptions;
};

class SkinMenuBar : public SkinCustomMenuBar {
    Q_OBJECT
public:
    explicit SkinMenuBar(QWidget* parent = nullptr);
    ~SkinMenuBar() override;

    SkinEngine* skinEngine() const { return m_engine; }
    void setSkinEngine(SkinEngine* engine);
    QString skinObject() const { return m_skinObject; }
    void setSkinObject(const QString& name);
    QString Version() const { return QStringLiteral("3.2.0"); }
    // Stored with the window; the bar always paints directly on its window.
    SkinPerformance Performance = spNoBuffer;
    bool Transparent = false;

protected:
    void takeSkin() override;
    bool event(QEvent* event) override;

private:
    QPointer<SkinEngine> m_engine;
    QString m_skinObject = QStringLiteral("MenuBar");
};

} // namespace corvane::skin
