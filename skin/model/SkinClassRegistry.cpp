// The registry of skin object classes: the seven implemented classes and
// the names that behave like their nearest base class.
#include "skin/model/SkinObjects.h"

#include <cstring>
#include <typeinfo>

namespace corvane::skin {

namespace {

// A registered class that skins may name but this program never meets: it
// behaves like its nearest base class and keeps its own name.
template <class Base> class RegisteredAs : public Base {
public:
    explicit RegisteredAs(const char* className) : m_name(className) { }
    QByteArray className() const override { return m_name; }

private:
    QByteArray m_name;
};

template <class T> std::unique_ptr<SkinObject> make(const char* /*name*/)
{
    return std::make_unique<T>();
}

template <class Base> std::unique_ptr<SkinObject> makeAlias(const char* name)
{
    return std::make_unique<RegisteredAs<Base>>(name);
}

struct Registration {
    const char* name;
    std::unique_ptr<SkinObject> (*create)(const char* name);
    const std::type_info* type = nullptr; // the class of its own; null for an alias
};

template <class T> Registration implemented(const char* name)
{
    return {name, make<T>, &typeid(T)};
}

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
    implemented<SkinObject>("TSkinObject"),
    implemented<SkinActiveObject>("TSkinActiveObject"),
    implemented<SkinBitmapObject>("TSkinBitmapObject"),
    implemented<SkinActiveBitmap>("TSkinActiveBitmap"),
    implemented<SkinSystemButton>("TSkinSystemButton"),
    implemented<SkinButtonObject>("TSkinButtonObject"),
    implemented<SkinTextObject>("TSkinTextObject"),
};

} // namespace

QList<QByteArray> SkinClassRegistry::classNames()
{
    QList<QByteArray> names;
    for (const Registration& r : registrations)
        names.append(r.name);
    return names;
}

std::unique_ptr<SkinObject> SkinClassRegistry::create(const QByteArray& className)
{
    for (const Registration& r : registrations)
        if (className == r.name)
            return r.create(r.name);
    return nullptr;
}

QByteArray SkinClassRegistry::nameOf(const std::type_info& type)
{
    for (const Registration& r : registrations)
        if (r.type && *r.type == type)
            return QByteArray::fromRawData(r.name, qsizetype(std::strlen(r.name)));
    return {};
}

// An object's class name is the one its class is registered under.
QByteArray SkinObject::className() const
{
    return SkinClassRegistry::nameOf(typeid(*this));
}

QList<const SkinPropertyTable*> SkinClassRegistry::propertyTables()
{
    return {&SkinObject::propertyTable(),       &SkinActiveObject::propertyTable(),
            &SkinBitmapObject::propertyTable(), &SkinActiveBitmap::propertyTable(),
            &SkinSystemButton::propertyTable(), &SkinButtonObject::propertyTable(),
            &SkinTextObject::propertyTable()};
}

} // namespace corvane::skin
