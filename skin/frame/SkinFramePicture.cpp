#include "skin/frame/SkinFramePicture.h"

#include <QPainter>

#include <bit>

#include "skin/draw/SkinBlit.h"

namespace corvane::skin {

namespace {

// A picture of the given size and format: one of `spare` where one fits
// (drawing over kept memory is cheaper than new memory), else a new one.
QImage pictureFor(std::vector<SkinLook>& spare, const QSize& pixels, QImage::Format format)
{
    for (SkinLook& look : spare)
        if (look.picture.size() == pixels && look.picture.format() == format)
            return std::move(look.picture);
    return QImage(pixels, format);
}

} // namespace

void SkinFramePicture::paint(QPainter& painter, const QRegion& region, const SkinFrameScene& scene)
{
    const std::vector<Piece> pieces = keptPieces(scene);
    copyPieces(painter, region, pieces);
    QRegion uncovered = region;
    for (const Piece& piece : pieces)
        uncovered -= piece.rect;
    // The client area is normally covered by the window's children; where
    // it shows, it is drawn as it is, not kept.
    if (!uncovered.isEmpty())
        drawDirect(painter, uncovered, scene);
}

SkinLookKey SkinFramePicture::lookKey(const SkinFrameScene& scene)
{
    SkinLookKey key;
    const QRect& client = scene.clientRect;
    key << qint64(reinterpret_cast<quintptr>(scene.root)) << scene.size.width() << scene.size.height()
        << std::bit_cast<qint64>(double(scene.pixelRatio)) << scene.active << scene.state << client.x() << client.y()
        << client.width() << client.height();
    key.text = scene.caption;
    return key;
}

SkinLookKey SkinFramePicture::pieceKey(const SkinLookKey& look, const QRect& piece)
{
    SkinLookKey key = look;
    key << piece.x() << piece.y() << piece.width() << piece.height();
    return key;
}

std::vector<SkinFramePicture::Piece> SkinFramePicture::keptPieces(const SkinFrameScene& scene)
{
    const SkinLookKey look = lookKey(scene);
    const QRegion band = QRegion(QRect(QPoint(0, 0), scene.size)) - QRegion(scene.clientRect);
    std::vector<Piece> pieces;
    pieces.reserve(band.rectCount());
    for (const QRect& rect : band) {
        const QImage* kept = m_pieces.find(pieceKey(look, rect));
        if (!kept)
            return drawPieces(scene, band, look);
        pieces.push_back(Piece{rect, *kept});
    }
    return pieces;
}

std::vector<SkinFramePicture::Piece> SkinFramePicture::drawPieces(const SkinFrameScene& scene, const QRegion& band,
                                                                  const SkinLookKey& look)
{
    // The skin drawn over the window's background, exactly as the tree would
    // be drawn on the window itself. With an opaque background the picture
    // has no alpha channel, and copying it needs no blending.
    const QImage::Format format =
        scene.background.isOpaque() ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    std::vector<SkinLook> spare = m_pieces.takeLooks();
    std::vector<Piece> pieces;
    pieces.reserve(band.rectCount());
    for (const QRect& rect : band) {
        QImage picture = pictureFor(spare, (QSizeF(rect.size()) * scene.pixelRatio).toSize(), format);
        picture.setDevicePixelRatio(scene.pixelRatio);
        picture.fill(Qt::transparent);
        {
            QPainter painter(&picture);
            painter.translate(-rect.topLeft());
            painter.setClipRect(rect);
            painter.fillRect(rect, scene.background);
            // What a painter opened on the window would start with.
            painter.setFont(scene.font);
            painter.setPen(scene.foreground);
            painter.setBackground(scene.background);
            draw(painter, rect, scene);
        }
        m_pieces.insert(pieceKey(look, rect), picture);
        pieces.push_back(Piece{rect, std::move(picture)});
    }
    return pieces;
}

void SkinFramePicture::copyPieces(QPainter& painter, const QRegion& region, const std::vector<Piece>& pieces)
{
    // Only the repainted part is copied, one rectangle at a time, each with
    // a clip of just that rectangle: under a clip of one rectangle the
    // raster engine copies whole rows, under a clip region it blends span by
    // span.
    for (const Piece& piece : pieces) {
        const qreal ratio = piece.picture.devicePixelRatio();
        painter.setCompositionMode(piece.picture.hasAlphaChannel() ? QPainter::CompositionMode_Source
                                                                   : QPainter::CompositionMode_SourceOver);
        for (const QRect& rect : region) {
            const QRect part = rect & piece.rect;
            if (part.isEmpty())
                continue;
            const QRectF source((part.x() - piece.rect.x()) * ratio, (part.y() - piece.rect.y()) * ratio,
                                part.width() * ratio, part.height() * ratio);
            painter.setClipRect(part);
            painter.drawImage(QRectF(part), piece.picture, source);
        }
    }
    painter.setClipping(false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void SkinFramePicture::drawDirect(QPainter& painter, const QRegion& region, const SkinFrameScene& scene)
{
    // Over the window's background, as a painter opened on the window would.
    painter.save();
    painter.setClipRegion(region);
    painter.fillRect(region.boundingRect(), scene.background);
    draw(painter, region.boundingRect(), scene);
    painter.restore();
}

void SkinFramePicture::draw(QPainter& painter, const QRect& target, const SkinFrameScene& scene)
{
    SkinObject* root = scene.root;
    const QSize size = scene.size;
    root->setBounds(0, 0, size.width(), size.height());
    root->setActive(scene.active);
    root->setState(skinStateOf(scene.state));
    if (scene.title)
        scene.title->text = scene.caption;

    // The client object is drawn on its own, below; the frame must not paint
    // over the client area.
    SkinObject* client = scene.client;
    if (client)
        client->visible = false;

    const QRect strip(0, 0, size.width(), client ? client->top() : 0);
    if (client && client->top() > 0) {
        // The caption strip goes through a scratch picture first and is copied
        // masked, so the caption never shows half-drawn.
        if (strip.intersects(target)) {
            QImage scratch(strip.size(), QImage::Format_ARGB32);
            scratch.fill(SkinKeyPixel);
            {
                QPainter stripPainter(&scratch);
                root->draw(stripPainter);
            }
            painter.drawImage(strip.topLeft(), keyToTransparent(scratch));
        }
        painter.save();
        painter.setClipRegion(QRegion(QRect(QPoint(0, 0), size)) - QRegion(strip), Qt::IntersectClip);
        root->draw(painter);
        painter.restore();
    } else {
        root->draw(painter);
    }

    if (client) {
        client->visible = true;
        // The client background: the client object at the client area's origin.
        painter.save();
        if (client->boundsRect().intersects(target)) {
            painter.setClipRect(client->boundsRect(), Qt::IntersectClip);
            client->draw(painter);
        }
        painter.restore();
    }
}

} // namespace corvane::skin
