#!/usr/bin/env bash
# The shell that cram runs the documentation's examples in (tests/docs/run_examples.py). cram
# starts it in an empty folder of its own and feeds it the commands; this first makes that folder
# look like the top of a checkout, as the examples expect: every top-level entry of the source
# linked (the examples write only new files at the top), build/ the build under test, whose
# programs also come first on PATH, as for a user who put them there.
set -eu
for entry in "$VARNEL_SOURCE_DIR"/*; do
    name="$(basename "$entry")"
    [ "$name" = build ] || ln -s "$entry" "$name"
done
ln -s "$VARNEL_BUILD_DIR" build
export PATH="$VARNEL_BUILD_DIR:$PATH"
set +eu
exec bash "$@"
