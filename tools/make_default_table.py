#!/usr/bin/env python3
"""Generate data/default_table_text.inc, the built-in conversion table.

The table is emitted in its stored form ("^" for superscript two, "~" for
superscript three) as a sequence of C++ UTF-16 string literals, one per line,
so that the program can write

    constexpr char16_t kDefaultTableText[] =
    #include "default_table_text.inc"
    ;

Every factor is derived from exact unit definitions (fractions of the
category's base unit); a few lines are kept exactly as the product has always
shipped them and are cross-checked against those definitions.

Usage:
    tools/make_default_table.py                 # write data/default_table_text.inc
    tools/make_default_table.py --check-units   # also compare every line with GNU units
    tools/make_default_table.py --output PATH   # write elsewhere
    tools/make_default_table.py --stdout        # print the plain table text

Standard library only.  The C++ build never runs this script.
"""

import argparse
import decimal
import os
import subprocess
import sys
from fractions import Fraction as F

DEG = "\u00b0"  # degree sign
MU = "\u00b5"   # micro sign (not the Greek small letter mu)
DOT = "\u00b7"  # middle dot

SIG_DIGITS = 33          # never write more significant digits than this
REL_TOL = F(1, 10**9)    # agreement required between listed and computed values


# ---------------------------------------------------------------------------
# Exact constants
# ---------------------------------------------------------------------------

def _compute_pi(digits):
    """pi to `digits` decimal places by Machin's formula."""
    ctx = decimal.Context(prec=digits + 10)

    def arctan_inv(x):
        x = decimal.Decimal(x)
        total = term = ctx.divide(1, x)
        x2 = x * x
        n = 1
        sign = -1
        eps = decimal.Decimal(10) ** -(digits + 8)
        while True:
            term = ctx.divide(term, x2)
            delta = ctx.divide(term, 2 * n + 1)
            if delta < eps:
                break
            total = ctx.add(total, delta) if sign > 0 else ctx.subtract(total, delta)
            sign = -sign
            n += 1
        return total

    pi = ctx.multiply(4, ctx.subtract(ctx.multiply(4, arctan_inv(5)), arctan_inv(239)))
    return decimal.Context(prec=digits).plus(pi)


PI_DECIMAL = _compute_pi(110)
assert str(PI_DECIMAL).startswith("3.14159265358979323846264338327950288419716939937510")


class Q:
    """A positive quantity c * pi**k with c an exact fraction.

    Keeping the power of pi symbolic lets pi cancel exactly (revolution to
    degree is exactly 360), while a ratio that keeps pi is recognised as
    irrational and rounded.
    """

    __slots__ = ("c", "k")

    def __init__(self, c, k=0):
        self.c = F(c)
        self.k = k

    def __mul__(self, other):
        other = other if isinstance(other, Q) else Q(other)
        return Q(self.c * other.c, self.k + other.k)

    __rmul__ = __mul__

    def __truediv__(self, other):
        other = other if isinstance(other, Q) else Q(other)
        return Q(self.c / other.c, self.k - other.k)

    def __rtruediv__(self, other):
        return Q(other) / self

    def __pow__(self, n):
        return Q(self.c ** n, self.k * n)

    def fraction(self):
        """Exact value when pi cancelled, else a 110-digit approximation."""
        if self.k == 0:
            return self.c
        return self.c * F(PI_DECIMAL) ** self.k


def d(text):
    """Exact fraction from a decimal literal."""
    return Q(F(decimal.Decimal(text)))


PI = Q(1, 1)

# Length
INCH = d("0.0254")
FOOT = 12 * INCH
YARD = 3 * FOOT
MILE = 5280 * FOOT
NAUTICAL_MILE = d("1852")
AU = d("149597870700")
LIGHTYEAR = d("9460730472580800")        # Julian year times c
PARSEC = AU * 648000 / PI                # IAU 2015: 648000/pi astronomical units

# Mass and force
POUND = d("0.45359237")
OUNCE = POUND / 16
GRAIN = d("0.00006479891")
TROY_OUNCE = 480 * GRAIN                 # 31.1034768 g
G0 = d("9.80665")
LBF = POUND * G0
OZF = OUNCE * G0
KGF = G0
GF = G0 / 1000

# Volume (litres)
LITRE = Q(1)
CUBIC_INCH = INCH ** 3 * 1000
CUBIC_FOOT = FOOT ** 3 * 1000
CUBIC_YARD = YARD ** 3 * 1000
US_GALLON = 231 * CUBIC_INCH             # 3.785411784 L
US_FLUID_OUNCE = US_GALLON / 128
UK_GALLON = d("4.54609")
UK_FLUID_OUNCE = UK_GALLON / 160
DRY_QUART = CUBIC_INCH * d("67.200625")
BUSHEL = CUBIC_INCH * d("2150.42")

# Time
MINUTE = Q(60)
HOUR = 60 * MINUTE
DAY = 24 * HOUR
YEAR = 365 * DAY

# Energy and power
BTU = d("1055.05585262")                 # International Table BTU
CALORIE = d("4.1868")                    # International Table calorie
HORSEPOWER = 550 * FOOT * LBF            # mechanical horsepower, watts

# Pressure
MMHG = d("133.322387415")                # conventional millimetre of mercury

AVOGADRO = d("6.02214076e23")


# ---------------------------------------------------------------------------
# Categories: name, units (value in the category's base unit), line plan
# ---------------------------------------------------------------------------
#
# A plan lists the conversion lines as unit positions: "a->b,c" means a line
# from unit a to unit b, then one from unit a to unit c; groups are separated
# by semicolons.

def all_pairs(n):
    return "; ".join(
        "%d->%s" % (a, ",".join(str(b) for b in range(n) if b != a)) for a in range(n))


