#include "db/FieldValue.h"
#include "common/AppError.h"
#include "common/RegionalFormat.h"
#include <cmath>

namespace {
bool isAsciiDigit(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }

// Reads a sign and then digits from i on; the number of digits read.
qsizetype signAndDigits(const QString& t, qsizetype& i)
{
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    const qsizetype from = i;
    while (i < t.size() && isAsciiDigit(t[i]))
        ++i;
    return i - from;
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
    while (i < t.size() && isAsciiDigit(t[i]))
        ++i;
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
    const qsizetype n = t.size();
    const qsizetype whole = signAndDigits(t, i);
    if (i >= n || t[i] != QLatin1Char('.'))
        return false;
    ++i;
    qsizetype fraction = 0;
    while (i < n && isAsciiDigit(t[i]))
        ++i, ++fraction;
    if (whole == 0 && fraction == 0)
        return false;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        ++i;
        if (signAndDigits(t, i) == 0)
            return false;
    }
    return i == n;
}

// Numbers kept as text by the legacy system: the regional form ("1234,56", "1.234,56") and the
// database's own form ("1234.56"). A text whose dots could be digit groups or a decimal point
// ("1.234") is refused instead of guessed.
bool readNumberText(const QString& text, double* value)
{
    if (RegionalFormat::strToFloat(text, value))
        return true;
    const QString t = text.trimmed();
    if (isGrouped(t))
        return RegionalFormat::strToFloat(QString(t).remove(QLatin1Char('.')), value);
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
}  // namespace

QDateTime FieldValue::zeroDate() { return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC); }

QString FieldValue::asString() const
{
    if (isNull())
        return QString();
    switch (m_value.typeId()) {
    case QMetaType::Double:
        return RegionalFormat::floatToStr(m_value.toDouble());
    case QMetaType::QDateTime:
        return RegionalFormat::dateTimeToStr(m_value.toDateTime());
    default:
        return m_value.toString();
    }
}

qint64 FieldValue::asInteger() const
{
    if (isNull())
        return 0;
    switch (m_value.typeId()) {
    case QMetaType::LongLong:
        return m_value.toLongLong();
    case QMetaType::Double: {
        const double d = m_value.toDouble();
        if (std::isfinite(d) && std::fabs(d) < 9.2e18)
            return static_cast<qint64>(std::llround(d));
        break;
    }
    case QMetaType::QString: {
        bool ok = false;
        const qint64 v = m_value.toString().trimmed().toLongLong(&ok);
        if (ok)
            return v;
        break;
    }
    default:
        break;
    }
    throw AppError(QStringLiteral("'%1' não é um valor inteiro válido").arg(m_value.toString()));
}

double FieldValue::asFloat() const
{
    if (isNull())
        return 0;
    switch (m_value.typeId()) {
    case QMetaType::LongLong:
        return static_cast<double>(m_value.toLongLong());
    case QMetaType::Double:
        return m_value.toDouble();
    case QMetaType::QString: {
        double v = 0;
        if (readNumberText(m_value.toString(), &v))
            return v;
        break;
    }
    default:
        break;
    }
    throw AppError(QStringLiteral("'%1' não é um valor numérico válido").arg(m_value.toString()));
}

QDateTime FieldValue::asDateTime() const
{
    if (isNull())
        return zeroDate();
    if (m_value.typeId() == QMetaType::QDateTime)
        return m_value.toDateTime();
    if (m_value.typeId() == QMetaType::QString) {
        const QString s = m_value.toString().trimmed();
        const QString datePart = s.section(QLatin1Char(' '), 0, 0);
        const QString timePart = s.section(QLatin1Char(' '), 1, 1);
        QDate date = QDate::fromString(datePart, QStringLiteral("dd/MM/yyyy"));
        if (!date.isValid())
            date = QDate::fromString(datePart, QStringLiteral("yyyy-MM-dd"));
        QTime time = timePart.isEmpty() ? QTime(0, 0) : QTime::fromString(timePart, QStringLiteral("HH:mm:ss"));
        if (date.isValid() && time.isValid())
            return QDateTime(date, time, Qt::UTC);
    }
    if (m_value.typeId() == QMetaType::Double || m_value.typeId() == QMetaType::LongLong) {
        const double days = m_value.toDouble();
        const qint64 ms = static_cast<qint64>(std::llround(days * 86400000.0));
        return zeroDate().addMSecs(ms);
    }
    throw AppError(QStringLiteral("'%1' não é uma data válida").arg(m_value.toString()));
}
