#pragma once

#include <QSortFilterProxyModel>

namespace zandrel {

// What of the audit log is shown: newest first, and only the entries that match the search text (in the
// app, the action and the details, ignoring case), the app picked and the outcome picked. The criteria
// stay when the log under it is loaded again.
class AuditFilterModel : public QSortFilterProxyModel {
    Q_OBJECT

public:
    enum class Outcome { All, Allowed, Denied };

    explicit AuditFilterModel(QObject* parent = nullptr);

    void setSearch(const QString& text);
    // Empty for every app.
    void setApp(const QString& app);
    void setOutcome(Outcome outcome);

    const QString& search() const { return search_; }
    const QString& app() const { return app_; }
    Outcome outcome() const { return outcome_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    QString search_;
    QString app_;
    Outcome outcome_ = Outcome::All;
};

} // namespace zandrel
