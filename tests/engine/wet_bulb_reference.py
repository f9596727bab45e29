#!/usr/bin/env python3
"""Independent wet bulbs for wet_bulb_from_dew_point_test.cpp.

Written apart from the C++ code, in double precision throughout, with a plain bisection: the
same relations (the 1967 IFC saturation line, Carrier's psychrometer equation, the Handbook's
saturation line over ice below 32 F), none of the engine's single-precision rounding.
Run: python3 wet_bulb_reference.py
"""
import math

TC = 1165.14          # R
PC = 3208.234759      # psia
K = (-7.691234564, -26.08023696, -168.1706546, 64.23285504, -118.9646225, 4.16711732,
     20.9750676, 1e9, 6.0)
ICE = (-1.0214165e4, -4.8932428, -5.3765794e-3, 1.9202377e-7, 3.5575832e-10, -9.0344688e-14,
       4.1635019)
PA_PER_PSI = 6894.757293168361


def psat_liquid(t_f):
    tr = (t_f + 459.67) / TC
    x = 1.0 - tr
    num = K[0] * x + K[1] * x**2 + K[2] * x**3 + K[3] * x**4 + K[4] * x**5
    den = tr * (1.0 + K[5] * x + K[6] * x**2)
    return PC * math.exp(num / den - x / (K[7] * x**2 + K[8]))


def psat_ice(t_f):
    t = t_f + 459.67
    c1, c2, c3, c4, c5, c6, c7 = ICE
    return math.exp(c1 / t + c2 + c3 * t + c4 * t**2 + c5 * t**3 + c6 * t**4 + c7 * math.log(t))


def pv_dew(td_f):
    return psat_liquid(td_f) if td_f >= 32.0 else psat_ice(td_f)


def pv_carrier(twb, tdb, p):
    ps = psat_liquid(twb)
    return ps - (p - ps) * (tdb - twb) / (2830.0 - 1.44 * twb)


def wet_bulb(tdb, td, p):
    target = pv_dew(td)
    lo, hi = td - 60.0, tdb
    assert pv_carrier(lo, tdb, p) < target <= pv_carrier(hi, tdb, p)
    while hi - lo > 1e-9:
        mid = (lo + hi) / 2.0
        if pv_carrier(mid, tdb, p) < target:
            lo = mid
        else:
            hi = mid
    return (lo + hi) / 2.0


CASES = [  # name, dry bulb C, dew point C, station pressure Pa
    ("hot and dry, frost point", 40.0, -5.0, 95000),
    ("humid", 30.0, 27.0, 101325),
    ("cold", -20.0, -25.0, 100000),
    ("hot", 46.0, 20.0, 100500),
    ("low pressure", 25.0, 5.0, 65000),
    ("saturated above freezing", 15.0, 15.0, 101325),
    ("saturated over ice", -5.0, -5.0, 101325),
    ("dew point just below freezing", 5.0, -0.1, 99000),
    ("dew point at freezing", 5.0, 0.0, 99000),
    ("very cold", -40.0, -45.0, 102000),
]

if __name__ == "__main__":
    for name, db, dp, pa in CASES:
        tdb = db * 1.8 + 32.0
        td = dp * 1.8 + 32.0
        p = pa / PA_PER_PSI
        print(f'    {{"{name}", {db}, {dp}, {pa}, {p:.9g}, {tdb:.9g}, {wet_bulb(tdb, td, p):.4f}}},')
    print(psat_ice(0.0), psat_ice(20.0))
