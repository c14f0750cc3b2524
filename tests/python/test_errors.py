"""How failures reach the caller: a scalar call raises the program's message, an array call
marks the element, bad arguments are refused before anything runs."""

import math
import pickle
import warnings

import numpy as np
import pytest

import toluvek

AIR = toluvek.Mixture(O2=21, N2=79)
ONE = [1.0] + [0.0] * 11


@pytest.mark.parametrize("amounts, T, p, step", [
    (ONE, -1.0, 1e5, "input check"),              # 絶対温度が負です
    (ONE, 300.0, -1.0, "input check"),            # 圧力が負です
    (ONE, -1.0, -1.0, "input check"),             # both
    (ONE, math.nan, 1e5, "input check"),          # not a number: the general message
    ([-1.0] + [1.0] * 11, 300.0, 1e5, "input check"),
    ([0.0] * 12, 300.0, 1e5, "input check"),
    ([1e308, 1e308] + [0.0] * 10, 300.0, 1e5, "input check"),  # sum overflows
    (ONE, 300.0, 0.0, "kinematic viscosity"),     # ν = μ/ρ at zero density
    (ONE, 0.0, 1e5, "transport"),
    (ONE, 1e308, 1e5, "species properties"),
])
def test_failed_state_raises_its_message_and_step(cli_json, amounts, T, p, step):
    gas = toluvek.Mixture(amounts)
    with pytest.raises(toluvek.InputError) as raised:
        gas.properties(T=T, p=p)
    error = raised.value
    assert isinstance(error, ValueError)
    _, doc = cli_json("mixture", "--amounts", ",".join(repr(a) for a in amounts),
                      "--temperature", repr(T), "--temperature-unit", "K",
                      "--pressure", repr(p))
    assert (error.message, error.title, error.code) == (
        doc["error"]["message"], doc["error"]["title"], doc["error"]["code"])
    assert error.step == step
    assert error.message in str(error) and step in str(error)
    # The same state in an array: marked, not raised, with the same message and step.
    pair = toluvek.Mixture(np.array([ONE, amounts]))
    marked = pair.properties(T=np.array([300.0, T]), p=np.array([1e5, p]), species=True)
    assert list(marked.ok) == [True, False]
    assert list(marked.errors) == ["", error.message]
    assert list(marked.error_codes) == ["", error.code]
    assert list(marked.steps) == ["", step]
    for name in toluvek.MIXTURE_QUANTITIES:
        assert np.isnan(getattr(marked, name)[1]) and np.isfinite(getattr(marked, name)[0])
    for name in toluvek.SPECIES_QUANTITIES:
        assert np.isnan(getattr(marked.species, name)[1]).all(), name


@pytest.mark.filterwarnings("ignore::toluvek.ExtrapolationWarning")
def test_no_value_of_a_calculated_state_is_infinite_or_nan():
    rng = np.random.default_rng(11)
    T = np.concatenate([rng.uniform(-10.0, 5000.0, 3000), [1e-300, 5e-324, 1e300]])
    p = np.concatenate([rng.uniform(-10.0, 1e8, 3000), [1e-300, 1e300, 5e-324]])
    amounts = rng.lognormal(0.0, 30.0, (3003, 12)) * (rng.random((3003, 12)) < 0.4)
    result = toluvek.Mixture(amounts).properties(T=T, p=p, species=True)
    assert 0 < np.count_nonzero(result.ok) < result.ok.size
    for name in toluvek.MIXTURE_QUANTITIES:
        values = getattr(result, name)
        assert np.isfinite(values[result.ok]).all(), name
        assert np.isnan(values[~result.ok]).all(), name
    for name in toluvek.SPECIES_QUANTITIES:
        values = getattr(result.species, name)
        assert np.isfinite(values[result.ok]).all(), name
        assert np.isnan(values[~result.ok]).all(), name
    assert (result.errors[~result.ok] != "").all() and (result.errors[result.ok] == "").all()


@pytest.mark.parametrize("call, kind, words", [
    (lambda: toluvek.Mixture(CH5=1), TypeError, "unknown species 'CH5'"),
    (lambda: toluvek.Mixture(CH4="1"), TypeError, "must be a number"),
    (lambda: toluvek.Mixture([1.0] * 11), ValueError, "12 values"),
    (lambda: toluvek.Mixture([1.0] * 12, CH4=1), TypeError, "not both"),
    (lambda: toluvek.Mixture("abc"), TypeError, "amounts must be"),
    (lambda: toluvek.Mixture.preset("mars"), ValueError, "unknown preset"),
    (lambda: AIR.properties(T="300"), TypeError, "T must be a number"),
    (lambda: AIR.properties(T=[300.0, 400.0], p=[1e5, 2e5, 3e5]), ValueError,
     "do not broadcast"),
    (lambda: AIR.properties(T=300.0, temperature_unit="F"), ValueError, "temperature_unit"),
    (lambda: AIR.properties(T=300.0, pressure_unit="psi"), ValueError, "pressure_unit"),
    (lambda: AIR.properties(T=300.0, gauge="yes"), TypeError, "gauge must be True or False"),
    (lambda: AIR.combustion(pressure_unit="mpa"), ValueError, "pressure_unit"),
    (lambda: toluvek.duct(AIR, unit="g/min"), ValueError, "unit must be one of"),
    (lambda: AIR.properties(T=300.0, threads=0), ValueError, "at least 1"),
    (lambda: AIR.properties(T=300.0, threads=1.5), TypeError, "whole number"),
    (lambda: toluvek.sweep(0, 10, -1), ValueError, "leads away"),
    (lambda: toluvek.sweep(0, 10, 0), ValueError, "step is 0"),
    (lambda: toluvek.sweep(0, 1e9, 1), ValueError, "more than"),
    (lambda: toluvek.sweep([0, 1], 10, 1), TypeError, "three numbers"),
    (lambda: toluvek.heat_duty(AIR, unit="l/s"), ValueError, "unit must be one of"),
    (lambda: toluvek.heat_duty(AIR, t1=math.inf), ValueError, "finite"),
    (lambda: toluvek.combustion("CH4"), TypeError, "toluvek.Mixture is needed"),
    (lambda: toluvek.combustion(toluvek.Mixture(np.ones((2, 12)))), ValueError, "one mixture"),
    (lambda: toluvek.mix(AIR, AIR), TypeError, "two streams"),
    (lambda: toluvek.duct(AIR, shape="oval"), ValueError, "shape must be one of"),
    (lambda: toluvek.water_heat(phase="solid"), ValueError, "phase must be one of"),
    (lambda: toluvek.convert.pressure(1.0, "psi"), ValueError, "unit must be one of"),
    (lambda: toluvek.convert.temperature(None), TypeError, "must be a number"),
])
def test_bad_arguments_are_refused_with_a_clear_text(call, kind, words):
    with pytest.raises(kind) as raised:
        call()
    assert words in str(raised.value)
    assert not isinstance(raised.value, toluvek.InputError)


