"""Mixtures and their properties over numpy arrays of states."""

import numbers
import types
import warnings

import numpy as np

from . import _core

SPECIES = tuple(_core.SPECIES)
SPECIES_COUNT = len(SPECIES)
MIXTURE_QUANTITIES = tuple(_core.MIXTURE_QUANTITIES)
SPECIES_QUANTITIES = tuple(_core.SPECIES_QUANTITIES)
PROPERTY_FIT_RANGE = tuple(_core.PROPERTY_FIT_RANGE)

# Pa per unit of every pressure unit toluvek-cli's --pressure-unit takes, from the program's
# own table; gauge pressures are read above GAUGE_REFERENCE [Pa].
PRESSURE_UNITS = types.MappingProxyType(dict(_core.PRESSURE_UNITS))
GAUGE_REFERENCE = float(_core.GAUGE_REFERENCE)
# The names Mixture.preset takes, as toluvek-cli presets lists them.
PRESETS = tuple(_core.PRESETS)
# The main window's pressure options, by PressureUnit's value in the program: an absolute
# pressure in one of them goes into the window as typed, any other as absolute Pa.
WINDOW_PRESSURE_UNITS = {"Pa": 1, "atm": 2, "kgf/cm2": 3}
TEMPERATURE_UNITS = ("K", "C")
KELVIN_OFFSET = 273.15


class InputError(ValueError):
    """A calculation stopped with one of the program's messages.

    ``message`` is the message text as the window shows it, ``title`` its box's title,
    ``code`` the message's stable name, the same as in the JSON of ``toluvek-cli``
    ("all_zero_composition", "negative_pressure", ...: match this, not the text), and
    ``step`` what stopped: "input check" for the checks made before the calculation,
    otherwise the name of the step of the calculation (or of the tool) that failed.
    """

    def __init__(self, message, title="Toluvek", step="input check", code="check_input"):
        super().__init__(f"{title}: {message} (step: {step})")
        self.message = message
        self.title = title
        self.step = step
        self.code = code

    @classmethod
    def of(cls, code, step="input check"):
        """The error of the program's message named `code` ("check_input")."""
        text, title, code = _core.MESSAGE_BY_CODE[code]
        return cls(text, title, step, code)

    def __reduce__(self):
        # Rebuilt from its parts, not from the joined text: a worker process (a process pool,
        # a dask worker) sends it back to the caller pickled.
        return (type(self), (self.message, self.title, self.step, self.code), self.__dict__)


class ExtrapolationWarning(UserWarning):
    """Properties at a temperature outside the range of the fits of cp, λ and μ."""


def _species_index(name):
    for index, label in enumerate(SPECIES):
        if name in (label, label.replace("-", "")):
            return index
    raise TypeError(f"unknown species {name!r}: the species are {', '.join(SPECIES)}")


def _float_array(value, what):
    if isinstance(value, (str, bytes)):
        raise TypeError(f"{what} must be a number or an array of numbers, not {value!r}")
    try:
        array = np.asarray(value, dtype=np.float64)
    except (TypeError, ValueError):
        raise TypeError(f"{what} must be a number or an array of numbers") from None
    return array


def _unit(unit, choices, what):
    if unit not in choices:
        raise ValueError(f"{what} must be one of {', '.join(choices)}, not {unit!r}")
    return unit


def _flag(value, what):
    if not isinstance(value, (bool, np.bool_)):
        raise TypeError(f"{what} must be True or False, not {value!r}")
    return bool(value)


def _threads(threads):
    if isinstance(threads, bool) or not isinstance(threads, numbers.Integral):
        raise TypeError("threads must be a whole number")
    if threads < 1:
        raise ValueError(f"threads must be at least 1, not {threads}")
    return int(threads)


def to_pascal(p, unit, gauge=False):
    """A pressure in `unit` (gauge: above GAUGE_REFERENCE) as absolute Pa, element by element.

    The operations of the program's conversion (the main window's for its own units,
    toluvek-cli's --pressure-unit and --gauge for the others) in the same order, the reading
    times Pa per unit, then plus the reference, so that every bit is theirs. A conversion that
    overflows gives an infinity, which the calculation's checks refuse like the window does.
    """
    factor = PRESSURE_UNITS[_unit(unit, tuple(PRESSURE_UNITS), "pressure_unit")]
    with np.errstate(over="ignore", invalid="ignore"):
        pascal = p * factor if factor != 1.0 else p
        if _flag(gauge, "gauge"):
            pascal = pascal + GAUGE_REFERENCE
    return pascal


