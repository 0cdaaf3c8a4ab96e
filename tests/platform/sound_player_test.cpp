// The sound output, heard through SDL's disk driver: SDL writes the mixed
// output (44.1 kHz, 16-bit stereo) to a file in real time, and the tests read
// what reached it.
#include "platform/sdl_sound_player.h"

#include "tests/damaged/damaged_inputs.h"

#include "tests/test_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

constexpr int kBytesPerSecond = 44100 * 2 * 2;

// A mono 16-bit wave file of a sine tone.
void writeTone(const QString& path, double seconds, double hz) {
    const int rate = 22050;
    const auto samples = static_cast<uint32_t>(seconds * rate);
    QByteArray data;
    for (uint32_t i = 0; i < samples; ++i) {
        const auto v = static_cast<int16_t>(12000 * std::sin(2 * M_PI * hz * i / rate));
        data.append(static_cast<char>(v & 0xFF)).append(static_cast<char>((v >> 8) & 0xFF));
    }
    auto u32 = [](uint32_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](uint16_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    QByteArray wav = "RIFF" + u32(36 + static_cast<uint32_t>(data.size())) + "WAVEfmt " + u32(16) +
                     u16(1) + u16(1) + u32(rate) + u32(rate * 2) + u16(2) + u16(16) + "data" +
                     u32(static_cast<uint32_t>(data.size())) + data;
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(wav);
}

class SoundOutput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        out_ = dir_.filePath("output.raw");
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(out_));
        QDir(dir_.path()).mkpath("Sound");
        writeTone(dir_.filePath("Sound/Long.wav"), 2.0, 440);
        writeTone(dir_.filePath("Sound/short.wav"), 0.2, 880);
    }
    void TearDown() override {
        qunsetenv("SDL_AUDIODRIVER");
        qunsetenv("SDL_DISKAUDIOFILE");
    }
    qint64 written() const { return QFileInfo(out_).size(); }
    // The loudest sample written from byte `from` on.
    int peakFrom(qint64 from) const {
        QFile f(out_);
        if (!f.open(QIODevice::ReadOnly) || !f.seek(from & ~3))
            return -1;
        const QByteArray bytes = f.readAll();
        int peak = 0;
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
            const auto v = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                                (static_cast<uint8_t>(bytes[i + 1]) << 8));
            peak = std::max(peak, std::abs(static_cast<int>(v)));
        }
        return peak;
    }
    QString path(const char* relative) const {
        return dir_.filePath(QString::fromLatin1(relative));
    }

    QTemporaryDir dir_;
    QString out_;
    QStringList reports_;
};

TEST_F(SoundOutput, AWaveCueSoundsAndANewCueEndsIt) {
    SdlSoundPlayer player([this](const QString& m) { reports_ << m; });
    // Found without regard to letter case, as the cue and the probe name one file.
    player.setFileName(path("sound/long.WAV"));
    player.open();
    ASSERT_TRUE(player.canPlay()) << reports_.join(u'\n').toStdString();
    EXPECT_EQ(player.openedFile(), path("Sound/Long.wav"));
    const qint64 start = written();
    player.play();
    std::this_thread::sleep_for(400ms);
    EXPECT_GT(peakFrom(start), 5000) << "the tone reached the output";

    // The short cue replaces the long one, which had 1.6 s left.
    player.setFileName(path("Sound/short.wav"));
    player.open();
    player.play();
    std::this_thread::sleep_for(700ms);
    const qint64 afterShort = written();
    std::this_thread::sleep_for(500ms);
    EXPECT_GT(written(), afterShort) << "the output goes on";
    EXPECT_LT(peakFrom(afterShort), 50) << "silence: the first cue ended with the second";
    EXPECT_TRUE(reports_.isEmpty());
}

TEST_F(SoundOutput, TheMidiMusicSoundsUntilThePlayerCloses) {
    SdlSoundPlayer player;
    player.setFileName(QStringLiteral(TARVO_PROGRAM_DIR "/sound/backmid.mid"));
    player.open();
    ASSERT_TRUE(player.canPlay());
    const qint64 start = written();
    player.play();
    std::this_thread::sleep_for(1500ms);
    EXPECT_GT(peakFrom(start), 1000) << "the soundfont rendered the tune";
    EXPECT_TRUE(player.isPlaying());
    player.close();
    std::this_thread::sleep_for(200ms);
    const qint64 closed = written();
    std::this_thread::sleep_for(400ms);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_LT(peakFrom(closed), 50) << "closing stopped the music at once";
}

TEST_F(SoundOutput, MissingFilesAndNoDeviceAreToldOnceAndNeverStopTheCaller) {
    {
        SdlSoundPlayer player([this](const QString& m) { reports_ << m; });
        player.setFileName(path("sound/nothing.wav"));
        player.open();
        player.play();
        EXPECT_FALSE(player.canPlay());
        player.setFileName(path("sound/also-missing.wav"));
        player.open();
        player.play();
        ASSERT_EQ(reports_.size(), 1) << "told once";
        EXPECT_TRUE(reports_[0].contains(path("sound/nothing.wav"))) << reports_[0].toStdString();
    }
    reports_.clear();
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    SdlSoundPlayer player([this](const QString& m) { reports_ << m; });
    // The probe opens without playing: it tells nothing.
    player.setFileName(path("Sound/short.wav"));
    player.open();
    EXPECT_FALSE(player.canPlay());
    EXPECT_TRUE(reports_.isEmpty());
    for (int i = 0; i < 3; ++i) {
        player.setFileName(path("Sound/short.wav"));
        player.open();
        player.play();
    }
    EXPECT_FALSE(player.canPlay());
    ASSERT_EQ(reports_.size(), 1);
    EXPECT_TRUE(reports_[0].contains(QStringLiteral("声音设备")));
}

// A sound file in the shared set of damaged inputs: each is named for what
// it is, by its full path, the player stays silent and nothing waits.
TEST_F(SoundOutput, DamagedSoundFilesAreNamedForWhatTheyAre) {
    QFile tone(path("Sound/short.wav"));
    ASSERT_TRUE(tone.open(QIODevice::ReadOnly));
    const QByteArray good = tone.readAll();
    const QString start = path("Sound/start.wav");
    damaged::checkReader(
        dir_.path(), "Sound/start.wav", good,
        [&] {
            QStringList told;
            SdlSoundPlayer player([&](const QString& m) { told << m; });
            player.setFileName(start);
            player.open();
            player.play();
            player.close();
            EXPECT_LE(told.size(), 1);
            return told.value(0);
        },
        {{damaged::Kind::Empty, "已损坏"},
         {damaged::Kind::Truncated, ""},
         {damaged::Kind::RandomBytes, "已损坏"},
         {damaged::Kind::Huge, "太大"},
         {damaged::Kind::Folder, "文件夹"},
         {damaged::Kind::Fifo, "不是普通文件"},
         {damaged::Kind::NoPermission, "没有访问权限"}},
        {}, [](damaged::Kind) { return std::set<QString>{"output.raw"}; });
}

// Once the sound device is open, SIGTERM still ends the program (SDL keeps
// its hands off the signals).
TEST_F(SoundOutput, TermEndsTheProgramAfterTheDeviceOpened) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SdlSoundPlayer player;
        player.setFileName(path("Sound/short.wav"));
        player.open();
        if (!player.canPlay())
            _exit(3);
        kill(getpid(), SIGTERM);
        std::this_thread::sleep_for(2s);
        _exit(0); // still here: the signal was taken away
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << "no device in the child";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM)
        << "exit status " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

} // namespace
