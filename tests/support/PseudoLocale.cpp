#include "PseudoLocale.h"

#include <QHash>

namespace zandrel::test {

namespace {

QChar accented(QChar c)
{
    static const QHash<QChar, QChar> table = [] {
        const QString plain = QStringLiteral("aeiouyAEIOUYcnCN");
        const QString marked = QStringLiteral("àéîõüýÀÉÎÕÜÝçñÇÑ");
        QHash<QChar, QChar> made;
        for (qsizetype i = 0; i < plain.size(); ++i)
            made.insert(plain.at(i), marked.at(i));
        return made;
    }();
    return table.value(c, c);
}

} // namespace

QString PseudoLocale::pseudo(const QString& source)
{
    if (source.isEmpty())
        return source;
    QString out;
    out.reserve(source.size() * 2);
    out.append(QChar(open));
    qsizetype letters = 0;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source.at(i);
        // Placeholders (%1, %n, %L1) and mnemonics (&x, &&) stay as they are.
        if (c == u'%' && i + 1 < source.size()) {
            qsizetype end = i + 1;
            if (source.at(end) == u'L')
                ++end;
            while (end < source.size() && (source.at(end).isDigit() || source.at(end) == u'n'))
                ++end;
            out.append(source.mid(i, end - i));
            i = end - 1;
            continue;
        }
        if (c == u'&' && i + 1 < source.size()) {
            // An entity (&amp;) or a mnemonic: copied through to its end.
            const qsizetype semi = source.indexOf(u';', i);
            if (semi > i && semi - i < 8 && !source.mid(i + 1, semi - i - 1).contains(u' ')) {
                out.append(source.mid(i, semi - i + 1));
                i = semi;
            } else {
                out.append(source.mid(i, 2));
                ++i;
            }
            continue;
        }
        // Markup is kept whole.
        if (c == u'<') {
            const qsizetype end = source.indexOf(u'>', i);
            if (end > i) {
                out.append(source.mid(i, end - i + 1));
                i = end;
                continue;
            }
        }
        out.append(accented(c));
        if (c.isLetter())
            ++letters;
    }
    // About 35 % longer, as German and French often are.
    out.append(QString(int(letters * 0.35 + 0.5), u'~'));
    out.append(QChar(close));
    return out;
}

QString PseudoLocale::translate(const char* context, const char* sourceText, const char*, int) const
{
    Q_UNUSED(context);
    return sourceText ? pseudo(QString::fromUtf8(sourceText)) : QString();
}

} // namespace zandrel::test
