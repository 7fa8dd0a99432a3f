// One libFuzzer target; which one is chosen when it is built (ZANDREL_FUZZ_TARGET).

#include "FuzzEntries.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto run = [] {
        for (const zandrel::fuzz::Target& target : zandrel::fuzz::targets()) {
            if (std::strcmp(target.name, ZANDREL_FUZZ_TARGET) == 0)
                return target.run;
        }
        return static_cast<void (*)(const std::uint8_t*, std::size_t)>(nullptr);
    }();
    run(data, size);
    return 0;
}
