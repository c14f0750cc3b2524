"""Shapes and broadcasting of the array calls: every layout of the inputs reaches the engine
as the same states, whatever the strides, the threads or the order of the axes."""

import numpy as np
import pytest

import toluvek

pytestmark = pytest.mark.filterwarnings("ignore::toluvek.ExtrapolationWarning")

GAS = toluvek.Mixture(CH4=88.9, C2H6=6.8, C3H8=3.1, **{"n-C4H10": 1.2})
ALL_SPECIES = toluvek.Mixture(np.arange(1.0, 13.0))


def assert_same(a, b):
    """Every quantity of two results equal bit for bit (NaN where both failed)."""
    assert a.shape == b.shape
    for name in toluvek.MIXTURE_QUANTITIES:
        assert np.array_equal(getattr(a, name), getattr(b, name), equal_nan=True), name
    for name in toluvek.SPECIES_QUANTITIES:
        assert np.array_equal(getattr(a.species, name), getattr(b.species, name),
                              equal_nan=True), name
    assert np.array_equal(a.ok, b.ok)
    assert np.array_equal(a.errors, b.errors)
    assert np.array_equal(a.steps, b.steps)


def contiguous(T, p, amounts):
    """The same states as flat C-ordered copies: the layout the engine's loop reads plainly."""
    shape = np.broadcast_shapes(np.shape(T), np.shape(p), np.shape(amounts)[:-1])
    flat = lambda a, s: np.ascontiguousarray(np.broadcast_to(a, s)).reshape((-1,) + s[len(shape):])
    result = toluvek.Mixture(flat(amounts, shape + (12,))).properties(
        T=flat(T, shape), p=flat(p, shape), species=True)
    return result, shape


@pytest.mark.parametrize("t_shape, p_shape, mixture_shape, expected", [
    ((5,), (), (), (5,)),
    ((), (4,), (), (4,)),
    ((5, 1), (4,), (), (5, 4)),
    ((3,), (), (3,), (3,)),
    ((2, 1, 1), (1, 4, 1), (3,), (2, 4, 3)),
    ((0,), (), (), (0,)),
])
def test_arguments_broadcast_like_numpy(t_shape, p_shape, mixture_shape, expected):
    T = np.full(t_shape, 400.0)
    p = np.full(p_shape, 2e5)
    gas = toluvek.Mixture(np.broadcast_to(ALL_SPECIES.amounts, mixture_shape + (12,)))
    result = gas.properties(T=T, p=p)
    assert result.shape == expected
    for name in toluvek.MIXTURE_QUANTITIES:
        assert getattr(result, name).shape == expected, name
    for name in toluvek.SPECIES_QUANTITIES:
        assert getattr(result.species, name).shape == expected + (12,), name
    for name in ("ok", "in_fit_range", "errors", "steps"):
        assert getattr(result, name).shape == expected, name


def layouts():
    rng = np.random.default_rng(7)
    T = rng.uniform(150.0, 1500.0, 60)
    T[::7] = -5.0  # failures spread over the layout
    p = rng.uniform(1e4, 1e6, 60)
    amounts = rng.uniform(0.0, 5.0, (60, 12))
    grid_T = rng.uniform(250.0, 900.0, (6, 10))
    return [
        ("reversed views", T[::-1], p[::-1], amounts[::-1]),
        ("every third state", T[::3], p[::3], amounts[::3]),
        ("Fortran order", np.asfortranarray(grid_T), 1e5, GAS.amounts),
        ("transposed grid", grid_T.T, p[:6], amounts[:6]),  # (10, 6) against (6,)
        ("species not contiguous", T[:12], p[:12], np.asfortranarray(amounts[:12])),
        ("species axis reversed", T[:12], 3e5, amounts[:12, ::-1]),
        ("mixtures along a new axis", T[:5, np.newaxis], p[:4], amounts[:4]),
        ("integer temperatures", np.arange(200, 1000, 50), 101325, GAS.amounts),
    ]


