"""The program's tools on one state: combustion, heat duty, dew point, mixing, duct flow.

Each runs the same window model as the tool window and ``toluvek-cli``, so its numbers are
the window's. Temperatures written t, t1, t2 are in ℃, as the tool windows take them;
T0 and every temperature returned as ``temperature`` are in K.
"""

import math
import numbers
import types
import warnings
from dataclasses import dataclass
from typing import Optional

import numpy as np

from . import _core
from ._mixture import (SPECIES_COUNT, ExtrapolationWarning, InputError, Mixture, KELVIN_OFFSET,
                       PROPERTY_FIT_RANGE, WINDOW_PRESSURE_UNITS, _FIT_RANGE_TEXT, _unit,
                       window_pressure)


def _number(value, what):
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise TypeError(f"{what} must be a number, not {value!r}")
    value = float(value)
    if not math.isfinite(value):
        raise ValueError(f"{what} must be a finite number, not {value}")
    return value


def _one_mixture(gas):
    if not isinstance(gas, Mixture):
        raise TypeError(f"a toluvek.Mixture is needed, not {type(gas).__name__}")
    if gas.shape:
        raise ValueError("the tools take one mixture, not an array of mixtures")
    return [float(a) for a in gas.amounts]


def _pressure(p, unit, gauge):
    return window_pressure(_number(p, "p"), unit, gauge)


# The flow units of toluvek-cli's --flow-unit, each with the window unit it converts to.
FLOW_UNITS = types.MappingProxyType(dict(_core.FLOW_UNITS))


def _flow_units_for(window_units):
    """The flow units a tool takes beyond its window's own: those that convert to one of
    them, as toluvek-cli offers them."""
    return tuple(unit for unit in FLOW_UNITS
                 if any(_core.convert_flow(1.0, unit, window_unit) is not None
                        for window_unit in window_units))


def _window_flow(flow, unit, window_units, offered):
    """A flow as toluvek-cli enters it into a tool window: (value, window unit), the reading
    as typed in one of the window's units, else converted by the program's own conversion to
    the first of them it converts to (Nm3/h and mol/h to Nl/min, kg/h to kg/s). A conversion
    beyond the range of a double raises InputError with the window's general message
    (code "check_input")."""
    flow = _number(flow, "flow")
    unit = _unit(unit, offered, "unit")
    if unit in window_units:
        return flow, unit
    for window_unit in window_units:
        try:
            value = _core.convert_flow(flow, unit, window_unit)
        except OverflowError:
            raise InputError.of("check_input", "flow conversion") from None
        if value is not None:
            return value, window_unit
    raise ValueError(f"a flow in {unit} does not convert to {', '.join(window_units)}")


def _raise_first(messages, step, fallback="check_input"):
    """Raises the last message box of a tool's run; the box named `fallback` when it showed
    none."""
    if not messages:
        raise InputError.of(fallback, step)
    text, title, code = messages[-1]
    raise InputError(text, title, step, code)


def _warn_outside(t_kelvin, stacklevel=3):
    if not PROPERTY_FIT_RANGE[0] <= t_kelvin <= PROPERTY_FIT_RANGE[1]:
        warnings.warn(f"the properties at {t_kelvin} K are extrapolated: {_FIT_RANGE_TEXT}",
                      ExtrapolationWarning, stacklevel=stacklevel)
        return True
    return False


@dataclass(frozen=True)
class BurntGasProperties:
    """The burnt gas's properties at its temperature, in the units of Mixture.properties."""
    molar_mass: float
    density: float
    gas_constant: float
    cp: float
    conductivity: float
    viscosity: float
    kinematic_viscosity: float
    prandtl: float
    prandtl_eucken: float
    mole_fraction: np.ndarray
    mass_fraction: np.ndarray
    species_cp: np.ndarray
    species_conductivity: np.ndarray
    species_viscosity: np.ndarray
    species_prandtl: np.ndarray


@dataclass(frozen=True)
class Combustion:
    """The burnt gas of an adiabatic complete combustion.

    ``gas`` the burnt gas [mol per mol of the amounts' unit], ``temperature`` its adiabatic
    temperature [K], ``total_before`` and ``total_after`` the total amounts, ``properties``
    the burnt gas's properties at that temperature and the pressure (None when their
    calculation failed, with a warning), ``in_fit_range`` whether those are within the fits,
    ``air_added`` the air added by ``air_ratio`` (None without it).
    """
    gas: Mixture
    temperature: float
    total_before: float
    total_after: float
    properties: Optional[BurntGasProperties]
    in_fit_range: bool
    air_added: Optional[float] = None


