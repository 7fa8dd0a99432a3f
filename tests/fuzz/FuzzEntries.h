#pragma once

// The entry functions the fuzz targets and the corpus replay share. Each takes one input as the
// fuzzer hands it. The refusals a decoder is meant to give (DecodeError, an HTTP 400) are the
// expected outcome; anything else escaping, a sanitizer report, or a broken invariant
// (which aborts) is a finding.

#include <cstddef>
#include <cstdint>
#include <span>

namespace zandrel::fuzz {

struct Target {
    const char* name;
    void (*run)(const std::uint8_t* data, std::size_t size);
};

// records: the first byte picks a Hub or store record family, the rest is decoded as it; whatever
// decodes must encode and decode again to the same value.
// lenient: the permissions parse and the catalogue's page-or-array fallback.
// links: the zandrel: link parser and what the router would do with its result.
// hub_bodies: the reference Hub's decoding of each request body it takes.
std::span<const Target> targets();

} // namespace zandrel::fuzz
