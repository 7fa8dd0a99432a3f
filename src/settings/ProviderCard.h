#pragma once

#include <QFrame>
#include <functional>

namespace zandrel {

class AISettingsState;
class Platform;

// One configured AI provider: a header that expands the card (symbol, name, model count, status,
// chevron) and, expanded, the sign-in block (for "anthropic"), the key field with show/hide and
// paste, Test Connection with its result, Save, Remove, and the provider's models.
class ProviderCard : public QFrame {
    Q_OBJECT

public:
    ProviderCard(const QString& id,
                 AISettingsState& state,
                 Platform& platform,
                 std::function<void()> onSignOut,
                 bool opening = false, // expanded just now: the body grows into place
                 QWidget* parent = nullptr);

    const QString& id() const { return id_; }

    // How the tab names and draws a provider.
    static QString displayName(const QString& id);
    static QString icon(const QString& id);
    // "1 model available", "3 models available".
    static QString modelCountText(int count);
    // The badge's text for a status.
    static QString statusText(int status);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* makeHeader();
    QWidget* makeBody();
    QWidget* makeSignIn();
    QWidget* makeKeyField();

    QString id_;
    AISettingsState& state_;
    Platform& platform_;
    std::function<void()> onSignOut_;
};

} // namespace zandrel
