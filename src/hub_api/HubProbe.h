#pragma once

#include <QString>

namespace zandrel {

// What one GET /api on the Hub's port found.
struct HubProbe {
    enum class Outcome {
        Running,          // HTTP 200, whatever the body
        InvalidPort,      // outside 1–65535: nothing was tried
        NothingListening, // the connection was refused
        NotTheHub,        // an HTTP answer with another status
        OtherProgram,     // the connection opened, but no HTTP answer came back
        Failed,           // anything else, such as a time-out: see description
    };

    explicit HubProbe(Outcome outcome, int status = 0, QString description = {})
        : outcome(outcome)
        , status(status)
        , description(std::move(description))
    {}

    Outcome outcome;
    int status;          // the HTTP status, when there was one
    QString description; // the transport's own words, for Failed
};

} // namespace zandrel
