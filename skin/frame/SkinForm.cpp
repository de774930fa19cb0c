#include "skin/frame/SkinForm.h"

#include <QCoreApplication>
#include <QWidget>

namespace corvane::skin {

SkinForm::SkinForm(QWidget* owner, QWidget* clientWidget) : SkinCustomForm(owner, clientWidget)
{ }

SkinForm::~SkinForm()
{
    stopHoverTimer();
    forgetObjects();
}

void SkinForm::setSkinEngine(SkinEngine* engine)
{
    if (engine == m_engine)
        return;
    m_engine = engine;
    if (isLoaded())
        attachAndApply();
}

void SkinForm::setSkinObject(const QString& name)
{
    if (name == m_skinObject)
        return;
    m_skinObject = name;
    if (isLoaded())
        attachAndApply();
}

void SkinForm::loaded()
{
    if (isLoaded())
        return;
    if (borderStyle() == SkinBorderStyle::ToolWindow)
        m_skinObject = QStringLiteral("ToolWindow");
    attachTree();
    SkinCustomForm::loaded();
}

void SkinForm::attachAndApply()
{
    attachTree();
    applyFrame();
}

QSize SkinForm::designedWindowSize() const
{
    // A tree without a client object is the whole window: the window takes
    // the tree's own size.
    return (m_tree && !m_clientObject) ? m_treeSize : QSize();
}

bool SkinForm::attachTree()
{
    dropTree();
    SkinObject* source = nullptr;
    if (m_engine && m_engine->hasSkin()) {
        // "Form" names the skin's form object; any other name a top-level
        // object, falling back to the form object.
        if (m_skinObject == QLatin1String("Form"))
            source = m_engine->formObject();
        if (!source)
            source = m_engine->findObject(m_skinObject);
        if (!source)
            source = m_engine->formObject();
    }
    if (!source)
        return false;

    m_tree = source->copyTree();
    m_treeSize = QSize(m_tree->width(), m_tree->height());
    m_tree->setBitmaps(&m_engine->source().bitmaps());
    m_tree->setHost(owner());
    m_titleObject = m_tree->findKind(SkinKind::Title);
    m_clientObject = m_tree->findKind(SkinKind::Client);
    if (m_clientObject == m_tree.get())
        m_clientObject = nullptr;
    m_tree->setActive(isFrameActive());
    m_tree->setState(skinStateOf(windowState()));
    owner()->setFont(m_tree->font.toQFont());
    return true;
}

void SkinForm::dropTree()
{
    stopHoverTimer();
    forgetObjects();
    m_titleObject = nullptr;
    m_clientObject = nullptr;
    m_tree.reset();
}

void SkinForm::skinChanging(SkinEngine* engine)
{
    if (engine != m_engine || !m_tree)
        return;
    // No timer tick and no queued repaint may reach the copy once it is gone.
    stopHoverTimer();
    QCoreApplication::processEvents();
    dropTree();
    QCoreApplication::processEvents();
}

void SkinForm::skinChanged(SkinEngine* engine)
{
    if (engine != m_engine || !isLoaded())
        return;
    attachAndApply();
    updateHoverTimer();
}

} // namespace corvane::skin
