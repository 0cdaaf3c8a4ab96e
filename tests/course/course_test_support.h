#pragma once

#include "tests/support/qt_printers.h"

#include <QString>

inline QString u(const char* s) {
    return QString::fromUtf8(s);
}
