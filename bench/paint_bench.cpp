// One full repaint of the main window (frame, menu bar, board, pieces, chat
// panel, button) into an image, beside drawing one 632 x 470 picture into the
// same image. The repaint should cost at most 2.5 times the single picture.
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <ctime>
#include <map>

#include "bench_main.h"
#include "spread.h"
#include "integration/GameHarness.h"
#include "shell/BoardView.h"
#include "shell/NotificationSound.h"
#include "support/MessageBoxRecorder.h"

using namespace corvane;
using namespace corvane::shell::testing;

namespace {

struct ShownWindow {
    MessageBoxRecorder boxes;
    harness::ProgramWindows program;
    QImage target;
    ShownWindow()
    {
        program.mainWindow.show();
        harness::spin(200);
        target = QImage(program.mainWindow.size(), QImage::Format_ARGB32_Premultiplied);
    }
};

// Made on first use and never destroyed: the windows must not outlive the
// application object, which main() destroys first.
ShownWindow& window()
{
    static ShownWindow* shown = new ShownWindow;
    return *shown;
}

void BM_MainWindowFullRepaint(benchmark::State& state)
{
    ShownWindow& shown = window();
    for (auto _ : state) {
        shown.program.mainWindow.render(&shown.target);
        benchmark::DoNotOptimize(shown.target.constBits());
    }
    state.counters["width"] = shown.target.width();
    state.counters["height"] = shown.target.height();
}
BENCHMARK(BM_MainWindowFullRepaint)->Unit(benchmark::kMicrosecond)->Apply(corvane::bench::addSpread);

// A repaint of the frame after something it shows changed (a caption button
// turning hot, the active state): the skin is drawn again into the kept
// picture first. The frame band only, as a caption-button hover repaints it.
void BM_FrameRepaintAfterChange(benchmark::State& state)
{
    ShownWindow& shown = window();
    QWidget& form = shown.program.mainWindow;
    const QRegion band = QRegion(form.rect()) - QRegion(clientArea(shown.program.mainWindow)->geometry());
    for (auto _ : state) {
        // A style change makes the frame draw its kept picture afresh.
        QEvent styleChange(QEvent::StyleChange);
        QApplication::sendEvent(&form, &styleChange);
        form.render(&shown.target, QPoint(), band, QWidget::DrawWindowBackground);
        benchmark::DoNotOptimize(shown.target.constBits());
    }
}
BENCHMARK(BM_FrameRepaintAfterChange)->Unit(benchmark::kMicrosecond)->Apply(corvane::bench::addSpread);

void BM_DrawOnePicture632x470(benchmark::State& state)
{
    ShownWindow& shown = window();
    QImage picture(632, 470, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF));
    for (auto _ : state) {
        QPainter painter(&shown.target);
        painter.drawImage(0, 0, picture);
        painter.end();
        benchmark::DoNotOptimize(shown.target.constBits());
    }
}
BENCHMARK(BM_DrawOnePicture632x470)->Unit(benchmark::kMicrosecond)->Apply(corvane::bench::addSpread);

// Where the repaint's time goes: each part of the window drawn on its own.
// Argument 0 is the window itself without its children (its background and, with
// the skinned frame, the frame); the pieces are drawn one after the other.
void BM_RepaintPart(benchmark::State& state)
{
    ShownWindow& shown = window();
    shell::MainWindow& form = shown.program.mainWindow;
    std::vector<QWidget*> widgets;
    std::string label;
    switch (state.range(0)) {
    case 0:
        widgets = {&form};
        label = "window without children";
        break;
    case 1:
        widgets = {menuBar(form)};
        label = "menu bar";
        break;
    case 2:
        widgets = {boardView(form)};
        label = "board view: board picture and pieces";
        break;
    case 3:
        widgets = {chatInput(form), receivedText(form), receivedLabel(form)};
        label = "chat boxes and label";
        break;
    default:
        widgets = {sendButton(form)};
        label = "send button";
        break;
    }
    const QWidget::RenderFlags flags =
        state.range(0) == 0 ? QWidget::RenderFlags(QWidget::DrawWindowBackground)
                            : QWidget::RenderFlags(QWidget::DrawWindowBackground | QWidget::DrawChildren);
    for (auto _ : state) {
        for (QWidget* widget : widgets)
            widget->render(&shown.target, widget->mapTo(&form, QPoint(0, 0)), QRegion(), flags);
        benchmark::DoNotOptimize(shown.target.constBits());
    }
    state.SetLabel(label);
}
BENCHMARK(BM_RepaintPart)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond)->Apply(corvane::bench::addSpread);

// The full repaint again, with the time each widget's own paint event takes
// summed by part (the counters, in microseconds per repaint). What the parts
// do not account for is Qt's own work between them: choosing the widgets,
// clipping, opening painters. Timing every paint event costs a little, so the
// total here is slightly above BM_MainWindowFullRepaint.
class PaintTimer : public QObject {
public:
    // Processor time of this thread, like the benchmarks' CPU column.
    static qint64 threadCpuNanoseconds()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
    }

    explicit PaintTimer(shell::MainWindow& form) : m_form(form)
    {
        // What reading the clock twice costs, taken off every timed paint.
        constexpr int rounds = 2000;
        const qint64 start = threadCpuNanoseconds();
        for (int i = 0; i < rounds; ++i)
            benchmark::DoNotOptimize(threadCpuNanoseconds());
        m_clockCost = (threadCpuNanoseconds() - start) / rounds;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || m_inside)
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        const qint64 start = threadCpuNanoseconds();
        m_inside = true;
        QCoreApplication::sendEvent(widget, event); // the paint itself, unchanged
        m_inside = false;
        nanoseconds[partOf(widget)] += threadCpuNanoseconds() - start - m_clockCost;
        return true;
    }

    std::string partOf(const QWidget* widget) const
    {
        if (widget == &m_form)
            return "frame";
        if (widget == boardView(m_form))
            return "board";
        for (const QWidget* w = widget; w; w = w->parentWidget()) {
            if (w == chatInput(m_form) || w == receivedText(m_form)) {
                if (qobject_cast<const QScrollBar*>(widget))
                    return "memo_scrollbars";
                return widget == w ? "memo_frames" : "memo_texts";
            }
            if (w == receivedLabel(m_form))
                return "label";
            if (w == menuBar(m_form))
                return "menu_bar";
            if (w == sendButton(m_form))
                return "button";
        }
        return "other_widgets";
    }

    std::map<std::string, qint64> nanoseconds;

private:
    shell::MainWindow& m_form;
    bool m_inside = false;
    qint64 m_clockCost = 0;
};

void BM_FullRepaintByPart(benchmark::State& state)
{
    ShownWindow& shown = window();
    shell::MainWindow& form = shown.program.mainWindow;
    PaintTimer timer(form);
    QList<QWidget*> widgets = form.findChildren<QWidget*>();
    widgets.append(&form);
    for (QWidget* widget : widgets)
        widget->installEventFilter(&timer);
    for (auto _ : state) {
        form.render(&shown.target);
        benchmark::DoNotOptimize(shown.target.constBits());
    }
    for (QWidget* widget : widgets)
        widget->removeEventFilter(&timer);
    for (const auto& [part, nanoseconds] : timer.nanoseconds)
        state.counters[part] = double(nanoseconds) / 1000.0 / double(state.iterations());
}
BENCHMARK(BM_FullRepaintByPart)->Unit(benchmark::kMicrosecond)->Apply(corvane::bench::addSpread);

} // namespace

CORVANE_BENCHMARK_MAIN();
