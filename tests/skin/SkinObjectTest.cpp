// The object model: bounds, the layout passes, copying, the property tables,
// hit testing, the system buttons' visibility and pointer states.
#include "skin/model/SkinObjectForm.h"
#include "skin/model/SkinObjectIO.h"
#include "skin/model/SkinObjects.h"
#include "skin/writer/SkinObjectWriter.h"
#include "tests/skin/SkinTestSkins.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

SkinObject* child(SkinObject* parent, SkinAlign align, int width, int height, const char* name = "")
{
    auto* c = new SkinObject(parent);
    c->name = name;
    c->align = align;
    c->setBounds(0, 0, width, height);
    return c;
}

// A host window that answers the get-form request event as a skinned frame would.
class FakeFrame : public QObject, public SkinFrameInterface {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == skinGetFormEvent()) {
            static_cast<SkinGetFormEvent*>(e)->setForm(this);
            return true;
        }
        if (e->type() == skinRedrawEvent()) {
            ++redraws;
            return true;
        }
        return QObject::event(e);
    }
    bool isFrameActive() const override { return frameActive; }
    SkinBorderIcons borderIcons() const override { return icons; }
    void performSkinAction(SkinAction action, SkinSystemButton*) override { actions.append(action); }
    QIcon frameIcon() const override { return QIcon(); }

    bool frameActive = true;
    SkinBorderIcons icons = 0x7F;
    QList<SkinAction> actions;
    int redraws = 0;
};

} // namespace

TEST(SkinBounds, NegativeSizesBecomeZero)
{
    SkinObject o;
    o.setBounds(5, 6, -10, 20);
    EXPECT_EQ(o.width(), 0);
    EXPECT_EQ(o.height(), 20);
}

TEST(SkinLayout, PassesGoByRuleNotByOrder)
{
    SkinObject root;
    SkinObject* top = child(&root, SkinAlign::Top, 0, 10, "top");
    SkinObject* mostTop = child(&root, SkinAlign::MostTop, 0, 5, "mostTop");
    SkinObject* left = child(&root, SkinAlign::Left, 7, 0, "left");
    SkinObject* mostRight = child(&root, SkinAlign::MostRight, 4, 0, "mostRight");
    SkinObject* bottom = child(&root, SkinAlign::MostBottom, 0, 6, "bottom");
    SkinObject* client = child(&root, SkinAlign::Client, 1, 1, "client");
    root.setBounds(10, 20, 100, 50);
    EXPECT_EQ(mostTop->boundsRect(), QRect(10, 20, 100, 5));
    EXPECT_EQ(bottom->boundsRect(), QRect(10, 64, 100, 6));
    // The most-right strip spans between the most-top and most-bottom strips.
    EXPECT_EQ(mostRight->boundsRect(), QRect(106, 25, 4, 39));
    // SkinAlign::Top comes after all "most" strips although it is the first child.
    EXPECT_EQ(top->boundsRect(), QRect(10, 25, 96, 10));
    EXPECT_EQ(left->boundsRect(), QRect(10, 35, 7, 29));
    EXPECT_EQ(client->boundsRect(), QRect(17, 35, 89, 29));
}

TEST(SkinLayout, InvisibleChildrenTakeNoStrip)
{
    SkinObject root;
    SkinObject* hidden = child(&root, SkinAlign::MostTop, 0, 10);
    hidden->visible = false;
    SkinObject* client = child(&root, SkinAlign::Client, 0, 0);
    root.setBounds(0, 0, 50, 40);
    EXPECT_EQ(client->boundsRect(), QRect(0, 0, 50, 40));
}

TEST(SkinLayout, CentredChildrenTruncateTowardsZero)
{
    SkinObject root;
    SkinObject* small = child(&root, SkinAlign::Center, 5, 4);
    SkinObject* big = child(&root, SkinAlign::Center, 14, 12);
    root.setBounds(0, 0, 10, 9);
    EXPECT_EQ(small->boundsRect(), QRect(2, 2, 5, 4));
    // (10 - 14) / 2 = -2 and (9 - 12) / 2 = -1 (not -2).
    EXPECT_EQ(big->boundsRect(), QRect(-2, -1, 14, 12));
}

