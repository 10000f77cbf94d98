#include "clock.h"

namespace {

// Regional long-time formats often end in the time zone ("t"), which a time
// stamp typed into a manuscript does not carry.
QString withoutTimeZone(QString format)
{
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out.append(c);
    }
    return out.trimmed();
}

} // namespace

Clock::~Clock() = default;

QString Clock::shortDate(QDate date) const
{
    return locale().toString(date, QLocale::ShortFormat);
}

QString Clock::generalDate(const QDateTime &moment) const
{
    const QLocale loc = locale();
    const QString timeFormat = withoutTimeZone(loc.timeFormat(QLocale::LongFormat));
    return loc.toString(moment.date(), QLocale::ShortFormat) + u' ' + loc.toString(moment.time(), timeFormat);
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

QLocale SystemClock::locale() const
{
    return QLocale::system();
}
