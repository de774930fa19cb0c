#include "skin/menu/SkinMenuItem.h"

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

SkinMenuItem::SkinMenuItem(QObject* owner) : QObject(owner)
{ }

SkinMenuItem::~SkinMenuItem()
{
    if (m_parent)
        m_parent->m_items.removeOne(this);
    for (SkinMenuItem* child : std::as_const(m_items))
        child->m_parent = nullptr;
}

void SkinMenuItem::add(SkinMenuItem* item)
{
    insert(int(m_items.size()), item);
}

void SkinMenuItem::insert(int index, SkinMenuItem* item)
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
    if (item->m_engine != m_engine)
        item->setSkinEngine(m_engine);
}

void SkinMenuItem::remove(SkinMenuItem* item)
{
    if (item && m_items.removeOne(item))
        item->m_parent = nullptr;
}

bool SkinMenuItem::hasVisibleItems() const
{
    for (const SkinMenuItem* item : m_items)
        if (item->m_visible)
            return true;
    return false;
}

SkinMenuItem* SkinMenuItem::topItem()
{
    SkinMenuItem* top = this;
    while (top->m_parent)
        top = top->m_parent;
    return top;
}

SkinImageList* SkinMenuItem::effectiveImages()
{
    return m_images ? m_images : topItem()->m_images;
}

void SkinMenuItem::applyPopupOptions(const SkinPopupMenuOptions& options)
{
    m_popupOptions = options;
    for (SkinMenuItem* item : std::as_const(m_items))
        item->applyPopupOptions(options);
}

void SkinMenuItem::setOwnerWindowAll(QWidget* window)
{
    m_window = window;
    for (SkinMenuItem* item : std::as_const(m_items))
        item->setOwnerWindowAll(window);
}

void SkinMenuItem::click()
{
    if (isSeparator() || !m_enabled || hasVisibleItems())
        return;
    postClick();
}

void SkinMenuItem::postClick()
{
    // Queued: the menu loops unwind first. A deleted item drops its click.
    QMetaObject::invokeMethod(this, &SkinMenuItem::deliverClick, Qt::QueuedConnection);
}

void SkinMenuItem::deliverClick()
{
    if (SkinMenuTracker* tracker = SkinMenuTracker::current()) {
        // Still unwinding the menu loops: try again once they are gone (not
        // sooner: another loop may run above them for a long time).
        connect(tracker, &QObject::destroyed, this, &SkinMenuItem::postClick, Qt::SingleShotConnection);
        return;
    }
    // Let the closed menus disappear and the windows below repaint first, so
    // that a command never runs with its menu still on the screen.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    emit triggered();
}

SkinMenuItem* SkinMenuItem::findShortcut(const QKeySequence& shortcut)
{
    if (shortcut.isEmpty())
        return nullptr;
    for (SkinMenuItem* item : std::as_const(m_items)) {
        if (item->m_shortcut == shortcut)
            return item;
        if (SkinMenuItem* found = item->findShortcut(shortcut))
            return found;
    }
    return nullptr;
}

void SkinMenuItem::setSkinEngine(SkinEngine* engine)
{
    m_engine = engine;
    linkSkin();
    for (SkinMenuItem* child : std::as_const(m_items))
        child->setSkinEngine(engine);
}

void SkinMenuItem::linkSkin()
{
    m_menuBar = m_barItem = m_popupMenu = m_popupItem = m_popupSeparator = nullptr;
    if (!m_engine || !m_engine->hasSkin())
        return;
    m_menuBar = m_engine->findObject(QStringLiteral("MenuBar"));
    m_popupMenu = m_engine->findObject(QStringLiteral("PopupMenu"));
    m_barItem = childNamed(m_menuBar, QStringLiteral("Item"));
    m_popupItem = childNamed(m_popupMenu, QStringLiteral("Item"));
    m_popupSeparator = childNamed(m_popupMenu, QStringLiteral("Separator"));
}

void SkinMenuItem::unlinkSkin()
{
    m_menuBar = m_barItem = m_popupMenu = m_popupItem = m_popupSeparator = nullptr;
    for (SkinMenuItem* child : std::as_const(m_items))
        child->unlinkSkin();
}

} // namespace corvane::skin
