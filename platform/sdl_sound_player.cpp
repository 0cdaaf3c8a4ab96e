#include "platform/sdl_sound_player.h"

#include "platform/regular_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <SDL.h>
#include <SDL_mixer.h>

Q_LOGGING_CATEGORY(lcSound, "tarvo.platform.sound")

namespace {

constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int kChannel = 0;
// The largest sound file read: the cues and the pause music are far smaller.
constexpr qint64 kMaxSoundBytes = 16 * 1024 * 1024;

bool isMidi(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("mid") || suffix == QLatin1String("midi");
}

} // namespace

SdlSoundPlayer::SdlSoundPlayer(std::function<void(const QString&)> unavailable)
    : unavailable_(std::move(unavailable)) {}

SdlSoundPlayer::~SdlSoundPlayer() {
    close();
    if (deviceOpen_) {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

QString SdlSoundPlayer::findIgnoringCase(const QString& name) {
    if (QFileInfo::exists(name))
        return name;
    const bool absolute = name.startsWith(u'/');
    QDir dir(absolute ? QStringLiteral("/") : QDir::currentPath());
    const QStringList parts = name.split(u'/', Qt::SkipEmptyParts);
    QStringList found;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QString match;
        for (const QString& entry : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            if (entry.compare(parts[i], Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
        }
        if (match.isEmpty())
            return name;
        found << match;
        if (i + 1 < parts.size() && !dir.cd(match))
            return name;
    }
    return (absolute ? QStringLiteral("/") : QString()) + found.join(u'/');
}

void SdlSoundPlayer::report(const QString& message) {
    qCWarning(lcSound).noquote() << message;
    problem_ = message;
}

bool SdlSoundPlayer::ensureDevice() {
    if (deviceTried_)
        return deviceOpen_;
    deviceTried_ = true;
    // SDL would otherwise take SIGINT and SIGTERM for itself, and a logout or
    // `kill` would no longer end the program.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        qCWarning(lcSound) << "SDL audio:" << SDL_GetError();
        deviceProblem_ = QStringLiteral("无法使用声音设备，练习时将不播放声音。");
        return false;
    }
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        qCWarning(lcSound) << "SDL_mixer:" << Mix_GetError();
        deviceProblem_ = QStringLiteral("无法打开声音设备，练习时将不播放声音。");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    if (QFileInfo::exists(QString::fromLatin1(kSoundFont)))
        Mix_SetSoundFonts(kSoundFont);
    Mix_AllocateChannels(1);
    deviceOpen_ = true;
    return true;
}

void SdlSoundPlayer::open() {
    close(); // one sound at a time: a new one ends the one before
    problem_.clear();
    if (!ensureDevice()) {
        problem_ = deviceProblem_;
        return;
    }
    const QString path = findIgnoringCase(fileName_);
    // Read through the regular-file reader: a folder, a FIFO or a file
    // nobody may read is named for what it is, and a FIFO never waits.
    const regularfile::Contents file = regularfile::read(path, kMaxSoundBytes);
    if (file.status == regularfile::Contents::Status::Missing) {
        report(QStringLiteral("找不到声音文件 %1，练习时将不播放它。")
                   .arg(regularfile::fullPath(fileName_)));
        return;
    }
    if (!file.ok()) {
        report(QStringLiteral("无法读取声音文件 %1（%2），练习时将不播放它。")
                   .arg(regularfile::fullPath(path), file.reason));
        return;
    }
    // SDL reads the sound from memory; the bytes stay until the sound closes.
    bytes_ = file.bytes;
    SDL_RWops* source = SDL_RWFromConstMem(bytes_.constData(), static_cast<int>(bytes_.size()));
    if (isMidi(path))
        music_ = Mix_LoadMUS_RW(source, 1);
    else
        chunk_ = Mix_LoadWAV_RW(source, 1);
    if (!music_ && !chunk_) {
        qCWarning(lcSound) << "SDL_mixer:" << Mix_GetError();
        bytes_.clear();
        report(QStringLiteral("无法读取声音文件 %1：文件可能已损坏，练习时将不播放它。")
                   .arg(regularfile::fullPath(path)));
        return;
    }
    openedFile_ = path;
}

void SdlSoundPlayer::play() {
    // A sound asked for that cannot sound: the learner is told once, and the
    // caller goes on. (Opening alone, as the probe does, tells nothing.)
    if (!chunk_ && !music_ && !problem_.isEmpty() && !reported_ && unavailable_) {
        reported_ = true;
        unavailable_(problem_);
    }
    if (chunk_)
        Mix_PlayChannel(kChannel, chunk_, 0);
    else if (music_)
        Mix_PlayMusic(music_, -1); // the pause music loops until the player closes
}

void SdlSoundPlayer::close() {
    if (chunk_) {
        Mix_HaltChannel(kChannel);
        Mix_FreeChunk(chunk_);
        chunk_ = nullptr;
    }
    if (music_) {
        Mix_HaltMusic();
        Mix_FreeMusic(music_);
        music_ = nullptr;
    }
    openedFile_.clear();
    bytes_.clear();
}

bool SdlSoundPlayer::canPlay() const {
    return deviceOpen_ && (chunk_ || music_);
}

bool SdlSoundPlayer::isPlaying() const {
    return deviceOpen_ && (Mix_Playing(kChannel) > 0 || Mix_PlayingMusic() > 0);
}
