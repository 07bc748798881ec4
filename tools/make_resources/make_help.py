#!/usr/bin/env python3
"""Writes the help pages the Help menu and the tools' "?" buttons open (simple HTML, no links).

    python3 tools/make_resources/make_help.py resources/help

One page per name the program asks for; every page has a title and at least one paragraph on
the tool or menu that opens it.
"""

import os
import sys

O2 = "O<sub>2</sub>"
CO2 = "CO<sub>2</sub>"
H2O = "H<sub>2</sub>O"
VO2 = "VO<sub>2</sub>"
VCO2 = "VCO<sub>2</sub>"


def page(title, paragraphs, extra=""):
    body = "".join("<p>" + p + "</p>\n" for p in paragraphs)
    plain = title.replace("<sub>", "").replace("</sub>", "")
    return (
        '<html><head><meta charset="utf-8"><title>' + plain + "</title></head>\n<body>\n<h2>" + title
        + "</h2>\n" + body + extra + "</body></html>\n"
    )


def table(rows):
    out = '<table cellspacing="2" cellpadding="3">'
    for a, b in rows:
        out += '<tr><td valign="top"><b>' + a + "</b></td><td>" + b + "</td></tr>"
    return out + "</table>\n"


KEYS = table([
    ("Up / Down arrow", "next or previous channel"),
    ("1 &hellip; 9, 0", "channel 1 to 10; Shift-1 &hellip; Shift-0 give channels 11 to 20"),
    ("+ and &minus;", "zoom in to the block, zoom out again"),
    ("Return or space", "zoom out, or move to the next page of a long file"),
    ("Left / Right arrow", "previous or next page"),
    ("Alt+Left / Alt+Right", "shift the block one block width to the left or right"),
    ("Escape", "clear the block"),
    ("S", "print an image of the plot window"),
    ("B", "basic descriptive statistics of the block"),
    ("D", "duplicate the active channel"),
    ("N and Z", "normal scaling, or scaling that includes zero, for the active channel"),
    ("A, C, E, F, J, M, O, R, U, V, W", "calculators: altitude, simple math, expressions, STP, day of the "
     "year, metabolism, pO<sub>2</sub>, closed systems, units, ventilation, dissolved oxygen"),
    ("Alt+1 &hellip; Alt+0", "show channel 1 to 10 for a moment over the plot"),
])

P = {}


def add(path, title, *paragraphs, extra=""):
    P[path] = page(title, list(paragraphs), extra)


add("Quorvelant help.html", "Quorvelant",
    "Quorvelant shows and analyses recordings made in the physiology laboratory: multi-channel files "
    "from " + O2 + " and " + CO2 + " analysers, water-vapour sensors, flow meters, temperature probes "
    "and activity sensors, sampled at a fixed interval.",
    "Open a file with File &gt; Open Kestrix&hellip; (or Import for Sable and delimited text files). "
    "Each file gets its own plot window; drag across the plot to select a block of samples, then choose "
    "an analysis from the Analyze menu or an edit from the Edit menu. The Special menu holds "
    "calculators that need no file at all.",
    "These keys work while a plot window is in front:", extra=KEYS)
add("HelpFiles/QVX general.html", "Working with Quorvelant",
    "Everything in Quorvelant starts from a plot window: one file, one channel drawn at a time, with a "
    "header line that shows the start date and time, the sample interval and the current block.",
    "Most commands open a tool window that stays in front until you press Done, OK or Cancel; while it "
    "is up, the plot waits. Results appear in the tool window and, when you choose a destination under "
    "File &gt; Send Results To:, can be written to a printer file, a spreadsheet or a text file.")
add("HelpFiles/QVFILEmenu.html", "The File menu",
    "Open Kestrix&hellip; reads the program's own binary and text files. Import reads Sable ExpeData "
    "files and delimited text; Append or Stack adds the cases or channels of a second file to the file "
    "in use. Save writes the file in place, Save As&hellip; asks for the channels, the format and the name.",
    "Send Results To: chooses where analysis results go; Output Results writes the latest results "
    "there, and Print | Close File closes the destination and prints it.")
add("QVeditmenu.html", "The Edit menu",
    "The Edit menu changes channels: baseline and lag corrections, integrals and derivatives, "
    "smoothing, spike and reference removal, transformations, block scaling, compaction, and the "
    "commands that change, cut or remove blocks and channels.",
    "Most edits can be undone once with Undo. With Record Edits checked, every edit adds a line to the "
    "file's comments so that the file keeps a history of what was done to it.")
