#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws ORVANE's toolbar and program icons as one family of 24x24 SVGs (run it after editing).

Shared look: 1.6 px dark outlines with round joins, flat fills from one small palette, the
controller drawn as the same chip wherever the controller is meant."""
import pathlib

INK = "#27384a"
BLUE, GREEN, RED, AMBER, GREY, PAPER = "#2f7fd1", "#2e9d57", "#d2453b", "#e3a21a", "#8797a8", "#ffffff"
STROKE = f'stroke="{INK}" stroke-width="1.6" stroke-linejoin="round" stroke-linecap="round"'


def svg(body):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">'
            f"{body}</svg>\n")


def page(x=5, y=3, w=13, h=18, fill=PAPER):
    c = 4
    return (f'<path d="M{x} {y}h{w-c}l{c} {c}v{h-c}h-{w}z" fill="{fill}" {STROKE}/>'
            f'<path d="M{x+w-c} {y}v{c}h{c}" fill="none" {STROKE}/>')


def chip(fill, x=4, y=9, w=16, h=11):
    pins = "".join(f'<path d="M{x+3+i*3.3:.1f} {y}v-2.2M{x+3+i*3.3:.1f} {y+h}v2.2" {STROKE}/>' for i in range(4))
    return pins + f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="1.8" fill="{fill}" {STROKE}/>'


def arrow_down(x=12, y1=1.5, y2=8.5, color=INK):
    return (f'<path d="M{x} {y1}V{y2}" stroke="{color}" stroke-width="2.2" stroke-linecap="round"/>'
            f'<path d="M{x-3} {y2-3}l3 3 3-3" fill="none" stroke="{color}" stroke-width="2.2" '
            'stroke-linecap="round" stroke-linejoin="round"/>')


def arrow_up(x=12, y1=8.5, y2=1.5, color=INK):
    return (f'<path d="M{x} {y1}V{y2}" stroke="{color}" stroke-width="2.2" stroke-linecap="round"/>'
            f'<path d="M{x-3} {y2+3}l3-3 3 3" fill="none" stroke="{color}" stroke-width="2.2" '
            'stroke-linecap="round" stroke-linejoin="round"/>')


def cross(cx=12, cy=4.5, r=3, color=RED):
    return (f'<path d="M{cx-r} {cy-r}l{2*r} {2*r}M{cx+r} {cy-r}l-{2*r} {2*r}" stroke="{color}" '
            'stroke-width="2.4" stroke-linecap="round"/>')


def badge(color, letter):
    return (f'<rect x="2.5" y="2.5" width="19" height="19" rx="4" fill="{color}" {STROKE}/>'
            f'<path d="{letter}" fill="none" stroke="{PAPER}" stroke-width="2.2" '
            'stroke-linecap="round" stroke-linejoin="round"/>')


LETTER_S = "M15.2 8.6c-.7-1-1.8-1.6-3.2-1.6-1.9 0-3.2 1-3.2 2.5 0 3.4 6.6 1.8 6.6 5.2 0 1.5-1.4 2.5-3.3 2.5-1.5 0-2.7-.6-3.5-1.7"
LETTER_K = "M9 7v10M15.5 7 9 13.2M11.3 11 15.8 17"
LETTER_P = "M9.2 17V7h3.6a3 3 0 0 1 0 6H9.2"
LETTER_B = "M9 17V7h3.3a2.4 2.4 0 0 1 0 4.8H9m0 0h3.8a2.6 2.6 0 0 1 0 5.2H9"
GEAR = (f'<circle cx="12" cy="12" r="7.2" fill="none" stroke="{INK}" stroke-width="3.4" stroke-dasharray="2.6 3.05"/>'
        f'<circle cx="12" cy="12" r="5.6" fill="{GREY}" {STROKE}/><circle cx="12" cy="12" r="2" fill="{PAPER}" {STROKE}/>')

ICONS = {
    "new": page() + f'<path d="M11.5 10v7M8 13.5h7" stroke="{GREEN}" stroke-width="2.2" stroke-linecap="round"/>',
    "open": f'<path d="M2.5 6.5h6l2 2h9v11h-17z" fill="{AMBER}" {STROKE}/>'
            f'<path d="M2.5 19.5l3-8h16l-2 8z" fill="#f2c45a" {STROKE}/>',
    "save": f'<rect x="3.5" y="3.5" width="17" height="17" rx="2" fill="{BLUE}" {STROKE}/>'
            f'<rect x="7" y="3.5" width="10" height="6" fill="{PAPER}" {STROKE}/>'
            f'<rect x="6.5" y="13" width="11" height="7.5" fill="{PAPER}" {STROKE}/><path d="M14 5.5v2" {STROKE}/>',
    "print": f'<rect x="7" y="3.5" width="10" height="6" fill="{PAPER}" {STROKE}/>'
             f'<rect x="3" y="9" width="18" height="8" rx="2" fill="{GREY}" {STROKE}/>'
             f'<rect x="7" y="14" width="10" height="6.5" fill="{PAPER}" {STROKE}/>'
             f'<circle cx="17.5" cy="11.8" r=".9" fill="{GREEN}"/>',
    "preview": page(3, 2, 13, 17) + f'<circle cx="14.5" cy="14.5" r="4" fill="#dcebfa" {STROKE}/>'
               f'<path d="M17.5 17.5l3.5 3.5" stroke="{INK}" stroke-width="2.4" stroke-linecap="round"/>',
    "cut": f'<path d="M8.5 3.5 15.5 15M15.5 3.5 8.5 15" {STROKE}/>'
           f'<circle cx="7.5" cy="17.5" r="3" fill="{RED}" {STROKE}/><circle cx="16.5" cy="17.5" r="3" fill="{RED}" {STROKE}/>',
    "copy": page(3, 2, 11, 14) + page(9, 7, 11, 14),
    "paste": f'<rect x="4" y="4" width="16" height="17" rx="2" fill="{AMBER}" {STROKE}/>'
             f'<rect x="8.5" y="2.5" width="7" height="3.5" rx="1" fill="{GREY}" {STROKE}/>'
             + page(9, 9, 10, 12),
    "undo": f'<path d="M9 5 4.5 9.5 9 14" fill="none" stroke="{BLUE}" stroke-width="2.4" stroke-linecap="round" stroke-linejoin="round"/>'
            f'<path d="M5 9.5h9a5 5 0 0 1 0 10h-4" fill="none" stroke="{BLUE}" stroke-width="2.4" stroke-linecap="round"/>',
    "redo": f'<path d="M15 5l4.5 4.5L15 14" fill="none" stroke="{BLUE}" stroke-width="2.4" stroke-linecap="round" stroke-linejoin="round"/>'
            f'<path d="M19 9.5h-9a5 5 0 0 0 0 10h4" fill="none" stroke="{BLUE}" stroke-width="2.4" stroke-linecap="round"/>',
    "exit": f'<path d="M13.5 3.5h-9v17h9" fill="{PAPER}" {STROKE}/>'
            f'<path d="M9.5 12h11M17 8.5l3.5 3.5-3.5 3.5" fill="none" stroke="{RED}" stroke-width="2.4" stroke-linecap="round" stroke-linejoin="round"/>',
    "about": f'<circle cx="12" cy="12" r="9" fill="{BLUE}" {STROKE}/>'
             f'<path d="M12 11v6" stroke="{PAPER}" stroke-width="2.4" stroke-linecap="round"/><circle cx="12" cy="7.5" r="1.4" fill="{PAPER}"/>',
    "context-help": f'<path d="M3.5 3 3.5 16.5 7 13.3 9.3 18.5 11.3 17.6 9.1 12.5H13.5z" fill="{PAPER}" {STROKE}/>'
                    f'<circle cx="17" cy="15.5" r="5" fill="{BLUE}" {STROKE}/>'
                    f'<path d="M15.3 14a1.8 1.8 0 1 1 2.6 1.6c-.6.3-.9.7-.9 1.3" fill="none" stroke="{PAPER}" stroke-width="1.6" stroke-linecap="round"/>'
                    f'<circle cx="17" cy="18.6" r=".8" fill="{PAPER}"/>',
    "run": f'<path d="M7 4.5v15l12-7.5z" fill="{GREEN}" {STROKE}/>',
    "restart": f'<path d="M19.5 12a7.5 7.5 0 1 1-2.2-5.3" fill="none" stroke="{GREEN}" stroke-width="2.4" stroke-linecap="round"/>'
               f'<path d="M18.5 2.5v5h-5" fill="none" stroke="{GREEN}" stroke-width="2.4" stroke-linecap="round" stroke-linejoin="round"/>'
               f'<path d="M10 8.5v7l5.5-3.5z" fill="{GREEN}" {STROKE}/>',
    "step": f'<path d="M4 13V9.5a5 5 0 0 1 10 0V15" fill="none" stroke="{BLUE}" stroke-width="2.4" stroke-linecap="round"/>'
            f'<path d="M10.5 12.5 14 16l3.5-3.5" fill="none" stroke="{BLUE}" stroke-width="2.4" stroke-linecap="round" stroke-linejoin="round"/>'
            f'<rect x="3.5" y="18.5" width="17" height="3" rx="1.2" fill="{GREY}" {STROKE}/>',
    "pause": f'<rect x="5.5" y="4.5" width="4.5" height="15" rx="1.2" fill="{AMBER}" {STROKE}/>'
             f'<rect x="14" y="4.5" width="4.5" height="15" rx="1.2" fill="{AMBER}" {STROKE}/>',
    "stop": f'<rect x="5" y="5" width="14" height="14" rx="2" fill="{RED}" {STROKE}/>',
    "compile": GEAR,
    "simulate": chip("#dcebfa", y=7, h=13) + f'<path d="M10 10v7l5.5-3.5z" fill="{GREEN}" {STROKE}/>',
    "program-write": chip(GREEN) + arrow_down(),
    "program-read": chip(GREEN) + arrow_up(),
    "program-erase": chip(GREEN) + cross(),
    "system-write": chip(BLUE) + arrow_down(),
    "system-read": chip(BLUE) + arrow_up(),
    "system-erase": chip(BLUE) + cross(),
    "check": f'<circle cx="12" cy="12" r="9" fill="{PAPER}" {STROKE}/>'
             f'<path d="M4 12.5h3.5l2-4.5 3 9 2.5-6 1.2 1.5H20" fill="none" stroke="{GREEN}" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>',
    "bootloader": badge(AMBER, LETTER_B),
    "system": badge(BLUE, LETTER_S),
    "komendy": badge(GREEN, LETTER_K),
    "program": badge("#7a55c7", LETTER_P),
    "programctrl": badge("#7a55c7", "M7.2 17V7h3.6a3 3 0 0 1 0 6H7.2M15 12.5v5M12.5 15h5"),
    "orvane": f'<rect x="1.5" y="1.5" width="21" height="21" rx="5" fill="{BLUE}" stroke="{INK}" stroke-width="1.2"/>'
              f'<rect x="5" y="9" width="14" height="9.5" rx="1.8" fill="{INK}"/>'
              f'<circle cx="9.5" cy="9" r="3.6" fill="{PAPER}" stroke="{INK}" stroke-width="1.2"/>'
              f'<path d="M9.5 9 16.5 5" stroke="{PAPER}" stroke-width="2.6" stroke-linecap="round"/>'
              f'<circle cx="9.5" cy="9" r="1.2" fill="{INK}"/><circle cx="16" cy="14" r="1.2" fill="{AMBER}"/>',
}

here = pathlib.Path(__file__).parent
for name, body in ICONS.items():
    (here / f"{name}.svg").write_text(svg(body))
entries = "\n".join(f"    <file>{name}.svg</file>" for name in ICONS)
(here / "icons.qrc").write_text(f'<!DOCTYPE RCC>\n<RCC version="1.0">\n  <qresource prefix="/icons">\n{entries}\n  </qresource>\n</RCC>\n')
