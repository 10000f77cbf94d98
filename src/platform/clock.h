#pragma once

#include <QDateTime>
#include <QLocale>

// The time of day and the user's regional formats, as one seam so that the
// date texts that end up in file names and documents can be tested.
class Clock
{
public:
    virtual ~Clock();
    virtual QDateTime now() const = 0;
    virtual QLocale locale() const = 0;

    // The date in the user's short-date format.
    QString shortDate(QDate date) const;
    // The user's general date: the short date, one blank, the long time.
    QString generalDate(const QDateTime &moment) const;
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override;
    QLocale locale() const override;
};
