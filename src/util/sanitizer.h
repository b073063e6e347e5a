// Whether the library is built with AddressSanitizer, whose stack frames are
// several times larger: stack reserves scale with it.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define ZORAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZORAK_ASAN 1
#endif
#endif

#if defined(ZORAK_ASAN)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