TEST(SkinLayout, CornerAnchorsFollowTheSizeChange)
{
    SkinObject root;
    SkinObject* topRight = child(&root, SkinAlign::TopRight, 16, 21);
    topRight->setBounds(227, 3, 16, 21);
    SkinObject* topLeft = child(&root, SkinAlign::TopLeft, 18, 20);
    topLeft->setBounds(17, 3, 18, 20);
    SkinObject* bottomLeft = child(&root, SkinAlign::BottomLeft, 5, 5);
    bottomLeft->setBounds(2, 240, 5, 5);
    // From a zero previous size (a fresh object or a copy) nothing moves.
    root.setBounds(0, 0, 300, 250);
    EXPECT_EQ(topRight->left(), 227);
    EXPECT_EQ(bottomLeft->top(), 240);
    root.setBounds(0, 0, 640, 480);
    EXPECT_EQ(topRight->boundsRect(), QRect(567, 3, 16, 21));
    EXPECT_EQ(topLeft->boundsRect(), QRect(17, 3, 18, 20));
    EXPECT_EQ(bottomLeft->boundsRect(), QRect(2, 470, 5, 5));
    // A fresh layout at the same size (as bitmap objects do when drawn) does
    // not move them again.
    root.layoutChildren();
    EXPECT_EQ(topRight->left(), 567);
    EXPECT_EQ(bottomLeft->top(), 470);
}

TEST(SkinLayout, ChildrenOfResizedChildrenAreLaidOutToo)
{
    SkinObject root;
    SkinObject* caption = child(&root, SkinAlign::MostTop, 0, 24);
    SkinObject* title = child(caption, SkinAlign::Client, 0, 0);
    SkinObject* right = child(caption, SkinAlign::Right, 24, 0);
    root.setBounds(0, 0, 300, 250);
    EXPECT_EQ(right->boundsRect(), QRect(276, 0, 24, 24));
    EXPECT_EQ(title->boundsRect(), QRect(0, 0, 276, 24));
}

TEST(SkinCopy, CopiesClassesValuesLinksChildrenAndBounds)
{
    SkinSource source;
    buildSampleSkin(source);
    SkinObject* form = source.object(0);
    const auto copy = form->copyTree();
    EXPECT_EQ(copy->className(), "TSkinObject");
    EXPECT_EQ(copy->boundsRect(), form->boundsRect());
    ASSERT_EQ(copy->childCount(), form->childCount());
    for (int i = 0; i < form->childCount(); ++i) {
        EXPECT_EQ(copy->child(i)->className(), form->child(i)->className());
        EXPECT_EQ(copy->child(i)->name, form->child(i)->name);
    }
    auto* caption = dynamic_cast<SkinActiveBitmap*>(copy->child(0));
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->activeBitmap.bitmap, source.bitmaps()[0]);
    EXPECT_EQ(caption->bitmap.name, "frame");
    EXPECT_EQ(caption->bitmap.rect(), QRect(0, 0, 12, 10));
    EXPECT_EQ(caption->font.style, fontStyleBit(FontStyleFlag::Bold));
    auto* close = dynamic_cast<SkinSystemButton*>(copy->child(1));
    EXPECT_EQ(close->action, SkinAction::Close);
    EXPECT_EQ(close->boundsRect(), QRect(100, 2, 16, 16));
    auto* item = dynamic_cast<SkinActiveObject*>(copy->child(2));
    EXPECT_EQ(item->activeColor, 5729399);
    EXPECT_EQ(copy->findObject("Deep")->owner(), copy->findObject("Client"));
    // The copy is independent of the original.
    copy->findObject("Deep")->color = 1;
    EXPECT_EQ(form->findObject("Deep")->color, clNone);
}

namespace {

// Values other than `value` that a property of its type may take: integers
// and identifiers of every kind the classes publish, the other boolean, a
// string, a set.
QList<SkinValue> otherValues(const SkinValue& value, int index)
{
    switch (value.type) {
    case SkinValue::Type::Integer: return {SkinValue::fromInteger(value.integer + 100 + index)};
    case SkinValue::Type::Boolean: return {SkinValue::fromBool(!value.boolean)};
    case SkinValue::Type::String: return {SkinValue::fromString("S" + QByteArray::number(index))};
    case SkinValue::Type::Set: return {SkinValue::fromSet({"fsBold", "fsStrikeOut"})};
    case SkinValue::Type::Identifier: {
        QList<SkinValue> out{SkinValue::fromInteger(0x10100 + index)};
        for (int i = 0; i < 16; ++i)
            for (QByteArray (*ident)(int) :
                 {alignIdent, kindIdent, textAlignIdent, textEffectIdent, tileStyleIdent, actionIdent, charsetIdent})
                if (!ident(i).isEmpty() && ident(i) != value.text)
                    out.append(SkinValue::fromIdent(ident(i)));
        return out;
    }
    default: return {};
    }
}

QList<SkinProperty> written(const SkinObject& object)
{
    QList<SkinProperty> out;
    object.writeProperties(out);
    return out;
}

} // namespace

