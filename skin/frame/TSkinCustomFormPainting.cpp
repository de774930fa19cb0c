// TSkinCustomForm: painting the frame, plain or from the skin's object tree,
// and the kept picture of the skinned frame.

#include "skin/frame/TSkinCustomForm.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include "skin/SkinBlit.h"

namespace corvane::skin {

// ---------------------------------------------------------------------------
// Painting

bool TSkinCustomForm::isFrameActive() const { return m_windowActive; }

QIcon TSkinCustomForm::frameIcon() const
{
    QIcon icon = m_owner->windowIcon();
    if (icon.isNull())
        icon = QApplication::windowIcon();
    return icon;
}

void TSkinCustomForm::repaintFrame()
{
    invalidateFrameCache();
    if (!m_framed)
        return;
    m_owner->update(QRegion(m_owner->rect()) - QRegion(clientRect()));
}

void TSkinCustomForm::paint(const QRegion& region)
{
    QPainter painter(m_owner);
    if (tree()) {
        // Only the repainted part is copied from the kept pieces of the
        // window picture, one rectangle at a time, each with a clip of just
        // that rectangle: under a clip of one rectangle the raster engine
        // copies whole rows, under a clip region it blends span by span.
        const std::vector<FramePiece>& pieces = cachedSkinnedFrame();
        QRegion uncovered = region;
        for (const FramePiece& piece : pieces) {
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
            uncovered -= piece.rect;
        }
        painter.setClipping(false);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        // The client area is normally covered by the window's children; where
        // it shows, it is drawn as it is, not kept.
        if (!uncovered.isEmpty())
            paintSkinnedDirect(painter, uncovered);
    } else {
        // The window asks Qt not to fill its background while it is framed.
        for (const QRect& rect : region)
            painter.fillRect(rect, m_owner->palette().brush(m_owner->backgroundRole()));
        const TPlainFrameLayout layout = plainLayout();
        painter.fillRect(layout.client, QApplication::palette().brush(QPalette::Button));
        paintPlainFrame(painter, layout, Caption(), frameIcon(), isFrameActive(), m_state,
                        m_pressing ? m_pressArea : THitArea::Client);
    }
    painter.end();
    if (OnPaint)
        OnPaint(this);
}

qsizetype TSkinCustomForm::frameCacheBytes() const
{
    qsizetype bytes = 0;
    for (const FramePiece& piece : m_frameCache)
        bytes += piece.picture.sizeInBytes();
    return bytes;
}

void TSkinCustomForm::paintSkinnedDirect(QPainter& painter, const QRegion& region)
{
    painter.save();
    painter.setClipRegion(region);
    painter.fillRect(region.boundingRect(), m_owner->palette().brush(m_owner->backgroundRole()));
    paintSkinned(painter, region.boundingRect());
    painter.restore();
}

const std::vector<TSkinCustomForm::FramePiece>& TSkinCustomForm::cachedSkinnedFrame()
{
    FrameCacheKey key;
    key.tree = tree();
    key.size = m_owner->size();
    key.pixelRatio = m_owner->devicePixelRatioF();
    key.active = isFrameActive();
    key.state = m_state;
    key.performance = Performance;
    key.title = m_owner->windowTitle();
    // Without a client object the skin draws the whole window, and all of
    // it is kept.
    key.client = clientObject() ? clientRect() : QRect();
    if (!m_frameCacheDirty && key == m_frameCacheKey && !m_frameCache.empty())
        return m_frameCache;

    // The skin drawn over the window's background, exactly as the tree would
    // be drawn on the window itself. With an opaque background the picture
    // has no alpha channel, and copying it needs no blending.
    const QBrush background = m_owner->palette().brush(m_owner->backgroundRole());
    const QImage::Format format =
        background.isOpaque() ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    // The band around the client area: at most four rectangles (above,
    // left, right, below).
    const QRegion band = QRegion(QRect(QPoint(0, 0), key.size)) - QRegion(key.client);
    std::vector<FramePiece> pieces;
    pieces.reserve(band.rectCount());
    for (const QRect& rect : band) {
        FramePiece piece{rect, {}};
        const QSize pixels = (QSizeF(rect.size()) * key.pixelRatio).toSize();
        // A piece of the same place and size is drawn again in place.
        for (FramePiece& kept : m_frameCache)
            if (kept.rect == rect && kept.picture.size() == pixels && kept.picture.format() == format)
                piece.picture = std::move(kept.picture);
        if (piece.picture.isNull())
            piece.picture = QImage(pixels, format);
        piece.picture.setDevicePixelRatio(key.pixelRatio);
        piece.picture.fill(Qt::transparent);
        {
            QPainter painter(&piece.picture);
            painter.translate(-rect.topLeft());
            painter.setClipRect(rect);
            painter.fillRect(rect, background);
            // What a painter opened on the window would start with.
            painter.setFont(m_owner->font());
            painter.setPen(m_owner->palette().color(m_owner->foregroundRole()));
            painter.setBackground(background);
            paintSkinned(painter, rect);
        }
        pieces.push_back(std::move(piece));
    }
    m_frameCache = std::move(pieces);
    m_frameCacheKey = key;
    m_frameCacheDirty = false;
    ++m_frameCacheRedraws;
    return m_frameCache;
}

void TSkinCustomForm::paintSkinned(QPainter& painter, const QRect& target)
{
    TSkinObject* root = tree();
    const QSize size = m_owner->size();
    layoutTreeTo(size);
    root->setActive(isFrameActive());
    root->setState(skinStateOf(m_state));
    if (TSkinObject* title = titleObject())
        title->Text = m_owner->windowTitle();

    // The client object is drawn on its own, below; the frame must not paint
    // over the client area.
    TSkinObject* client = clientObject();
    if (client)
        client->Visible = false;

    const QRect strip(0, 0, size.width(), client ? client->top() : 0);
    if (Performance == fpNoBuffer && client && client->top() > 0) {
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
        client->Visible = true;
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
