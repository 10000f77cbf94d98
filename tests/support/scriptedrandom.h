#pragma once

#include "platform/randomsource.h"

#include <QList>

// Hands out the numbers a test queued, then 0.
class ScriptedRandom final : public RandomSource
{
public:
    QList<float> values;
    int reseeds = 0;

    void seedFromClock() override { ++reseeds; }
    float next() override { return values.isEmpty() ? 0.0f : values.takeFirst(); }
};
