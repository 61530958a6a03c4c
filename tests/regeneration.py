"""Shared by the data generators' tests: regenerating a committed file."""

import contextlib
import io
import os
import tempfile


def regenerate(main, file_name, arguments):
    """Runs a generator's main() with the given arguments and --output in a
    temporary folder, quietly, and returns the bytes it wrote."""
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, file_name)
        with contextlib.redirect_stdout(io.StringIO()):
            main(arguments + ["--output", out])
        with open(out, "rb") as f:
            return f.read()
