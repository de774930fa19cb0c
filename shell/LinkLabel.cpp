#include "shell/LinkLabel.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

namespace corvane::shell {

LinkLabel::LinkLabel(const QString& name, const QString& address, QWidget* parent) : QLabel(address, parent)
{
    setObjectName(name);
    QFont linkFont(QStringLiteral("宋体"));
    constexpr int PixelHeight = 12;
    linkFont.setPixelSize(PixelHeight);
    setFont(linkFont);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    setPalette(palette);
    setCursor(Qt::PointingHandCursor);
    adjustSize();
}

void LinkLabel::setUnderlined(bool underlined)
{
    QFont f = font();
    f.setUnderline(underlined);
    setFont(f);
}

void LinkLabel::enterEvent(QEnterEvent* event)
{
    setUnderlined(true);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event)
{
    setUnderlined(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    // What the desktop does with the address happens outside the program;
    // whether it succeeds is not our concern.
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + address()));
}

} // namespace corvane::shell
