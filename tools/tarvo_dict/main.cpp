#include "commands.h"

#include <filesystem>
#include <iostream>
#include <system_error>

int main(int argc, char** argv) {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string defaultDir =
        ec ? std::string("hzlib") : (exe.parent_path() / "hzlib").string();
    return runTarvoDict(std::vector<std::string>(argv + 1, argv + argc), defaultDir, std::cout,
                        std::cerr);
}