def window_pressure(p, unit, gauge=False):
    """One pressure as toluvek-cli enters it into the main window: (value, PressureUnit value).

    An absolute pressure in one of the window's units goes in as typed, in that unit; any
    other is converted to absolute Pa by the program's own conversion. A conversion beyond
    the range of a double raises InputError with the window's "入力値を確認下さい。".
    """
    unit = _unit(unit, tuple(PRESSURE_UNITS), "pressure_unit")
    gauge = _flag(gauge, "gauge")
    if not gauge and unit in WINDOW_PRESSURE_UNITS:
        return p, WINDOW_PRESSURE_UNITS[unit]
    try:
        return _core.absolute_pascal(p, unit, gauge), WINDOW_PRESSURE_UNITS["Pa"]
    except OverflowError:
        raise InputError.of("check_input") from None


def to_kelvin(t, unit):
    """A temperature in `unit` ("K" or "C") as the main window converts it, in K."""
    if _unit(unit, TEMPERATURE_UNITS, "temperature_unit") == "C":
        with np.errstate(over="ignore", invalid="ignore"):
            return t + KELVIN_OFFSET
    return t


def sweep(start, stop, step):
    """The values from `start` towards `stop` by `step`, as a property table steps.

    `stop` is included where the steps land on it (within rounding), and each value is the
    double nearest to its decimal as a person types it (0.1 · 3 gives 0.3), so that the
    states are those of ``toluvek-cli table`` and the table window. A step of 0, a step away
    from `stop` or more than 10^7 values raise ValueError.
    """
    args = [_float_array(v, name) for v, name in ((start, "start"), (stop, "stop"),
                                                   (step, "step"))]
    if any(a.ndim != 0 for a in args):
        raise TypeError("sweep takes three numbers")
    return _core.sweep(*(float(a) for a in args))


