#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace zandrel {

// One line of the Hub's log. The Hub writes a line per request, "GET /api/apps 200 3 ms"; anything
// else (a start-up message, a crash's output) is kept as it is.
struct HubLogRequest {
    int methodLength = 0;
    int pathStart = 0;
    int pathLength = 0;
    int status = 0;
    qint64 milliseconds = 0;

    // The request fields of a line in the Hub's format; nothing for any other line.
    static std::optional<HubLogRequest> parse(QByteArrayView line);
};

namespace hub_log {

// A line longer than this many characters is shown cut, with "…".
constexpr int maxShownCharacters = 4096;
// What is kept of a single line: the file may hold anything, and only 4,096 characters show.
constexpr int maxLineBytes = 16 * 1024;
// An answer this slow is marked.
constexpr qint64 slowMilliseconds = 1000;

// The line as shown: decoded (invalid UTF-8 as replacement characters) and cut when too long.
QString shownText(QByteArrayView line);
// How many characters that is, without making the text when the line is plain ASCII.
int shownLength(QByteArrayView line);

} // namespace hub_log

} // namespace zandrel
