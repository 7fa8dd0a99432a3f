#include "settings/AISettingsState.h"

#include "hub_api/HubAPIClient.h"
#include "platform/Platform.h"
#include "wire/Error.h"
#include "wire/HttpExchange.h"

#include <QCoreApplication>
#include <QPointer>
#include <QUrl>

namespace zandrel {

namespace {

template <class T>
bool change(T& field, T value)
{
    if (field == value)
        return false;
    field = std::move(value);
    return true;
}

QString describeCurrent()
{
    return describeException(std::current_exception());
}

} // namespace

AISettingsState::AISettingsState(Platform& platform, int port, QObject* parent)
    : QObject(parent)
    , platform_(platform)
    , port_(port)
{}

// --- Properties: one signal each, nothing emitted for an equal value. ---

void AISettingsState::setConfig(AIConfig config)
{
    if (change(config_, std::move(config)))
        Q_EMIT configChanged();
}
void AISettingsState::setModels(QList<AIModelInfo> models)
{
    if (change(models_, std::move(models)))
        Q_EMIT modelsChanged();
}
void AISettingsState::setDefaultModel(QString model)
{
    if (change(defaultModel_, std::move(model)))
        Q_EMIT defaultModelChanged();
}
void AISettingsState::setUsage(std::optional<UsageResponse> usage)
{
    if (change(usage_, std::move(usage)))
        Q_EMIT usageChanged();
}
void AISettingsState::setIsLoading(bool value)
{
    if (change(isLoading_, value))
        Q_EMIT isLoadingChanged();
}
void AISettingsState::setError(std::optional<QString> error)
{
    // Exchanges ended by quitting are nobody's failure.
    if (error && HttpExchange::isShutDown())
        return;
    if (change(error_, std::move(error)))
        Q_EMIT errorChanged();
}
void AISettingsState::setTestingProvider(std::optional<QString> provider)
{
    if (change(testingProvider_, std::move(provider)))
        Q_EMIT testingProviderChanged();
}
void AISettingsState::setTestResult(const QString& provider, AITestResult result)
{
    if (testResults_.contains(provider) && testResults_.value(provider) == result)
        return;
    testResults_.insert(provider, std::move(result));
    Q_EMIT testResultsChanged();
}
void AISettingsState::setExpandedProvider(std::optional<QString> provider)
{
    if (change(expandedProvider_, std::move(provider)))
        Q_EMIT expandedProviderChanged();
}
void AISettingsState::setEditingKeys(QMap<QString, QString> keys)
{
    if (change(editingKeys_, std::move(keys)))
        Q_EMIT editingKeysChanged();
}
void AISettingsState::setEditingKey(const QString& provider, QString key)
{
    keyEditedAt_.insert(provider, ++editClock_);
    QMap<QString, QString> keys = editingKeys_;
    keys.insert(provider, std::move(key));
    setEditingKeys(std::move(keys));
}
void AISettingsState::setShowKey(const QString& provider, bool show)
{
    QMap<QString, bool> shown = showKeys_;
    shown.insert(provider, show);
    if (change(showKeys_, std::move(shown)))
        Q_EMIT showKeysChanged();
}
void AISettingsState::setAuthStatus(QList<AuthStatusEntry> status)
{
    if (change(authStatus_, std::move(status)))
        Q_EMIT authStatusChanged();
}
void AISettingsState::setOauthPendingState(std::optional<QString> state)
{
    if (change(oauthPendingState_, std::move(state)))
        Q_EMIT oauthPendingStateChanged();
}
void AISettingsState::setOauthCode(QString code)
{
    if (change(oauthCode_, std::move(code)))
        Q_EMIT oauthCodeChanged();
}
void AISettingsState::setOauthLoading(bool value)
{
    if (change(oauthLoading_, value))
        Q_EMIT oauthLoadingChanged();
}
void AISettingsState::setOauthError(std::optional<QString> error)
{
    if (change(oauthError_, std::move(error)))
        Q_EMIT oauthErrorChanged();
}
void AISettingsState::setShowManualKey(const QString& provider, bool show)
{
    QMap<QString, bool> shown = showManualKey_;
    shown.insert(provider, show);
    if (change(showManualKey_, std::move(shown)))
        Q_EMIT showManualKeyChanged();
}

// --- Operations ---

void AISettingsState::supersedeLoads()
{
    ++loadSeq_;
    setIsLoading(false);
}

QCoro::Task<> AISettingsState::load()
{
    return loadAsOf(editClock_);
}

QCoro::Task<> AISettingsState::loadAsOf(quint64 sentAt)
{
    // While a configuration is on its way the Hub's answer is already old: the save's own load
    // follows it.
    if (saving_)
        co_return;
    QPointer<AISettingsState> self(this);
    const quint64 seq = ++loadSeq_;
    setIsLoading(true);
    const HubAPIClient client(port_);
    try {
        AIConfig config = co_await client.getAIConfig();
        if (!self || seq != loadSeq_)
            co_return;
        // A provider added while this answer was on its way is still there: it has not been saved yet.
        for (auto it = addedAt_.cbegin(); it != addedAt_.cend(); ++it) {
            if (it.value() <= sentAt)
                continue;
            if (!config.providers)
                config.providers.emplace();
            if (!config.providers->contains(it.key()))
                config.providers->insert(it.key(), AIProviderConfig{});
        }
        setConfig(std::move(config));
        AIModelsResponse models = co_await client.getAIModels();
        if (!self || seq != loadSeq_)
            co_return;
        setModels(models.models);
        setDefaultModel(models.defaultModel.value_or(QString()));
        UsageResponse usage = co_await client.getAIUsage();
        if (!self || seq != loadSeq_)
            co_return;
        setUsage(std::move(usage));
    } catch (...) {
        if (!self || seq != loadSeq_)
            co_return;
        // What arrived before the failure stays.
        setError(describeCurrent());
        setIsLoading(false);
        co_return;
    }

    // The Hub's keys replace what was typed for every configured provider, except what was typed
    // after this load was sent.
    QMap<QString, QString> keys = editingKeys_;
    const QMap<QString, AIProviderConfig> providers =
        config_.providers.value_or(QMap<QString, AIProviderConfig>());
    for (auto it = providers.cbegin(); it != providers.cend(); ++it) {
        if (keyEditedAt_.value(it.key()) <= sentAt)
            keys.insert(it.key(), it->apiKey.value_or(QString()));
    }
    setEditingKeys(std::move(keys));

    std::optional<QList<AuthStatusEntry>> status;
    try {
        status = co_await client.getAuthStatus();
    } catch (...) {
        // Treated as nobody signed in; not worth a message.
    }
    if (!self || seq != loadSeq_)
        co_return;
    setAuthStatus(status.value_or(QList<AuthStatusEntry>()));
    setError(std::nullopt);

    // One after the other: providers with a sign-in or a key are tested.
    for (auto it = providers.cbegin(); it != providers.cend(); ++it) {
        if (!authEntry(it.key()) && it->apiKey.value_or(QString()).isEmpty())
            continue;
        co_await testProvider(it.key());
        if (!self || seq != loadSeq_)
            co_return;
    }
    setIsLoading(false);
}

QCoro::Task<> AISettingsState::testProvider(QString provider)
{
    QPointer<AISettingsState> self(this);
    const quint64 seq = ++testSeqs_[provider];
    setTestingProvider(provider);
    const QString typed = editingKeys_.value(provider);
    const std::optional<AIProviderConfig> entry = config_.providers && config_.providers->contains(provider)
                                                      ? std::optional(config_.providers->value(provider))
                                                      : std::nullopt;
    const QString saved = entry ? entry->apiKey.value_or(QString()) : QString();
    // Typed, else saved, else no key at all (never an empty text).
    const std::optional<QString> key = !typed.isEmpty()   ? std::optional(typed)
                                       : !saved.isEmpty() ? std::optional(saved)
                                                          : std::nullopt;
    const std::optional<QString> baseUrl = entry ? entry->baseUrl : std::nullopt;
    AITestResult result;
    try {
        result = co_await HubAPIClient(port_).testProvider(provider, key, baseUrl);
    } catch (const ShutdownError&) {
        co_return;
    } catch (...) {
        result = AITestResult{false, std::nullopt, describeCurrent()};
    }
    // A later test of the same provider (with another key, say) tells the truth, whenever it ends.
    if (!self || testSeqs_.value(provider) != seq)
        co_return;
    setTestResult(provider, std::move(result));
    if (testingProvider_ == provider)
        setTestingProvider(std::nullopt);
}

QCoro::Task<> AISettingsState::saveConfig()
{
    QPointer<AISettingsState> self(this);
    AIConfig config = config_;
    for (auto it = editingKeys_.cbegin(); it != editingKeys_.cend(); ++it) {
        if (!config.providers)
            config.providers.emplace();
        // Every typed key becomes a provider entry, even for an id that was never added.
        (*config.providers)[it.key()].apiKey = it.value();
    }
    config.defaultModel = defaultModel_.isEmpty() ? std::nullopt : std::optional(defaultModel_);
    // Named even when empty: a body with no field at all says nothing, and the Hub refuses it.
    if (!config.providers)
        config.providers.emplace();
    setConfig(std::move(config));
    mergedAt_ = editClock_;
    // Whatever a load on its way brings is older than this change.
    supersedeLoads();
    if (saving_) {
        saveAgain_ = true; // sent as soon as the Hub has answered the save on its way
        co_return;
    }
    saving_ = true;
    std::optional<QString> failure;
    quint64 asOf = 0;
    do {
        saveAgain_ = false;
        failure.reset();
        // What was typed or added after the configuration was put together is not in it: the reload
        // keeps it.
        asOf = mergedAt_;
        try {
            co_await HubAPIClient(port_).updateAIConfig(config_);
        } catch (...) {
            failure = describeCurrent();
        }
        if (!self)
            co_return;
        for (auto it = addedAt_.begin(); !failure && it != addedAt_.end();)
            it = it.value() <= asOf ? addedAt_.erase(it) : std::next(it);
    } while (saveAgain_);
    saving_ = false;
    if (failure) {
        setError(failure); // the edits stay in config
        co_return;
    }
    co_await loadAsOf(asOf);
}

void AISettingsState::chooseDefaultModel(const QString& model)
{
    if (model == defaultModel_)
        return;
    setDefaultModel(model);
    saveConfig();
}

void AISettingsState::chooseAppOverride(const QString& appId, const QString& model)
{
    AIConfig config = config_;
    QMap<QString, QString> overrides = config.appOverrides.value_or(QMap<QString, QString>());
    if (model.isEmpty())
        overrides.remove(appId);
    else
        overrides.insert(appId, model);
    config.appOverrides = std::move(overrides);
    setConfig(std::move(config));
    saveConfig();
}

QStringList AISettingsState::fallbackChain() const
{
    if (config_.fallbackOrder)
        return *config_.fallbackOrder;
    return config_.providers ? config_.providers->keys() : QStringList();
}

void AISettingsState::chooseFallbackOrder(const QStringList& order)
{
    AIConfig config = config_;
    config.fallbackOrder = order;
    setConfig(std::move(config));
    saveConfig();
}

QCoro::Task<> AISettingsState::signOut(QString provider)
{
    QPointer<AISettingsState> self(this);
    try {
        co_await HubAPIClient(port_).signOut(provider);
    } catch (...) {
        if (self)
            setError(describeCurrent());
        co_return;
    }
    if (!self)
        co_return;
    co_await load();
}

void AISettingsState::addProvider(const QString& provider)
{
    AIConfig config = config_;
    if (!config.providers)
        config.providers.emplace();
    config.providers->insert(provider, AIProviderConfig{});
    addedAt_.insert(provider, ++editClock_);
    setConfig(std::move(config));
    setEditingKey(provider, QString());
    setExpandedProvider(provider);
}

void AISettingsState::removeProvider(const QString& provider)
{
    addedAt_.remove(provider);
    if (config_.providers) {
        AIConfig config = config_;
        config.providers->remove(provider);
        setConfig(std::move(config));
    }
    QMap<QString, QString> keys = editingKeys_;
    keys.remove(provider);
    setEditingKeys(std::move(keys));
    if (expandedProvider_ == provider)
        setExpandedProvider(std::nullopt);
}

std::optional<AuthStatusEntry> AISettingsState::authEntry(const QString& provider) const
{
    for (const AuthStatusEntry& entry : authStatus_) {
        if (entry.provider == provider && entry.authenticated)
            return entry;
    }
    return std::nullopt;
}

ProviderStatus AISettingsState::providerStatus(const QString& provider) const
{
    if (testResults_.contains(provider))
        return testResults_.value(provider).ok ? ProviderStatus::Connected : ProviderStatus::Error;
    for (const AIModelInfo& model : models_) {
        if (model.provider == provider)
            return ProviderStatus::Connected;
    }
    if (provider == u"ollama")
        return ProviderStatus::Connected; // the local model runner needs no key
    const bool hasKey =
        config_.providers && !config_.providers->value(provider).apiKey.value_or(QString()).isEmpty();
    if (authEntry(provider) || hasKey)
        return ProviderStatus::Unknown;
    return ProviderStatus::NoKey;
}

QCoro::Task<> AISettingsState::startOAuth(QString provider)
{
    QPointer<AISettingsState> self(this);
    setOauthLoading(true);
    setOauthError(std::nullopt);
    Platform& platform = platform_;
    OAuthStartResponse started;
    try {
        started = co_await HubAPIClient(port_).startOAuth(provider);
    } catch (...) {
        if (self) {
            setOauthError(describeCurrent());
            setOauthLoading(false);
        }
        co_return;
    }
    if (!self)
        co_return;
    setOauthPendingState(started.state);
    const QUrl address(started.url, QUrl::StrictMode);
    if (address.isValid() && !address.scheme().isEmpty())
        platform.openUrl(address);
    setOauthLoading(false);
}

QCoro::Task<> AISettingsState::completeOAuth(QString provider)
{
    QPointer<AISettingsState> self(this);
    setOauthLoading(true);
    setOauthError(std::nullopt);
    if (!oauthPendingState_) {
        setOauthError(QCoreApplication::translate("AISettingsState", "No pending OAuth flow"));
        setOauthLoading(false);
        co_return;
    }
    // "code#state" carries its own state; a bare code uses the pending one. Empty pieces are dropped.
    QStringList pieces;
    const qsizetype hash = oauthCode_.indexOf(u'#');
    for (const QString& piece :
         hash < 0 ? QStringList{oauthCode_} : QStringList{oauthCode_.left(hash), oauthCode_.mid(hash + 1)}) {
        if (!piece.isEmpty())
            pieces.append(piece);
    }
    const QString code = pieces.value(0);
    const QString state = pieces.size() == 2 ? pieces[1] : *oauthPendingState_;

    OAuthCallbackResponse response;
    try {
        response = co_await HubAPIClient(port_).completeOAuth(provider, code, state);
    } catch (...) {
        if (self) {
            // The pending flow and the pasted code stay for a retry.
            setOauthError(describeCurrent());
            setOauthLoading(false);
        }
        co_return;
    }
    if (!self)
        co_return;
    if (!response.success) {
        setOauthError(
            response.error.value_or(QCoreApplication::translate("AISettingsState", "OAuth failed")));
        setOauthLoading(false);
        co_return;
    }
    setOauthPendingState(std::nullopt);
    setOauthCode(QString());
    co_await load();
    if (!self)
        co_return;
    setOauthLoading(false);
}

} // namespace zandrel
