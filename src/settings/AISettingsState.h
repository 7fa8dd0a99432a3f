#pragma once

#include "hub_api/AIConfig.h"
#include "hub_api/AIModels.h"
#include "hub_api/AITestResult.h"
#include "hub_api/ProviderAuth.h"
#include "hub_api/Usage.h"

#include <QObject>
#include <optional>
#include <qcoro/qcorotask.h>

namespace zandrel {

class Platform;

enum class ProviderStatus { Connected, NoKey, Error, Unknown };

// The AI tab's model: a working copy of the Hub's AI configuration, the models it can serve, usage,
// provider sign-ins and connection tests, and the tab's transient state (expanded card, typed keys,
// a pending browser sign-in). Every request goes through a fresh client on the fixed Hub port (3456
// unless a test says otherwise). No operation throws: failures land in error, oauthError or a test
// result.
//
// The user acts faster than the Hub answers, so only the latest load applies its answers, a change
// the user makes outranks any load already on its way, and saves follow one another in the order the
// changes were made.
class AISettingsState : public QObject {
    Q_OBJECT

public:
    explicit AISettingsState(Platform& platform, int port = 3456, QObject* parent = nullptr);

    const AIConfig& config() const { return config_; }
    const QList<AIModelInfo>& models() const { return models_; }
    const QString& defaultModel() const { return defaultModel_; }
    const std::optional<UsageResponse>& usage() const { return usage_; }
    bool isLoading() const { return isLoading_; }
    const std::optional<QString>& error() const { return error_; }
    const std::optional<QString>& testingProvider() const { return testingProvider_; }
    const QMap<QString, AITestResult>& testResults() const { return testResults_; }
    const std::optional<QString>& expandedProvider() const { return expandedProvider_; }
    const QMap<QString, QString>& editingKeys() const { return editingKeys_; }
    const QMap<QString, bool>& showKeys() const { return showKeys_; }
    const QList<AuthStatusEntry>& authStatus() const { return authStatus_; }
    const std::optional<QString>& oauthPendingState() const { return oauthPendingState_; }
    const QString& oauthCode() const { return oauthCode_; }
    bool oauthLoading() const { return oauthLoading_; }
    const std::optional<QString>& oauthError() const { return oauthError_; }
    const QMap<QString, bool>& showManualKey() const { return showManualKey_; }

    // What the tab edits directly.
    void setConfig(AIConfig config);
    void setDefaultModel(QString model);
    void setExpandedProvider(std::optional<QString> provider);
    // A key as the user types it: a load already on its way does not overwrite it.
    void setEditingKey(const QString& provider, QString key);
    void setShowKey(const QString& provider, bool show);
    void setOauthCode(QString code);
    void setShowManualKey(const QString& provider, bool show);
    void setError(std::optional<QString> error);

    QCoro::Task<> load();
    // Sends the whole configuration with the typed keys and the default model, then loads. A save
    // asked for while one is on its way is sent when that one is answered, with everything changed
    // by then: the Hub ends with the latest configuration. Any load already on its way is dropped.
    QCoro::Task<> saveConfig();

    // The user's choices that are saved at once.
    void chooseDefaultModel(const QString& model);
    // An empty model removes the app's entry rather than storing an empty text.
    void chooseAppOverride(const QString& appId, const QString& model);
    void chooseFallbackOrder(const QStringList& order);
    // The fallback order shown: the stored one, else the provider ids in ascending order.
    QStringList fallbackChain() const;
    // Signs the provider's account out at the Hub, then loads; a failure goes to error.
    QCoro::Task<> signOut(QString provider);

    QCoro::Task<> testProvider(QString provider);
    void addProvider(const QString& provider);
    void removeProvider(const QString& provider);
    ProviderStatus providerStatus(const QString& provider) const;
    std::optional<AuthStatusEntry> authEntry(const QString& provider) const;
    QCoro::Task<> startOAuth(QString provider);
    QCoro::Task<> completeOAuth(QString provider);

    int port() const { return port_; }

Q_SIGNALS:
    void configChanged();
    void modelsChanged();
    void defaultModelChanged();
    void usageChanged();
    void isLoadingChanged();
    void errorChanged();
    void testingProviderChanged();
    void testResultsChanged();
    void expandedProviderChanged();
    void editingKeysChanged();
    void showKeysChanged();
    void authStatusChanged();
    void oauthPendingStateChanged();
    void oauthCodeChanged();
    void oauthLoadingChanged();
    void oauthErrorChanged();
    void showManualKeyChanged();

private:
    void setModels(QList<AIModelInfo> models);
    void setUsage(std::optional<UsageResponse> usage);
    void setIsLoading(bool value);
    void setTestingProvider(std::optional<QString> provider);
    void setTestResult(const QString& provider, AITestResult result);
    void setEditingKeys(QMap<QString, QString> keys);
    void setAuthStatus(QList<AuthStatusEntry> status);
    void setOauthPendingState(std::optional<QString> state);
    void setOauthLoading(bool value);
    void setOauthError(std::optional<QString> error);
    // Drops the answers of every load on its way: a change was made after it was sent.
    void supersedeLoads();
    // A load that keeps what the user typed or added after the edit clock read `asOf`.
    QCoro::Task<> loadAsOf(quint64 asOf);

    Platform& platform_;
    int port_;
    AIConfig config_;
    QList<AIModelInfo> models_;
    QString defaultModel_;
    std::optional<UsageResponse> usage_;
    bool isLoading_ = false;
    std::optional<QString> error_;
    std::optional<QString> testingProvider_;
    QMap<QString, AITestResult> testResults_;
    std::optional<QString> expandedProvider_;
    QMap<QString, QString> editingKeys_;
    QMap<QString, bool> showKeys_;
    QList<AuthStatusEntry> authStatus_;
    std::optional<QString> oauthPendingState_;
    QString oauthCode_;
    bool oauthLoading_ = false;
    std::optional<QString> oauthError_;
    QMap<QString, bool> showManualKey_;

    quint64 loadSeq_ = 0;                // the latest load; an answer of an earlier one is dropped
    QMap<QString, quint64> testSeqs_;    // per provider: the latest connection test
    quint64 editClock_ = 0;              // counts the user's key edits and provider additions
    QMap<QString, quint64> keyEditedAt_; // per provider: when its key was last typed
    QMap<QString, quint64> addedAt_;     // per provider added here and not yet saved
    quint64 mergedAt_ = 0;               // the edit clock when the configuration to send was put together
    bool saving_ = false;                // a configuration is on its way to the Hub
    bool saveAgain_ = false;             // and another change waits for it
};

} // namespace zandrel
