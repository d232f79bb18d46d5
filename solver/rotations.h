#pragma once

#include <cstdint>

#include "solver/forced_inline.h"

namespace varnel {

// The rotations (a, b) in which the seeding rules and the local deduction rules are applied on a
// board of stride s: two perpendicular index offsets, b being a turned a quarter turn clockwise
// as the board is printed (rows downward). Each rule is written once in terms of c +- a and
// c +- b; each rotation is the previous one turned a quarter turn, so together they present
// every side and every corner of a cell to a rule in the same relative position. They are always
// taken in this order, since later rotations see the relations recorded by earlier ones:
//   (1, s)    a right, b down
//   (-s, 1)   a up,    b right
//   (-1, -s)  a left,  b up
//   (s, -1)   a down,  b left
// fn is called once per rotation, in that order. In the sweep's hot loop fn is a lambda marked
// VARNEL_FORCED_INLINE, so that each rule is inlined four times with its offsets, as if written
// out.
template <class Fn>
VARNEL_FORCED_INLINE inline void forEachRotation(int32_t s, Fn&& fn) {
    fn(1, s);
    fn(-s, 1);
    fn(-1, -s);
    fn(s, -1);
}

// True when test(a, b) holds for one of the rotations; they are tried in their order, and none
// after the first that holds.
template <class Test>
inline bool anyRotation(int32_t s, Test&& test) {
    bool found = false;
    forEachRotation(s, [&](int32_t a, int32_t b) {
        if (!found) found = test(a, b);
    });
    return found;
}

}  // namespace varnel
