#include "db/FieldValue.h"
#include "common/AppError.h"
#include "common/RegionalFormat.h"
#include <cmath>

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
    if (const std::optional<double> v = toFloat())
        return *v;
    throw AppError(QStringLiteral("'%1' não é um valor numérico válido").arg(m_value.toString()));
}

std::optional<double> FieldValue::toFloat() const
{
    if (isNull())
        return 0.0;
    switch (m_value.typeId()) {
    case QMetaType::LongLong:
        return static_cast<double>(m_value.toLongLong());
    case QMetaType::Double:
        return m_value.toDouble();
    case QMetaType::QString: {
        double v = 0;
        if (RegionalFormat::readNumberText(m_value.toString(), &v))
            return v;
        break;
    }
    default:
        break;
    }
    return std::nullopt;
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
