#pragma once
#include <QByteArray>
#include <QString>
#include <exception>

// Every failure of the system travels as this exception; its message is what the operator reads.
class AppError : public std::exception {
public:
    explicit AppError(const QString& message);
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
