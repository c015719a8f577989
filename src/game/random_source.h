#pragma once

#include <random>

// The random numbers of the shuffle: uniform in [0, 1). The game seeds the
// source from the clock at every new game; tests replace it.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual void seedFromClock() = 0;
    virtual double next() = 0;
};

// The program's own source: a Mersenne twister seeded from the time of day.
class ClockSeededRandom : public RandomSource
{
public:
    void seedFromClock() override;
    double next() override;

private:
    std::mt19937_64 m_engine;
};

// A fixed seed that the clock does not change: the same shuffles on every run.
class SeededRandom : public RandomSource
{
public:
    explicit SeededRandom(unsigned long long seed) : m_engine(seed) {}
    void seedFromClock() override {}
    double next() override;

private:
    std::mt19937_64 m_engine;
};
