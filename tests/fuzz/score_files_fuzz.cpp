// Feeds arbitrary bytes to the readers of the score files: the first byte
// picks the file ("record.dat" of the article test, "record.txt" of the
// warm-up, "phb.txt" of the training's record holders), the rest is its
// contents, written to a temporary file.
#include "articletest/top_ten_file.h"
#include "platform/user_error.h"
#include "records/record_holders_file.h"
#include "warmup/warmup_log.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("score"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char*>(data + 1), static_cast<qint64>(size - 1));
    }
    try {
        if (data[0] % 3 == 2) {
            // A record saved into a sound file changes its slot and nothing else.
            const RecordHoldersFile file(path);
            const auto before = file.load();
            const int slot = data[0] % RecordHoldersFile::kSlots;
            const QString score = QString::number(data[0]);
            if (before.damage.isEmpty() && file.judge_record(slot, score).record) {
                file.save_record(slot, QStringLiteral("小明"), score);
                const auto after = file.load();
                const size_t at = static_cast<size_t>(slot) * RecordHoldersFile::kSlotBytes;
                std::string expected = before.bytes;
                expected.replace(at, RecordHoldersFile::kSlotBytes,
                                 RecordHoldersFile::nameField(QStringLiteral("小明")) +
                                     RecordHoldersFile::alignScore(score));
                if (!after.damage.isEmpty() || after.bytes != expected)
                    __builtin_trap();
            }
        } else if (data[0] % 3 == 0) {
            TopTenFile file(path);
            QString notice;
            file.read(&notice);
            if (file.admits(data[0], &notice))
                file.add({"\xD0\xA1\xC3\xF7", data[0]});
            file.read();
            // Whatever the file held, the list written is a sound one.
            QFile written(path);
            if (written.open(QIODevice::ReadOnly) &&
                !TopTenFile::damage(written.readAll().toStdString()).isEmpty())
                __builtin_trap();
        } else {
            warmuplog::read(path);
        }
    } catch (const UserError&) {
        // reported to the learner by name: fine
    }
    QFile::remove(path + QStringLiteral(".damaged")); // the copy a damaged list is kept in
    return 0;
}
