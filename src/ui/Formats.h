#pragma once

#include <QString>

namespace zandrel::ui {

// "Free", or the price in dollars with two decimals ("$4.99" for 499 cents).
QString priceText(bool isFree, qint64 priceCents);
// A rating with one decimal ("4.5").
QString ratingText(double rating);
// Token counts: "999", "1.5K", "1000.0K", "2.5M".
QString formatTokens(qint64 tokens);
// Dollars: four decimals under a cent ("$0.0050"), else two ("$1.23").
QString costText(double dollars);
// The text, cut to at most maxLength characters with "…" when longer (a huge text from the Hub must
// not flood a label).
QString shortened(const QString& text, qsizetype maxLength);
// Every word's first character upper-case and the rest lower-case ("my-app two" -> "My-app Two").
QString capitalizedWords(const QString& text);

// A count as the plural rule of a translation needs it (an int), the largest or smallest int for counts
// beyond; the number shown is the exact one, given separately.
int pluralCount(qint64 count);

} // namespace zandrel::ui
