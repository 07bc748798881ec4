#!/usr/bin/env python3
"""Writes the explanatory pages shown in the program's text views (simple HTML, no external resources).

    python3 tools/make_resources/make_texts.py resources/RTFfiles

The equation pages are written from one table so that their layout and notation stay alike.
The set-ups named "Mode n" and "Mask Mode n" are the rows of the configuration pictures
(resources/DUdoderi/O2configurations.png and the others drawn by make_images).
"""

import os
import sys

# ---------------------------------------------------------------- notation

O2 = "O<sub>2</sub>"
CO2 = "CO<sub>2</sub>"
H2O = "H<sub>2</sub>O"
VO2 = "VO<sub>2</sub>"
VCO2 = "VCO<sub>2</sub>"
VH2O = "VH<sub>2</sub>O"
FiO2 = "FiO<sub>2</sub>"
FeO2 = "FeO<sub>2</sub>"
FiCO2 = "FiCO<sub>2</sub>"
FeCO2 = "FeCO<sub>2</sub>"
FiH2O = "FiH<sub>2</sub>O"
FeH2O = "FeH<sub>2</sub>O"
dO2 = "&Delta;O<sub>2</sub>"
dCO2 = "&Delta;CO<sub>2</sub>"
X = " &times; "
M = " &minus; "

SYMBOLS = {
    "FR": "flow rate through the system, corrected to STP (0 &deg;C, 760 torr) and, where humidity data are given, to dry air",
    "FiO2": f"incurrent and excurrent fractional {O2} concentrations ({FiO2} = 0.2095 for dry outdoor air)",
    "FiCO2": f"incurrent and excurrent fractional {CO2} concentrations; "
    f"{FiCO2} counts as 0 when all incurrent {CO2} is absorbed",
    "dO2": f"{FiO2}{M}{FeO2}: the {O2} deflection of the analyser channel, as a fraction "
    "(a reading of 0.5 % is 0.005)",
    "dCO2": f"{FeCO2}{M}{FiCO2}: the {CO2} deflection of the analyser channel, as a fraction",
    "dCO2c": f"the %{CO2} channel, read as a fraction; zero it against incurrent air first "
    f"so that it holds {FeCO2}{M}{FiCO2}",
    "dO2c": f"the %{O2} channel, read as a fraction; zero it against incurrent air first "
    f"so that it holds {FiO2}{M}{FeO2}",
    "RQ": f"respiratory quotient, {VCO2} / {VO2}, assumed constant (0.85 unless you type another value)",
    "VCO2c": f"the {CO2} production channel, in ml/min (the unit of the flow rate)",
    "VO2c": f"the {O2} consumption channel, in ml/min (the unit of the flow rate)",
}

INSTANT = (
    "<p>With the <i>Instantaneous</i> flow correction each sample is first corrected for the washout "
    "of the chamber: x<sub>inst</sub> = (x(t)" + M + "x(t" + M + "&Delta;t)) / (1" + M
    + "e<sup>&minus;FR&nbsp;&Delta;t / V</sup>) + x(t" + M + "&Delta;t), with V the effective volume.</p>"
)

NOT_ABSORBED = (
    f"<li>When incurrent {CO2} is not absorbed in Mode 1 or Mode 3, the result is also divided by "
    f"(1{M}{FiCO2}{X}(1{M}1/RQ)).</li>"
)


def page(title, body):
    return (
        "<html><head><meta charset=\"utf-8\"><title>" + strip_tags(title) + "</title></head>\n<body>\n"
        + "<h2>" + title + "</h2>\n" + body + "\n</body></html>\n"
    )


def strip_tags(s):
    out, inside = [], False
    for ch in s:
        if ch == "<":
            inside = True
        elif ch == ">":
            inside = False
        elif not inside:
            out.append(ch)
    return "".join(out).replace("&Delta;", "Delta ").replace("&amp;", "&")


def equation(text):
    return f'<p align="center" style="font-size:large"><b>{text}</b></p>'


