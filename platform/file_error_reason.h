#pragma once

#include <QString>

class QFileDevice;

// The reason a file operation failed, in Chinese, for the learner's messages.
// The system's own reason texts are English; these name the common causes
// (missing file, no permission, a folder where a file was expected, a full
// disk) and fall back to a general reason with the error number.
QString errnoReason(int error);

// The reason of the last failed operation on `file`.
QString fileErrorReason(const QFileDevice& file);
