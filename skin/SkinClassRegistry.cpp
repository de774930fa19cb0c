// The registry of skin object classes: the seven implemented classes and
// the names that behave like their nearest base class.
#include "skin/SkinObjects.h"

namespace corvane::skin {

namespace {

// A registered class that skins may name but this program never meets: it
// behaves like its nearest base class and keeps its own name.
template <class Base> class RegisteredAs : public Base {
public:
    RegisteredAs(const char* name, SkinObject* owner) : Base(owner), m_name(name) { }
    QByteArray className() const override { return m_name; }

private:
    QByteArray m_name;
};

template <class T> SkinObject* make(SkinObject* owner)
{
    return new T(owner);
}

template <class Base> SkinObject* makeAlias(const char* name, SkinObject* owner)
{
    return new RegisteredAs<Base>(name, owner);
}

struct Registration {
    const char* name;
    SkinObject* (*create)(const char* name, SkinObject* owner);
};

const Registration registrations[] = {
    {"TSkinLinkSkinObject", makeAlias<SkinObject>},
    {"TSkinBitmapSkinObject", makeAlias<SkinBitmapObject>},
    {"TSkinFormBitmapSkinObject", makeAlias<SkinBitmapObject>},
    {"TSkinSysButtonSkinObject", makeAlias<SkinSystemButton>},
    {"TSkinActiveSkinObject", makeAlias<SkinActiveObject>},
    {"TSkinColorButtonObject", makeAlias<SkinActiveObject>},
    {"TSkinBitmapBoxObject", makeAlias<SkinBitmapObject>},
    {"TSkinActiveBitmapBoxObject", makeAlias<SkinActiveBitmap>},
    {"TSkinButtonBitmapBoxObject", makeAlias<SkinButtonObject>},
    {"TSkinRollPanelObject", makeAlias<SkinObject>},
    {"TSkinObject", [](const char*, SkinObject* o) { return make<SkinObject>(o); }},
    {"TSkinActiveObject", [](const char*, SkinObject* o) { return make<SkinActiveObject>(o); }},
    {"TSkinBitmapObject", [](const char*, SkinObject* o) { return make<SkinBitmapObject>(o); }},
    {"TSkinActiveBitmap", [](const char*, SkinObject* o) { return make<SkinActiveBitmap>(o); }},
    {"TSkinSystemButton", [](const char*, SkinObject* o) { return make<SkinSystemButton>(o); }},
    {"TSkinButtonObject", [](const char*, SkinObject* o) { return make<SkinButtonObject>(o); }},
    {"TSkinTextObject", [](const char*, SkinObject* o) { return make<SkinTextObject>(o); }},
};

} // namespace

QList<QByteArray> SkinClassRegistry::classNames()
{
    QList<QByteArray> names;
    for (const Registration& r : registrations)
        names.append(r.name);
    return names;
}

SkinObject* SkinClassRegistry::create(const QByteArray& className, SkinObject* owner)
{
    for (const Registration& r : registrations)
        if (className == r.name)
            return r.create(r.name, owner);
    return nullptr;
}

QList<const SkinPropertyTable*> SkinClassRegistry::propertyTables()
{
    return {&SkinObject::propertyTable(),       &SkinActiveObject::propertyTable(),
            &SkinBitmapObject::propertyTable(), &SkinActiveBitmap::propertyTable(),
            &SkinSystemButton::propertyTable(), &SkinButtonObject::propertyTable(),
            &SkinTextObject::propertyTable()};
}

} // namespace corvane::skin