CATEGORIES = [
    ("Temperature", [
        # Temperatures are handled by (scale, zero) in kelvin, see TEMPERATURE.
        ("Celsius", None), ("Fahrenheit", None), ("Kelvin", None), ("Rankin", None),
    ], "0->1,2,3; 1->0,2,3"),

    ("Acceleration", [
        ("free fall (g)", G0),
        ("meter/sec^ (m/s^)", Q(1)),
        ("mile/hour second (mi/(h" + DOT + "s))", MILE / HOUR),
        ("foot/sec^ (ft/s^)", FOOT),
        ("centimeter/sec^ (cm/s^)", d("0.01")),
        ("millimeter/sec^ (mm/s^)", d("0.001")),
    ], all_pairs(6)),

    ("Angle", [
        ("revolution (r)", 2 * PI),
        ("right angle", PI / 2),
        ("radian (rad)", Q(1)),
        ("degree (" + DEG + ")", PI / 180),
        ("grad (g)", PI / 200),
        ("milliradian (mrad)", d("0.001")),
        ("minute (')", PI / 10800),
        ('second (")', PI / 648000),
        ("microradian (" + MU + "rad)", d("0.000001")),
    ], "0->1,2,3,4,5,6,7,8; 1->0,2,3,4,5,6,7,8; 2->0,1,3,4,5,6,7,8; "
       "3->2,4,6,7,0; 4->3,2,6,7,0; 6->3,2,4,7,0; 7->3,2,4,6,0"),

    ("Area", [
        ("kilometer^ (km^)", d("1000000")),
        ("meter^", Q(1)),
        ("centimeter^", d("0.0001")),
        ("millimeter^", d("0.000001")),
        ("mile^", MILE ** 2),
        ("yard^", YARD ** 2),
        ("foot^", FOOT ** 2),
        ("inch^", INCH ** 2),
        ("acre", 43560 * FOOT ** 2),       # 4046.8564224 m^2
        ("hectare", d("10000")),
    ], all_pairs(10)),

    ("Distance", [
        ("kilometer (km)", d("1000")),
        ("hectometer (hm)", d("100")),
        ("dekameter (dm)", d("10")),
        ("meter (m)", Q(1)),
        ("decimeter", d("0.1")),
        ("centimeter (cm)", d("0.01")),
        ("millimeter (mm)", d("0.001")),
        ("micrometer (" + MU + "m)", d("0.000001")),
        ("mile (mi)", MILE),
        ("furlong", MILE / 8),
        ("yard (yd)", YARD),
        ("foot (ft)", FOOT),
        ("inch (in)", INCH),
        ("mil (mil)", INCH / 1000),
        ("parsec (pc)", PARSEC),
        ("lightyear", LIGHTYEAR),
        ("nautical mile (M)", NAUTICAL_MILE),
        ("nanometer (nm)", d("1e-9")),
        ("line", INCH / 12),
        ("point", INCH / 72),
    ], "0->1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17; "
       "1->0,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17; "
       "2->0,1,3,4,5,6,7,17,8,9,10,11,12,13,14,15,16; "
       "3->0,1,2,4,5,6,7,8,9,10,11,12,13,15,14,16,17; "
       "5->0,1,2,3,4,6,7,8,9,10,11,12,13,14,15,16,17; "
       "6->0,1,2,3,4,5,7,8,9,10,11,12,13,14,15,16,17; "
       "7->0,1,2,3,4,5,6,8,9,10,11,12,13,14,15,16,17; "
       "8->0,1,2,3,4,5,6,7,9,10,11,12,13,14,15,16,17; "
       "9->0,1,2,3,4,5,6,7,8,10,11,12,13,14,15,16,17; "
       "10->0,1,2,3,4,5,6,7,8,9,11,12,13,14,15,16,17; "
       "11->0,1,2,3,4,5,6,7,8,9,10,12,13,14,15,16,17; "
       "12->0,1,2,3,4,5,6,7,8,9,10,11,13,14,15,16,17; "
       "13->0,1,2,3,4,5,6,7,8,9,10,11,12,14,15,16,17; "
       "14->0,1,2,3,4,5,6,7,8,9,10,11,12,13,15,16,17; "
       "15->0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,16,17; "
       "16->0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,17; "
       "17->0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16; "
       "6->18; 7->19"),

    # US dry measure, in litres.
    ("Volume Dry", [
        # The table's own dry barrel: its barrel->liter line says 115.6271292 L
        # (7056 cubic inches would be 115.627123584 L). Every other barrel line
        # follows from it, so the category stays consistent with itself.
        ("barrel", d("115.6271292") * LITRE),
        ("liter", LITRE),
        ("pint (pt)", DRY_QUART / 2),
        ("quart", DRY_QUART),
        ("peck", BUSHEL / 4),
        ("bushel", BUSHEL),
    ], all_pairs(6)),

    ("Mass", [
        ("ton (T)", d("1000")),
        ("kilogram (kg)", Q(1)),
        ("gram (g)", d("0.001")),
        ("cental", 100 * POUND),
        ("dram", POUND / 256),             # avoirdupois dram
        ("milligram (mg)", d("0.000001")),
        ("grain (gr)", GRAIN),
        ("quarter", 28 * POUND),
        ("avoirdupois pound", POUND),
        ("avoirdupois ounce", OUNCE),
        ("troy ounce", TROY_OUNCE),
        ("carat", d("0.0002")),
        ("stone", 14 * POUND),
        ("microgram (" + MU + "g)", d("1e-9")),
        ("pennyweight", TROY_OUNCE / 20),
    ], "0->1; 1->2; 3->1; 4->2; 2->5; 5->6; 7->1; 8->1; 9->2; 10->2; 11->2; "
       "12->2; 13->5; 6->5; 14->10"),

    # US liquid measure, in litres.
    ("Volume", [
        ("barrel", US_GALLON * d("31.5")),
        ("liter", LITRE),
        ("pint (pt)", US_GALLON / 8),
        ("quart", US_GALLON / 4),
        ("cubic centimeter", d("0.001")),
        ("cubic foot", CUBIC_FOOT),
        ("cubic inch", CUBIC_INCH),
        ("cubic meter", d("1000")),
        ("cubic yard", CUBIC_YARD),
        ("cup", 8 * US_FLUID_OUNCE),
        ("dram", US_FLUID_OUNCE / 8),
        ("drop", d("6.48524e-5")),        # the product's historical drop
        ("ounce (oz)", US_FLUID_OUNCE),
        ("tablespoon", US_FLUID_OUNCE / 2),
        ("teaspoon", US_FLUID_OUNCE / 6),
        ("gallon", US_GALLON),
        ("gallon (UK)", UK_GALLON),
    ], "; ".join(["0->1"] + ["%d->1" % i for i in range(2, 17)])),

    # kilogram per cubic metre
    ("Density", [
        ("gram/cemntimeter~", d("1000")),
        ("gram/meter~", d("0.001")),
        ("kilogram/meter~", Q(1)),
        ("milligram/meter~", d("0.000001")),
        ("ounce/gallon", OUNCE / (US_GALLON / 1000)),
        ("pound/foot~", POUND / FOOT ** 3),
        ("pound/inch~", POUND / INCH ** 3),
        ("ton/yard~", 2000 * POUND / YARD ** 3),
    ], "0->1,2; 1->3,4,5,6,7"),

    # joule
    ("Energy", [
        ("attojoule", d("1e-18")),
        ("BTU", BTU),
        ("calorie", CALORIE),
        ("dyne-centimeter", d("1e-7")),
        ("electron volt", d("1.602176634e-19")),
        ("erg", d("1e-7")),
        ("gigajoule", d("1e9")),
        ("gigawatt-hour", d("1e9") * HOUR),
        ("gram force-centimeter", GF / 100),
        ("horsepower-hour", HORSEPOWER * HOUR),
        ("joule", Q(1)),
        ("kilocalorie", 1000 * CALORIE),
        ("kiloelectron volt", d("1.602176634e-16")),
        ("kilojoule", d("1000")),
        ("kilowatt-hour", 1000 * HOUR),
        ("megaelectron volt", d("1.602176634e-13")),
        ("megajoule", d("1e6")),
        ("megawatt-hour", d("1e6") * HOUR),
        ("microjoule", d("1e-6")),
        ("millijoule", d("1e-3")),
        ("nanojoule", d("1e-9")),
        ("newton-meter", Q(1)),
        ("ounce force-inch", OZF * INCH),
        ("pound force-foot", LBF * FOOT),
        ("pound force-inch", LBF * INCH),
        ("poundal foot", POUND * FOOT * FOOT),
        ("therm", 100000 * BTU),
        ("watt-hour", HOUR),
        ("watt-second", Q(1)),
    ], "0->1; 1->" + ",".join(str(i) for i in range(2, 29))),

    # litre per second
    ("Flow", [
        ("gallon/hour", US_GALLON / HOUR),
        ("gallon/day", US_GALLON / DAY),
        ("gallon/minute", US_GALLON / MINUTE),
        ("gallon/second", US_GALLON),
        ("gallon (UK)/day", UK_GALLON / DAY),
        ("gallon (UK)/hour", UK_GALLON / HOUR),
        ("gallon (UK)/minute", UK_GALLON / MINUTE),
        ("gallon (UK)/second", UK_GALLON),
        ("ounce/hour", US_FLUID_OUNCE / HOUR),
        ("ounce/minute", US_FLUID_OUNCE / MINUTE),
        ("ounce/second", US_FLUID_OUNCE),
        ("ounce (UK)/hour", UK_FLUID_OUNCE / HOUR),
        ("ounce (UK)/minute", UK_FLUID_OUNCE / MINUTE),
        ("ounce (UK)/second", UK_FLUID_OUNCE),
        ("liter/day", LITRE / DAY),
        ("liter/hour", LITRE / HOUR),
        ("liter/minute", LITRE / MINUTE),
        ("liter/second", LITRE),
        ("milliliter/hour", d("0.001") / HOUR),
        ("milliliter/minute", d("0.001") / MINUTE),
        ("milliliter/second", d("0.001")),
        ("meter~/day", d("1000") / DAY),
        ("meter~/hour", d("1000") / HOUR),
        ("meter~/minute", d("1000") / MINUTE),
        ("meter~/second", d("1000")),
        ("centimeter~/hour", d("0.001") / HOUR),
        ("centimeter~/minute", d("0.001") / MINUTE),
        ("centimeter~/second", d("0.001")),
        ("yard~/hour", CUBIC_YARD / HOUR),
        ("yard~/minute", CUBIC_YARD / MINUTE),
        ("yard~/second", CUBIC_YARD),
        ("foot~/hour", CUBIC_FOOT / HOUR),
        ("foot~/minute", CUBIC_FOOT / MINUTE),
        ("foot~/second", CUBIC_FOOT),
    ], "0->1; 2->1; 3->1; 4->1; 5->4; 6->4; 7->4; 8->1; 9->8; 10->9; 11->8; "
       "12->11; 13->12; 14->8; 15->14; 16->15; 17->16; 18->14; 19->18; 20->19; "
       "21->14; 22->21; 23->22; 24->23; 25->21; 26->25; 27->26; 28->22; 29->28; "
       "30->29; 31->21; 32->31; 33->32"),

    # newton
    ("Force", [
        ("gram force", GF),
        ("dyne", d("0.00001")),
        ("kilogram force", KGF),
        ("kilonewton", d("1000")),
        ("millinewton", d("0.001")),
        ("newton", Q(1)),
        ("ounce-force (ozf)", OZF),
        ("pound-force (lbf)", LBF),
    ], "0->1; 2->0; 3->2; 4->3; 5->3; 6->5; 7->6"),

    # lux
    ("Light", [
        ("foot-candles", 1 / FOOT ** 2),
        ("flame", 4 / FOOT ** 2),
        ("lux", Q(1)),
        ("meter-candles", Q(1)),
    ], "0->1; 2->1; 3->1"),

    # mole
    ("Amt. of Substance", [
        ("micromole (" + MU + "mol)", d("0.000001")),
        ("kilomole (kmol)", d("1000")),
        ("millimole (mmol)", d("0.001")),
        ("mole (mol)", Q(1)),
    ], "0->1; 2->1; 3->1"),

    # bit; binary multiples
    ("Computer", [
        ("byte", Q(8)),
        ("bit", Q(1)),
        ("exabyte", Q(8 * 2 ** 60)),
        ("petabyte", Q(8 * 2 ** 50)),
        ("gigabyte", Q(8 * 2 ** 30)),
        ("kilobyte", Q(8 * 2 ** 10)),
        ("kilobit", Q(2 ** 10)),
        ("megabit", Q(2 ** 20)),
        ("megabyte", Q(8 * 2 ** 20)),
        ("nibble", Q(4)),
        ("terabyte", Q(8 * 2 ** 40)),
        ("yottabyte", Q(8 * 2 ** 80)),
        ("zettabyte", Q(8 * 2 ** 70)),
    ], "0->1; 2->3; 4->5; 6->1; 5->0; 7->6; 8->5; 9->1; 3->8; 10->8; 11->3; 12->3"),

    # mole per cubic metre
    ("Concentration", [
        ("millimole/centimeter~", d("1000")),
        ("millimole/millileter", d("1000")),
        ("mole/liter", d("1000")),
        ("mole/decimeter~", d("1000")),
        ("kilomole/meter~", d("1000")),
        ("mole/meter~", Q(1)),
        ("millimole/decimeter~", Q(1)),
        ("millimole/liter", Q(1)),
        ("micromole/centimeter~", Q(1)),
        ("millimole/meter~", d("0.001")),
        ("micromole/decimeter~", d("0.001")),
        ("micromole/liter", d("0.001")),
        ("one elementary entity/meter~", 1 / AVOGADRO),
    ], "0->1; 2->0; 3->2; 4->2; 5->2; 6->2; 7->2; 8->2; 9->2; 10->2; 11->2; 12->2"),

    # pascal
    ("Pressure", [
        ("kilopascal", d("1000")),
        ("megapascal", d("1000000")),
        ("pascal", Q(1)),
        ("bar", d("100000")),
        ("millibar", d("100")),
        ("microbar", d("0.1")),
        ("atmosphere", d("101325")),
        ("PSI", LBF / INCH ** 2),
        ("dyne/centimeter^", d("0.1")),
        ("kilogram/meter^", KGF),
        ("kilogram/centimeter^", KGF * 10000),
        ("ton/foot^", 2000 * LBF / FOOT ** 2),     # short ton-force
        ("ton/Inch^", 2000 * LBF / INCH ** 2),
        ("pound/foot^", LBF / FOOT ** 2),
        ("pound/Inch^", LBF / INCH ** 2),
        ("torr", d("101325") / 760),
        ("centimeters of mercury", 10 * MMHG),
        ("millimeters of mercury", MMHG),
        ("inches of mercury", d("25.4") * MMHG),
    ], "0->1; 2->0; 3->1; 4->3; 5->4; 6->3; 7->6; 8->5; 9->3; 10->5; 11->0; "
       "12->0; 13->2; 14->2; 15->4; 16->4; 17->4; 18->4"),

    # metre per second
    ("Speed", [
        ("kilometer/minute", d("1000") / MINUTE),
        ("kilometer/hour", d("1000") / HOUR),
        ("kilometer/second", d("1000")),
        ("meter/hour", 1 / HOUR),
        ("meter/minute", 1 / MINUTE),
        ("meter/second", Q(1)),
        ("centimeter/hour", d("0.01") / HOUR),
        ("centimeter/minute", d("0.01") / MINUTE),
        ("centimeter/second", d("0.01")),
        ("mile/hour", MILE / HOUR),
        ("mile/minute", MILE / MINUTE),
        ("mile/second", MILE),
        ("foot/hour", FOOT / HOUR),
        ("foot/minute", FOOT / MINUTE),
        ("foot/second", FOOT),
        ("knot", NAUTICAL_MILE / HOUR),
        ("mach", d("340.29")),             # sea level, standard atmosphere
        ("C", d("299792458")),
    ], "0->1; 2->0; 3->1; 4->3; 5->4; 6->3; 7->6; 8->7; 9->1; 10->9; 11->10; "
       "12->6; 13->12; 14->13; 15->1; 16->5; 17->11"),

    # second
    ("Time", [
        ("century", 100 * YEAR),
        ("decade", 10 * YEAR),
        ("week", 7 * DAY),
        ("day", DAY),
        ("year", YEAR),
        ("fortnight", 14 * DAY),
        ("hour", HOUR),
        ("leap-year", 366 * DAY),
        ("millennium", 1000 * YEAR),
        ("millisecond", d("0.001")),
        ('second (")', Q(1)),
        ("minute (')", MINUTE),
        ("month (30 day)", 30 * DAY),
        ("nanosecond", d("1e-9")),
    ], "0->1; 2->3; 1->4; 5->3; 3->6; 7->4; 8->0; 9->10; 6->11; 12->4; 13->9; "
       "11->10; 2->12"),

    # newton metre
    ("Torque", [
        ("kilonewton meter (kN" + DOT + "m)", d("1000")),
        ("meganewton meter (MN" + DOT + "m)", d("1000000")),
        ("newton meter (N" + DOT + "m)", Q(1)),
        ("millinewton meter (mN" + DOT + "m)", d("0.001")),
        ("micronewton meter (" + MU + "N" + DOT + "m)", d("0.000001")),
        ("kilopond meter (kp" + DOT + "m)", KGF),
        ("kilogram-force meter (kgf" + DOT + "m)", KGF),
        ("pound-force foot (lbf" + DOT + "ft)", LBF * FOOT),
        ("pound-force inch (lbf" + DOT + "in)", LBF * INCH),
        ("ounce-force foot (ozf" + DOT + "ft)", OZF * FOOT),
        ("ounce-force inch (ozf" + DOT + "in)", OZF * INCH),
        ("gram-force centimeter (gf" + DOT + "cm)", GF / 100),
        ("dyne centimeter (dyn" + DOT + "cm)", d("1e-7")),
    ], "0->1; 2->0; 3->2; 4->3; 5->2; 6->2; 7->2; 8->2; 9->3; 10->3; 11->4; 12->4"),

    # watt
    ("Power", [
        ("BTU/minute", BTU / MINUTE),
        ("BTU/hour", BTU / HOUR),
        ("BTU/second", BTU),
        ("calorie/second", CALORIE),
        ("horsepower", HORSEPOWER),
        ("kilowatt", d("1000")),
        ("megawatt", d("1000000")),
        ("pound-feet/minute", LBF * FOOT / MINUTE),
        ("pound-feet/second", LBF * FOOT),
        ("watt", Q(1)),
    ], "0->1; 2->0; 3->0; 4->3; 5->4; 6->5; 7->1; 8->1; 9->5"),
]