def symbols(keys):
    rows = "".join(f"<tr><td valign=\"top\"><b>{k_label(k)}</b></td><td>{SYMBOLS[k]}</td></tr>" for k in keys)
    return '<p><b>Symbols</b></p>\n<table cellspacing="2" cellpadding="2">' + rows + "</table>"


def k_label(k):
    return {
        "FR": "FR",
        "FiO2": f"{FiO2}, {FeO2}",
        "FiCO2": f"{FiCO2}, {FeCO2}",
        "dO2": dO2,
        "dCO2": dCO2,
        "dCO2c": dCO2,
        "dO2c": dO2,
        "RQ": "RQ",
        "VCO2c": VCO2,
        "VO2c": VO2,
    }[k]


def eq_page(title, setup, eq, notes, keys):
    body = f"<p><b>Set-up:</b> {setup}</p>\n" + equation(eq) + "\n"
    if notes:
        body += "<ul>" + "".join(f"<li>{n}</li>" if not n.startswith("<li>") else n for n in notes) + "</ul>\n"
    body += symbols(keys) + "\n" + INSTANT
    return page(title, body)


MASK_ROOM_AIR = f"The mask modes draw room air, which carries {CO2}: their result is also divided by (1{M}{FiCO2})."
HUMID = f"Where the flow meter sees humid air, FR is the dry flow: the measured flow{X}(1{M}{FiH2O}), " \
        "with the water-vapour fraction taken from the humidity data you give."


