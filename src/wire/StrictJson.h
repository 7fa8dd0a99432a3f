#pragma once

#include <QByteArray>

namespace zandrel::wire {

// Checks that the bytes are one JSON text as RFC 8259 defines it, in valid UTF-8: any top-level value,
// no byte-order mark, no trailing content, at most 1024 levels of nesting. Integers of any length are
// taken; a number beyond the range of a double (1e400) is refused. Qt's own parser is more lenient (".5", "\x", raw tabs in strings, lone surrogates), so everything it reads
// passes here first. Throws DecodeError describing the first fault found.
void requireStrictJson(const QByteArray& bytes);

} // namespace zandrel::wire
