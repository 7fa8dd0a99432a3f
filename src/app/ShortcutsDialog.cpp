#include "app/ShortcutsDialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zandrel {

ShortcutsDialog::ShortcutsDialog(const QList<Group>& groups, QWidget* parent)
    : QDialog(parent)
    , list_(new QTreeWidget)
{
    setObjectName(QStringLiteral("shortcutsDialog"));
    setWindowTitle(tr("Keyboard Shortcuts"));

    list_->setObjectName(QStringLiteral("shortcutsList"));
    list_->setAccessibleName(tr("Keyboard shortcuts"));
    list_->setColumnCount(2);
    list_->setHeaderLabels({tr("Command"), tr("Keys")});
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setUniformRowHeights(true);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    list_->setAlternatingRowColors(true);

    for (const Group& group : groups) {
        auto* heading = new QTreeWidgetItem(list_, {plainText(group.title)});
        QFont bold = heading->font(0);
        bold.setBold(true);
        heading->setFont(0, bold);
        heading->setFirstColumnSpanned(true);
        heading->setFlags(Qt::ItemIsEnabled);
        for (QAction* action : group.actions) {
            QStringList keys;
            for (const QKeySequence& key : action->shortcuts())
                keys.append(key.toString(QKeySequence::NativeText));
            auto* item = new QTreeWidgetItem(heading, {plainText(action->text()), keys.join(tr(", "))});
            item->setData(0, Qt::UserRole, action->objectName());
            item->setFlags(Qt::ItemIsEnabled);
        }
    }
    list_->expandAll();
    list_->resizeColumnToContents(1);
    // Room after the longest key, so it does not touch the frame.
    list_->setColumnWidth(1, list_->columnWidth(1) + 24);
    list_->setCurrentItem(nullptr);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(420, 460);
}

QStringList ShortcutsDialog::rows() const
{
    QStringList rows;
    for (int g = 0; g < list_->topLevelItemCount(); ++g) {
        const QTreeWidgetItem* group = list_->topLevelItem(g);
        for (int i = 0; i < group->childCount(); ++i)
            rows.append(group->child(i)->text(0) + u'\t' + group->child(i)->text(1));
    }
    return rows;
}

QString ShortcutsDialog::plainText(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        // "&&" is a literal ampersand; a single one marks the mnemonic.
        if (text.at(i) == u'&' && i + 1 < text.size()) {
            ++i;
        }
        plain.append(text.at(i));
    }
    while (plain.endsWith(u'.') || plain.endsWith(QChar(0x2026)))
        plain.chop(1);
    return plain;
}

} // namespace zandrel
