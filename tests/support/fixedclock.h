#pragma once

#include "platform/clock.h"

class FixedClock final : public Clock
{
public:
    QDateTime moment = QDateTime(QDate(2026, 12, 7), QTime(17, 4, 3));
    QLocale regional = QLocale(QLocale::English, QLocale::UnitedStates);

    QDateTime now() const override { return moment; }
    QLocale locale() const override { return regional; }
};
