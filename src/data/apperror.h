#pragma once

#include <QString>
#include <stdexcept>

// An error that stops the operation at hand and carries the message the user sees.
// Handlers do not catch it: the application's event dispatch shows it in the standard
// error box and the program goes on.
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}

    const QString& message() const noexcept { return m_message; }

private:
    QString m_message;
};

// The conversion failures of number and date texts, with the texts the user knows.
inline AppError invalidIntegerError(const QString& text)
{
    return AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

inline AppError invalidDateError(const QString& text)
{
    return AppError(QStringLiteral("'%1' is not a valid date").arg(text));
}

inline AppError invalidFloatError(const QString& text)
{
    return AppError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}
