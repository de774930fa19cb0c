#include "skin/button/SkinCustomButton.h"

#include "skin/button/SkinButtonGlyphs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <climits>
#include <cmath>

namespace corvane::skin {

namespace {

// The letter after a single '&' of a caption ("&&" is a literal ampersand);
// a null character when the caption has none.
QChar acceleratorOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return QChar();
}

bool insideClient(const QWidget& widget, const QPointF& position)
{
    const double x = std::floor(position.x()), y = std::floor(position.y());
    return x >= 0 && y >= 0 && x < widget.width() && y < widget.height();
}

constexpr Qt::KeyboardModifiers ShiftCtrlAlt = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                                               Qt::MetaModifier;

} // namespace

bool isButtonControl(const QWidget* widget)
{
    return qobject_cast<const TSkinCustomButton*>(widget) || qobject_cast<const QAbstractButton*>(widget);
}

TSkinCustomButton::TSkinCustomButton(QWidget* parent) : TSkinCustomControl(parent)
{
    resize(75, 25);
    setFocusPolicy(Qt::StrongFocus);
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        connect(app, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now && now->window() == window()) focusMovedTo(now);
        });
    }
    watchWindow();
}

TSkinCustomButton::~TSkinCustomButton()
{
    if (m_watchedWindow) m_watchedWindow->removeEventFilter(this);
}

// ---------------------------------------------------------------------------
// Properties

void TSkinCustomButton::setAction(QAction* action)
{
    if (m_action == action) return;
    if (m_action) disconnect(m_action, nullptr, this, nullptr);
    m_action = action;
    if (!action) return;
    // The action link: the button shows the action's caption and follows its
    // enabled and visible state.
    auto sync = [this] {
        if (!m_action) return;
        setCaption(m_action->text());
        setEnabled(m_action->isEnabled());
        setVisible(m_action->isVisible());
    };
    connect(action, &QAction::changed, this, sync);
    sync();
}

void TSkinCustomButton::setBlackAndWhiteGlyph(bool value)
{
    if (m_blackAndWhiteGlyph == value) return;
    m_blackAndWhiteGlyph = value;
    update();
}

void TSkinCustomButton::setCaption(const QString& caption)
{
    if (m_caption == caption) return;
    m_caption = caption;
    updateAcceleratorShortcut();
    update();
}

void TSkinCustomButton::setDefault(bool value)
{
    if (m_default == value) return;
    m_default = value;
    // The window decides afresh which button acts as its default one.
    QWidget* form = window();
    QWidget* focus = form->focusWidget();
    for (TSkinCustomButton* button : form->findChildren<TSkinCustomButton*>())
        if (button->window() == form) button->focusMovedTo(focus);  // not those of dialogs it owns
    if (auto* self = qobject_cast<TSkinCustomButton*>(form)) self->focusMovedTo(focus);
}

void TSkinCustomButton::setKind(TSkinButtonKind kind)
{
    if (m_kind == kind) return;
    const TSkinButtonKind previous = m_kind;
    m_kind = kind;
    if (kind == bkCustom) return;
    // A standard kind brings its glyph, modal result and default roles; the
    // caption only replaces an empty one or the previous kind's.
    const QImage glyph = stockGlyph(kind);
    m_glyph = glyph;
    m_numGlyphs = glyphCountFor(glyph.size(), m_numGlyphs);
    m_modalResult = stockModalResult(kind);
    if (m_caption.isEmpty() || m_caption == stockCaption(previous)) setCaption(stockCaption(kind));
    if (kind == bkOK || kind == bkYes || kind == bkAll) setDefault(true);
    if (kind == bkCancel || kind == bkNo) m_cancel = true;
    update();
}

void TSkinCustomButton::setNumGlyphs(int count)
{
    count = qBound(1, count, 4);
    if (m_numGlyphs == count) return;
    m_numGlyphs = count;
    update();
}

