#pragma once

// VARNEL_FORCED_INLINE forces a rule step, a rotation or a sweep's visit into the loop that calls
// it, so that each rule is compiled out with its offsets as if written by hand: the sweeps' speed
// depends on it. Checking builds (sanitizers, fuzzing) define VARNEL_NO_FORCED_INLINE and leave
// inlining to the compiler: the code means the same, and the forced bodies, instrumented, would
// take minutes to compile.
#ifdef VARNEL_NO_FORCED_INLINE
#define VARNEL_FORCED_INLINE
#else
#define VARNEL_FORCED_INLINE __attribute__((always_inline))
#endif
