#include "shell/DialogStyle.h"

#include <QPalette>
#include <QWidget>

namespace corvane::shell {

QFont dialogFont()
{
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12); // a pixel height, so it does not follow the screen's density
    return font;
}

void applyDialogFrame(QWidget* dialog, int clientWidth, int clientHeight)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(clientWidth, clientHeight);
    dialog->setFont(dialogFont());
    useButtonFace(dialog);
}

void useButtonFace(QWidget* form)
{
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    form->setPalette(palette);
    form->setAutoFillBackground(true);
}

} // namespace corvane::shell
