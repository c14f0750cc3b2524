"""What the module's tests share: the command line to compare with, random states."""

import json
import os
import subprocess

import numpy as np
import pytest


def _cli_path():
    path = os.environ.get("TOLUVEK_CLI")
    if not path or not os.access(path, os.X_OK):
        raise RuntimeError("TOLUVEK_CLI must name the built toluvek-cli (ctest sets it)")
    return path


@pytest.fixture(scope="session")
def cli():
    """Runs toluvek-cli; returns (exit code, stdout, stderr)."""
    path = _cli_path()

    def run(*args):
        done = subprocess.run([path, *args], capture_output=True, text=True, check=False)
        return done.returncode, done.stdout, done.stderr

    return run


@pytest.fixture(scope="session")
def cli_json(cli):
    """Runs a toluvek-cli subcommand with --json; returns (exit code, document)."""

    def run(*args):
        code, out, err = cli(*args, "--json")
        assert out, f"no JSON from toluvek-cli {' '.join(args)}: {err}"
        return code, json.loads(out)

    return run


def amounts_text(amounts):
    """Twelve amounts as --amounts takes them, each the shortest text of its double."""
    return ",".join(repr(float(a)) for a in amounts)


@pytest.fixture
def rng():
    return np.random.default_rng(20261210)


# A run in which no test passed (none collected, every one skipped or deselected) proves
# nothing: it fails, so that a module that could not be imported or a file that lost its
# tests never shows as green.
_passed = 0


def pytest_runtest_logreport(report):
    global _passed
    if report.when == "call" and report.passed:
        _passed += 1


def pytest_sessionfinish(session, exitstatus):
    if exitstatus == 0 and _passed == 0:
        session.exitstatus = pytest.ExitCode.NO_TESTS_COLLECTED
