#!/usr/bin/env python3
"""Writes the performance wizard's data: data/PW/index.dat, the list of
applications in display order, and one profile per application and card key,
data/PW/<application>/<card key>.dat, holding four numbers:

  MHZvar   the processor clock (MHz) the application wants
  CardVar  the card value (image setting and texture LOD bias)
  AAvar    the antialiasing value
  AFvar    the anisotropic filtering value

A card key is the part of the device id the wizard names profiles by (0322
gives 32, 00F1 gives F1): every key of the chip data files has a profile.
Faster cards and lighter applications get larger numbers, so more quality.
"Default" is the application the wizard shows before one is chosen; it has
profiles but is not listed.

Run from anywhere: python3 scripts/make_wizard_profiles.py
"""
import os
import shutil

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")

# (name, load 0 light .. 4 heavy, processor clock it wants in MHz)
APPLICATIONS = [
    ("Quake III Arena", 0, 600),
    ("Unreal Tournament 2004", 2, 1200),
    ("Counter-Strike Source", 2, 1700),
    ("Half-Life 2", 3, 1700),
    ("Doom 3", 4, 1500),
    ("Far Cry", 4, 1800),
    ("Call of Duty 2", 4, 2000),
    ("Need for Speed Underground 2", 3, 1400),
    ("3DMark2001 SE", 1, 1000),
    ("3DMark03", 3, 1500),
    ("3DMark05", 4, 2000),
    ("AquaMark3", 3, 1500),
]
DEFAULT = ("Default", 2, 1500)

# Card key -> speed tier 0 (slowest) .. 10 (fastest).
CARDS = {
    "02": 0, "0A": 0,                                  # TNT family
    "10": 1, "11": 1, "1A": 1,                         # first GeForce, GeForce2 MX, nForce
    "15": 2, "17": 2, "18": 2, "1F": 2, "FF": 2,       # GeForce2 GTS, GeForce4 MX
    "20": 3,                                           # GeForce3
    "25": 4, "28": 4,                                  # GeForce4 Ti
    "32": 3, "FC": 3, "FD": 3,                         # FX 5200 / 5300
    "31": 4,                                           # FX 5600
    "34": 5, "FA": 5, "30": 5,                         # FX 5700 / 5750, FX 5800
    "33": 6, "FB": 6,                                  # FX 5900
    "24": 3, "3D": 3,                                  # 6100 / 6150 chipsets
    "16": 4, "22": 4, "F3": 4,                         # 6200
    "1D": 5, "F4": 5,                                  # 7300, 6600 LE
    "14": 6, "F1": 6, "F2": 6, "42": 6,                # 6600, 8400 / 8500
    "0C": 7, "21": 7, "F6": 7, "39": 7, "38": 7, "2E": 7,  # 6800 LE / GS, 7600
    "04": 8, "F0": 8, "F8": 8, "F9": 8, "F5": 8, "40": 8,  # 6800 / Ultra, 7800 GS, 8600
    "09": 9, "29": 9,                                  # 7800, 7900
    "19": 10, "60": 10, "61": 10,                      # 8800, 9800
}


def clamp(v, low, high):
    return max(low, min(high, v))


def profile(tier, load, mhz):
    light = 4 - load
    card = clamp(tier + light, 0, 14)
    aa = clamp(tier + light // 2 - 2, 0, 10)
    af = clamp((tier + light + 1) // 3, 0, 5)
    return mhz, card, aa, af


def write(path, text):
    with open(path, "w", newline="") as f:
        f.write(text)


def main():
    folder = os.path.join(ROOT, "PW")
    if os.path.isdir(folder):
        shutil.rmtree(folder)
    os.makedirs(folder)
    write(os.path.join(folder, "index.dat"), "".join('"%s"\r\n' % name for name, _, _ in APPLICATIONS))
    for name, load, mhz in APPLICATIONS + [DEFAULT]:
        app = os.path.join(folder, name)
        os.makedirs(app)
        for key, tier in sorted(CARDS.items()):
            write(os.path.join(app, key + ".dat"), "%d,%d,%d,%d\r\n" % profile(tier, load, mhz))


if __name__ == "__main__":
    main()
