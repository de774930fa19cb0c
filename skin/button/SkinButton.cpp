#include "skin/button/SkinButton.h"

#include "skin/SkinEngine.h"
#include "skin/model/SkinObjects.h"

#include <QPainter>

namespace corvane::skin {

SkinButton::SkinButton(QWidget* parent) : SkinCustomButton(parent)
{ }

void SkinButton::setSkinEngine(SkinEngine* engine)
{
    if (m_engine == engine)
        return;
    if (m_engine)
        disconnect(m_engine, nullptr, this, nullptr);
    m_engine = engine;
    if (engine) {
        // An engine that goes away takes the button's skin with it.
        connect(engine, &QObject::destroyed, this, [this] {
            m_copy.reset();
            skinReplaced();
            m_engine = nullptr;
            update();
        });
    }
    attachSkin();
}

void SkinButton::setSkinObject(const QString& name)
{
    if (m_skinObject == name)
        return;
    m_skinObject = name;
    attachSkin();
}

bool SkinButton::drawsSkin() const
{
    return m_copy && m_engine && !m_engine->source().changing();
}

void SkinButton::skinReplaced()
{
    ++m_skinGeneration;
    forgetLooks();
}

void SkinButton::dropSkin()
{
    m_copy.reset();
    skinReplaced();
    update();
}

void SkinButton::attachSkin()
{
    if (!m_engine || !m_engine->hasSkin()) {
        dropSkin();
        return;
    }
    m_copy.reset();
    skinReplaced();
    if (SkinObject* original = m_engine->findObject(m_skinObject)) {
        m_copy = original->copyTree();
        m_copy->setHost(this);
        // A masked face has see-through corners: the stored skin makes the
        // button transparent so that the window's background shows there.
        if (auto* face = dynamic_cast<SkinBitmapObject*>(m_copy->findObject(QStringLiteral("Face")))) {
            if (face->masked || face->maskedBorder || face->maskedAngles)
                setTransparent(true);
        }
    }
    update();
}

bool SkinButton::event(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == skinChangingEvent() || type == skinChangedEvent()) {
        const auto* change = static_cast<SkinChangeEvent*>(event);
        if (change->engine() && change->engine() == m_engine) {
            if (type == skinChangingEvent())
                dropSkin();
            else
                attachSkin();
        }
        return true;
    }
    if (type == skinRedrawEvent()) {
        // A skin object of the copy changed its look.
        forgetLooks();
        update();
        return true;
    }
    return SkinCustomButton::event(event);
}

void SkinButton::paintControl(QPainter& painter)
{
    if (drawsSkin())
        paintSkinned(painter);
    else
        paintPlain(painter);
}

bool SkinButton::describeLook(SkinLookKey& key) const
{
    SkinCustomButton::describeLook(key);
    key << drawsSkin() << qint64(m_skinGeneration) << qint64(reinterpret_cast<quintptr>(m_copy.get()));
    return true;
}

void SkinButton::paintSkinned(QPainter& painter)
{
    const SkinState state = skinState();
    SkinObject* root = m_copy.get();
    root->setRightToLeft(layoutDirection() == Qt::RightToLeft);

    SkinObject* face = root->findObject(QStringLiteral("Face"));
    if (!face)
        face = root;
    face->setState(state);
    face->setBounds(0, 0, width(), height());
    if (painter.device() == this) {
        // Painting straight on the control (SkinPerformance::NoBuffer): Qt redirects a
        // widget's painter into the window's backing store, and the skin's
        // blits, which cut their parts to the painter's device, would then cut
        // them to the wrong rectangle. The face goes through a see-through
        // scratch picture of the control's size instead.
        QImage scratch(size(), QImage::Format_ARGB32_Premultiplied);
        scratch.fill(Qt::transparent);
        QPainter facePainter(&scratch);
        face->draw(facePainter);
        facePainter.end();
        painter.drawImage(QPoint(0, 0), scratch);
    } else {
        painter.save();
        face->draw(painter);
        painter.restore();
    }

    SkinObject* text = root->findObject(QStringLiteral("Text"));
    if (!text)
        text = root;
    text->setState(state);
    const SkinFont& skinFont = text->getFont();
    const QFont font = skinFont.toQFont();

    const SkinButtonContent content = contentLayout(font);
    drawCaption(painter, content.textArea, font, toQColor(skinFont.color));
    drawGlyph(painter, content.glyphRect);
}

} // namespace corvane::skin
