// TextToInt16 on any text: never crashes; a success is a 16-bit number that
// LeadingNumber reads the same way.
#include "store/conversions.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const Int16Result result = TextToInt16(text);
    if (result.ok()) {
        const auto again = RoundToInt16(LeadingNumber(text));
        if (!again || *again != result.value)
            std::abort();
    } else if (result.value != 0) {
        std::abort();
    }
    return 0;
}
