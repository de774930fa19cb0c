#include "skin/menu/SkinItemView.h"

#include <QPainter>

namespace corvane::skin {

SkinItemView::SkinItemView(SkinMenuItem* item, Qt::Orientation orientation, QWidget* host, SkinMenuSkin* skin)
    : m_item(item), m_orientation(orientation), m_host(host), m_skin(skin)
{
    m_scrollTimer.setInterval(MenuScrollInterval);
    QObject::connect(&m_scrollTimer, &QTimer::timeout, [this] {
        const int direction = m_hotStrip == ScrollStrip::Up ? -1 : 1;
        if (m_hotStrip == ScrollStrip::None || !canScroll(direction)) {
            m_scrollTimer.stop();
            return;
        }
        scroll(direction);
    });
}

SkinItemView::~SkinItemView() = default;

QList<SkinMenuItem*> SkinItemView::shownItems() const
{
    QList<SkinMenuItem*> shown;
    const QList<SkinMenuItem*>& all = m_item->items();
    if (!scrolls()) {
        for (SkinMenuItem* item : all)
            if (item->isVisible())
                shown.append(item);
        return shown;
    }
    for (int i = qMax(0, m_item->firstShown()); i < all.size() && shown.size() < m_item->scrollCount(); ++i)
        if (all[i]->isVisible())
            shown.append(all[i]);
    return shown;
}

void SkinItemView::layout(const QRect& inner)
{
    m_inner = inner;
    m_origin = inner.topLeft();
    for (SkinMenuItem* item : m_item->items())
        item->setRect(QRect());
    const QList<SkinMenuItem*> shown = shownItems();

    if (isBar()) {
        int x = inner.left();
        int tallest = 0;
        for (SkinMenuItem* item : shown) {
            const QSize size = SkinMenuPainter::measureBarItem(item, *m_skin);
            item->setRect(QRect(x, inner.top(), size.width(), size.height()));
            x += size.width();
            tallest = qMax(tallest, size.height());
        }
        m_content = QSize(x - inner.left(), tallest);
        return;
    }

    // A popup: every item as wide as the widest visible one, also those that
    // a scrolled popup does not show at the moment, so the width stays put.
    m_glyphWidth = SkinMenuPainter::glyphColumnWidth(m_item);
    int width = 0;
    for (SkinMenuItem* item : m_item->items())
        if (item->isVisible())
            width = qMax(width, SkinMenuPainter::measurePopupItem(item, *m_skin, m_glyphWidth).width());
    int y = inner.top();
    m_upStrip = m_downStrip = QRect();
    if (scrolls()) {
        m_upStrip = QRect(inner.left(), y, width, MenuScrollStripHeight);
        y += MenuScrollStripHeight;
    }
    for (SkinMenuItem* item : shown) {
        const int height = SkinMenuPainter::measurePopupItem(item, *m_skin, m_glyphWidth).height();
        item->setRect(QRect(inner.left(), y, width, height));
        y += height;
    }
    if (scrolls()) {
        m_downStrip = QRect(inner.left(), y, width, MenuScrollStripHeight);
        y += MenuScrollStripHeight;
    }
    m_content = QSize(width, y - inner.top());
}

SkinMenuItem* SkinItemView::itemAt(const QPoint& point) const
{
    for (SkinMenuItem* item : shownItems())
        if (item->rect().contains(point))
            return item;
    return nullptr;
}

ScrollStrip SkinItemView::stripAt(const QPoint& point) const
{
    if (!scrolls())
        return ScrollStrip::None;
    if (m_upStrip.contains(point))
        return ScrollStrip::Up;
    if (m_downStrip.contains(point))
        return ScrollStrip::Down;
    return ScrollStrip::None;
}

void SkinItemView::setHot(SkinMenuItem* item)
{
    if (item == m_hot)
        return;
    SkinMenuItem* old = m_hot;
    m_hot = item;
    if (item && scrolls())
        ensureShown(item);
    if (old)
        repaintItem(old);
    if (item)
        repaintItem(item);
}

SkinMenuItem* SkinItemView::firstItem() const
{
    for (SkinMenuItem* item : shownItems())
        if (item->isSelectable())
            return item;
    return nullptr;
}

SkinMenuItem* SkinItemView::neighbour(int step) const
{
    const QList<SkinMenuItem*>& all = m_item->items();
    const int count = int(all.size());
    if (count == 0)
        return nullptr;
    int index = m_hot ? int(all.indexOf(m_hot.data())) : (step > 0 ? -1 : count);
    for (int tried = 0; tried < count; ++tried) {
        index = (index + step + count) % count;
        if (all[index]->isSelectable())
            return all[index];
    }
    return m_hot;
}

SkinMenuItem* SkinItemView::itemWithAccelerator(QChar character) const
{
    const QString wanted = QStringLiteral("&") + character.toUpper();
    for (SkinMenuItem* item : m_item->items())
        if (item->isVisible() && item->caption().toUpper().contains(wanted))
            return item;
    return nullptr;
}

SkinState SkinItemView::stateOf(const SkinMenuItem* item) const
{
    if (item != m_hot)
        return MenuItemStateNormal;
    return m_tracking ? MenuItemStateTracking : MenuItemStateHot;
}

// ---------------------------------------------------------------------------
// Scrolling

bool SkinItemView::canScroll(int direction) const
{
    if (!scrolls())
        return false;
    const QList<SkinMenuItem*>& all = m_item->items();
    if (direction < 0) {
        for (int i = qMin(m_item->firstShown(), int(all.size())) - 1; i >= 0; --i)
            if (all[i]->isVisible())
                return true;
        return false;
    }
    const QList<SkinMenuItem*> shown = shownItems();
    if (shown.isEmpty())
        return false;
    for (int i = int(all.indexOf(shown.last())) + 1; i < all.size(); ++i)
        if (all[i]->isVisible())
            return true;
    return false;
}

void SkinItemView::scroll(int direction)
{
    if (!canScroll(direction))
        return;
    const QList<SkinMenuItem*>& all = m_item->items();
    int index = m_item->firstShown();
    do {
        index += direction;
    } while (index > 0 && index < all.size() && !all[index]->isVisible());
    m_item->setFirstShown(qBound(0, index, int(all.size()) - 1));
    layout(m_inner);
    if (m_host)
        m_host->repaint();
}

void SkinItemView::ensureShown(SkinMenuItem* item)
{
    if (!scrolls() || !item)
        return;
    const QList<SkinMenuItem*>& all = m_item->items();
    const int target = int(all.indexOf(item));
    if (target < 0)
        return;
    bool moved = false;
    if (target < m_item->firstShown()) {
        m_item->setFirstShown(target);
        moved = true;
    } else {
        while (!shownItems().contains(item) && canScroll(1)) {
            int index = m_item->firstShown() + 1;
            while (index < all.size() && !all[index]->isVisible())
                ++index;
            m_item->setFirstShown(index);
            moved = true;
        }
    }
    if (moved) {
        layout(m_inner);
        if (m_host)
            m_host->repaint();
    }
}

void SkinItemView::setHotStrip(ScrollStrip strip)
{
    if (strip == m_hotStrip)
        return;
    m_hotStrip = strip;
    if (strip != ScrollStrip::None && canScroll(strip == ScrollStrip::Up ? -1 : 1))
        m_scrollTimer.start();
    else
        m_scrollTimer.stop();
    if (m_host)
        m_host->repaint();
}

// ---------------------------------------------------------------------------
// Painting

void SkinItemView::paintItems(QPainter& painter)
{
    const QPalette palette = m_host ? m_host->palette() : QPalette();
    if (scrolls()) {
        SkinMenuPainter::drawScrollStrip(painter, *m_skin, m_upStrip, true, m_hotStrip == ScrollStrip::Up, palette);
        SkinMenuPainter::drawScrollStrip(painter, *m_skin, m_downStrip, false, m_hotStrip == ScrollStrip::Down, palette);
    }
    for (SkinMenuItem* item : shownItems())
        paintItem(painter, item);
}

void SkinItemView::paintItem(QPainter& painter, SkinMenuItem* item)
{
    if (item->rect().isEmpty())
        return;
    const QPalette palette = m_host ? m_host->palette() : QPalette();
    if (isBar())
        SkinMenuPainter::drawBarItem(painter, *m_skin, item, stateOf(item), palette);
    else
        SkinMenuPainter::drawPopupItem(painter, *m_skin, item, stateOf(item), m_glyphWidth, palette);
}

void SkinItemView::repaintItem(SkinMenuItem* item)
{
    if (m_host && item && !item->rect().isEmpty() && m_host->isVisible())
        m_host->repaint(item->rect());
}

} // namespace corvane::skin
