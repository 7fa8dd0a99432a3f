#include "ui/ApplicationIcon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

namespace zandrel::ui {

namespace {

const QString kFile = QStringLiteral(":/zandrel-desktop.svg");

class ApplicationIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap image = pixmap(rect.size() * dpr, mode, state);
        image.setDevicePixelRatio(dpr);
        painter->drawPixmap(rect, image);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        if (size.isEmpty())
            return {};
        const QString key = QStringLiteral("zandrel-application-icon:%1x%2:%3")
                                .arg(size.width())
                                .arg(size.height())
                                .arg(int(mode));
        QPixmap cached;
        if (QPixmapCache::find(key, &cached))
            return cached;
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            QSvgRenderer(kFile).render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
        }
        QPixmap result = QPixmap::fromImage(std::move(image));
        // Greyed when disabled, tinted when selected, as the style draws any icon.
        if (mode != QIcon::Normal && mode != QIcon::Active) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            result = QApplication::style()->generatedIconPixmap(mode, result, &option);
        }
        QPixmapCache::insert(key, result);
        return result;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new ApplicationIconEngine; }
    QString key() const override { return QStringLiteral("zandrel-application-icon"); }
};

} // namespace

QIcon applicationIcon()
{
    return QIcon(new ApplicationIconEngine);
}

} // namespace zandrel::ui
