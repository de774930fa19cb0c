// The notification sound loads the audio system (the sound module and Qt
// Multimedia with it) on the first sound that plays, not at start-up, and the
// game goes on silently when there is no module or no audio device.
#include <gtest/gtest.h>

#include <algorithm>

#include <QCoreApplication>
#include <QFile>
#include <QUrl>

#include "shell/NotificationSound.h"
#include "shell/WindowParts.h"

using corvane::shell::defaultSoundModulePaths;
using corvane::shell::loadModuleSoundPlayer;
using corvane::shell::NotificationSound;
using corvane::shell::testing::CountingSoundPlayer;

namespace {

bool mapped(const char* libraryName)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    return maps.readAll().contains(libraryName);
}

const QUrl wave(QStringLiteral("qrc:/art/message.wav"));

} // namespace

// One test, in this order, because loading a library cannot be undone.
TEST(NotificationSound, LoadsTheAudioSystemOnlyWhenTheFirstSoundPlays)
{
    ASSERT_FALSE(mapped("libQt6Multimedia")) << "the program must not link Qt Multimedia";
    NotificationSound sound([] { return loadModuleSoundPlayer(wave); });
    EXPECT_FALSE(mapped("libcorvane_sound.so"));
    EXPECT_FALSE(mapped("libQt6Multimedia"));

    sound.play(); // whatever audio the machine has, often none in a test run
    EXPECT_TRUE(mapped("libcorvane_sound.so"));
    EXPECT_TRUE(mapped("libQt6Multimedia"));
    sound.play(); // a sound still playing starts over
}

TEST(NotificationSound, MakesItsPlayerOnceOnTheFirstPlay)
{
    int made = 0;
    auto plays = std::make_shared<int>(0);
    NotificationSound sound([&] {
        ++made;
        return std::make_unique<CountingSoundPlayer>(plays);
    });
    EXPECT_EQ(made, 0);
    sound.play();
    sound.play();
    EXPECT_EQ(made, 1);
    EXPECT_EQ(*plays, 2);
}

TEST(NotificationSound, WithoutAPlayerTheGameGoesOnSilently)
{
    int made = 0;
    NotificationSound sound([&]() -> std::unique_ptr<corvane::shell::SoundPlayer> {
        ++made;
        return nullptr;
    });
    sound.play();
    sound.play();
    EXPECT_EQ(made, 1) << "no second search for a module that is not there";
}

TEST(NotificationSound, LooksBesideTheProgramFirst)
{
    const QStringList paths = defaultSoundModulePaths();
    ASSERT_FALSE(paths.isEmpty());
    EXPECT_EQ(paths.first(), QCoreApplication::applicationDirPath() + QStringLiteral("/libcorvane_sound.so"));
    EXPECT_TRUE(std::any_of(paths.begin(), paths.end(), [](const QString& path) { return QFile::exists(path); }))
        << "the build puts the module where the program finds it";
}

TEST(NotificationSound, NoModuleGivesNoPlayer)
{
    EXPECT_EQ(loadModuleSoundPlayer(wave, {QStringLiteral("/nonexistent/libcorvane_sound.so"),
                                           QCoreApplication::applicationFilePath()}), // exists, but is no module
              nullptr);
}
