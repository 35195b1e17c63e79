#include "quizrandom.h"

#include <QDateTime>

#include <chrono>

void ClockRandom::reseed()
{
    // The wall clock's milliseconds mixed with the steady clock's nanoseconds, so two reseeds
    // within one millisecond still differ.
    const auto steady = std::chrono::steady_clock::now().time_since_epoch();
    const quint64 nanos =
        quint64(std::chrono::duration_cast<std::chrono::nanoseconds>(steady).count());
    const quint64 mixed =
        quint64(QDateTime::currentMSecsSinceEpoch()) * 0x9E3779B97F4A7C15u ^ nanos;
    m_generator.seed(quint32(mixed ^ (mixed >> 32)));
}
