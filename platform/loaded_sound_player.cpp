#include "platform/loaded_sound_player.h"

#include "platform/module_file.h"

namespace {

SoundPlayerMaker& linkedMaker() {
    static SoundPlayerMaker maker = nullptr;
    return maker;
}

// Loads the module once: its entry, or null with the reason.
using Entry = SoundPlayer* (*)(SoundUnavailable*);
Entry moduleEntry(QString* reason) {
    static Entry entry = nullptr;
    static QString problem;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const QString path = moduleFile(QStringLiteral("tarvo-sound.so"));
        QString why;
        entry = reinterpret_cast<Entry>(loadModuleEntry(path, kSoundPlayerEntry, why));
        if (!entry)
            problem = QStringLiteral("声音输出模块 %1 不能载入（%2），训练照常进行，只是没有声音。")
                          .arg(path, why);
    }
    *reason = problem;
    return entry;
}

// Passes every call on to the module's player, made when the first sound is
// opened; silent while there is none.
class LoadedSoundPlayer : public SoundPlayer {
public:
    explicit LoadedSoundPlayer(SoundUnavailable unavailable)
        : unavailable_(std::move(unavailable)) {}

    void setFileName(const QString& path) override {
        fileName_ = path;
        if (player_)
            player_->setFileName(path);
    }
    void open() override {
        if (load())
            player_->open();
    }
    void play() override {
        if (player_)
            player_->play();
    }
    void close() override {
        if (player_)
            player_->close();
    }
    bool canPlay() const override { return player_ && player_->canPlay(); }

private:
    bool load() {
        if (player_ || tried_)
            return player_ != nullptr;
        tried_ = true;
        QString reason;
        if (Entry entry = moduleEntry(&reason)) {
            player_.reset(entry(&unavailable_));
            if (player_)
                player_->setFileName(fileName_);
        } else if (unavailable_) {
            unavailable_(reason);
        }
        return player_ != nullptr;
    }

    SoundUnavailable unavailable_;
    std::unique_ptr<SoundPlayer> player_;
    bool tried_ = false;
};

} // namespace

bool soundModuleLoads() {
    QString reason;
    return moduleEntry(&reason) != nullptr;
}

std::unique_ptr<SoundPlayer> makeSoundPlayer(SoundUnavailable unavailable) {
    if (SoundPlayerMaker maker = linkedMaker())
        return maker(std::move(unavailable));
    return std::make_unique<LoadedSoundPlayer>(std::move(unavailable));
}

void useLinkedSoundPlayer(SoundPlayerMaker maker) {
    linkedMaker() = maker;
}
