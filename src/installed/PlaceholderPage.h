#pragma once

#include <QWidget>

namespace zandrel {

// Stands in for a section whose page is still to come: the section's title and nothing more.
class PlaceholderPage : public QWidget {
    Q_OBJECT

public:
    explicit PlaceholderPage(const QString& title, QWidget* parent = nullptr);
};

} // namespace zandrel