def combustion(gas, T0=298.15, p=101325.0, *, pressure_unit="Pa", gauge=False,
               air_ratio=None):
    """Adiabatic complete combustion (no dissociation) of `gas` from T0 [K] at p.

    p is the absolute pressure in `pressure_unit` (Pa, kPa, MPa, bar, atm, kgf/cm2, mmHg),
    or above 101.325 kPa with ``gauge=True``, as toluvek-cli's --pressure-unit and --gauge
    take it. The gas burns with its own oxygen, or, with ``air_ratio=R``, after R times its
    stoichiometric air (21 % O2, 79 % N2) is added, as toluvek-cli combustion --air-ratio
    adds it (1.1 for 10 % excess air; ``air_added`` says how much). Raises InputError with
    the window's message when the oxygen is short, nothing burns or the search finds no
    temperature.
    """
    amounts = _one_mixture(gas)
    pressure, code = _pressure(p, pressure_unit, gauge)
    ratio = math.nan
    if air_ratio is not None:
        ratio = _number(air_ratio, "air_ratio")
        if not ratio >= 0:
            raise ValueError(f"air_ratio must be zero or more, not {air_ratio!r}")
    raw = _core.combustion(amounts, _number(T0, "T0"), pressure, code, ratio)
    if "temperature" not in raw:
        _raise_first(raw["messages"], "combustion")
    properties = None
    if raw["properties"] is not None:
        values = dict(raw["properties"])
        for key in ("mole_fraction", "mass_fraction", "species_cp", "species_conductivity",
                    "species_viscosity", "species_prandtl"):
            values[key] = np.array(values[key])
        properties = BurntGasProperties(**values)
    else:
        warnings.warn(f"the properties of the burnt gas could not be computed at "
                      f"{raw['temperature']} K", RuntimeWarning, stacklevel=2)
    inside = properties is None or not _warn_outside(raw["temperature"])
    return Combustion(Mixture(raw["amounts"]), raw["temperature"], raw["total_before"],
                      raw["total_after"], properties, inside, raw.get("air_added"))


@dataclass(frozen=True)
class GasQuality:
    """The figures a fuel gas is specified by, named as in toluvek-cli gas-quality --json, in
    SI units: heating values per kg, kmol and m³N (0 ℃, 101.325 kPa), the relative density
    to the program's air (21 % O2, 79 % N2), the Wobbe indices and the stoichiometric air."""
    molar_mass_kg_per_kmol: float
    hhv_J_per_kg: float
    lhv_J_per_kg: float
    hhv_J_per_kmol: float
    lhv_J_per_kmol: float
    hhv_J_per_m3N: float
    lhv_J_per_m3N: float
    relative_density: float
    wobbe_higher_J_per_m3N: float
    wobbe_lower_J_per_m3N: float
    air_m3N_per_m3N: float
    air_kg_per_kg: float


def gas_quality(gas):
    """The gas-quality figures of `gas` (a GasQuality), the ideal gas's. Raises InputError with
    the window's message when the amounts cannot be taken (all zero, say)."""
    raw = _core.gas_quality(_one_mixture(gas))
    if raw["messages"]:
        _raise_first(raw["messages"], "gas quality")
    return GasQuality(**{name: raw[name] for name in
                         ("molar_mass_kg_per_kmol", *_core.GAS_QUALITY_QUANTITIES)})


# The enthalpy window's flow units, by FlowUnit's value in the program.
_FLOW_UNITS = ("Nl/min", "mol/h", "kg/s")
_HEAT_DUTY_FLOW_UNITS = _flow_units_for(_FLOW_UNITS)


