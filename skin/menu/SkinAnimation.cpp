#include "skin/menu/SkinAnimation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace corvane::skin {

SkinAnimation clampedAnimation(const SkinAnimation& animation)
{
    SkinAnimation clamped = animation;
    clamped.time = std::clamp(animation.time, 50, 9000);
    clamped.resolution = std::clamp(animation.resolution, 1, 10);
    clamped.tileCount = std::clamp(animation.tileCount, 1, 20);
    return clamped;
}

QSize animationMaskSize(QSize picture, int resolution, int tileCount)
{
    return QSize(picture.width() / resolution / tileCount + 1, picture.height() / resolution / tileCount + 1);
}

int roundHalfAway(double value)
{
    return int(std::lround(value));
}

int animationProgress(qint64 elapsedMs, int timeMs)
{
    if (timeMs <= 0)
        return 100;
    return std::min(100, roundHalfAway(double(elapsedMs) / double(timeMs) * 100.0));
}

namespace {

// Hard-edged effects reveal a cell once the progress passes the cell's own
// threshold t (0..1); the smooth ones ramp each cell up over a band.
constexpr double SmoothBand = 0.25;

void fillByThreshold(SkinAnimationMask& mask, int progress, bool smooth,
                     const std::function<double(double, double)>& threshold)
{
    const double p = progress / 100.0;
    for (int y = 0; y < mask.height; ++y) {
        // Cell centres in 0..1 across the mask.
        const double fy = mask.height > 1 ? double(y) / (mask.height - 1) : 0.5;
        for (int x = 0; x < mask.width; ++x) {
            const double fx = mask.width > 1 ? double(x) / (mask.width - 1) : 0.5;
            const double t = std::clamp(threshold(fx, fy), 0.0, 1.0);
            double value;
            if (smooth)
                value = std::clamp((p * (1.0 + SmoothBand) - t) / SmoothBand, 0.0, 1.0);
            else
                value = (progress >= 100 || t < p) ? 1.0 : 0.0;
            mask.at(x, y) = std::uint8_t(roundHalfAway(value * 255.0));
        }
    }
}

double rectDistance(double fx, double fy)
{
    return std::max(std::abs(fx - 0.5), std::abs(fy - 0.5)) * 2.0;
}
double diamondDistance(double fx, double fy)
{
    return std::abs(fx - 0.5) + std::abs(fy - 0.5);
}

void fillPixel(SkinAnimationMask& mask, int p, std::mt19937& random)
{
    if (p <= 0)
        return;
    const int W = mask.width;
    const int H = mask.height;
    const int total = W * H;
    const int picked = std::min(total, roundHalfAway(double(W) * H * p / 100.0));
    // Distinct cells: the first `picked` entries of a partial shuffle.
    std::vector<int> cells(static_cast<size_t>(total));
    std::iota(cells.begin(), cells.end(), 0);
    for (int i = 0; i < picked; ++i) {
        std::uniform_int_distribution<int> pick(i, total - 1);
        std::swap(cells[size_t(i)], cells[size_t(pick(random))]);
    }
    const int columns = std::min(W, roundHalfAway(p / 100.0 * (2 * W - 1)) + 1);
    for (int n = 0; n < picked; ++n) {
        const int x = cells[size_t(n)] % W;
        const int y = cells[size_t(n)] / W;
        if (x >= columns)
            continue;
        const int strength = std::max(0, roundHalfAway(2.0 * p - x * (W * 0.1 / p)));
        mask.at(x, y) = std::uint8_t(std::min(255, roundHalfAway(strength / 100.0 * 255.0)));
    }
}

void fillPixelLine(SkinAnimationMask& mask, int p, std::mt19937& random)
{
    // Whole rows appear in random order.
    const int rows = std::min(mask.height, roundHalfAway(double(mask.height) * p / 100.0));
    std::vector<int> order(static_cast<size_t>(mask.height));
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), random);
    for (int n = 0; n < rows; ++n)
        for (int x = 0; x < mask.width; ++x)
            mask.at(x, order[size_t(n)]) = 255;
}

} // namespace