def equation_pages():
    p = {}
    p["O2mm1"] = eq_page(
        f"{VO2}: flow meter upstream, {CO2} scrubbed",
        f"Mode 1 and Mask Mode 1: air is pushed through the flow meter into the chamber or mask; water and "
        f"{CO2} are scrubbed from the excurrent air before the {O2} analyser. This case is exact: no RQ is needed.",
        f"{VO2} = FR{X}({FiO2}{M}{FeO2}) / (1{M}{FeO2})",
        [
            MASK_ROOM_AIR,
            f"When incurrent {CO2} is not absorbed in Mode 1, the result is multiplied by (1{M}{FiCO2}) and divided "
            f"by (1{M}{FiCO2}{X}(1{M}1/RQ)).",
            f"Mask Mode 2 with a constant RQ also opens this page; there the RQ term applies: "
            f"{VO2} = FR{X}({FiO2}{M}{FeO2}) / (1{M}{FeO2}{X}(1{M}RQ)), divided by (1{M}{FiCO2}).",
            HUMID,
        ],
        ["FR", "FiO2", "FiCO2", "RQ"],
    )
    p["O2m3"] = eq_page(
        f"{VO2}: flow meter downstream, after the scrubbers",
        f"Mode 3: air is pulled through the chamber; water and {CO2} are scrubbed before the flow meter and "
        f"the {O2} analyser, so the flow meter measures dry, {CO2}-free air. No RQ is needed.",
        f"{VO2} = FR{X}({FiO2}{M}{FeO2}) / (1{M}{FiO2})",
        [
            f"When incurrent {CO2} is not absorbed, the result is multiplied by (1{M}{FiCO2}) and divided by "
            f"(1{M}{FiCO2}{X}(1{M}1/RQ)).",
        ],
        ["FR", "FiO2", "FiCO2", "RQ"],
    )
    p["O2m2"] = eq_page(
        f"{VO2}: flow meter upstream, {CO2} not scrubbed",
        f"Mode 2: air is pushed through the flow meter into the chamber; water is scrubbed before the {O2} "
        f"analyser but {CO2} is not, so {CO2} dilutes the {O2} the analyser sees. An RQ corrects for it.",
        f"{VO2} = FR{X}({FiO2}{M}{FeO2}) / (1{M}{FeO2}{X}(1{M}RQ))",
        [HUMID, f"To use a measured {CO2} channel instead of the RQ, choose <i>Use {VCO2}</i> or <i>Use %{CO2}</i>."],
        ["FR", "FiO2", "RQ"],
    )
    p["O2m4"] = eq_page(
        f"{VO2}: flow meter downstream, {CO2} scrubbed from the sub-sample",
        f"Mode 4 and Mask Mode 4: the flow meter measures the whole excurrent stream, {CO2} included (dried in "
        f"Mode 4; humid and corrected in Mask Mode 4); {CO2} is scrubbed only from the sub-sample that goes to "
        f"the {O2} analyser.",
        f"{VO2} = FR{X}({FiO2}{M}{FeO2}) / (1{M}{FiO2} + RQ{X}({FiO2}{M}{FeO2}))",
        [MASK_ROOM_AIR, HUMID],
        ["FR", "FiO2", "FiCO2", "RQ"],
    )
    p["O2 m3 or mm5"] = eq_page(
        f"{VO2}: flow meter downstream, no {CO2} scrubber",
        f"Mode 5 and Mask Mode 3: the flow meter is downstream on dried air and no {CO2} is scrubbed anywhere; "
        f"the {O2} analyser sees {CO2} in the sample. An RQ accounts for it.",
        f"Mode 5: {VO2} = FR{X}({FiO2}{M}{FeO2}) / (1{M}{FeO2}{X}(1{M}RQ))",
        [
            f"Mask Mode 3: {VO2} = FR{X}({FiO2}{M}{FeO2}) / (1{M}{FiO2} + RQ{X}{FeO2}), "
            f"divided by (1{M}{FiCO2}) for the room air.",
            f"To use a measured {CO2} channel instead of the RQ, choose <i>Use {VCO2}</i> or <i>Use %{CO2}</i>.",
        ],
        ["FR", "FiO2", "FiCO2", "RQ"],
    )
    p["O2 mm4"] = eq_page(
        f"{VO2}: mask, humid flow, no {CO2} scrubber",
        f"Mask Mode 5: room air is pulled past the mask; the flow meter sees humid air (corrected with your "
        f"humidity data); no {CO2} is scrubbed before the {O2} analyser.",
        f"{VO2} = FR{X}({FiO2}{M}{FeO2}) / (1{M}{FiO2}{X}(1{M}RQ))",
        [MASK_ROOM_AIR, HUMID],
        ["FR", "FiO2", "FiCO2", "RQ"],
    )
    p["O2 from VCO2"] = eq_page(
        f"{VO2} from a {VCO2} channel: flow meter upstream",
        f"Mode 2 with a channel of {CO2} production: flow meter upstream, water scrubbed, {CO2} left in the "
        f"sample. The measured {VCO2} replaces the assumed RQ.",
        f"{VO2} = (FR{X}({FiO2}{M}{FeO2}){M}{FeO2}{X}{VCO2}) / (1{M}{FeO2})",
        [HUMID],
        ["FR", "FiO2", "VCO2c"],
    )
    p["O2 from VCO2 FMdownstream"] = eq_page(
        f"{VO2} from a {VCO2} channel: flow meter downstream, sub-sample scrubbed",
        f"Mode 4, Mask Mode 2 and Mask Mode 4 with a channel of {CO2} production: the flow meter measures the "
        f"excurrent stream with its {CO2}; {CO2} is scrubbed from the analysed sub-sample only.",
        f"{VO2} = (FR{M}{VCO2}){X}({FiO2}{M}{FeO2}) / (1{M}{FiO2})",
        [MASK_ROOM_AIR, HUMID],
        ["FR", "FiO2", "FiCO2", "VCO2c"],
    )
    p["O2 from VCO2 FM DS no scrub"] = eq_page(
        f"{VO2} from a {VCO2} channel: flow meter downstream, no {CO2} scrubber",
        f"Mode 5, Mask Mode 3 and Mask Mode 5 with a channel of {CO2} production: the flow meter is downstream "
        f"and no {CO2} is scrubbed.",
        f"{VO2} = (FR{X}({FiO2}{M}{FeO2}){M}{FiO2}{X}{VCO2}) / (1{M}{FiO2})",
        [MASK_ROOM_AIR, HUMID],
        ["FR", "FiO2", "FiCO2", "VCO2c"],
    )
    p["O2 from VCO2 FM UpS no scrub"] = eq_page(
        f"{VO2} from a %{CO2} channel: flow meter upstream",
        f"Mode 2 with a channel of {CO2} concentration: flow meter upstream, water scrubbed, {CO2} left in the "
        f"sample and measured by a {CO2} analyser.",
        f"{VO2} = FR{X}({dO2}{M}{FeO2}{X}{dCO2}) / (1{M}{FeO2})",
        [HUMID],
        ["FR", "FiO2", "dO2", "dCO2c"],
    )
    p["O2m4 and mm2&4"] = eq_page(
        f"{VO2} from a %{CO2} channel: flow meter downstream, sub-sample scrubbed",
        f"Mode 4, Mask Mode 2 and Mask Mode 4 with a channel of {CO2} concentration: the flow meter measures "
        f"the excurrent stream with its {CO2}; {CO2} is measured, then scrubbed from the sub-sample before the "
        f"{O2} analyser.",
        f"{VO2} = FR{X}({FiO2}{M}{FeO2}){X}(1{M}{dCO2}) / (1{M}{FiO2})",
        [MASK_ROOM_AIR, HUMID],
        ["FR", "FiO2", "FiCO2", "dCO2c"],
    )
    p["VO2 from %CO2"] = eq_page(
        f"{VO2} from a %{CO2} channel: flow meter downstream, no {CO2} scrubber",
        f"Mode 5, Mask Mode 3 and Mask Mode 5 with a channel of {CO2} concentration: the flow meter is "
        f"downstream and no {CO2} is scrubbed; both gases are measured.",
        f"{VO2} = FR{X}({dO2}{M}{FiO2}{X}{dCO2}) / (1{M}{FiO2})",
        [MASK_ROOM_AIR, HUMID],
        ["FR", "FiO2", "FiCO2", "dO2", "dCO2c"],
    )
    p["VCO2 constant RQ"] = eq_page(
        f"{VCO2} with a constant RQ: flow meter upstream",
        f"Mode 1 of the {CO2} set-ups: air is pushed through the flow meter into the chamber; water is scrubbed "
        f"before the {CO2} analyser. The {O2} taken up changes the excurrent flow; an RQ accounts for it.",
        f"{VCO2} = FR{X}{dCO2} / (1{M}RQ{X}{dCO2})",
        [NOT_ABSORBED, HUMID],
        ["FR", "dCO2", "FiCO2", "RQ"],
    )
    p["VCO2 from RQ downstream"] = eq_page(
        f"{VCO2} with a constant RQ: flow meter downstream",
        f"Mode 2, Mode 4 and Mask Mode 1 of the {CO2} set-ups: the flow meter is downstream of the chamber "
        f"(dried air in Modes 2 and Mask Mode 1, humid air in Mode 4).",
        f"{VCO2} = FR{X}{dCO2} / (1{M}{FiCO2}{X}(1{M}1/RQ))",
        [f"Mask Mode 1 draws room air: its result is also divided by (1{M}{FiCO2}).", HUMID],
        ["FR", "dCO2", "FiCO2", "RQ"],
    )
    p["VCO2 from RQ downstream B"] = eq_page(
        f"{VCO2} with a constant RQ: flow meter behind a {CO2} scrubber",
        f"Mode 3 and Mask Mode 2 of the {CO2} set-ups: the {CO2} analyser reads the dried excurrent air, then a "
        f"{CO2} scrubber removes the {CO2} before the flow meter.",
        f"{VCO2} = FR{X}{dCO2} / (1{M}{dCO2} + {FiCO2} / RQ)",
        [NOT_ABSORBED],
        ["FR", "dCO2", "FiCO2", "RQ"],
    )
    p["VCO2 from RQ downstream scrub"] = eq_page(
        f"{VCO2} with a constant RQ: mask, humid flow",
        f"Mask Mode 3 of the {CO2} set-ups: room air is pulled past the mask; the flow meter sees humid air, "
        f"corrected with your humidity data; the analysed sub-sample is dried.",
        f"{VCO2} = FR{X}{dCO2} / (1 + {FiCO2}{X}(1 + 1/RQ))",
        [f"The room air carries {CO2}: the result is also divided by (1{M}{FiCO2}).", HUMID],
        ["FR", "dCO2", "FiCO2", "RQ"],
    )
    p["VCO2 from VO2 not scrubbed"] = eq_page(
        f"{VCO2} from a {VO2} channel: flow meter upstream",
        f"Mode 1 of the {CO2} set-ups with a channel of {O2} consumption: flow meter upstream, water scrubbed "
        f"before the {CO2} analyser. The measured {VO2} replaces the assumed RQ.",
        f"{VCO2} = (FR{X}{dCO2}{M}{VO2}{X}{FeCO2}) / (1{M}{FeCO2})",
        [f"{FeCO2} = {FiCO2} + {dCO2}.", NOT_ABSORBED, HUMID],
        ["FR", "dCO2", "FiCO2", "VO2c", "RQ"],
    )
    p["VCO2 from VO2 downstream"] = eq_page(
        f"{VCO2} from a {VO2} channel: flow meter downstream",
        f"Mode 2, Mode 4, Mask Mode 1 and Mask Mode 3 of the {CO2} set-ups with a channel of {O2} consumption: "
        f"the flow meter is downstream of the chamber or mask.",
        f"{VCO2} = (FR{X}{dCO2}{M}{FiCO2}{X}{VO2}) / (1{M}{FiCO2})",
        [
            f"With all incurrent {CO2} absorbed ({FiCO2} = 0) this is FR{X}{dCO2}.",
            f"Mask Modes 1 and 3 draw room air: their result is also divided by (1{M}{FiCO2}).",
            HUMID,
        ],
        ["FR", "dCO2", "FiCO2", "VO2c"],
    )
    p["VCO2 from VO2 dnstream scrub B"] = eq_page(
        f"{VCO2} from a {VO2} channel: flow meter behind a {CO2} scrubber",
        f"Mode 3 and Mask Mode 2 of the {CO2} set-ups with a channel of {O2} consumption: the {CO2} analyser "
        f"reads before a {CO2} scrubber that sits ahead of the flow meter.",
        f"{VCO2} = (FR{X}{dCO2}{M}{VO2}{X}{FeCO2}) / (1 + {dCO2})",
        [f"{FeCO2} = {FiCO2} + {dCO2}.", NOT_ABSORBED],
        ["FR", "dCO2", "FiCO2", "VO2c", "RQ"],
    )
    p["VCO2 from %O2 dnstream"] = eq_page(
        f"{VCO2} from a %{O2} channel: flow meter behind a {CO2} scrubber",
        f"Mode 3 and Mask Mode 2 of the {CO2} set-ups with a channel of {O2} concentration: the {CO2} analyser "
        f"reads before a {CO2} scrubber that sits ahead of the flow meter.",
        f"{VCO2} = FR{X}({dCO2} + {FiCO2}{X}{dO2}) / (1 + {dCO2})",
        [NOT_ABSORBED],
        ["FR", "dCO2", "FiCO2", "dO2c", "RQ"],
    )
    p["VCO2 from %O2 dnstream no scrub"] = eq_page(
        f"{VCO2} from a %{O2} channel: flow meter downstream",
        f"Mode 2, Mode 4, Mask Mode 1 and Mask Mode 3 of the {CO2} set-ups with a channel of {O2} "
        f"concentration: the flow meter is downstream and no {CO2} is scrubbed.",
        f"{VCO2} = FR{X}({dCO2} + {FiCO2}{X}{dO2}) / (1 + {FiCO2})",
        [f"Mask Modes 1 and 3 draw room air: their result is also divided by (1{M}{FiCO2}).", HUMID],
        ["FR", "dCO2", "FiCO2", "dO2c"],
    )
    p["VCO2 from %O2"] = eq_page(
        f"{VCO2} from a %{O2} channel: flow meter upstream",
        f"Mode 1 of the {CO2} set-ups with a channel of {O2} concentration: flow meter upstream, water scrubbed "
        f"before the analysers.",
        f"{VCO2} = FR{X}({dCO2}{M}{dO2}{X}{FeCO2}) / (1{M}{FeCO2})",
        [f"{FeCO2} = {FiCO2} + {dCO2}.", NOT_ABSORBED, HUMID],
        ["FR", "dCO2", "FiCO2", "dO2c", "RQ"],
    )
    p["VH2O equation"] = page(
        f"Evaporative water loss ({VH2O})",
        f"<p><b>Set-up:</b> a humidity sensor reads the excurrent air of a flow-through chamber; the flow meter "
        f"measures the incurrent air. The animal adds water vapour and exchanges {O2} for {CO2}, so the "
        f"excurrent stream differs from the incurrent one; the equation keeps the dry, {CO2}-free part of the "
        f"air constant.</p>\n"
        + equation(
            f"{VH2O} = FR{X}[ {FeH2O}{X}(1{M}{FiO2}{M}{FiCO2}{M}{FiH2O}) / "
            f"(1{M}{FeO2}{M}{FeCO2}{M}{FeH2O}){M}{FiH2O} ]"
        )
        + "\n<ul>"
        f"<li>{FeH2O} = water-vapour pressure of the excurrent air / barometric pressure. The vapour pressure "
        f"comes from the humidity channel: relative humidity with the sensor temperature, dew point, vapour "
        f"pressure in kPa, or vapour content.</li>"
        f"<li>{FiH2O} is the incurrent water-vapour fraction (0 for dry incurrent air); "
        f"<i>Estimate FiH2O...</i> works it out from an incurrent humidity reading.</li>"
        f"<li>{FeO2} and {FeCO2} come from {O2} and {CO2} channels, from an {O2} channel and the RQ, or from a "
        f"constant {FeO2}.</li>"
        f"<li>The volume of water vapour is turned into mass with 0.8036 mg per ml; the energy units use the "
        f"latent heat of vaporisation at the temperature of the evaporating surface.</li>"
        "</ul>\n"
        + '<p><b>Symbols</b></p>\n<table cellspacing="2" cellpadding="2">'
        + f"<tr><td><b>FR</b></td><td>{SYMBOLS['FR']}</td></tr>"
        + f"<tr><td><b>{FiH2O}, {FeH2O}</b></td><td>incurrent and excurrent water-vapour fractions</td></tr>"
        + f"<tr><td><b>{FiO2}, {FeO2}</b></td><td>incurrent and excurrent fractional {O2} concentrations</td></tr>"
        + f"<tr><td><b>{FiCO2}, {FeCO2}</b></td><td>incurrent and excurrent fractional {CO2} concentrations</td></tr>"
        + "</table>",
    )
    return p


