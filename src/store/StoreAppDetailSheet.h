#pragma once

#include "store/InstallResult.h"
#include "store/StoreAppDetail.h"
#include "ui/PageContext.h"

#include <QDialog>
#include <chrono>
#include <functional>
#include <optional>
#include <qcoro/qcorotask.h>

class QStackedWidget;
class QVBoxLayout;

namespace zandrel {

namespace ui {
class Button;
class EmptyStateView;
class Label;
class Spinner;
} // namespace ui

// The sheet the store browser opens for one catalogue entry: it fetches the app's store record, shows
// it, tells whether the app is already on this machine, and offers Install, or Open once installed.
// A window-modal dialog of at least 500 x 400; Escape or the close symbol dismisses it.
class StoreAppDetailSheet : public QDialog {
    Q_OBJECT

public:
    enum class Body { Loading, Content, Error, Nothing };

    StoreAppDetailSheet(QString slug, const PageContext& context, QWidget* parent = nullptr);

    const QString& slug() const { return slug_; }
    const std::optional<StoreAppDetail>& detail() const { return detail_; }
    bool isAppInstalled() const { return isAlreadyInstalled_ || installResult_.has_value(); }
    // This sheet's install, or one of the same app on its way from a sheet or page gone meanwhile.
    bool isInstalling() const;
    const std::optional<QString>& error() const { return error_; }
    Body body() const { return shownBody_; }
    // Where "Open" opens the app: the path the Hub returned, or where its bundle would be.
    QString appPath() const;

    // Told how an install the user confirmed here ended: the app's name (or the slug) and, on failure,
    // why. Called also when the sheet has closed meanwhile, never when quitting cut the install short.
    using LinkOutcome = std::function<void(const QString& app, const std::optional<QString>& failure)>;
    // The sheet was opened for a zandrel: link, not by the user: it says so at its top, and nothing is
    // installed before the user presses Install. Called before the sheet is shown.
    void setOpenedByLink(LinkOutcome outcome);
    bool isOpenedByLink() const { return linkNotice_ != nullptr; }
    // How long a link's sheet keeps Install disabled once the app is shown: another link may replace
    // the sheet just as the user clicks, and the click must not land on an app they have not seen.
    static void setLinkInstallDelay(std::chrono::milliseconds delay);

Q_SIGNALS:
    // After every successful install.
    void installComplete();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showBody(Body body);
    void showDetail();
    void updateAction();
    void setError(std::optional<QString> error);

    QCoro::Task<> loadDetail();
    QCoro::Task<> install();

    QString slug_;
    PageContext context_;
    std::optional<StoreAppDetail> detail_;
    bool isLoading_ = true;
    bool isInstalling_ = false;
    bool loadStarted_ = false;
    bool installHeld_ = false; // a link's sheet, shown only a moment ago
    std::optional<InstallResult> installResult_;
    bool isAlreadyInstalled_ = false;
    std::optional<QString> error_;

    ui::Label* title_;
    QWidget* linkNotice_ = nullptr;
    LinkOutcome linkOutcome_;
    QStackedWidget* body_;
    QWidget* content_ = nullptr;
    ui::EmptyStateView* errorView_;
    QWidget* installedRow_ = nullptr;
    ui::Button* installButton_ = nullptr;
    ui::Label* installError_ = nullptr;
    Body shownBody_ = Body::Loading;
};

} // namespace zandrel
