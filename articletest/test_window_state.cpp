#include "articletest/test_window_state.h"

namespace {
TestWindowState* current = nullptr;
}

TestWindowState::TestWindowState() {
    current = this;
}

TestWindowState::~TestWindowState() {
    if (current == this)
        current = nullptr;
}

TestWindowState* testWindowState() {
    return current;
}
