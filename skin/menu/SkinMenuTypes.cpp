#include "skin/menu/SkinMenuTypes.h"

#include <QPainter>

namespace corvane::skin {

int virtualKeyOf(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey; // Qt's codes of letters and digits are their characters
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab: return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    default: return 0;
    }
}

Shortcut shortCutOf(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const int key = virtualKeyOf(qtKey);
    if (key == 0)
        return 0;
    Shortcut shortCut = key;
    if (modifiers & Qt::ShiftModifier)
        shortCut |= scShift;
    if (modifiers & Qt::ControlModifier)
        shortCut |= scCtrl;
    if (modifiers & Qt::AltModifier)
        shortCut |= scAlt;
    return shortCut;
}

namespace {

QString keyName(int key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return QString(QChar(key));
    if (key >= VK_F1 && key < VK_F1 + 24)
        return QStringLiteral("F%1").arg(key - VK_F1 + 1);
    switch (key) {
    case 0x08: return QStringLiteral("BkSp");
    case 0x09: return QStringLiteral("Tab");
    case 0x0D: return QStringLiteral("Enter");
    case 0x1B: return QStringLiteral("Esc");
    case 0x20: return QStringLiteral("Space");
    case 0x21: return QStringLiteral("PgUp");
    case 0x22: return QStringLiteral("PgDn");
    case 0x23: return QStringLiteral("End");
    case 0x24: return QStringLiteral("Home");
    case 0x25: return QStringLiteral("Left");
    case 0x26: return QStringLiteral("Up");
    case 0x27: return QStringLiteral("Right");
    case 0x28: return QStringLiteral("Down");
    case 0x2D: return QStringLiteral("Ins");
    case 0x2E: return QStringLiteral("Del");
    default: return QString();
    }
}

} // namespace

QString shortCutText(Shortcut shortCut)
{
    const QString name = keyName(shortCut & 0xFF);
    if (shortCut == 0 || name.isEmpty())
        return QString();
    QString text;
    if (shortCut & scShift)
        text += QStringLiteral("Shift+");
    if (shortCut & scCtrl)
        text += QStringLiteral("Ctrl+");
    if (shortCut & scAlt)
        text += QStringLiteral("Alt+");
    return text + name;
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
