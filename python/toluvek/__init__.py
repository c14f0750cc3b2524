"""Properties of ideal-gas mixtures of twelve species, over numpy arrays.

    import numpy as np, toluvek
    gas = toluvek.Mixture(CH4=88.9, C2H6=6.8, C3H8=3.1, **{"n-C4H10": 1.2})
    p = gas.properties(T=np.linspace(300.0, 1000.0, 8), p=101325.0)
    p.cp, p.viscosity, p.species.cp[:, toluvek.CH4]

SI units throughout (K, Pa, J/(kg·K), W/(m·K), Pa·s); pressures may be given in any of
PRESSURE_UNITS, absolute or gauge, and flows in any of FLOW_UNITS, as toluvek-cli takes
them. The tools take their temperatures t in ℃ as their windows do. The numbers are those
of the window program and of toluvek-cli: the same calculation runs underneath.
"""

from . import convert
from ._mixture import (GAUGE_REFERENCE, MIXTURE_QUANTITIES, PRESETS, PRESSURE_UNITS,
                       PROPERTY_FIT_RANGE, SPECIES, SPECIES_QUANTITIES, ExtrapolationWarning,
                       InputError, Mixture, Properties, SpeciesProperties, sweep)
from ._tools import (FLOW_UNITS, BurntGasProperties, Combustion, Composition, DewPoint, Duct,
                     GasQuality, HeatDuty, Mixed, Stream, add_air, combustion, dew_point, duct,
                     gas_quality, heat_duty, mix, read_composition, rescale, save_composition,
                     water_heat)

# Positions of the species along the last axis of the per-species arrays.
H2, O2, N2, CO, CO2, H2O, CH3OH, CH4, C2H6, C3H8, NC4H10, IC4H10 = range(len(SPECIES))

__all__ = [
    "Mixture", "Properties", "sweep", "SpeciesProperties", "InputError", "ExtrapolationWarning",
    "combustion", "gas_quality", "heat_duty", "dew_point", "mix", "duct", "water_heat",
    "add_air", "rescale", "read_composition", "save_composition", "convert", "Composition",
    "Combustion", "GasQuality", "BurntGasProperties", "HeatDuty", "DewPoint", "Stream", "Mixed",
    "Duct",
    "SPECIES", "MIXTURE_QUANTITIES", "SPECIES_QUANTITIES", "PROPERTY_FIT_RANGE",
    "PRESSURE_UNITS", "GAUGE_REFERENCE", "FLOW_UNITS", "PRESETS",
    "H2", "O2", "N2", "CO", "CO2", "H2O", "CH3OH", "CH4", "C2H6", "C3H8", "NC4H10", "IC4H10",
]
