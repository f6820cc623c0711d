#pragma once

#include <QString>

#include <stdexcept>

namespace vk {

// The ordinary run-time error of this system. Its text is shown to the user as it stands, so it
// is written in Turkish.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const noexcept { return m_text; }

private:
    QString m_text;
};

// The link to the server could not be opened, or broke during a call.
class ConnectionError : public Error {
public:
    using Error::Error;
};

// The server answered something that is not a valid reply: nothing of it is used.
class ProtocolError : public Error {
public:
    using Error::Error;
};

// The server carried the call out and reported a failure with its own message.
class ServerError : public Error {
public:
    using Error::Error;
};

} // namespace vk