# Temperature scales as kelvin = scale * x + zero.
TEMPERATURE = {
    "Celsius": (F(1), F("273.15")),
    "Fahrenheit": (F(5, 9), F("459.67") * F(5, 9)),
    "Kelvin": (F(1), F(0)),
    "Rankin": (F(5, 9), F(0)),
}

# Expected shape of the table, independent of the plans above.
EXPECTED_LINE_COUNTS = [
    ("Temperature", 6), ("Acceleration", 30), ("Angle", 44), ("Area", 90),
    ("Distance", 291), ("Volume Dry", 30), ("Mass", 15), ("Volume", 16),
    ("Density", 7), ("Energy", 28), ("Flow", 33), ("Force", 7), ("Light", 3),
    ("Amt. of Substance", 3), ("Computer", 12), ("Concentration", 12),
    ("Pressure", 18), ("Speed", 17), ("Time", 13), ("Torque", 12), ("Power", 9),
]
EXPECTED_TOTAL_LINES = 696

# Entries the loader ends up with for each category (a line adds its pair and,
# unless the pair is already present, the inverse pair as well).
EXPECTED_ENTRY_COUNTS = {
    "Temperature": 10, "Acceleration": 30, "Angle": 54, "Area": 90,
    "Distance": 310, "Volume Dry": 30, "Mass": 28, "Volume": 32, "Density": 14,
    "Energy": 56, "Flow": 66, "Force": 14, "Light": 6, "Amt. of Substance": 6,
    "Computer": 24, "Concentration": 24, "Pressure": 36, "Speed": 34,
    "Time": 26, "Torque": 24, "Power": 18,
}

