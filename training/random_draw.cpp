#include "training/random_draw.h"

#include <chrono>

namespace training {

void ClockSeededDraw::seedFromClock() {
    if (fixed_) {
        engine_.seed(seed_);
        return;
    }
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    engine_.seed(static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

int ClockSeededDraw::below(int n) {
    if (n < 1)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

} // namespace training