# ---------------------------------------------------------------- other pages

def data_blocks():
    return page(
        "Setting data blocks and screen views",
        "<p>A <b>block</b> is a stretch of consecutive samples. The analyses, most edits and the block exports "
        "work on the block of the file in use.</p>\n"
        "<ul>"
        "<li><b>Drag</b> across the plot with the mouse: the block runs from where you pressed to where you "
        "let go.</li>"
        "<li>Or <b>click twice</b>: the first click marks one edge with a vertical line, the second click the "
        "other edge.</li>"
        "<li>With a fixed block width (<i>Block Width...</i>) <b>one click</b> selects a block of that width "
        "centred on the click.</li>"
        "</ul>\n"
        "<p>The selected block is highlighted on the plot, and the <b>block window</b> shows it enlarged: the "
        "active channel scaled to the block's own minimum and maximum, with its markers and the extreme values. "
        "The title gives the channel, the first and last case and the number of cases.</p>\n"
        "<p>The <b>&laquo;&nbsp;blk</b> and <b>blk&nbsp;&raquo;</b> buttons of the tool bar move the block by "
        "its own width, so one analysis can be run over consecutive stretches; with automatic repeat on, the last "
        "analysis runs again on every new block. <b>Zoom In</b> shows the block across the whole plot, "
        "<b>Zoom Out</b> returns. <i>Clear Block</i> removes the highlight; <i>Reset Last Block</i> brings the "
        "last block back.</p>\n"
        "<p>Long files are shown a screen at a time; the whole-file view (<b>&Delta; View</b>) compresses the "
        "whole recording into one screen, where a block can be selected just the same.</p>",
    )


