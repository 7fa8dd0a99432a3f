#include "ui/Formats.h"

#include <QCoreApplication>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace zandrel::ui {

namespace {

// Fixed-point with printf's rounding ("%.1f" of 4.25 is "4.2"), always with a decimal point whatever
// the desktop's locale.
QString fixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("?");
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return QStringLiteral("?");
    return QString::fromLatin1(text, result.ptr - text);
}

} // namespace

QString priceText(bool isFree, qint64 priceCents)
{
    if (isFree)
        return QCoreApplication::translate("Formats", "Free");
    return u'$' + fixed(double(priceCents) / 100.0, 2);
}

QString ratingText(double rating)
{
    return fixed(rating, 1);
}

QString formatTokens(qint64 tokens)
{
    if (tokens >= 1000000)
        return fixed(double(tokens) / 1000000.0, 1) + u'M';
    if (tokens < 1000)
        return QString::number(tokens);
    return fixed(double(tokens) / 1000.0, 1) + u'K';
}

QString costText(double dollars)
{
    return u'$' + fixed(dollars, dollars < 0.01 ? 4 : 2);
}

QString shortened(const QString& text, qsizetype maxLength)
{
    if (text.size() <= maxLength)
        return text;
    return text.left(maxLength) + u'\u2026';
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

int pluralCount(qint64 count)
{
    return int(std::clamp<qint64>(count, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace zandrel::ui