@pytest.mark.parametrize("call, message, code", [
    (lambda: toluvek.Mixture(CH4=1).combustion(), "エラーメッセージ: O2不足です", "oxygen_short"),
    (lambda: toluvek.heat_duty(AIR, flow=-1.0), None, None),
    (lambda: toluvek.water_heat(flow=-1.0, t2=1e308), None, "check_input"),
    (lambda: toluvek.convert.pressure("abc"), None, "check_input"),
    (lambda: toluvek.Mixture([0.0] * 12).rescale(1.0), None, "check_input"),
    (lambda: AIR.dew_point(), "Toluvek: 水分が含まれていません!", "no_water"),
])
def test_tools_that_stop_raise_input_error(call, message, code):
    with pytest.raises(toluvek.InputError) as raised:
        call()
    assert raised.value.message and raised.value.code
    if message is not None:
        assert f"{raised.value.title}: {raised.value.message}" == message
    if code is not None:
        assert raised.value.code == code


@pytest.mark.parametrize("call", [
    lambda: AIR.properties(T=300.0, p=1e303, pressure_unit="MPa"),
    lambda: AIR.properties(T=300.0, p=1.7976931348623157e308, pressure_unit="kgf/cm2"),
    lambda: AIR.combustion(p=-1e306, pressure_unit="kPa"),
    lambda: AIR.dew_point(p=1e306, pressure_unit="bar", gauge=True),
    lambda: toluvek.save_composition("/nonexistent/x.txt", AIR, p=1e303, pressure_unit="MPa"),
    lambda: toluvek.heat_duty(AIR, flow=1e306, unit="Nm3/h"),
    lambda: toluvek.duct(AIR, flow=1e307, unit="mol/h"),
])
def test_a_conversion_that_overflows_stops_with_the_general_message(call):
    with pytest.raises(toluvek.InputError) as raised:
        call()
    assert raised.value.message == "入力値を確認下さい。"


def test_an_overflowing_pressure_fails_its_element_only():
    p = np.array([0.5, 1e303, -1e303, 1.7976931348623157e308])
    result = AIR.properties(T=300.0, p=p, pressure_unit="MPa", gauge=True, species=True)
    assert list(result.ok) == [True, False, False, False]
    assert list(result.errors[1:]) == ["入力値を確認下さい。"] * 3
    assert np.isfinite(result.density[0]) and np.isnan(result.density[1:]).all()
    assert np.isnan(result.species.cp[1:]).all()


def test_heat_duty_below_absolute_zero_warns_and_goes_on():
    with pytest.warns(RuntimeWarning, match="絶対温度が負です"):
        duty = toluvek.heat_duty(AIR, t1=25.0, t2=-300.0)
    assert math.isfinite(duty.heat_duty)


def test_extrapolated_properties_warn_once_per_call():
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        AIR.properties(T=np.linspace(200.0, 1000.0, 9))  # the fits' own range: silent
    with pytest.warns(toluvek.ExtrapolationWarning) as caught:
        result = AIR.properties(T=np.array([150.0, 300.0, 1500.0, 2000.0]))
    assert len(caught) == 1 and "3 states" in str(caught[0].message)
    assert list(result.in_fit_range) == [False, True, False, False]
    with pytest.warns(toluvek.ExtrapolationWarning):
        assert AIR.properties(T=1500.0).in_fit_range is False


def test_input_error_survives_pickling_whole():
    with pytest.raises(toluvek.InputError) as raised:
        toluvek.duct(toluvek.Mixture.preset("tokyo"), shape="annulus", d1=0.02, d2=0.05)
    again = pickle.loads(pickle.dumps(raised.value))
    assert type(again) is toluvek.InputError
    assert (again.message, again.title, again.step, again.code, str(again)) == (
        raised.value.message, raised.value.title, raised.value.step, raised.value.code,
        str(raised.value))
    assert again.partial == raised.value.partial


@pytest.mark.parametrize("count, species", [(10**17, True), (4 * 10**15, False)])
def test_a_result_beyond_memory_is_refused_before_anything_is_written(count, species):
    # A broadcast input may stand for more states than memory holds: the result's size is
    # refused (its byte count would overflow, or no allocation has it), never cut short.
    T = np.broadcast_to(np.array(300.0), (count,))
    with pytest.raises((MemoryError, ValueError)):
        AIR.properties(T=T, species=species)
