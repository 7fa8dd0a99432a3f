#pragma once

#include <QString>

namespace zandrel::ui {

// "Free", or the price in dollars with two decimals ("$4.99" for 499 cents).
QString priceText(bool isFree, qint64 priceCents);
// A rating with one decimal ("4.5").
QString ratingText(double rating);
// Every word's first character upper-case and the rest lower-case ("my-app two" -> "My-app Two").
QString capitalizedWords(const QString& text);

} // namespace zandrel::ui