void TSkinCustomButton::setSpacing(int spacing)
{
    if (m_spacing == spacing) return;
    m_spacing = spacing;
    update();
}

void TSkinCustomButton::setState(TSkinButtonState state)
{
    if (m_state == state) return;
    m_state = state;
    update();
}

void TSkinCustomButton::setGlyph(const QImage& glyph)
{
    m_glyph = glyph;
    // A glyph image edited in place keeps its cache key: never trust it.
    forgetLooks();
    m_kind = bkCustom;
    m_numGlyphs = glyphCountFor(glyph.size(), m_numGlyphs);
    update();
}

void TSkinCustomButton::setLayout(TSkinButtonLayout layout)
{
    if (m_layout == layout) return;
    m_layout = layout;
    update();
}

void TSkinCustomButton::setTabStop(bool value)
{
    m_tabStop = value;
    // A button without a tab stop is still focused by a press.
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TSkinCustomButton::setWordWrap(bool value)
{
    if (m_wordWrap == value) return;
    m_wordWrap = value;
    update();
}

int TSkinCustomButton::skinState() const
{
    return buttonSkinState(isEnabled(), m_state, pointerInside(), focusedFlag() || m_activeDefault);
}

bool TSkinCustomButton::canFocus() const
{
    return isVisible() && isEnabled() && focusPolicy() != Qt::NoFocus;
}

// ---------------------------------------------------------------------------
// Clicking

void TSkinCustomButton::click()
{
    QPointer<TSkinCustomButton> guard(this);
    if (m_kind == bkClose) {
        window()->close();
        return;
    }
    QPointer<QDialog> dialog = qobject_cast<QDialog*>(window());
    const int result = m_modalResult;
    if (result != mrNone && dialog) dialog->setResult(result);
    emit clicked();
    if (!guard) return;
    if (m_action) m_action->trigger();
    // The handler may have taken the modal result back.
    if (result != mrNone && dialog && dialog->isVisible() && dialog->result() == result) dialog->done(result);
}

// ---------------------------------------------------------------------------
// Pointer

void TSkinCustomButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        TSkinCustomControl::mousePressEvent(event);
        return;
    }
    if (focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
    m_pressedByMouse = true;
    m_state = bsPressed;
    update();
    event->accept();
}

void TSkinCustomButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a press like any other.
    mousePressEvent(event);
}

void TSkinCustomButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressedByMouse) {
        TSkinCustomControl::mouseMoveEvent(event);
        return;
    }
    const bool inside = insideClient(*this, event->position());
    setPointerInside(inside);
    setState(inside ? bsPressed : bsNormal);
    event->accept();
}

void TSkinCustomButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressedByMouse) {
        TSkinCustomControl::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    m_pressedByMouse = false;
    m_state = bsNormal;
    // Repaint first: a click handler may raise, and the face must not stay
    // pressed when it does.
    update();
    if (insideClient(*this, event->position())) click();
}

// ---------------------------------------------------------------------------
// Keyboard

void TSkinCustomButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !(event->modifiers() & Qt::AltModifier)) {
        setState(bsPressed);
        event->accept();
        return;
    }
    // Enter, Esc and accelerator letters go on to the window, where every
    // button of the window sees them as dialog keys.
    event->ignore();
}

void TSkinCustomButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        event->accept();
        m_state = bsNormal;
        update();
        click();
        return;
    }
    event->ignore();
}

bool TSkinCustomButton::matchesAccelerator(const QString& text) const
{
    const QChar accelerator = acceleratorOf(m_caption);
    return !accelerator.isNull() && text.size() == 1 && text[0].toUpper() == accelerator.toUpper();
}

void TSkinCustomButton::activateByAccelerator()
{
    if (!isEnabled() || !isVisible()) return;
    if (canFocus()) setFocus(Qt::ShortcutFocusReason);
    click();
}