@dataclass(frozen=True)
class HeatDuty:
    """Heat duty and chemical energy flows of a flowing mixture.

    ``heat_duty`` [W] to bring the flow from t1 to t2, ``molar_flow`` [mol/s],
    ``enthalpy_rise`` [J/mol], ``lhv`` and ``hhv`` [W] (None without fuel),
    ``water_latent_heat`` and ``methanol_latent_heat`` [W] (None without water or
    methanol), ``species_flow`` the flow of each species in ``species_flow_unit``, the
    window's unit the flow was entered in (Nl/min for a flow in Nm3/h, kg/s for one in kg/h).
    """
    heat_duty: float
    molar_flow: float
    enthalpy_rise: float
    lhv: Optional[float]
    hhv: Optional[float]
    water_latent_heat: Optional[float]
    methanol_latent_heat: Optional[float]
    species_flow: np.ndarray
    species_flow_unit: str


def heat_duty(gas, flow=1.0, unit="Nl/min", t1=25.0, t2=25.0):
    """Heat to bring `flow` (in `unit`) of `gas` from t1 to t2 [℃].

    `unit` is Nl/min, Nm3/h, mol/h, kg/s or kg/h (normal state 0 ℃, 101.325 kPa); Nm3/h goes
    into the window as Nl/min and kg/h as kg/s, converted as toluvek-cli's --flow-unit
    converts them. A temperature below absolute zero warns and the calculation goes on, as
    in the window; a stop (all amounts zero, a negative flow, a failed calculation) raises
    InputError.
    """
    amounts = _one_mixture(gas)
    value, window_unit = _window_flow(flow, unit, _FLOW_UNITS, _HEAT_DUTY_FLOW_UNITS)
    raw = _core.heat_duty(amounts, value, _FLOW_UNITS.index(window_unit), _number(t1, "t1"),
                          _number(t2, "t2"))
    if raw["temperature_negative"]:
        warnings.warn(_core.MESSAGE_BY_CODE["negative_temperature"][0], RuntimeWarning,
                      stacklevel=2)
    if not raw["ok"]:
        _raise_first(raw["messages"], "heat duty")
    return HeatDuty(raw["heat_duty"], raw["molar_flow"], raw["enthalpy_rise"], raw["lhv"],
                    raw["hhv"], raw["water_latent_heat"], raw["methanol_latent_heat"],
                    np.array(raw["species_flow"]), window_unit)


@dataclass(frozen=True)
class DewPoint:
    """The water vapour's partial pressure and saturation temperature.

    ``partial_pressure_mmhg`` [mmHg] as the program computes it, ``partial_pressure`` [Pa],
    ``temperature`` [K] and ``temperature_c`` [℃] of saturation, ``newton_steps``.
    """
    partial_pressure_mmhg: float
    partial_pressure: float
    temperature: float
    temperature_c: float
    newton_steps: int


_MMHG_PER_ATM = 760.0


def dew_point(gas, p=101325.0, *, pressure_unit="Pa", gauge=False):
    """Dew point of the water vapour in `gas` at p, as the window's H2O label shows it.

    p in `pressure_unit`, absolute or with ``gauge=True``, as in combustion(). Raises
    InputError when the mixture holds no water, its calculation fails, or the search finds
    no saturation temperature (below about 4.7 mmHg).
    """
    amounts = _one_mixture(gas)
    pressure, code = _pressure(p, pressure_unit, gauge)
    raw = _core.dew_point(amounts, pressure, code)
    if not raw["opened"]:
        _raise_first(raw["messages"], "dew point", "no_water")
    if raw["status"] != 0:
        _raise_first(raw["messages"], "dew point", "no_saturation_solution")
    mmhg = raw["partial_pressure_mmhg"]
    t_c = raw["saturation_temperature_c"]
    return DewPoint(mmhg, mmhg / _MMHG_PER_ATM * 101325.0, t_c + KELVIN_OFFSET, t_c,
                    raw["newton_steps"])


@dataclass(frozen=True)
class Stream:
    """A gas stream for mix(): its mixture, temperature t [℃] and molar flow (any unit)."""
    gas: Mixture
    t: float = 25.0
    flow: float = 1.0


@dataclass(frozen=True)
class Mixed:
    """The result of an adiabatic mixing.

    ``gas`` the mixed composition (mole fractions to four significant figures, as shown),
    ``temperature`` [K] and ``t`` [℃], ``flow`` the total flow, ``composition_a`` and
    ``composition_b`` the streams' normalised mole fractions, ``search_steps``.
    """
    gas: Mixture
    temperature: float
    t: float
    flow: float
    composition_a: np.ndarray
    composition_b: np.ndarray
    search_steps: int