def water_vapour():
    return page(
        f"Water vapour and flow-through respirometry",
        f"<p>Air leaving an animal is moister than the air that went in. Water vapour <b>dilutes</b> the other "
        f"gases: at 20 &deg;C saturated air is about 2.3 % water, which lowers the {O2} fraction an analyser "
        f"sees from 20.95 % to about 20.47 %, a change as large as a typical {O2} deflection.</p>\n"
        f"<ul>"
        f"<li>Scrub water (for example with a desiccant column) before the analysers and, in push systems, before "
        f"the flow meter, and the dilution disappears.</li>"
        f"<li>Where humid air cannot be avoided, give humidity data: a channel of relative humidity (with the "
        f"sensor temperature), dew point, or water-vapour pressure, or a constant relative humidity. The program "
        f"works out the water-vapour fraction w of each sample and uses the dry flow FR{X}(1{M}w).</li>"
        f"<li>The water-vapour fraction is the vapour pressure divided by the barometric pressure; the saturation "
        f"vapour density comes from the temperature.</li>"
        f"</ul>\n"
        f"<p><b>Evaporative water loss</b> ({VH2O}) is measured the same way: a humidity sensor in the "
        f"excurrent air, the flow rate, and the {O2} and {CO2} exchange that changes the excurrent flow.</p>",
    )


