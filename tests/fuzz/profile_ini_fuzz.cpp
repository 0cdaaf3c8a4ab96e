// Feeds arbitrary bytes to the profile reader as the contents of "Server.ini".
#include "platform/profile_ini.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    readProfileValue(bytes, "ServerSetup", "Address");
    readProfileValue(bytes, bytes.substr(0, 8), bytes.substr(size / 2, 6));
    return 0;
}
