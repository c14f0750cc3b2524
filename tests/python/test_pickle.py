"""Mixtures, results and the package's functions pickle, as process pools and dask's
distributed scheduler need them to; the compiled functions underneath do not have to."""

import concurrent.futures
import multiprocessing
import pickle

import numpy as np
import pytest

import toluvek

GAS = toluvek.Mixture(CH4=88.9, C2H6=6.8, C3H8=3.1, **{"n-C4H10": 1.2})


@pytest.mark.parametrize("gas", [
    GAS,
    toluvek.Mixture.preset("air"),
    toluvek.Mixture(np.random.default_rng(3).uniform(0.0, 1.0, (4, 3, 12))),
])
def test_mixture_round_trips_with_its_amounts(gas):
    again = pickle.loads(pickle.dumps(gas))
    assert again == gas and again is not gas
    assert again.shape == gas.shape
    assert not again.amounts.flags.writeable
    T = np.linspace(300.0, 600.0, 3) if gas.shape else 450.0
    assert np.array_equal(again.properties(T=T).cp, gas.properties(T=T).cp)


@pytest.mark.parametrize("function", [
    toluvek.Mixture.properties, toluvek.Mixture.preset, toluvek.combustion, toluvek.heat_duty,
    toluvek.dew_point, toluvek.mix, toluvek.duct, toluvek.water_heat, toluvek.add_air,
    toluvek.rescale, toluvek.sweep, toluvek.read_composition, toluvek.save_composition, toluvek.convert.pressure, toluvek.convert.temperature,
    toluvek.convert.heat,
], ids=lambda f: f.__qualname__)
def test_functions_pickle_by_name(function):
    assert pickle.loads(pickle.dumps(function)) == function


def test_results_pickle_with_their_values():
    result = GAS.properties(T=np.array([300.0, -1.0, 700.0]), p=2e5, species=True)
    again = pickle.loads(pickle.dumps(result))
    assert np.array_equal(again.cp, result.cp, equal_nan=True)
    assert np.array_equal(again.species.viscosity, result.species.viscosity, equal_nan=True)
    assert list(again.errors) == list(result.errors) and list(again.ok) == [True, False, True]


def chunk_cp(gas, temperatures):
    return gas.properties(T=temperatures, p=101325.0).cp


def test_bound_method_runs_in_fresh_processes():
    """Spawned processes import the package afresh: nothing is inherited from this one."""
    chunks = np.array_split(np.linspace(250.0, 950.0, 4001), 4)
    context = multiprocessing.get_context("spawn")
    with concurrent.futures.ProcessPoolExecutor(2, mp_context=context) as pool:
        by_method = list(pool.map(GAS.properties, chunks))
        failed = pool.submit(GAS.properties, T=-5.0)
        with pytest.raises(toluvek.InputError) as raised:
            failed.result()
    plain = GAS.properties(T=np.concatenate(chunks))
    assert np.array_equal(np.concatenate([r.cp for r in by_method]), plain.cp)
    assert np.array_equal(np.concatenate([r.prandtl for r in by_method]), plain.prandtl)
    assert raised.value.message == "絶対温度が負です!!" and raised.value.step == "input check"
