#include "app/ZandrelLink.h"

#include <QStringList>
#include <QUrl>
#include <algorithm>

namespace zandrel {

namespace {

QString decoded(QStringView part)
{
    return QUrl::fromPercentEncoding(part.toUtf8());
}

// The link taken apart as written: QUrl would lower-case the scheme and host, and cannot tell a
// query item without a value from one with an empty value.
struct LinkParts {
    QString scheme;
    QString host;
    QStringList segments; // non-empty path segments, decoded
    std::optional<QString> query;
};

std::optional<LinkParts> split(const QString& text)
{
    if (!QUrl(text, QUrl::StrictMode).isValid())
        return std::nullopt;
    const qsizetype colon = text.indexOf(u':');
    if (colon <= 0)
        return std::nullopt;
    LinkParts parts;
    parts.scheme = text.left(colon);

    QStringView rest = QStringView(text).mid(colon + 1);
    if (const qsizetype hash = rest.indexOf(u'#'); hash >= 0)
        rest = rest.left(hash);
    if (const qsizetype question = rest.indexOf(u'?'); question >= 0) {
        parts.query = rest.mid(question + 1).toString();
        rest = rest.left(question);
    }
    if (!rest.startsWith(u"//"))
        return parts; // no authority, so no host
    rest = rest.mid(2);
    const qsizetype slash = rest.indexOf(u'/');
    QStringView authority = slash >= 0 ? rest.left(slash) : rest;
    const QStringView path = slash >= 0 ? rest.mid(slash) : QStringView();
    if (const qsizetype at = authority.lastIndexOf(u'@'); at >= 0)
        authority = authority.mid(at + 1);
    if (const qsizetype portColon = authority.lastIndexOf(u':'); portColon >= 0 && !authority.endsWith(u']'))
        authority = authority.left(portColon);
    parts.host = decoded(authority);
    for (const QStringView segment : path.split(u'/', Qt::SkipEmptyParts))
        parts.segments.append(decoded(segment));
    return parts;
}

// The value of the first query item with this name; an item without "=" has no value.
std::optional<QString> firstValue(const QString& query, QStringView name)
{
    for (const QStringView item : QStringView(query).split(u'&')) {
        const qsizetype equals = item.indexOf(u'=');
        const QStringView itemName = equals >= 0 ? item.left(equals) : item;
        if (decoded(itemName) != name)
            continue;
        if (equals < 0)
            return std::nullopt;
        return decoded(item.mid(equals + 1));
    }
    return std::nullopt;
}

// The access token goes into a request header as it came: printable ASCII without spaces, and of a
// bounded length.
bool isToken(const QString& token)
{
    return token.size() <= ZandrelLink::maximumTokenLength &&
           std::all_of(token.cbegin(), token.cend(), [](QChar c) {
               return c.unicode() > 0x20 && c.unicode() < 0x7f;
           });
}

} // namespace

ZandrelLink ZandrelLink::parse(const QString& text)
{
    ZandrelLink link;
    const std::optional<LinkParts> parts = split(text);
    if (!parts || parts->scheme != u"zandrel" || parts->host.isEmpty())
        return link;

    if (parts->host == u"install") {
        if (parts->segments.isEmpty())
            return link;
        link.kind = Kind::Install;
        link.slug = parts->segments.first();
    } else if (parts->host == u"auth") {
        if (!parts->segments.contains(QStringLiteral("callback")) || !parts->query)
            return link;
        std::optional<QString> access = firstValue(*parts->query, u"access_token");
        std::optional<QString> refresh = firstValue(*parts->query, u"refresh_token");
        if (!access || !isToken(*access))
            return link;
        link.kind = Kind::SignIn;
        link.accessToken = std::move(*access);
        link.refreshToken = std::move(refresh);
    }
    return link;
}

} // namespace zandrel
