#include "skin/menu/SkinCustomItem.h"

#include <QCoreApplication>
#include <QEvent>

#include "skin/menu/SkinMenuTracker.h"

namespace corvane::skin {

namespace {

// The chosen item, on its way to the click dispatcher.
class MenuClickEvent : public QEvent {
public:
    explicit MenuClickEvent(SkinCustomItem* item) : QEvent(QEvent::Type(CM_MENUCLICK)), item(item) { }
    QPointer<SkinCustomItem> item;
};

// The hidden receiver of chosen items, created on first use. It waits until
// menu mode has ended and the screen has caught up before running a command,
// so that a command never runs with its menu still on the screen.
class MenuClickDispatcher : public QObject {
public:
    static MenuClickDispatcher& instance()
    {
        static auto* dispatcher = new MenuClickDispatcher;
        return *dispatcher;
    }

    void post(SkinCustomItem* item) { QCoreApplication::postEvent(this, new MenuClickEvent(item)); }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::Type(CM_MENUCLICK))
            return QObject::event(event);
        auto* click = static_cast<MenuClickEvent*>(event);
        if (SkinMenuTracker* tracker = SkinMenuTracker::current()) {
            // Still unwinding the menu loops: try again once they are gone
            // (not sooner: another loop may run above them for a long time).
            connect(tracker, &QObject::destroyed, this, [this, item = click->item] { post(item); });
            return true;
        }
        // Let the closed menus disappear and the windows below repaint first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        if (SkinCustomItem* item = click->item)
            item->execute();
        return true;
    }
};

} // namespace

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

void SkinCustomItem::setParentComponent(SkinCustomItem* parent)
{
    if (m_parent)
        m_parent->remove(this);
    if (parent)
        parent->add(this);
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
    item->popupOptions = popupOptions;
    if (!item->form)
        item->form = form;
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
        if (item->Visible)
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
    return Images ? Images : topItem()->Images;
}

void SkinCustomItem::applyPopupOptions(const SkinPopupMenuOptions& options)
{
    popupOptions = options;
    for (SkinCustomItem* item : std::as_const(m_items))
        item->applyPopupOptions(options);
}

void SkinCustomItem::setFormAll(QWidget* window)
{
    form = window;
    for (SkinCustomItem* item : std::as_const(m_items))
        item->setFormAll(window);
}

void SkinCustomItem::setAnimateAll(bool value)
{
    animate = value;
    for (SkinCustomItem* item : std::as_const(m_items))
        item->setAnimateAll(value);
}

void SkinCustomItem::click()
{
    if (isSeparator() || !Enabled || hasVisibleItems())
        return;
    MenuClickDispatcher::instance().post(this);
}

void SkinCustomItem::execute()
{
    if (OnClick)
        OnClick(this);
    else if (Action)
        Action->trigger();
}

SkinCustomItem* SkinCustomItem::findShortCut(Shortcut shortCut)
{
    if (shortCut == 0)
        return nullptr;
    for (SkinCustomItem* item : std::as_const(m_items)) {
        if (item->ShortCut == shortCut)
            return item;
        if (SkinCustomItem* found = item->findShortCut(shortCut))
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