DIRECTIVES = [
    "@bitmap,Temperature,\\windows\\temperature.bmp",
    "@bitmap,Distance,\\windows\\distance.bmp",
    "@bitmap,Angle,\\windows\\angle.bmp",
    "@bitmap,Area,\\windows\\area.bmp",
    "@bitmap,Mass,*",
    "@color,Mass,46260",
    "@bitmap,Custom,\\windows\\custom.bmp",
    "@bitmap,Volume Dry,*",
    "@color,Volume Dry,16711680",
    "@bitmap,Volume,\\windows\\volume.bmp",
    "@bitmap,Acceleration,\\windows\\acceleration.bmp",
    "@bitmap,Density,*",
    "@color,Density,65280",
    "@bitmap,Energy,\\windows\\energy.bmp",
    "@bitmap,Flow,\\windows\\flow.bmp",
    "@bitmap,Force,\\windows\\force.bmp",
    "@bitmap,Light,\\windows\\light.bmp",
    "@bitmap,Amt. of Substance,\\windows\\aofs.bmp",
    "@bitmap,Computer,\\windows\\computer.bmp",
    "@bitmap,Concentration,*",
    "@color,Concentration,115",
    "@bitmap,Pressure,\\windows\\pressure.bmp",
    "@bitmap,Speed,\\windows\\speed.bmp",
    "@bitmap,Time,\\windows\\time.bmp",
    "@bitmap,Torque,\\windows\\torque.bmp",
    "@bitmap,Power,\\windows\\power.bmp",
]

