#!/usr/bin/env python3
"""Writes the example lessons (circuit and program) into examples/.

Run from anywhere: python3 examples/tools/make_lessons.py
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from circuit import Circuit, Program, write_pair  # noqa: E402
from router import Router, crossings  # noqa: E402

# No wire may be drawn across these bodies: the glass, the dots, the chip's pins.
KEEP_CLEAR = ("LCD", "Dot16", "Dot32", "MCU")

EXAMPLES = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

SEVEN_SEGMENT = [63, 6, 91, 79, 102, 109, 125, 7, 127, 111]


def digit_table(prog, first, variable):
    """Line `first` jumps to first+100+10*D, which sets `variable` to the
    segment pattern of digit D and returns."""
    prog.add(first, f"GOTO {first + 100}+D*10")
    for d, code in enumerate(SEVEN_SEGMENT):
        prog.add(first + 100 + 10 * d, f"{variable}={code}")
        prog.add(first + 105 + 10 * d, "RETURN")


def latch_routine(prog, first):
    """Latches V into the expander's group G (data on port B, address on
    PC0..PC2, clock on PC3)."""
    prog.block(first, ["PORTB V", "PORTC G", "PORTC G+8", "RETURN"])


def wire_expander_to_mcu(c, mcu, ex):
    for i in range(8):
        c.wire(mcu, f"PB{i}", ex, f"D{i}")
    for i in range(3):
        c.wire(mcu, f"PC{i}", ex, f"A{i}")
    c.wire(mcu, "PC3", ex, "CP")


def lesson_blink():
    c = Circuit()
    mcu = c.add("MCU", 400, 40)
    leds = [c.add("LEDA", 20 + 70 * i, 40, i + 1) for i in range(3)]
    leds += [c.add("LEDB", 20 + 70 * (i + 3), 40, i + 1) for i in range(2)]
    for i, led in enumerate(leds):
        c.wire(mcu, f"PB{i}", led, "K" if i < 3 else "A")
    p = Program([
        "第1课 闪烁的发光二极管",
        "LED0～LED2 的阳极接电源，引脚输出低电平时点亮；LED3、LED4 的阴极接地，输出高电平时点亮。",
        "程序让 PB0～PB4 每 100 个节拍在 0 和 1 之间切换，两组灯轮流亮。",
        "试一试：把 WAIT 100 改成 WAIT 20，灯闪得更快；把 PORTB 31 改成 PORTB 1，看哪几盏灯亮。",
    ])
    p.block(10, ["DDRB 31", "PORTB 0", "WAIT 100", "PORTB 31", "WAIT 100", "GOTO 20"])
    return c, p


def lesson_running_light():
    c = Circuit()
    mcu = c.add("MCU", 300, 40)
    bar = c.add("Bar", 40, 320)
    for i, name in enumerate("ABCDEFGH"):
        c.wire(mcu, f"PD{i}", bar, name)
    p = Program([
        "第2课 流水灯（8位发光二极管）",
        "这块8位发光二极管的 A～H 接 PD0～PD7，引脚为低电平时对应的灯亮。",
        "M 从 1 开始每次乘 2，PORTD 255-M 让一盏灯亮，亮点从 A 移到 H 后重新开始。",
        "试一试：把 255-M 改成 M，看看亮灭反过来；改变 WAIT 的数字调节速度。",
    ])
    p.block(10, ["DDRD 255", "M=1", "PORTD 255-M", "WAIT 50", "M=M*2", "IF M<256 THEN 30", "GOTO 20"])
    return c, p


def lesson_buttons():
    c = Circuit()
    mcu = c.add("MCU", 300, 40)
    s1 = c.add("Button", 20, 20, 1)
    s2 = c.add("Button", 100, 20, 2)
    k0 = c.add("Switch", 20, 200, 1)
    gnd = c.add("GND", 150, 260)
    leds = [c.add("LEDA", 560 + 70 * i, 40, i + 1) for i in range(3)]
    vcc = c.add("VCC", 20, 360)
    k1 = c.add("Switch", 80, 380, 2)
    led3 = c.add("LEDB", 220, 360, 1)
    c.wire(s1, "P", mcu, "PC0")
    c.wire(s2, "P", mcu, "PC1")
    c.wire(gnd, "P", k0, "L")
    c.wire(k0, "R", mcu, "PC2")
    for i, led in enumerate(leds):
        c.wire(mcu, f"PB{i}", led, "K")
    c.wire(vcc, "P", k1, "L")
    c.wire(k1, "R", led3, "A")
    p = Program([
        "第3课 按钮和开关",
        "常开按钮S1接 PC0，常闭按钮S2接 PC1，开关K0一端接地、一端接 PC2；程序把 PINC 的低三位送到 PB0～PB2。",
        "按住S1时 PC0 为0，LED0 亮；S2平时闭合，LED1 常亮，按住S2时熄灭；合上K0时 PC2 接地，LED2 亮。",
        "开关K1不经过单片机：合上它，电源直接点亮 LED3。",
        "试一试：改成 PORTB 7-PINC AND 7，看看亮灭是否反过来。",
    ])
    p.block(10, ["DDRB 7", "PORTB PINC AND 7", "GOTO 20"])
    return c, p


def lesson_keypad():
    c = Circuit()
    mcu = c.add("MCU", 300, 40)
    keys = c.add("Keypad", 20, 320)
    seg = c.add("Seg2", 560, 320)
    for i in range(4):
        c.wire(mcu, f"PD{i}", keys, f"J{i}")
        c.wire(keys, f"J{i + 4}", mcu, f"PC{i}")
    for i, name in enumerate(["A", "B", "C", "D", "E", "F", "G", "DP"]):
        c.wire(mcu, f"PB{i}", seg, name)
    c.wire(mcu, "PD4", seg, "1")
    c.wire(mcu, "PD5", seg, "2")
    p = Program([
        "第4课 4×4键盘扫描，按键号显示在2位数码管上",
        "键盘的行线 J0～J3 接 PD0～PD3，列线 J4～J7 接 PC0～PC3；程序每次把一行拉低，读 PINC 找出被按下的列。",
        "第 R 行第 X 列的键号是 R*4+X（0～15），用十进制显示：数码管段 A～G、DP 接 PB0～PB7，两位的公共端接 PD4、PD5，低电平选中。",
        "试一试：按下不同的键看显示的数字；把键号改成 15-K 再试。",
    ])
    p.block(10, ["DDRD 63", "DDRB 255", "K=0"])
    p.block(40, ["R=0", "M=1", "PORTD 63-M", "C=PINC AND 15", "IF C<>15 THEN 300", "R=R+1", "M=M*2",
                 "IF R<4 THEN 60", "GOSUB 400", "GOTO 40"])
    p.block(300, ["X=0", "IF (C AND 1)=0 THEN 370", "X=1", "IF (C AND 2)=0 THEN 370", "X=2",
                  "IF (C AND 4)=0 THEN 370", "X=3", "K=R*4+X", "GOTO 90"])
    p.block(400, ["T=K/10", "D=T", "GOSUB 500", "PORTD 63", "PORTB S", "PORTD 47", "D=K-T*10", "GOSUB 500",
                  "PORTD 63", "PORTB S", "PORTD 31", "RETURN"], step=5)
    digit_table(p, 500, "S")
    return c, p


def lesson_clock():
    c = Circuit()
    mcu = c.add("MCU", 300, 40)
    seg = c.add("Seg6", 20, 340)
    for i, name in enumerate(["A", "B", "C", "D", "E", "F", "G", "DP"]):
        c.wire(mcu, f"PB{i}", seg, name)
    for i in range(6):
        c.wire(mcu, f"PD{i}", seg, str(i + 1))
    p = Program([
        "第5课 6位数码管时钟",
        "段 A～G、DP 接 PB0～PB7，六位的公共端接 PD0～PD5，低电平选中；程序读 HOUR、MINUTE、SECOND，一位一位轮流点亮（动态扫描）。",
        "每一位先关掉全部公共端，再送段码，最后选中这一位，这样不会串位。",
        "试一试：去掉 PORTD 63 那一行，看看数字怎样串到相邻的位上。",
    ])
    p.block(10, ["DDRB 255", "DDRD 63"])
    body = []
    for variable, (tens_mask, ones_mask) in zip("HMS", [(62, 61), (59, 55), (47, 31)]):
        body += [f"T={variable}/10", "D=T", f"Q={tens_mask}", "GOSUB 400", f"D={variable}-T*10", f"Q={ones_mask}",
                 "GOSUB 400"]
    p.block(30, ["H=HOUR", "M=MINUTE", "S=SECOND"] + body + ["GOTO 30"], step=5)
    p.block(400, ["GOSUB 500", "PORTD 63", "PORTB G", "PORTD Q", "RETURN"])
    digit_table(p, 500, "G")
    return c, p


HEART = [0, 10, 31, 31, 31, 14, 4, 0]
SMILE = [0, 10, 10, 0, 17, 14, 0, 0]


def lcd_sequence(second_line, glyph):
    """(rs, byte) pairs: set up, define character 0, write HELLO and it, then line 2."""
    seq = [(0, 0x0C), (0, 0x06), (0, 0x01), (0, 0x40)] + [(1, b) for b in glyph] + [(0, 0x80)]
    seq += [(1, ord(ch)) for ch in "HELLO "] + [(1, 0), (0, 0xC0)]
    seq += [(1, ord(ch)) for ch in second_line]
    return seq


def lcd_program(p, seq):
    lines = []
    for rs, byte in seq:
        lines += [f"V={byte}", "GOSUB 900" if rs else "GOSUB 800"]
    p.block(100, lines + ["END"], step=5)


def lesson_lcd8():
    c = Circuit()
    mcu = c.add("MCU", 360, 40)
    lcd = c.add("LCD", 20, 340)
    for i in range(8):
        c.wire(mcu, f"PB{i}", lcd, f"D{i}")
    for i, name in enumerate(["RS", "RW", "E"]):
        c.wire(mcu, f"PD{i}", lcd, name)
    p = Program([
        "第6课 LCD1602 显示 HELLO（8位接口）和自定义字符",
        "D0～D7 接 PB0～PB7，RS 接 PD0，R/W 接 PD1，E 接 PD2；E 从高变低时液晶读入数据线上的字节。",
        "子程序 800 写指令（RS=0），900 行的子程序写数据（RS=1）；先设 8 位、两行、开显示，再向 CGRAM 写 8 行点阵定义字符 0（一颗心）。",
        "试一试：把 HELLO 换成你的名字（字母的 ASCII 码），或改 CGRAM 的 8 个数画别的图案。",
    ])
    p.block(10, ["DDRB 255", "DDRD 7", "V=56", "GOSUB 800"])
    lcd_program(p, lcd_sequence("8-BIT MODE", HEART))
    p.block(800, ["PORTD 0", "PORTB V", "PORTD 4", "PORTD 0", "RETURN"])
    p.block(900, ["PORTD 1", "PORTB V", "PORTD 5", "PORTD 1", "RETURN"])
    return c, p


def lesson_lcd4():
    c = Circuit()
    mcu = c.add("MCU", 360, 40)
    lcd = c.add("LCD", 20, 340)
    for i in range(4, 8):
        c.wire(mcu, f"PB{i}", lcd, f"D{i}")
    for i, name in enumerate(["RS", "RW", "E"]):
        c.wire(mcu, f"PD{i}", lcd, name)
    p = Program([
        "第7课 LCD1602 的4位接口",
        "只接 D4～D7（PB4～PB7），D0～D3 悬空；RS、R/W、E 接 PD0、PD1、PD2。每个字节分两次送：先高4位，再低4位。",
        "上电时液晶是8位接口：第一次只送 0x20（悬空的 D0～D3 读作1，实际执行 0x2F），液晶就换成4位、两行。",
        "试一试：把第二行的文字换掉；或者把自定义字符改成别的图案。",
    ])
    p.block(10, ["DDRB 240", "DDRD 7", "PORTD 0", "PORTB 32", "PORTD 4", "PORTD 0", "V=40", "GOSUB 800"])
    lcd_program(p, lcd_sequence("4-BIT MODE", SMILE))
    p.block(800, ["PORTD 0", "PORTB V AND 240", "PORTD 4", "PORTD 0", "PORTB V*16", "PORTD 4", "PORTD 0", "RETURN"],
            step=5)
    p.block(900, ["PORTD 1", "PORTB V AND 240", "PORTD 5", "PORTD 1", "PORTB V*16", "PORTD 5", "PORTD 1", "RETURN"],
            step=5)
    return c, p


HEART16 = [
    "................",
    "..XXX......XXX..",
    ".XXXXX....XXXXX.",
    "XXXXXXX..XXXXXXX",
    "XXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXXXX",
    ".XXXXXXXXXXXXXX.",
    "..XXXXXXXXXXXX..",
    "...XXXXXXXXXX...",
    "....XXXXXXXX....",
    ".....XXXXXX.....",
    "......XXXX......",
    ".......XX.......",
    "................",
    "................",
]

FACE32 = [
    "..........XXXXXXXXXXXX..........",
    ".......XXX............XXX.......",
    ".....XX..................XX.....",
    "....X......................X....",
    "...X........................X...",
    "..X..........................X..",
    "..X..........................X..",
    ".X............................X.",
    ".X.......XXX........XXX.......X.",
    "X.......XXXXX......XXXXX.......X",
    "X.......XXXXX......XXXXX.......X",
    "X.......XXXXX......XXXXX.......X",
    "X........XXX........XXX........X",
    "X..............................X",
    "X..............................X",
    "X..............XX..............X",
    "X..............XX..............X",
    "X..............................X",
    "X..............................X",
    "X.....X..................X.....X",
    "X......X................X......X",
    "X.......X..............X.......X",
    ".X.......XX..........XX.......X.",
    ".X.........XXXXXXXXXX.........X.",
    "..X..........................X..",
    "..X..........................X..",
    "...X........................X...",
    "....X......................X....",
    ".....XX..................XX.....",
    ".......XXX............XXX.......",
    "..........XXXXXXXXXXXX..........",
    "................................",
]


def row_bytes(row):
    return [sum(1 << b for b in range(8) if row[8 * g + b] == "X") for g in range(len(row) // 8)]


def matrix_lesson(kind, picture, comments):
    """Rows and columns both hang on the expander: the first N/8 groups drive
    the rows (low selects), the next N/8 the columns (high lights)."""
    n = len(picture)
    groups = n // 8
    c = Circuit()
    mcu = c.add("MCU", 20, 40)
    ex = c.add("Expander", 300, 40)
    # Below the lanes the row wires take over its top, and clear of the
    # expander by the lanes the column wires take down to its bottom.
    mat = c.add(kind, *{"Dot16": (600, 120), "Dot32": (660, 180)}[kind])
    wire_expander_to_mcu(c, mcu, ex)
    for i in range(n):
        c.wire(ex, f"Q{i}", mat, f"R{i}")
        c.wire(ex, f"Q{n + i}", mat, f"C{i}")
    p = Program(comments)
    names = "ABCD"[:groups]
    clear_rows = []
    for g in range(groups):
        clear_rows += ["V=255", f"G={g}", "GOSUB 900"]
    p.block(10, ["DDRB 255", "DDRC 15", "P=0"] + clear_rows, step=2)
    scan = ["V=255", "G=P", "GOSUB 900", f"GOSUB {1000}+R*10"]
    for g, name in enumerate(names):
        scan += [f"V={name}", f"G={groups + g}", "GOSUB 900"]
    scan += ["V=255-M", "G=H", "GOSUB 900", "P=H", "R=R+1", "M=M*2", "IF M<256 THEN 100", "M=1", "H=H+1",
             f"IF R<{n} THEN 100", "GOTO 40"]
    p.block(40, ["R=0", "M=1", "H=0"])
    p.block(100, scan, step=5)
    latch_routine(p, 900)
    for r, row in enumerate(picture):
        values = row_bytes(row)
        p.block(1000 + 10 * r, [f"{name}={v}" for name, v in zip(names, values)] + ["RETURN"], step=2)
    return c, p


def lesson_matrix16():
    return matrix_lesson("Dot16", HEART16, [
        "第8课 16×16 点阵扫描出一颗心",
        "点阵的行和列都接在输出扩展器上：第0、1组输出（QA、QB）接 16 条行线，第2、3组（QC、QD）接 16 条列线。",
        "行线为低电平时选中该行，列线为高电平时点亮该点；点阵会记住每行最后一次被选中时的图案。",
        "程序一行一行地：先关掉上一行，再送这一行的两个列字节（1000 行起的表），最后选中这一行。",
        "试一试：改表中的数字画别的图案（每个数的第 b 位对应一列）。",
    ])


def lesson_matrix32():
    return matrix_lesson("Dot32", FACE32, [
        "第9课 32×32 点阵扫描出一张笑脸",
        "输出扩展器的 64 个输出正好接满点阵：第0～3组接 32 条行线（低电平选中），第4～7组接 32 条列线（高电平点亮）。",
        "每行有 4 个列字节，放在 1000 行起的表里，程序用 GOSUB 1000+R*10 取出第 R 行。",
        "试一试：把笑脸改成你自己设计的图案。",
    ])


def lesson_gates():
    c = Circuit()
    mcu = c.add("MCU", 60, 40)  # room on its left for the wires of PB0, PD0 and PD1
    g_not = c.add("NOT", 340, 20, 1)
    g_and = c.add("AND", 340, 110, 1)
    g_or = c.add("OR", 340, 200, 1)
    g_nand = c.add("NAND", 340, 290, 1)
    g_nor = c.add("NOR", 340, 380, 1)
    dff = c.add("DFF", 500, 20, 1)
    jk = c.add("JKFF", 500, 160, 1)
    led3 = c.add("LEDB", 740, 20, 1)
    led4 = c.add("LEDB", 810, 20, 2)
    c.wire(mcu, "PB0", g_not, "A")
    for g in (g_and, g_or, g_nand, g_nor):
        c.wire(mcu, "PB0", g, "A")
        c.wire(mcu, "PB1", g, "B")
    for i, g in enumerate((g_not, g_and, g_or, g_nand, g_nor)):
        c.wire(g, "Y", mcu, f"PC{i}")
    c.wire(mcu, "PB2", dff, "D")
    c.wire(mcu, "PB3", dff, "CP")
    c.wire(mcu, "PB3", jk, "CP")
    c.wire(dff, "Q", mcu, "PD0")
    c.wire(jk, "Q", mcu, "PD1")
    c.wire(dff, "Q", led3, "A")
    c.wire(jk, "Q", led4, "A")
    p = Program([
        "第10课 门电路和触发器",
        "PB0、PB1 是输入 A、B，接到非门、与门、或门、与非门、或非门；五个门的输出接 PC0～PC4，程序读回来打印真值表。",
        "A、B 依次为 00、10、01、11，打印的数依次是 25、12、13、6（第0位是非门，第4位是或非门）。",
        "D 触发器：D 接 PB2，时钟接 PB3，上升沿把 D 存入 Q（接 PD0 和 LED3）；JK 触发器的 J、K 悬空为高，时钟下降沿翻转（Q 接 PD1 和 LED4）。",
        "先让时钟下降：只有 JK 翻转，打印 2；再让时钟上升：D 触发器存入 1，打印 3。",
        "试一试：把或门的输出改接到 LED3，看它什么时候亮。",
    ])
    p.block(10, ["PORTB 8", "DDRB 15", "I=0", "PORTB I+8", "WAIT 2", "PRINT PINC AND 31", "I=I+1", "IF I<4 THEN 40",
                 "PORTB 12", "PORTB 4", "WAIT 2", "PRINT PIND AND 3", "PORTB 12", "WAIT 2", "PRINT PIND AND 3", "END"])
    return c, p


def lesson_expander():
    c = Circuit()
    mcu = c.add("MCU", 20, 40)
    ex = c.add("Expander", 300, 40)
    bar = c.add("Bar", 20, 340)
    leds = [c.add("LEDA", 560 + 70 * i, 40, i + 1) for i in range(3)]
    wire_expander_to_mcu(c, mcu, ex)
    for i, name in enumerate("ABCDEFGH"):
        c.wire(ex, f"Q{i}", bar, name)
    for i, led in enumerate(leds):
        c.wire(ex, f"Q{8 + i}", led, "K")
    p = Program([
        "第11课 输出扩展器",
        "扩展器的数据 D0～D7 接 PB0～PB7，地址 A0～A2 接 PC0～PC2，时钟 CP 接 PC3；CP 上升沿把数据锁存到地址选中的那一组输出。",
        "第0组（QA0～QA7）接8位发光二极管，第1组的 QB0～QB2 接 LED0～LED2；各组互不影响，没有选中的组保持原样。",
        "程序先给第1组送 5（LED1 亮），再让第0组显示一个二进制计数（灯亮表示 0）。",
        "试一试：把计数送到第1组，看 LED0～LED2 怎样变化。",
    ])
    p.block(10, ["DDRB 255", "DDRC 15", "V=5", "G=1", "GOSUB 900", "I=0", "V=255-I", "G=0", "GOSUB 900", "I=I+1",
                 "WAIT 20", "GOTO 70"])
    latch_routine(p, 900)
    return c, p


def lesson_motors():
    c = Circuit()
    mcu = c.add("MCU", 60, 40)  # room on its left for the wires of PD4 to PD7
    m1 = c.add("Motor", 300, 40, 1)
    m2 = c.add("Motor", 400, 40, 2)
    servo = c.add("Servo", 300, 160)
    c.wire(mcu, "PD4", m1, "A")
    c.wire(mcu, "PD5", m1, "B")
    c.wire(mcu, "PD6", m2, "A")
    c.wire(mcu, "PD7", m2, "B")
    c.wire(mcu, "PC0", servo, "P")
    p = Program([
        "第12课 两个电机和舵机",
        "电机1接 PD4、PD5，电机2接 PD6、PD7；舵机接 PC0。",
        "FD 100 让两个电机一起正转 100 个节拍；MOTOR 255,-128 让电机1全速正转、电机2半速反转；STX 停下。",
        "SERVOE 的第一个数是 PC0 上舵机的位置：0 是 -90 度，9 是 0 度，18 是 +90 度。",
        "试一试：把 FD 换成 BK、LT、RT，看两个电机怎样转。",
    ])
    p.block(10, ["FD 100", "MOTOR 255,-128", "WAIT 100", "STX", "FOR A=0 TO 18", "SERVOE A,9,9,9,9,0", "WAIT 10",
                 "NEXT A", "END"])
    return c, p


def lesson_dac():
    c = Circuit()
    mcu = c.add("MCU", 20, 40)
    dac = c.add("DAC", 300, 40)
    meter = c.add("Voltmeter", 420, 40)
    scope = c.add("Scope1", 420, 180)
    for i in range(8):
        c.wire(mcu, f"PB{i}", dac, f"B{i}")
    c.wire(dac, "OUT", meter, "IN")
    c.wire(dac, "OUT", scope, "IN")
    p = Program([
        "第13课 DAC数模转换器、电压表和单通道示波器",
        "DAC 的 8 个输入接 PB0～PB7，输出电压 = PORTB 的值 / 255 × 5 伏；电压表和单通道示波器都接在 DAC 输出上。",
        "程序输出 3 个锯齿波（0、17、34……255），最后停在 128，电压表显示 2.50980。",
        "打开单通道示波器并按运行，可以看到锯齿波的台阶。",
        "试一试：把 I*17 改成 SIN(I*24) 输出正弦波。",
    ])
    p.block(10, ["DDRB 255", "FOR N=1 TO 3", "FOR I=0 TO 15", "PORTB I*17", "NEXT I", "NEXT N", "PORTB 128", "END"])
    return c, p


def lesson_potentiometer():
    c = Circuit()
    mcu = c.add("MCU", 300, 40)
    r = c.add("R", 20, 40)
    led0 = c.add("LEDA", 560, 40, 1)
    c.wire(r, "W", mcu, "PC0")
    c.wire(mcu, "PB0", led0, "K")
    p = Program([
        "第14课 可调电阻和模数转换（ADC）",
        "可调电阻R的滑动端接 PC0；ADC0 把 0～5 伏变成 0～1023。拖动滑块，数值变化时打印出来。",
        "读数达到 512（2.5 伏）以上时 LED0 亮。",
        "试一试：改成读数大于 800 才点亮；或把读数除以 4 送到 PORTB。",
    ])
    p.block(10, ["DDRB 1", "B=-1", "A=ADC0", "IF A=B THEN 30", "B=A", "PRINT A", "PORTB (A<512) AND 1", "GOTO 30"])
    return c, p


def lesson_tune():
    c = Circuit()
    mcu = c.add("MCU", 300, 40)
    c.add("Speaker", 20, 40)
    p = Program([
        "第15课 用 PLAY 演奏乐曲",
        "PLAY 后面每两个字符是一个音：第一个是音高（1=C4，2=D4……，0 是休止），第二个是时长（单位 120 毫秒）。",
        "程序先演奏《小星星》的第一句，再用 KEY 2 升高两个音级演奏一遍；演奏时程序等乐曲结束再往下走。",
        "试一试：写出下一句 4 4 3 3 2 2 1，或用 KEY 4 再升高。",
    ])
    p.block(10, ["KEY 0", "PLAY 14145454646458", "KEY 2", "PLAY 14145454646458", "PRINT 1", "END"])
    return c, p


def lesson_voice():
    c = Circuit()
    mcu = c.add("MCU", 300, 40)
    c.add("Speaker", 20, 40)
    mic = c.add("Microphone", 20, 160)
    c.wire(mic, "P", mcu, "PC5")
    p = Program([
        "第16课 语音和报时",
        "麦克风接 PC5，有信号时 MIC 读到 0；没有接麦克风时 MIC 是 32，程序会一直等着。",
        "VOICEX 5 播放第 5 段男声语音（100 以上是女声），不等它播完；CLOCK 用普通话报出当前时间，程序等报时结束。",
        "报时以后打印 时×100+分。",
        "试一试：把 VOICEX 5 换成 VOICEX 105；拆掉麦克风的连线再运行。",
    ])
    p.block(10, ["IF MIC=32 THEN 10", "VOICEX 5", "WAIT 500", "CLOCK", "PRINT HOUR*100+MINUTE", "END"])
    return c, p


def lesson_scope():
    c = Circuit()
    mcu = c.add("MCU", 300, 40)
    scope = c.add("Scope", 20, 40)
    for i, name in enumerate("ABCDEFGH"):
        c.wire(mcu, f"PB{i}", scope, name)
    p = Program([
        "第17课 用8通道示波器看计数器",
        "示波器的 A～H 通道接 PB0～PB7，程序让 PORTB 不停加 1。",
        "打开示波器窗口按运行：A 通道变化最快，每往下一个通道频率减半。",
        "试一试：在循环里加 WAIT 2，看波形怎样变宽。",
    ])
    p.block(10, ["DDRB 255", "I=I+1", "PORTB I", "GOTO 20"])
    return c, p


LESSONS = [
    ("lesson01_blink", lesson_blink),
    ("lesson02_running_light", lesson_running_light),
    ("lesson03_buttons", lesson_buttons),
    ("lesson04_keypad", lesson_keypad),
    ("lesson05_clock", lesson_clock),
    ("lesson06_lcd_8bit", lesson_lcd8),
    ("lesson07_lcd_4bit", lesson_lcd4),
    ("lesson08_matrix16", lesson_matrix16),
    ("lesson09_matrix32", lesson_matrix32),
    ("lesson10_gates", lesson_gates),
    ("lesson11_expander", lesson_expander),
    ("lesson12_motors", lesson_motors),
    ("lesson13_dac", lesson_dac),
    ("lesson14_potentiometer", lesson_potentiometer),
    ("lesson15_tune", lesson_tune),
    ("lesson16_voice", lesson_voice),
    ("lesson17_scope", lesson_scope),
]


def main():
    for name, build in LESSONS:
        circuit, program = build()
        Router(circuit).route_all()
        for w, part in crossings(circuit):
            kind = circuit.parts[part][0]
            if kind in KEEP_CLEAR:
                raise ValueError(f"{name}: wire {w} crosses the {kind}")
            print(f"{name}: wire {w} crosses the {kind}")
        write_pair(EXAMPLES, name, circuit, program)


if __name__ == "__main__":
    main()
