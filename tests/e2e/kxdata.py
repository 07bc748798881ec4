"""Writes recordings in the program's own binary format for the end-to-end runs, from its byte layout.

write(path, n, channels, ...): channels is a list of functions of the case number k (1..n) giving that
channel's value; labels default to "chan 1", "chan 2", ...; markers are (case, code) pairs.
write_two_channel_run(path, ...): the runs' common recording, 2 channels of 900 cases at 1 s from 10:00:00.
f32(x): x as the file stores it, for checking reports against the values written.
"""
import struct

DEFAULT_FILE_VALUES = (500, 28.4, 748, 24.5, 1200)   # flow, mass, pressure, flow temperature, volume


def write(path, n, channels, labels=None, interval=1.0, date="05/14/2024", time="10:00:00",
          file_values=DEFAULT_FILE_VALUES, markers=()):
    count = len(channels)
    labels = labels or ["chan %d" % c for c in range(1, count + 1)]
    out = bytearray(b"-999\r")
    out += struct.pack(">hfh", n, interval, count)
    out += date.encode() + time.encode()
    out += struct.pack(">f", 0.0)                          # no comment
    for label in labels:
        out += struct.pack(">5f", 0, 1, 0, 0, 0) + label.ljust(30).encode()
    out += struct.pack(">5f", *file_values)
    out += struct.pack(">h", len(markers))
    for case, code in markers:                             # (case, code) pairs, 16-bit below 32,761 cases
        out += struct.pack(">hh", case, code)
    for value in channels:
        out += struct.pack("<f", 0.0)                      # entry 0 holds no sample
        out += b"".join(struct.pack(">f", value(k)) for k in range(1, n + 1))
    out += struct.pack(">7f", 0, 0, 0, 0, 0, 0, 0)
    out += b"\r\x1b"
    with open(path, "wb") as f:
        f.write(out)


def text_rows(path, channels=2):
    """The sample rows of a file saved as text: one a case, each value followed by a comma."""
    lines = open(path, encoding="latin-1").read().replace("\r", "\n").split("\n")
    return [l for l in lines if l.endswith(",") and l.count(",") == channels]


def f32(x):
    return struct.unpack(">f", struct.pack(">f", x))[0]


def wave(k):
    """Channel 1 of the common recording at case k."""
    return 20 + (k % 17) / 4 + k / 1000


def write_two_channel_run(path, first=wave):
    """2 channels and 900 cases at 1 s: channel 1 is first(k) (wave unless given), channel 2 is k mod 5."""
    write(path, 900, [first, lambda k: float(k % 5)])
