#pragma once

// VARNEL_API marks the functions the shared library exports; everything else inside it stays
// hidden, so that a program linking it sees nothing but this header set.
#if defined(_WIN32)
#define VARNEL_API
#else
#define VARNEL_API __attribute__((visibility("default")))
#endif
