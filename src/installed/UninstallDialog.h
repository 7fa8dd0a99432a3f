#pragma once

#include <QDialog>

class QPushButton;

namespace zandrel {

// Asks how to uninstall an app: keeping its data, deleting it too, or not at all. The three
// choices stand in this order; Return picks the first, Escape cancels.
class UninstallDialog : public QDialog {
    Q_OBJECT

public:
    enum class Choice { KeepData, DeleteData, Cancel };

    explicit UninstallDialog(const QString& appName, QWidget* parent = nullptr);

    Choice choice() const { return choice_; }
    QPushButton* button(Choice choice) const;

private:
    void choose(Choice choice);

    Choice choice_ = Choice::Cancel;
    QPushButton* keepData_;
    QPushButton* deleteData_;
    QPushButton* cancel_;
};

} // namespace zandrel
