#!/usr/bin/env python3
"""Prints the guide's table of parts: palette caption, file type and model,
and every pin by index and name, from the pin table the lessons are built with
(the lesson tests check that table against the program)."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from circuit import PARTS  # noqa: E402

# Palette captions of each kind, in the order of their model numbers.
CAPTIONS = {
    "Switch": ["开关K0", "开关K1", "开关K2", "开关K3"], "Button": ["常开按钮S1", "常闭按钮S2"],
    "R": ["可调电阻R"], "Microphone": ["麦克风"], "Keypad": ["4×4键盘"],
    "LEDA": ["发光二极管LED0", "发光二极管LED1", "发光二极管LED2"], "LEDB": ["发光二极管LED3", "发光二极管LED4"],
    "Motor": ["电机MOTOR1", "电机MOTOR2"], "Speaker": ["喇叭Y1"], "Seg2": ["2位数码管"], "Servo": ["舵机"],
    "Bar": ["8位发光二极管"], "Seg6": ["6位数码管"], "LCD": ["LCD1602"], "Dot16": ["LED点阵16x16"],
    "Dot32": ["LED点阵32x32"], "NOT": ["非门1", "非门2"], "AND": ["与门1", "与门2"], "OR": ["或门1", "或门2"],
    "NAND": ["与非门1", "与非门2"], "NOR": ["或非门1", "或非门2"], "DFF": ["D触发器1", "D触发器2"],
    "JKFF": ["JK触发器1", "JK触发器2"], "VCC": ["电源正VCC"], "GND": ["电源负GND"], "MCU": ["单片机MCU"],
    "Scope": ["示波器"], "DAC": ["DAC数模转换器"], "Scope1": ["单通道示波器"], "Voltmeter": ["电压表"],
    "Expander": ["输出扩展器"],
}

# What a pin name means where the short name is not obvious.
NOTES = {
    "LEDA": "阳极接电源，引脚被拉低时亮", "LEDB": "阴极接地，引脚为高时亮", "Button": "松开为高，按下为低（S2 相反）",
    "Switch": "闭合时两端连通，不驱动电平", "R": "滑动端输出 0～5 伏", "Microphone": "始终输出低电平",
    "Keypad": "J0～J3 是第 0～3 行，J4～J7 是第 0～3 列，按下的键连通它的行和列",
    "Seg2": "段 A～G、DP 为高时亮；公共端 1、2 为低时选中该位", "Seg6": "同 2 位数码管，公共端 1～6",
    "Bar": "引脚为低时对应的灯亮", "Dot16": "R 行线为低时选中，C 列线为高时点亮",
    "Dot32": "R 行线为低时选中，C 列线为高时点亮", "LCD": "RS、R/W、E、D0～D7（HD44780 总线）",
    "Scope": "8 个探头通道", "Scope1": "一个探头", "Voltmeter": "一个探头，显示 0～5 伏",
    "DAC": "B0～B7 输入，OUT 输出 值/255×5 伏", "Motor": "两端电平不同即转动，也接受 MOTOR 语句的 PWM",
    "Servo": "接 SERVOE/SERVOX 控制的 PC0～PC4", "DFF": "S、R 低电平有效；CP 上升沿存入 D；QN 为反相输出",
    "JKFF": "S、R 低电平有效；CP 下降沿按 J、K 动作", "Expander": "CP 上升沿把 D0～D7 锁存到 A0～A2 选中的组，Q0～Q63 为 QA0～QH7",
    "NOT": "输入 A，输出 Y", "AND": "输入 A、B，输出 Y", "OR": "输入 A、B，输出 Y", "NAND": "输入 A、B，输出 Y",
    "NOR": "输入 A、B，输出 Y", "MCU": "引脚号即封装管脚号减 1", "Speaker": "引脚不参与仿真，声音来自程序",
    "VCC": "高电平", "GND": "低电平",
}


def pins_text(names):
    if len(names) > 28:
        return f"共 {len(names)} 个：" + "、".join(f"{i} {n}" for i, n in enumerate(names[:12])) + " …… " + \
            f"{len(names) - 1} {names[-1]}"
    return "、".join(f"{i} {n}" for i, n in enumerate(names))


def main():
    print("| 元件栏名称 | TYPE / MODEL | 引脚（序号 名称） | 说明 |")
    print("|---|---|---|---|")
    for kind, (code, has_model, names) in sorted(PARTS.items(), key=lambda kv: kv[1][0]):
        captions = CAPTIONS[kind]
        models = " ".join(f"{code}/{m + 1}" for m in range(len(captions))) if has_model else str(code)
        print(f"| {'、'.join(captions)} | {models} | {pins_text(names)} | {NOTES[kind]} |")


if __name__ == "__main__":
    main()