def analyser_compensation(gas):
    other = CO2 if gas == O2 else O2
    return page(
        f"Humidity compensation of a {gas} analyser",
        f"<p>An analyser that reads moist gas reads low: the water vapour in the sample takes up part of its "
        f"volume. If the gas reaching the {gas} analyser is not dry, the recorded {gas} values carry this "
        f"error.</p>\n"
        f"<p><i>Analyzer Humidity Compensation</i> rewrites the channel so that each sample is corrected for the "
        f"water-vapour fraction w of the analysed gas at that moment:</p>\n"
        f"<ul>"
        f"<li>Choose the channel to adjust, and say whether it holds a <b>deflection</b> (the difference from an "
        f"{O2} baseline, as for {VO2} work) or an <b>absolute</b> content (%{CO2}, {VCO2}, or %{O2} not zeroed "
        f"to a baseline): the correction differs between the two.</li>"
        f"<li>Give the humidity of the analysed gas: a channel of relative humidity, dew point or vapour pressure, "
        f"or a constant relative humidity, and the barometric pressure.</li>"
        f"<li>Tick <i>Save Data in New Channel</i> to keep the original channel; otherwise it is overwritten and "
        f"cannot be restored with Undo.</li>"
        f"</ul>\n"
        f"<p>The same correction applies to the {other} channel if its analyser also sees moist gas. Drying the "
        f"sample before the analysers avoids the need for it.</p>",
    )


