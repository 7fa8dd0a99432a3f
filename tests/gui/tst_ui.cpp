// Shared view helpers: the symbol table and its tinting, the app symbols, tiles and the palette rules.

#include "PluginsMapped.h"
#include "ui/AppStyle.h"
#include "ui/Button.h"
#include "ui/EmptyStateView.h"
#include "ui/GradientTile.h"
#include "ui/Label.h"
#include "ui/SymbolTable.h"
#include "ui/Theme.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>

using namespace zandrel::ui;
using namespace Qt::StringLiterals;

namespace {

// The pixels of a symbol that are drawn at all, and how many of them are not the wanted colour.
std::pair<int, int> inkOf(const QPixmap& pixmap, const QColor& color)
{
    int drawn = 0;
    int offColor = 0;
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() < 250)
                continue; // anti-aliased edges blend with transparency
            ++drawn;
            offColor += pixel.rgb() != color.rgb();
        }
    }
    return {drawn, offColor};
}

QPalette darkPalette()
{
    QPalette dark(QColor(50, 50, 52), QColor(40, 40, 42));
    dark.setColor(QPalette::WindowText, QColor(235, 235, 235));
    return dark;
}

// What each push button was painted with.
class ButtonRecorder : public QProxyStyle {
public:
    ButtonRecorder()
        : QProxyStyle(QStyleFactory::create(u"Fusion"_s))
    {}
    void drawControl(ControlElement element,
                     const QStyleOption* option,
                     QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_PushButton)
            painted.append(option->palette);
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    mutable QList<QPalette> painted;
};

} // namespace

