#pragma once
// Finding a form's components by name, ignoring letter case, the way the
// board code asks for "image13" or "Image13". The index is built once, after
// the form has created its components, so each lookup is one hash probe
// (the board code looks up images on every drop and every received move).

#include <QHash>
#include <QObject>
#include <QString>
#include <string_view>

namespace corvane::shell {

class ComponentIndex {
public:
    // Indexes `owner` and every object below it that has an object name.
    void build(QObject* owner);

    QObject* find(std::string_view name) const;
    QObject* find(const QString& name) const;

    template <typename T>
    T* findAs(std::string_view name) const { return qobject_cast<T*>(find(name)); }

    qsizetype size() const { return byLowerName_.size(); }

private:
    QHash<QString, QObject*> byLowerName_;
};

} // namespace corvane::shell
