#pragma once

#include <QProxyStyle>

namespace zandrel::ui {

// Fusion, with our own symbols or pictures read directly where Qt would load a bitmap by file name,
// which loads every image format plugin: the menu bar's overflow button asks for one when it is made,
// a search field's clear button when it is shown.
class AppStyle : public QProxyStyle {
    Q_OBJECT

public:
    AppStyle();

    QIcon standardIcon(StandardPixmap icon,
                       const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace zandrel::ui
