// LeadingNumber on any text: never crashes, and agrees with the number it
// reads back from its own digits.
#include "store/conversions.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const double value = LeadingNumber(text);
    if (std::isnan(value))
        std::abort();
    // A value that rounds to 16 bits survives the trip through the store's form.
    if (const auto rounded = RoundToInt16(value)) {
        if (LeadingNumber(NumberText(*rounded)) != *rounded)
            std::abort();
    }
    return 0;
}
