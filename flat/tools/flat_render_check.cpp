// Renders the flat controls in each of their states to PNG files so that the
// drawing can be checked by eye: every state on its own, plus one contact
// sheet enlarged three times. Runs without a display:
//   QT_QPA_PLATFORM=offscreen flat_render_check [folder]   (default /tmp/flat)
// With --show it instead opens a frameless window titled "flat-check" with a
// title bar, three edits and a button, for trying hover, focus and dragging
// on a real display (or under Xvfb with xdotool); it prints the window's
// position after every move.
#include "flat/FlatColors.h"
#include "flat/FlatButton.h"
#include "flat/FlatEdit.h"
#include "flat/FlatTitlebar.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <cstdio>
#include <vector>

namespace corvane::flat { }
namespace flat = corvane::flat;
using namespace corvane::flat;

namespace {

struct Shot {
    QString name;
    QPixmap pixmap;
};

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// A 4-image glyph strip: a coloured square with a black cross on a magenta
// key colour, one tint per state.
QImage makeGlyph(int count)
{
    const QColor tints[] = {QColor(40, 120, 220), QColor(160, 160, 160), QColor(220, 60, 40), QColor(40, 170, 60)};
    QImage strip(16 * count, 16, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    QPainter painter(&strip);
    for (int i = 0; i < count; ++i) {
        painter.fillRect(16 * i + 3, 3, 10, 10, tints[i % 4]);
        painter.fillRect(16 * i + 7, 1, 2, 14, Qt::black);
        painter.fillRect(16 * i + 1, 7, 14, 2, Qt::black);
    }
    return strip;
}

QPixmap contactSheet(const std::vector<Shot>& shots, const QFont& font)
{
    const int scale = 3;
    const int columns = 4;
    int cellW = 0;
    int cellH = 0;
    for (const Shot& shot : shots) {
        cellW = std::max(cellW, shot.pixmap.width() * scale);
        cellH = std::max(cellH, shot.pixmap.height() * scale);
    }
    cellW += 16;
    cellH += 28;
    const int rows = int((shots.size() + columns - 1) / columns);
    QPixmap sheet(cellW * columns, cellH * rows);
    sheet.fill(QColor(96, 96, 96));
    QPainter painter(&sheet);
    painter.setFont(font);
    for (size_t i = 0; i < shots.size(); ++i) {
        const int x = int(i % columns) * cellW + 8;
        const int y = int(i / columns) * cellH + 4;
        painter.setPen(Qt::white);
        painter.drawText(x, y + 14, shots[i].name);
        const QPixmap& pm = shots[i].pixmap;
        painter.drawPixmap(QRect(x, y + 20, pm.width() * scale, pm.height() * scale), pm);
    }
    return sheet;
}

class MoveReporter : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Move) {
            const QPoint pos = static_cast<QWidget*>(watched)->pos();
            std::printf("moved %d %d\n", pos.x(), pos.y());
            std::fflush(stdout);
        }
        return false;
    }
};

