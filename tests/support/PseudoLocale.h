#pragma once

#include <QTranslator>

namespace zandrel::test {

// A language made at test time from the source texts themselves: every text that goes through Qt's
// translation comes back wrapped in ⟦ ⟧, with its letters accented and about a third longer, its
// placeholders (%1, %n, %L1), mnemonics and markup untouched. A visible text without the brackets
// missed tr(); a label too narrow for the longer text would be cut off in a real translation.
class PseudoLocale : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context,
                      const char* sourceText,
                      const char* disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }

    static QString pseudo(const QString& source);
    static constexpr char16_t open = u'\u27E6';
    static constexpr char16_t close = u'\u27E7';
};

} // namespace zandrel::test
