#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus into fuzz/corpus/: short sessions a pilot could
have, in the step format described at the top of page_fuzz.cpp. The fuzzer starts
from these rather than from nothing, so that it reaches the deep equations (ORB 9
and 10, LNC 3) and the readings within its first seconds. Each fits the fuzzer's
session of 256 bytes; each starts on a new page, at BOP's first equation."""

import os
import struct

# Operations (the first byte of a step).
KEY, ANY_KEY, BUTTON, TYPE, CANCEL, WRITE, DRAW, OPEN, CLOSE, ADVANCE, WORLD, ASK = (
    0, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16)
# Buttons, in the page's order.
(NEXT_DIR, PREV_DIR, NEXT_EQ, PREV_EQ, VAR_SET, NEXT_VAR, PREV_VAR, INPUT, SOLVE, GET_ALL, COPY, PASTE,
 GET, HELP, ZERO) = range(15)
# Directories, in the catalogue's order, with their equation counts.
CODES = ["BOP", "ORB", "ESC", "FUE", "INC", "MOV", "LNC", "RNT", "GLD"]
EQUATIONS = [8, 11, 2, 2, 2, 3, 4, 2, 2]
ORB, LNC = 1, 6
RAW = 255  # a cell value given as eight raw bytes


def key(button, display=0):
    return bytes([KEY, button, display])


def write(directory, variable, value, variable_set=0):
    return bytes([WRITE, variable_set, directory, variable, RAW]) + struct.pack("<d", value)


def type_text(text):
    return bytes([TYPE, len(text)]) + text


def select(directory, equation):
    # From a new page; moving to another directory starts on its first equation.
    return key(NEXT_DIR) * directory + key(NEXT_EQ) * equation


def solve_every_variable(count):
    return (key(SOLVE) + key(NEXT_VAR)) * count + bytes([DRAW, 0])


def orbit_times():
    # p = 1e7 m, M = 5.9736e24 kg: an ellipse, then a hyperbola at a time beyond its reach.
    steps = write(ORB, 1, 1e7) + write(ORB, 8, 5.9736e24) + write(ORB, 2, 0.5) + write(ORB, 12, 1497.759)
    steps += select(ORB, 9) + solve_every_variable(5) + key(NEXT_EQ) + solve_every_variable(4)
    steps += write(ORB, 2, 2.0) + write(ORB, 12, -1e9) + key(PREV_EQ) + key(NEXT_VAR) * 2 + key(SOLVE)
    return steps + bytes([DRAW, 0])


def launch_azimuths():
    # Inclination 51.6 and latitude 28.5 degrees: both azimuths at once.
    steps = write(LNC, 10, 51.6) + write(LNC, 11, 28.5) + select(LNC, 3) + key(SOLVE) + key(NEXT_VAR) + key(SOLVE)
    return steps + bytes([DRAW, 0])


def readings_in_world(world):
    steps = bytes([WORLD, world, ADVANCE, 3])
    for _ in EQUATIONS:
        steps += key(GET_ALL) + key(GET) + bytes([DRAW, 0]) + key(NEXT_DIR)
    return steps


def typed_input():
    steps = key(INPUT) + type_text(b"1e3") + key(NEXT_VAR) + key(INPUT) + key(NEXT_VAR)
    steps += type_text(b"  -12.5e-3xyz") + key(INPUT) + type_text(b"1e99999999999999999999")
    steps += key(INPUT) + bytes([CANCEL]) + key(INPUT) + type_text(b"abc") + bytes([DRAW, 0])
    return steps


def clipboard():
    return key(COPY) * 11 + bytes([DRAW, 0]) + key(PASTE) * 11 + key(VAR_SET) + key(HELP) + bytes([DRAW, 0])


def two_displays():
    steps = bytes([OPEN, 1, 7, 6]) + key(NEXT_DIR, 1) * 8 + bytes([DRAW, 1, DRAW, 0]) + key(SOLVE, 1)
    steps += bytes([ASK, 1]) + bytes([BUTTON, 8, 1, 0, BUTTON, 200, 1, 1, BUTTON, 3, 0, 1])
    steps += bytes([ANY_KEY, 14, 0, 0, 0, 0]) + bytes([CLOSE, 0, DRAW, 1, OPEN, 0, 0, 0, DRAW, 0])
    return steps


SEEDS = {
    **{f"equation-{code}-{e + 1}": select(d, e) + solve_every_variable(10)
       for d, code in enumerate(CODES) for e in range(EQUATIONS[d])},
    **{f"readings-in-world-{world}": readings_in_world(world) for world in range(6)},
    "orbit-times": orbit_times(),
    "launch-azimuths": launch_azimuths(),
    "typed-input": typed_input(),
    "clipboard": clipboard(),
    "two-displays": two_displays(),
}

if __name__ == "__main__":
    corpus = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
    os.makedirs(corpus, exist_ok=True)
    for name, steps in SEEDS.items():
        assert len(steps) <= 256, name
        with open(os.path.join(corpus, name), "wb") as seed:
            seed.write(steps)