class Mixture:
    """A gas of the twelve species, in amounts of any proportional unit (mol, %, Nl/min).

    ``Mixture(CH4=88.9, C2H6=6.8)`` names species by label (``**{"n-C4H10": 1.2}``, or
    ``nC4H10``); ``Mixture([...])`` takes twelve amounts in species order, or an array of
    shape (..., 12): a different mixture per state, broadcast against the temperatures and
    pressures of a calculation. Unnamed species are 0. Whether the amounts are sound
    (non-negative, not all zero) is checked by each calculation, as the window does.
    """

    def __init__(self, amounts=None, /, **named):
        if amounts is not None and named:
            raise TypeError("give the amounts either in species order or by name, not both")
        if amounts is None:
            values = np.zeros(SPECIES_COUNT)
            for name, value in named.items():
                if not isinstance(value, numbers.Real) or isinstance(value, bool):
                    raise TypeError(f"the amount of {name} must be a number, not {value!r}")
                values[_species_index(name)] = float(value)
        else:
            values = np.array(_float_array(amounts, "amounts"), dtype=np.float64)
            if values.ndim == 0 or values.shape[-1] != SPECIES_COUNT:
                raise ValueError(
                    f"amounts must have {SPECIES_COUNT} values along their last axis "
                    f"(species order {' '.join(SPECIES)}), not shape {values.shape}")
        values.flags.writeable = False
        self._amounts = values

    @classmethod
    def preset(cls, name):
        """A composition of the main window's preset menu, by the names of toluvek-cli's
        --preset: "air", "osaka", "tokyo", "hiroshima", "pfd" (in any case; the menu's own
        entry names, such as "hiro", are taken too)."""
        key = str(name).lower()
        entries = {entry.lower(): preset for entry, preset in _core.PRESET_ENTRIES.items()}
        key = entries.get(key, key)
        if key not in _core.PRESETS:
            raise ValueError(f"unknown preset {name!r}: the presets are "
                             f"{', '.join(_core.PRESETS)}")
        return cls(_core.PRESETS[key])

    @property
    def amounts(self):
        """The amounts in species order, shape (..., 12) (read-only)."""
        return self._amounts

    @property
    def shape(self):
        """The shape of the mixtures' states: () for one mixture."""
        return self._amounts.shape[:-1]

    def __reduce__(self):
        return (Mixture, (np.array(self._amounts),))

    def __eq__(self, other):
        return isinstance(other, Mixture) and np.array_equal(self._amounts, other._amounts)

    __hash__ = None

    def __repr__(self):
        if self.shape:
            return f"Mixture(<{self.shape} mixtures>)"
        named = ", ".join(f"{label}={value:g}" for label, value in zip(SPECIES, self._amounts)
                          if value != 0)
        return f"Mixture({named})"

    def properties(self, T, p=101325.0, *, temperature_unit="K", pressure_unit="Pa",
                   gauge=False, threads=1, species=None):
        """Properties of the mixture at temperatures `T` and pressures `p`.

        Arguments broadcast against each other and against the mixture's own shape, as numpy
        arrays do: T [K, or ℃ with temperature_unit="C"], p the absolute pressure [Pa, or
        with pressure_unit one of "kPa", "MPa", "bar", "atm", "kgf/cm2", "mmHg"]; with
        ``gauge=True`` p is read above 101.325 kPa (GAUGE_REFERENCE). They are converted to K
        and Pa as the main window and toluvek-cli convert them, bit for bit. ``threads``
        splits the states over that many threads (the interpreter lock is released while
        they run). The per-species values are computed with the others when
        ``species=True``, else on the first read of ``.species``.

        Returns a Properties with, in SI units, ``molar_mass`` [kg/kmol], ``density``
        [kg/m³], ``gas_constant`` [J/(kg·K)], ``cp`` [J/(kg·K)], ``conductivity``
        [W/(m·K)], ``viscosity`` [Pa·s], ``kinematic_viscosity`` [m²/s], ``prandtl`` and
        ``prandtl_eucken`` [-]; ``species`` holds ``mole_fraction``, ``mass_fraction``,
        ``cp``, ``conductivity``, ``viscosity``, ``prandtl`` of each species, shape
        (..., 12), indexed by ``toluvek.CH4`` and the like. A call on scalars gives floats,
        a call on arrays numpy arrays of the broadcast shape.

        Errors: when every argument is a scalar, a state that fails (a negative pressure or
        temperature, negative or all-zero amounts, an arithmetic fault in the calculation)
        raises InputError, a ValueError carrying the window's message, its code and the
        failed step; a
        pressure whose conversion to Pa overflows fails so too ("入力値を確認下さい。").
        With arrays, nothing is raised for a failed state: its values are NaN, ``ok`` is
        False there and ``errors`` gives its message (``error_codes`` its code, ``steps`` the
        failed step); where
        ``ok`` is True every value is finite. A state whose temperature lies outside the
        range of the fits of cp, λ and μ (200 to 1000 K) is calculated all the same, flagged
        False in ``in_fit_range``, with one ExtrapolationWarning per call. Bad arguments (a
        text for a number, an unknown unit, a gauge that is not True or False, threads below
        1) raise TypeError or ValueError.
        """
        t = to_kelvin(_float_array(T, "T"), temperature_unit)
        pressure = to_pascal(_float_array(p, "p"), pressure_unit, gauge)
        threads = _threads(threads)
        try:
            shape = np.broadcast_shapes(t.shape, pressure.shape, self.shape)
        except ValueError:
            raise ValueError(f"T of shape {t.shape}, p of shape {pressure.shape} and mixtures "
                             f"of shape {self.shape} do not broadcast together") from None
        states = (np.broadcast_to(pressure, shape), np.broadcast_to(t, shape),
                  np.broadcast_to(self._amounts, shape + (SPECIES_COUNT,)))
        result = Properties(states, threads, bool(species))
        if not shape:
            if not result.ok:
                index = int(result._raw["message"])
                text, title, code = _core.MESSAGES[index]
                raise InputError(text, title, result.steps, code)
            if not result.in_fit_range:
                warnings.warn(f"the properties at {float(t)} K are extrapolated: "
                              f"{_FIT_RANGE_TEXT}", ExtrapolationWarning, stacklevel=2)
        else:
            outside = int(np.count_nonzero(result.ok & ~result.in_fit_range))
            if outside:
                warnings.warn(f"{outside} states have extrapolated properties: "
                              f"{_FIT_RANGE_TEXT}", ExtrapolationWarning, stacklevel=2)
        return result

    def stream(self, t=25.0, flow=1.0):
        """The mixture as a stream for toluvek.mix: temperature t [℃], molar flow (any unit)."""
        from ._tools import Stream
        return Stream(self, t, flow)

    def combustion(self, T0=298.15, p=101325.0, *, pressure_unit="Pa", gauge=False,
                   air_ratio=None):
        """Adiabatic complete combustion from T0 [K]; see toluvek.combustion."""
        from ._tools import combustion
        return combustion(self, T0=T0, p=p, pressure_unit=pressure_unit, gauge=gauge,
                          air_ratio=air_ratio)

    def gas_quality(self):
        """Heating values, relative density, Wobbe indices, stoichiometric air; see
        toluvek.gas_quality."""
        from ._tools import gas_quality
        return gas_quality(self)

    def heat_duty(self, flow=1.0, unit="Nl/min", t1=25.0, t2=25.0):
        """Heat to bring the flow (Nl/min, Nm3/h, mol/h, kg/s, kg/h) from t1 to t2 [℃]; see
        toluvek.heat_duty."""
        from ._tools import heat_duty
        return heat_duty(self, flow=flow, unit=unit, t1=t1, t2=t2)

    def add_air(self, amount):
        """This mixture with `amount` of air added; see toluvek.add_air."""
        from ._tools import add_air
        return add_air(self, amount)

    def rescale(self, total):
        """This mixture rescaled to add up to `total`; see toluvek.rescale."""
        from ._tools import rescale
        return rescale(self, total)

    def dew_point(self, p=101325.0, *, pressure_unit="Pa", gauge=False):
        """Partial pressure of the water vapour and its saturation temperature; see
        toluvek.dew_point."""
        from ._tools import dew_point
        return dew_point(self, p=p, pressure_unit=pressure_unit, gauge=gauge)