# Lines whose text has always been shipped exactly like this.  They are kept
# character for character (number spelling included) and checked against the
# unit definitions.
VERBATIM = [
    "Temperature,Celsius,Fahrenheit,1.8,32",
    "Temperature,Celsius,Kelvin,1,273.15",
    "Temperature,Celsius,Rankin,1.8,491.67",
    "Temperature,Fahrenheit,Celsius,0.5555555555555555555,-17.7777777777777777777777777777",
    "Temperature,Fahrenheit,Kelvin,0.5555555555555555555,255.3722222222222222222222222223",
    "Temperature,Fahrenheit,Rankin,1,459.67",
    "Acceleration,free fall (g),meter/sec^ (m/s^),9.80665,0",
    "Angle,revolution (r),degree (" + DEG + "),360,0",
    "Angle,revolution (r),minute ('),21600,0",
    "Area,kilometer^ (km^),meter^,1000000,0",
    "Area,kilometer^ (km^),millimeter^,1000000000000,0",
    "Distance,kilometer (km),hectometer (hm),10,0",
    "Distance,kilometer (km),micrometer (" + MU + "m),1000000000,0",
    "Distance,nautical mile (M),dekameter (dm),185.2,0",
    "Distance,nautical mile (M),meter (m),1852,0",
    "Volume Dry,barrel,liter,115.6271292,0",
    "Mass,ton (T),kilogram (kg),1000,0",
    "Mass,microgram (" + MU + "g),milligram (mg),0.001,0",
    "Volume,barrel,liter,119.240471196,0",
    "Volume,drop,liter,6.48524e-005,0",
    "Density,gram/cemntimeter~,gram/meter~,1000000,0",
    "Density,gram/meter~,pound/foot~,6.242796058e-005,0",
    "Energy,attojoule,BTU,9.478171203e-022,0",
    "Energy,BTU,calorie,251.9957611,0",
    "Flow,gallon/hour,gallon/day,24,0",
    "Flow,centimeter~/hour,meter~/day,2.4e-005,0",
    "Force,gram force,dyne,980.665,0",
    "Force,millinewton,kilonewton,1e-006,0",
    "Light,foot-candles,flame,0.25,0",
    "Light,lux,flame,0.02322576,0",
    "Amt. of Substance,micromole (" + MU + "mol),kilomole (kmol),1e-009,0",
    "Computer,byte,bit,8,0",
    "Computer,exabyte,petabyte,1024,0",
    "Concentration,millimole/centimeter~,millimole/millileter,1,0",
    "Concentration,millimole/meter~,mole/liter,1e-006,0",
    "Pressure,kilopascal,megapascal,0.001,0",
    "Speed,kilometer/minute,kilometer/hour,60,0",
    "Time,century,decade,10,0",
    "Time,hour,minute ('),60,0",
    "Time,nanosecond,millisecond,1e-006,0",
    "Torque,kilonewton meter (kN" + DOT + "m),meganewton meter (MN" + DOT + "m),0.001,0",
    "Torque,micronewton meter (" + MU + "N" + DOT + "m),millinewton meter (mN" + DOT + "m),0.001,0",
    "Power,BTU/minute,BTU/hour,60,0",
    "Power,BTU/second,BTU/minute,60,0",
]

# Shipped lines that are rounded coarser than the exact definitions; their
# text is kept, and the deviation is reported rather than treated as an error.
# Value: largest relative deviation accepted.
KNOWN_ROUNDED = {
}

# Lines that must carry the physically correct value computed from the unit
# definitions (the product once shipped wrong numbers for these pairs).
COMPUTED_ONLY = {
    ("Angle", "degree (" + DEG + ")", "radian (rad)"),
    ("Angle", "minute (')", "radian (rad)"),
    ("Angle", "revolution (r)", "microradian (" + MU + "rad)"),
    ("Acceleration", "free fall (g)", "mile/hour second (mi/(h" + DOT + "s))"),
    ("Area", "acre", "kilometer^ (km^)"),
    ("Pressure", "kilogram/meter^", "bar"),
}


# ---------------------------------------------------------------------------
# Number formatting
# ---------------------------------------------------------------------------

def round_sig(x, digits=SIG_DIGITS):
    """Round positive fraction x to `digits` significant digits (half even).

    Returns (digit string without trailing zeros, decimal exponent of the
    first digit).
    """
    assert x > 0
    e = len(str(x.numerator)) - len(str(x.denominator))
    while F(10) ** e > x:
        e -= 1
    while F(10) ** (e + 1) <= x:
        e += 1
    m = round(x / F(10) ** (e - digits + 1))
    if m == 10 ** digits:
        m //= 10
        e += 1
    return str(m).rstrip("0"), e


def format_number(x):
    """Shortest exact decimal text of x, or x rounded to 33 digits.

    Plain decimal notation for exponents -6..6, otherwise d.ddde+N.
    """
    x = F(x)
    if x == 0:
        return "0"
    sign = "-" if x < 0 else ""
    digits, e = round_sig(abs(x))
    if -6 <= e <= 6:
        if e >= 0:
            whole = digits[:e + 1].ljust(e + 1, "0")
            frac = digits[e + 1:]
        else:
            whole = "0"
            frac = "0" * (-e - 1) + digits
        return sign + whole + ("." + frac if frac else "")
    mantissa = digits[0] + ("." + digits[1:] if len(digits) > 1 else "")
    return "%s%se%s%d" % (sign, mantissa, "+" if e > 0 else "-", abs(e))


def parse_number(text):
    return F(decimal.Decimal(text))


def significant_digits(text):
    mantissa = text.lstrip("-").lower().split("e")[0].replace(".", "")
    return len(mantissa.lstrip("0"))


def rel_diff(a, b):
    a, b = F(a), F(b)
    if a == b:
        return F(0)
    scale = max(abs(a), abs(b))
    return abs(a - b) / scale


# ---------------------------------------------------------------------------
# Table construction
# ---------------------------------------------------------------------------

def parse_plan(plan):
    pairs = []
    for group in plan.split(";"):
        src, dsts = group.strip().split("->")
        for dst in dsts.split(","):
            pairs.append((int(src), int(dst)))
    return pairs


