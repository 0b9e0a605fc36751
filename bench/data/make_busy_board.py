#!/usr/bin/env python3
"""Writes the busy board the speed figures are measured on besides the full
board: every display driven by the program through the ports and changing
all the time, as a student's program drives them.  Port B is a data bus for
the digits, the bar, the LCD, the DAC and the matrices' columns; port D
selects digits and matrix rows and strobes the LCD; port C selects the rest.
The voltmeter reads the DAC, a fraction of a volt that changes every step;
the eight-channel probe watches the data bus and the single one the LCD's
strobe.  The other palette items are there too: LEDs, motors, the servo and
the speaker on port pins, gates, flip-flops and the expander reading the
bus (their outputs drive nothing, so every net keeps one driver), inputs
unwired.  Usage: make_busy_board.py OUT_DIR"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "examples", "tools"))
from circuit import SEGMENTS, Circuit, Program, write_pair  # noqa: E402

BUS = [f"PB{i}" for i in range(8)]
ROWS = ["PC3", "PC4", "PC5", "PD3", "PD4", "PD5", "PD6", "PD7"]


def busy_board():
    c = Circuit()
    mcu = c.add("MCU", 20, 20)
    seg6 = c.add("Seg6", 440, 20)
    seg2 = c.add("Seg2", 860, 20)
    bar = c.add("Bar", 1280, 20)
    lcd = c.add("LCD", 440, 380)
    dac = c.add("DAC", 860, 380)
    volt = c.add("Voltmeter", 1280, 380)
    scope = c.add("Scope", 20, 380)
    scope1 = c.add("Scope1", 20, 740)
    dot16 = c.add("Dot16", 440, 740)
    dot32 = c.add("Dot32", 860, 740)
    for i, segment in enumerate(SEGMENTS):
        c.wire(mcu, BUS[i], seg6, segment)
        c.wire(mcu, BUS[i], seg2, segment)
    for i, pin in enumerate("ABCDEFGH"):
        c.wire(mcu, BUS[i], bar, pin)
        c.wire(mcu, BUS[i], scope, pin)
    for i, select in enumerate(["PD3", "PD4", "PD5", "PD6", "PD7", "PC0"]):
        c.wire(mcu, select, seg6, str(i + 1))
    c.wire(mcu, "PC1", seg2, "1")
    c.wire(mcu, "PC2", seg2, "2")
    for i in range(8):
        c.wire(mcu, BUS[i], lcd, f"D{i}")
        c.wire(mcu, BUS[i], dac, f"B{i}")
    c.wire(mcu, "PD0", lcd, "RS")
    c.wire(mcu, "PD1", lcd, "RW")
    c.wire(mcu, "PD2", lcd, "E")
    c.wire(dac, "OUT", volt, "IN")
    c.wire(mcu, "PD2", scope1, "IN")
    for matrix, size in ((dot16, 16), (dot32, 32)):
        for i in range(size):
            c.wire(mcu, ROWS[i % len(ROWS)], matrix, f"R{i}")
            c.wire(mcu, BUS[i % len(BUS)], matrix, f"C{i}")
    add_the_rest(c, mcu)
    return c


# Item, model and the pins it reads from the MCU.
REST = ([("Switch", m, {}) for m in (1, 2, 3, 4)] + [("Button", 1, {}), ("Button", 2, {}), ("R", None, {}),
        ("Microphone", None, {}), ("Keypad", None, {})] +
        [("LEDA", m, {"K": ROWS[m]}) for m in (1, 2, 3)] + [("LEDB", m, {"A": ROWS[3 + m]}) for m in (1, 2)] +
        [("Motor", m, {"A": BUS[2 * m], "B": BUS[2 * m + 1]}) for m in (1, 2)] +
        [("Speaker", None, {"P": "PD2"}), ("Servo", None, {"P": "PC0"})] +
        [(gate, m, {"A": BUS[m], "B": BUS[m + 2]}) for gate in ("AND", "OR", "NAND", "NOR") for m in (1, 2)] +
        [("NOT", m, {"A": BUS[m]}) for m in (1, 2)] +
        [("DFF", m, {"S": "PC1", "D": BUS[m], "CP": "PD2", "R": "PC2"}) for m in (1, 2)] +
        [("JKFF", m, {"S": "PC1", "J": BUS[m], "CP": "PD2", "K": BUS[m + 1], "R": "PC2"}) for m in (1, 2)] +
        [("VCC", None, {}), ("GND", None, {})] +
        [("Expander", None, {**{f"D{i}": BUS[i] for i in range(8)}, "A0": "PC0", "A1": "PC1", "A2": "PC2",
                              "CP": "PD2"})])


def add_the_rest(c, mcu):
    for i, (kind, model, pins) in enumerate(REST):
        part = c.add(kind, 20 + (i % 8) * 420, 1160 + (i // 8) * 360, model)
        for pin, port in pins.items():
            c.wire(mcu, port, part, pin)


def busy_program():
    p = Program(["忙碌的板子：数码管、光柱、液晶、点阵和电压表一直在变"])
    p.block(10, ["DDRB 255", "DDRC 63", "DDRD 255", "V=56", "GOSUB 800", "V=12", "GOSUB 800", "V=1",
                 "GOSUB 800", "N=0", "D=8", "C=1"])
    p.block(130, ["PORTB N", "PORTC C", "PORTD D+1", "PORTD D+5", "PORTD D+1", "N=N+1", "IF N<256 THEN 210",
                  "N=0", "D=D*2", "IF D<256 THEN 240", "D=8", "C=C*2", "IF C<64 THEN 130", "C=1", "GOTO 130"])
    p.block(800, ["PORTD 0", "PORTB V", "PORTD 4", "PORTD 0", "RETURN"])
    return p


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(__file__)
    write_pair(out, "busy_board", busy_board(), busy_program())


if __name__ == "__main__":
    main()
