// DTM_ADDRESS_SANITIZER is defined where the address sanitizer is on: g++ and clang name
// it differently. Its allocator keeps no heap figures, and it reserves more address
// space than a tight limit leaves.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define DTM_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DTM_ADDRESS_SANITIZER 1
#endif
#endif
