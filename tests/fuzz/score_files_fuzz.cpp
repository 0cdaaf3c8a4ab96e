// Feeds arbitrary bytes to the readers of the score files: the first byte
// picks the file ("record.dat" of the article test, "record.txt" of the
// warm-up), the rest is its contents, written to a temporary file.
#include "top_ten_file.h"
#include "user_error.h"
#include "warmup_log.h"

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
        if (data[0] % 2 == 0) {
            TopTenFile file(path);
            file.read();
            if (file.admits(data[0]))
                file.add({"\xD0\xA1\xC3\xF7", data[0]});
            file.read();
        } else {
            warmuplog::read(path);
        }
    } catch (const UserError&) {
        // reported to the learner by name: fine
    }
    return 0;
}
