#pragma once

#include "platform/pad_key.h"

class QKeyEvent;

// The pad key of a key event.
PadKeyPress padKeyOf(const QKeyEvent& event);
