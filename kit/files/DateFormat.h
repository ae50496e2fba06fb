#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace quorvane {

// How a workbook number format shows a date or time: the built-in date
// formats and custom ones made of y, m, d, h and s with literal text between.
// Workbooks store dates as day numbers; this turns one into what the sheet
// shows, for display only: stored values are never changed.
class DateFormat
{
public:
    // Nothing for a built-in format that isn't a date or time.
    static std::optional<DateFormat> builtIn(int id);
    // Nothing for a code that shows no date or time part (numbers, text, General).
    static std::optional<DateFormat> fromCode(const QString &code);

    // The day number (days since 1900, or since 1904 in workbooks that count
    // from then; fractions are the time of day) as the format shows it;
    // nothing when it lies outside the years a workbook can show.
    std::optional<QString> display(double serial, bool from1904) const;

    enum class Part {
        literal, year, month, monthName, day, dayName, hour, minute, second, fraction, amPm,
        elapsedHours, elapsedMinutes, elapsedSeconds,
    };
    struct Token
    {
        Part part = Part::literal;
        int width = 1; // letters written, such as 2 for "mm" or 4 for "yyyy"
        QString text;  // literal text, or the "AM/PM" marker as written
    };

private:
    explicit DateFormat(QList<Token> tokens);
    QList<Token> m_tokens;
    bool m_twelveHour = false;
};

} // namespace quorvane
