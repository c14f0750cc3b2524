"""The module's numbers are toluvek-cli's, bit for bit: same engine, same tools, same checks."""

import csv
import io

import numpy as np
import pytest

import toluvek
from conftest import amounts_text

# Many of the states lie beyond the fits on purpose; the warning is tested with the errors.
pytestmark = pytest.mark.filterwarnings("ignore::toluvek.ExtrapolationWarning")

MIXTURE_MEMBERS = toluvek.MIXTURE_QUANTITIES
SPECIES_MEMBERS = toluvek.SPECIES_QUANTITIES
TABLE_MIXTURE_COLUMNS = {
    "molar_mass": "molar_mass_kg_per_kmol", "density": "density_kg_per_m3",
    "gas_constant": "gas_constant_J_per_kg_K", "cp": "cp_J_per_kg_K",
    "conductivity": "conductivity_W_per_m_K", "viscosity": "viscosity_Pa_s",
    "kinematic_viscosity": "kinematic_viscosity_m2_per_s", "prandtl": "prandtl",
    "prandtl_eucken": "prandtl_eucken",
}
TABLE_SPECIES_UNITS = {"mole_fraction": "", "mass_fraction": "", "cp": "_J_per_kg_K",
                       "conductivity": "_W_per_m_K", "viscosity": "_Pa_s", "prandtl": ""}


def random_amounts(rng):
    """Twelve amounts, most species absent, a few with wide-ranging values."""
    amounts = np.zeros(12)
    present = rng.choice(12, size=rng.integers(1, 6), replace=False)
    amounts[present] = rng.lognormal(0.0, 2.0, size=present.size)
    return amounts


def random_states(rng, count):
    """States spread over the fits and well beyond, with the failures the checks and the
    engine report: negative and zero temperatures and pressures, negative, all-zero and
    overflowing amounts."""
    states = []
    for k in range(count):
        amounts = random_amounts(rng)
        t = float(rng.uniform(150.0, 2500.0))
        p = float(rng.uniform(1e3, 1e7))
        kind = k % 10
        if kind == 1:
            t = float(rng.choice([0.0, -1.0, -300.0]))
        elif kind == 2:
            p = float(rng.choice([0.0, -5.0]))
        elif kind == 3:
            amounts[rng.integers(12)] = -1.0
        elif kind == 4:
            amounts[:] = 0.0
        elif kind == 5:
            amounts[:2] = 1e308
        states.append((p, t, amounts))
    return states


def test_mixture_matches_cli_json_on_random_states(cli_json, rng):
    states = random_states(rng, 300)
    pressures = np.array([s[0] for s in states])
    temperatures = np.array([s[1] for s in states])
    amounts = np.array([s[2] for s in states])
    result = toluvek.Mixture(amounts).properties(T=temperatures, p=pressures, species=True)
    failures = 0
    for k, (p, t, a) in enumerate(states):
        code, doc = cli_json("mixture", "--pressure", repr(p), "--pressure-unit", "Pa",
                             "--temperature", repr(t), "--temperature-unit", "K",
                             "--amounts", amounts_text(a))
        where = f"state {k}: p={p!r} T={t!r} amounts={amounts_text(a)}"
        if code != 0:
            failures += 1
            assert not result.ok[k], where
            assert result.errors[k] == doc["error"]["message"], where
            assert all(np.isnan(getattr(result, m)[k]) for m in MIXTURE_MEMBERS), where
            continue
        assert result.ok[k], f"{where}: {result.errors[k]}"
        for member in MIXTURE_MEMBERS:
            assert getattr(result, member)[k] == doc["mixture"][member]["value"], (where, member)
        for i, entry in enumerate(doc["species"]):
            for member in SPECIES_MEMBERS:
                assert getattr(result.species, member)[k, i] == entry[member]["value"], (
                    where, entry["label"], member)
        assert result.in_fit_range[k] == (not doc["outside_fit_range"]), where
    assert 20 <= failures < len(states)  # both kinds of states were compared


