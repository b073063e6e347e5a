// Reads each input as a list with the element scanner and the element
// splitter, and cuts it into fields. Counting and storing must agree, and a
// list built from the elements must scan again without a fault.
#include "commands/list_core.h"
#include "util/heap_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    for (bool keep : {false, true}) {
        ListScanOptions options;
        options.keep_empty = keep;
        ScopedVector stored;
        bool quoteLineEnd = false;
        int count = zorakScanList(text, &stored.get(), options, &quoteLineEnd);
        if (count != stored->count) std::abort();
        options.count_only = true;
        if (zorakScanList(text, nullptr, options) != count) std::abort();
        std::string rebuilt = zorakBuildList(stored->count, stored->items);
        zorakScanList(rebuilt, nullptr, options);
    }
    ScopedVector split;
    int count = zorakSplitList(text, &split.get());
    if (count != split->count || zorakSplitList(text, nullptr) != count) std::abort();
    // The first bytes choose the separators of the field cutter.
    if (size > 0) {
        size_t n = static_cast<size_t>(data[0] % 4);
        if (n + 1 <= size) {
            std::string_view chars = text.substr(1, n);
            std::string_view rest = text.substr(1 + n);
            zorakSplitFields(rest, chars, false);
            zorakSplitFields(rest, chars, true);
        }
    }
    return 0;
}