add("analysismenu.html", "The Analyze menu",
    "The Analyze menu works on the block you selected: descriptive statistics, minimum and maximum "
    "values, the most level and most variable stretches, integrals, waveforms, FFT, regressions, "
    "polynomial fits, asymptotes, time integration and event counting.",
    "Analyses that need a block are dimmed until one is selected. Shift Block Left and Right move the "
    "block by its own width, so that you can step through a recording one interval at a time.")
add("QVviewmenu.html", "The View menu",
    "The View menu changes how the file is drawn: markers, grid lines and time segments, the vertical "
    "scaling of one or all channels, zoom, overlays of other channels, several channels at once, plot "
    "colours, histogram style and the values of all channels under the pointer.")
add("QVscripts.html", "Scripts",
    "A script is a list of operations recorded as you work. Record a Script starts recording, Halt "
    "Script Recording stops it; the script can then run on the next file you open, on every file you "
    "open, or be saved and loaded later.")
add("HelpFiles/QVSPECIAL.html", "The Special menu",
    "The Special menu holds calculators that need no data file: simple maths and regression, an "
    "expression evaluator, STP correction, altitude and barometric pressure, partial pressures, "
    "dissolved oxygen, metabolic allometry and minimum flow rates, chamber washout, Q10, closed-system "
    "respirometry, ventilation, the day of the year, sunrise and sunset, and unit conversions.")
add("HelpFiles/RESPIROMETRYmenu.html", "The Respirometry submenu",
    "Edit &gt; Respirometry turns analyser and flow channels into rates: " + VO2 + ", " + VCO2
    + " and evaporative water loss for flow-through chambers and masks, " + O2 + " consumption in "
    "water, humidity corrections of the analysers, heat equivalents and the effective volume of a chamber.")
add("HelpFiles/VCO2 compensation.html", VCO2 + " compensation",
    "When " + CO2 + " is not scrubbed before the " + O2 + " analyser, the " + CO2 + " the animal adds "
    "dilutes the " + O2 + " the analyser sees. Quorvelant corrects for it with an assumed respiratory "
    "quotient or, better, with a measured " + CO2 + " or " + VCO2 + " channel.")
add("HelpFiles/lag.html", "Correct Lag Time",
    "Gas takes time to travel from the animal to the analyser, and different analysers see the same "
    "breath at different times. Correct Lag Time shifts a channel by a number of samples so that it "
    "lines up with the others; the samples that fall off the end are filled with the last value.")
add("HelpFiles/blockwidth.html", "Block Width",
    "Block Width&hellip; fixes the width of the block in seconds. A box of that width follows the pointer "
    "over the plot, and a click places the whole block at once: convenient for taking equal intervals "
    "from a long recording.")
add("HelpFiles/VO2 compensation.html", VO2 + " compensation",
    "When " + O2 + " is not scrubbed of " + CO2 + " the " + VCO2 + " computation needs the " + O2
    + " deflection as well; Quorvelant uses the " + O2 + " channel you name, or an assumed RQ.")
add("HelpFiles/reArrange.html", "Re-arrange Channels",
    "Re-arrange Channels puts the channels of the file in a new order, or leaves some out. Tick the "
    "channels in the order you want them; the file is rewritten with that order and its labels follow.")
add("HelpFiles/general allometry.html", "Allometry",
    "Many physiological rates scale with body mass as a power function, rate = a &times; mass<sup>b</sup>. "
    "The allometry calculators use published coefficients for the group you choose, or your own.")
add("HelpFiles/channels.html", "Channels",
    "A file holds up to 40 channels of equal length. The channel popup at the top right of the plot "
    "window chooses the one on display; the number keys and the up and down arrows do the same.")
add("HelpFiles/allometry.html", "Metabolic allometry",
    "Choose a taxon and type a body mass: the calculator gives the resting metabolic rate expected "
    "from allometric equations, in the units you choose.")
add("HelpFiles/breakpoint.html", "Breakpoint transforms",
    "A breakpoint transform converts a channel with straight lines between points you give, for "
    "sensors whose response is not linear but is known at a few values.")
add("HelpFiles/smoothing.html", "Smoothing",
    "Smoothing replaces each sample by the mean of its neighbours. Choose the number of samples in the "
    "window and how many passes to make; more of either gives a smoother trace and blunter peaks.")
