"""The module under dask's distributed scheduler, with worker processes: what the workers
compute equals one call in this process, and the example runs as it is shipped."""

import importlib
import os
import subprocess
import sys

import dask
import numpy as np
import pytest
from distributed import Client, LocalCluster

import toluvek

EXAMPLES = os.environ.get("TOLUVEK_EXAMPLES", "")
EXAMPLE = os.path.join(EXAMPLES, "dask_sweep.py")


@pytest.fixture(scope="module")
def example():
    sys.path.insert(0, EXAMPLES)
    try:
        yield importlib.import_module("dask_sweep")
    finally:
        sys.path.remove(EXAMPLES)


@pytest.fixture(scope="module")
def client(example):
    # The worker processes start with this process's import path, the example's folder
    # included: they import its block function by name, as a cluster's workers import an
    # installed module.
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                      dashboard_address=None) as cluster, Client(cluster) as client:
        yield client


def test_grid_on_two_worker_processes_equals_one_plain_call(client, example):
    amounts = np.array([toluvek.Mixture.preset(name).amounts for name in example.COMPOSITIONS])
    temperatures, pressures, side = example.grid_axes(states=4 * 30 * 30, block=4 * 8 * 8)
    temperatures[3] = -1.0  # a failing row, marked in the worker as here
    grid = example.build_grid(temperatures, pressures, amounts, side)
    assert grid.numblocks[:2] == (4, 4)
    computed = grid.compute()
    workers = client.run(os.getpid)
    assert len(set(workers.values()) | {os.getpid()}) == 3  # two processes besides this one
    plain = toluvek.Mixture(amounts[None, None]).properties(
        T=temperatures[:, None, None], p=pressures[None, :, None])
    for q, name in enumerate(example.QUANTITIES):
        assert np.array_equal(computed[..., q], getattr(plain, name), equal_nan=True), name
    assert np.isnan(computed[3]).all() and not np.isnan(computed[:3]).any()


def test_functions_and_mixtures_go_to_workers_and_errors_come_back(client):
    gas = toluvek.Mixture.preset("tokyo")
    T = np.linspace(300.0, 900.0, 50)
    remote = client.submit(gas.properties, T=T, p=2e5, threads=2).result()
    assert np.array_equal(remote.cp, gas.properties(T=T, p=2e5).cp)
    lean = gas.rescale(1.0).add_air(15.0)
    burnt = client.submit(toluvek.combustion, lean, T0=300.0).result()
    with pytest.warns(toluvek.ExtrapolationWarning):
        here = toluvek.combustion(lean, T0=300.0)
    assert burnt.temperature == here.temperature
    with pytest.raises(toluvek.InputError) as raised:
        client.submit(gas.properties, T=-1.0).result()
    assert raised.value.step == "input check" and raised.value.message == "絶対温度が負です!!"


def test_example_runs_on_a_small_grid():
    done = subprocess.run([sys.executable, EXAMPLE, "--states", "3000", "--block", "300",
                           "--workers", "2", "--check-blocks", "3"],
                          capture_output=True, text=True, timeout=240, check=False)
    assert done.returncode == 0, done.stdout + done.stderr
    assert "2 workers" in done.stdout
    assert "3 blocks checked: equal bit for bit" in done.stdout
    assert "peak memory" in done.stdout