def periodicity():
    return page(
        "Periodicity test",
        "<p>The test looks for a repeating pattern in the selected block of the active channel. For "
        "k = 1 to K it regresses each sample on the sample a fixed interval later "
        "(lag + k &times; step samples), and draws the K coefficients of determination "
        "(r<sup>2</sup>) as a bar chart, bars above the line for a positive slope and below for a negative one.</p>\n"
        "<ul>"
        "<li>The interval with the highest r<sup>2</sup> is reported as the period, with the probability that "
        "its slope is zero.</li>"
        "<li>Other local peaks of r<sup>2</sup> above a threshold you choose are listed below the chart.</li>"
        "<li><b>K</b> is the number of regressions: pick one of the buttons or type a value. It cannot exceed the "
        "block length; when lag + K &times; step leaves too few points, K is reduced and you are told.</li>"
        "</ul>\n"
        "<p>A strong periodicity gives a tall red bar at its interval and smaller peaks at its multiples. "
        "The results can be printed or saved as delimited text.</p>",
    )


TOOLS = [
    ("Info", "information about the file"),
    ("Dup", "duplicate the active channel"),
    ("BsLn", "correct the baseline"),
    ("RmRf", "remove reference readings"),
    ("lag", "correct the lag time"),
    ("&int;", "integrate the channel"),
    ("&part;", "derivative of the channel"),
    ("Smth", "smooth"),
    ("Trim", "remove spikes"),
    ("Spk", "spike tool"),
    (VO2, f"compute {O2} consumption"),
    (VCO2, f"compute {CO2} production"),
    (VH2O, "compute evaporative water loss"),
    ("Transform", "standard transformations"),
    ("&Delta; blk", "change the block"),
    ("Open", "open a file"),
    ("Append", "append a file to this one"),
    ("Stack", "stack a file's channels onto this one"),
    ("Save", "save the file"),
    ("SavAs", "save the file under a new name"),
    ("Avg", "basic descriptive statistics of the block", True),
    ("Min", "minimum value in the block", True),
    ("Max", "maximum value in the block", True),
    ("&sum;", "integrate the block", True),
    ("&part;T", "slope against time", True),
    ("Asmp", "find an asymptote", True),
    ("Poly", "fit a polynomial", True),
    ("Wave", "waveform analysis", True),
    ("tSer", "basic time-series analysis", True),
    ("Regr", "regress one channel on another (two or more channels)", True),
    ("tInt", "time integration", True),
    ("eCnt", "count events", True),
    ("Nml", "normal scaling"),
    ("In&Oslash;", "scale to include zero"),
    ("Ms", "set the scale interactively"),
    ("Rdr", "redraw"),
    ("MCh", "show multiple channels"),
    ("OvL", "overlay channels (single-channel view)"),
    ("Cmt", "show the comments"),
    ("Blk", "block width"),
    ("&Delta; View", "whole-file view on or off"),
    ("Zoom In", "show the block across the plot", True),
    ("Zoom Out", "back from a zoom (shown while zoomed)"),
    ("Cut Block", "cut the block from all channels", True),
    ("&laquo; blk", "move the block left by its width", True),
    ("blk &raquo;", "move the block right by its width", True),
    ("Del Mkr", "remove the markers in the block", True),
    ("Key", "this key"),
]


