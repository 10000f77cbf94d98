#pragma once

#include <random>

// The program's one source of random numbers: uniform single-precision
// numbers in [0, 1), reseeded from the clock when a window asks for it.
class RandomSource
{
public:
    virtual ~RandomSource();
    virtual void seedFromClock() = 0;
    // At least 0 and always below 1.
    virtual float next() = 0;
};

class ClockSeededRandom final : public RandomSource
{
public:
    ClockSeededRandom();
    void seedFromClock() override;
    void seed(unsigned int value);
    float next() override;

    // The float for 32 random bits: the top 24 bits over 2^24, so 1 is never reached.
    static float toUnitFloat(unsigned int bits);

private:
    std::mt19937 m_engine;
};
