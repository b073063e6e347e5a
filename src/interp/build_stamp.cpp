#include "interp/interp.h"

// The compiler's date is "Mmm dd yyyy" with the day padded by a blank.
const char* zorakBuildStamp() {
    return __DATE__ "@" __TIME__;
}
