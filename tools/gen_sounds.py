#!/usr/bin/env python3
"""Writes the game's eleven sound effects into data/sounds/ (44.1 kHz, 16-bit mono).

    tools/gen_sounds.py [OUT_DIR]

Every sound is made here from oscillators and noise with fixed seeds, so a run
writes the same bytes each time. Each one starts and ends at silence and peaks
below full scale; the script checks that before it writes."""
import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from karvolt_synth import (TAU, adsr, bandpass, decay_env, fade, highpass, lowpass, mix_into, mul,
                           noise, normalise, saw, seconds, silence, soft_clip, square, sweep, tone,
                           write_wav)

RATE = 44100
PEAK = 0.89  # -1 dBFS


def n_of(t):
    return seconds(RATE, t)


def bell(f, t, bright=1.0):
    """A struck metal bar: inharmonic partials, the high ones dying first."""
    partials = ((1.0, 1.0), (2.76, 0.45 * bright), (5.40, 0.22 * bright), (8.93, 0.10 * bright))
    decays = (t * 0.45, t * 0.25, t * 0.14, t * 0.08)
    n = n_of(t)
    return mul(tone(RATE, n, f, partials, decays), decay_env(RATE, n, t, 0.001))


def eat():
    """Picking up a disk: a round upward gulp and a bright pip."""
    n1 = n_of(0.085)
    gulp = mul(sweep(RATE, n1, 260.0, 780.0), decay_env(RATE, n1, 0.06, 0.003))
    n2 = n_of(0.11)
    pip = mul(tone(RATE, n2, 1180.0, ((1, 1.0), (2, 0.25), (3, 0.1))), decay_env(RATE, n2, 0.045, 0.002))
    out = mix_into(silence(n_of(0.2)), gulp)
    return mix_into(out, pip, n_of(0.07), 0.7)


