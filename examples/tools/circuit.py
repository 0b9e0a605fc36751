"""Places parts, wires their pins by name and writes .dps circuits and GBK
program files, so the lessons can be regenerated from make_lessons.py."""

import os

# File type code, model-bearing flag and pin names in pin-index order.
MCU_PINS = [
    "PC6", "PD0", "PD1", "PD2", "PD3", "PD4", "VCC", "GND", "PB6", "PB7", "PD5", "PD6", "PD7", "PB0",
    "PB1", "PB2", "PB3", "PB4", "PB5", "AVCC", "AREF", "GND2", "PC0", "PC1", "PC2", "PC3", "PC4", "PC5",
]
SEGMENTS = ["A", "B", "C", "D", "E", "F", "G", "DP"]
GATE2 = ["A", "B", "Y"]

PARTS = {
    "Motor": (1, True, ["A", "B"]),
    "R": (2, False, ["W"]),
    "LEDA": (3, True, ["K"]),
    "Button": (4, True, ["P"]),
    "Switch": (5, True, ["L", "R"]),
    "MCU": (6, False, MCU_PINS),
    "VCC": (7, False, ["P"]),
    "GND": (8, False, ["P"]),
    "Speaker": (9, False, ["P"]),
    "Keypad": (10, False, [f"J{i}" for i in range(8)]),
    "Microphone": (11, False, ["P"]),
    "Servo": (12, False, ["P"]),
    "Seg2": (13, False, SEGMENTS + ["1", "2"]),
    "Bar": (14, False, list("ABCDEFGH")),
    "Seg6": (15, False, SEGMENTS + [str(i) for i in range(1, 7)]),
    "LCD": (16, False, ["RS", "RW", "E"] + [f"D{i}" for i in range(8)]),
    "Scope": (17, False, list("ABCDEFGH")),
    "DAC": (18, False, [f"B{i}" for i in range(8)] + ["OUT"]),
    "Scope1": (19, False, ["IN"]),
    "NOT": (20, True, ["A", "Y"]),
    "Voltmeter": (21, False, ["IN"]),
    "AND": (22, True, GATE2),
    "OR": (23, True, GATE2),
    "LEDB": (24, True, ["A"]),
    "NAND": (25, True, GATE2),
    "NOR": (26, True, GATE2),
    "DFF": (27, True, ["S", "D", "CP", "R", "Q", "QN"]),
    "JKFF": (28, True, ["S", "J", "CP", "K", "R", "Q", "QN"]),
    "Dot16": (29, False, [f"R{i}" for i in range(16)] + [f"C{i}" for i in range(16)]),
    "Dot32": (30, False, [f"R{i}" for i in range(32)] + [f"C{i}" for i in range(32)]),
    "Expander": (31, False, [f"D{i}" for i in range(8)] + ["A0", "A1", "A2", "CP"] + [f"Q{i}" for i in range(64)]),
}


# Body sizes, so lessons can be checked for parts placed on top of each other.
SIZES = {
    "Motor": (70, 73), "R": (72, 179), "LEDA": (62, 138), "Button": (64, 143), "Switch": (105, 38),
    "MCU": (205, 264), "VCC": (36, 50), "GND": (50, 60), "Speaker": (104, 74), "Keypad": (260, 191),
    "Microphone": (114, 66), "Servo": (128, 144), "Seg2": (172, 142), "Bar": (198, 90), "Seg6": (389, 125),
    "LCD": (291, 119), "Scope": (117, 100), "DAC": (73, 140), "Scope1": (80, 79), "NOT": (111, 79),
    "Voltmeter": (109, 109), "AND": (111, 79), "OR": (111, 79), "LEDB": (62, 154), "NAND": (111, 79),
    "NOR": (111, 79), "DFF": (219, 105), "JKFF": (219, 123), "Dot16": (282, 262), "Dot32": (331, 331),
    "Expander": (201, 242),
}


def _row(n, x0, dx, y):
    return [(x0 + dx * k, y) for k in range(n)]


def _column(n, x, y0, dy):
    return [(x, y0 + dy * k) for k in range(n)]


