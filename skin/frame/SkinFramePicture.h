#pragma once
// SkinFramePicture: the skinned window as its frame draws it, and the kept
// picture of its frame band. Drawing the object tree costs far more than
// copying pixels, and most repaints (the client's children, hover of one
// caption button) leave the frame as it was, so the band around the client
// area is kept as pictures, one per rectangle of the band (at most four:
// above, left, right, below). The client area is covered by the window's
// children and drawn directly where it shows.

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>

#include "skin/SkinFormTypes.h"
#include "skin/draw/SkinLookCache.h"
#include "skin/model/SkinObject.h"

class QPainter;

namespace corvane::skin {

// What the skinned window is drawn from.
struct SkinFrameScene {
    SkinObject* root = nullptr;
    SkinObject* client = nullptr; // the client object, drawn on its own
    SkinObject* title = nullptr;
    QSize size;
    qreal pixelRatio = 1.0;
    bool active = false;
    SkinWindowState state = SkinWindowState::Normal;
    QString caption;
    // The client area left out of the kept picture; empty without a client
    // object, when the skin draws the whole window and all of it is kept.
    QRect clientRect;
    // What a painter opened on the window starts with.
    QBrush background;
    QFont font;
    QColor foreground;
};

class SkinFramePicture {
public:
    // Paints `region` (window coordinates) of the skinned window: the band
    // from the kept pictures, drawn again first when anything the scene
    // shows changed, and the client area directly where it shows.
    void paint(QPainter& painter, const QRegion& region, const SkinFrameScene& scene);
    // Forgets the kept pictures: the next paint draws the band afresh.
    void invalidate() { m_pieces.clear(); }

    // Draws the skinned window; parts lying wholly outside `target` may be
    // left out.
    static void draw(QPainter& painter, const QRect& target, const SkinFrameScene& scene);

private:
    // One kept piece of the band: its place in the window and its picture.
    struct Piece {
        QRect rect;
        QImage picture;
    };
    std::vector<Piece> keptPieces(const SkinFrameScene& scene);
    std::vector<Piece> drawPieces(const SkinFrameScene& scene, const QRegion& band, const SkinLookKey& look);
    static SkinLookKey lookKey(const SkinFrameScene& scene);
    static SkinLookKey pieceKey(const SkinLookKey& look, const QRect& piece);
    static void copyPieces(QPainter& painter, const QRegion& region, const std::vector<Piece>& pieces);
    static void drawDirect(QPainter& painter, const QRegion& region, const SkinFrameScene& scene);

    // At most four pieces of one look.
    SkinLookCache m_pieces{4};
};

} // namespace corvane::skin
