#pragma once

namespace zandrel::ui {

// A page that can fetch what it shows again on the user's word (Refresh), as when it is shown.
class Reloadable {
public:
    virtual ~Reloadable() = default;
    virtual void reload() = 0;
};

} // namespace zandrel::ui
