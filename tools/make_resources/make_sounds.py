#!/usr/bin/env python3
"""Synthesises the program's sounds: 16-bit mono WAV files at 22050 Hz.

    python3 tools/make_resources/make_sounds.py resources/DIduzodu

Every sound is built from sines, pulse trains and filtered noise with a fixed random seed,
so running the script again writes the same files.
"""

import math
import os
import random
import struct
import sys
import wave

RATE = 22050
TWO_PI = 2.0 * math.pi


def n_samples(seconds):
    return int(round(seconds * RATE))


def silence(seconds):
    return [0.0] * n_samples(seconds)


def envelope(n, attack, release, hold_shape=None):
    """Linear attack, optional shape in the middle, exponential-looking release."""
    a = max(1, n_samples(attack))
    r = max(1, n_samples(release))
    out = []
    for i in range(n):
        g = 1.0
        if i < a:
            g = i / a
        if i > n - r:
            g *= max(0.0, (n - i) / r) ** 2
        if hold_shape:
            g *= hold_shape(i / max(1, n - 1))
        out.append(g)
    return out


def decay(n, tau):
    return [math.exp(-i / (tau * RATE)) for i in range(n)]


def sweep(f0, f1, seconds, shape="exp", wave_fn=math.sin, phase=0.0):
    """A tone gliding from f0 to f1."""
    n = n_samples(seconds)
    out = []
    for i in range(n):
        t = i / max(1, n - 1)
        if shape == "exp":
            f = f0 * (f1 / f0) ** t
        else:
            f = f0 + (f1 - f0) * t
        phase += TWO_PI * f / RATE
        out.append(wave_fn(phase))
    return out


def saw(phase):
    x = (phase / TWO_PI) % 1.0
    return 2.0 * x - 1.0


def square(phase):
    return 1.0 if math.sin(phase) >= 0 else -1.0


def tone(freq, seconds, partials=((1, 1.0),)):
    n = n_samples(seconds)
    return [sum(a * math.sin(TWO_PI * freq * k * i / RATE) for k, a in partials) for i in range(n)]


def noise(seconds, rng):
    return [rng.uniform(-1.0, 1.0) for _ in range(n_samples(seconds))]


def lowpass(x, cutoff):
    if callable(cutoff):
        out, y = [], 0.0
        for i, v in enumerate(x):
            c = cutoff(i / max(1, len(x) - 1))
            a = 1.0 - math.exp(-TWO_PI * c / RATE)
            y += a * (v - y)
            out.append(y)
        return out
    a = 1.0 - math.exp(-TWO_PI * cutoff / RATE)
    out, y = [], 0.0
    for v in x:
        y += a * (v - y)
        out.append(y)
    return out


def highpass(x, cutoff):
    low = lowpass(x, cutoff)
    return [v - l for v, l in zip(x, low)]


def bandpass(x, centre, q):
    """Resonant band-pass (constant peak gain); `centre` may be a function of the position 0..1."""
    out = []
    x1 = x2 = y1 = y2 = 0.0
    n = len(x)
    for i, v in enumerate(x):
        f = centre(i / max(1, n - 1)) if callable(centre) else centre
        w0 = TWO_PI * min(f, RATE * 0.45) / RATE
        alpha = math.sin(w0) / (2.0 * q)
        b0, b2 = alpha, -alpha
        a0, a1, a2 = 1 + alpha, -2 * math.cos(w0), 1 - alpha
        y = (b0 * v + b2 * x2 - a1 * y1 - a2 * y2) / a0
        x2, x1 = x1, v
        y2, y1 = y1, y
        out.append(y)
    return out


def mul(a, b):
    return [x * y for x, y in zip(a, b)]


def add(*tracks):
    n = max(len(t) for t in tracks)
    out = [0.0] * n
    for t in tracks:
        for i, v in enumerate(t):
            out[i] += v
    return out


def scale(x, g):
    return [v * g for v in x]


def concat(*parts):
    out = []
    for p in parts:
        out.extend(p)
    return out


