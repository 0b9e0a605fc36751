#!/usr/bin/env python3
"""Writes the full-board circuit the speed figures are measured on: every
palette item placed, every display, gate, flip-flop, expander, LCD and probe
pin wired to a microcontroller port pin, and a program counting on ports B,
C and D.  Usage: make_full_board.py OUT_DIR"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "examples", "tools"))
from circuit import MCU_PINS, PARTS, SIZES, Circuit, Program, write_pair  # noqa: E402

# (kind, model) for each of the 46 palette items.
ITEMS = ([("Switch", m) for m in (1, 2, 3, 4)] + [("Button", 1), ("Button", 2), ("R", None),
         ("Microphone", None), ("Keypad", None)] + [("LEDA", m) for m in (1, 2, 3)] +
         [("LEDB", 1), ("LEDB", 2), ("Motor", 1), ("Motor", 2), ("Speaker", None), ("Seg2", None),
          ("Servo", None), ("Bar", None), ("Seg6", None), ("LCD", None), ("Dot16", None), ("Dot32", None)] +
         [(gate, m) for gate in ("NOT", "AND", "OR", "NAND", "NOR", "DFF", "JKFF") for m in (1, 2)] +
         [("VCC", None), ("GND", None), ("MCU", None), ("Scope", None), ("DAC", None), ("Scope1", None),
          ("Voltmeter", None), ("Expander", None)])

WIRED = {"Seg2", "Bar", "Seg6", "LCD", "Dot16", "Dot32", "NOT", "AND", "OR", "NAND", "NOR", "DFF", "JKFF",
         "Expander", "Scope", "Scope1", "Voltmeter"}

PORT_PINS = [p for p in MCU_PINS if p[:2] in ("PB", "PC", "PD")]


def full_board():
    c = Circuit()
    ids = []
    for i, (kind, model) in enumerate(ITEMS):
        ids.append((kind, c.add(kind, 20 + (i % 8) * 420, 20 + (i // 8) * 360, model)))
    mcu = next(part for kind, part in ids if kind == "MCU")
    n = 0
    for kind, part in ids:
        if kind in WIRED:
            for pin in PARTS[kind][2]:
                c.wire(mcu, PORT_PINS[n % len(PORT_PINS)], part, pin)
                n += 1
    return c


def counting_program():
    p = Program([])
    p.block(10, ["DDRB 255", "DDRC 255", "DDRD 255", "N=0", "PORTB N", "PORTC N", "PORTD N", "N=N+1",
                 "IF N<256 THEN 50", "GOTO 40"])
    return p


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(__file__)
    assert max(w for w, _ in SIZES.values()) < 420 and max(h for _, h in SIZES.values()) < 360
    write_pair(out, "full_board", full_board(), counting_program())


if __name__ == "__main__":
    main()
