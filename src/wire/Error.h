#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace zandrel {

// Base of every error the application raises. `description()` is the text shown to the user.
class Error : public std::exception {
public:
    explicit Error(QString description);
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return what_.constData(); }

protected:
    void setDescription(QString description);

private:
    QString description_;
    QByteArray what_;
};

// The Hub could not be reached or the exchange broke off: refused, reset, timed out.
class TransportError : public Error {
public:
    // What happened on the connection, for callers that explain more than the description says.
    enum class Kind {
        Refused,     // nothing listens on the port
        ClosedEarly, // the connection opened, then closed before an answer
        TimedOut,
        Other,
    };

    explicit TransportError(QString description, Kind kind = Kind::Other)
        : Error(std::move(description))
        , kind_(kind)
    {}

    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// The Hub answered, but not in a way the operation accepts (a wrong status, not HTTP, too large).
class BadServerResponseError : public Error {
public:
    using Error::Error;
};

// A request the application refuses to send because an argument is unsafe or malformed.
class InvalidRequestError : public Error {
public:
    using Error::Error;
};

// The application is quitting: exchanges in flight were ended and no new one is sent. Nobody reports it.
class ShutdownError : public TransportError {
public:
    using TransportError::TransportError;
};

// Describes whatever was thrown, for places that only show a message.
QString describeException(std::exception_ptr error);

} // namespace zandrel
