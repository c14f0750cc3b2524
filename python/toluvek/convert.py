"""The unit converters of the program: a value in one unit, shown in all of the converter's.

Each returns a dict from unit name to value, computed by the converter windows' own code.
A value that is not a number, or whose conversion overflows, raises InputError; a
temperature below absolute zero warns and is converted all the same, as in the window.
"""

import numbers
import warnings

from . import _core
from ._mixture import InputError, _unit

PRESSURE_UNITS = ("Pa", "mmAq", "Torr", "kgf/mm2", "atm")
TEMPERATURE_UNITS = ("C", "F", "R")
HEAT_UNITS = ("kcal/h", "W", "cal", "J")

# Notices of the converters, by their value in the program.
_ERROR, _CHECK_INPUT, _BELOW_ABSOLUTE_ZERO = 1, 2, 3


def _text(value):
    if isinstance(value, bool) or not isinstance(value, (numbers.Real, str)):
        raise TypeError(f"the value must be a number (or the text typed), not {value!r}")
    return value if isinstance(value, str) else repr(float(value))


def _result(raw, units, what):
    if raw["notice"] == _BELOW_ABSOLUTE_ZERO:
        warnings.warn(_core.MESSAGE_BY_CODE["below_absolute_zero"][0], RuntimeWarning, stacklevel=3)
    if not raw["converted"]:
        raise InputError.of("conversion_error" if raw["notice"] == _ERROR else "check_input", what)
    return dict(zip(units, raw["values"]))


def pressure(value, unit="Pa"):
    """`value` in `unit` (Pa, mmAq, Torr, kgf/mm2, atm) in each of the five units."""
    index = PRESSURE_UNITS.index(_unit(unit, PRESSURE_UNITS, "unit"))
    return _result(_core.convert_pressure(_text(value), index), PRESSURE_UNITS,
                   "pressure converter")


def temperature(value, unit="C"):
    """`value` in `unit` (C, F, R) in ℃, ℉ and °R."""
    index = TEMPERATURE_UNITS.index(_unit(unit, TEMPERATURE_UNITS, "unit"))
    return _result(_core.convert_temperature(_text(value), index), TEMPERATURE_UNITS,
                   "temperature converter")


def heat(value, unit="kcal/h"):
    """`value` in `unit`: a power in kcal/h or W gives the other; an energy in cal or J too."""
    index = HEAT_UNITS.index(_unit(unit, HEAT_UNITS, "unit"))
    other = HEAT_UNITS[index ^ 1]
    return _result(_core.convert_heat(_text(value), index), (other,), "heat converter")