int showWindow(QApplication& app, const QFont& font)
{
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("flat-check"));
    window.setFont(font);
    window.resize(315, 203);
    auto* bar = new FlatTitlebar(&window);
    bar->setAlign(FlatTitlebar::Align::Top);
    bar->resize(bar->width(), 25);
    bar->setCaption(QStringLiteral("设置对方计算机名或IP地址"));
    bar->setTitlebarColor(Qt::blue);
    for (int i = 0; i < 3; ++i) {
        auto* edit = new FlatEdit(&window);
        edit->setGeometry(136, 48 + 40 * i, 145, 18);
        edit->setColorBorder(Qt::blue);
    }
    auto* button = new FlatButton(&window);
    button->setGeometry(208, 160, 73, 25);
    button->setCaption(QStringLiteral("连 接"));
    button->setColorBorder(Qt::blue);
    QObject::connect(button, &FlatButton::clicked, [] {
        std::printf("clicked\n");
        std::fflush(stdout);
    });
    MoveReporter reporter;
    window.installEventFilter(&reporter);
    window.move(100, 100);
    window.show();
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    const bool show = argc > 1 && QByteArray(argv[1]) == "--show";
    if (!show && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (show) {
        QFont font(QStringLiteral("Noto Sans CJK SC"));
        font.setPixelSize(12);
        return showWindow(app, font);
    }
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/flat");
    QDir().mkpath(folder);

    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(12);

    QWidget form;
    form.setFont(font);
    form.setAutoFillBackground(true);
    form.resize(420, 320);
    form.show();
    form.activateWindow();
    settle();

    std::vector<Shot> shots;
    auto shoot = [&](const QString& name, QWidget* widget) {
        settle();
        shots.push_back({name, widget->grab()});
        shots.back().pixmap.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    };

    // Buttons in their states, with the dialog's blue border.
    auto* button = new FlatButton(&form);
    button->setGeometry(10, 10, 73, 25);
    button->setCaption(QStringLiteral("连 接"));
    button->setColorBorder(Qt::blue);
    button->show();
    shoot(QStringLiteral("button-up"), button);
    button->setFocus();
    shoot(QStringLiteral("button-hover-focus"), button);
    sendMouse(button, QEvent::MouseButtonPress, QPoint(10, 10), Qt::LeftButton);
    shoot(QStringLiteral("button-pressed"), button);
    sendMouse(button, QEvent::MouseButtonRelease, QPoint(10, 10), Qt::LeftButton);
    form.setFocus();
    button->setDefault(true);
    shoot(QStringLiteral("button-default"), button);
    button->setDefault(false);
    button->setEnabled(false);
    shoot(QStringLiteral("button-disabled"), button);

    // Grouped and latched.
    auto* latched = new FlatButton(&form);
    latched->setGeometry(100, 10, 73, 25);
    latched->setCaption(QStringLiteral("&Latch"));
    latched->setGroupIndex(1);
    latched->setDown(true);
    latched->show();
    shoot(QStringLiteral("button-latched"), latched);

    // Glyph layouts.
    const flat::ButtonLayout layouts[] = {flat::ButtonLayout::GlyphLeft, flat::ButtonLayout::GlyphRight, flat::ButtonLayout::GlyphTop, flat::ButtonLayout::GlyphBottom};
    const char* layoutNames[] = {"left", "right", "top", "bottom"};
    for (int i = 0; i < 4; ++i) {
        auto* glyphButton = new FlatButton(&form);
        glyphButton->setGeometry(10 + 90 * i, 60, 80, 50);
        glyphButton->setCaption(QStringLiteral("Glyph"));
        glyphButton->setGlyph(makeGlyph(4));
        glyphButton->setButtonLayout(layouts[i]);
        glyphButton->show();
        shoot(QStringLiteral("glyph-%1").arg(QLatin1String(layoutNames[i])), glyphButton);
    }
    auto* embossed = new FlatButton(&form);
    embossed->setGeometry(10, 120, 80, 50);
    embossed->setCaption(QStringLiteral("Off"));
    embossed->setGlyph(makeGlyph(1));
    embossed->setButtonLayout(flat::ButtonLayout::GlyphLeft);
    embossed->setEnabled(false);
    embossed->show();
    shoot(QStringLiteral("glyph-disabled-embossed"), embossed);

    // Transparent modes over a striped parent.
    auto* striped = new QWidget(&form);
    striped->setGeometry(110, 120, 200, 40);
    striped->setAutoFillBackground(true);
    QPalette stripes = striped->palette();
    QImage pattern(8, 8, QImage::Format_RGB32);
    pattern.fill(QColor(250, 230, 180));
    for (int y = 0; y < 8; ++y)
        pattern.setPixel(y, y, qRgb(200, 120, 40));
    stripes.setBrush(QPalette::Window, QBrush(pattern));
    striped->setPalette(stripes);
    striped->show();
    auto* always = new FlatButton(striped);
    always->setGeometry(5, 5, 80, 25);
    always->setCaption(QStringLiteral("tmAlways"));
    always->setTransparentMode(flat::TransparentMode::Always);
    always->show();
    shoot(QStringLiteral("button-tmAlways"), striped);

    // Edits: idle, focused, hovered while a button has the focus.
    auto* edit1 = new FlatEdit(&form);
    edit1->setGeometry(10, 190, 145, 18);
    edit1->setColorBorder(Qt::blue);
    edit1->setText(QStringLiteral("127.0.0.1"));
    edit1->show();
    auto* edit2 = new FlatEdit(&form);
    edit2->setGeometry(10, 230, 145, 18);
    edit2->setColorBorder(Qt::blue);
    edit2->setText(QStringLiteral("1234"));
    edit2->show();
    form.setFocus();
    shoot(QStringLiteral("edit-idle"), edit1);
    edit1->setFocus();
    shoot(QStringLiteral("edit-focused"), edit1);
    shoot(QStringLiteral("edit-other-idle"), edit2);

    // Title bar, active and inactive.
    QWidget dialog;
    dialog.setFont(font);
    dialog.resize(315, 60);
    auto* bar = new FlatTitlebar(&dialog);
    bar->setAlign(FlatTitlebar::Align::Top);
    bar->resize(bar->width(), 25);
    bar->setCaption(QStringLiteral("设置对方计算机名或IP地址"));
    bar->setTitlebarColor(Qt::blue);
    dialog.show();
    dialog.activateWindow();
    settle();
    shoot(bar->isActive() ? QStringLiteral("titlebar-active") : QStringLiteral("titlebar-not-yet-active"), bar);
    form.activateWindow();
    settle();
    shoot(bar->isActive() ? QStringLiteral("titlebar-still-active") : QStringLiteral("titlebar-inactive"), bar);

    const QString sheetPath = folder + QStringLiteral("/sheet.png");
    contactSheet(shots, font).save(sheetPath);
    std::printf("%zu states rendered; contact sheet %s\n", shots.size(), qPrintable(sheetPath));
    return 0;
}
