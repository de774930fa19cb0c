#include "skin/menu/SkinCustomItem.h"

#include <QCoreApplication>

#include "skin/menu/SkinMenuTracker.h"

namespace corvane::skin {

SkinObject* childNamed(SkinObject* object, const QString& name)
{
    if (!object)
        return nullptr;
    for (const auto& child : object->children()) {
        if (SkinObject* found = child->findObject(name))
            return found;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------

SkinCustomItem::SkinCustomItem(QObject* owner) : QObject(owner)
{ }

SkinCustomItem::~SkinCustomItem()
{
    if (m_parent)
        m_parent->m_items.removeOne(this);
    for (SkinCustomItem* child : std::as_const(m_items))
        child->m_parent = nullptr;
}

void SkinCustomItem::add(SkinCustomItem* item)
{
    insert(int(m_items.size()), item);
}

void SkinCustomItem::insert(int index, SkinCustomItem* item)
{
    if (!item || item == this)
        return;
    if (item->m_parent)
        item->m_parent->remove(item);
    m_items.insert(qBound(0, index, int(m_items.size())), item);
    item->m_parent = this;
    item->m_popupOptions = m_popupOptions;
    if (!item->m_window)
        item->m_window = m_window;
    adopt(item);
}

void SkinCustomItem::remove(SkinCustomItem* item)
{
    if (item && m_items.removeOne(item))
        item->m_parent = nullptr;
}

bool SkinCustomItem::hasVisibleItems() const
{
    for (const SkinCustomItem* item : m_items)
        if (item->m_visible)
            return true;
    return false;
}

SkinCustomItem* SkinCustomItem::topItem()
{
    SkinCustomItem* top = this;
    while (top->m_parent)
        top = top->m_parent;
    return top;
}

SkinImageList* SkinCustomItem::effectiveImages()
{
    return m_images ? m_images : topItem()->m_images;
}

void SkinCustomItem::applyPopupOptions(const SkinPopupMenuOptions& options)
{
    m_popupOptions = options;
    for (SkinCustomItem* item : std::as_const(m_items))
        item->applyPopupOptions(options);
}

void SkinCustomItem::setOwnerWindowAll(QWidget* window)
{
    m_window = window;
    for (SkinCustomItem* item : std::as_const(m_items))
        item->setOwnerWindowAll(window);
}

void SkinCustomItem::click()
{
    if (isSeparator() || !m_enabled || hasVisibleItems())
        return;
    postClick();
}

void SkinCustomItem::postClick()
{
    // Queued: the menu loops unwind first. A deleted item drops its click.
    QMetaObject::invokeMethod(this, &SkinCustomItem::deliverClick, Qt::QueuedConnection);
}

void SkinCustomItem::deliverClick()
{
    if (SkinMenuTracker* tracker = SkinMenuTracker::current()) {
        // Still unwinding the menu loops: try again once they are gone (not
        // sooner: another loop may run above them for a long time).
        connect(tracker, &QObject::destroyed, this, &SkinCustomItem::postClick, Qt::SingleShotConnection);
        return;
    }
    // Let the closed menus disappear and the windows below repaint first, so
    // that a command never runs with its menu still on the screen.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    emit triggered();
}

SkinCustomItem* SkinCustomItem::findShortcut(const QKeySequence& shortcut)
{
    if (shortcut.isEmpty())
        return nullptr;
    for (SkinCustomItem* item : std::as_const(m_items)) {
        if (item->m_shortcut == shortcut)
            return item;
        if (SkinCustomItem* found = item->findShortcut(shortcut))
            return found;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------

SkinItem::SkinItem(QObject* owner) : SkinCustomItem(owner)
{ }

SkinItem::~SkinItem() = default;

void SkinItem::setSkinEngine(SkinEngine* engine)
{
    m_engine = engine;
    linkSkin(m_inControlBar);
    for (SkinCustomItem* child : items())
        if (auto* skinned = qobject_cast<SkinItem*>(child))
            skinned->setSkinEngine(engine);
}

void SkinItem::linkSkin(bool inControlBar)
{
    m_inControlBar = inControlBar;
    unlinkSkin();
    if (!m_engine || !m_engine->hasSkin())
        return;
    m_menuBar = m_engine->findObject(QStringLiteral("MenuBar"));
    m_popupMenu = m_engine->findObject(QStringLiteral("PopupMenu"));
    m_barItem = childNamed(m_menuBar, inControlBar ? QStringLiteral("ToolbarItem") : QStringLiteral("Item"));
    m_popupItem = childNamed(m_popupMenu, QStringLiteral("Item"));
    m_popupSeparator = childNamed(m_popupMenu, QStringLiteral("Separator"));
}

void SkinItem::unlinkSkin()
{
    m_menuBar = m_barItem = m_popupMenu = m_popupItem = m_popupSeparator = nullptr;
}

void SkinItem::adopt(SkinCustomItem* child)
{
    if (auto* skinned = qobject_cast<SkinItem*>(child)) {
        if (skinned->m_engine != m_engine)
            skinned->setSkinEngine(m_engine);
    }
}

} // namespace corvane::skin
