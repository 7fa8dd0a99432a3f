#pragma once

#include "ui/PageContext.h"
#include "ui/Reloadable.h"

#include <QPointer>
#include <QScrollArea>
#include <optional>
#include <qcoro/qcorotask.h>

class QLineEdit;
class QStackedWidget;
class QVBoxLayout;

namespace zandrel {

namespace ui {
class Button;
class Label;
class SymbolLabel;
} // namespace ui
class PendingSignIn;

// The Account page: the sign-in form (e-mail and password, or a provider in the browser) while signed
// out, who is signed in and "Sign Out" otherwise. Each time it is shown it asks the store who is
// signed in, silently. The sign-in state itself lives in the store service.
class AccountView : public QScrollArea, public ui::Reloadable {
    Q_OBJECT

public:
    explicit AccountView(const PageContext& context, QWidget* parent = nullptr);
    ~AccountView() override;
    // Fetches the account again.
    void reload() override;

    bool isLoggingIn() const { return loggingIn_; }
    const std::optional<QString>& error() const { return error_; }
    // The letter on the signed-in user's circle.
    QString avatarInitial() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeSignInView();
    QWidget* makeSignedInView();
    void updateMode();
    void updateNotice();
    void updateSignInButton();
    void setLoggingIn(bool value);
    void setError(std::optional<QString> error);

    QCoro::Task<> signIn();
    QCoro::Task<> fetchAccount();

    StoreService& store_;
    Platform& platform_;
    QString storeWebsite_;
    QPointer<PendingSignIn> pendingSignIn_;

    bool loggingIn_ = false;
    std::optional<QString> error_;

    QStackedWidget* modes_;
    QVBoxLayout* columnLayout_ = nullptr;
    ui::SymbolLabel* ignoredNotice_ = nullptr;
    QLineEdit* email_;
    QLineEdit* password_;
    ui::Button* signInButton_;
    ui::Label* errorLabel_;
    class Avatar* avatar_;
    ui::Label* displayName_;
    ui::Label* userEmail_;
};

} // namespace zandrel