def temperature_conversion(a, b):
    sa, za = TEMPERATURE[a]
    sb, zb = TEMPERATURE[b]
    return sa / sb, (za - zb) / sb


def exact_conversion(category, units, a, b):
    """(factor, offset) from unit definitions, as fractions."""
    if category == "Temperature":
        return temperature_conversion(a, b)
    values = dict(units)
    return (values[a] / values[b]).fraction(), F(0)


class Problems:
    def __init__(self):
        self.errors = []
        self.notes = []

    def error(self, msg):
        self.errors.append(msg)

    def note(self, msg):
        self.notes.append(msg)


def build_lines(problems):
    """Return the list of (category, from, to, factor text, offset text)."""
    verbatim = {}
    for line in VERBATIM:
        cat, a, b, f, o = line.split(",", 4)
        verbatim[(cat, a, b)] = (f, o)
    used_verbatim = set()

    rows = []
    for cat, units, plan in CATEGORIES:
        names = [u for u, _ in units]
        for i, j in parse_plan(plan):
            a, b = names[i], names[j]
            key = (cat, a, b)
            factor, offset = exact_conversion(cat, units, a, b)
            if key in verbatim:
                used_verbatim.add(key)
                ftext, otext = verbatim[key]
                for what, text, value in (("factor", ftext, factor), ("offset", otext, offset)):
                    dev = rel_diff(parse_number(text), value)
                    limit = KNOWN_ROUNDED.get(key, REL_TOL)
                    if dev > REL_TOL:
                        msg = "%s: listed %s %s differs from %s by %.3g relative" % (
                            ",".join(key), what, text, format_number(value), float(dev))
                        if dev <= limit:
                            problems.note(msg + " (known rounding, text kept)")
                        else:
                            problems.error(msg)
            else:
                if cat == "Temperature":
                    problems.error("temperature line %s is not a listed line" % ",".join(key))
                ftext, otext = format_number(factor), format_number(offset)
            if key in COMPUTED_ONLY and key in verbatim:
                problems.error("%s must be computed, not listed" % ",".join(key))
            rows.append((cat, a, b, ftext, otext))

    for key in verbatim:
        if key not in used_verbatim:
            problems.error("listed line %s is not in any plan" % ",".join(key))
    for key in COMPUTED_ONLY:
        if not any(r[:3] == key for r in rows):
            problems.error("corrected line %s is not in any plan" % ",".join(key))
    return rows


def check_structure(rows, problems):
    # Categories appear in the expected order, each as one contiguous run.
    order = []
    for r in rows:
        if not order or order[-1] != r[0]:
            order.append(r[0])
    if order != [c for c, _ in EXPECTED_LINE_COUNTS]:
        problems.error("category order/grouping wrong: %s" % order)

    counts = {}
    for r in rows:
        counts[r[0]] = counts.get(r[0], 0) + 1
    for cat, n in EXPECTED_LINE_COUNTS:
        if counts.get(cat) != n:
            problems.error("%s has %s lines, expected %d" % (cat, counts.get(cat), n))
    if len(rows) != EXPECTED_TOTAL_LINES:
        problems.error("%d conversion lines, expected %d" % (len(rows), EXPECTED_TOTAL_LINES))
    if len(DIRECTIVES) != 26:
        problems.error("%d directives, expected 26" % len(DIRECTIVES))

    # Units in order of first appearance match each category's unit list.
    for cat, units, _ in CATEGORIES:
        seen = []
        for r in rows:
            if r[0] == cat:
                for u in (r[1], r[2]):
                    if u not in seen:
                        seen.append(u)
        if seen != [u for u, _ in units]:
            problems.error("%s: units appear in order %s" % (cat, seen))

    # Replay the loader's entry bookkeeping: a new pair adds itself and, for a
    # non-zero factor, its inverse; a known pair is overwritten in place.
    for cat, expected in EXPECTED_ENTRY_COUNTS.items():
        entries = []
        for r in rows:
            if r[0] != cat:
                continue
            if (r[1], r[2]) in entries:
                continue
            entries.append((r[1], r[2]))
            if parse_number(r[3]) != 0:
                entries.append((r[2], r[1]))
        if len(entries) != expected:
            problems.error("%s gives %d entries, expected %d" % (cat, len(entries), expected))

    for r in rows:
        for field in r:
            if not field or any(c in field for c in "\t\r\n"):
                problems.error("bad field in %r" % (r,))
        if r[0] != "Temperature" and r[4] != "0":
            problems.error("non-zero offset in %r" % (r,))
        for text in (r[3], r[4]):
            if significant_digits(text) > SIG_DIGITS:
                problems.error("more than %d digits in %r" % (SIG_DIGITS, r))
        if "," in r[1] or "," in r[2]:
            problems.error("comma in unit name %r" % (r,))


def table_lines(rows):
    return [",".join(r) for r in rows] + DIRECTIVES


# ---------------------------------------------------------------------------
# Output
# ---------------------------------------------------------------------------

def cpp_literal(line):
    out = []
    for ch in line + "\n":
        if ch == "\\":
            out.append("\\\\")
        elif ch == '"':
            out.append('\\"')
        elif ch == "\n":
            out.append("\\n")
        elif 0x20 <= ord(ch) < 0x7F:
            out.append(ch)
        elif ord(ch) <= 0xFFFF:
            out.append("\\u%04X" % ord(ch))
        else:
            raise ValueError("character outside the BMP in %r" % line)
    return 'u"' + "".join(out) + '"'


def render_inc(lines):
    out = ["// Generated by tools/make_default_table.py -- do not edit by hand."]
    out.extend(cpp_literal(line) for line in lines)
    return "\n".join(out) + "\n"


# ---------------------------------------------------------------------------
# Cross-check against GNU units
# ---------------------------------------------------------------------------

