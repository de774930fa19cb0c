#pragma once
// While a recorder exists, the program's message boxes are appended to
// boxes() instead of being shown, and onShow (if set) runs in place of the
// modal wait, so a test can do there what would happen while the box is open.
// Recorders nest; the innermost one records.

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

#include "ui/MessageBox.h"

namespace corvane {

struct RecordedBox {
    BoxIcon icon = BoxIcon::Information;
    QString caption;
    QString text;
    QPointer<QWidget> owner;
};

class MessageBoxRecorder : public BoxPresenter {
public:
    MessageBoxRecorder() : m_outer(setBoxPresenter(this)) { }
    ~MessageBoxRecorder() override { setBoxPresenter(m_outer); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const QList<RecordedBox>& boxes() const { return m_boxes; }
    void clear() { m_boxes.clear(); }

    std::function<void(const RecordedBox&)> onShow;

    void present(BoxIcon icon, QWidget* owner, const QString& text, const QString& caption) override
    {
        const RecordedBox box{icon, caption, text, owner};
        m_boxes.append(box);
        // A copy, because what runs in place of the wait may change the recorder.
        const auto whileOpen = onShow;
        if (whileOpen)
            whileOpen(box);
    }

private:
    QList<RecordedBox> m_boxes;
    BoxPresenter* m_outer = nullptr;
};

} // namespace corvane
