// One full repaint of the main window (frame, menu bar, board, pieces, chat
// panel, button) into an image, beside drawing one 632 x 470 picture into the
// same image. The repaint should cost at most 4 times the single picture.
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>

#include "bench_main.h"
#include "integration/GameHarness.h"
#include "shell/NotificationSound.h"
#include "ui/MessageBox.h"

using namespace corvane;

namespace {

struct ShownWindow {
    MessageBoxRecorder boxes;
    harness::ProgramWindows program;
    QImage target;
    ShownWindow()
    {
        program.form1.notificationSound()->setMuted(true);
        program.form1.show();
        harness::spin(200);
        target = QImage(program.form1.size(), QImage::Format_ARGB32_Premultiplied);
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
        shown.program.form1.render(&shown.target);
        benchmark::DoNotOptimize(shown.target.constBits());
    }
    state.counters["width"] = shown.target.width();
    state.counters["height"] = shown.target.height();
}
BENCHMARK(BM_MainWindowFullRepaint)->Unit(benchmark::kMicrosecond);

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
BENCHMARK(BM_DrawOnePicture632x470)->Unit(benchmark::kMicrosecond);

// Where the repaint's time goes: each part of the window drawn on its own.
// Part 0 is the window itself without its children (its background and, with
// the skinned frame, the frame); the pieces are drawn one after the other.
void BM_RepaintPart(benchmark::State& state)
{
    ShownWindow& shown = window();
    shell::TForm1& form = shown.program.form1;
    std::vector<QWidget*> widgets;
    std::string label;
    switch (state.range(0)) {
    case 0: widgets = {&form}; label = "window without children"; break;
    case 1: widgets = {form.menuBar()}; label = "menu bar"; break;
    case 2: widgets = {form.image(1)}; label = "board picture"; break;
    case 3:
        for (int n = game::FirstPieceNumber; n <= game::LastPieceNumber; ++n)
            widgets.push_back(form.image(n));
        label = "32 pieces";
        break;
    case 4: widgets = {form.memo1(), form.memo2(), form.label1()}; label = "chat boxes and label"; break;
    default: widgets = {form.sendButton()}; label = "send button"; break;
    }
    const QWidget::RenderFlags flags = state.range(0) == 0 ? QWidget::RenderFlags(QWidget::DrawWindowBackground)
                                                           : QWidget::RenderFlags(QWidget::DrawWindowBackground |
                                                                                  QWidget::DrawChildren);
    for (auto _ : state) {
        for (QWidget* widget : widgets)
            widget->render(&shown.target, widget->mapTo(&form, QPoint(0, 0)), QRegion(), flags);
        benchmark::DoNotOptimize(shown.target.constBits());
    }
    state.SetLabel(label);
}
BENCHMARK(BM_RepaintPart)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

} // namespace

CORVANE_BENCHMARK_MAIN();
