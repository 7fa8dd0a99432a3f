#include "ui/Formats.h"

namespace zandrel::ui {

QString priceText(bool isFree, qint64 priceCents)
{
    if (isFree)
        return QStringLiteral("Free");
    return QStringLiteral("$") + QString::number(double(priceCents) / 100.0, 'f', 2);
}

QString ratingText(double rating)
{
    return QString::number(rating, 'f', 1);
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
