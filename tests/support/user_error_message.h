#pragma once

#include "platform/user_error.h"

#include <QString>

#include <utility>

// What the learner is told when `action` runs: the message of the UserError
// it throws, or "" when it throws none. Other exceptions go on up and fail
// the test.
template <typename Action> QString userErrorMessage(Action&& action) {
    try {
        std::forward<Action>(action)();
        return {};
    } catch (const UserError& e) {
        return e.message();
    }
}