# Pin points relative to the body's top left, in pin-index order, so wires can
# be routed around bodies (the lesson tests check the routes against the program).
PIN_XY = {
    "Motor": [(10, 50), (60, 50)], "R": [(65, 83)], "LEDA": [(24, 126)], "LEDB": [(24, 8)],
    "Button": [(50, 65)], "Switch": [(10, 26), (95, 26)],
    "MCU": _column(14, 43, 25, 16) + _column(14, 161, 25 + 16 * 13, -16),
    "VCC": [(18, 38)], "GND": [(25, 10)], "Speaker": [(79, 27)],
    "Keypad": _row(4, 64, 19, 171) + _row(4, 159, 19, 171), "Microphone": [(29, 20)], "Servo": [(35, 125)],
    "Seg2": _row(7, 16, 12, 136) + [(114, 136)] + _row(2, 142, 12, 136),
    "Seg6": _row(7, 16, 12, 119) + [(114, 119)] + _row(6, 142, 12, 119),
    "LCD": _row(3, 16, 21, 113) + _row(8, 88, 18, 113),
    "Scope": _row(7, 16, 12, 94) + [(100, 94)], "Scope1": [(39, 73)],
    "DAC": _column(8, 6, 14, 16) + [(67, 70)], "Bar": _row(8, 56, 12, 84),
    "NOT": [(8, 43), (103, 43)], "AND": [(8, 28), (8, 58), (103, 43)], "OR": [(8, 28), (8, 58), (103, 43)],
    "NAND": [(8, 28), (8, 58), (103, 43)], "NOR": [(8, 28), (8, 58), (103, 43)],
    "DFF": _column(4, 43, 29, 18) + [(176, 38), (176, 74)],
    "JKFF": _column(5, 43, 29, 18) + [(176, 38), (176, 92)],
    "Expander": _column(8, 6, 14, 13) + _column(3, 6, 136, 13) + [(6, 193)] +
    [(56 + 40 * ((m % 32) // 8), (14 if m < 32 else 136) + 13 * (m % 8)) for m in range(64)],
    "Dot16": _column(16, 236, 23, 13) + _row(16, 23, 13, 236),
    "Dot32": _column(32, 285, 21, 8) + _row(32, 21, 8, 285),
    "Voltmeter": [(54, 85)],
}


class Circuit:
    def __init__(self):
        self.parts = []  # (kind, model, x, y)
        self.wires = []  # ((part, pin), (part, pin))
        self.bends = []  # the bend points of each wire, from its source end

    def add(self, kind, x, y, model=None):
        code, has_model, _ = PARTS[kind]
        if has_model != (model is not None):
            raise ValueError(f"{kind}: model {'required' if has_model else 'not allowed'}")
        self.parts.append((kind, model, x, y))
        return len(self.parts) - 1

    def pin(self, part, name):
        names = PARTS[self.parts[part][0]][2]
        if name not in names:
            raise ValueError(f"{self.parts[part][0]} has no pin {name}")
        return (part, names.index(name))

    def wire(self, a, a_pin, b, b_pin):
        self.wires.append((self.pin(a, a_pin), self.pin(b, b_pin)))
        self.bends.append([])

    def body(self, part):
        kind, _, x, y = self.parts[part]
        return (x, y, x + SIZES[kind][0], y + SIZES[kind][1])

    def pin_point(self, end):
        part, index = end
        kind, _, x, y = self.parts[part]
        dx, dy = PIN_XY[kind][index]
        return (x + dx, y + dy)

    def overlaps(self):
        boxes = [(k, x, y, x + SIZES[k][0], y + SIZES[k][1]) for k, _, x, y in self.parts]
        return [(a[0], b[0]) for i, a in enumerate(boxes) for b in boxes[i + 1:]
                if a[1] < b[3] and b[1] < a[3] and a[2] < b[4] and b[2] < a[4]]

    def text(self):
        if self.overlaps():
            raise ValueError(f"parts overlap: {self.overlaps()}")
        out = ['<?xml version="1.0" encoding="iso-8859-1"?>', "<KELTOSIMU>"]
        if self.parts:
            out.append("  <COMP>")
            for kind, model, x, y in self.parts:
                out += ["    <record>", f'      <CtrlNode TYPE="{PARTS[kind][0]}">',
                        f"        <POSX>{x}</POSX>", f"        <POSY>{y}</POSY>"]
                if model is not None:
                    out.append(f"        <MODEL>{model}</MODEL>")
                out += ["      </CtrlNode>", "    </record>"]
            out.append("  </COMP>")
        else:
            out.append("  <COMP/>")
        if self.wires:
            out.append("  <CONN>")
            for ((sp, si), (dp, di)), bends in zip(self.wires, self.bends):
                out += ["    <record>", '      <CtrlNode TYPE="1">', f"        <SRCT>{sp}</SRCT>",
                        f"        <SRCI>{si}</SRCI>", f"        <DSTT>{dp}</DSTT>", f"        <DSTI>{di}</DSTI>"]
                if bends:
                    out.append("        <POINT>")
                    for bx, by in bends:
                        out += ["          <record>", "            <CtrlNode>", f"              <POSX>{bx}</POSX>",
                                f"              <POSY>{by}</POSY>", "            </CtrlNode>", "          </record>"]
                    out.append("        </POINT>")
                else:
                    out.append("        <POINT/>")
                out += ["      </CtrlNode>", "    </record>"]
            out.append("  </CONN>")
        else:
            out.append("  <CONN/>")
        out.append("</KELTOSIMU>")
        return "".join(line + "\r\n" for line in out)


class Program:
    """Comment lines first, then numbered statements written as 'N REM "..."'."""

    def __init__(self, comments):
        for c in comments:
            if not c or c[0].isdigit():
                raise ValueError(f"comment line must not start with a digit: {c!r}")
        self.lines = list(comments) + ['0 REM "KELTOBASIC"']
        self.last = 0

    def add(self, number, statement):
        # The interpreter takes the first line at or above a target in editor
        # order, so the numbers must rise.
        if number <= self.last:
            raise ValueError(f"line {number} does not follow line {self.last}")
        self.last = number
        self.lines.append(f'{number} REM "{statement}"')

    def block(self, first, statements, step=10):
        for i, s in enumerate(statements):
            self.add(first + i * step, s)
        return first + len(statements) * step

    def data(self):
        return "".join(line + "\r\n" for line in self.lines).encode("gbk")


def write_pair(folder, name, circuit, program):
    """Writes NAME.dps and NAME.txt, the circuit and its program, into FOLDER."""
    with open(os.path.join(folder, name + ".dps"), "w", encoding="latin-1", newline="") as f:
        f.write(circuit.text())
    with open(os.path.join(folder, name + ".txt"), "wb") as f:
        f.write(program.data())