// Every published property of every registered class takes a value other
// than its default, and that value alone comes back from writing, from the
// binary form and from a copy.
TEST(SkinPropertyTables, EveryPropertyOfEveryClassRoundTrips)
{
    for (const QByteArray& className : SkinClassRegistry::classNames()) {
        SCOPED_TRACE(className.constData());
        std::unique_ptr<SkinObject> object = SkinClassRegistry::create(className);
        const QList<SkinProperty> defaults = written(*object);
        QList<SkinProperty> expected = defaults;
        for (int i = 0; i < expected.size(); ++i) {
            for (const SkinValue& candidate : otherValues(expected[i].value, i)) {
                try {
                    ASSERT_TRUE(object->readProperty({expected[i].name, candidate})) << expected[i].name.constData();
                } catch (const SkinError&) {
                    continue;
                }
                if (written(*object)[i].value == candidate) {
                    expected[i].value = candidate;
                    break;
                }
            }
            EXPECT_FALSE(expected[i] == defaults[i]) << expected[i].name.constData();
        }
        EXPECT_TRUE(written(*object) == expected);
        EXPECT_TRUE(written(*object->copyTree()) == expected);
        SkinReadBudget budget;
        const QByteArray binary = writeBinaryObject(recordFromObject(*object));
        EXPECT_TRUE(written(*objectFromBinary(className, binary.constData(), binary.size(), budget)) == expected);
    }
}

TEST(SkinState, StateActiveAndHostPassDown)
{
    SkinSource source;
    buildSampleSkin(source);
    SkinObject* form = source.object(0);
    QObject host;
    form->setState(SkinState::Hot);
    form->setActive(true);
    form->setHost(&host);
    form->setRightToLeft(true);
    SkinObject* deep = form->findObject("Deep");
    EXPECT_EQ(deep->state(), SkinState::Hot);
    EXPECT_TRUE(deep->active());
    EXPECT_EQ(deep->host(), &host);
    EXPECT_EQ(deep->bitmaps(), &source.bitmaps());
}

TEST(SkinState, FontsFollowTheState)
{
    SkinTextObject text;
    text.fontHot.color = 1;
    text.fontPressed.color = 2;
    text.fontFocused.color = 3;
    text.fontDisabled.color = 4;
    const SkinColor expected[9] = {clWindowText, clWindowText, clWindowText, clWindowText, clWindowText, 1, 2, 3, 4};
    for (int state = 0; state <= 8; ++state) {
        text.setState(SkinState(state));
        EXPECT_EQ(text.getFont().color, expected[state]) << state;
    }
    SkinActiveObject active;
    active.activeFont.color = 9;
    active.setState(SkinState::Pressed);
    EXPECT_EQ(active.getFont().color, 9);
    SkinActiveBitmap bitmap;
    bitmap.activeFont.color = 9;
    bitmap.setState(SkinState::Pressed); // only hot and focused use the active font
    EXPECT_EQ(bitmap.getFont().color, clWindowText);
    bitmap.setState(SkinState::Focused);
    EXPECT_EQ(bitmap.getFont().color, 9);
}

TEST(SkinHitTest, TransparentObjectsFallThroughAndLastChildWins)
{
    SkinObject root;
    root.setBounds(0, 0, 100, 100);
    auto* first = new SkinObject(&root);
    first->setBounds(0, 0, 50, 50);
    auto* second = new SkinObject(&root);
    second->setBounds(25, 25, 50, 50);
    auto* glass = new SkinObject(&root);
    glass->kind = SkinKind::Transparent;
    glass->setBounds(0, 0, 100, 100);
    EXPECT_EQ(root.objectAt(QPoint(30, 30)), second);
    EXPECT_EQ(root.objectAt(QPoint(10, 10)), first);
    EXPECT_EQ(root.objectAt(QPoint(90, 10)), &root); // only the glass is there
    EXPECT_EQ(root.objectAt(QPoint(100, 10)), nullptr);
    second->visible = false;
    EXPECT_EQ(root.objectAt(QPoint(30, 30)), first);
    root.kind = SkinKind::Transparent;
    EXPECT_EQ(root.objectAt(QPoint(30, 30)), nullptr);
}