def toolbar_key(no_block):
    rows = []
    for entry in TOOLS:
        label, what = entry[0], entry[1]
        needs = len(entry) > 2
        mark = " <i>(needs a block)</i>" if needs and no_block else ""
        rows.append(f"<tr><td><b>{label}</b></td><td>{what}{mark}</td></tr>")
    intro = (
        "<p>Each button of the tool bar runs one command on the file in use. Click the tool bar's close box to "
        "move it to the left of, below or above the plot.</p>"
    )
    if no_block:
        intro += (
            "<p><b>No block is selected</b>, so the analysis buttons, <b>Zoom In</b>, <b>Cut Block</b>, the "
            "block-shift buttons and <b>Del Mkr</b> are hidden. They need a block: drag across the plot, or "
            "click twice, to select one.</p>"
        )
    return page("Tool bar key" + (" (no block selected)" if no_block else ""),
                intro + '\n<table cellspacing="2" cellpadding="1">' + "".join(rows) + "</table>")


def all_pages():
    pages = equation_pages()
    pages["data blocks"] = data_blocks()
    pages["VH2O"] = water_vapour()
    pages["VCO2 compensation"] = analyser_compensation(CO2)
    pages["VO2 compensation"] = analyser_compensation(O2)
    pages["periodicity test"] = periodicity()
    pages["toolbar key"] = toolbar_key(False)
    pages["toolbar key (no block)"] = toolbar_key(True)
    return pages


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    out_dir = sys.argv[1]
    os.makedirs(out_dir, exist_ok=True)
    for stem, html in sorted(all_pages().items()):
        with open(os.path.join(out_dir, stem + ".html"), "w", encoding="utf-8", newline="\n") as f:
            f.write(html)
        print(stem + ".html")
    return 0


if __name__ == "__main__":
    sys.exit(main())
