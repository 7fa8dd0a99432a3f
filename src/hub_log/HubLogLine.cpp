#include "hub_log/HubLogLine.h"

#include <algorithm>

namespace zandrel {

namespace {

bool isDigits(QByteArrayView text, qsizetype maxLength)
{
    if (text.isEmpty() || text.size() > maxLength)
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

std::optional<HubLogRequest> HubLogRequest::parse(QByteArrayView line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    if (!line.endsWith(" ms"))
        return std::nullopt;
    line.chop(3);
    const qsizetype msStart = line.lastIndexOf(' ') + 1;
    if (msStart <= 0 || !isDigits(line.sliced(msStart), 9))
        return std::nullopt;
    const QByteArrayView beforeMs = line.first(msStart - 1);
    const qsizetype statusStart = beforeMs.lastIndexOf(' ') + 1;
    const QByteArrayView status = beforeMs.sliced(statusStart);
    if (statusStart <= 0 || status.size() != 3 || !isDigits(status, 3) || status[0] < '1' || status[0] > '5')
        return std::nullopt;
    const qsizetype methodEnd = beforeMs.indexOf(' ');
    if (methodEnd < 1 || methodEnd > 10)
        return std::nullopt;
    for (char c : beforeMs.first(methodEnd)) {
        if (c < 'A' || c > 'Z')
            return std::nullopt;
    }
    // The path is everything between, spaces included (the Hub adds " (client gone)").
    const qsizetype pathStart = methodEnd + 1;
    const qsizetype pathLength = statusStart - 1 - pathStart;
    if (pathLength < 1 || beforeMs[pathStart] != '/')
        return std::nullopt;
    HubLogRequest request;
    request.methodLength = int(methodEnd);
    request.pathStart = int(pathStart);
    request.pathLength = int(pathLength);
    request.status = status.toInt();
    request.milliseconds = line.sliced(msStart).toLongLong();
    return request;
}

QString hub_log::shownText(QByteArrayView line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    // A UTF-8 character is at most 4 bytes: decode only what can be shown.
    const qsizetype byteLimit = qsizetype(maxShownCharacters) * 4;
    const bool bytesCut = line.size() > byteLimit;
    QString text = QString::fromUtf8(bytesCut ? line.first(byteLimit) : line);
    if (bytesCut || text.size() > maxShownCharacters) {
        qsizetype keep = std::min<qsizetype>(text.size(), maxShownCharacters);
        if (keep > 0 && text.at(keep - 1).isHighSurrogate())
            --keep; // never half a character
        text.truncate(keep);
        text += QChar(0x2026);
    }
    return text;
}

} // namespace zandrel
