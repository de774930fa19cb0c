#pragma once
// The application's style for the two chat boxes and their scroll
// bars, with what it draws kept as pictures. A repaint of the main window
// draws both boxes' frames and scroll bars, and the style draws every one of
// them afresh (gradients, outlines stroked with a pen), yet they change only
// when a box is scrolled, resized, hovered, pressed or focused. Everything the
// style draws them from travels in its style option (size, state, the hot and
// pressed parts, range, position, palette), so the option is the key of the
// picture.
//
// A picture is kept only where copying it gives exactly what drawing gives:
// where every pixel came out either wholly opaque (copied as it is) or
// untouched (left out). A look with partly transparent pixels, whose blend
// with what lies beneath could round differently, is drawn each time.

#include <QProxyStyle>
#include <QRect>

#include "skin/draw/SkinLookCache.h"

namespace corvane::shell {

class ChatBoxStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Wraps a new instance of the application's style (a proxy owns its base,
    // so it cannot be the application's own instance).
    explicit ChatBoxStyle(QObject* parent = nullptr);

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    // Copies the kept picture of `key` to `at`, drawing and keeping it first
    // with `draw` (which draws at the origin); false when the look cannot be
    // kept and must be drawn in place.
    template <typename Draw>
    bool copyKept(skin::SkinLookKey key, QPainter* painter, const QRect& rect, Draw draw) const;

    // The kept looks: the picture opaque, without alpha, and null where the
    // look is not kept; its parts where the style drew (none: everywhere).
    mutable skin::SkinLookCache m_looks;
};

} // namespace corvane::shell
