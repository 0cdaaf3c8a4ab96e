#pragma once

#include <cstdint>
#include <functional>
#include <random>

// The one random generator of the training: uniform whole numbers 0 to n−1,
// seeded from the clock at each fill of a grid. Tests put a fixed seed or a
// scripted sequence in its place.
namespace training {

class RandomDraw {
public:
    virtual ~RandomDraw() = default;
    virtual void seedFromClock() = 0;
    // Uniform in 0 … n−1; 0 when n < 1.
    virtual int below(int n) = 0;
};

// A Mersenne twister; seedFromClock() takes the clock unless a fixed seed
// was given.
class ClockSeededDraw : public RandomDraw {
public:
    ClockSeededDraw() = default;
    explicit ClockSeededDraw(std::uint32_t fixedSeed) : fixed_(true), seed_(fixedSeed) {}
    void seedFromClock() override;
    int below(int n) override;

private:
    bool fixed_ = false;
    std::uint32_t seed_ = 0;
    std::mt19937 engine_;
};

} // namespace training
