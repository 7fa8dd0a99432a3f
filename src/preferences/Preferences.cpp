#include "preferences/Preferences.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace zandrel {

namespace {

const QString kGeometry = QStringLiteral("window/geometry");
const QString kScreen = QStringLiteral("window/screen");
const QString kMaximized = QStringLiteral("window/maximized");
const QString kFrame = QStringLiteral("window/frame");
const QString kSection = QStringLiteral("window/section");
const QString kKeepInTray = QStringLiteral("tray/keepRunning");
const QString kHubLogSize = QStringLiteral("hubLog/size");
const QString kBackgroundUpdateCheck = QStringLiteral("updates/checkInBackground");
const QString kLastUpdateCheck = QStringLiteral("updates/lastCheck");
const QString kNotifiedUpdates = QStringLiteral("updates/notified");
const QString kLastUpdateNotice = QStringLiteral("updates/lastNotice");

// A value of the wrong type (a hand-edited or damaged file) reads as absent, never as a false default.
std::optional<bool> readBool(const QSettings& settings, const QString& key)
{
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return std::nullopt;
    const QString text = value.toString().trimmed().toLower();
    if (text == u"true" || text == u"1")
        return true;
    if (text == u"false" || text == u"0")
        return false;
    return std::nullopt;
}

// A time kept as ISO text; none when it is missing or unreadable.
std::optional<QDateTime> readTime(const QSettings& settings, const QString& key)
{
    const QDateTime when = QDateTime::fromString(settings.value(key).toString(), Qt::ISODateWithMs);
    return when.isValid() ? std::optional(when) : std::nullopt;
}

} // namespace

Preferences::Preferences(const QString& filePath, QObject* parent)
    : QObject(parent)
    , settings_(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
    if (settings_->status() == QSettings::NoError)
        return;
    // An unreadable file would also refuse every later write: keep it aside and start afresh.
    settings_.reset();
    const QFileInfo info(filePath);
    if (info.isFile()) {
        QFile::rename(filePath,
                      filePath + QStringLiteral(".unreadable-") +
                          QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")));
    }
    settings_ = std::make_unique<QSettings>(filePath, QSettings::IniFormat);
}

Preferences::~Preferences()
{
    sync();
}

QString Preferences::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/zandrel/zandrel-desktop.ini");
}

QString Preferences::filePath() const
{
    return settings_->fileName();
}

std::optional<Preferences::WindowPlace> Preferences::windowPlace() const
{
    const QVariant geometry = settings_->value(kGeometry);
    if (!geometry.canConvert<QRect>())
        return std::nullopt;
    WindowPlace place;
    place.geometry = geometry.toRect();
    if (place.geometry.width() <= 0 || place.geometry.height() <= 0)
        return std::nullopt;
    place.screen = settings_->value(kScreen).toString();
    place.maximized = readBool(*settings_, kMaximized).value_or(false);
    // "left top right bottom"; anything else, or a frame no desktop draws, counts as none.
    const QStringList frame = settings_->value(kFrame).toString().split(u' ', Qt::SkipEmptyParts);
    if (frame.size() == 4) {
        int sides[4] = {};
        bool valid = true;
        for (int i = 0; i < 4; ++i) {
            bool ok = false;
            sides[i] = frame[i].toInt(&ok);
            valid = valid && ok && sides[i] >= 0 && sides[i] <= 200;
        }
        if (valid)
            place.frame = QMargins(sides[0], sides[1], sides[2], sides[3]);
    }
    return place;
}

void Preferences::setWindowPlace(const WindowPlace& place)
{
    settings_->setValue(kGeometry, place.geometry);
    settings_->setValue(kScreen, place.screen);
    settings_->setValue(kMaximized, place.maximized);
    settings_->setValue(kFrame,
                        QStringLiteral("%1 %2 %3 %4")
                            .arg(place.frame.left())
                            .arg(place.frame.top())
                            .arg(place.frame.right())
                            .arg(place.frame.bottom()));
}

QString Preferences::sectionKey() const
{
    return settings_->value(kSection).toString();
}

void Preferences::setSectionKey(const QString& key)
{
    settings_->setValue(kSection, key);
}

std::optional<QSize> Preferences::hubLogSize() const
{
    const QVariant value = settings_->value(kHubLogSize);
    if (!value.canConvert<QSize>())
        return std::nullopt;
    const QSize size = value.toSize();
    // A hand-edited file may say anything: only a size a window can have.
    if (size.width() < 200 || size.height() < 150 || size.width() > 16384 || size.height() > 16384)
        return std::nullopt;
    return size;
}

void Preferences::setHubLogSize(const QSize& size)
{
    settings_->setValue(kHubLogSize, size);
    sync();
}

bool Preferences::keepInTray() const
{
    return readBool(*settings_, kKeepInTray).value_or(false);
}

void Preferences::setKeepInTray(bool keep)
{
    if (keep == keepInTray())
        return;
    settings_->setValue(kKeepInTray, keep);
    sync();
    Q_EMIT keepInTrayChanged();
}

bool Preferences::backgroundUpdateCheck() const
{
    return readBool(*settings_, kBackgroundUpdateCheck).value_or(true);
}

void Preferences::setBackgroundUpdateCheck(bool check)
{
    if (check == backgroundUpdateCheck())
        return;
    settings_->setValue(kBackgroundUpdateCheck, check);
    sync();
    Q_EMIT backgroundUpdateCheckChanged();
}

std::optional<QDateTime> Preferences::lastUpdateCheck() const
{
    return readTime(*settings_, kLastUpdateCheck);
}

void Preferences::setLastUpdateCheck(const QDateTime& when)
{
    settings_->setValue(kLastUpdateCheck, when.toUTC().toString(Qt::ISODateWithMs));
    sync();
}

QStringList Preferences::notifiedUpdates() const
{
    return settings_->value(kNotifiedUpdates).toStringList();
}

std::optional<QDateTime> Preferences::lastUpdateNotice() const
{
    return readTime(*settings_, kLastUpdateNotice);
}

void Preferences::setUpdateNotice(const QStringList& updates, const QDateTime& when)
{
    settings_->setValue(kNotifiedUpdates, updates);
    settings_->setValue(kLastUpdateNotice, when.toUTC().toString(Qt::ISODateWithMs));
    sync();
}

void Preferences::setTrayAvailable(bool available)
{
    if (available == trayAvailable_)
        return;
    trayAvailable_ = available;
    Q_EMIT trayAvailableChanged();
}

void Preferences::sync()
{
    QDir().mkpath(QFileInfo(settings_->fileName()).absolutePath());
    settings_->sync();
}

} // namespace zandrel
