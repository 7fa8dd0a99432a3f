#include "ui/SymbolTable.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

// Resources of a static library must be registered by hand, and outside any namespace.
static void registerSymbolResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace zandrel::ui {

namespace {

// Symbol name -> bundled Tabler file (under :/symbols/).
const QHash<QString, QString>& table()
{
    static const QHash<QString, QString> files{
        {QStringLiteral("gear"), QStringLiteral("outline/settings")},
        {QStringLiteral("bag"), QStringLiteral("outline/shopping-bag")},
        {QStringLiteral("arrow.down.circle"), QStringLiteral("outline/circle-arrow-down")},
        {QStringLiteral("arrow.up.circle"), QStringLiteral("outline/circle-arrow-up")},
        {QStringLiteral("arrow.right.circle"), QStringLiteral("outline/circle-arrow-right")},
        {QStringLiteral("arrow.right"), QStringLiteral("outline/arrow-right")},
        {QStringLiteral("arrow.clockwise"), QStringLiteral("outline/refresh")},
        {QStringLiteral("arrow.triangle.branch"), QStringLiteral("outline/git-branch")},
        {QStringLiteral("person.crop.circle"), QStringLiteral("outline/user-circle")},
        {QStringLiteral("person.circle.fill"), QStringLiteral("filled/user")},
        {QStringLiteral("questionmark.app"), QStringLiteral("outline/help-square-rounded")},
        {QStringLiteral("app.dashed"), QStringLiteral("outline/square-dashed")},
        {QStringLiteral("app"), QStringLiteral("outline/app-window")},
        {QStringLiteral("sparkles"), QStringLiteral("outline/sparkles")},
        {QStringLiteral("dollarsign.circle"), QStringLiteral("outline/coin")},
        {QStringLiteral("book"), QStringLiteral("outline/book")},
        {QStringLiteral("note.text"), QStringLiteral("outline/notes")},
        {QStringLiteral("target"), QStringLiteral("outline/target")},
        {QStringLiteral("bookmark"), QStringLiteral("outline/bookmark")},
        {QStringLiteral("magnifyingglass"), QStringLiteral("outline/search")},
        {QStringLiteral("square.grid.2x2"), QStringLiteral("outline/layout-grid")},
        {QStringLiteral("wifi.slash"), QStringLiteral("outline/wifi-off")},
        {QStringLiteral("star.fill"), QStringLiteral("filled/star")},
        {QStringLiteral("xmark.circle"), QStringLiteral("outline/circle-x")},
        {QStringLiteral("xmark.circle.fill"), QStringLiteral("filled/circle-x")},
        {QStringLiteral("exclamationmark.triangle"), QStringLiteral("outline/alert-triangle")},
        {QStringLiteral("checkmark"), QStringLiteral("outline/check")},
        {QStringLiteral("checkmark.circle"), QStringLiteral("outline/circle-check")},
        {QStringLiteral("checkmark.circle.fill"), QStringLiteral("filled/circle-check")},
        {QStringLiteral("circle"), QStringLiteral("outline/circle")},
        {QStringLiteral("circle.fill"), QStringLiteral("filled/circle")},
        {QStringLiteral("desktopcomputer"), QStringLiteral("outline/device-desktop")},
        {QStringLiteral("server.rack"), QStringLiteral("outline/server")},
        {QStringLiteral("cpu"), QStringLiteral("outline/cpu")},
        {QStringLiteral("network"), QStringLiteral("outline/network")},
        {QStringLiteral("power"), QStringLiteral("outline/power")},
        {QStringLiteral("folder"), QStringLiteral("outline/folder")},
        {QStringLiteral("lock.shield"), QStringLiteral("outline/shield-lock")},
        {QStringLiteral("lock.shield.fill"), QStringLiteral("filled/shield-lock")},
        {QStringLiteral("brain"), QStringLiteral("outline/brain")},
        {QStringLiteral("brain.head.profile"), QStringLiteral("outline/message-chatbot")},
        {QStringLiteral("key.fill"), QStringLiteral("filled/key")},
        {QStringLiteral("plus.circle.fill"), QStringLiteral("filled/circle-plus")},
        {QStringLiteral("chevron.down"), QStringLiteral("outline/chevron-down")},
        {QStringLiteral("chevron.up"), QStringLiteral("outline/chevron-up")},
        {QStringLiteral("chevron.right"), QStringLiteral("outline/chevron-right")},
        {QStringLiteral("chevron.left.forwardslash.chevron.right"), QStringLiteral("outline/brand-github")},
        {QStringLiteral("apple.logo"), QStringLiteral("filled/brand-apple")},
        {QStringLiteral("globe"), QStringLiteral("outline/brand-google")},
        {QStringLiteral("eye"), QStringLiteral("outline/eye")},
        {QStringLiteral("eye.slash"), QStringLiteral("outline/eye-off")},
        {QStringLiteral("doc.on.clipboard"), QStringLiteral("outline/clipboard-copy")},
        {QStringLiteral("antenna.radiowaves.left.and.right"), QStringLiteral("outline/antenna")},
        {QStringLiteral("trash"), QStringLiteral("outline/trash")},
        {QStringLiteral("line.3.horizontal"), QStringLiteral("outline/menu-2")},
        {QStringLiteral("chart.bar.fill"), QStringLiteral("outline/chart-bar")},
        {QStringLiteral("list.bullet.rectangle"), QStringLiteral("outline/list-details")},
        {QStringLiteral("hammer"), QStringLiteral("outline/hammer")},
        {QStringLiteral("gamecontroller"), QStringLiteral("outline/device-gamepad-2")},
        {QStringLiteral("chart.line.uptrend.xyaxis"), QStringLiteral("outline/chart-line")},
        {QStringLiteral("heart"), QStringLiteral("outline/heart")},
        {QStringLiteral("music.note"), QStringLiteral("outline/music")},
        {QStringLiteral("photo"), QStringLiteral("outline/photo")},
        {QStringLiteral("briefcase"), QStringLiteral("outline/briefcase")},
        {QStringLiteral("bubble.left.and.bubble.right"), QStringLiteral("outline/messages")},
        {QStringLiteral("wrench.and.screwdriver"), QStringLiteral("outline/tools")},
        {QStringLiteral("newspaper"), QStringLiteral("outline/news")},
        {QStringLiteral("paintbrush"), QStringLiteral("outline/brush")},
    };
    return files;
}

const QString kFallback = QStringLiteral("app");

QByteArray svgSource(const QString& file)
{
    static QHash<QString, QByteArray> sources;
    auto it = sources.find(file);
    if (it == sources.end()) {
        SymbolTable::registerResources();
        QFile svg(QStringLiteral(":/symbols/") + file + QStringLiteral(".svg"));
        it = sources.insert(file, svg.open(QIODevice::ReadOnly) ? svg.readAll() : QByteArray());
    }
    return *it;
}

// Draws a symbol from the application's palette at paint time, so it follows light and dark and is
// rendered at whatever resolution the target asks for.
class SymbolIconEngine : public QIconEngine {
public:
    SymbolIconEngine(QString name, std::optional<QColor> fixed, QPalette::ColorRole role)
        : name_(std::move(name))
        , fixed_(std::move(fixed))
        , role_(role)
    {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap image = SymbolTable::pixmap(name_, rect.size(), colorFor(mode, state), dpr);
        painter->drawPixmap(rect, image);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return SymbolTable::pixmap(name_, size, colorFor(mode, state), 1.0);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new SymbolIconEngine(name_, fixed_, role_); }
    QString key() const override { return QStringLiteral("zandrel-symbol"); }
    QString iconName() override { return name_; }

private:
    QColor colorFor(QIcon::Mode mode, QIcon::State) const
    {
        const QPalette palette = QGuiApplication::palette();
        if (mode == QIcon::Selected)
            return palette.color(QPalette::HighlightedText);
        QColor color = fixed_ ? *fixed_ : palette.color(role_);
        if (mode == QIcon::Disabled)
            color.setAlphaF(color.alphaF() * 0.4f);
        return color;
    }

    QString name_;
    std::optional<QColor> fixed_;
    QPalette::ColorRole role_;
};

} // namespace

void SymbolTable::registerResources()
{
    static const bool registered = (registerSymbolResources(), true);
    Q_UNUSED(registered);
}

QString SymbolTable::fileFor(const QString& symbolName)
{
    const auto it = table().constFind(symbolName);
    return it != table().cend() ? *it : table().value(kFallback);
}

bool SymbolTable::contains(const QString& symbolName)
{
    return table().contains(symbolName);
}

QStringList SymbolTable::names()
{
    return table().keys();
}

QPixmap SymbolTable::pixmap(const QString& symbolName, const QSize& size, const QColor& color, qreal dpr)
{
    const QString file = fileFor(symbolName);
    const QSize pixels = size * dpr;
    // A control squeezed to nothing (a card gliding open) asks for an empty picture.
    if (pixels.isEmpty())
        return {};
    const QString cacheKey = QStringLiteral("zandrel-symbol:%1:%2:%3x%4")
                                 .arg(file, color.name(QColor::HexArgb))
                                 .arg(pixels.width())
                                 .arg(pixels.height());
    QPixmap cached;
    if (QPixmapCache::find(cacheKey, &cached))
        return cached;

    // Tabler draws with currentColor: tint by naming the colour, and apply its alpha while painting.
    QByteArray source = svgSource(file);
    source.replace("currentColor", color.name(QColor::HexRgb).toLatin1());
    QSvgRenderer renderer(source);
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setOpacity(color.alphaF());
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    QPixmap result = QPixmap::fromImage(std::move(image));
    result.setDevicePixelRatio(dpr);
    QPixmapCache::insert(cacheKey, result);
    return result;
}

QIcon SymbolTable::icon(const QString& symbolName, QPalette::ColorRole role)
{
    return QIcon(new SymbolIconEngine(symbolName, std::nullopt, role));
}

QIcon SymbolTable::icon(const QString& symbolName, const QColor& color)
{
    return QIcon(new SymbolIconEngine(symbolName, color, QPalette::WindowText));
}

QString iconForApp(const QString& appName)
{
    static const QHash<QString, QString> symbols{
        {QStringLiteral("orvane"), QStringLiteral("sparkles")},
        {QStringLiteral("dulvet"), QStringLiteral("dollarsign.circle")},
        {QStringLiteral("silvane"), QStringLiteral("book")},
        {QStringLiteral("pimbrel"), QStringLiteral("note.text")},
        {QStringLiteral("morrak"), QStringLiteral("target")},
        {QStringLiteral("kettavox"), QStringLiteral("bookmark")},
        {QStringLiteral("avox"), QStringLiteral("bookmark")},
    };
    return symbols.value(appName.toLower(), kFallback);
}

} // namespace zandrel::ui