class TestUi : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // First, while nothing in this process has read an image by file name.
    void theStyleGivesFusionsPiecesWithoutLoadingEveryImagePlugin()
    {
        QVERIFY(!zandrel::test::pluginsMapped("imageformats"));
        AppStyle style;
        QLineEdit search;
        search.setStyle(&style);
        search.setClearButtonEnabled(true);
        search.setText(u"orvane"_s);
        const QImage clear = style.standardIcon(QStyle::SP_LineEditClearButton).pixmap(16, 16).toImage();
        style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16, 16);
        QVERIFY(!zandrel::test::pluginsMapped("imageformats"));

        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(u"Fusion"_s));
        const QImage fusions = fusion->standardIcon(QStyle::SP_LineEditClearButton).pixmap(16, 16).toImage();
        QCOMPARE(clear.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 fusions.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    void everySymbolIsBundledAndDrawnAndUnknownOnesFallBackToApp()
    {
        const QStringList names = SymbolTable::names();
        QVERIFY(names.size() >= 68);
        QSet<QString> files;
        for (const QString& name : names) {
            const QString file = SymbolTable::fileFor(name);
            files.insert(file);
            const QPixmap pixmap = SymbolTable::pixmap(name, {24, 24}, Qt::black, 1.0);
            QVERIFY2(inkOf(pixmap, Qt::black).first > 10, qPrintable(name + u" -> "_s + file));
        }
        // Nothing is bundled that no name uses.
        int bundled = 0;
        for (const QString& style : {u"outline"_s, u"filled"_s}) {
            for (const QString& svg : QDir(u":/symbols/"_s + style).entryList({u"*.svg"_s})) {
                ++bundled;
                QVERIFY2(files.contains(style + u'/' + svg.chopped(4)), qPrintable(svg));
            }
        }
        QCOMPARE(bundled, files.size());

        QCOMPARE(SymbolTable::fileFor(u"no.such.symbol"_s), SymbolTable::fileFor(u"app"_s));
        QCOMPARE(SymbolTable::fileFor(QString()), SymbolTable::fileFor(u"app"_s));
        QVERIFY(inkOf(SymbolTable::pixmap(u"no.such.symbol"_s, {16, 16}, Qt::black, 1.0), Qt::black).first >
                0);
    }

    void symbolsAreTintedAndCrispAtDoubleScale()
    {
        const QColor purple(0xAF, 0x52, 0xDE);
        for (const QString& name : {u"gear"_s, u"star.fill"_s}) {
            const QPixmap pixmap = SymbolTable::pixmap(name, {16, 16}, purple, 2.0);
            QCOMPARE(pixmap.size(), QSize(32, 32));
            QCOMPARE(pixmap.devicePixelRatio(), 2.0);
            const auto [drawn, offColor] = inkOf(pixmap, purple);
            QVERIFY(drawn > 20);
            QCOMPARE(offColor, 0);
        }
        // An icon asked for a 2x pixmap renders at device resolution instead of scaling up.
        const QPixmap hiDpi = SymbolTable::icon(u"bag"_s, purple).pixmap(QSize(16, 16), 2.0);
        QCOMPARE(hiDpi.size(), QSize(32, 32));
        QCOMPARE(inkOf(hiDpi, purple).second, 0);
        // A translucent colour is applied as opacity, not dropped.
        QColor faint = Qt::black;
        faint.setAlphaF(0.35f);
        const int centreAlpha =
            SymbolTable::pixmap(u"circle.fill"_s, {16, 16}, faint, 1.0).toImage().pixelColor(8, 8).alpha();
        QVERIFY2(centreAlpha > 70 && centreAlpha < 110, qPrintable(QString::number(centreAlpha)));
    }

    void appSymbolsMatchWholeNamesOnly()
    {
        QCOMPARE(iconForApp(u"ORVANE"_s), u"sparkles"_s);
        QCOMPARE(iconForApp(u"Orvane Pro"_s), u"app"_s);
        QCOMPARE(iconForApp(u"avox"_s), iconForApp(u"Kettavox"_s));
        QCOMPARE(iconForApp(QString()), u"app"_s);
    }

    void tilesShowTheUpperCasedInitialOnSlugColours()
    {
        QCOMPARE(GradientTile(u"élan"_s, NamedColor::Purple).initial(), u"É"_s);
        QCOMPARE(Theme::initial(QString()), QString());
        QCOMPARE(Theme::initial(u"\U0001F600 smile"_s), u"\U0001F600"_s);
        // Store tiles take one of the eight tile colours by slug, and slugs spread over all of them.
        QSet<NamedColor> seen;
        for (int i = 0; i < 200; ++i)
            seen.insert(Theme::slugColor(u"app-%1"_s.arg(i)));
        QCOMPARE(seen.size(), 8);
    }

    void emptyStateShowsOnlyWhatItHas()
    {
        EmptyStateView bare(u"App not found"_s, u"questionmark.app"_s);
        bare.show();
        QCOMPARE(bare.title(), u"App not found"_s);
        QCOMPARE(bare.symbolName(), u"questionmark.app"_s);
        auto* description = bare.findChild<QWidget*>(u"emptyStateDescription"_s);
        QVERIFY(!description->isVisible());
        bare.setDescription(u"Connection refused"_s);
        QVERIFY(description->isVisible());

        QPushButton* retry = bare.addAction(u"Retry"_s);
        QTRY_VERIFY(retry->isVisible());
        QCOMPARE(retry->text(), u"Retry"_s);
    }

    void buttonsOfAKindPaintWithOnePaletteOnEveryPageAndFollowTheSystem()
    {
        // The style caches a button's picture under its palette's key: the same button on a page built
        // again must not bring a new key, or every visit adds a copy to the shared cache.
        ButtonRecorder recorder;
        const auto paintOnANewPage = [&](Button::Kind kind) {
            QWidget page;
            auto* button = new Button(u"Install"_s, kind, Button::ControlSize::Regular, &page);
            button->setStyle(&recorder);
            button->resize(button->sizeHint());
            button->grab();
            return recorder.painted.last();
        };
        const QPalette first = paintOnANewPage(Button::Kind::Prominent);
        const QPalette again = paintOnANewPage(Button::Kind::Prominent);
        QCOMPARE(again.cacheKey(), first.cacheKey());
        const QPalette app = QApplication::palette();
        QCOMPARE(first.color(QPalette::Button), app.color(QPalette::Highlight));
        QCOMPARE(first.color(QPalette::ButtonText), app.color(QPalette::HighlightedText));
        const QPalette red = paintOnANewPage(Button::Kind::Destructive);
        QCOMPARE(paintOnANewPage(Button::Kind::Destructive).cacheKey(), red.cacheKey());
        QCOMPARE(red.color(QPalette::ButtonText), Theme::color(NamedColor::Red, app));
        QCOMPARE(red.color(QPalette::Button), app.color(QPalette::Button));
        QCOMPARE(paintOnANewPage(Button::Kind::Bordered).color(QPalette::Button),
                 app.color(QPalette::Button));
        // The shared palette paints in each button's own state: a disabled one after an enabled one.
        {
            QWidget page;
            auto* disabled =
                new Button(u"Install"_s, Button::Kind::Prominent, Button::ControlSize::Regular, &page);
            disabled->setStyle(&recorder);
            disabled->setEnabled(false);
            disabled->resize(disabled->sizeHint());
            disabled->grab();
            QCOMPARE(recorder.painted.last().cacheKey(), first.cacheKey());
            QCOMPARE(recorder.painted.last().currentColorGroup(), QPalette::Disabled);
        }

        // Switched to dark: the accent is the dark palette's, on buttons already on screen too.
        QWidget window;
        auto* shown =
            new Button(u"Sign In"_s, Button::Kind::Prominent, Button::ControlSize::Regular, &window);
        shown->setStyle(&recorder);
        window.show();
        QPalette dark = darkPalette();
        dark.setColor(QPalette::Highlight, QColor(10, 132, 255));
        QApplication::setPalette(dark);
        shown->grab();
        const QColor darkAccent = recorder.painted.last().color(QPalette::Button);
        QApplication::setPalette(app);
        QCOMPARE(darkAccent, QColor(10, 132, 255));
    }

    void coloursFollowTheApplicationPalette()
    {
        const QPalette light = QApplication::palette();
        QVERIFY(Theme::color(NamedColor::Blue, light) != Theme::color(NamedColor::Blue, darkPalette()));

        // A label re-derives its tone when the system switches to dark, without being rebuilt.
        QWidget window;
        auto* caption = new Label(u"Hub Stopped"_s, TextStyle::Caption, Tone::Secondary, &window);
        window.show();
        QApplication::setPalette(darkPalette());
        QCoreApplication::processEvents();
        const QColor now = caption->palette().color(QPalette::WindowText);
        // Selectable text (a path the user may copy) is drawn with the Text role: same tone.
        const QColor selectable = caption->palette().color(QPalette::Text);
        QApplication::setPalette(light);
        QCOMPARE(now.rgb(), QColor(235, 235, 235).rgb());
        QVERIFY(now.alphaF() < 0.6f);
        QCOMPARE(selectable, now);
    }
};

QTEST_MAIN(TestUi)
#include "tst_ui.moc"