@pytest.mark.parametrize("pressure_unit, gauge, temperature_unit, p, t", [
    ("atm", False, "C", 2.0, 400.0),
    ("kgf/cm2", False, "C", 0.3, -40.0),
    ("Pa", False, "C", 101325.0, 726.85),
    ("kPa", True, "K", 250.3, 310.0),
    ("MPa", True, "C", 0.5, 20.0),
    ("mmHg", False, "K", 763.7, 500.0),
    ("bar", True, "C", -0.4, 80.0),
])
def test_unit_conversions_match_cli(cli_json, pressure_unit, gauge, temperature_unit, p, t):
    gas = toluvek.Mixture(CH4=88.5, C2H6=4.6, C3H8=5.4, **{"n-C4H10": 0.8, "i-C4H10": 0.7})
    result = gas.properties(T=np.array([t]), p=p, temperature_unit=temperature_unit,
                            pressure_unit=pressure_unit, gauge=gauge)
    _, doc = cli_json("mixture", "--pressure", repr(p), "--pressure-unit", pressure_unit,
                      *(["--gauge"] if gauge else []),
                      "--temperature", repr(t), "--temperature-unit", temperature_unit,
                      "--amounts", amounts_text(gas.amounts))
    for member in MIXTURE_MEMBERS:
        assert getattr(result, member)[0] == doc["mixture"][member]["value"], member


def read_table(text):
    rows = list(csv.DictReader(io.StringIO(text)))
    assert rows, text
    return rows


@pytest.mark.parametrize("amounts, unit, t_sweep, p_sweep", [
    # Through zero temperature and zero pressure, so that rows fail in the checks and in the
    # engine (ν at zero density).
    ({"O2": 21, "N2": 79}, "K", (-100, 2900, 100), (0, 2e5, 1e5)),
    ({"H2": 0.3, "CO": 2.5, "CO2": 7.1, "H2O": 12.0, "CH3OH": 0.05, "N2": 60.0}, "C",
     (-300, 1200, 50), (0, 2e5, 1e5)),
    # Decimal steps, whose values are the typed decimals rather than sums of the step.
    ({"CH4": 88.5, "C2H6": 4.6, "C3H8": 5.4, "n-C4H10": 0.8, "i-C4H10": 0.7}, "C",
     (20, 22.3, 0.1), (101325, 101325.3, 0.1)),
])
def test_table_matches_cli_table(cli, amounts, unit, t_sweep, p_sweep):
    gas = toluvek.Mixture(**amounts)
    code, out, _err = cli("table", "--amounts", amounts_text(gas.amounts),
                          "--temperature-unit", unit,
                          "--t-from", repr(t_sweep[0]), "--t-to", repr(t_sweep[1]),
                          "--t-step", repr(t_sweep[2]),
                          "--p-from", repr(p_sweep[0]), "--p-to", repr(p_sweep[1]),
                          "--p-step", repr(p_sweep[2]), "--species")
    rows = read_table(out)
    # Temperature fastest, as the table runs.
    temperatures = toluvek.sweep(*t_sweep)
    pressures = toluvek.sweep(*p_sweep)
    assert len(rows) == temperatures.size * pressures.size
    result = gas.properties(T=temperatures[np.newaxis, :], p=pressures[:, np.newaxis],
                            temperature_unit=unit, species=True)
    assert code == (0 if result.ok.all() else 1)
    flat = {name: getattr(result, name).reshape(-1) for name in MIXTURE_MEMBERS}
    ok, errors = result.ok.reshape(-1), result.errors.reshape(-1)
    assert list(errors) == [r["error"] for r in rows]
    for k, row in enumerate(rows):
        assert (float(row["pressure_Pa"]), float(row["temperature_K"])) == (
            np.broadcast_to(pressures[:, np.newaxis], result.shape).reshape(-1)[k],
            toluvek._mixture.to_kelvin(np.broadcast_to(temperatures, result.shape), unit)
            .reshape(-1)[k]), k
        if ok[k]:
            assert result.in_fit_range.reshape(-1)[k] == (row["in_fit_range"] == "1")
        for member, column in TABLE_MIXTURE_COLUMNS.items():
            expected = float(row[column]) if row[column] else np.nan
            assert np.array_equal(flat[member][k], expected, equal_nan=True), (k, column)
        for member, unit_suffix in TABLE_SPECIES_UNITS.items():
            values = getattr(result.species, member).reshape(-1, 12)
            for i, label in enumerate(toluvek.SPECIES):
                text = row[f"{member}_{label}{unit_suffix}"]
                expected = float(text) if text else np.nan
                assert np.array_equal(values[k, i], expected, equal_nan=True), (k, member, label)