TEST(SkinSystemButton, VisibilityPerWindowState)
{
    FakeFrame frame;
    SkinObject root;
    QMap<SkinAction, SkinSystemButton*> buttons;
    for (SkinAction a : {SkinAction::Close, SkinAction::Minimize, SkinAction::Maximize, SkinAction::Restore,
                         SkinAction::RollUp, SkinAction::RollDown, SkinAction::Tray, SkinAction::Help}) {
        auto* b = new SkinSystemButton(&root);
        b->action = a;
        buttons[a] = b;
    }
    root.setHost(&frame);
    auto visible = [&] {
        QList<SkinAction> shown;
        for (auto it = buttons.begin(); it != buttons.end(); ++it)
            if (it.value()->visible)
                shown.append(it.key());
        return shown;
    };
    root.setState(SkinState::Normal);
    EXPECT_EQ(visible(), (QList<SkinAction>{SkinAction::Close, SkinAction::Help, SkinAction::Minimize,
                                            SkinAction::Maximize, SkinAction::RollUp, SkinAction::Tray}));
    root.setState(SkinState::Maximized);
    EXPECT_EQ(visible(), (QList<SkinAction>{SkinAction::Close, SkinAction::Help, SkinAction::Minimize,
                                            SkinAction::Restore, SkinAction::RollUp, SkinAction::Tray}));
    root.setState(SkinState::Minimized);
    EXPECT_EQ(visible(),
              (QList<SkinAction>{SkinAction::Close, SkinAction::Help, SkinAction::Restore, SkinAction::Tray}));
    root.setState(SkinState::RolledUp);
    EXPECT_EQ(visible(), (QList<SkinAction>{SkinAction::Close, SkinAction::Help, SkinAction::Minimize,
                                            SkinAction::Maximize, SkinAction::RollDown, SkinAction::Tray}));
    root.setState(SkinState::Hot); // not a window state: visibility stays
    EXPECT_EQ(visible(), (QList<SkinAction>{SkinAction::Close, SkinAction::Help, SkinAction::Minimize,
                                            SkinAction::Maximize, SkinAction::RollDown, SkinAction::Tray}));

    // The program's frame: no SkinBorderIcon::Maximize, no SkinBorderIcon::Help.
    frame.icons = borderIconBit(SkinBorderIcon::Close) | borderIconBit(SkinBorderIcon::SystemMenu) |
                  borderIconBit(SkinBorderIcon::Minimize) | borderIconBit(SkinBorderIcon::RollUp) |
                  borderIconBit(SkinBorderIcon::Tray);
    for (SkinState state : {SkinState::Normal, SkinState::Maximized, SkinState::Minimized, SkinState::RolledUp}) {
        root.setState(state);
        EXPECT_FALSE(buttons[SkinAction::Maximize]->visible) << int(state);
        EXPECT_FALSE(buttons[SkinAction::Restore]->visible) << int(state);
        EXPECT_FALSE(buttons[SkinAction::Help]->visible) << int(state);
    }
}

TEST(SkinSystemButton, WithoutFrameOnlyTheStateIsStored)
{
    SkinSystemButton button;
    button.action = SkinAction::Restore;
    button.setState(SkinState::Normal);
    EXPECT_TRUE(button.visible);
    EXPECT_EQ(button.state(), SkinState::Normal);
}

TEST(SkinSystemButton, ActionRunsOnAReleaseAfterAPress)
{
    FakeFrame frame;
    SkinSystemButton button;
    button.action = SkinAction::RollUp;
    button.setHost(&frame);
    button.mouseEnter();
    button.mouseDown(Qt::LeftButton, Qt::LeftButton, QPoint(1, 1));
    button.mouseLeave();
    // Coming back with the button still held and releasing it runs the action.
    button.mouseEnter();
    button.mouseUp(Qt::LeftButton, Qt::NoButton, QPoint(1, 1));
    EXPECT_EQ(frame.actions, QList<SkinAction>{SkinAction::RollUp});
    // A release that was not preceded by a press does nothing.
    button.mouseUp(Qt::LeftButton, Qt::NoButton, QPoint(1, 1));
    EXPECT_EQ(frame.actions.size(), 1);
    EXPECT_GE(frame.redraws, 5);

    SkinSystemButton sysMenu;
    sysMenu.action = SkinAction::SystemMenu;
    sysMenu.setHost(&frame);
    sysMenu.dblClick();
    EXPECT_EQ(frame.actions.last(), SkinAction::Close);
    SkinSystemButton none;
    none.action = SkinAction::None;
    none.setHost(&frame);
    none.mouseDown(Qt::LeftButton, Qt::LeftButton, QPoint());
    none.mouseUp(Qt::LeftButton, Qt::NoButton, QPoint());
    EXPECT_EQ(frame.actions.size(), 2);
}
