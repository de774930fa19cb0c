#include "shell/ComponentIndex.h"

namespace corvane::shell {

void ComponentIndex::build(QObject* owner)
{
    byLowerName_.clear();
    const QList<QObject*> all = owner->findChildren<QObject*>();
    for (QObject* object : all) {
        const QString name = object->objectName();
        // Qt names some of its own inner objects ("qt_scrollarea_viewport"
        // and the like); only the form's components count.
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        byLowerName_.insert(name.toLower(), object);
    }
}

QObject* ComponentIndex::find(std::string_view name) const
{
    return find(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

QObject* ComponentIndex::find(const QString& name) const
{
    return byLowerName_.value(name.toLower(), nullptr);
}

} // namespace corvane::shell
