#include "skin/menu/SkinPopupSystemMenu.h"

#include <QPainter>

#include "skin/menu/SkinMenuTracker.h"

namespace corvane::skin {

namespace {

constexpr int PictureSize = 12;

QImage captionPicture(int index)
{
    QImage image(PictureSize, PictureSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QColor ink(0x20, 0x20, 0x20);
    auto line = [&](int x1, int y1, int x2, int y2) {
        painter.setPen(QPen(ink, 0));
        painter.drawLine(x1, y1, x2, y2);
    };
    switch (index) {
    case 0: // close: a cross, two pixels thick
        for (int d = 0; d < 2; ++d) {
            line(2 + d, 2, 9 + d, 9);
            line(9 + d, 2, 2 + d, 9);
        }
        break;
    case 1: // minimize: a bar at the bottom
        painter.fillRect(2, 8, 7, 2, ink);
        break;
    case 2: // maximize: a window with a thick title
        painter.fillRect(1, 1, 10, 2, ink);
        painter.setPen(QPen(ink, 0));
        painter.drawRect(1, 1, 9, 9);
        break;
    case 3: // restore: two overlapping windows
        painter.setPen(QPen(ink, 0));
        painter.fillRect(4, 1, 7, 2, ink);
        painter.drawRect(4, 1, 6, 6);
        painter.fillRect(1, 5, 7, 6, Qt::white);
        painter.fillRect(1, 4, 7, 2, ink);
        painter.drawRect(1, 4, 6, 6);
        break;
    case 4: // roll up: a triangle pointing up over a bar
        for (int row = 0; row < 4; ++row)
            painter.fillRect(5 - row, 3 + row, 2 + 2 * row, 1, ink);
        painter.fillRect(2, 9, 8, 1, ink);
        break;
    case 5: // minimize to the tray: an arrow down into a tray
        painter.fillRect(5, 1, 2, 5, ink);
        for (int row = 0; row < 3; ++row)
            painter.fillRect(3 + row, 6 + row, 6 - 2 * row, 1, ink);
        painter.fillRect(1, 10, 10, 1, ink);
        break;
    default: break;
    }
    return image;
}

} // namespace

SkinPopupSystemMenuPresenter::SkinPopupSystemMenuPresenter(std::function<SkinEngine*()> engineOf)
    : m_engineOf(std::move(engineOf))
{ }

SkinPopupSystemMenuPresenter::~SkinPopupSystemMenuPresenter() = default;

SkinImageList& SkinPopupSystemMenuPresenter::captionButtonImages()
{
    static SkinImageList images = [] {
        SkinImageList list(QSize(PictureSize, PictureSize));
        for (int i = 0; i < 6; ++i)
            list.add(captionPicture(i));
        return list;
    }();
    return images;
}

void SkinPopupSystemMenuPresenter::popup(QWidget* window, const QList<SkinSystemMenuItem>& items,
                                          const QPoint& screenPoint, const SkinPopupMenuOptions& options,
                                          const std::function<void(const QString&)>& chosen)
{
    if (items.isEmpty() || SkinMenuTracker::inMenuMode())
        return;
    // The menu is built each time; the previous one is dropped only now, after
    // its click (if any) has long run.
    m_menu = std::make_unique<SkinMenuItem>();
    m_menu->setObjectName(QStringLiteral("SystemMenu"));
    m_menu->setImages(&captionButtonImages());
    for (const SkinSystemMenuItem& entry : items) {
        auto* item = new SkinMenuItem(m_menu.get());
        item->setCaption(entry.caption);
        item->setShortcut(shortcutFromText(entry.shortcut));
        item->setImageIndex(entry.imageIndex);
        const QString caption = entry.caption;
        QObject::connect(item, &SkinMenuItem::triggered, item, [chosen, caption] { chosen(caption); });
        m_menu->add(item);
    }
    m_menu->setSkinEngine(m_engineOf ? m_engineOf() : nullptr);
    m_menu->applyPopupOptions(options);
    m_menu->setOwnerWindowAll(window ? window->window() : nullptr);
    SkinMenuTracker::trackPopup(m_menu.get(), screenPoint, window);
}

} // namespace corvane::skin
