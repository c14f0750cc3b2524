#!/usr/bin/env python3
"""A property grid of temperature × pressure × composition on a dask cluster.

The grid's axes are dask arrays; dask.array.map_blocks runs toluvek on each block in the
workers, each block one call of the module's array loop. A sample of blocks is computed again
in this process by a plain call and compared bit for bit; the wall time and the peak memory of
this process and of each worker are printed.

    PYTHONPATH=build/python /usr/bin/python3 python/examples/dask_sweep.py            # 10^8 states
    ... dask_sweep.py --states 1e7 --workers 2
    ... dask_sweep.py --scheduler tcp://10.0.0.5:8786    # a cluster that is already running

On a real cluster nothing changes but the address: the workers need the package toluvek
installed (cmake --install), the function below travels to them pickled, and each returns
only small reductions, so the client holds next to nothing.
"""

import argparse
import math
import resource
import sys
import time

import dask
import dask.array as da
import numpy as np
from distributed import Client, LocalCluster

import toluvek

# The quantities gathered for each state, along the grid's last axis.
QUANTITIES = ("cp", "conductivity", "viscosity", "prandtl")
COMPOSITIONS = ("air", "osaka", "tokyo", "pfd")


def property_block(T, p, composition, amounts):
    """The quantities of one block: T (n,1,1) [K], p (1,m,1) [Pa], composition indices
    (1,1,k) into `amounts` (c,12). Returns shape (n,m,k,len(QUANTITIES)); failed states NaN."""
    gas = toluvek.Mixture(amounts[composition])
    result = gas.properties(T=T, p=p)
    return np.stack([getattr(result, name) for name in QUANTITIES], axis=-1)


def grid_axes(states, block):
    """Temperatures and pressures for about `states` states over the compositions, and the
    block lengths along T and p for about `block` states per block."""
    side = max(2, round(math.sqrt(states / len(COMPOSITIONS))))
    temperatures = np.linspace(250.0, 1000.0, side)
    pressures = np.linspace(1e4, 1e7, side)
    block_side = max(1, min(side, round(math.sqrt(block / len(COMPOSITIONS)))))
    return temperatures, pressures, block_side


def build_grid(temperatures, pressures, amounts, block_side):
    T = da.from_array(temperatures[:, None, None], chunks=(block_side, 1, 1))
    p = da.from_array(pressures[None, :, None], chunks=(1, block_side, 1))
    c = da.arange(len(amounts), chunks=len(amounts))[None, None, :]
    # The compositions go to each task as an argument: 12 numbers each, sent once per block.
    return da.map_blocks(property_block, T, p, c, amounts=amounts, new_axis=3,
                         chunks=(T.chunks[0], p.chunks[1], c.chunks[2], (len(QUANTITIES),)),
                         dtype=np.float64, meta=np.empty((0, 0, 0, 0)))


def peak_rss_mib():
    return resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0


def check_blocks(grid, temperatures, pressures, amounts, count, rng):
    """Blocks picked at random, computed on the cluster and by a plain call here."""
    indices = [tuple(int(rng.integers(n)) for n in grid.numblocks[:3]) + (0,)
               for _ in range(count)]
    computed = dask.compute(*[grid.blocks[index] for index in indices])
    starts = [np.cumsum((0,) + chunks) for chunks in grid.chunks[:2]]
    for index, block in zip(indices, computed):
        rows = slice(starts[0][index[0]], starts[0][index[0] + 1])
        columns = slice(starts[1][index[1]], starts[1][index[1] + 1])
        gas = toluvek.Mixture(amounts[np.newaxis, np.newaxis, :])
        plain = gas.properties(T=temperatures[rows, None, None], p=pressures[None, columns, None])
        for q, name in enumerate(QUANTITIES):
            if not np.array_equal(block[..., q], getattr(plain, name), equal_nan=True):
                print(f"block {index[:3]}: {name} differs from the single-process call")
                return False
    print(f"{count} blocks checked: equal bit for bit to the single-process call")
    return True


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--states", type=float, default=1e8, help="about this many states")
    parser.add_argument("--block", type=float, default=1e6, help="about this many per block")
    parser.add_argument("--workers", type=int, default=2, help="local worker processes")
    parser.add_argument("--scheduler", help="address of a running dask scheduler to use instead")
    parser.add_argument("--check-blocks", type=int, default=4)
    args = parser.parse_args(argv)

    amounts = np.array([toluvek.Mixture.preset(name).amounts for name in COMPOSITIONS])
    temperatures, pressures, block_side = grid_axes(int(args.states), int(args.block))
    grid = build_grid(temperatures, pressures, amounts, block_side)
    states = math.prod(grid.shape[:3])
    print(f"grid: {temperatures.size} temperatures × {pressures.size} pressures × "
          f"{len(COMPOSITIONS)} compositions = {states:.3g} states in "
          f"{math.prod(grid.numblocks)} blocks")

    if args.scheduler:
        cluster, client = None, Client(args.scheduler)
    else:
        # Worker processes, one thread each: the module releases the interpreter lock, but
        # processes are what a cluster of machines has too.
        cluster = LocalCluster(n_workers=args.workers, threads_per_worker=1, processes=True,
                               dashboard_address=None)
        client = Client(cluster)
    try:
        workers = len(client.scheduler_info()["workers"])
        start = time.perf_counter()
        failed = da.isnan(grid[..., 0]).sum()
        lowest, highest = da.nanmin(grid, axis=(0, 1, 2)), da.nanmax(grid, axis=(0, 1, 2))
        failed, lowest, highest = dask.compute(failed, lowest, highest)
        wall = time.perf_counter() - start
        print(f"{workers} workers: {wall:.2f} s wall, {wall / states * 1e9 * workers:.0f} ns "
              f"per state per worker, {int(failed)} states failed")
        for q, name in enumerate(QUANTITIES):
            print(f"  {name:<13} {lowest[q]:.6g} … {highest[q]:.6g}")
        rss = client.run(peak_rss_mib)
        print(f"peak memory: this process {peak_rss_mib():.0f} MiB; workers "
              + ", ".join(f"{mib:.0f}" for mib in rss.values()) + " MiB")
        ok = check_blocks(grid, temperatures, pressures, amounts, args.check_blocks,
                          np.random.default_rng(1))
    finally:
        client.close()
        if cluster is not None:
            cluster.close()
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
