#include "Preview.h"

#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>

#include <stdexcept>

namespace ivory {

using namespace corvane::skin;

LoadedBitmaps::LoadedBitmaps(const BitmapList& bitmaps)
{
    for (const NamedBitmap& named : bitmaps) {
        auto bitmap = std::make_unique<SkinBitmap>();
        bitmap->name = named.name;
        // Opaque pixels, as the loader stores them.
        bitmap->image() = named.image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_ARGB32);
        bitmap->snapToKey(0xFF, 0x00, 0xFF, 5);
        m_list.append(bitmap.get());
        m_bitmaps.push_back(std::move(bitmap));
    }
}

void drawObject(QImage& target, SkinObject& object, const LoadedBitmaps& bitmaps, bool active, SkinState state)
{
    object.setBitmaps(bitmaps.list());
    object.linkBitmaps();
    object.setActive(active);
    object.setState(state);
    QPainter painter(&target);
    object.draw(painter);
}

namespace {

SkinObject& topLevel(const ObjectList& objects, const QString& name)
{
    for (const ObjectTree& object : objects)
        if (object->name == name)
            return *object;
    throw std::runtime_error("no object " + name.toStdString());
}

SkinObject& part(SkinObject& tree, const QString& name)
{
    if (SkinObject* found = tree.findObject(name))
        return *found;
    throw std::runtime_error("no object " + name.toStdString());
}

// A copy of an object to draw on its own at `rect`.
ObjectTree placed(const SkinObject& object, const QRect& rect)
{
    ObjectTree copy = object.copyTree();
    copy->setBounds(rect);
    return copy;
}

// Stand-in for the program icon, which the system button shows: a small
// xiangqi piece.
QIcon windowIconStandIn()
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(120, 40, 30), 1));
    painter.setBrush(QColor(240, 214, 160));
    painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    painter.setPen(QColor(170, 40, 30));
    QFont font;
    font.setPixelSize(11);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("帥"));
    painter.end();
    return QIcon(QPixmap::fromImage(image));
}

