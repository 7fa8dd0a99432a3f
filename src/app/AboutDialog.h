#pragma once

#include <QDialog>

namespace zandrel {

class Platform;

// "About Zandrel Hub": what the application is, its version, and the licences of what it bundles and
// links, each with a link that the desktop opens.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(Platform& platform, QWidget* parent = nullptr);

    static QString version();

    // Each licence: what it covers, its name, and where to read it.
    struct Licence {
        QString component;
        QString name;
        QString url;
    };
    static QList<Licence> licences();
};

} // namespace zandrel
