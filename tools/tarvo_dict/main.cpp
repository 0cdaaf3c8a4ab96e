#include "tools/tarvo_dict/commands.h"

#include <filesystem>
#include <iostream>
#include <system_error>

namespace {

// The dictionary beside the executable (the build folder), else the one of
// an installation: <prefix>/bin/tarvo-dict reads <prefix>/share/tarvo/hzlib.
std::string defaultDictionaryDir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return "hzlib";
    const std::filesystem::path beside = exe.parent_path() / "hzlib";
    const std::filesystem::path installed =
        exe.parent_path().parent_path() / "share" / "tarvo" / "hzlib";
    if (!std::filesystem::exists(beside, ec) && std::filesystem::exists(installed, ec))
        return installed.string();
    return beside.string();
}

} // namespace

int main(int argc, char** argv) {
    int status = runTarvoDict(std::vector<std::string>(argv + 1, argv + argc),
                              defaultDictionaryDir(), std::cout, std::cerr);
    // What could not be written (a full disk, /dev/full) is a failure.
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "写入标准输出失败\n";
        status = 1;
    }
    return status;
}
