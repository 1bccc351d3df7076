#include "common/RegionalFormat.h"
#include <QRegularExpression>
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
bool isAsciiDigit(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }
// The blanks a number may carry around it: space, tab, line feed, vertical tab, form feed, return.
bool isAsciiBlank(QChar c) { return c.unicode() == u' ' || (c.unicode() >= u'\t' && c.unicode() <= u'\r'); }
}  // namespace

bool RegionalFormat::isRegionalNumber(const QString& text)
{
    // Blanks, a sign, digits with a decimal comma ("12", "12,", "12,5", ",5"), an exponent
    // ("e-3"), blanks. Read by hand: every number field of every row passes here.
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < n && isAsciiDigit(text[i]))
            ++i;
        return i - from;
    };
    while (i < n && isAsciiBlank(text[i]))
        ++i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    if (digits() > 0) {
        if (i < n && text[i] == QLatin1Char(','))
            ++i, digits();
    } else {
        if (i >= n || text[i] != QLatin1Char(','))
            return false;
        ++i;
        if (digits() == 0)
            return false;
    }
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            ++i;
        if (digits() == 0)
            return false;
    }
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
