#!/usr/bin/env bash
# pip install --no-build-isolation of a copy of the repository into a fresh virtual environment
# of the given interpreter, offline, then the installed module imported from the environment to
# make, check and verify a puzzle. The module is built in the given, already configured build
# directory (VARNEL_CMAKE_BUILD_DIR), where it is up to date, so the test costs seconds; a
# fresh `pip install` configures and compiles a build of its own the same way.
#   python/tests/pip_install.sh PYTHON SOURCE_DIR BUILD_DIR
set -euo pipefail
python="$1"
source="$2"
build="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The system's setuptools and wheel, which the build needs offline, come with the system's
# site packages.
"$python" -m venv --system-site-packages "$work/venv"
mkdir "$work/src"
(cd "$source" && tar --exclude='./build*' --exclude=./.git --exclude='./varnel.egg-info' -cf - .) |
    tar -xf - -C "$work/src"
VARNEL_CMAKE_BUILD_DIR="$build" "$work/venv/bin/pip" install --no-build-isolation --no-index \
    --quiet "$work/src"

cd "$work"
"$work/venv/bin/python" - "$work/venv" <<'PYTHON'
import sys

import varnel

assert varnel.__file__.startswith(sys.argv[1]), varnel.__file__
made = varnel.make(10, 10, count=3, seed=7)
for m in made:
    assert varnel.check(m.puzzle).verdict == "unique"
    assert varnel.verify(m.puzzle, m.answer)
print("pip-installed varnel", varnel.__version__, "made, checked and verified", len(made), "puzzles")
PYTHON