GNU_UNITS = {
    "Acceleration": {
        "free fall (g)": "gravity",
        "meter/sec^ (m/s^)": "m/s^2",
        "mile/hour second (mi/(h" + DOT + "s))": "mile/(hour s)",
        "foot/sec^ (ft/s^)": "ft/s^2",
        "centimeter/sec^ (cm/s^)": "cm/s^2",
        "millimeter/sec^ (mm/s^)": "mm/s^2",
    },
    "Angle": {
        "revolution (r)": "revolution",
        "right angle": "rightangle",
        "radian (rad)": "radian",
        "degree (" + DEG + ")": "degree",
        "grad (g)": "gon",
        "milliradian (mrad)": "milliradian",
        "minute (')": "arcmin",
        'second (")': "arcsec",
        "microradian (" + MU + "rad)": "microradian",
    },
    "Area": {
        "kilometer^ (km^)": "km^2", "meter^": "m^2", "centimeter^": "cm^2",
        "millimeter^": "mm^2", "mile^": "mile^2", "yard^": "yard^2",
        "foot^": "ft^2", "inch^": "inch^2", "acre": "acre", "hectare": "hectare",
    },
    "Distance": {
        "kilometer (km)": "km", "hectometer (hm)": "hm", "dekameter (dm)": "dam",
        "meter (m)": "m", "decimeter": "dm", "centimeter (cm)": "cm",
        "millimeter (mm)": "mm", "micrometer (" + MU + "m)": "micrometer",
        "mile (mi)": "mile", "furlong": "furlong", "yard (yd)": "yard",
        "foot (ft)": "ft", "inch (in)": "inch", "mil (mil)": "mil",
        "parsec (pc)": "parsec", "lightyear": "lightyear",
        "nautical mile (M)": "nauticalmile", "nanometer (nm)": "nm",
        "line": "line", "point": "postscriptpoint",
    },
    "Volume Dry": {
        "barrel": "drybarrel", "liter": "liter", "pint (pt)": "drypint",
        "quart": "dryquart", "peck": "peck", "bushel": "bushel",
    },
    "Mass": {
        "ton (T)": "tonne", "kilogram (kg)": "kg", "gram (g)": "gram",
        "cental": "cental", "dram": "dram", "milligram (mg)": "mg",
        "grain (gr)": "grain", "quarter": "28 lb", "avoirdupois pound": "lb",
        "avoirdupois ounce": "oz", "troy ounce": "troyounce", "carat": "carat",
        "stone": "stone", "microgram (" + MU + "g)": "microgram",
        "pennyweight": "pennyweight",
    },
    "Volume": {
        "barrel": "31.5 usgallon", "liter": "liter", "pint (pt)": "uspint",
        "quart": "usquart", "cubic centimeter": "cm^3", "cubic foot": "ft^3",
        "cubic inch": "inch^3", "cubic meter": "m^3", "cubic yard": "yard^3",
        "cup": "uscup", "dram": "fluiddram", "drop": "drop",
        "ounce (oz)": "usfloz", "tablespoon": "ustablespoon",
        "teaspoon": "usteaspoon", "gallon": "usgallon", "gallon (UK)": "brgallon",
    },
    "Density": {
        "gram/cemntimeter~": "g/cm^3", "gram/meter~": "g/m^3",
        "kilogram/meter~": "kg/m^3", "milligram/meter~": "mg/m^3",
        "ounce/gallon": "oz/usgallon", "pound/foot~": "lb/ft^3",
        "pound/inch~": "lb/inch^3", "ton/yard~": "shortton/yard^3",
    },
    "Energy": {
        "attojoule": "attojoule", "BTU": "btu_IT", "calorie": "cal_IT",
        "dyne-centimeter": "dyne cm", "electron volt": "eV", "erg": "erg",
        "gigajoule": "GJ", "gigawatt-hour": "GW hour",
        "gram force-centimeter": "gram force cm",
        "horsepower-hour": "horsepower hour", "joule": "J",
        "kilocalorie": "1000 cal_IT", "kiloelectron volt": "keV",
        "kilojoule": "kJ", "kilowatt-hour": "kWh", "megaelectron volt": "MeV",
        "megajoule": "MJ", "megawatt-hour": "MW hour", "microjoule": "microjoule",
        "millijoule": "mJ", "nanojoule": "nJ", "newton-meter": "N m",
        "ounce force-inch": "ounce force inch", "pound force-foot": "lbf ft",
        "pound force-inch": "lbf inch", "poundal foot": "poundal ft",
        "therm": "100000 btu_IT", "watt-hour": "W hour", "watt-second": "W s",
    },
    "Flow": {},  # filled in below
    "Force": {
        "gram force": "gram force", "dyne": "dyne", "kilogram force": "kgf",
        "kilonewton": "kN", "millinewton": "mN", "newton": "N",
        "ounce-force (ozf)": "ounce force", "pound-force (lbf)": "lbf",
    },
    "Light": {
        "foot-candles": "footcandle", "flame": "4 footcandle", "lux": "lux",
        "meter-candles": "lux",
    },
    "Amt. of Substance": {
        "micromole (" + MU + "mol)": "micromol", "kilomole (kmol)": "kmol",
        "millimole (mmol)": "mmol", "mole (mol)": "mol",
    },
    "Computer": {
        "byte": "byte", "bit": "bit", "exabyte": "EiB", "petabyte": "PiB",
        "gigabyte": "GiB", "kilobyte": "KiB", "kilobit": "Kibit",
        "megabit": "Mibit", "megabyte": "MiB", "nibble": "nibble",
        "terabyte": "TiB", "yottabyte": "YiB", "zettabyte": "ZiB",
    },
    "Concentration": {
        "millimole/centimeter~": "mmol/cm^3", "millimole/millileter": "mmol/ml",
        "mole/liter": "mol/liter", "mole/decimeter~": "mol/dm^3",
        "kilomole/meter~": "kmol/m^3", "mole/meter~": "mol/m^3",
        "millimole/decimeter~": "mmol/dm^3", "millimole/liter": "mmol/liter",
        "micromole/centimeter~": "micromol/cm^3", "millimole/meter~": "mmol/m^3",
        "micromole/decimeter~": "micromol/dm^3", "micromole/liter": "micromol/liter",
        "one elementary entity/meter~": "1/(avogadro m^3)",
    },
    "Pressure": {
        "kilopascal": "kPa", "megapascal": "MPa", "pascal": "Pa", "bar": "bar",
        "millibar": "mbar", "microbar": "microbar", "atmosphere": "atm",
        "PSI": "psi", "dyne/centimeter^": "dyne/cm^2",
        "kilogram/meter^": "kgf/m^2", "kilogram/centimeter^": "kgf/cm^2",
        "ton/foot^": "shortton force/ft^2", "ton/Inch^": "shortton force/inch^2",
        "pound/foot^": "lbf/ft^2", "pound/Inch^": "lbf/inch^2", "torr": "torr",
        "centimeters of mercury": "cm Hg", "millimeters of mercury": "mmHg",
        "inches of mercury": "inHg",
    },
    "Speed": {
        "kilometer/minute": "km/min", "kilometer/hour": "km/hour",
        "kilometer/second": "km/s", "meter/hour": "m/hour",
        "meter/minute": "m/min", "meter/second": "m/s",
        "centimeter/hour": "cm/hour", "centimeter/minute": "cm/min",
        "centimeter/second": "cm/s", "mile/hour": "mile/hour",
        "mile/minute": "mile/min", "mile/second": "mile/s",
        "foot/hour": "ft/hour", "foot/minute": "ft/min", "foot/second": "ft/s",
        "knot": "knot", "mach": "mach", "C": "c",
    },
    "Time": {
        "century": "36500 day", "decade": "3650 day", "week": "week",
        "day": "day", "year": "365 day", "fortnight": "fortnight",
        "hour": "hour", "leap-year": "366 day", "millennium": "365000 day",
        "millisecond": "ms", 'second (")': "s", "minute (')": "min",
        "month (30 day)": "30 day", "nanosecond": "ns",
    },
    "Torque": {
        "kilonewton meter (kN" + DOT + "m)": "kN m",
        "meganewton meter (MN" + DOT + "m)": "MN m",
        "newton meter (N" + DOT + "m)": "N m",
        "millinewton meter (mN" + DOT + "m)": "mN m",
        "micronewton meter (" + MU + "N" + DOT + "m)": "micronewton m",
        "kilopond meter (kp" + DOT + "m)": "kilopond m",
        "kilogram-force meter (kgf" + DOT + "m)": "kgf m",
        "pound-force foot (lbf" + DOT + "ft)": "lbf ft",
        "pound-force inch (lbf" + DOT + "in)": "lbf inch",
        "ounce-force foot (ozf" + DOT + "ft)": "ounce force ft",
        "ounce-force inch (ozf" + DOT + "in)": "ounce force inch",
        "gram-force centimeter (gf" + DOT + "cm)": "gram force cm",
        "dyne centimeter (dyn" + DOT + "cm)": "dyne cm",
    },
    "Power": {
        "BTU/minute": "btu_IT/min", "BTU/hour": "btu_IT/hour",
        "BTU/second": "btu_IT/s", "calorie/second": "cal_IT/s",
        "horsepower": "horsepower", "kilowatt": "kW", "megawatt": "MW",
        "pound-feet/minute": "lbf ft/min", "pound-feet/second": "lbf ft/s",
        "watt": "W",
    },
}