add("HelpFiles/transforms.html", "Standard Transformations",
    "Standard Transformations applies a formula to every sample of a channel: logarithms, powers, "
    "scaling and offsets, polynomials and unit conversions. The result replaces the channel or goes "
    "to a new one.")
add("HelpFiles/compact.html", "Compact &amp; Average",
    "Compact &amp; Average shortens a file by replacing every group of samples, or every interval of "
    "time, by its mean. Use it to bring long, finely sampled recordings down to a manageable size.")
add("HelpFiles/removeRefs.html", "Remove References",
    "Remove References takes out the reference readings of a multiplexed recording (the stretches "
    "where the analyser saw incurrent air) and fills the gaps by interpolating between the readings "
    "on either side.")
add("HelpFiles/removeSpikes.html", "Remove Spikes",
    "Remove Spikes finds samples that jump away from their neighbours by more than a threshold and "
    "replaces them by interpolated values. The interpolated samples are marked so that analyses can "
    "leave them out.")
add("HelpFiles/integrateDerive.html", "Integrals and derivatives",
    "Integrate&hellip; makes a new channel holding the running integral of the active channel over "
    "time; Derivative&hellip; makes one holding its rate of change per second.")
add("HelpFiles/baseline.html", "Correct Baseline",
    "Analysers drift. Correct Baseline subtracts a baseline drawn through the reference readings you "
    "pick, either as blocks on the plot or from markers, so that the channel reads zero where the "
    "reference was.")
add("HelpFiles/runningaverage.html", "Running Average",
    "Click points on the plot; the running average of the values you clicked is shown as you go.")
add("HelpFiles/basic stats.html", "Basic Descriptive Stats",
    "The mean, standard deviation, standard error, coefficient of variation, minimum, maximum and "
    "range of the block, for the active channel or for every channel. Press P to send them to the "
    "results destination.")
add("HelpFiles/minmaxlevel.html", "Minimum, maximum, most level and most variable",
    "These scans slide an interval of the length you give across the block and report the interval "
    "with the lowest mean, the highest mean, the smallest variation or the largest variation.")
add("HelpFiles/integrateBlock.html", "Integrate Block",
    "The area under the active channel across the block, above a baseline of zero, of the block's "
    "first or last value, of a line between them, or of a value you type, in the time unit you choose.")
add("HelpFiles/waveform.html", "Waveform analysis",
    "Waveform finds the peaks and valleys of a periodic signal in the block and reports their times, "
    "periods, frequencies and amplitudes.")
add("HelpFiles/time series.html", "Time series",
    "The basic time-series analysis looks for rhythm in the block: the correlation of the channel "
    "with itself at increasing lags.")
add("HelpFiles/FFT.html", "FFT",
    "FFT&hellip; (Analyze menu) shows the magnitude spectrum of a stretch of the active channel: how "
    "strongly each frequency is present. The file needs at least 128 samples.",
    "Choose the length of the stretch (a power of two from 128 up to the file's length), then move the "
    "pointer over the plot: a box of that many samples follows it, and the window tells its centre's "
    "case, time, clock time and value. Click to place it; near either end of the file the box stays on "
    "the data. Click Do FFT (or press Return).",
    "The spectrum replaces the trace on the plot. The element under the pointer is read out as a "
    "frequency or a period, in the unit chosen in the popup, with its magnitude. Each harmonic of the "
    "stretch has two elements, the magnitudes of its cosine and its sine part, each scaled so that a "
    "wave of amplitude 1 reads 1; the mean is left out. Zoom Out shows higher frequencies, up to half "
    "the sampling rate; Zoom In shows fewer. Smooth averages each element with its two neighbours once; "
    "Histogram draws bars or a line.",
    "Copy Channel adds the spectrum as shown to the file as a new channel (zeros after its last element). "
    "Save FFT&hellip; writes the whole spectrum, smoothed when Smooth is on, to a text file: a heading, then "
    "one row per element with its frequency or period and its magnitude; a period of frequency 0 is "
    "written INF. &#8710; Interval places another stretch; Exit or the close box puts the channel and "
    "the view back.",
    "A gap in the stretch leaves the whole spectrum without numbers: place the box where the channel has "
    "no gaps.")
add("HelpFiles/time slope.html", "Slope vs Time",
    "The least-squares line through the block against time: slope, intercept and r<sup>2</sup>, "
    "optionally of the logarithm of the values.")