def mix(a, b):
    """Adiabatic mixing of two streams (``gas.stream(t=…, flow=…)``), as the mixing window."""
    for stream in (a, b):
        if not isinstance(stream, Stream):
            raise TypeError("mix takes two streams: gas.stream(t=..., flow=...)")
    raw = _core.mix(_one_mixture(a.gas), _number(a.t, "t"), _number(a.flow, "flow"),
                    _one_mixture(b.gas), _number(b.t, "t"), _number(b.flow, "flow"))
    if raw["status"] != 0:
        _raise_first(raw["messages"], "mixing", "no_mixing_solution")
    t = raw["mixed_temperature"]
    return Mixed(Mixture(raw["mixed_composition"]), t + KELVIN_OFFSET, t, raw["total_flow"],
                 np.array(raw["composition_a"]), np.array(raw["composition_b"]),
                 raw["search_steps"])


_SHAPES = {"circular": 0, "circle": 0, "annulus": 1, "double-pipe": 1, "rectangular": 2,
           "rectangle": 2}
# The duct window's flow units, by DuctFlowUnit's value in the program.
_DUCT_UNITS = ("Nl/min", "kg/s")
_DUCT_FLOW_UNITS = _flow_units_for(_DUCT_UNITS)
_DUCT_QUANTITIES = ("area", "velocity", "hydraulic_diameter", "reynolds", "heat_transfer",
                    "mass_velocity")


@dataclass(frozen=True)
class Duct:
    """Flow through a duct: ``area`` [m²], ``velocity`` [m/s], ``hydraulic_diameter`` [m],
    ``reynolds`` [-], ``heat_transfer`` coefficient [W/(m²·K)], ``mass_velocity``
    [kg/(m²·s)], and ``in_fit_range`` for the gas's properties behind them."""
    area: float
    velocity: float
    hydraulic_diameter: float
    reynolds: float
    heat_transfer: float
    mass_velocity: float
    in_fit_range: bool


def duct(gas, p=101325.0, t=25.0, flow=1.0, unit="Nl/min", shape="circular", d1=0.01,
         d2=0.0, length_unit="m", *, pressure_unit="Pa", gauge=False):
    """`flow` (in `unit`) of `gas` at p and t [℃] through a duct.

    `unit` is Nl/min, Nm3/h, mol/h, kg/s or kg/h (normal state 0 ℃, 101.325 kPa); Nm3/h and
    mol/h go into the window as Nl/min, kg/h as kg/s, as toluvek-cli's --flow-unit converts
    them. p in `pressure_unit`, absolute or with ``gauge=True``, as in combustion().
    shape: "circular" (d1 the diameter), "annulus" (d1 outer, d2 inner diameter) or
    "rectangular" (d1 height, d2 width), lengths in `length_unit` ("m" or "mm"). Raises
    InputError with the window's message when the mixture's calculation or the duct's
    fails; ``partial`` on the error holds the values published before the stop.
    """
    amounts = _one_mixture(gas)
    shape_index = _SHAPES[_unit(shape, tuple(_SHAPES), "shape")]
    value, window_unit = _window_flow(flow, unit, _DUCT_UNITS, _DUCT_FLOW_UNITS)
    length_unit = _unit(length_unit, ("m", "mm"), "length_unit")
    pressure, code = _pressure(p, pressure_unit, gauge)
    raw = _core.duct(amounts, pressure, _number(t, "t"), value,
                     _DUCT_UNITS.index(window_unit), shape_index, _number(d1, "d1"),
                     _number(d2, "d2"), length_unit == "mm", code)
    values = {_DUCT_QUANTITIES[k]: v for k, v in raw["values"].items()}
    if not raw["completed"]:
        try:
            _raise_first(raw["messages"], "duct flow" if raw["calculated"] else "mixture")
        except InputError as error:
            error.partial = values
            raise
    inside = not _warn_outside(float(t) + KELVIN_OFFSET)
    return Duct(**values, in_fit_range=inside)


_WATER_FLOW_UNITS = ("g/min", "mol/h", "kg/h")


