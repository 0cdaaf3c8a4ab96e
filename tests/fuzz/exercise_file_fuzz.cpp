// Feeds arbitrary bytes to the exercise-file reader of the training as the
// contents of each kind's file, reads every record the way a grid is filled,
// and reads the bytes as a picture path for its code.
#include "platform/gbk_codec.h"
#include "training/exercise_kind.h"
#include "training/exercise_source.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (int k = 3; k < training::kKinds; ++k) {
        const training::KindInfo& info = training::kind(training::exerciseKind(k));
        const training::ExerciseFile file(bytes, info.recordLength, info.textBytes,
                                          info.textTrimmed);
        const int records = file.recordCount();
        for (int r = 0; r < records && r < 64; ++r) {
            const training::ItemRecord rec =
                file.LoadItemRecord(static_cast<qint64>(r) * info.recordLength);
            gbk::toUnicode(rec.text);
        }
        // Past the end: nothing, never a read beyond the bytes.
        file.LoadItemRecord(static_cast<qint64>(records) * info.recordLength + 3);
    }
    training::CodeFromFileName(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(size)));
    return 0;
}