_FLOW_VOLUMES = {
    "gallon (UK)": "brgallon", "gallon": "usgallon", "ounce (UK)": "brfloz",
    "ounce": "usfloz", "liter": "liter", "milliliter": "ml", "meter~": "m^3",
    "centimeter~": "cm^3", "yard~": "yard^3", "foot~": "ft^3",
}
_FLOW_TIMES = {"day": "day", "hour": "hour", "minute": "min", "second": "s"}
for _cat, _units, _ in CATEGORIES:
    if _cat == "Flow":
        for _name, _ in _units:
            _vol, _per = _name.rsplit("/", 1)
            GNU_UNITS["Flow"][_name] = "%s/%s" % (_FLOW_VOLUMES[_vol], _FLOW_TIMES[_per])

GNU_TEMPERATURE = {"Celsius": "tempC", "Fahrenheit": "tempF", "Kelvin": "tempK",
                   "Rankin": "tempR"}

# Deliberate differences from GNU units' definitions.
GNU_DIFFERENCES = {
    ("Volume", "drop", "liter"):
        "drop is the product's 0.0648524 mL; GNU units uses 1/20 mL",
    ("Speed", "mach", "meter/second"):
        "mach is 340.29 m/s (sea level, 15 C); GNU units uses 331.46 m/s (0 C)",
}
# The dry barrel is the table's own 115.6271292 L, 4.86e-8 above 7056 in^3.
for _other in ("liter", "pint (pt)", "quart", "peck", "bushel"):
    for _pair in (("barrel", _other), (_other, "barrel")):
        GNU_DIFFERENCES[("Volume Dry",) + _pair] = (
            "dry barrel is the table's 115.6271292 L; 7056 in^3 is 115.627123584 L")


def gnu_units(expr_from, expr_to):
    out = subprocess.run(["units", "-d", "15", "-t", expr_from, expr_to],
                         capture_output=True, text=True, check=False)
    text = out.stdout.strip()
    try:
        return F(decimal.Decimal(text.split()[0]))
    except (decimal.InvalidOperation, IndexError):
        raise RuntimeError("units failed for %r -> %r: %s %s"
                           % (expr_from, expr_to, text, out.stderr.strip()))


def check_with_gnu_units(rows):
    """Compare every line with GNU units; return (unexpected, expected) lists."""
    unexpected, expected = [], []
    for cat, a, b, ftext, otext in rows:
        key = (cat, a, b)
        f, o = parse_number(ftext), parse_number(otext)
        if cat == "Temperature":
            ta, tb = GNU_TEMPERATURE[a], GNU_TEMPERATURE[b]
            g_off = gnu_units("%s(0)" % ta, tb)
            g_fac = gnu_units("%s(100)" % ta, tb) - g_off
            g_fac /= 100
            checks = [("factor", f, g_fac), ("offset", o, g_off)]
        else:
            units = GNU_UNITS[cat]
            checks = [("factor", f, gnu_units(units[a], units[b]))]
        for what, ours, theirs in checks:
            dev = rel_diff(ours, theirs)
            # GNU units prints 15 significant digits; offsets near zero only
            # need absolute agreement.
            if dev > REL_TOL and not (what == "offset" and abs(ours - theirs) < F(1, 10**9)):
                msg = "%s: %s %s vs GNU units %s (relative %.3g)" % (
                    ",".join(key), what, format_number(ours), format_number(theirs),
                    float(dev))
                if key in GNU_DIFFERENCES:
                    expected.append(msg + " -- " + GNU_DIFFERENCES[key])
                else:
                    unexpected.append(msg)
    return unexpected, expected


# ---------------------------------------------------------------------------

def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.join(os.path.dirname(here), "data", "default_table_text.inc")
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--output", default=default_out)
    parser.add_argument("--stdout", action="store_true",
                        help="print the table text instead of writing the include file")
    parser.add_argument("--check-units", action="store_true",
                        help="compare every conversion line with GNU units")
    args = parser.parse_args(argv)

    problems = Problems()
    rows = build_lines(problems)
    check_structure(rows, problems)
    for msg in problems.notes:
        print("note: " + msg, file=sys.stderr)
    if problems.errors:
        for msg in problems.errors:
            print("error: " + msg, file=sys.stderr)
        return 1

    lines = table_lines(rows)
    text = "".join(line + "\n" for line in lines)

    if args.check_units:
        unexpected, expected = check_with_gnu_units(rows)
        for msg in expected:
            print("known difference: " + msg)
        for msg in unexpected:
            print("MISMATCH: " + msg)
        print("GNU units check: %d lines, %d known differences, %d mismatches"
              % (len(rows), len(expected), len(unexpected)))
        if unexpected:
            return 1

    if args.stdout:
        sys.stdout.write(text)
        return 0

    content = render_inc(lines)
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    with open(args.output, "w", encoding="ascii", newline="\n") as fh:
        fh.write(content)
    print("wrote %s: %d lines, %d UTF-16 code units"
          % (args.output, len(lines), len(text.encode("utf-16-le")) // 2))
    return 0


if __name__ == "__main__":
    sys.exit(main())
