#include "platform/Notifier.h"

namespace zandrel {

Notifier::Notifier(QObject* parent)
    : QObject(parent)
{}

void Notifier::show(Kind kind, const Notice& notice)
{
    showFallback(kind, notice);
}

void Notifier::withdraw(Kind)
{
    // A tray balloon goes away by itself.
}

bool Notifier::showFallback(Kind kind, const Notice& notice) const
{
    return fallback_ && fallback_(kind, notice);
}

} // namespace zandrel