void fillAnimationMask(SkinAnimationEffect effect, int progress, SkinAnimationMask& mask, std::mt19937& random)
{
    mask.clear();
    const int p = std::clamp(progress, 0, 100);
    switch (effect) {
    case SkinAnimationEffect::Fade:
    case SkinAnimationEffect::RandomSelect:
        std::fill(mask.cells.begin(), mask.cells.end(), std::uint8_t(roundHalfAway(p / 100.0 * 255.0)));
        break;
    case SkinAnimationEffect::Diagonal:
        fillByThreshold(mask, p, false, [](double fx, double fy) { return (fx + fy) / 2.0; });
        break;
    case SkinAnimationEffect::Down: fillByThreshold(mask, p, false, [](double, double fy) { return fy; }); break;
    case SkinAnimationEffect::In: // from the left and right edges towards the middle
        fillByThreshold(mask, p, false, [](double fx, double) { return 1.0 - std::abs(fx - 0.5) * 2.0; });
        break;
    case SkinAnimationEffect::Out: // from the middle towards the left and right edges
        fillByThreshold(mask, p, false, [](double fx, double) { return std::abs(fx - 0.5) * 2.0; });
        break;
    case SkinAnimationEffect::RectIn:
        fillByThreshold(mask, p, false, [](double fx, double fy) { return 1.0 - rectDistance(fx, fy); });
        break;
    case SkinAnimationEffect::RectOut:
        fillByThreshold(mask, p, false, [](double fx, double fy) { return rectDistance(fx, fy); });
        break;
    case SkinAnimationEffect::Pixel: fillPixel(mask, p, random); break;
    case SkinAnimationEffect::PixelLine: fillPixelLine(mask, p, random); break;
    case SkinAnimationEffect::DiamondIn:
        fillByThreshold(mask, p, false, [](double fx, double fy) { return 1.0 - diamondDistance(fx, fy); });
        break;
    case SkinAnimationEffect::DiamondOut:
        fillByThreshold(mask, p, false, [](double fx, double fy) { return diamondDistance(fx, fy); });
        break;
    case SkinAnimationEffect::SmoothDiagonal:
        fillByThreshold(mask, p, true, [](double fx, double fy) { return (fx + fy) / 2.0; });
        break;
    case SkinAnimationEffect::SmoothRectIn:
        fillByThreshold(mask, p, true, [](double fx, double fy) { return 1.0 - rectDistance(fx, fy); });
        break;
    case SkinAnimationEffect::SmoothRectOut:
        fillByThreshold(mask, p, true, [](double fx, double fy) { return rectDistance(fx, fy); });
        break;
    }
}

SkinAnimationEffect pickEffect(SkinAnimationEffect effect, std::mt19937& random)
{
    if (effect != SkinAnimationEffect::RandomSelect)
        return effect;
    std::uniform_int_distribution<int> pick(static_cast<int>(SkinAnimationEffect::Fade),
                                            static_cast<int>(SkinAnimationEffect::SmoothRectOut));
    return SkinAnimationEffect(pick(random));
}

bool directionSwapsMask(SkinAnimationDirection direction)
{
    return direction == SkinAnimationDirection::Rotate90 || direction == SkinAnimationDirection::Rotate270;
}

std::uint8_t readMask(const SkinAnimationMask& mask, SkinAnimationDirection direction, int x, int y, int W, int H)
{
    switch (direction) {
    case SkinAnimationDirection::Rotate180: return mask.at(W - 1 - x, H - 1 - y);
    case SkinAnimationDirection::Rotate90: return mask.at(y, W - 1 - x); // transposed, then mirrored
    case SkinAnimationDirection::Rotate270: return mask.at(H - 1 - y, x);
    case SkinAnimationDirection::None:
    case SkinAnimationDirection::NoRotate: break;
    }
    return mask.at(x, y);
}