add("HelpFiles/regression.html", "Regress Channels",
    "A least-squares regression of one channel on another over the block, with the residuals as a new "
    "channel if you ask for them.")
add("HelpFiles/asymptote.html", "Find Asymptote",
    "Fits an exponential approach to the block and reports the value the channel is heading for: "
    "useful when a recording was stopped before it settled.")
add("HelpFiles/polynomial.html", "Fit Polynomial",
    "Fits a polynomial of the degree you choose to the block, against time or against another channel.")
add("HelpFiles/time event counting.html", "Time integration and event counting",
    "Time Integration adds up a channel over time; Event Counting counts the times it crosses a "
    "threshold; Selective Integration adds up only the samples that meet a condition.")
add("HelpFiles/water VO2.html", VO2 + " in water",
    "Oxygen consumption of aquatic animals from the " + O2 + " content of the water flowing through a "
    "chamber, with the salinity and temperature setting the solubility of " + O2 + ".")
add("HelpFiles/effective volume.html", "Effective Volume",
    "The effective volume of a chamber from the washout of a step change in gas concentration in the "
    "block. It is needed for the instantaneous correction of respirometry data.")
add("HelpFiles/gas exchange.html", "Compute Gas Exchange",
    "Turns an analyser channel into " + VO2 + ", " + VCO2 + " or water loss for the flow-through set-up "
    "you describe: where the flow meter sits, which gases are scrubbed, and the incurrent "
    "concentrations.")
add("HelpFiles/constant volume.html", "Constant-volume respirometry",
    "In a closed chamber the animal's gas exchange shows as a steady change of concentration. The rate "
    "follows from that change, the chamber volume and the time.")
add("HelpFiles/stepped sampling.html", "Stepped Sampling",
    "Takes the mean of an interval at regular steps through the file, for example one minute every "
    "three minutes, and reports each.")
add("HelpFiles/tab file options.html", "Spreadsheet results",
    "When results go to a spreadsheet, each analysis writes one line. Choose which columns the lines "
    "carry: the date, the time, the body mass, the start and the channel.")
add("HelpFiles/SPECIALmath.html", "Simple Math",
    "A calculator for quick sums: type a number, an operation key (+, _, *, /, ^) and another number.")
add("HelpFiles/SPECIALstp.html", "STP Adjustment",
    "Corrects a gas volume or flow rate measured at a given temperature, pressure and humidity to "
    "standard temperature and pressure, dry.")
add("HelpFiles/SPECIALaltitude.html", "Altitude &amp; Pressure",
    "Gives the barometric pressure expected at an altitude, or the altitude that corresponds to a "
    "pressure, in the standard atmosphere.")
add("HelpFiles/SPECIALmetabolism.html", "Metabolism",
    "Resting metabolic rate from body mass by allometry, and the minimum flow rate a respirometry "
    "chamber needs for an animal of that size.")
add("HelpFiles/FILEplot.html", "The plot window",
    "The plot window shows one channel of the file at a time. Drag across it to select a block; the "
    "block window below shows the block enlarged, and the header line shows its duration.")
add("HelpFiles/FILEscreenimage.html", "Print File Image",
    "Prints an image of the plot window, with the channels and options you choose, to a printer or a "
    "PDF file.")
add("HelpFiles/FILEprinting.html", "Printing results",
    "Results sent to the printer file are collected until you choose Print | Close File, then printed "
    "with a header naming the file.")
add("HelpFiles/QVmenu.html", "The menus",
    "File opens, saves and prints; Edit changes channels; Analyze measures blocks; View changes the "
    "display; Script records and replays operations; Window lists the open files; Special holds the "
    "calculators.")
add("HelpFiles/EDITbasics.html", "Editing channels",
    "Every edit works on the active channel of the file in use, or on the block where the tool says so. "
    "Before a change the channel is copied, so the last edit can be undone.")
add("HelpFiles/EDITremove.html", "Removing blocks and channels",
    "Change or Remove sets a block to a value, removes a block from one channel or from all of them, "
    "or deletes channels. Removing cannot be undone; save first if in doubt.")
add("HelpFiles/RESPIROMETRYgeneral.html", "Respirometry in Quorvelant",
    "Flow-through respirometry measures the difference in gas concentration between the air entering "
    "and leaving a chamber or mask. With the flow rate, that difference gives the animal's gas exchange.")