def test_array_of_mixtures_matches_cli_batch(cli, rng, tmp_path):
    """A different mixture per state, as batch reads them, in ℃ and atm."""
    states = random_states(rng, 500)
    lines = ["pressure,pressure_unit,temperature,temperature_unit," + ",".join(toluvek.SPECIES)]
    for p, t, a in states:
        lines.append(f"{p / 101325.0!r},atm,{t - 273.15!r},C," + amounts_text(a))
    path = tmp_path / "states.csv"
    path.write_text("\n".join(lines) + "\n")
    code, out, _err = cli("batch", "--input", str(path), "--species")
    assert code == 1  # rows failed
    rows = read_table(out)
    assert len(rows) == len(states)
    result = toluvek.Mixture(np.array([s[2] for s in states])).properties(
        T=np.array([s[1] - 273.15 for s in states]), temperature_unit="C",
        p=np.array([s[0] / 101325.0 for s in states]), pressure_unit="atm", species=True)
    assert list(result.errors) == [r["error"] for r in rows]
    for member, column in TABLE_MIXTURE_COLUMNS.items():
        expected = np.array([float(r[column]) if r[column] else np.nan for r in rows])
        assert np.array_equal(getattr(result, member), expected, equal_nan=True), column
    for member, unit in TABLE_SPECIES_UNITS.items():
        for i, label in enumerate(toluvek.SPECIES):
            column = f"{member}_{label}{unit}"
            expected = np.array([float(r[column]) if r[column] else np.nan for r in rows])
            assert np.array_equal(getattr(result.species, member)[:, i], expected,
                                  equal_nan=True), column


def test_presets_are_those_of_cli_presets(cli_json):
    _, doc = cli_json("presets")
    names = [preset["name"] for preset in doc["presets"]]
    assert "hiroshima" in names and list(toluvek.PRESETS) == names
    for preset in doc["presets"]:
        expected = [preset["amounts_percent"][label] for label in toluvek.SPECIES]
        assert list(toluvek.Mixture.preset(preset["name"]).amounts) == expected, preset["name"]
    # The menu's entry names, which the module took before.
    assert toluvek.Mixture.preset("hiro") == toluvek.Mixture.preset("hiroshima")
    assert toluvek.Mixture.preset("Air") == toluvek.Mixture.preset("air")


# The tools, each against its subcommand, on a case that completes and one that stops.

def mixture_args(gas):
    return ["--amounts", amounts_text(gas.amounts)]


def pressure_args(p, unit="Pa", gauge=False):
    return ["--pressure", repr(p), "--pressure-unit", unit, *(["--gauge"] if gauge else [])]