_FIT_RANGE_TEXT = (f"the fits of cp, λ and μ hold from {PROPERTY_FIT_RANGE[0]:g} to "
                   f"{PROPERTY_FIT_RANGE[1]:g} K")


def _scalar_or_array(array):
    return float(array) if array.ndim == 0 else array


class SpeciesProperties:
    """The per-species values of a calculation, each of shape (..., 12)."""

    def __init__(self, arrays):
        for name in SPECIES_QUANTITIES:
            setattr(self, name, arrays[name])

    def __repr__(self):
        return f"SpeciesProperties({', '.join(SPECIES_QUANTITIES)})"


class Properties:
    """What Mixture.properties calculated: one value per state for each quantity.

    Scalars for a scalar call, else numpy arrays of the broadcast shape. ``ok`` is False
    where a state failed (its values are NaN), ``errors`` the window's message per state
    ("" where it was calculated), ``error_codes`` its code, ``steps`` the step that failed,
    ``in_fit_range`` False where the properties are extrapolated. The value arrays of a large
    result share one block of memory (72 bytes a state, 648 with the species'): keeping one
    of them keeps the block, so copy (``np.copy``) the one you keep from many calls.
    """

    def __init__(self, states, threads, species):
        self._states = states
        self._threads = threads
        self._raw = _core.evaluate(*states, threads=threads, species=species)
        self._species = None
        if species:
            self._species = SpeciesProperties(self._raw["species"])
        for name in MIXTURE_QUANTITIES:
            setattr(self, name, _scalar_or_array(self._raw[name]))

    @property
    def shape(self):
        return self._raw["ok"].shape

    @property
    def ok(self):
        ok = self._raw["ok"]
        return bool(ok) if ok.ndim == 0 else ok

    @property
    def in_fit_range(self):
        inside = self._raw["in_fit_range"]
        return bool(inside) if inside.ndim == 0 else inside

    @property
    def species(self):
        if self._species is None:
            again = _core.evaluate(*self._states, threads=self._threads, species=True)
            self._species = SpeciesProperties(again["species"])
        return self._species

    @property
    def errors(self):
        return self._message_part(0)

    @property
    def error_codes(self):
        """The code of each failed state's message ("negative_pressure"), "" where it held."""
        return self._message_part(2)

    def _message_part(self, part):
        texts = np.array([message[part] for message in _core.MESSAGES], dtype=object)
        chosen = texts[self._raw["message"]]
        # A 0-d index gives the text itself rather than a 0-d array.
        return chosen if isinstance(chosen, np.ndarray) else str(chosen)

    @property
    def steps(self):
        codes = self._raw["step"]
        names = np.array(["input check" if i == 0 else name
                          for i, name in enumerate(_core.STEPS)], dtype=object)
        steps = np.where(self._raw["message"] == 0, "", names[codes]).astype(object)
        return steps if steps.ndim else str(steps)

    def __repr__(self):
        return f"Properties(shape={self.shape}, failed={int(np.count_nonzero(~self._raw['ok']))})"
