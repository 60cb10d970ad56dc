#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <utility>

namespace zolvaric {

// The one exception type of the core: it carries the German message the user sees.
class Error : public std::exception
{
public:
    explicit Error(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace zolvaric
