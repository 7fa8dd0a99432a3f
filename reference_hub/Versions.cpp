#include "Versions.h"

#include <QStringList>

namespace zandrel::hub {

namespace {

struct Part {
    qulonglong number = 0;
    QString suffix; // whatever follows the digits, e.g. "-beta"
};

Part parsePart(QStringView text)
{
    Part part;
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isDigit()) {
        // Saturate instead of overflowing on absurdly long numbers.
        const qulonglong digit = text.at(i).unicode() - u'0';
        part.number = part.number > (~0ULL - digit) / 10 ? ~0ULL : part.number * 10 + digit;
        ++i;
    }
    part.suffix = text.mid(i).toString();
    return part;
}

QList<Part> parse(const QString& version)
{
    QList<Part> parts;
    for (const QStringView piece : QStringView(version).trimmed().split(u'.'))
        parts.append(parsePart(piece));
    // Drop trailing zero parts so 1.2 and 1.2.0 are the same version.
    while (!parts.isEmpty() && parts.last().number == 0 && parts.last().suffix.isEmpty())
        parts.removeLast();
    return parts;
}

int compareSuffix(const QString& a, const QString& b)
{
    if (a == b)
        return 0;
    if (a.isEmpty())
        return 1; // 1.0.0 is newer than 1.0.0-beta
    if (b.isEmpty())
        return -1;
    return a.compare(b) < 0 ? -1 : 1;
}

} // namespace

int Versions::compare(const QString& a, const QString& b)
{
    const QList<Part> left = parse(a);
    const QList<Part> right = parse(b);
    const qsizetype count = std::max(left.size(), right.size());
    for (qsizetype i = 0; i < count; ++i) {
        const Part l = i < left.size() ? left.at(i) : Part{};
        const Part r = i < right.size() ? right.at(i) : Part{};
        if (l.number != r.number)
            return l.number < r.number ? -1 : 1;
        if (const int bySuffix = compareSuffix(l.suffix, r.suffix))
            return bySuffix;
    }
    return 0;
}

} // namespace zandrel::hub