@pytest.mark.parametrize("amounts, t0_kelvin, pressure, air_ratio", [
    ({"CH4": 1, "O2": 2, "N2": 7.52}, 298.15, (101325.0, "Pa", False), None),
    ({"H2": 2, "CO": 1, "O2": 3, "N2": 11, "H2O": 0.5}, 473.15, (101325.0, "Pa", False), None),
    ({"CH4": 1, "O2": 1}, 298.15, (101325.0, "Pa", False), None),  # oxygen short
    ({"CH4": 1, "O2": 2.2, "N2": 8.3}, 320.0, (0.5, "MPa", True), None),
    ({"CH4": 88.5, "C2H6": 4.6, "C3H8": 5.4, "n-C4H10": 1.5}, 298.15, (101325.0, "Pa", False),
     1.1),  # 10 % excess air added first
    ({"CH4": 1}, 298.15, (101325.0, "Pa", False), 0.9),  # too little air: oxygen short
    ({"H2": 0.0}, 298.15, (101325.0, "Pa", False), 1.0),  # nothing to add air to
])
def test_combustion_matches_cli(cli_json, amounts, t0_kelvin, pressure, air_ratio):
    gas = toluvek.Mixture(**amounts)
    p, unit, gauge = pressure
    ratio = ["--air-ratio", repr(air_ratio)] if air_ratio is not None else []
    code, doc = cli_json("combustion", *mixture_args(gas), *pressure_args(*pressure),
                         "--temperature", repr(t0_kelvin), "--temperature-unit", "K", *ratio)
    if "temperature" not in doc:
        with pytest.raises(toluvek.InputError) as error:
            gas.combustion(T0=t0_kelvin, p=p, pressure_unit=unit, gauge=gauge,
                           air_ratio=air_ratio)
        assert (error.value.message, error.value.code) == (doc["error"]["message"],
                                                           doc["error"]["code"])
        return
    with pytest.warns(toluvek.ExtrapolationWarning):
        burnt = gas.combustion(T0=t0_kelvin, p=p, pressure_unit=unit, gauge=gauge,
                               air_ratio=air_ratio)
    assert burnt.air_added == doc.get("air_added")
    assert burnt.temperature == doc["temperature"]["kelvin"]
    assert list(burnt.gas.amounts) == [s["value"] for s in doc["composition"]]
    assert burnt.total_before == doc["total_before"]["value"]
    assert burnt.total_after == doc["total_after"]["value"]
    for member in MIXTURE_MEMBERS:
        assert getattr(burnt.properties, member) == doc["burnt_gas"]["mixture"][member]["value"]
    assert burnt.in_fit_range == (not doc["burnt_gas"]["outside_fit_range"])


@pytest.mark.parametrize("amounts", [
    {"CH4": 1},
    {"CH4": 88.5, "C2H6": 4.6, "C3H8": 5.4, "n-C4H10": 0.8, "i-C4H10": 0.7},
    {"H2": 30, "CO": 20, "CO2": 10, "N2": 35, "O2": 5},  # holds some of its own oxygen
    {"O2": 21, "N2": 79},  # burns nothing
    {"CH4": 0.0},  # all zero: the window's message
])
def test_gas_quality_matches_cli(cli_json, amounts):
    gas = toluvek.Mixture(**amounts)
    code, doc = cli_json("gas-quality", *mixture_args(gas))
    if "error" in doc:
        with pytest.raises(toluvek.InputError) as error:
            gas.gas_quality()
        assert (error.value.message, error.value.code) == (doc["error"]["message"],
                                                           doc["error"]["code"])
        return
    quality = toluvek.gas_quality(gas)
    for name, value in vars(quality).items():
        assert value == doc[name], name