add("HelpFiles/RESPIROMETRYVO2.html", "Computing " + VO2,
    "Name the " + O2 + " channel, describe the set-up, give the flow rate as a channel or a number, "
    "and the incurrent fractions. The result goes to the same channel or a new one.")
add("HelpFiles/RESPIROMETRYVCO2.html", "Computing " + VCO2,
    "As for " + VO2 + ", from the " + CO2 + " channel; the incurrent " + CO2 + " fraction matters "
    "unless it is scrubbed upstream.")
add("HelpFiles/RESPIROMETRYEWL.html", "Evaporative water loss",
    "Water loss from the water-vapour channel and the flow rate, in the units you choose.")
add("HelpFiles/RESPIROMETRYwater.html", "Respirometry in water",
    "Oxygen consumption of aquatic animals from dissolved " + O2 + ", flow rate, temperature and salinity.")
add("HelpFiles/RESPIROMETRYutilities.html", "Respirometry utilities",
    "Heat equivalents turn gas exchange into energy use; the effective volume of a chamber sets the "
    "instantaneous correction; the humidity correction removes the effect of water vapour on the analysers.")
add("HelpFiles/ANALYZEfundamentals.html", "Analysing blocks",
    "Select a block by dragging across the plot, by typing its limits or with Select All. Every "
    "analysis of the Analyze menu then works on that block of the active channel.")
add("HelpFiles/VIEWmarkers.html", "Markers",
    "Markers are numbered or lettered events stored with the file. Show or hide them, insert new ones, "
    "remove those inside the block, or export them as a list.")
add("HelpFiles/VIEWscaling.html", "Scaling",
    "High Resolution fills the plot with the data, Scale to Include Zero keeps zero in view, Normal "
    "Scaling rounds the limits to tidy numbers, and Manual Scaling takes the limits you type.")
add("HelpFiles/VIEWoverlay.html", "Overlay",
    "An overlay draws other channels over the active one, each scaled to its own range, so that you "
    "can compare their timing.")
add("HelpFiles/VIEWmultichan.html", "Several channels",
    "Show Multiple Channels stacks the channels you choose in strips; click a channel's button to make "
    "it active, or click the active one again to return to the single view.")
add("HelpFiles/VIEWreadouts.html", "Readouts",
    "The data bar shows the time and case under the pointer; Show All Channel Values adds the value of "
    "each chosen channel at that case.")
add("HelpFiles/data file formats.html", "Data file formats",
    "Quorvelant reads and writes its own binary format (big-endian singles, fast and compact) and its "
    "own text format; it reads Sable ExpeData files and delimited text, and exports csv and Sable files.")
add("HelpFiles/SCRIPT overview.html", "How scripts work",
    "While recording, each operation that supports scripts adds a step with its settings. When the "
    "script runs, the same operations run with those settings; where a step needs a block you are "
    "asked to select one.")
add("HelpFiles/SCRIPTmenu.html", "The Script menu",
    "Record, halt, load, view and save scripts; run them once by hand, automatically on one file or on "
    "every file you open; interrupt or clear them; and keep script runs quiet.")
add("HelpFiles/periodicity test.html", "Periodicity test",
    "Tests whether the peaks of the block come at regular intervals more often than chance would give.")
add("HelpFiles/crop warning.html", "Crop File to Block",
    "Cropping keeps only the block and discards everything else in every channel. It cannot be undone.")
add("HelpFiles/cross-channel index.html", "Cross-channel subset selection",
    "Selects the cases of the block where other channels meet the conditions you set, so that analyses "
    "use only those cases.")
add("HelpFiles/ASCIIfiles.html", "Text files",
    "Delimited text files hold one case per line and one channel per column, separated by commas, tabs "
    "or blanks. Import asks which columns to read and the sample interval.")
add("HelpFiles/closed-system resp.html", "Closed System Respirometry",
    "The rate of " + O2 + " consumption or " + CO2 + " production of an animal in a sealed chamber from "
    "the change in concentration, the chamber volume and the elapsed time.")
add("HelpFiles/ventilation.html", "Ventilation",
    "Tidal volume and minute ventilation from plethysmograph readings and the conditions of the chamber.")
add("HelpFiles/metabolic allometry.html", "Metabolic Allometry",
    "The metabolic rate expected for an animal's mass and group, and the conversions between units "
    "of energy and gas exchange.")