def place(track, at_seconds, length_seconds):
    """`track` starting at `at_seconds` inside a buffer of `length_seconds`."""
    out = [0.0] * n_samples(length_seconds)
    start = n_samples(at_seconds)
    for i, v in enumerate(track):
        if start + i < len(out):
            out[start + i] += v
    return out


def finish(x, peak):
    """Short fades at both ends (no clicks) and the level brought to `peak` of full scale."""
    fade = min(len(x) // 4, n_samples(0.003))
    x = list(x)
    for i in range(fade):
        g = i / fade
        x[i] *= g
        x[-1 - i] *= g
    top = max(abs(v) for v in x) or 1.0
    return [v * peak / top for v in x]


def write(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        frames = b"".join(struct.pack("<h", int(max(-1.0, min(1.0, v)) * 32767)) for v in samples)
        w.writeframes(frames)


# ---------------------------------------------------------------- the sounds

def bell(freq, seconds, tau):
    n = n_samples(seconds)
    t = tone(freq, seconds, ((1, 1.0), (2, 0.35), (3, 0.15), (4.2, 0.08)))
    return mul(t, mul(decay(n, tau), envelope(n, 0.004, 0.05)))


def kix_sound(rng):
    notes = [(523.25, 0.0), (659.25, 0.12), (783.99, 0.24), (1046.5, 0.36)]
    return add(*[place(bell(f, 0.55, 0.18), at, 0.95) for f, at in notes])


def rip(rng, length, brightness):
    n = n_samples(length)
    src = noise(length, rng)
    # Tearing is a fast train of tiny cracks: gate the noise with random short pulses.
    gate, level = [], 0.0
    for i in range(n):
        if rng.random() < 0.012:
            level = rng.uniform(0.5, 1.0)
        level *= 0.985
        gate.append(level)
    torn = mul(src, gate)
    torn = bandpass(torn, lambda t: brightness * (0.6 + 0.8 * t), 1.2)
    return mul(torn, envelope(n, 0.01, 0.08))


def ahem(rng):
    def voiced(f0, f1, seconds, formants):
        n = n_samples(seconds)
        src = sweep(f0, f1, seconds, "lin", saw)
        out = add(*[scale(bandpass(src, f, 6.0), g) for f, g in formants])
        return mul(out, envelope(n, 0.03, 0.08))
    a = voiced(115, 105, 0.16, ((700, 1.0), (1150, 0.5), (2600, 0.15)))
    hem = voiced(130, 100, 0.3, ((450, 1.0), (1700, 0.45), (2500, 0.12)))
    h = mul(bandpass(noise(0.05, rng), 1500, 1.0), envelope(n_samples(0.05), 0.01, 0.02))
    return concat(a, silence(0.07), h, hem)


def brrrp(rng):
    n = n_samples(0.5)
    body = sweep(95, 80, 0.5, "lin", saw)
    trill = [0.55 + 0.45 * math.sin(TWO_PI * 28 * i / RATE) for i in range(n)]
    return mul(lowpass(mul(body, trill), 900), envelope(n, 0.01, 0.12))


def bubble(f0, f1, seconds, tau):
    n = n_samples(seconds)
    return mul(sweep(f0, f1, seconds), mul(decay(n, tau), envelope(n, 0.002, 0.02)))


def bub3(rng):
    pops = [bubble(380, 980, 0.14, 0.05), bubble(330, 900, 0.14, 0.05), bubble(420, 1150, 0.2, 0.07)]
    return add(place(pops[0], 0.0, 0.62), place(pops[1], 0.17, 0.62), place(pops[2], 0.36, 0.62))


def bup(rng):
    return concat(bubble(300, 760, 0.11, 0.035), silence(0.01))


def bzot(rng):
    n = n_samples(0.18)
    buzz = lowpass(sweep(150, 95, 0.18, "exp", square), 1400)
    return mul(buzz, envelope(n, 0.004, 0.05))


def click(rng):
    n = n_samples(0.006)
    burst = mul(highpass(noise(0.006, rng), 1800), decay(n, 0.0012))
    return concat(burst, silence(0.054))


def chirp(f0, f1, seconds):
    n = n_samples(seconds)
    return mul(sweep(f0, f1, seconds, "exp", lambda p: math.sin(p) + 0.2 * math.sin(2 * p)), envelope(n, 0.01, 0.04))


def droplet(rng):
    n = n_samples(0.2)
    drop = mul(sweep(700, 1900, 0.2, "exp"), mul(decay(n, 0.045), envelope(n, 0.001, 0.03)))
    return add(drop, place(scale(bubble(900, 1300, 0.05, 0.015), 0.3), 0.06, 0.2))


def beep(freq, seconds):
    n = n_samples(seconds)
    return mul(tone(freq, seconds, ((1, 1.0), (3, 0.12))), envelope(n, 0.008, 0.03))


def endbeep(rng):
    return concat(beep(880, 0.11), silence(0.04), beep(660, 0.16))


def longclick(rng):
    def one(cut):
        n = n_samples(0.008)
        return mul(bandpass(noise(0.008, rng), cut, 1.5), decay(n, 0.002))
    ratchet = add(*[place(scale(one(3200), 0.35), 0.02 + k * 0.012, 0.09) for k in range(5)])
    return concat(one(2200), ratchet, one(1600), silence(0.04))


def piiing(rng):
    n = n_samples(1.0)
    metal = tone(1760, 1.0, ((1, 1.0), (2.76, 0.45), (5.40, 0.22), (8.93, 0.1)))
    env = [math.exp(-i / (0.28 * RATE)) * (1 + 0.15 * math.sin(TWO_PI * 5 * i / RATE)) for i in range(n)]
    return mul(metal, mul(env, envelope(n, 0.002, 0.15)))


def scream(rng):
    n = n_samples(0.6)
    phase, out = 0.0, []
    for i in range(n):
        t = i / n
        f = 320 * (2.8 ** t) * (1 + 0.04 * math.sin(TWO_PI * 7 * i / RATE)) * (1 + 0.03 * rng.uniform(-1, 1))
        phase += TWO_PI * f / RATE
        out.append(saw(phase))
    rough = add(out, scale(noise(0.6, rng), 0.35))
    shaped = add(bandpass(rough, lambda t: 900 + 1400 * t, 3.0), scale(bandpass(rough, 2600, 4.0), 0.5))
    return mul(shaped, envelope(n, 0.05, 0.15))


def setup(rng):
    return add(place(bell(587.33, 0.4, 0.14), 0.0, 0.5), place(bell(880.0, 0.4, 0.16), 0.1, 0.5))


def flies(rng, seconds, base, passes):
    """A fly circling: a buzzing tone whose pitch and loudness swell as it passes close by."""
    n = n_samples(seconds)
    centres = [rng.uniform(0.15, 0.85) for _ in range(passes)]
    phase, out = 0.0, []
    for i in range(n):
        t = i / n
        near = sum(math.exp(-((t - c) / 0.12) ** 2) for c in centres)
        f = base * (1 + 0.06 * near + 0.02 * math.sin(TWO_PI * 9 * i / RATE)) * (1 + 0.004 * rng.uniform(-1, 1))
        phase += TWO_PI * f / RATE
        wing = saw(phase) * (0.7 + 0.3 * math.sin(phase * 0.5))
        out.append(wing * (0.25 + near))
    return mul(lowpass(bandpass(out, 1400, 0.7), 3500), envelope(n, 0.08, 0.15))


def skid(rng):
    n = n_samples(0.45)
    squeal = sweep(1250, 640, 0.45, "exp", lambda p: math.sin(p) + 0.3 * math.sin(3.01 * p))
    judder = [0.7 + 0.3 * math.sin(TWO_PI * 42 * i / RATE) for i in range(n)]
    rub = bandpass(noise(0.45, rng), lambda t: 2400 - 1000 * t, 2.0)
    return mul(add(mul(squeal, judder), scale(rub, 0.5)), envelope(n, 0.01, 0.12))


def tick(rng):
    n = n_samples(0.012)
    wood = mul(tone(2400, 0.012, ((1, 1.0), (1.6, 0.5))), decay(n, 0.0025))
    return concat(wood, silence(0.048))


def whipbird(rng):
    # A long pure whistle, a whip-crack sweep upward, then two quick answering notes.
    held = mul(sweep(1500, 2100, 0.6, "lin"), envelope(n_samples(0.6), 0.06, 0.05))
    crack = mul(sweep(1800, 6000, 0.05, "exp"), envelope(n_samples(0.05), 0.003, 0.01))
    snap = mul(highpass(noise(0.01, rng), 3000), decay(n_samples(0.01), 0.002))
    chew = [mul(sweep(3200, 2200, 0.09), envelope(n_samples(0.09), 0.01, 0.03)) for _ in range(2)]
    return concat(held, silence(0.05), crack, snap, silence(0.12), chew[0], silence(0.06), chew[1], silence(0.05))


def whoosh(rng, seconds, lo, hi, q):
    n = n_samples(seconds)
    air = bandpass(noise(seconds, rng), lambda t: lo * (hi / lo) ** t, q)
    swell = [math.sin(math.pi * (i / n)) ** 1.5 for i in range(n)]
    return mul(air, swell)


def wssst_bang(rng):
    snap = mul(bandpass(noise(0.02, rng), 2500, 1.0), decay(n_samples(0.02), 0.004))
    return concat(whoosh(rng, 0.42, 500, 5000, 2.5), scale(snap, 1.5), silence(0.03))


def make_all():
    r = lambda seed: random.Random(seed)  # noqa: E731
    return {
        "KixSound": (kix_sound(r(1)), 0.5),
        "Rip": (rip(r(2), 0.35, 2200), 0.5),
        "rip": (rip(r(3), 0.22, 3200), 0.45),
        "ahem": (ahem(r(4)), 0.55),
        "brrrp": (brrrp(r(5)), 0.5),
        "bub3": (bub3(r(6)), 0.55),
        "bup": (bup(r(7)), 0.5),
        "bzot": (bzot(r(8)), 0.35),
        "click": (click(r(9)), 0.5),
        "downvip": (chirp(1500, 520, 0.16), 0.4),
        "upvip": (chirp(520, 1500, 0.16), 0.4),
        "droplet": (droplet(r(10)), 0.5),
        "endbeep": (endbeep(r(11)), 0.35),
        "hibeep": (beep(1320, 0.12), 0.35),
        "lobeep": (beep(440, 0.16), 0.38),
        "longclick": (longclick(r(12)), 0.5),
        "piiing": (piiing(r(13)), 0.45),
        "scream": (scream(r(14)), 0.25),
        "setup": (setup(r(15)), 0.45),
        "shortflies": (flies(r(16), 0.8, 205, 2), 0.55),
        "shortflies2": (flies(r(17), 1.0, 190, 3), 0.55),
        "shortflies3": (flies(r(18), 1.2, 225, 3), 0.55),
        "shortflies4": (flies(r(19), 0.6, 240, 1), 0.55),
        "skid": (skid(r(20)), 0.45),
        "tick": (tick(r(21)), 0.5),
        "whipbird": (whipbird(r(22)), 0.45),
        "wssst!": (wssst_bang(r(23)), 0.45),
        "wsst": (whoosh(r(24), 0.3, 900, 4500, 2.5), 0.4),
    }


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    out_dir = sys.argv[1]
    os.makedirs(out_dir, exist_ok=True)
    for name, (samples, peak) in make_all().items():
        samples = finish(samples, peak)
        seconds = len(samples) / RATE
        if not 0.05 <= seconds <= 1.5:
            print(f"{name}: {seconds:.3f} s is outside 0.05..1.5 s", file=sys.stderr)
            return 1
        write(os.path.join(out_dir, name + ".wav"), samples)
        print(f"{name}.wav  {seconds:.2f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
