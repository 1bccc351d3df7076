#include "common/AppError.h"

AppError::AppError(const QString& message) : m_message(message), m_utf8(message.toUtf8()) {}
