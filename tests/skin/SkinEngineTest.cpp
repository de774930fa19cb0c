// The engine's change protocol: the skin-changing event / the skin-changed event reach every
// widget of every window, around a skin file load and a hue change, and a
// load that fails announces nothing.
#include "skin/SkinEngine.h"
#include "skin/stream/SkinFilter.h"
#include "skin/writer/SkinFileWriter.h"
#include "tests/skin/SkinTestSkins.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

// Records the skin notifications it receives, and what the engine's lookups
// answer at that moment.
class Listener : public QWidget {
public:
    explicit Listener(QWidget* parent = nullptr) : QWidget(parent) { }
    bool event(QEvent* e) override
    {
        if (e->type() == skinChangingEvent() || e->type() == skinChangedEvent()) {
            auto* change = static_cast<SkinChangeEvent*>(e);
            received.append(int(e->type()));
            formFound.append(change->engine()->formObject() != nullptr);
            return true;
        }
        return QWidget::event(e);
    }
    QList<int> received;
    QList<bool> formFound;
};

QString writeSkinFile(const QTemporaryDir& dir, const QString& name, const SkinSource& source)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(writeSkin(*skinFilterForFile(path), source));
    return path;
}

} // namespace

TEST(SkinEngine, FileLoadsAreAnnouncedToEveryWidgetOfEveryWindow)
{
    QTemporaryDir dir;
    SkinSource sample;
    buildSampleSkin(sample);
    const QString first = writeSkinFile(dir, "first.xskn", sample);
    sample.skinName = "Second";
    const QString second = writeSkinFile(dir, "second.MSKN", sample);

    Listener window1;
    auto* inner = new Listener(new QWidget(&window1)); // a control nested two levels down
    Listener window2;                                  // another top-level window, never shown
    SkinEngine engine;

    // Without a skin loaded there is nothing to let go of: only the "changed" message.
    engine.loadSkinFile(first);
    EXPECT_EQ(engine.source().skinName, "Sample");
    for (Listener* l : {&window1, inner, &window2})
        EXPECT_EQ(l->received, QList<int>{skinChangedEvent()});

    // Replacing a skin: "changing" while the lookups already find nothing,
    // then "changed" with the new skin in place.
    engine.loadSkinFile(second);
    EXPECT_EQ(engine.source().skinName, "Second");
    EXPECT_EQ(inner->received, (QList<int>{skinChangedEvent(), skinChangingEvent(), skinChangedEvent()}));
    EXPECT_EQ(inner->formFound, (QList<bool>{true, false, true}));
    EXPECT_EQ(window2.received.size(), 3);

    // A broken file: an error, the skin and the name stay, nobody hears of it.
    const QString broken = dir.filePath("broken.uskn");
    QFile file(broken);
    file.open(QIODevice::WriteOnly);
    file.write(writePlainBody(sample).left(300));
    file.close();
    EXPECT_THROW(engine.loadSkinFile(broken), SkinError);
    EXPECT_EQ(engine.source().skinName, "Second");
    EXPECT_EQ(inner->received.size(), 3);

    // A missing file, or one of no filter's extension, is as broken.
    QFile::copy(second, dir.filePath("second.bmp"));
    for (const QString& name : {dir.filePath("none.tqkn"), dir.filePath("second.bmp")}) {
        EXPECT_THROW(engine.loadSkinFile(name), SkinError);
        EXPECT_EQ(engine.source().skinName, "Second");
    }
    EXPECT_EQ(inner->received.size(), 3);
}

TEST(SkinEngine, HueChangesAreBracketedAndAppliedOnce)
{
    SkinSource sample;
    buildSampleSkin(sample);
    SkinEngine engine;
    engine.setDeltaHue(85); // stored before any skin: applied when one loads
    engine.readSkinStream(writeSkinStream(&sample));
    const SkinColor shifted = engine.findObject("Form")->findObject("Item")->color;
    EXPECT_NE(shifted, 14148072);

    Listener window;
    engine.setDeltaHue(0);
    EXPECT_EQ(window.received, (QList<int>{skinChangingEvent(), skinChangedEvent()}));
    EXPECT_EQ(engine.findObject("Form")->findObject("Item")->color, 14148072);
}

TEST(SkinEngine, WithoutASkinTheStreamSaysSo)
{
    SkinEngine engine;
    EXPECT_EQ(engine.source().skinName, "Default Skin");
    EXPECT_EQ(engine.source().skinVersion, "3.2.0");
    EXPECT_EQ(writeSkinStream(&engine.source()), QByteArray(1, '\0'));
}
