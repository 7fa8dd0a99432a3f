#include "ui/TextLines.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <QTextOption>

namespace zandrel::ui {

QStringList wrapLines(const QString& text, const QFont& font, int width, int maxLines)
{
    QStringList lines;
    if (text.isEmpty() || width <= 0 || maxLines <= 0)
        return lines;
    // Two lines never show more than a few hundred characters; a huge text must not cost more.
    QString flat = text.left(qMin<qsizetype>(text.size(), 200 * maxLines));
    flat.replace(u'\n', u' ');
    QTextLayout layout(flat, font);
    // A word longer than the line is broken too, rather than running past the edge.
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        if (lines.size() == maxLines - 1) {
            // The last line gets the rest of the text, cut to fit.
            const QString rest = flat.mid(line.textStart());
            lines.append(QFontMetrics(font).elidedText(rest, Qt::ElideRight, width));
            break;
        }
        lines.append(flat.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    return lines;
}

} // namespace zandrel::ui
