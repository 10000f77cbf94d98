#include "randomsource.h"

#include <chrono>

RandomSource::~RandomSource() = default;

ClockSeededRandom::ClockSeededRandom()
{
    seedFromClock();
}

void ClockSeededRandom::seedFromClock()
{
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    const auto wide = static_cast<unsigned long long>(ticks);
    std::seed_seq seq{static_cast<unsigned int>(wide), static_cast<unsigned int>(wide >> 32)};
    m_engine.seed(seq);
}

void ClockSeededRandom::seed(unsigned int value)
{
    m_engine.seed(value);
}

float ClockSeededRandom::next()
{
    return toUnitFloat(static_cast<unsigned int>(m_engine()));
}

float ClockSeededRandom::toUnitFloat(unsigned int bits)
{
    return static_cast<float>(bits >> 8) * (1.0f / 16777216.0f);
}
