#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QPair>
#include <QTranslator>

namespace zandrel::test {

// A catalogue for tests, installed while it lives. With entries, it translates only those (context and
// source text); without, it marks every text it is asked for as "[text]", so a text that was built
// outside the translation shows up unmarked.
class PseudoTranslator : public QTranslator {
public:
    using Entries = QHash<QPair<QByteArray, QByteArray>, QString>;

    explicit PseudoTranslator(Entries entries = {})
        : entries_(std::move(entries))
    {
        QCoreApplication::installTranslator(this);
    }
    ~PseudoTranslator() override { QCoreApplication::removeTranslator(this); }

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        if (entries_.isEmpty())
            return u'[' + QString::fromUtf8(sourceText) + u']';
        return entries_.value({QByteArray(context), QByteArray(sourceText)});
    }

private:
    Entries entries_;
};

} // namespace zandrel::test
