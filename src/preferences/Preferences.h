#pragma once

#include <QDateTime>
#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QSettings;

namespace zandrel {

// The desktop application's own choices, kept between launches in an INI file under the user's config
// folder: where the window was, the section it showed, and whether closing it keeps the application in
// the tray. A file that cannot be read is moved aside and the defaults apply; nothing here can fail a
// launch.
class Preferences : public QObject {
    Q_OBJECT

public:
    struct WindowPlace {
        QRect geometry; // the normal (not maximised) frame-less geometry
        QString screen; // the name of the screen it was on
        bool maximized = false;
        QMargins frame; // the title bar and borders around it, so the whole window can be kept on screen
    };

    explicit Preferences(const QString& filePath = defaultFilePath(), QObject* parent = nullptr);
    ~Preferences() override;

    // <config>/zandrel/zandrel-desktop.ini (QStandardPaths, so tests can isolate it).
    static QString defaultFilePath();
    QString filePath() const;

    std::optional<WindowPlace> windowPlace() const;
    void setWindowPlace(const WindowPlace& place);

    // The section the window showed, as the sidebar's key for it (SidebarItem::key).
    QString sectionKey() const;
    void setSectionKey(const QString& key);

    // The Hub Log window's size; nothing until it was first closed.
    std::optional<QSize> hubLogSize() const;
    void setHubLogSize(const QSize& size);

    bool keepInTray() const;
    void setKeepInTray(bool keep);

    // Whether the store is asked for updates in the background (on unless the user turned it off), and
    // when it last answered such a check, so that a restart does not ask again.
    bool backgroundUpdateCheck() const;
    void setBackgroundUpdateCheck(bool check);
    std::optional<QDateTime> lastUpdateCheck() const;
    void setLastUpdateCheck(const QDateTime& when);
    // The updates the last notice named (as "slug version" texts) and when it went out.
    QStringList notifiedUpdates() const;
    std::optional<QDateTime> lastUpdateNotice() const;
    void setUpdateNotice(const QStringList& updates, const QDateTime& when);

    // Not stored: whether this desktop has a tray at all, so the Hub tab can say why its switch is off.
    bool trayAvailable() const { return trayAvailable_; }
    void setTrayAvailable(bool available);

    // Writes what changed to disk now (also done when the object goes).
    void sync();

Q_SIGNALS:
    void keepInTrayChanged();
    void backgroundUpdateCheckChanged();
    void trayAvailableChanged();

private:
    std::unique_ptr<QSettings> settings_;
    bool trayAvailable_ = false;
};

} // namespace zandrel
