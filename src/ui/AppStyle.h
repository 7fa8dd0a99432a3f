#pragma once

#include <QProxyStyle>

namespace zandrel::ui {

// Fusion, with our own symbols where Qt would load a bitmap: the menu bar's overflow button asks for
// one when it is made, and reading it loads every image format plugin at start-up.
class AppStyle : public QProxyStyle {
    Q_OBJECT

public:
    AppStyle();

    QIcon standardIcon(StandardPixmap icon,
                       const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace zandrel::ui
