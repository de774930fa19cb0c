#include "skin/menu/TSkinCustomItem.h"

#include <QCoreApplication>
#include <QEvent>

#include "skin/menu/SkinMenuTracker.h"

namespace corvane::skin {

namespace {

// The chosen item, on its way to the click dispatcher.
class TMenuClickEvent : public QEvent {
public:
    explicit TMenuClickEvent(TSkinCustomItem* item) : QEvent(QEvent::Type(CM_MENUCLICK)), item(item) { }
    QPointer<TSkinCustomItem> item;
};

// The hidden receiver of chosen items, created on first use. It waits until
// menu mode has ended and the screen has caught up before running a command,
// so that a command never runs with its menu still on the screen.
class TMenuClickDispatcher : public QObject {
public:
    static TMenuClickDispatcher& instance()
    {
        static auto* dispatcher = new TMenuClickDispatcher;
        return *dispatcher;
    }

    void post(TSkinCustomItem* item) { QCoreApplication::postEvent(this, new TMenuClickEvent(item)); }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::Type(CM_MENUCLICK))
            return QObject::event(event);
        auto* click = static_cast<TMenuClickEvent*>(event);
        if (TSkinMenuTracker* tracker = TSkinMenuTracker::current()) {
            // Still unwinding the menu loops: try again once they are gone
            // (not sooner: another loop may run above them for a long time).
            connect(tracker, &QObject::destroyed, this, [this, item = click->item] { post(item); });
            return true;
        }
        // Let the closed menus disappear and the windows below repaint first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        if (TSkinCustomItem* item = click->item)
            item->execute();
        return true;
    }
};

} // namespace

TSkinObject* childNamed(TSkinObject* object, const QString& name)
{
    if (!object)
        return nullptr;
    for (const auto& child : object->children()) {
        if (TSkinObject* found = child->findObject(name))
            return found;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------

TSkinCustomItem::TSkinCustomItem(QObject* owner) : QObject(owner)
{ }

TSkinCustomItem::~TSkinCustomItem()
{
    if (m_parent)
        m_parent->m_items.removeOne(this);
    for (TSkinCustomItem* child : std::as_const(m_items))
        child->m_parent = nullptr;
}

void TSkinCustomItem::setParentComponent(TSkinCustomItem* parent)
{
    if (m_parent)
        m_parent->remove(this);
    if (parent)
        parent->add(this);
}

void TSkinCustomItem::add(TSkinCustomItem* item)
{
    insert(int(m_items.size()), item);
}

void TSkinCustomItem::insert(int index, TSkinCustomItem* item)
{
    if (!item || item == this)
        return;
    if (item->m_parent)
        item->m_parent->remove(item);
    m_items.insert(qBound(0, index, int(m_items.size())), item);
    item->m_parent = this;
    item->popupOptions = popupOptions;
    if (!item->form)
        item->form = form;
    adopt(item);
}

void TSkinCustomItem::remove(TSkinCustomItem* item)
{
    if (item && m_items.removeOne(item))
        item->m_parent = nullptr;
}

bool TSkinCustomItem::hasVisibleItems() const
{
    for (const TSkinCustomItem* item : m_items)
        if (item->Visible)
            return true;
    return false;
}

TSkinCustomItem* TSkinCustomItem::topItem()
{
    TSkinCustomItem* top = this;
    while (top->m_parent)
        top = top->m_parent;
    return top;
}

TSkinImageList* TSkinCustomItem::effectiveImages()
{
    return Images ? Images : topItem()->Images;
}

void TSkinCustomItem::applyPopupOptions(const TSkinPopupMenuOptions& options)
{
    popupOptions = options;
    for (TSkinCustomItem* item : std::as_const(m_items))
        item->applyPopupOptions(options);
}

void TSkinCustomItem::setFormAll(QWidget* window)
{
    form = window;
    for (TSkinCustomItem* item : std::as_const(m_items))
        item->setFormAll(window);
}

void TSkinCustomItem::setAnimateAll(bool value)
{
    animate = value;
    for (TSkinCustomItem* item : std::as_const(m_items))
        item->setAnimateAll(value);
}

void TSkinCustomItem::click()
{
    if (isSeparator() || !Enabled || hasVisibleItems())
        return;
    TMenuClickDispatcher::instance().post(this);
}

void TSkinCustomItem::execute()
{
    if (OnClick)
        OnClick(this);
    else if (Action)
        Action->trigger();
}

TSkinCustomItem* TSkinCustomItem::findShortCut(TShortCut shortCut)
{
    if (shortCut == 0)
        return nullptr;
    for (TSkinCustomItem* item : std::as_const(m_items)) {
        if (item->ShortCut == shortCut)
            return item;
        if (TSkinCustomItem* found = item->findShortCut(shortCut))
            return found;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------

TSkinItem::TSkinItem(QObject* owner) : TSkinCustomItem(owner)
{ }

TSkinItem::~TSkinItem() = default;

void TSkinItem::setSkinEngine(TSkinEngine* engine)
{
    m_engine = engine;
    linkSkin(m_inControlBar);
    for (TSkinCustomItem* child : items())
        if (auto* skinned = qobject_cast<TSkinItem*>(child))
            skinned->setSkinEngine(engine);
}

void TSkinItem::linkSkin(bool inControlBar)
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

void TSkinItem::unlinkSkin()
{
    m_menuBar = m_barItem = m_popupMenu = m_popupItem = m_popupSeparator = nullptr;
}

void TSkinItem::adopt(TSkinCustomItem* child)
{
    if (auto* skinned = qobject_cast<TSkinItem*>(child)) {
        if (skinned->m_engine != m_engine)
            skinned->setSkinEngine(m_engine);
    }
}

} // namespace corvane::skin
