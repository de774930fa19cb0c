#include "ui/MessageBox.h"

#include <QApplication>
#include <QList>
#include <QMessageBox>

#include <utility>

namespace corvane {

namespace {

BoxPresenter* installedPresenter = nullptr;

// The caption of the default error box: the application title.
const QString ApplicationTitle = QStringLiteral("Corvane");

// The boxes open at the moment, as icon, caption and text.
struct OpenBox {
    BoxIcon icon;
    QString caption;
    QString text;
    bool operator==(const OpenBox&) const = default;
};
QList<OpenBox>& openBoxes()
{
    static QList<OpenBox> boxes;
    return boxes;
}

void showBox(BoxIcon icon, QWidget* owner, const QString& text, const QString& caption)
{
    // A box that would only repeat one already open is not stacked on it:
    // an event that repeats while a box waits (a datagram whose handler
    // fails the same way each time, a timer) would otherwise nest boxes
    // without end.
    const OpenBox opening{icon, caption, text};
    if (openBoxes().contains(opening))
        return;
    openBoxes().append(opening);
    struct Closing {
        ~Closing() { openBoxes().removeLast(); }
    } closing;

    if (installedPresenter) {
        installedPresenter->present(icon, owner, text, caption);
        return;
    }
    QMessageBox box(icon == BoxIcon::Error ? QMessageBox::Critical : QMessageBox::Information, caption, text,
                    QMessageBox::Ok, owner);
    // Texts come from the peer and from error messages: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

BoxPresenter* setBoxPresenter(BoxPresenter* presenter)
{
    return std::exchange(installedPresenter, presenter);
}

void showMessageBox(QWidget* owner, const QString& text, const QString& caption)
{
    showBox(BoxIcon::Information, owner, text, caption);
}

void showErrorBox(const QString& text)
{
    showBox(BoxIcon::Error, QApplication::activeWindow(), errorBoxText(text), ApplicationTitle);
}

QString errorBoxText(const QString& text)
{
    if (text.isEmpty())
        return text;
    // The last character as a code point: a character outside the Basic
    // Multilingual Plane ends in a surrogate pair and counts as one.
    char32_t last = text.back().unicode();
    const qsizetype size = text.size();
    if (size >= 2 && text.at(size - 1).isLowSurrogate() && text.at(size - 2).isHighSurrogate())
        last = QChar::surrogateToUcs4(text.at(size - 2), text.at(size - 1));
    return last > U'.' ? text + QLatin1Char('.') : text;
}

} // namespace corvane
