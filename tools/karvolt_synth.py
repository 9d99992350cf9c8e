"""Small synthesis kit shared by the sound and music generators: oscillators,
noise, filters, envelopes and a 16-bit wav writer. Plain Python, no packages.

A signal is a list of floats in -1..1 at a given rate."""
import math
import random
import struct
import wave

TAU = 2.0 * math.pi


def silence(n):
    return [0.0] * n


def seconds(rate, t):
    return int(round(rate * t))


def sweep(rate, n, f0, f1, shape=math.sin, curve="exp", phase=0.0):
    """An oscillator gliding from f0 to f1 Hz over n samples."""
    out = []
    for i in range(n):
        x = i / max(1, n - 1)
        f = f0 * (f1 / f0) ** x if curve == "exp" else f0 + (f1 - f0) * x
        phase += TAU * f / rate
        out.append(shape(phase))
    return out


def tone(rate, n, f, partials=((1.0, 1.0),), decays=None, phase=0.0):
    """A sum of partials (ratio, amplitude); each may decay at its own rate
    (decays: seconds to fall by 1/e; None keeps it steady)."""
    out = [0.0] * n
    for k, (ratio, amp) in enumerate(partials):
        w = TAU * f * ratio / rate
        tau = decays[k] if decays else None
        fall = math.exp(-1.0 / (tau * rate)) if tau else 1.0
        a = amp
        p = phase * ratio
        for i in range(n):
            out[i] += a * math.sin(p)
            p += w
            a *= fall
    return out


def square(phase):
    return 1.0 if math.sin(phase) >= 0 else -1.0


def saw(phase):
    x = (phase / TAU) % 1.0
    return 2.0 * x - 1.0


def soft_square(phase):
    """A square with its sharpest edges rounded: brighter than a sine, not harsh."""
    return math.tanh(3.0 * math.sin(phase))


def noise(n, seed):
    rnd = random.Random(seed)
    return [rnd.uniform(-1.0, 1.0) for _ in range(n)]


def lowpass(sig, rate, cutoff):
    """One-pole low-pass; cutoff may be a number or a function of the sample index."""
    out = []
    y = 0.0
    fixed = not callable(cutoff)
    a = 1.0 - math.exp(-TAU * cutoff / rate) if fixed else 0.0
    for i, x in enumerate(sig):
        if not fixed:
            a = 1.0 - math.exp(-TAU * cutoff(i) / rate)
        y += a * (x - y)
        out.append(y)
    return out


def highpass(sig, rate, cutoff):
    low = lowpass(sig, rate, cutoff)
    return [x - l for x, l in zip(sig, low)]


def bandpass(sig, rate, centre, q):
    """A two-pole resonant band-pass (constant peak gain)."""
    w = TAU * centre / rate
    alpha = math.sin(w) / (2.0 * q)
    b0, b2 = alpha, -alpha
    a0, a1, a2 = 1.0 + alpha, -2.0 * math.cos(w), 1.0 - alpha
    x1 = x2 = y1 = y2 = 0.0
    out = []
    for x in sig:
        y = (b0 * x + b2 * x2 - a1 * y1 - a2 * y2) / a0
        x2, x1 = x1, x
        y2, y1 = y1, y
        out.append(y)
    return out


def decay_env(rate, n, tau, attack=0.002, tail=0.2):
    """Quick linear attack, then exponential fall (tau seconds to 1/e); the last
    part (tail, a share of n) eases down to zero so the sound dies rather than stops."""
    na = max(1, seconds(rate, attack))
    nt = max(1, int(n * tail))
    out = []
    for i in range(n):
        v = min(1.0, i / na) * math.exp(-max(0, i - na) / (tau * rate))
        left = n - 1 - i
        if left < nt:
            v *= 0.5 - 0.5 * math.cos(math.pi * left / nt)
        out.append(v)
    return out


def soft_clip(sig, drive):
    """tanh saturation: more body for the same peak."""
    return [math.tanh(drive * x) for x in sig]


def adsr(rate, n, a, d, s, r):
    """Attack, decay to sustain level s, release over the last r seconds."""
    na, nd, nr = seconds(rate, a), seconds(rate, d), seconds(rate, r)
    out = []
    for i in range(n):
        if i < na:
            v = i / max(1, na)
        elif i < na + nd:
            v = 1.0 - (1.0 - s) * (i - na) / max(1, nd)
        else:
            v = s
        left = n - i
        if left < nr:
            v *= left / nr
        out.append(v)
    return out


def mul(a, b):
    return [x * y for x, y in zip(a, b)]


def gain(sig, g):
    return [x * g for x in sig]


def mix_into(dst, src, at=0, g=1.0):
    """Adds src into dst from sample at, growing dst as needed."""
    end = at + len(src)
    if end > len(dst):
        dst.extend([0.0] * (end - len(dst)))
    for i, x in enumerate(src):
        dst[at + i] += g * x
    return dst


def fade(sig, rate, fade_in=0.002, fade_out=0.015):
    """Starts and ends at silence, so playback neither starts nor stops with a click."""
    n = len(sig)
    ni, no = seconds(rate, fade_in), seconds(rate, fade_out)
    out = list(sig)
    for i in range(min(ni, n)):
        out[i] *= i / ni
    for i in range(min(no, n)):
        out[n - 1 - i] *= i / no
    return out


def normalise(sig, peak):
    top = max(abs(x) for x in sig) or 1.0
    return [x * peak / top for x in sig]


def to_int16(sig):
    return [max(-32767, min(32767, int(round(x * 32767.0)))) for x in sig]


def write_wav(path, sig, rate):
    data = to_int16(sig)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(struct.pack("<%dh" % len(data), *data))
