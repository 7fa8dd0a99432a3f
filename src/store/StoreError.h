#pragma once

#include "wire/Error.h"

namespace zandrel {

// A store request answered with a status outside 200-299 (status 0: the answer was not HTTP).
// Description: "API error <status>: <body>".
class StoreError : public Error {
public:
    StoreError(int status, QString body);

    int status() const { return status_; }
    const QString& body() const { return body_; }

    // Longer bodies are cut short in the description, so a huge error page cannot flood the view.
    static constexpr qsizetype maxBodyInDescription = 2000;

    // The body as text, or empty text when it is not valid UTF-8.
    static QString bodyText(const QByteArray& bytes);

private:
    int status_;
    QString body_;
};

} // namespace zandrel
