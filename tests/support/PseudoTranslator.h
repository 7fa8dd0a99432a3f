#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QPair>
#include <QTranslator>

namespace zandrel::test {

// A catalogue for tests with the given entries (context and source text), installed while it lives.
// (PseudoLocale marks every text instead.)
class PseudoTranslator : public QTranslator {
public:
    using Entries = QHash<QPair<QByteArray, QByteArray>, QString>;

    explicit PseudoTranslator(Entries entries)
        : entries_(std::move(entries))
    {
        QCoreApplication::installTranslator(this);
    }
    ~PseudoTranslator() override { QCoreApplication::removeTranslator(this); }

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        return entries_.value({QByteArray(context), QByteArray(sourceText)});
    }

private:
    Entries entries_;
};

} // namespace zandrel::test
