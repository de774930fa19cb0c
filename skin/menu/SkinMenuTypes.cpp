#include "skin/menu/SkinMenuTypes.h"

#include <QPainter>

namespace corvane::skin {

namespace {

// The keys with a name of their own in a shortcut's text.
struct NamedKey {
    Qt::Key key;
    const char* name;
};
constexpr NamedKey namedKeys[] = {
    {Qt::Key_Backspace, "BkSp"}, {Qt::Key_Tab, "Tab"},     {Qt::Key_Return, "Enter"},  {Qt::Key_Escape, "Esc"},
    {Qt::Key_Space, "Space"},    {Qt::Key_PageUp, "PgUp"}, {Qt::Key_PageDown, "PgDn"}, {Qt::Key_End, "End"},
    {Qt::Key_Home, "Home"},      {Qt::Key_Left, "Left"},   {Qt::Key_Up, "Up"},         {Qt::Key_Right, "Right"},
    {Qt::Key_Down, "Down"},      {Qt::Key_Insert, "Ins"},  {Qt::Key_Delete, "Del"},
};

constexpr Qt::KeyboardModifiers shortcutModifiers = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

// The modifiers as a shortcut's text writes them, in this order.
struct NamedModifier {
    Qt::KeyboardModifier modifier;
    const char* prefix;
};
constexpr NamedModifier namedModifiers[] = {
    {Qt::ShiftModifier, "Shift+"}, {Qt::ControlModifier, "Ctrl+"}, {Qt::AltModifier, "Alt+"}};

QString keyName(int key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return QString(QChar(key)); // Qt's codes of letters and digits are their characters
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    for (const NamedKey& named : namedKeys)
        if (named.key == key)
            return QLatin1String(named.name);
    return QString();
}

} // namespace

QKeySequence shortcutOf(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const int key = qtKey == Qt::Key_Enter ? int(Qt::Key_Return) : qtKey;
    if (keyName(key).isEmpty())
        return QKeySequence();
    return QKeySequence(QKeyCombination(modifiers & shortcutModifiers, Qt::Key(key)));
}

QString shortcutText(const QKeySequence& shortcut)
{
    if (shortcut.isEmpty())
        return QString();
    const QKeyCombination combination = shortcut[0];
    const QString name = keyName(combination.key());
    if (name.isEmpty())
        return QString();
    QString text;
    for (const NamedModifier& named : namedModifiers)
        if (combination.keyboardModifiers() & named.modifier)
            text += QLatin1String(named.prefix);
    return text + name;
}

QKeySequence shortcutFromText(const QString& text)
{
    Qt::KeyboardModifiers modifiers;
    QString rest = text;
    for (bool found = true; found;) {
        found = false;
        for (const NamedModifier& named : namedModifiers) {
            if (rest.startsWith(QLatin1String(named.prefix), Qt::CaseInsensitive)) {
                modifiers |= named.modifier;
                rest = rest.mid(int(qstrlen(named.prefix)));
                found = true;
            }
        }
    }
    if (rest.isEmpty())
        return QKeySequence();
    QList<int> keys;
    for (int key = Qt::Key_0; key <= Qt::Key_9; ++key)
        keys << key;
    for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key)
        keys << key;
    for (int key = Qt::Key_F1; key <= Qt::Key_F24; ++key)
        keys << key;
    for (const NamedKey& named : namedKeys)
        keys << named.key;
    for (int key : std::as_const(keys))
        if (keyName(key).compare(rest, Qt::CaseInsensitive) == 0)
            return shortcutOf(key, modifiers);
    return QKeySequence();
}

void SkinImageList::draw(QPainter& painter, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= m_images.size())
        return;
    const QImage& image = m_images[index];
    if (enabled) {
        painter.drawImage(x, y, image);
        return;
    }
    // Greyed: every opaque pixel becomes a grey of its own lightness, lighter.
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < grey.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(row));
        for (int col = 0; col < grey.width(); ++col) {
            const int g = 128 + qGray(line[col]) / 2;
            line[col] = qRgba(g, g, g, qAlpha(line[col]));
        }
    }
    painter.drawImage(x, y, grey);
}

} // namespace corvane::skin