add("HelpFiles/expEval.html", "Expression Evaluator",
    "Type a mathematical expression with numbers, operators and functions; the evaluator gives its "
    "value and keeps the expression for the next time.")
add("HelpFiles/custom transforms.html", "Custom Transforms",
    "Keep the transformations you use often under a name of your own and apply them to any channel.")
add("HelpFiles/time scale adjustment.html", "Adjust Time Scale",
    "Corrects the sample interval of a file whose clock ran fast or slow, or whose interval was stored "
    "wrongly.")
add("HelpFiles/time scale adjustment 2.html", "Adjusting appended files",
    "When two files with different sample intervals are joined, the second is resampled to the first "
    "one's interval.")
add("HelpFiles/Plot area.html", "The plot area",
    "The traces fill the plot area between the header line and the time axis. The time axis shows "
    "seconds, minutes or hours by the length of the view.")
add("HelpFiles/GasExchangeNotes.html", "Notes on gas exchange",
    "Use dry, " + CO2 + "-free air where you can; every gas that is not scrubbed needs a correction, "
    "and every correction adds error.")
add("HelpFiles/TregCosts.html", "Thermoregulatory costs",
    "Estimates the energy an animal spends on keeping warm from the operative temperatures it meets, "
    "its body temperature and its conductance.")
add("HelpFiles/TregCostsOptions.html", "Thermoregulation options",
    "Sets torpor, activity and daytime rules for the thermoregulatory cost model.")
add("HelpFiles/TregCostFromSpreadsheet.html", "Costs from a table of species",
    "Runs the cost model for each row of a table of species, with their masses and body temperatures.")
add("HelpFiles/suncycle.html", "Sunrise, Sunset",
    "Sunrise, sunset and day length for a date and a place on the world map.")
add("HelpFiles/SPECIALpO2.html", "pO<sub>2</sub> &amp; pH<sub>2</sub>O Estimates",
    "Partial pressures of " + O2 + " and water vapour from the barometric pressure, the " + O2
    + " fraction, temperature and humidity.")
add("HelpFiles/SPECIALq10.html", "Q10 Adjustment",
    "Converts a rate measured at one temperature to another with the Q10 you give, or finds the Q10 "
    "from two rates.")
add("HelpFiles/FlowConfigurations.html", "Flow configurations",
    "The set-ups differ in where the flow meter sits (pushing air in or pulling it out) and which "
    "gases are scrubbed before the analysers. Each needs its own equation.")
add("HelpFiles/Respirometry1.html", "Respirometry: channels and flow",
    "First name the gas channel and tell Quorvelant where the flow rate comes from: a channel of the "
    "file or a value you type.")
add("HelpFiles/RespirometryCO2comp.html", "Respirometry: " + CO2 + " compensation",
    "Choose how the effect of " + CO2 + " on the " + O2 + " reading is compensated: by an RQ, by a "
    + CO2 + " channel or not at all when " + CO2 + " is scrubbed.")
add("HelpFiles/RespirometryFinish.html", "Respirometry: results",
    "Choose the output units and whether the result replaces the channel or goes to a new one.")
add("HelpFiles/RespirometryWaterComp.html", "Respirometry: water vapour",
    "Water vapour dilutes the other gases. Give the humidity of the air, or a water-vapour channel, "
    "where it is not scrubbed.")
add("HelpFiles/TregOptions.html", "Cost model options",
    "Options of the thermoregulatory cost model: variable body temperature, conductance while active, "
    "and what to do with missing temperatures.")
add("HelpFiles/trim.html", "Trimming",
    "Trimming sets every sample above an upper limit, or below a lower one, to the value you give.")
add("HelpFiles/spikeInteractive.html", "Interactive spike removal",
    "Click the spikes one at a time; each is replaced by the mean of its neighbours.")
add("HelpFiles/convection.html", "Convection",
    "Wind speed and the animal's size set the convective heat loss in the cost model.")
add("HelpFiles/TregRejectionCriteria.html", "Rejecting data",
    "Cases with missing shade or sun temperatures or wind speeds can be left out of the cost model.")
add("HelpFiles/prefsAppearance.html", "Preferences: appearance",
    "How plot windows look: labels, grid lines, the tool bar's place, and the size of label text.")
add("HelpFiles/prefsFiles.html", "Preferences: files",
    "How files are opened and saved: asking for the file type, spike filtering of new files, and the "
    "warning before closing a changed file.")