bool TSkinCustomButton::handleDialogKey(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ShiftCtrlAlt) == Qt::NoModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (plain && canFocus() && (hasFocus() || m_activeDefault)) {
            click();
            return true;
        }
        return false;
    case Qt::Key_Escape:
        if (plain && canFocus() && m_cancel) {
            click();
            return true;
        }
        return false;
    default:
        // A letter that no control took (Alt combinations come as shortcuts).
        if ((event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == Qt::NoModifier &&
            matchesAccelerator(event->text())) {
            activateByAccelerator();
            return true;
        }
        return false;
    }
}

void TSkinCustomButton::updateAcceleratorShortcut()
{
    if (m_shortcutId) releaseShortcut(m_shortcutId);
    m_shortcutId = 0;
    const QKeySequence sequence = QKeySequence::mnemonic(m_caption);
    if (!sequence.isEmpty()) m_shortcutId = grabShortcut(sequence);
}

// ---------------------------------------------------------------------------
// Focus, window and state changes

void TSkinCustomButton::watchWindow()
{
    QWidget* form = window();
    if (form == this) form = nullptr;
    if (m_watchedWindow == form) return;
    if (m_watchedWindow) m_watchedWindow->removeEventFilter(this);
    m_watchedWindow = form;
    if (form) form->installEventFilter(this);
}

bool TSkinCustomButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedWindow && event->type() == QEvent::KeyPress)
        return handleDialogKey(static_cast<QKeyEvent*>(event));
    return TSkinCustomControl::eventFilter(watched, event);
}

bool TSkinCustomButton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Shortcut:
        if (static_cast<QShortcutEvent*>(event)->shortcutId() == m_shortcutId) {
            activateByAccelerator();
            return true;
        }
        break;
    case QEvent::ParentChange:
    case QEvent::Show:
        watchWindow();
        break;
    default: break;
    }
    return TSkinCustomControl::event(event);
}

void TSkinCustomButton::focusMovedTo(QWidget* now)
{
    // A button taking the focus becomes the window's default for the time
    // being; any other control hands the role back to the Default button.
    setActiveDefault(isButtonControl(now) ? now == this : m_default);
}

void TSkinCustomButton::setActiveDefault(bool value)
{
    if (m_activeDefault == value) return;
    m_activeDefault = value;
    update();
}

void TSkinCustomButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::LayoutDirectionChange: forgetLooks(); break;
    default: break;
    }
    if (event->type() == QEvent::EnabledChange) {
        // A disabled button gets no release: forget a press in progress.
        if (!isEnabled() && m_pressedByMouse) {
            m_pressedByMouse = false;
            m_state = bsNormal;
        }
        update();
    } else if (event->type() == QEvent::FontChange || event->type() == QEvent::LayoutDirectionChange) {
        update();
    }
    TSkinCustomControl::changeEvent(event);
}

// ---------------------------------------------------------------------------
// Drawing

QSize TSkinCustomButton::glyphSize() const
{
    if (m_glyph.isNull() || m_numGlyphs <= 0) return QSize();
    return QSize(m_glyph.width() / m_numGlyphs, m_glyph.height());
}

QImage TSkinCustomButton::currentGlyphImage() const
{
    const QSize size = glyphSize();
    if (size.isEmpty()) return QImage();
    // Images in the bitmap: up, disabled, pressed, (down).
    int index = 0;
    bool greyOut = false;
    if (!isEnabled()) {
        if (m_numGlyphs >= 2)
            index = 1;
        else
            greyOut = true;
    } else if (m_state == bsPressed && m_numGlyphs >= 3) {
        index = 2;
    }
    QImage image = glyphWithTransparency(m_glyph.copy(index * size.width(), 0, size.width(), size.height()));
    if (greyOut) image = disabledGlyph(image);
    if (m_blackAndWhiteGlyph) image = blackAndWhiteGlyph(image);
    return image;
}

