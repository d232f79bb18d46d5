"""Builds the Python module varnel with the project's CMake, for the interpreter that runs pip.

pip install --no-build-isolation . configures a build of its own (without the programs and the
tests, without link-time optimisation) in build-python/ and builds only the module, which needs
pybind11, Python's headers, OpenMP and CaDiCaL (Debian: pybind11-dev python3-dev libomp-dev
libcadical-dev). VARNEL_CMAKE_BUILD_DIR names an already configured build directory to build the
module in instead.
"""

import os
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        given = os.environ.get("VARNEL_CMAKE_BUILD_DIR")
        build = Path(given) if given else ROOT / "build-python" / f"cmake-{sys.implementation.cache_tag}"
        if not given:
            build.mkdir(parents=True, exist_ok=True)
            subprocess.check_call(
                [
                    "cmake", "-S", str(ROOT), "-B", str(build),
                    "-DCMAKE_BUILD_TYPE=Release",
                    f"-DPython_EXECUTABLE={sys.executable}",
                    "-DVARNEL_PYTHON=ON",
                    "-DVARNEL_BUILD_PROGRAMS=OFF",
                    "-DVARNEL_BUILD_TESTS=OFF",
                    "-DVARNEL_BUILD_BENCH=OFF",
                    "-DVARNEL_LTO=OFF",
                ]
            )
        subprocess.check_call(
            ["cmake", "--build", str(build), "--target", "varnel_python", "-j", str(os.cpu_count() or 1)]
        )
        suffix = Path(self.get_ext_filename(ext.name)).name
        built = build / "python" / suffix
        if not built.exists():
            raise RuntimeError(f"the CMake build made no {built}")
        target = Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


setup(
    py_modules=[],  # the module is the extension alone
    ext_modules=[Extension("varnel", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    options={"build": {"build_base": "build-python"}},
)
