#include "hub_log/HubLogLine.h"

#include <algorithm>

namespace zandrel {

namespace {

// Walks back over a run of digits ending before `end`; the value, or nothing for no digits or too many.
std::optional<qint64> digitsBefore(const char* begin, const char*& end, int maxDigits)
{
    const char* p = end;
    while (p > begin && p[-1] >= '0' && p[-1] <= '9' && end - p < maxDigits + 1)
        --p;
    if (p == end || end - p > maxDigits)
        return std::nullopt;
    qint64 value = 0;
    for (const char* d = p; d < end; ++d)
        value = value * 10 + (*d - '0');
    end = p;
    return value;
}

} // namespace

// Read from the end with plain pointers: this runs for every line of a large log.
std::optional<HubLogRequest> HubLogRequest::parse(QByteArrayView line)
{
    const char* begin = line.data();
    const char* end = begin + line.size();
    if (end > begin && end[-1] == '\r')
        --end;
    if (end - begin < 3 || end[-3] != ' ' || end[-2] != 'm' || end[-1] != 's')
        return std::nullopt;
    end -= 3;
    const auto milliseconds = digitsBefore(begin, end, 9);
    if (!milliseconds || end == begin || *--end != ' ')
        return std::nullopt;
    const char* statusEnd = end;
    const auto status = digitsBefore(begin, end, 3);
    if (!status || statusEnd - end != 3 || *status < 100 || *status > 599 || end == begin || *--end != ' ')
        return std::nullopt;
    const char* pathEnd = end;
    const char* p = begin;
    while (p < pathEnd && *p >= 'A' && *p <= 'Z' && p - begin <= 10)
        ++p;
    const qsizetype methodLength = p - begin;
    if (methodLength < 1 || methodLength > 10 || p >= pathEnd || *p != ' ')
        return std::nullopt;
    // The path is everything between, spaces included (the Hub adds " (client gone)").
    const char* path = p + 1;
    if (path >= pathEnd || *path != '/')
        return std::nullopt;
    HubLogRequest request;
    request.methodLength = int(methodLength);
    request.pathStart = int(path - begin);
    request.pathLength = int(pathEnd - path);
    request.status = int(*status);
    request.milliseconds = *milliseconds;
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

int hub_log::shownLength(QByteArrayView line)
{
    for (char c : line) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return int(shownText(line).size());
    }
    if (line.endsWith('\r'))
        line.chop(1);
    return int(std::min<qsizetype>(line.size(), maxShownCharacters + 1));
}

} // namespace zandrel
