#pragma once

#include "ui/Button.h"

namespace zandrel {

class Platform;

// One "sign in with" provider: a bordered button with the provider's symbol that opens the store
// website's sign-in page for it in the user's browser. An address that does not parse opens nothing.
class OAuthButton : public ui::Button {
    Q_OBJECT

public:
    OAuthButton(
        const QString& name, const QString& icon, QString url, Platform& platform, QWidget* parent = nullptr);

    const QString& url() const { return url_; }

Q_SIGNALS:
    // The sign-in page was handed to the browser.
    void browserOpened();

private:
    void openInBrowser();

    QString url_;
    Platform& platform_;
};

} // namespace zandrel