def water_heat(flow=100.0, unit="g/min", t1=25.0, t2=25.0, phase="liquid"):
    """Heat flow [W] to warm liquid water from t1 to t2 [℃], or to evaporate it (phase="gas").

    `flow` in `unit`: g/min, mol/h or kg/h. The water enthalpy window's calculation; it does
    not use a mixture. Raises InputError with the window's message when it refuses the values.
    """
    unit_index = _WATER_FLOW_UNITS.index(_unit(unit, _WATER_FLOW_UNITS, "unit"))
    phase = _unit(phase, ("liquid", "gas"), "phase")
    heat = _core.water_heat(_number(flow, "flow"), unit_index, _number(t1, "t1"),
                            _number(t2, "t2"), phase == "gas")
    if heat is None:
        raise InputError.of("check_input", "water heat")
    return heat


def _composition_dialog(gas, value, add_air, what):
    amounts = _one_mixture(gas)
    changed = _core.composition_dialog(amounts, _number(value, what), add_air)
    if changed is None:
        raise InputError.of("check_input", "add air" if add_air else "rescale")
    return Mixture(changed)


def add_air(gas, amount):
    """`gas` with `amount` of air (21 % O2, 79 % N2) added, in the unit of its amounts.

    O2 and N2 come out with four significant figures, as the main window then shows them.
    """
    return _composition_dialog(gas, amount, True, "amount")


def rescale(gas, total):
    """`gas` with its amounts rescaled to add up to `total`, each to four significant figures."""
    return _composition_dialog(gas, total, False, "total")


# Why a composition file could not be read, by CompositionError's value.
_READ_FAILURES = {1: "cannot be opened", 2: "is not a regular file", 3: "could not be read",
                  4: "holds fewer than 32 fields",
                  5: "does not hold its 32 fields within the first 64 KiB",
                  6: "has a value field that is not a number"}


@dataclass(frozen=True)
class Composition:
    """The inputs of a composition file, as the main window shows them once it has read it:
    ``gas``, ``pressure`` in ``pressure_unit`` ("Pa", "atm", "kgf/cm2") and ``temperature``
    in ``temperature_unit`` ("C", "K"). ``properties()`` calculates at that state."""
    gas: Mixture
    pressure: float
    pressure_unit: str
    temperature: float
    temperature_unit: str

    def properties(self, **options):
        """The mixture's properties at the file's state; options as Mixture.properties."""
        return self.gas.properties(T=self.temperature, p=self.pressure,
                                   temperature_unit=self.temperature_unit,
                                   pressure_unit=self.pressure_unit, **options)


def read_composition(path):
    """The inputs of the composition file at `path` (File > Open, without the calculation).

    Raises InputError with the window's "エラーです" when the file cannot be read; ``step``
    says why.
    """
    raw = _core.read_composition(str(path))
    if raw["error"]:
        _raise_first(raw["messages"], f"composition file {str(path)!r} "
                                      f"{_READ_FAILURES.get(raw['error'], 'could not be read')}",
                     "file_unreadable")
    values = [raw["pressure"], raw["temperature"], *raw["amounts"]]
    if any(v is None for v in values):
        raise InputError.of("check_input", "composition file")
    units = {code: name for name, code in WINDOW_PRESSURE_UNITS.items()}
    return Composition(Mixture(raw["amounts"]), raw["pressure"], units[raw["pressure_unit"]],
                       raw["temperature"], "K" if raw["kelvin"] else "C")


def save_composition(path, gas, T=298.15, p=101325.0, *, temperature_unit="K",
                     pressure_unit="Pa", gauge=False):
    """Writes `gas` at T and p, in their units, to a composition file (File > Save).

    The file holds the main window's units: an absolute pressure in Pa, atm or kgf/cm2 is
    written in its unit, any other (kPa, MPa, bar, mmHg, or ``gauge=True``) as absolute Pa,
    as ``toluvek-cli mixture --save`` writes it. The file is replaced atomically: a failed
    save leaves the old one as it was and raises InputError with the window's message,
    ``step`` saying why.
    """
    amounts = _one_mixture(gas)
    pressure, code = _pressure(p, pressure_unit, gauge)
    kelvin = _unit(temperature_unit, ("K", "C"), "temperature_unit") == "K"
    reason, messages = _core.save_composition(str(path), amounts, pressure, code,
                                              _number(T, "T"), kelvin)
    if reason or messages:
        _raise_first(messages, f"save to {str(path)!r}: {reason or 'not saved'}")