void composeAnimationFrame(const QImage& picture, const QImage& background, const SkinAnimationMask& mask,
                           const SkinAnimation& settings, QImage& out)
{
    const SkinAnimation animation = clampedAnimation(settings);
    const QSize cells = animationMaskSize(picture.size(), animation.resolution, animation.tileCount);
    const int W = cells.width();
    const int H = cells.height();
    const int tileWidth = std::max(1, picture.width() / animation.tileCount);
    const int tileHeight = std::max(1, picture.height() / animation.tileCount);
    if (out.size() != picture.size() || out.format() != QImage::Format_ARGB32)
        out = QImage(picture.size(), QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        const auto* pic = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        const auto* back = reinterpret_cast<const QRgb*>(background.constScanLine(y));
        auto* dest = reinterpret_cast<QRgb*>(out.scanLine(y));
        const int cy = std::min(H - 1, (y % tileHeight) / animation.resolution);
        for (int x = 0; x < picture.width(); ++x) {
            const int cx = std::min(W - 1, (x % tileWidth) / animation.resolution);
            const int a = readMask(mask, animation.direction, cx, cy, W, H);
            if (a == 0 || isKeyPixel(pic[x])) {
                dest[x] = back[x] | 0xFF000000u;
            } else if (a == 255) {
                dest[x] = pic[x] | 0xFF000000u;
            } else {
                const QRgb s = pic[x];
                const QRgb b = back[x];
                dest[x] = qRgb((qRed(s) * a + qRed(b) * (255 - a)) / 255, (qGreen(s) * a + qGreen(b) * (255 - a)) / 255,
                               (qBlue(s) * a + qBlue(b) * (255 - a)) / 255);
            }
        }
    }
}

QImage composeFinalPicture(const QImage& picture, const QImage& background)
{
    QImage out(picture.size(), QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        const auto* pic = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        const auto* back = reinterpret_cast<const QRgb*>(background.constScanLine(y));
        auto* dest = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            dest[x] = (isKeyPixel(pic[x]) ? back[x] : pic[x]) | 0xFF000000u;
    }
    return out;
}

void runShowAnimation(const SkinAnimation& settings, const QImage& pictureIn, const QImage& backgroundIn,
                      const std::function<void(const QImage&)>& present, std::uint32_t seed)
{
    const SkinAnimation animation = clampedAnimation(settings);
    const QImage picture = pictureIn.convertToFormat(QImage::Format_ARGB32);
    QImage background = backgroundIn.size() == picture.size() ? backgroundIn.convertToFormat(QImage::Format_ARGB32)
                                                              : QImage(picture.size(), QImage::Format_ARGB32);
    if (backgroundIn.size() != picture.size())
        background.fill(Qt::black);

    std::mt19937 random(seed);
    const SkinAnimationEffect effect = pickEffect(animation.effect, random);
    QSize cells = animationMaskSize(picture.size(), animation.resolution, animation.tileCount);
    if (directionSwapsMask(animation.direction))
        cells.transpose();
    SkinAnimationMask mask(cells.width(), cells.height());
    QImage frame;

    QElapsedTimer clock;
    clock.start();
    // About 60 frames a second; the wait between frames sleeps in the event
    // dispatcher (user input stays queued until the window is complete).
    constexpr int FrameInterval = 16;
    while (clock.elapsed() < animation.time) {
        fillAnimationMask(effect, animationProgress(clock.elapsed(), animation.time), mask, random);
        composeAnimationFrame(picture, background, mask, animation, frame);
        present(frame);
        if (QCoreApplication::instance()) {
            QEventLoop wait;
            QTimer::singleShot(FrameInterval, &wait, &QEventLoop::quit);
            wait.exec(QEventLoop::ExcludeUserInputEvents);
        } else {
            break;
        }
    }
    present(composeFinalPicture(picture, background));
}

} // namespace corvane::skin