@pytest.mark.parametrize("amounts, flow, unit, t1, t2", [
    ({"CH4": 88.9, "C2H6": 6.8, "H2O": 3.0, "CH3OH": 1.3}, 1.0, "Nl/min", 25.0, 125.0),
    ({"N2": 1}, 2.5, "mol/h", 25.0, 825.0),
    ({"O2": 21, "N2": 79, "H2O": 2}, 0.01, "kg/s", 100.0, 20.0),
    ({"CH4": 1}, -1.0, "Nl/min", 25.0, 125.0),  # negative flow stops
    ({"CH4": 88.9, "C2H6": 6.8, "H2O": 3.0}, 0.37, "Nm3/h", 25.0, 300.0),
    ({"O2": 21, "N2": 79}, 7.3, "kg/h", 15.0, 90.0),
])
def test_heat_duty_matches_cli(cli_json, amounts, flow, unit, t1, t2):
    gas = toluvek.Mixture(**amounts)
    code, doc = cli_json("heat-duty", *mixture_args(gas), "--flow", repr(flow), "--flow-unit",
                         unit, "--t1", repr(t1), "--t2", repr(t2))
    if code != 0:
        with pytest.raises(toluvek.InputError) as error:
            gas.heat_duty(flow=flow, unit=unit, t1=t1, t2=t2)
        assert error.value.message == doc["error"]["message"]
        return
    duty = gas.heat_duty(flow=flow, unit=unit, t1=t1, t2=t2)
    assert duty.species_flow_unit == doc["inputs"]["flow"]["unit"]
    assert duty.heat_duty == doc["heat_duty"]["value"]
    assert duty.molar_flow == doc["molar_flow"]
    assert duty.enthalpy_rise == doc["enthalpy_rise"]
    for member in ("lhv", "hhv", "water_latent_heat", "methanol_latent_heat"):
        expected = doc[member]["value"] if member in doc else None
        assert getattr(duty, member) == expected, member
    assert list(duty.species_flow) == [s["value"] for s in doc["species_flow"]["species"]]


@pytest.mark.parametrize("amounts, p, unit, gauge", [
    ({"H2O": 10, "N2": 90}, 101325.0, "Pa", False),
    ({"H2O": 60, "CO2": 40}, 5e5, "Pa", False),
    ({"H2O": 0.1, "N2": 99.9}, 101325.0, "Pa", False),  # below 4.7 mmHg: no solution
    ({"H2O": 60, "CO2": 40}, 0.4, "MPa", True),
    ({"H2O": 12, "N2": 88}, 3.7, "atm", False),
])
def test_dew_point_matches_cli_tsat(cli_json, amounts, p, unit, gauge):
    gas = toluvek.Mixture(**amounts)
    code, doc = cli_json("tsat", *mixture_args(gas), *pressure_args(p, unit, gauge))
    if doc["status"] != "solved":
        with pytest.raises(toluvek.InputError) as error:
            gas.dew_point(p=p, pressure_unit=unit, gauge=gauge)
        assert error.value.message == doc["messages"][-1]["message"]
        return
    dew = gas.dew_point(p=p, pressure_unit=unit, gauge=gauge)
    assert dew.partial_pressure_mmhg == doc["partial_pressure_mmhg"]["value"]
    assert dew.temperature_c == doc["saturation_temperature_c"]["value"]
    assert dew.newton_steps == doc["newton_steps"]


@pytest.mark.parametrize("a, ta, fa, b, tb, fb", [
    ({"CH4": 1}, 25.0, 1.0, {"O2": 0.21, "N2": 0.79}, 500.0, 10.0),
    ({"H2": 3, "CO": 1}, 800.0, 2.5, {"H2O": 1}, 150.0, 0.7),
    ({"CH4": 1}, 25.0, 0.0, {"N2": 1}, 25.0, 0.0),  # no flow
])
def test_mix_matches_cli(cli_json, a, ta, fa, b, tb, fb):
    gas_a, gas_b = toluvek.Mixture(**a), toluvek.Mixture(**b)
    code, doc = cli_json("mix", "--a-temperature", repr(ta), "--a-flow", repr(fa),
                         "--a-amounts", amounts_text(gas_a.amounts), "--b-temperature",
                         repr(tb), "--b-flow", repr(fb), "--b-amounts",
                         amounts_text(gas_b.amounts))
    streams = gas_a.stream(t=ta, flow=fa), gas_b.stream(t=tb, flow=fb)
    if doc["status"] != "solved":
        with pytest.raises(toluvek.InputError) as error:
            toluvek.mix(*streams)
        assert error.value.message == doc["messages"][-1]["message"]
        return
    mixed = toluvek.mix(*streams)
    assert mixed.t == doc["mixed_temperature"]["value"]
    assert mixed.flow == doc["total_flow"]["value"]
    for i, label in enumerate(toluvek.SPECIES):
        if label in doc["mixed_fractions"]:
            assert mixed.gas.amounts[i] == doc["mixed_fractions"][label]["value"], label
    assert mixed.search_steps == doc["search_steps"]


