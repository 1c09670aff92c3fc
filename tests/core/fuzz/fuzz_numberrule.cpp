// The number-box rule on any text: it never crashes, and what it accepts
// is a finite number that reads back the same from its shortest form.
#include "common/numberrule.h"
#include "common/reportnum.h"
#include "fuzzinput.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> value = ParseNumberBox(text);
    if (value) {
        FUZZ_CHECK(std::isfinite(*value));
        const std::optional<double> again = ParseNumberBox(FormatGeneral(*value, 17));
        FUZZ_CHECK(again && *again == *value);
    }
    return 0;
}
