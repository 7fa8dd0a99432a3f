#pragma once

#include <QPointer>
#include <QWidget>

namespace zandrel::ui {

// A page that the window has replaced is deleted later, so a QPointer to it stays set until the event
// loop runs. The window retires it first; a page's coroutine asks isLive() after every co_await and
// returns without touching anything once its page (or the page that owns its sheet) is retired.
void retire(QWidget* widget);
bool isRetired(const QWidget* widget);

template <class T>
bool isLive(const QPointer<T>& widget)
{
    return widget && !isRetired(widget.data());
}

} // namespace zandrel::ui