@pytest.mark.parametrize("shape, cli_shape, d1, d2, length_unit, unit, flow, pressure", [
    ("circular", "circle", 10.0, 0.0, "mm", "Nl/min", 1.0, (2e5, "Pa", False)),
    ("annulus", "annulus", 0.05, 0.02, "m", "kg/s", 1e-4, (2e5, "Pa", False)),
    ("rectangular", "rectangle", 20.0, 30.0, "mm", "Nl/min", 50.0, (2e5, "Pa", False)),
    ("annulus", "annulus", 0.02, 0.05, "m", "Nl/min", 1.0, (2e5, "Pa", False)),  # no area
    ("circular", "circle", 25.0, 0.0, "mm", "Nm3/h", 2.7, (0.35, "MPa", True)),
    ("rectangular", "rectangle", 0.04, 0.03, "m", "kg/h", 0.9, (1.7, "atm", False)),
    ("circular", "circle", 0.015, 0.0, "m", "mol/h", 40.0, (2.5, "kgf/cm2", True)),
])
def test_duct_matches_cli(cli_json, shape, cli_shape, d1, d2, length_unit, unit, flow,
                          pressure):
    gas = toluvek.Mixture.preset("tokyo")
    p, pressure_unit, gauge = pressure
    code, doc = cli_json("duct", *mixture_args(gas), *pressure_args(*pressure), "--temperature",
                         "40", "--flow", repr(flow), "--flow-unit", unit, "--shape", cli_shape,
                         "--d1", repr(d1), "--d2", repr(d2), "--length-unit", length_unit)
    call = dict(p=p, t=40.0, flow=flow, unit=unit, shape=shape, d1=d1, d2=d2,
                length_unit=length_unit, pressure_unit=pressure_unit, gauge=gauge)
    if not doc["completed"]:
        with pytest.raises(toluvek.InputError) as error:
            toluvek.duct(gas, **call)
        assert error.value.message == doc["messages"][-1]["message"]
        assert error.value.partial == {k: v["value"] for k, v in doc["results"].items()}
        return
    result = toluvek.duct(gas, **call)
    for member, value in doc["results"].items():
        assert getattr(result, member) == value["value"], member


@pytest.mark.parametrize("quantity, value, unit", [
    ("pressure", 1.0, "atm"), ("pressure", 750.0, "Torr"), ("pressure", 1.5e-3, "kgf/mm2"),
    ("temperature", 100.0, "C"), ("temperature", -40.0, "F"), ("temperature", 491.67, "R"),
    ("heat", 1.0, "kcal/h"), ("heat", 1000.0, "W"), ("heat", 4.1868, "J"),
    ("pressure", 1e308, "atm"),  # overflows
])
def test_convert_matches_cli(cli_json, quantity, value, unit):
    code, doc = cli_json("convert", quantity, repr(value), "--unit", unit)
    convert = getattr(toluvek.convert, quantity)
    if not doc["converted"]:
        with pytest.raises(toluvek.InputError):
            convert(value, unit)
        return
    result = convert(value, unit)
    expected = {row["unit"]: row["value"] for row in doc["rows"]}
    names = {"゜C": "C", "゜F": "F", "゜R": "R"}
    assert result == {names.get(k, k): v for k, v in expected.items()}


