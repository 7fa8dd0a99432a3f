#pragma once

#include "wire/Error.h"

namespace zandrel {

// A JSON answer that does not match the expected record. The path names where the mismatch is
// ("results[3].price_cents"), the reason why ("expected an integer").
class DecodeError : public Error {
public:
    explicit DecodeError(QString reason, QString path = {});

    const QString& path() const { return path_; }
    const QString& reason() const { return reason_; }
    // "path: reason", or just the reason at the top level.
    QString message() const;

    // Called while the error travels outwards, innermost segment first.
    void prependMember(const QString& name);
    void prependIndex(qsizetype index);

private:
    void refresh();

    QString reason_;
    QString path_;
};

} // namespace zandrel