add("HelpFiles/prefsFonts.html", "Preferences: fonts",
    "The fonts of window labels and of the windows themselves.")
add("HelpFiles/prefsOperations.html", "Preferences: operations",
    "Sounds, automatic repeats, recording edits in the comments, and the defaults of several tools.")
add("HelpFiles/screenColors.html", "Plot and block colours",
    "Choose the colours of the plot, the traces, the block and the overlays, or one of the two ready-made "
    "schemes, light and dark.")
add("HelpFiles/toolbarKey.html", "Key to the tool bar",
    "The tool bar beside the plot window gives one-click access to the commands used most: opening, "
    "appending and saving files; the block analyses (statistics, minimum, maximum, integration, slope, "
    "asymptote, polynomial, waveform, time series, regression, time integration, event counting); the "
    "edits (baseline, references, lag, integral, derivative, smoothing, spikes, transformations, "
    "duplicate channel); respirometry; scaling, redraw, overlay, several channels, comments, block "
    "width and zoom.",
    "The analyses are dimmed until a block is selected.")
add("HelpFiles/expEvalTransform.html", "Expression Transforms",
    "Writes the value of an expression of other channels, sample by sample, into a channel.")
add("HelpFiles/worldMap.html", "The world map",
    "Click a place on the map to set the latitude and longitude of the sun-cycle calculations.")
add("HelpFiles/SPECIALwashout.html", "Chamber Washout",
    "How long a chamber takes to reach a given fraction of a new concentration at a flow rate, and the "
    "flow needed for a washout time.")
add("HelpFiles/LogonImages.html", "The start-up pictures",
    "The pictures shown at start-up and the flies buzzing over them were drawn for Quorvelant. A click "
    "ends the animation.")
add("HelpFiles/AltitudePressure.html", "Altitude and pressure",
    "The standard atmosphere relates altitude, barometric pressure and the partial pressure of "
    + O2 + ".")
add("HelpFiles/AltitudeSimulation.html", "Altitude Simulation",
    "The gas mixture that simulates a given altitude at the local barometric pressure.")
add("HelpFiles/Unitconvert.html", "Unit Conversions",
    "Converts between units of pressure, temperature, energy, power, volume, flow and humidity.")
add("HelpFiles/time series 2.html", "Time series results",
    "The autocorrelation is plotted against the lag; peaks show the periods present in the block.")
add("HelpFiles/highASCII.html", "Special characters",
    "Labels and comments may hold degree signs, Greek letters and other special characters; they are "
    "kept when files are saved.")
add("HelpFiles/SimpleRegression.html", "Simple Regression",
    "Type pairs of x and y values; the calculator gives the least-squares line and r<sup>2</sup>.")
add("HelpFiles/EditWindow.html", "Edit File Data",
    "Change the file's name, start date and time, sample interval, channel labels and the values kept "
    "with the file, such as the flow rate and body mass.")
add("HelpFiles/SensorHumidityCompensation.html", "Sensor Humidity Correction",
    "Removes the effect of water vapour on the " + O2 + " and " + CO2 + " readings when the air reaching "
    "the analysers is not dried.")
add("HelpFiles/FileTypes.html", "Types of file",
    "Kestrix Only opens the program's own files (.KXdata, .kxda, .kxsc). Sable or Kestrix Binary also "
    "opens Sable ExpeData files with their extension. Any Sable or Kestrix File opens a file of either "
    "kind whatever its name. .csv; Text imports delimited text.",
    "Quorvelant looks at the start of the file to tell its format, so a file with the wrong extension "
    "is still read correctly.")
add("HelpFiles/ExpressionTransforms.html", "Writing expressions",
    "Expressions use numbers, the channels as c1 to c40, the operators + &minus; * / ^ and the usual "
    "functions; the result is computed for every sample.")
add("HelpFiles/WaterLosscomp.html", "Water loss compensation",
    "Water vapour added by the animal dilutes the other gases in the chamber; the water-loss "
    "compensation corrects " + VO2 + " and " + VCO2 + " for it.")


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_help.py OUTPUT_FOLDER")
    root = sys.argv[1]
    for path, html in sorted(P.items()):
        full = os.path.join(root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w", encoding="utf-8", newline="\n") as f:
            f.write(html)
    print(f"{len(P)} pages in {root}")


if __name__ == "__main__":
    main()
