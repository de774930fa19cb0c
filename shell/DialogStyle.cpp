#include "shell/DialogStyle.h"

#include <QPalette>
#include <QWidget>

namespace corvane::shell {

QFont dialogFont()
{
    QFont font(QStringLiteral("宋体"));
    constexpr int PixelHeight = 12; // a pixel height, so it does not follow the screen's density
    font.setPixelSize(PixelHeight);
    return font;
}

void applyDialogFrame(QWidget* dialog, QSize clientSize)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(clientSize);
    dialog->setFont(dialogFont());
    useButtonFace(dialog);
}

void useButtonFace(QWidget* window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

} // namespace corvane::shell
