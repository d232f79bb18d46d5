#pragma once

namespace varnel {

// Create mode opens its output files before it makes a single problem and writes them only at
// the end. An interrupt in between (Ctrl-C, kill, a closed terminal) would leave empty dated
// files behind, which take a counter and later read as invalid data. While guarded, SIGINT,
// SIGTERM and SIGHUP first remove the files this run registered that are still empty, then end
// the process by the same signal with its default action, so the caller sees the conventional
// status (130 for Ctrl-C).
//
// The handler can only reach state outside any call, so the guarded names live in this file; it
// uses nothing but async-signal-safe calls (stat, unlink, signal, raise).

// Installs the handlers and forgets the files of any earlier run. Call at the start of a run,
// before its first output file is created.
void guardOutputFiles();

// Adds a file that this run has just created; at most three are guarded. Main thread only.
void guardOutputFile(const char* name);

// Ends the guard before the files are written: from here an interrupt takes the signal's default
// action at once and a file being written is left as it stands.
void endOutputGuard();

}  // namespace varnel