QSize TSkinCustomButton::captionLineSize(const QFont& font) const
{
    if (m_caption.isEmpty()) return QSize(0, 0);
    const QFontMetrics metrics(font);
    return QSize(metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, m_caption).width(), metrics.height());
}

TSkinButtonContent TSkinCustomButton::contentLayout(const QFont& font) const
{
    return layoutButtonContent(size(), captionLineSize(font), glyphSize(), m_layout, m_spacing, m_wordWrap,
                               m_state == bsPressed);
}

void TSkinCustomButton::drawCaption(QPainter& painter, const QRect& textArea, const QFont& font,
                                    const QColor& color) const
{
    if (m_caption.isEmpty()) return;
    int flags = Qt::TextShowMnemonic | Qt::AlignHCenter | Qt::AlignTop;
    QSize textSize;
    if (m_wordWrap) {
        const QFontMetrics metrics(font);
        flags |= Qt::TextWordWrap;
        textSize = metrics.boundingRect(QRect(0, 0, qMax(0, textArea.width()), INT_MAX / 4), flags, m_caption).size();
    } else {
        flags |= Qt::TextSingleLine;
        textSize = captionLineSize(font);
    }
    painter.save();
    painter.setLayoutDirection(layoutDirection());
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(centredIn(textArea, textSize), flags, m_caption);
    painter.restore();
}

void TSkinCustomButton::drawGlyph(QPainter& painter, const QRect& glyphRect) const
{
    const QImage image = currentGlyphImage();
    if (!image.isNull()) painter.drawImage(glyphRect.topLeft(), image);
}

bool TSkinCustomButton::describeLook(TSkinLookKey& key) const
{
    key << skinState() << m_state << isEnabled() << focusedFlag() << m_activeDefault << pointerInside()
        << layoutDirection() << m_glyph.cacheKey() << m_numGlyphs << m_layout << m_spacing << m_wordWrap
        << m_blackAndWhiteGlyph << palette().cacheKey();
    key.text = m_caption;
    key << font();
    return true;
}

void TSkinCustomButton::paintControl(QPainter& painter)
{
    paintPlain(painter);
}

void TSkinCustomButton::paintPlain(QPainter& painter)
{
    const QPalette& pal = palette();
    QRect r = rect();
    painter.save();
    painter.fillRect(r, pal.color(QPalette::Button));

    auto frame = [&](const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(box.left(), box.bottom(), box.left(), box.top());
        painter.drawLine(box.left(), box.top(), box.right(), box.top());
        painter.setPen(bottomRight);
        painter.drawLine(box.right(), box.top(), box.right(), box.bottom());
        painter.drawLine(box.right(), box.bottom(), box.left(), box.bottom());
    };

    // The classic push button: a black outline marks the default (or focused)
    // button; the pressed face is flat with a shadow line.
    if (isEnabled() && (m_activeDefault || focusedFlag())) {
        frame(r, pal.color(QPalette::Shadow), pal.color(QPalette::Shadow));
        r.adjust(1, 1, -1, -1);
    }
    if (m_state == bsPressed) {
        frame(r, pal.color(QPalette::Dark), pal.color(QPalette::Dark));
    } else {
        frame(r, pal.color(QPalette::Light), pal.color(QPalette::Shadow));
        frame(r.adjusted(1, 1, -1, -1), pal.color(QPalette::Midlight), pal.color(QPalette::Dark));
    }

    const TSkinButtonContent content = contentLayout(font());
    drawGlyph(painter, content.glyphRect);
    if (isEnabled()) {
        drawCaption(painter, content.textArea, font(), pal.color(QPalette::ButtonText));
    } else {
        drawCaption(painter, content.textArea.translated(1, 1), font(), pal.color(QPalette::Light));
        drawCaption(painter, content.textArea, font(), pal.color(QPalette::Dark));
    }

    if (focusedFlag()) {
        QPen dotted(pal.color(QPalette::ButtonText), 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(4, 4, -5, -5));
    }
    painter.restore();
}

} // namespace corvane::skin
