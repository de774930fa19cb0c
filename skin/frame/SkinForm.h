#pragma once
// SkinForm: the skinned window frame drawn from a skin engine's object tree
// ("Form" by default). It keeps its own copy of the tree (controls never draw
// the engine's objects), finds the title and client objects in it, and hands
// the tree to SkinCustomForm for painting, hit testing and the window shape.
// Without a usable skin it is the plain frame of SkinCustomForm.

#include <QPointer>
#include <memory>
#include <vector>

#include "skin/SkinEngine.h"
#include "skin/frame/SkinCustomForm.h"

namespace corvane::skin {

class SkinForm : public SkinCustomForm {
    Q_OBJECT
public:
    SkinForm(QWidget* owner, QWidget* clientWidget);
    ~SkinForm() override;

    SkinEngine* skinEngine() const { return m_engine; }
    void setSkinEngine(SkinEngine* engine);
    void setSkinObject(const QString& name);

    void loaded() override;

    // The frame's own copy of the object tree and the parts found in it
    // (null without a usable skin).
    SkinObject* tree() const override { return m_tree.get(); }
    SkinObject* clientObject() const override { return m_clientObject; }
    SkinObject* titleObject() const override { return m_titleObject; }

protected:
    QSize designedWindowSize() const override;
    void skinChanging(SkinEngine* engine) override;
    void skinChanged(SkinEngine* engine) override;

private:
    // Chooses the object, copies it and finds its parts; false without a skin.
    bool attachTree();
    void dropTree();
    // Attaches and applies the frame (creation step 3 and 4).
    void attachAndApply();
    // The size of the copied tree as the skin stores it.
    QSize m_treeSize;

    QPointer<SkinEngine> m_engine;
    QString m_skinObject = QStringLiteral("Form");
    std::unique_ptr<SkinObject> m_tree;
    SkinObject* m_titleObject = nullptr;
    SkinObject* m_clientObject = nullptr;
};

} // namespace corvane::skin
