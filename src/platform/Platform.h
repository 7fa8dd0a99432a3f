#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace zandrel {

class Notifier;

// The one seam to the operating system. Every path derives from the home directory, so a test isolates
// everything by giving another home. File operations are real here; launching programs and talking to
// the desktop are left to the concrete platform (QtPlatform, or a recording fake in tests).
class Platform {
public:
    explicit Platform(QString homeDirectory);
    virtual ~Platform() = default;
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    // --- Paths ---
    const QString& homeDirectory() const { return home_; }
    QString homePath(const QString& relative) const;
    // Where a companion app's bundle lives: ~/Applications/<Name>.app on Linux, /Applications/<Name>.app on
    // macOS. The name comes from the store: one that would leave that folder (a slash, a leading dot, a
    // NUL) has no bundle, and gives an empty path.
    QString appBundlePath(const QString& appName) const;
    QString appDataPath(const QString& appName) const; // ~/.zandrel/data/<Name>
    QString tokenFilePath() const;                     // ~/.zandrel/auth.json
    QString hubLogPath() const;                        // ~/.zandrel/hub/hub.log, the Hub's output
    // The file that makes the Hub start at login, and what it holds: an XDG autostart entry on Linux,
    // a launch-agent property list on macOS.
    QString loginItemPath() const;
    QByteArray loginItemContents() const;
    // Writes the login item (atomically); answers whether it is now there.
    bool writeLoginItem();

    // --- Files (real here; virtual so tests can make them fail) ---
    // A plain existence test: a file or a directory both count.
    virtual bool exists(const QString& path) const;
    // Deletes a file, a symbolic link (never its target) or a directory with everything below it,
    // never following a symbolic link out of the tree. Answers whether nothing is left at the path.
    virtual bool removeItem(const QString& path);
    // Writes the whole file atomically, creating missing parent folders, with the given permissions
    // from the first byte on (so a secret is never readable by others, not even briefly).
    enum class Parents { Create, MustExist };
    virtual bool writeFile(const QString& path,
                           const QByteArray& contents,
                           QFileDevice::Permissions permissions,
                           Parents parents = Parents::Create);

    // --- Programs and desktop ---
    // Where a command is found on the application's PATH (real here); empty when it is not there.
    virtual QString findExecutable(const QString& name) const;
    // Which file an open file is (device and inode), so a file replaced under the same name is told
    // apart from one that grew; empty when that cannot be said.
    virtual QByteArray fileIdentity(const QFileDevice& file) const;
    // Starts a program detached from this process; it is never waited for.
    virtual bool launchDetached(const QString& program, const QStringList& arguments) = 0;
    // Opens a companion app bundle: runs <bundle>/AppRun on Linux, asks the desktop otherwise. The path
    // may come from the Hub, so only an absolute path to a folder named <Name>.app is opened.
    bool openAppBundle(const QString& bundlePath);
    // Opens a web page in the browser. The address may come from the Hub: only http and https addresses
    // with a host are opened, never a local file or another program's scheme.
    bool openUrl(const QUrl& url);
    virtual bool revealFolder(const QString& path) = 0;
    virtual QString clipboardText() const = 0;
    // Notices on the desktop outside the window (the freedesktop service on Linux).
    virtual Notifier& notifier() = 0;
    // Runs what brings a window forward with the token a notice's click came with, so that a compositor
    // that lets only a token-bearing window come forward (Wayland) lets it.
    virtual void withActivationToken(const QString& token, const std::function<void()>& bringForward);
    // A name that stays one folder entry: not empty, no slash or backslash, no NUL, no leading dot.
    static bool isBundleName(const QString& appName);
    // A token is handed to the compositor as it came: anything but a short printable text is not one.
    static bool isActivationToken(const QString& token);
    static constexpr int maximumActivationTokenLength = 4096;

protected:
    // What the two above do once the path or address passed their checks.
    virtual bool launchAppBundle(const QString& bundlePath) = 0;
    virtual bool openWebAddress(const QUrl& url) = 0;

private:
    QString home_;
};

} // namespace zandrel
