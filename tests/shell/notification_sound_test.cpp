// The notification sound loads the audio system (the sound module and Qt
// Multimedia with it) on the first sound that plays, not at start-up, and the
// game goes on silently when there is no module or no audio device.
#include <gtest/gtest.h>

#include <algorithm>

#include <QCoreApplication>
#include <QFile>
#include <QUrl>

#include "shell/NotificationSound.h"

using corvane::shell::NotificationSound;

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
    NotificationSound sound(wave);
    EXPECT_FALSE(sound.hasPlayer());

    sound.setMuted(true);
    sound.play();
    EXPECT_EQ(sound.playCount(), 1);
    EXPECT_FALSE(sound.hasPlayer());
    EXPECT_FALSE(mapped("libcorvane_sound.so"));
    EXPECT_FALSE(mapped("libQt6Multimedia"));

    sound.setMuted(false);
    sound.play(); // whatever audio the machine has, often none in a test run
    EXPECT_EQ(sound.playCount(), 2);
    EXPECT_TRUE(sound.hasPlayer());
    EXPECT_TRUE(mapped("libcorvane_sound.so"));
    EXPECT_TRUE(mapped("libQt6Multimedia"));

    sound.play(); // a sound still playing starts over
    EXPECT_EQ(sound.playCount(), 3);
}

TEST(NotificationSound, LooksBesideTheProgramFirst)
{
    const QStringList paths = NotificationSound::defaultModulePaths();
    ASSERT_FALSE(paths.isEmpty());
    EXPECT_EQ(paths.first(), QCoreApplication::applicationDirPath() + QStringLiteral("/libcorvane_sound.so"));
    EXPECT_TRUE(std::any_of(paths.begin(), paths.end(), [](const QString& path) { return QFile::exists(path); }))
        << "the build puts the module where the program finds it";
}

TEST(NotificationSound, WithoutTheModuleTheGameGoesOnSilently)
{
    NotificationSound sound(wave);
    sound.setModulePaths({QStringLiteral("/nonexistent/libcorvane_sound.so"),
                          QCoreApplication::applicationFilePath()}); // exists, but is no module
    sound.play();
    sound.play();
    EXPECT_EQ(sound.playCount(), 2);
    EXPECT_FALSE(sound.hasPlayer());
}
