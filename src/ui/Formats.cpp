#include "ui/Formats.h"

#include <cstdio>

namespace zandrel::ui {

namespace {

// The C library's formatting, so rounding is exactly printf's ("%.1f" of 4.25 is "4.2").
QString printed(const char* format, double value)
{
    char text[64];
    const int length = std::snprintf(text, sizeof text, format, value);
    return QString::fromLatin1(text, qBound(0, length, int(sizeof text) - 1));
}

} // namespace

QString priceText(bool isFree, qint64 priceCents)
{
    if (isFree)
        return QStringLiteral("Free");
    return printed("$%.2f", double(priceCents) / 100.0);
}

QString ratingText(double rating)
{
    return printed("%.1f", rating);
}

QString capitalizedWords(const QString& text)
{
    QString result = text.toLower();
    bool atWordStart = true;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const QChar c = result.at(i);
        if (c.isSpace()) {
            atWordStart = true;
        } else if (atWordStart) {
            result[i] = c.toUpper();
            atWordStart = false;
        }
    }
    return result;
}

} // namespace zandrel::ui
