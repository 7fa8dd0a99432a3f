#include "settings/AuditLogPanel.h"

#include "settings/AuditExport.h"
#include "settings/AuditLogView.h"
#include "settings/PermissionsState.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/OwnLoop.h"
#include "ui/Refill.h"
#include "ui/TextField.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPointer>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <set>

namespace zandrel {

using ui::Label;
using ui::TextStyle;
using ui::Tone;

namespace {

AuditLogPanel::SavePathPrompt& savePathPrompt()
{
    static AuditLogPanel::SavePathPrompt prompt = [](QWidget* parent, const QString& suggested) {
        return QFileDialog::getSaveFileName(parent,
                                            AuditLogPanel::tr("Export Audit Log"),
                                            suggested,
                                            AuditLogPanel::tr("CSV files (*.csv);;All files (*)"));
    };
    return prompt;
}

} // namespace

AuditLogPanel::AuditLogPanel(PermissionsState& state, QWidget* parent)
    : QWidget(parent)
    , state_(state)
    , filters_(new QWidget)
    , search_(new ui::TextField(tr("Search app, action or detail")))
    , app_(new QComboBox)
    , outcome_(new QComboBox)
    , count_(new Label({}, TextStyle::Caption, Tone::Secondary))
    , noEntries_(new Label(tr("No audit entries"), TextStyle::Caption, Tone::Secondary))
    , noMatch_(new Label(tr("No entries match the filter"), TextStyle::Caption, Tone::Secondary))
    , log_(new AuditLogView)
    , showMore_(new ui::Button(tr("Show more"), ui::Button::Kind::Bordered, ui::Button::ControlSize::Small))
    , export_(new ui::Button(tr("Export…"), ui::Button::Kind::Bordered, ui::Button::ControlSize::Small))
    , exportError_(new Label({}, TextStyle::Caption))
{
    setObjectName(QStringLiteral("auditLogPanel"));
    search_->setObjectName(QStringLiteral("auditSearch"));
    search_->setAccessibleName(tr("Search the audit log"));
    search_->setClearButtonEnabled(true);
    app_->setObjectName(QStringLiteral("auditAppFilter"));
    app_->setAccessibleName(tr("App"));
    app_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    app_->addItem(tr("All Apps"), QString());
    outcome_->setObjectName(QStringLiteral("auditOutcomeFilter"));
    outcome_->setAccessibleName(tr("Outcome"));
    outcome_->addItem(tr("All"), int(AuditFilterModel::Outcome::All));
    outcome_->addItem(tr("Allowed"), int(AuditFilterModel::Outcome::Allowed));
    outcome_->addItem(tr("Denied"), int(AuditFilterModel::Outcome::Denied));
    count_->setObjectName(QStringLiteral("auditCount"));
    noEntries_->setObjectName(QStringLiteral("noAuditEntries"));
    noMatch_->setObjectName(QStringLiteral("auditNoMatch"));
    showMore_->setObjectName(QStringLiteral("auditShowMore"));
    showMore_->setToolTip(tr("Ask the Hub for a longer log"));
    export_->setObjectName(QStringLiteral("auditExport"));
    export_->setToolTip(tr("Save the entries shown as a CSV file"));
    exportError_->setObjectName(QStringLiteral("auditExportError"));
    exportError_->setNamedColor(ui::NamedColor::Red);
    exportError_->setWordWrap(true);
    exportError_->hide();

    AuditFilterModel* filter = log_->filter();
    connect(search_, &QLineEdit::textChanged, filter, &AuditFilterModel::setSearch);
    connect(app_, &QComboBox::currentIndexChanged, this, [this, filter] {
        filter->setApp(app_->currentData().toString());
    });
    connect(outcome_, &QComboBox::currentIndexChanged, this, [this, filter] {
        filter->setOutcome(AuditFilterModel::Outcome(outcome_->currentData().toInt()));
    });
    connect(log_, &AuditLogView::shownCountChanged, this, &AuditLogPanel::updateCount);
    connect(showMore_, &QPushButton::clicked, &state_, &PermissionsState::showMoreAudit);
    connect(export_, &QPushButton::clicked, this, &AuditLogPanel::exportShown);
    connect(&state_, &PermissionsState::auditLogChanged, this, &AuditLogPanel::update);
    connect(&state_, &PermissionsState::isLoadingMoreAuditChanged, this, &AuditLogPanel::update);

    auto* filterRow = new QHBoxLayout(filters_);
    filterRow->setContentsMargins(0, 0, 0, 0);
    filterRow->setSpacing(8);
    filterRow->addWidget(search_, 1);
    filterRow->addWidget(app_);
    filterRow->addWidget(outcome_);
    filterRow->addWidget(count_);

    auto* actions = new QHBoxLayout;
    actions->setSpacing(8);
    actions->addWidget(showMore_);
    actions->addStretch(1);
    actions->addWidget(export_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(noEntries_);
    column->addWidget(filters_);
    column->addWidget(noMatch_);
    column->addWidget(log_);
    column->addLayout(actions);
    column->addWidget(exportError_);
    update();
}

void AuditLogPanel::setSavePathPrompt(SavePathPrompt prompt)
{
    savePathPrompt() = std::move(prompt);
}

void AuditLogPanel::update()
{
    const QList<AuditEntry>& entries = state_.auditLog();
    log_->setEntries(entries);
    refillApps();
    const bool empty = entries.isEmpty();
    noEntries_->setVisible(empty);
    filters_->setVisible(!empty);
    log_->setVisible(!empty);
    export_->setVisible(!empty);
    showMore_->setVisible(state_.canShowMoreAudit() || state_.isLoadingMoreAudit());
    showMore_->setEnabled(!state_.isLoadingMoreAudit());
    showMore_->setBusy(state_.isLoadingMoreAudit());
    updateCount();
}

void AuditLogPanel::updateCount()
{
    const int total = int(log_->entries().size());
    const int shown = log_->filter()->rowCount();
    count_->setText(tr("%1 of %n entries", nullptr, total).arg(shown));
    noMatch_->setVisible(total > 0 && shown == 0);
    export_->setEnabled(shown > 0);
}

void AuditLogPanel::refillApps()
{
    std::set<QString> names;
    for (const AuditEntry& entry : state_.auditLog()) {
        if (entry.app && !entry.app->isEmpty())
            names.insert(entry.app->left(200));
    }
    // The app picked stays offered after a reload that no longer lists it, so the filter survives.
    const QString picked = app_->currentData().toString();
    if (!picked.isEmpty())
        names.insert(picked);
    ui::ComboEntries entries{{tr("All Apps"), QString()}};
    for (const QString& name : names)
        entries.append({name, name});
    ui::refill(app_, entries, picked);
}

void AuditLogPanel::exportShown()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested = QDir(folder.isEmpty() ? QDir::homePath() : folder)
                                  .filePath(AuditExport::defaultFileName(QDate::currentDate()));
    QPointer<AuditLogPanel> self(this);
    QString path;
    {
        const ui::OwnLoop prompting;
        path = savePathPrompt()(this, suggested);
    }
    if (self && !path.isEmpty())
        exportTo(path);
}

bool AuditLogPanel::exportTo(const QString& path)
{
    const std::optional<QString> failure = AuditExport::writeCsv(path, log_->shownEntries());
    exportError_->setText(failure ? tr("Could not export to %1: %2").arg(path, *failure) : QString());
    exportError_->setVisible(failure.has_value());
    return !failure;
}

} // namespace zandrel
