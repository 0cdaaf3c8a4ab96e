#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The subcommands of tarvo-dict. `args` excludes the program name; results go
// to `out` (UTF-8, one per line), messages to `err`. Returns the exit status.
int runTarvoDict(const std::vector<std::string>& args, const std::string& defaultDictDir,
                 std::ostream& out, std::ostream& err);
