// Shared view helpers: the symbol table and its tinting, the app symbols, tiles and the palette rules.

#include "ui/EmptyStateView.h"
#include "ui/GradientTile.h"
#include "ui/Label.h"
#include "ui/SymbolTable.h"
#include "ui/Theme.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace zandrel::ui;

namespace {

// The pixels of a symbol that are drawn at all, and whether they all have the wanted colour.
struct Ink {
    int drawn = 0;
    int offColor = 0;
};

Ink inkOf(const QPixmap& pixmap, const QColor& color)
{
    Ink ink;
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() < 250)
                continue; // anti-aliased edges blend with transparency
            ++ink.drawn;
            if (pixel.rgb() != color.rgb())
                ++ink.offColor;
        }
    }
    return ink;
}

QPalette darkPalette()
{
    QPalette dark(QColor(50, 50, 52), QColor(40, 40, 42));
    dark.setColor(QPalette::WindowText, QColor(235, 235, 235));
    return dark;
}

} // namespace

class TestUi : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everySymbolIsBundledAndDrawn()
    {
        const QStringList names = SymbolTable::names();
        QVERIFY(names.size() >= 68);
        QSet<QString> files;
        for (const QString& name : names) {
            const QString file = SymbolTable::fileFor(name);
            files.insert(file);
            const QPixmap pixmap = SymbolTable::pixmap(name, {24, 24}, Qt::black, 1.0);
            QVERIFY2(inkOf(pixmap, Qt::black).drawn > 10, qPrintable(name + QStringLiteral(" -> ") + file));
        }
        // Nothing is bundled that no name uses, and the licence travels with the files.
        QDir dir(QStringLiteral(":/symbols"));
        int bundled = 0;
        for (const QString& style : {QStringLiteral("outline"), QStringLiteral("filled")}) {
            for (const QString& svg : QDir(dir.filePath(style)).entryList({QStringLiteral("*.svg")})) {
                ++bundled;
                QVERIFY2(files.contains(style + u'/' + svg.chopped(4)), qPrintable(svg));
            }
        }
        QCOMPARE(bundled, files.size());
    }

    void unknownSymbolsFallBackToApp()
    {
        QCOMPARE(SymbolTable::fileFor(QStringLiteral("no.such.symbol")),
                 SymbolTable::fileFor(QStringLiteral("app")));
        QCOMPARE(SymbolTable::fileFor(QString()), SymbolTable::fileFor(QStringLiteral("app")));
        QVERIFY(
            inkOf(SymbolTable::pixmap(QStringLiteral("no.such.symbol"), {16, 16}, Qt::black, 1.0), Qt::black)
                .drawn > 0);
    }

    void symbolsAreTintedAndCrispAtDoubleScale()
    {
        const QColor purple(0xAF, 0x52, 0xDE);
        for (const QString& name : {QStringLiteral("gear"), QStringLiteral("star.fill")}) {
            const QPixmap pixmap = SymbolTable::pixmap(name, {16, 16}, purple, 2.0);
            QCOMPARE(pixmap.size(), QSize(32, 32));
            QCOMPARE(pixmap.devicePixelRatio(), 2.0);
            const Ink ink = inkOf(pixmap, purple);
            QVERIFY(ink.drawn > 20);
            QCOMPARE(ink.offColor, 0);
        }
        // An icon asked for a 2x pixmap renders at device resolution instead of scaling up.
        const QIcon icon = SymbolTable::icon(QStringLiteral("bag"), purple);
        const QPixmap hiDpi = icon.pixmap(QSize(16, 16), 2.0);
        QCOMPARE(hiDpi.size(), QSize(32, 32));
        QCOMPARE(inkOf(hiDpi, purple).offColor, 0);
        // A translucent colour is applied as opacity, not dropped.
        QColor faint = Qt::black;
        faint.setAlphaF(0.35f);
        const QImage translucent =
            SymbolTable::pixmap(QStringLiteral("circle.fill"), {16, 16}, faint, 1.0).toImage();
        const int centreAlpha = translucent.pixelColor(8, 8).alpha();
        QVERIFY2(centreAlpha > 70 && centreAlpha < 110, qPrintable(QString::number(centreAlpha)));
    }

    void appSymbolsMatchWholeNamesOnly()
    {
        QCOMPARE(iconForApp(QStringLiteral("ORVANE")), QStringLiteral("sparkles"));
        QCOMPARE(iconForApp(QStringLiteral("Orvane Pro")), QStringLiteral("app"));
        QCOMPARE(iconForApp(QStringLiteral("avox")), iconForApp(QStringLiteral("Kettavox")));
        QCOMPARE(iconForApp(QString()), QStringLiteral("app"));
    }

    void slugColoursAreStableAndFromTheTileList()
    {
        const QList<NamedColor> tileColors{NamedColor::Blue,
                                           NamedColor::Purple,
                                           NamedColor::Orange,
                                           NamedColor::Green,
                                           NamedColor::Pink,
                                           NamedColor::Cyan,
                                           NamedColor::Indigo,
                                           NamedColor::Mint};
        QSet<NamedColor> seen;
        for (int i = 0; i < 200; ++i) {
            const QString slug = QStringLiteral("app-%1").arg(i);
            QCOMPARE(Theme::slugColor(slug), Theme::slugColor(QString(slug)));
            QVERIFY(tileColors.contains(Theme::slugColor(slug)));
            seen.insert(Theme::slugColor(slug));
        }
        QCOMPARE(seen.size(), 8);
    }

    void tilesShowTheUpperCasedInitial()
    {
        QCOMPARE(GradientTile(QStringLiteral("élan"), NamedColor::Purple).initial(), QStringLiteral("É"));
        QCOMPARE(Theme::initial(QString()), QString());
        QCOMPARE(Theme::initial(QStringLiteral("\U0001F600 smile")), QStringLiteral("\U0001F600"));
    }

    void emptyStateShowsOnlyWhatItHas()
    {
        EmptyStateView bare(QStringLiteral("App not found"), QStringLiteral("questionmark.app"));
        bare.show();
        QCOMPARE(bare.title(), QStringLiteral("App not found"));
        QCOMPARE(bare.symbolName(), QStringLiteral("questionmark.app"));
        QVERIFY(!bare.findChild<QWidget*>(QStringLiteral("emptyStateDescription"))->isVisible());
        bare.setDescription(QStringLiteral("Connection refused"));
        QVERIFY(bare.findChild<QWidget*>(QStringLiteral("emptyStateDescription"))->isVisible());

        QPushButton* retry = bare.addAction(QStringLiteral("Retry"));
        QTRY_VERIFY(retry->isVisible());
        QCOMPARE(retry->text(), QStringLiteral("Retry"));
    }

    void coloursFollowTheApplicationPalette()
    {
        const QPalette light = QApplication::palette();
        QVERIFY(Theme::color(NamedColor::Blue, light) != Theme::color(NamedColor::Blue, darkPalette()));

        // A label re-derives its tone when the system switches to dark, without being rebuilt.
        QWidget window;
        auto* caption =
            new Label(QStringLiteral("Hub Stopped"), TextStyle::Caption, Tone::Secondary, &window);
        window.show();
        QTimer::singleShot(0, [] {
            QApplication::setPalette(darkPalette());
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        });
        QCoreApplication::exec();
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
