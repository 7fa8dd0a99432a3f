#pragma once

#include "ui/Theme.h"

#include <QFrame>

class QGridLayout;
class QLineEdit;
class QPropertyAnimation;
class QToolButton;

namespace zandrel {

namespace ui {
class Button;
class Label;
class StatusDot;
class SymbolLabel;
class SymbolView;
class TextField;
} // namespace ui
class AISettingsState;
class Platform;
enum class ProviderStatus;

// One configured AI provider: a header that expands the card (symbol, name, model count, status,
// chevron) and, expanded, the sign-in block (for "anthropic"), the key field with show/hide and
// paste, Test Connection with its result, Save, Remove, and the provider's models.
//
// It is built once and follows the state in place (refresh()), so nothing the user has open or is
// pressing goes away when a load or a test answers.
class ProviderCard : public QFrame {
    Q_OBJECT

public:
    ProviderCard(const QString& id, AISettingsState& state, Platform& platform, QWidget* parent = nullptr);

    const QString& id() const { return id_; }
    // Shows what the state now holds; opening or closing the card glides.
    void refresh();

    // How the tab names and draws a provider.
    static QString displayName(const QString& id);
    static QString icon(const QString& id);
    // "1 model available", "3 models available".
    static QString modelCountText(int count);
    // The badge's text and colour for a status.
    static QString statusText(ProviderStatus status);
    static ui::NamedColor statusColor(ProviderStatus status);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* makeHeader();
    QWidget* makeBody();
    QWidget* makeSignIn();
    QWidget* makeKeyField();
    void refreshHeader();
    void refreshSignIn();
    void refreshKeyField();
    void refreshActions();
    void refreshModels();
    void setExpanded(bool expanded);
    void settle();

    QString id_;
    AISettingsState& state_;
    Platform& platform_;
    bool expanded_ = false;

    QToolButton* header_ = nullptr;
    ui::Label* count_ = nullptr;
    ui::StatusDot* dot_ = nullptr;
    ui::Label* badge_ = nullptr;
    ui::SymbolView* chevron_ = nullptr;
    QWidget* divider_ = nullptr;
    QWidget* body_ = nullptr;
    QPropertyAnimation* slide_ = nullptr;

    // Sign-in ("anthropic" only): one of three forms shows, and the error under them.
    QWidget* signIn_ = nullptr;
    QWidget* signedIn_ = nullptr;
    ui::Label* signedInAs_ = nullptr;
    QWidget* awaitingCode_ = nullptr;
    QLineEdit* code_ = nullptr;
    ui::Button* submit_ = nullptr;
    QWidget* startForm_ = nullptr;
    ui::Button* start_ = nullptr;
    ui::Label* oauthError_ = nullptr;
    QToolButton* manualToggle_ = nullptr;

    QWidget* keyBox_ = nullptr;
    ui::TextField* key_ = nullptr;
    QToolButton* eye_ = nullptr;

    ui::Button* test_ = nullptr;
    ui::SymbolLabel* result_ = nullptr;
    QWidget* resultGap_ = nullptr;

    QWidget* modelsBox_ = nullptr;
    QGridLayout* modelsGrid_ = nullptr;
    QStringList shownModels_;
};

} // namespace zandrel
