#pragma once

#include "wire/JsonElement.h"

#include <QByteArray>
#include <memory>

namespace zandrel::wire {

// One JSON text, checked and parsed in one pass. Only what RFC 8259 defines is taken, in valid UTF-8:
// any top-level value, no byte-order mark, no trailing content, at most 1024 levels of nesting. Integers
// of any length are taken (beyond 64 bits they read as the nearest double); a number beyond the range
// of a double (1e400) is refused. Qt's own parser is more lenient (".5", "\x", raw tabs in strings, lone
// surrogates). The constructor throws DecodeError describing the first fault found.
class JsonDocument {
public:
    explicit JsonDocument(const QByteArray& bytes);
    ~JsonDocument();
    JsonDocument(const JsonDocument&) = delete;
    JsonDocument& operator=(const JsonDocument&) = delete;

    // Valid while this document lives.
    JsonElement root() const;

private:
    struct Parsed;
    std::unique_ptr<Parsed> parsed_;
};

} // namespace zandrel::wire
