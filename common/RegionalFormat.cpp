#include "common/RegionalFormat.h"
#include <cmath>

namespace {
QString stripZeros(QString digits)
{
    if (digits.contains(QLatin1Char('.'))) {
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        if (digits.endsWith(QLatin1Char('.')))
            digits.chop(1);
    }
    return digits;
}
}  // namespace

QString RegionalFormat::floatToStr(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");
    // A whole number of at most fifteen digits is its own general form (quantities, codes).
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return QString::number(static_cast<qint64>(value));
    // Fifteen significant digits, rounded once; the exponent is read from the rounded form.
    const QString sci = QString::number(value, 'e', 14);
    const int ePos = sci.indexOf(QLatin1Char('e'));
    const int exponent = sci.mid(ePos + 1).toInt();
    QString out;
    if (exponent >= 15 || std::fabs(value) < 0.00001) {
        out = stripZeros(sci.left(ePos)) + QLatin1Char('E') + QString::number(exponent);
    } else {
        const int decimals = std::max(0, 14 - exponent);
        out = stripZeros(QString::number(value, 'f', decimals));
        if (out == QLatin1String("-0"))
            out = QStringLiteral("0");
    }
    out.replace(QLatin1Char('.'), decimalSeparator());
    return out;
}

namespace {
// Number texts are read by hand, not by regular expressions: every number field of every row
// passes here. Only ASCII digits count, and only the plain blanks (space, tab, line feed,
// vertical tab, form feed, return).
bool isAsciiDigit(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }
bool isAsciiBlank(QChar c) { return c.unicode() == u' ' || (c.unicode() >= u'\t' && c.unicode() <= u'\r'); }

// Digits from i on; the number read.
qsizetype digits(const QString& t, qsizetype& i)
{
    const qsizetype from = i;
    while (i < t.size() && isAsciiDigit(t[i]))
        ++i;
    return i - from;
}

qsizetype signAndDigits(const QString& t, qsizetype& i)
{
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    return digits(t, i);
}

// An exponent ("e5", "E-3") when one starts at i; false when an "e" has no digits.
bool exponent(const QString& t, qsizetype& i)
{
    if (i >= t.size() || (t[i] != QLatin1Char('e') && t[i] != QLatin1Char('E')))
        return true;
    ++i;
    return signAndDigits(t, i) > 0;
}

// "1.234", "12.345.678": one to three digits, then groups of a dot and three digits; i stops
// after the last group.
bool digitGroups(const QString& t, qsizetype& i)
{
    const qsizetype lead = signAndDigits(t, i);
    if (lead < 1 || lead > 3)
        return false;
    int groups = 0;
    while (i + 3 < t.size() && t[i] == QLatin1Char('.') && isAsciiDigit(t[i + 1]) && isAsciiDigit(t[i + 2]) &&
           isAsciiDigit(t[i + 3]) && !(i + 4 < t.size() && isAsciiDigit(t[i + 4]))) {
        i += 4;
        ++groups;
    }
    return groups > 0;
}

// Digit groups and a decimal comma: "1.234,56", "1.234,".
bool isGrouped(const QString& t)
{
    qsizetype i = 0;
    if (!digitGroups(t, i) || i >= t.size() || t[i] != QLatin1Char(','))
        return false;
    ++i;
    digits(t, i);
    return i == t.size();
}

// Digit groups alone: "1.234" could be a thousand or one and a bit.
bool isAmbiguous(const QString& t)
{
    qsizetype i = 0;
    return digitGroups(t, i) && i == t.size();
}

// The database's form: "1234.56", "1234.", ".5", with an exponent or not.
bool isPointed(const QString& t)
{
    qsizetype i = 0;
    const qsizetype whole = signAndDigits(t, i);
    if (i >= t.size() || t[i] != QLatin1Char('.'))
        return false;
    ++i;
    if (digits(t, i) == 0 && whole == 0)
        return false;
    return exponent(t, i) && i == t.size();
}
}  // namespace

bool RegionalFormat::isRegionalNumber(const QString& text)
{
    // Blanks, a sign, digits with a decimal comma ("12", "12,", "12,5", ",5"), an exponent
    // ("e-3"), blanks.
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && isAsciiBlank(text[i]))
        ++i;
    if (signAndDigits(text, i) > 0) {
        if (i < n && text[i] == QLatin1Char(',')) {
            ++i;
            digits(text, i);
        }
    } else {
        if (i >= n || text[i] != QLatin1Char(','))
            return false;
        ++i;
        if (digits(text, i) == 0)
            return false;
    }
    if (!exponent(text, i))
        return false;
    while (i < n && isAsciiBlank(text[i]))
        ++i;
    return i == n;
}

bool RegionalFormat::strToFloat(const QString& text, double* value)
{
    if (!isRegionalNumber(text))
        return false;
    QString c = text.trimmed();
    c.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = c.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (value)
        *value = v;
    return true;
}

bool RegionalFormat::readNumberText(const QString& text, double* value)
{
    if (strToFloat(text, value))
        return true;
    const QString t = text.trimmed();
    if (isGrouped(t))
        return strToFloat(QString(t).remove(QLatin1Char('.')), value);
    if (isPointed(t) && !isAmbiguous(t)) {
        bool ok = false;
        const double v = t.toDouble(&ok);
        if (ok && std::isfinite(v)) {
            *value = v;
            return true;
        }
    }
    return false;
}

QString RegionalFormat::dateToStr(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString RegionalFormat::dateTimeToStr(const QDateTime& value)
{
    if (value.time() == QTime(0, 0))
        return dateToStr(value.date());
    return dateToStr(value.date()) + QLatin1Char(' ') + value.time().toString(QStringLiteral("HH:mm:ss"));
}
