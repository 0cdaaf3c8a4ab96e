#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// What `tarvo` answers on its command line before any window: `--help` and
// `-h` print the usage, `--version` the version; the program then exits with
// the status returned. Any other argument is left to Qt (-style, -platform …)
// and the start screen opens: nullopt.
std::optional<int> answerCommandLine(const std::vector<std::string>& args, std::ostream& out);