QImage enlarged(const QImage& image, int factor)
{
    return image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Shows or hides the caption buttons as the frame does for a window state,
// for a window without a maximize icon.
void applyWindowState(SkinObject& form, SkinState state)
{
    const SkinBorderIcons icons = borderIconBit(SkinBorderIcon::Close) | borderIconBit(SkinBorderIcon::SystemMenu) |
                                  borderIconBit(SkinBorderIcon::Minimize) | borderIconBit(SkinBorderIcon::RollUp);
    for (const auto& child : form.children())
        if (auto* button = dynamic_cast<SkinSystemButton*>(child.get()))
            button->visible = !SkinSystemButton::hiddenInWindowState(button->action, state) &&
                              !SkinSystemButton::hiddenByBorderIcons(button->action, icons);
}

// The send button's face from the skin's "Button" object in `state`, and its
// caption in the font of the object's "Text" part.
void drawSendButton(QImage& target, SkinObject& buttonSkin, const LoadedBitmaps& bitmaps, const QRect& rect,
                    SkinState state)
{
    drawObject(target, *placed(*buttonSkin.child(0), rect), bitmaps, false, state);
    const SkinFont& font = buttonSkin.child(1)->font;
    QPainter painter(&target);
    painter.setFont(font.toQFont());
    painter.setPen(toQColor(font.color));
    const int shift = state == SkinState::Pressed ? 1 : 0;
    painter.drawText(rect.translated(shift, shift), Qt::AlignCenter, QStringLiteral("发  送"));
}

// The menu bar across the client's top with its one item; returns the item's
// rectangle.
QRect drawMenuBar(QImage& window, const ObjectList& objects, const LoadedBitmaps& bitmaps, const QPoint& origin,
                  bool open)
{
    SkinObject& barSkin = topLevel(objects, "MenuBar");
    const SkinObject& frameSkin = *barSkin.child(0);
    drawObject(window, *placed(frameSkin, QRect(origin, QSize(632, frameSkin.height()))), bitmaps, false,
               SkinState::Normal);
    ObjectTree item = part(barSkin, "Item").copyTree();
    item->text = QStringLiteral("游 戏");
    const int itemWidth =
        QFontMetrics(item->font.toQFont()).horizontalAdvance(item->text) + item->textMarginLeft + item->textMarginRight;
    item->setBounds(origin.x() + frameSkin.marginLeft, origin.y(), itemWidth, item->height());
    drawObject(window, *item, bitmaps, false, open ? SkinState::Focused : SkinState::Normal);
    return item->boundsRect();
}

// The game menu open below the menu bar item, its first row hot.
void drawPopupMenu(QImage& window, const ObjectList& objects, const LoadedBitmaps& bitmaps, const QPoint& at)
{
    SkinObject& popupSkin = topLevel(objects, "PopupMenu");
    const QStringList captions = {"重新开始", "设置...", "关于...", "帮助", "-", "退出"};
    const SkinObject& itemSkin = *popupSkin.child(1);
    const QFontMetrics metrics(itemSkin.font.toQFont());
    int widest = 0;
    for (const QString& caption : captions)
        widest = std::max(widest, metrics.horizontalAdvance(caption));
    const int itemWidth = widest + 22 + 42;
    const QRect frame(at, QSize(itemWidth + 6, int(captions.size()) * 20 + 6));
    drawObject(window, *placed(*popupSkin.child(0), frame), bitmaps, false, SkinState::Normal);
    for (int i = 0; i < captions.size(); ++i) {
        ObjectTree row = placed(itemSkin, QRect(at + QPoint(3, 3 + i * 20), QSize(itemWidth, 20)));
        row->text = captions[i];
        row->textMarginLeft = std::max(row->textMarginLeft, 22);
        drawObject(window, *row, bitmaps, false, i == 0 ? SkinState::Focused : SkinState::Normal);
    }
}

constexpr int kClientWidth = 632, kClientHeight = 450;
const QColor kDesktop(92, 108, 124);

struct MockOptions {
    bool active = true;
    bool rolledUp = false;
    bool menuOpen = true;
    QString hotButton;   // caption button drawn hot
    SkinState buttonState = SkinState::Normal; // state of the send button
    QImage board;        // the board picture, or null for a grey stand-in
};

// The client area: the board picture (0,16; 632 x 434) or a stand-in, the
// chat boxes, the menu bar and the send button over the client background.
void drawClient(QImage& window, const ObjectList& objects, const LoadedBitmaps& bitmaps, SkinObject& form,
                const MockOptions& options)
{
    const QPoint origin(24, 24);
    {
        QPainter painter(&window);
        if (options.board.isNull())
            painter.fillRect(QRect(origin + QPoint(0, 16), QSize(kClientWidth, 434)), QColor(196, 196, 196));
        else
            painter.drawImage(origin + QPoint(0, 16), options.board);
        painter.fillRect(QRect(origin + QPoint(424, 40), QSize(193, 73)), Qt::white);
        painter.fillRect(QRect(origin + QPoint(432, 360), QSize(177, 81)), QColor(227, 227, 227));
    }
    const QRect item = drawMenuBar(window, objects, bitmaps, origin, options.menuOpen);

    // The send button is transparent: the client background shows around it.
    const QRect buttonRect(origin + QPoint(528, 128), QSize(81, 25));
    QImage under(window.size(), QImage::Format_ARGB32);
    drawObject(under, *placed(part(form, "Client"), QRect(origin, QSize(kClientWidth, kClientHeight))), bitmaps, true,
               SkinState::Normal);
    QPainter(&window).drawImage(buttonRect, under, buttonRect);
    drawSendButton(window, topLevel(objects, "Button"), bitmaps, buttonRect, options.buttonState);

    if (options.menuOpen)
        drawPopupMenu(window, objects, bitmaps, item.bottomLeft() + QPoint(0, 1));
}

QImage mockWindow(const ObjectList& objects, const LoadedBitmaps& bitmaps, const MockOptions& options)
{
    const int side = 24, caption = 24, bottomH = 16;
    const int width = kClientWidth + 2 * side;
    const int height = options.rolledUp ? caption + bottomH : kClientHeight + caption + bottomH;
    QImage image(width + 40, kClientHeight + caption + bottomH + 40, QImage::Format_ARGB32);
    image.fill(kDesktop);
    QImage window(width, height, QImage::Format_ARGB32);
    window.fill(kDesktop);

    const SkinState state = options.rolledUp ? SkinState::RolledUp : SkinState::Normal;
    ObjectTree form = topLevel(objects, "Form").copyTree();
    applyWindowState(*form, state);
    if (options.rolledUp)
        part(*form, "Client").visible = false;
    if (!options.hotButton.isEmpty())
        part(*form, options.hotButton).mouseEnter();
    form->setBounds(0, 0, width, height);
    part(*form, "CaptionCenter").text = QStringLiteral("CorvaneV1.0");
    drawObject(window, *form, bitmaps, options.active, state);
    if (!options.rolledUp)
        drawClient(window, objects, bitmaps, *form, options);
    QPainter(&image).drawImage(20, 20, window);
    return image;
}

bool save(const QImage& image, const QString& path, QString* error)
{
    if (image.save(path, "PNG"))
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1").arg(path);
    return false;
}

bool writeEnlargedBitmaps(const QDir& dir, const BitmapList& bitmaps, QString* error)
{
    for (size_t i = 0; i < bitmaps.size(); ++i) {
        const QString name = QStringLiteral("bitmap-%1-%2.png").arg(i, 2, 10, QLatin1Char('0')).arg(bitmaps[i].name);
        const int factor = bitmaps[i].image.width() > 200 ? 3 : 6;
        if (!save(enlarged(bitmaps[i].image, factor), dir.filePath(name), error))
            return false;
    }
    return true;
}

bool writeMockUps(const QDir& dir, const ObjectList& objects, const LoadedBitmaps& bitmaps, const QImage& board,
                  QString* error)
{
    MockOptions active;
    active.board = board;
    MockOptions inactive;
    inactive.active = false;
    inactive.menuOpen = false;
    inactive.board = board;
    MockOptions rolled;
    rolled.rolledUp = true;
    rolled.menuOpen = false;
    const QImage activeMock = mockWindow(objects, bitmaps, active);
    if (!save(activeMock, dir.filePath("mock-active.png"), error) ||
        !save(mockWindow(objects, bitmaps, inactive), dir.filePath("mock-inactive.png"), error) ||
        !save(mockWindow(objects, bitmaps, rolled), dir.filePath("mock-rolledup.png"), error))
        return false;
    // Close-ups: the caption's corners and buttons, the menu and the button.
    if (!save(enlarged(activeMock.copy(20, 20, 200, 110), 4), dir.filePath("zoom-caption-left.png"), error) ||
        !save(enlarged(activeMock.copy(20 + 680 - 200, 20, 200, 60), 4), dir.filePath("zoom-caption-right.png"),
              error) ||
        !save(enlarged(activeMock.copy(20 + 520, 20 + 24 + 110, 160, 80), 4), dir.filePath("zoom-button.png"), error) ||
        !save(enlarged(activeMock.copy(20, 20 + 490 - 40, 140, 60), 4), dir.filePath("zoom-bottom-left.png"), error))
        return false;
    for (const QString& hot :
         {QStringLiteral("CopyOfMinButton"), QStringLiteral("CopyOfCloseButton"), QStringLiteral("RollButton")}) {
        MockOptions options;
        options.menuOpen = false;
        options.hotButton = hot;
        options.board = board;
        const QImage mock = mockWindow(objects, bitmaps, options);
        const int x = hot == "RollButton" ? 20 : 20 + 680 - 100;
        if (!save(enlarged(mock.copy(x, 20, 100, 30), 6), dir.filePath("zoom-hot-" + hot + ".png"), error))
            return false;
    }
    return true;
}

// The send button in its five states over the client background.
bool writeButtonStates(const QDir& dir, const ObjectList& objects, const LoadedBitmaps& bitmaps, QString* error)
{
    QImage states(5 * 95 + 10, 45, QImage::Format_ARGB32);
    drawObject(states, *placed(part(topLevel(objects, "Form"), "Client"), states.rect()), bitmaps, true,
               SkinState::Normal);
    const SkinState order[] = {SkinState::Normal, SkinState::Hot, SkinState::Pressed, SkinState::Focused,
                               SkinState::Disabled};
    for (int i = 0; i < 5; ++i)
        drawSendButton(states, topLevel(objects, "Button"), bitmaps, QRect(10 + i * 95, 10, 81, 25), order[i]);
    return save(enlarged(states, 3), dir.filePath("button-states.png"), error);
}

} // namespace

bool writePreviews(const QString& folder, const BitmapList& bitmaps, const ObjectList& objects, const QImage& board,
                   QString* error)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    if (QGuiApplication::windowIcon().isNull())
        QGuiApplication::setWindowIcon(windowIconStandIn());
    const LoadedBitmaps loaded(bitmaps);
    return writeEnlargedBitmaps(dir, bitmaps, error) && writeMockUps(dir, objects, loaded, board, error) &&
           writeButtonStates(dir, objects, loaded, error);
}

} // namespace ivory
