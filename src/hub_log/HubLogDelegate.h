#pragma once

#include <QStyledItemDelegate>

namespace zandrel {

// Paints a log row in the monospace font: a request line in columns (method, path, status, time),
// the status coloured by class and a slow answer's time in bold; any other line as it is; a restart
// as a divider. With wrapping on, a row is as tall as its text needs at the view's width.
class HubLogDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit HubLogDelegate(QObject* parent = nullptr);

    void setWrapping(bool wrap) { wrap_ = wrap; }
    bool wrapping() const { return wrap_; }

    void
    paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The colour a status is shown in: the text's for success, a warning for 4xx, red for 5xx.
    static QColor statusColor(int status, const QPalette& palette);

private:
    struct Columns {
        QRect method, path, status, time;
    };
    static Columns columns(const QRect& rect, const QFontMetrics& metrics);

    bool wrap_ = false;
};

} // namespace zandrel
