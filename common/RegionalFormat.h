#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>

// The workstation's regional format (pt-BR): decimal comma, no digit grouping, dd/mm/yyyy.
class RegionalFormat {
public:
    // General format, at most 15 significant digits, decimal comma; exponent form with a capital E
    // for magnitudes below 0.00001 (other than 0) or more than 15 integer digits.
    static QString floatToStr(double value);
    // Reads a number written with a decimal comma (an optional exponent is accepted).
    static bool strToFloat(const QString& text, double* value);
    // The text has the regional number form strToFloat reads (whether or not it fits a double).
    static bool isRegionalNumber(const QString& text);
    // Numbers kept as text by the legacy system: the regional form ("1234,56", "1.234,56") and
    // the database's own form ("1234.56"). A text whose dots could be digit groups or a decimal
    // point ("1.234") is refused instead of guessed.
    static bool readNumberText(const QString& text, double* value);
    static QString dateToStr(const QDate& date);          // dd/mm/yyyy
    static QString dateTimeToStr(const QDateTime& value);  // dd/mm/yyyy, plus hh:mm:ss when not midnight
    static QChar dateSeparator() { return QLatin1Char('/'); }
    static QChar decimalSeparator() { return QLatin1Char(','); }
};
