#pragma once
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

// One field of the current row, read from either database. NULL reads as "", 0 or 30-12-1899.
class FieldValue {
public:
    FieldValue() = default;  // NULL
    static FieldValue null() { return FieldValue(); }
    static FieldValue text(const QString& v) { return FieldValue(QVariant(v)); }
    static FieldValue integer(qint64 v) { return FieldValue(QVariant(v)); }
    static FieldValue real(double v) { return FieldValue(QVariant(v)); }
    static FieldValue dateTime(const QDateTime& v) { return FieldValue(QVariant(v)); }

    bool isNull() const { return !m_value.isValid(); }
    QString asString() const;
    qint64 asInteger() const;    // raises AppError when the value is not a whole number
    double asFloat() const;      // raises AppError when the value is not a number
    std::optional<double> toFloat() const;  // asFloat's number, or none where it would raise
    QDateTime asDateTime() const;  // raises AppError when the value is not a date

    static QDateTime zeroDate();  // 30-12-1899 00:00, day 0 of the date scale

private:
    explicit FieldValue(QVariant v) : m_value(std::move(v)) {}
    QVariant m_value;
};
