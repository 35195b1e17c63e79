#pragma once

#include <QRandomGenerator>

// The quiz's source of chance, a seam so that tests can fix the order.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    // A new start: the program reseeds from the clock; a fixed source keeps its sequence.
    virtual void reseed() = 0;
    // A uniformly random integer in [0, bound); bound is at least 1.
    virtual int below(int bound) = 0;
};

// The program's source: a generator reseeded from the clock at every start and shuffle.
class ClockRandom : public RandomSource {
public:
    ClockRandom() { reseed(); }
    void reseed() override;
    int below(int bound) override { return int(m_generator.bounded(quint32(bound))); }

private:
    QRandomGenerator m_generator;
};

// A fixed sequence for tests and benchmarks.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(quint32 seed)
        : m_generator(seed)
    {}
    void reseed() override {}
    int below(int bound) override { return int(m_generator.bounded(quint32(bound))); }

private:
    QRandomGenerator m_generator;
};