@pytest.mark.parametrize("flow, unit, t1, t2, phase", [
    (100.0, "g/min", 25.0, 80.0, "liquid"),
    (3.5, "mol/h", 10.0, 150.0, "gas"),
    (0.25, "kg/h", 90.0, 20.0, "liquid"),
])
def test_water_heat_matches_cli(cli_json, flow, unit, t1, t2, phase):
    _, doc = cli_json("water-heat", "--flow", repr(flow), "--flow-unit", unit, "--t1", repr(t1),
                      "--t2", repr(t2), "--phase", phase)
    assert toluvek.water_heat(flow, unit, t1, t2, phase) == doc["heat"]["value"]


@pytest.mark.parametrize("command, value, amounts", [
    ("add-air", 9.52, {"CH4": 1}),
    ("add-air", 0.5, {"H2": 2, "O2": 0.3, "N2": 1.1}),
    ("rescale", 100.0, {"CH4": 88.9, "C2H6": 6.8, "C3H8": 3.1, "n-C4H10": 1.2}),
    ("rescale", 1.0, {"CO": 1, "H2O": 3}),
    ("rescale", 1.0, {}),  # all zero: refused
])
def test_composition_dialogs_match_cli(cli_json, command, value, amounts):
    gas = toluvek.Mixture(**amounts)
    code, doc = cli_json(command, repr(value), *mixture_args(gas))
    call = gas.add_air if command == "add-air" else gas.rescale
    if code != 0:
        with pytest.raises(toluvek.InputError) as error:
            call(value)
        assert error.value.message == doc["error"]["message"]
        return
    assert list(call(value).amounts) == [entry["value"] for entry in doc["amounts"]]


@pytest.mark.parametrize("pressure, pressure_unit, gauge, temperature, temperature_unit", [
    (2.0, "atm", False, 40.0, "C"),
    (101325.0, "Pa", False, 298.15, "K"),
    (0.35, "kgf/cm2", False, -12.5, "C"),
    (0.2, "MPa", True, 60.0, "C"),  # written as absolute Pa
])
def test_composition_files_match_cli(cli, cli_json, tmp_path, pressure, pressure_unit, gauge,
                                     temperature, temperature_unit):
    gas = toluvek.Mixture(CH4=88.9, C2H6=6.8, C3H8=3.1, H2O=0.25, **{"n-C4H10": 1.2})
    ours, theirs = tmp_path / "ours.txt", tmp_path / "theirs.txt"
    toluvek.save_composition(ours, gas, T=temperature, p=pressure,
                             temperature_unit=temperature_unit, pressure_unit=pressure_unit,
                             gauge=gauge)
    code, _out, _err = cli("mixture", *mixture_args(gas), *pressure_args(pressure, pressure_unit,
                                                                         gauge),
                           "--temperature", repr(temperature),
                           "--temperature-unit", temperature_unit, "--save", str(theirs))
    assert code == 0
    # The same bytes but for the first line, the time of the save.
    assert ours.read_bytes().split(b"\r\n")[1:] == theirs.read_bytes().split(b"\r\n")[1:]
    read = toluvek.read_composition(theirs)
    assert (read.pressure_unit, read.temperature_unit) == (
        "Pa" if gauge else pressure_unit, temperature_unit)
    _, doc = cli_json("mixture", "--file", str(theirs))
    result = read.properties(species=True)
    for member in MIXTURE_MEMBERS:
        assert getattr(result, member) == doc["mixture"][member]["value"], member
    assert list(read.gas.amounts) == doc["inputs"]["amounts"]


@pytest.mark.parametrize("content", [b"", b'"a",1,2\r\n', b"x" * 70000])
def test_unreadable_composition_file_fails_as_cli(cli, tmp_path, content):
    path = tmp_path / "broken.txt"
    path.write_bytes(content)
    code, _out, err = cli("mixture", "--file", str(path))
    assert code == 1
    with pytest.raises(toluvek.InputError) as raised:
        toluvek.read_composition(path)
    assert raised.value.message == "エラーです" and "エラーです" in err
    reason = err.splitlines()[0].split(": ", 1)[1]  # "--file PATH: why"
    assert raised.value.step.endswith(reason), (raised.value.step, err)