def base_crunch():
    """Eating base: three gritty bites of band-limited noise over a soft low body."""
    out = silence(n_of(0.16))
    rnd = random.Random(11)
    at = 0
    for k, centre in enumerate((1900.0, 1300.0, 2400.0)):
        n = n_of(0.05)
        grit = bandpass(noise(n, 100 + k), RATE, centre, 1.6)
        # A granular edge: the bite's noise comes in short crumbs of uneven weight.
        crumb = n_of(0.0015)
        weights = [0.3 + 0.7 * rnd.random() for _ in range(n // crumb + 1)]
        grains = [x * weights[i // crumb] for i, x in enumerate(grit)]
        mix_into(out, mul(grains, decay_env(RATE, n, 0.014, 0.001)), at, 1.0 - 0.2 * k)
        at += n_of(0.028 + 0.01 * k)
    n = n_of(0.09)
    body = mul(sweep(RATE, n, 190.0, 120.0), decay_env(RATE, n, 0.03, 0.002))
    return lowpass(mix_into(out, body, 0, 0.35), RATE, 6000.0)


def zap():
    """Eating from the side: an electric zap falling in pitch, with a buzzing edge."""
    n = n_of(0.22)
    buzz = sweep(RATE, n, 2200.0, 180.0, shape=saw)
    ring = sweep(RATE, n, 3100.0, 900.0)
    sig = [0.6 * b + 0.4 * b * r for b, r in zip(buzz, ring)]
    sig = lowpass(sig, RATE, lambda i: 7000.0 - 5000.0 * i / n)
    return mul(sig, decay_env(RATE, n, 0.08, 0.002))


def datapod():
    """A Quarkel collected: a two-note chime, a fifth apart."""
    out = silence(n_of(0.62))
    mix_into(out, bell(1318.5, 0.45), 0, 0.8)   # E6
    mix_into(out, bell(1975.5, 0.5), n_of(0.075), 0.7)  # B6
    return out


def terminal():
    """A terminal used: a burst of computer beeps over a soft hum."""
    notes = (880.0, 1320.0, 990.0, 1760.0, 1175.0, 1568.0)
    beep, gap = 0.045, 0.018
    out = silence(n_of(len(notes) * (beep + gap) + 0.05))
    for k, f in enumerate(notes):
        n = n_of(beep)
        b = tone(RATE, n, f, ((1, 1.0), (3, 0.28), (5, 0.1)))  # a mellow square
        mix_into(out, mul(b, adsr(RATE, n, 0.002, 0.01, 0.7, 0.008)), n_of(k * (beep + gap)), 0.5)
    n = len(out)
    hum = mul(tone(RATE, n, 120.0, ((1, 1.0), (2, 0.5), (3, 0.25))), adsr(RATE, n, 0.02, 0.0, 1.0, 0.1))
    return mix_into(out, hum, 0, 0.12)


def switch():
    """Laying a red disk: a latch click, then the short hiss of its fuse catching."""
    out = silence(n_of(0.3))
    n = n_of(0.012)
    click = mul(bandpass(noise(n, 7), RATE, 3200.0, 2.0), decay_env(RATE, n, 0.002, 0.0005))
    mix_into(out, click, 0, 1.0)
    n = n_of(0.03)
    knock = mul(sweep(RATE, n, 900.0, 600.0), decay_env(RATE, n, 0.008, 0.001))
    mix_into(out, knock, n_of(0.004), 0.5)
    n = n_of(0.24)
    hiss = highpass(noise(n, 8), RATE, 3000.0)
    flicker = [0.6 + 0.4 * math.sin(TAU * 37.0 * i / RATE) for i in range(n)]
    hiss = mul(mul(hiss, flicker), adsr(RATE, n, 0.03, 0.05, 0.6, 0.12))
    return mix_into(out, hiss, n_of(0.04), 0.45)


def fall():
    """A Grobble coming down: a heavy low thud."""
    n = n_of(0.34)
    body = mul(sweep(RATE, n, 120.0, 42.0), decay_env(RATE, n, 0.09, 0.002))
    m = n_of(0.05)
    impact = mul(lowpass(noise(m, 21), RATE, 900.0), decay_env(RATE, m, 0.012, 0.001))
    out = mix_into(body, impact, 0, 1.6)
    overtone = mul(sweep(RATE, n_of(0.08), 260.0, 150.0), decay_env(RATE, n_of(0.08), 0.02, 0.001))
    return mix_into(out, overtone, 0, 0.3)


def objfall():
    """A Quarkel or disk landing: a lighter, hollow knock."""
    n = n_of(0.16)
    knock = mul(sweep(RATE, n, 520.0, 340.0), decay_env(RATE, n, 0.03, 0.001))
    m = n_of(0.03)
    tap = mul(bandpass(noise(m, 31), RATE, 1500.0, 3.0), decay_env(RATE, m, 0.006, 0.0005))
    out = mix_into(knock, tap, 0, 1.2)
    return mix_into(out, mul(tone(RATE, n, 1040.0), decay_env(RATE, n, 0.015, 0.001)), 0, 0.25)


def explode():
    """A blast: a noise burst closing down to a rumble, with debris crackling."""
    n = n_of(1.25)
    burst = lowpass(noise(n, 41), RATE, lambda i: 300.0 + 6500.0 * math.exp(-i / (0.12 * RATE)))
    burst = lowpass(burst, RATE, 5000.0)
    out = mul(burst, decay_env(RATE, n, 0.32, 0.003))
    rumble = mul(sweep(RATE, n, 62.0, 28.0), decay_env(RATE, n, 0.45, 0.01))
    mix_into(out, rumble, 0, 0.55)
    out = soft_clip(out, 2.2)
    rnd = random.Random(42)
    for _ in range(26):
        at = n_of(0.08 + rnd.random() * 0.7)
        m = n_of(0.008)
        grain = mul(bandpass(noise(m, rnd.randrange(1 << 30)), RATE, 1500.0 + rnd.random() * 2500.0, 2.0),
                    decay_env(RATE, m, 0.002, 0.0005))
        mix_into(out, grain, at, 0.25 * math.exp(-at / (0.5 * RATE)))
    return out[:n]


def bug():
    """A bug sparking: a crackle of electric snaps over a thin mains buzz."""
    n = n_of(0.36)
    out = silence(n)
    rnd = random.Random(51)
    t = 0.0
    while t < 0.32:
        m = n_of(0.004 + rnd.random() * 0.006)
        snap = bandpass(noise(m, rnd.randrange(1 << 30)), RATE, 2500.0 + rnd.random() * 4000.0, 1.5)
        mix_into(out, mul(snap, decay_env(RATE, m, 0.0015, 0.0003)), n_of(t), 0.4 + 0.6 * rnd.random())
        t += 0.006 + rnd.random() * 0.03
    buzz = lowpass(sweep(RATE, n, 100.0, 100.0, shape=square), RATE, 1800.0)
    return mix_into(out, mul(buzz, adsr(RATE, n, 0.01, 0.0, 1.0, 0.06)), 0, 0.08)[:n]


def exit_fanfare():
    """The level finished: a rising arpeggio that settles on a shimmering chord."""
    out = silence(n_of(1.3))
    notes = (523.25, 659.25, 783.99, 1046.5)  # C5 E5 G5 C6
    for k, f in enumerate(notes):
        t = 1.2 - 0.09 * k
        n = n_of(t)
        voice = tone(RATE, n, f, ((1, 1.0), (2, 0.35), (3, 0.18), (4, 0.08)), (t * 0.5, t * 0.3, t * 0.2, t * 0.1))
        vib = [1.0 + 0.03 * math.sin(TAU * 5.5 * i / RATE) for i in range(n)]
        mix_into(out, mul(mul(voice, vib), decay_env(RATE, n, t * 0.45, 0.004)), n_of(0.09 * k), 0.5)
    n = n_of(0.35)
    rise = mul(sweep(RATE, n, 400.0, 2400.0), adsr(RATE, n, 0.05, 0.0, 1.0, 0.2))
    return mix_into(out, rise, 0, 0.12)[:n_of(1.3)]


SOUNDS = {
    "eat.wav": eat,
    "base_kvt.wav": base_crunch,
    "zap.wav": zap,
    "datapod.wav": datapod,
    "terminal.wav": terminal,
    "switch.wav": switch,
    "fall.wav": fall,
    "objfall.wav": objfall,
    "explode.wav": explode,
    "bug.wav": bug,
    "exit.wav": exit_fanfare,
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "sounds")
    os.makedirs(out_dir, exist_ok=True)
    for name, make in SOUNDS.items():
        sig = normalise(fade(make(), RATE), PEAK)
        assert sig[0] == 0.0 and sig[-1] == 0.0, name
        assert 0.05 < len(sig) / RATE < 1.5, name
        write_wav(os.path.join(out_dir, name), sig, RATE)
        print("%-14s %.3f s" % (name, len(sig) / RATE))


if __name__ == "__main__":
    main()
