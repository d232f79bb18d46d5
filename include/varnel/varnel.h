#pragma once

// The whole public header set of the varnel library: include this, or only the headers needed.
//   puzzle.h      the Puzzle record
//   read.h        reading puzzles from text
//   write.h       writing puzzles in every form
//   answer.h      the Answer record
//   check.h       one answer, several or none, and the grades
//   difficulty.h  the difficulty as a person solving the puzzle feels it
//   explain.h     walkthroughs and hints
//   grade.h       the creator's score and level
//   make.h        new puzzles
//   verify.h      verifying a proposed answer
//   solve.h       the main program's solve
//   version.h     the version

#include "varnel/answer.h"
#include "varnel/check.h"
#include "varnel/difficulty.h"
#include "varnel/explain.h"
#include "varnel/grade.h"
#include "varnel/make.h"
#include "varnel/puzzle.h"
#include "varnel/read.h"
#include "varnel/solve.h"
#include "varnel/verify.h"
#include "varnel/version.h"
#include "varnel/write.h"
