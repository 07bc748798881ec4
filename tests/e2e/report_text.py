"""Reading the program's text reports in the end-to-end runs: a report's section, a number in it,
and a comparison that ends the run with a message naming what differs."""
import re
import sys


def section(text, title):
    at = text.find(title)
    if at < 0:
        sys.exit("FAIL: no %s report in\n%s" % (title, text))
    return text[at:at + 900]


def number(block, pattern, what):
    m = re.search(pattern, block)
    if not m:
        sys.exit("FAIL: no %s in\n%s" % (what, block))
    return float(m.group(1))


def expect(got, want, what, tol=1e-4):
    if abs(got - want) > tol * max(1.0, abs(want)):
        sys.exit("FAIL: %s is %g, expected %g" % (what, got, want))