@pytest.mark.parametrize("name, T, p, amounts", layouts(), ids=[c[0] for c in layouts()])
def test_any_layout_gives_the_states_of_contiguous_copies(name, T, p, amounts):
    result = toluvek.Mixture(amounts).properties(T=T, p=p, species=True)
    reference, shape = contiguous(T, p, amounts)
    assert result.shape == shape
    for quantity in toluvek.MIXTURE_QUANTITIES:
        assert np.array_equal(getattr(result, quantity).reshape(-1),
                              getattr(reference, quantity), equal_nan=True), quantity
    for quantity in toluvek.SPECIES_QUANTITIES:
        assert np.array_equal(getattr(result.species, quantity).reshape(-1, 12),
                              getattr(reference.species, quantity), equal_nan=True), quantity
    assert np.array_equal(result.errors.reshape(-1), reference.errors)


@pytest.mark.parametrize("count", [1, 2, 3, 7, 1001])
@pytest.mark.parametrize("threads", [2, 3, 8, 10**6])  # the last beyond the thread limit
def test_threads_split_the_states_without_changing_them(count, threads):
    T = np.linspace(-50.0, 2500.0, count)  # failures at the start, extrapolation at the end
    one = ALL_SPECIES.properties(T=T, p=1e5, species=True)
    assert_same(ALL_SPECIES.properties(T=T, p=1e5, threads=threads, species=True), one)


def test_large_results_keep_their_own_memory():
    # Results of this size share one allocation, reused by a later call once released: a
    # result still held must never see a later call's values.
    T = np.linspace(250.0, 950.0, 200_000)
    first = GAS.properties(T=T, p=1e5)
    kept = first.cp.copy()
    other = GAS.properties(T=T[::-1].copy(), p=1e5)
    assert np.array_equal(first.cp, kept) and np.array_equal(other.cp, kept[::-1])
    view = first.density[10:20]
    del first, other
    again = GAS.properties(T=T, p=2e5)  # into the released memory
    assert np.array_equal(view, GAS.properties(T=T[10:20], p=1e5).density)
    assert np.array_equal(again.ok, np.ones(T.size, bool)) and again.cp.base is not None


def test_scalar_call_gives_floats_equal_to_the_array_element():
    scalar = GAS.properties(T=500.0, p=3e5)
    array = GAS.properties(T=np.array([500.0]), p=np.array([3e5]))
    assert scalar.ok is True and scalar.in_fit_range is True and scalar.errors == ""
    for name in toluvek.MIXTURE_QUANTITIES:
        value = getattr(scalar, name)
        assert type(value) is float, name
        assert value == getattr(array, name)[0], name
    assert np.array_equal(scalar.species.cp, array.species.cp[0])


def test_species_read_later_equal_species_computed_at_once():
    T = np.linspace(250.0, 950.0, 17)
    later = ALL_SPECIES.properties(T=T, p=2e5)
    at_once = ALL_SPECIES.properties(T=T, p=2e5, species=True)
    assert_same(later, at_once)


def test_celsius_and_atm_are_the_kelvin_and_pascal_states():
    t_c = np.array([-40.0, 25.0, 726.85])
    by_unit = GAS.properties(T=t_c, p=2.0, temperature_unit="C", pressure_unit="atm")
    converted = GAS.properties(T=t_c + 273.15, p=2.0 * 101325.0)
    assert_same(by_unit, converted)


@pytest.mark.parametrize("named, positions", [
    ({"CH4": 1.0, "n-C4H10": 2.0}, {toluvek.CH4: 1.0, toluvek.NC4H10: 2.0}),
    ({"nC4H10": 2.0, "iC4H10": 3.0}, {toluvek.NC4H10: 2.0, toluvek.IC4H10: 3.0}),
    ({"H2": 0.5, "CH3OH": 4}, {toluvek.H2: 0.5, toluvek.CH3OH: 4.0}),
])
def test_species_named_land_in_species_order(named, positions):
    expected = np.zeros(12)
    for index, value in positions.items():
        expected[index] = value
    assert np.array_equal(toluvek.Mixture(**named).amounts, expected)
    assert toluvek.SPECIES[toluvek.NC4H10] == "n-C4H10"


def test_mixture_amounts_are_a_copy_and_read_only():
    source = np.arange(1.0, 13.0)
    gas = toluvek.Mixture(source)
    source[0] = 99.0
    assert gas.amounts[0] == 1.0
    with pytest.raises(ValueError):
        gas.amounts[0] = 5.0

