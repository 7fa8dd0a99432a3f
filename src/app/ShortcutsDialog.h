#pragma once

#include <QDialog>
#include <QList>

class QAction;
class QTreeWidget;

namespace zandrel {

// Help > Keyboard Shortcuts: every command of the menus with its keys, read from the actions
// themselves so the list cannot drift from what the keys do. Grouped by menu, in menu order.
class ShortcutsDialog : public QDialog {
    Q_OBJECT

public:
    struct Group {
        QString title; // the menu's title, without its mnemonic
        QList<QAction*> actions;
    };

    explicit ShortcutsDialog(const QList<Group>& groups, QWidget* parent = nullptr);

    // "Command<TAB>Keys" per action row, for tests and the screen reader's summary.
    QStringList rows() const;

    // The action's text as the user reads it: mnemonics and trailing dots removed.
    static QString plainText(const QString& text);

private:
    QTreeWidget* list_;
};

} // namespace zandrel
