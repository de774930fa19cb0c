// The registry of skin object classes: the seven implemented classes and
// the names that behave like their nearest base class.
#include "skin/SkinObjects.h"

namespace corvane::skin {

namespace {

// A registered class that skins may name but this program never meets: it
// behaves like its nearest base class and keeps its own name.
template <class Base> class TRegisteredAs : public Base {
public:
    TRegisteredAs(const char* name, TSkinObject* owner) : Base(owner), m_name(name) { }
    QByteArray className() const override { return m_name; }

private:
    QByteArray m_name;
};

template <class T> TSkinObject* make(TSkinObject* owner)
{
    return new T(owner);
}

template <class Base> TSkinObject* makeAlias(const char* name, TSkinObject* owner)
{
    return new TRegisteredAs<Base>(name, owner);
}

struct Registration {
    const char* name;
    TSkinObject* (*create)(const char* name, TSkinObject* owner);
};

const Registration registrations[] = {
    {"TSkinLinkSkinObject", makeAlias<TSkinObject>},
    {"TSkinBitmapSkinObject", makeAlias<TSkinBitmapObject>},
    {"TSkinFormBitmapSkinObject", makeAlias<TSkinBitmapObject>},
    {"TSkinSysButtonSkinObject", makeAlias<TSkinSystemButton>},
    {"TSkinActiveSkinObject", makeAlias<TSkinActiveObject>},
    {"TSkinColorButtonObject", makeAlias<TSkinActiveObject>},
    {"TSkinBitmapBoxObject", makeAlias<TSkinBitmapObject>},
    {"TSkinActiveBitmapBoxObject", makeAlias<TSkinActiveBitmap>},
    {"TSkinButtonBitmapBoxObject", makeAlias<TSkinButtonObject>},
    {"TSkinRollPanelObject", makeAlias<TSkinObject>},
    {"TSkinObject", [](const char*, TSkinObject* o) { return make<TSkinObject>(o); }},
    {"TSkinActiveObject", [](const char*, TSkinObject* o) { return make<TSkinActiveObject>(o); }},
    {"TSkinBitmapObject", [](const char*, TSkinObject* o) { return make<TSkinBitmapObject>(o); }},
    {"TSkinActiveBitmap", [](const char*, TSkinObject* o) { return make<TSkinActiveBitmap>(o); }},
    {"TSkinSystemButton", [](const char*, TSkinObject* o) { return make<TSkinSystemButton>(o); }},
    {"TSkinButtonObject", [](const char*, TSkinObject* o) { return make<TSkinButtonObject>(o); }},
    {"TSkinTextObject", [](const char*, TSkinObject* o) { return make<TSkinTextObject>(o); }},
};

} // namespace

QList<QByteArray> TSkinClassRegistry::classNames()
{
    QList<QByteArray> names;
    for (const Registration& r : registrations)
        names.append(r.name);
    return names;
}

TSkinObject* TSkinClassRegistry::create(const QByteArray& className, TSkinObject* owner)
{
    for (const Registration& r : registrations)
        if (className == r.name)
            return r.create(r.name, owner);
    return nullptr;
}

QList<const TSkinPropertyTable*> TSkinClassRegistry::propertyTables()
{
    return {&TSkinObject::propertyTable(),       &TSkinActiveObject::propertyTable(),
            &TSkinBitmapObject::propertyTable(), &TSkinActiveBitmap::propertyTable(),
            &TSkinSystemButton::propertyTable(), &TSkinButtonObject::propertyTable(),
            &TSkinTextObject::propertyTable()};
}

bool TSkinClassRegistry::isRegistered(const QByteArray& className)
{
    for (const Registration& r : registrations)
        if (className == r.name)
            return true;
    return false;
}

} // namespace corvane::skin
