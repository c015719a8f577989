#include "random_source.h"

#include <chrono>

namespace {

double unitInterval(std::mt19937_64 &engine)
{
    // 53 random bits give every double in [0, 1) that is a multiple of 2^-53.
    return static_cast<double>(engine() >> 11) * 0x1.0p-53;
}

} // namespace

void ClockSeededRandom::seedFromClock()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch();
    m_engine.seed(static_cast<unsigned long long>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()
        ^ (std::chrono::duration_cast<std::chrono::nanoseconds>(ticks).count() << 1)));
}

double ClockSeededRandom::next() { return unitInterval(m_engine); }

double SeededRandom::next() { return unitInterval(m_engine); }
