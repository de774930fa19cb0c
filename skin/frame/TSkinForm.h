#pragma once
// TSkinForm: the skinned window frame drawn from a skin engine's object tree
// ("Form" by default). It keeps its own copy of the tree (controls never draw
// the engine's objects), finds the title and client objects in it, and hands
// the tree to TSkinCustomForm for painting, hit testing and the window shape.
// Without a usable skin it is the plain frame of TSkinCustomForm.

#include <QPointer>
#include <memory>
#include <vector>

#include "skin/SkinEngine.h"
#include "skin/frame/TSkinCustomForm.h"

namespace corvane::skin {

class TSkinForm : public TSkinCustomForm {
    Q_OBJECT
public:
    TSkinForm(QWidget* owner, QWidget* clientWidget);
    ~TSkinForm() override;

    TSkinEngine* SkinEngine() const { return m_engine; }
    void setSkinEngine(TSkinEngine* engine);
    QString SkinObject() const { return m_skinObject; }
    void setSkinObject(const QString& name);
    QString Version() const { return QStringLiteral("3.2.0"); }
    // The caption button whose action is sbaCustom was released.
    std::function<void(TSkinForm* sender, TSkinSystemButton* button)> OnCustomAction;

    void loaded() override;

    // The frame's own copy of the object tree and the parts found in it
    // (null without a usable skin).
    TSkinObject* tree() const override { return m_tree.get(); }
    TSkinObject* clientObject() const override { return m_clientObject; }
    TSkinObject* titleObject() const override { return m_titleObject; }

protected:
    QSize designedWindowSize() const override;
    void skinChanging(TSkinEngine* engine) override;
    void skinChanged(TSkinEngine* engine) override;

private:
    // Chooses the object, copies it and finds its parts; false without a skin.
    bool attachTree();
    void dropTree();
    // Attaches and applies the frame (creation step 3 and 4).
    void attachAndApply();
    // The size of the copied tree as the skin stores it.
    QSize m_treeSize;

    QPointer<TSkinEngine> m_engine;
    QString m_skinObject = QStringLiteral("Form");
    std::unique_ptr<TSkinObject> m_tree;
    TSkinObject* m_titleObject = nullptr;
    TSkinObject* m_clientObject = nullptr;
};

} // namespace corvane::skin
