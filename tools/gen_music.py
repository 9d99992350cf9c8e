#!/usr/bin/env python3
"""Composes the game's music and writes it as FastTracker 2 modules (.xm) into
data/music/, with the playlist default.m3u.

    tools/gen_music.py [OUT_DIR]

Each track is written down here as chords and melodies, four bars to a pattern;
bass, pads, arpeggios, an echo of the melody and the drums are set from them by
the style of each section. The instruments are synthesised here too (see
karvolt_synth.py), so the modules hold nothing made elsewhere, and a run writes
the same bytes each time."""
import math
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from karvolt_synth import (TAU, bandpass, decay_env, fade, highpass, lowpass, mix_into, mul, noise,
                           normalise, soft_clip, sweep, to_int16)

# ---------------------------------------------------------------------------
# The module format

# A sample synthesised at this rate sounds at its own pitch when played at the
# note it was made for, with the relative note below (C-4 plays at 8363 Hz).
SAMPLE_RATE = 33452  # 8363 * 2**(24/12)
REL_BASE = 72        # relative note = REL_BASE - the note the sample was made at

NOTE_OFF = 97
NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def note_number(name):
    """'C#5', 'Bb4', 'A4' to a 0-based semitone number (C-0 = 0)."""
    semi = NAMES[name[0]]
    rest = name[1:]
    while rest and rest[0] in "#b":
        semi += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return semi + 12 * int(rest)


def hz(n):
    return 440.0 * 2 ** ((n - note_number("A4")) / 12.0)


class Instrument:
    def __init__(self, name, signal, base_note, loop=None, envelope=((0, 64), (1, 64)),
                 sustain=1, fadeout=2048, vibrato=(0, 0, 0, 0), panning=128):
        self.name = name
        self.data = to_int16(signal)
        self.rel = REL_BASE - base_note
        self.loop = loop  # (start, length) in samples
        self.envelope = envelope
        self.sustain = sustain
        self.fadeout = fadeout
        self.vibrato = vibrato  # type, sweep, depth, rate
        self.panning = panning

    def pack(self):
        head = struct.pack("<I22sBH", 263, self.name.encode()[:22], 0, 1)
        env = b"".join(struct.pack("<HH", x, y) for x, y in self.envelope)
        env = env.ljust(48, b"\0")
        vib_type, vib_sweep, vib_depth, vib_rate = self.vibrato
        head += struct.pack("<I", 40) + bytes(96) + env + bytes(48)
        head += struct.pack("<BBBBBBBBBBBBBBH", len(self.envelope), 0, self.sustain, 0, 0, 0, 0, 0,
                            1 | 2, 0, vib_type, vib_sweep, vib_depth, vib_rate, self.fadeout)
        head += bytes(22)
        assert len(head) == 263
        loop_start, loop_len = self.loop if self.loop else (0, 0)
        kind = 0x10 | (1 if self.loop else 0)
        sample = struct.pack("<IIIBbBBbB22s", 2 * len(self.data), 2 * loop_start, 2 * loop_len, 64, 0,
                             kind, self.panning, self.rel, 0, self.name.encode()[:22])
        deltas, last = [], 0
        for v in self.data:
            deltas.append((v - last + 32768) % 65536 - 32768)
            last = v
        return head + sample + struct.pack("<%dh" % len(deltas), *deltas)


def pack_pattern(rows):
    """rows: lists of channel cells (note, instrument, volume or None, effect, param)."""
    data = bytearray()
    for row in rows:
        for note, inst, vol, fx, param in row:
            fields = [(0x01, note), (0x02, inst), (0x04, 0x10 + vol if vol is not None else 0), (0x08, fx),
                      (0x10, param)]
            mask = 0x80
            body = bytearray()
            for bit, value in fields:
                if value:
                    mask |= bit
                    body.append(value)
            data.append(mask)
            data += body
    return struct.pack("<IBHH", 9, 0, len(rows), len(data)) + bytes(data)


def pack_module(title, channels, speed, bpm, patterns, order, instruments):
    head = b"Extended Module: " + title.encode().ljust(20, b" ")[:20] + b"\x1a"
    head += b"karvolt gen_music   " + struct.pack("<HI", 0x0104, 276)
    head += struct.pack("<HHHHHHHH", len(order), 0, channels, len(patterns), len(instruments), 1, speed, bpm)
    head += bytes(order).ljust(256, b"\0")
    assert len(head) == 336
    return head + b"".join(pack_pattern(p) for p in patterns) + b"".join(i.pack() for i in instruments)


# ---------------------------------------------------------------------------
# The instruments

R = SAMPLE_RATE


def periodic(base_hz, periods, voices):
    """A loop of whole periods: every voice's partials repeat exactly at the loop's
    end. voices: (cycles offset against the base, [(harmonic, amplitude)])."""
    length = int(round(periods * R / base_hz))
    out = [0.0] * length
    for offset, partials in voices:
        cycles = periods + offset
        for h, amp in partials:
            w = TAU * h * cycles / length
            ph = 0.37 * h * (offset + 3)
            for i in range(length):
                out[i] += amp * math.sin(w * i + ph)
    return out


def lead():
    n0 = note_number("C5")
    parts = [(h, 1.0 / h * math.exp(-h / 7.0)) for h in range(1, 11)]
    sig = normalise(periodic(hz(n0), 128, [(0, parts), (1, [(h, 0.8 * a) for h, a in parts])]), 0.9)
    return Instrument("lead", sig, n0, loop=(0, len(sig)),
                      envelope=((0, 0), (2, 64), (10, 50), (60, 44)), sustain=3, fadeout=3000,
                      vibrato=(0, 24, 3, 10))


def pad():
    n0 = note_number("C4")
    parts = [(h, 1.0 / h ** 1.4) for h in range(1, 12)]
    voices = [(d, [(h, a * (0.9 if d else 1.0)) for h, a in parts]) for d in (0, -1, 1, 2)]
    sig = normalise(periodic(hz(n0), 256, voices), 0.9)
    return Instrument("pad", sig, n0, loop=(0, len(sig)),
                      envelope=((0, 0), (12, 52), (40, 64), (80, 56)), sustain=3, fadeout=900)


def struck(name, n0, seconds_long, partials, fadeout, tail=0.3):
    """A decaying tone: each partial (ratio, amplitude, decay) dies at its own rate."""
    n = int(R * seconds_long)
    f = hz(n0)
    out = [0.0] * n
    for ratio, amp, tau in partials:
        w = TAU * f * ratio / R
        fall = math.exp(-1.0 / (tau * R))
        a = amp
        for i in range(n):
            out[i] += a * math.sin(w * i)
            a *= fall
    sig = normalise(fade(mul(out, decay_env(R, n, seconds_long, 0.002, tail)), R, 0.002, 0.05), 0.9)
    return Instrument(name, sig, n0, fadeout=fadeout)


def bass():
    partials = [(h, 1.0 / h, 0.9 / h ** 0.8) for h in range(1, 16)] + [(0.5, 0.0, 1.0)]
    return struck("bass", note_number("C2"), 1.6, partials, 6000)


def pluck():
    partials = [(h, 1.0 / h ** 1.1, 0.55 / h ** 0.9) for h in range(1, 13)]
    return struck("pluck", note_number("C5"), 1.2, partials, 4000)


def mallet():
    partials = [(1, 1.0, 0.9), (2.0, 0.3, 0.35), (3.0, 0.12, 0.2), (4.07, 0.25, 0.25), (10.2, 0.05, 0.05)]
    return struck("mallet", note_number("C5"), 1.8, partials, 2500)


def kick():
    n = int(R * 0.32)
    body = mul(sweep(R, n, 160.0, 42.0), decay_env(R, n, 0.12, 0.001))
    m = int(R * 0.01)
    click = mul(lowpass(noise(m, 71), R, 3000.0), decay_env(R, m, 0.002, 0.0005))
    sig = normalise(fade(soft_clip(mix_into(body, click, 0, 0.6), 1.5), R, 0.0005, 0.02), 0.95)
    return Instrument("kick", sig, note_number("C4"), fadeout=8000)


def snare():
    n = int(R * 0.24)
    rattle = mul(bandpass(noise(n, 72), R, 3500.0, 0.8), decay_env(R, n, 0.06, 0.001))
    body = mul(sweep(R, n, 240.0, 170.0), decay_env(R, n, 0.035, 0.001))
    sig = normalise(fade(mix_into(rattle, body, 0, 0.5), R, 0.0005, 0.02), 0.9)
    return Instrument("snare", sig, note_number("C4"), fadeout=8000)


def hat(name, seconds_long, tau, seed):
    n = int(R * seconds_long)
    sig = mul(highpass(highpass(noise(n, seed), R, 6000.0), R, 6000.0), decay_env(R, n, tau, 0.0005))
    return Instrument(name, normalise(fade(sig, R, 0.0005, 0.01), 0.8), note_number("C4"), fadeout=8000)


# ---------------------------------------------------------------------------
# Writing music down

CH_LEAD, CH_ECHO, CH_BASS, CH_PAD, CH_ARP, CH_KICK, CH_SNARE, CH_HAT = 0, 1, 2, 3, 6, 7, 8, 9
CHANNELS = 10
ROWS = 64  # four bars of sixteenths
QUALITIES = {"": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "m7": (0, 3, 7, 10), "sus4": (0, 5, 7)}


def chord_tones(symbol):
    root = symbol[0]
    rest = symbol[1:]
    if rest[:1] in ("#", "b"):
        root += rest[0]
        rest = rest[1:]
    return note_number(root + "0") % 12, QUALITIES[rest]


def parse_melody(text):
    """'A4/2 C5/2 r/4 | ...' to (row, note or NOTE_OFF) events; checks every bar is 16."""
    events, row = [], 0
    for bar in text.split("|"):
        start = row
        for token in bar.split():
            name, length = token.split("/")
            if name == "r":
                events.append((row, NOTE_OFF))
            elif name != "-":
                events.append((row, note_number(name)))
            row += int(length)
        assert row - start == 16, "bar of %d sixteenths: %s" % (row - start, bar)
    return events


DRUMS = {
    "none": ("", "", ""),
    "drive": ("x.......x.x.....", "....x.......x...", "x.x.x.x.x.x.x.x."),
    "four": ("x...x...x...x...", "....x.......x...", "..x...x...x...x."),
    "half": ("x.........x.....", "........x.......", "x.x.x.x.x.x.x.x."),
    "light": ("x.......x.......", "................", "..x...x...x...x."),
}
FILL = "....x...x.x.xxxx"


class Section:
    def __init__(self, chords, melody=None, bass="drive", drums="drive", arp=True, pad=True, fill=False,
                 ending=False):
        self.chords = chords.split()
        assert len(self.chords) == 4
        self.melody = parse_melody(melody) if melody else []
        self.bass, self.drums, self.arp, self.pad = bass, drums, arp, pad
        self.fill, self.ending = fill, ending


class Track:
    def __init__(self, title, bpm, lead_inst, arp_inst, echo_rows, sections, order, arp_step=1):
        self.title, self.bpm = title, bpm
        self.lead_inst, self.arp_inst = lead_inst, arp_inst
        self.echo_rows, self.arp_step = echo_rows, arp_step
        self.sections, self.order = sections, order


INST = {"lead": 1, "pad": 2, "bass": 3, "pluck": 4, "mallet": 5, "kick": 6, "snare": 7, "hat": 8, "ohat": 9}


def make_instruments():
    return [lead(), pad(), bass(), pluck(), mallet(), kick(), snare(), hat("hat", 0.08, 0.018, 81),
            hat("ohat", 0.3, 0.09, 82)]


def bass_line(style, root):
    """(row in bar, note, volume) for one bar on a chord root (pitch class)."""
    low = 24 + root if root >= 4 else 36 + root  # E-2 .. D#-3
    if style == "drive":
        return [(r, low + (12 if r % 4 == 2 else 0), 54 if r % 4 == 0 else 46) for r in range(0, 16, 2)]
    if style == "pulse":
        return [(0, low, 56), (6, low, 44), (8, low + 7, 48), (12, low + 12, 44), (14, low, 40)]
    if style == "long":
        return [(0, low, 56), (8, low, 48)]
    return []


def voicing(root, intervals, previous):
    """Three pad notes around C-4..C-5 close to the previous chord's."""
    tones = sorted({(root + i) % 12 for i in intervals[:3]})
    best = None
    for base in (48, 52, 55):
        notes = sorted(base + ((t - base) % 12) for t in tones)
        cost = sum(abs(a - b) for a, b in zip(notes, previous)) if previous else abs(notes[0] - 53)
        if best is None or cost < best[0]:
            best = (cost, notes)
    return best[1]


def build_pattern(track, sec, prev_voicing):
    rows = [[[0, 0, None, 0, 0] for _ in range(CHANNELS)] for _ in range(ROWS)]

    def put(row, ch, note, inst, vol=None):
        if 0 <= row < ROWS:
            rows[row][ch] = [note, inst if note != NOTE_OFF else 0, vol, 0, 0]

    for row, n in sec.melody:
        put(row, CH_LEAD, n + 1 if n != NOTE_OFF else NOTE_OFF, INST[track.lead_inst], 60 if n != NOTE_OFF else None)
        put(row + track.echo_rows, CH_ECHO, n + 1 if n != NOTE_OFF else NOTE_OFF, INST[track.lead_inst],
            22 if n != NOTE_OFF else None)
    voiced = prev_voicing
    for bar, symbol in enumerate(sec.chords):
        root, intervals = chord_tones(symbol)
        at = 16 * bar
        for r, n, v in bass_line(sec.bass, root):
            put(at + r, CH_BASS, n + 1, INST["bass"], v)
        if sec.pad:
            notes = voicing(root, intervals, voiced)
            for k, n in enumerate(notes):
                if not voiced or voiced[k] != n or bar == 0:
                    put(at, CH_PAD + k, n + 1, INST["pad"], 24)
            voiced = notes
        if sec.arp:
            tones = [60 + ((root + i) % 12) for i in intervals[:3]]
            tones = sorted(tones) + [t + 12 for t in sorted(tones)]
            walk = tones + tones[-2:0:-1]
            for k, r in enumerate(range(0, 16, track.arp_step)):
                put(at + r, CH_ARP, walk[k % len(walk)] + 1, INST[track.arp_inst], 22 if r % 4 else 28)
        kick, snare, hats = DRUMS[sec.drums]
        if sec.fill and bar == 3:
            snare = FILL
        for r in range(16):
            if kick and kick[r] == "x":
                put(at + r, CH_KICK, note_number("C4") + 1, INST["kick"], 60)
            if snare and snare[r] == "x":
                put(at + r, CH_SNARE, note_number("C4") + 1, INST["snare"], 44 if sec.fill and bar == 3 else 50)
            if hats and hats[r] == "x":
                open_hat = sec.drums == "four" and r % 4 == 2
                put(at + r, CH_HAT, note_number("C4") + 1, INST["ohat" if open_hat else "hat"], 24 if r % 4 else 18)
    if sec.ending:
        # The last bar lets every voice ring out into silence.
        for ch in range(CHANNELS):
            if ch not in (CH_KICK, CH_SNARE, CH_HAT):
                put(56, ch, NOTE_OFF, 0)
    return rows, voiced if sec.pad else prev_voicing


def compose(track):
    patterns, voiced = [], None
    names = list(track.sections)
    for name in names:
        rows, voiced = build_pattern(track, track.sections[name], voiced)
        patterns.append(rows)
    order = [names.index(n) for n in track.order]
    return pack_module(track.title, CHANNELS, 6, track.bpm, patterns, order, make_instruments())


# ---------------------------------------------------------------------------
# The tracks

CIRCUIT_RUN = Track(
    "Circuit Run", 130, "lead", "pluck", 3,
    {
        "intro": Section("Am F C G", None, bass="long", drums="light", fill=True),
        "a1": Section("Am F C G", "E5/2 A4/2 C5/2 E5/2 D5/3 C5/1 B4/2 A4/2 | C5/4 A4/2 F4/2 A4/2 C5/2 F5/4 |"
                                  "E5/3 D5/1 C5/2 G4/2 C5/2 E5/2 G5/4 | F5/2 E5/2 D5/4 B4/2 G4/2 r/4"),
        "a2": Section("Am F C G", "E5/2 A4/2 C5/2 E5/2 A5/4 G5/2 E5/2 | F5/3 E5/1 C5/2 A4/2 C5/2 F5/2 A5/2 G5/2 |"
                                  "G5/4 E5/2 C5/2 D5/2 E5/2 G5/2 E5/2 | D5/2 B4/2 G4/2 B4/2 D5/4 r/4", fill=True),
        "b1": Section("F G Em Am", "A5/6 G5/2 F5/4 C5/4 | D5/2 G5/2 B5/4 A5/2 G5/2 D5/4 | E5/4 G5/4 B5/6 A5/2 |"
                                   "C6/4 B5/2 A5/2 E5/8", bass="pulse"),
        "b2": Section("F G E Am", "A5/6 G5/2 F5/4 A5/4 | B5/2 A5/2 G5/4 D5/4 G5/4 | G#5/4 B5/4 E6/4 D6/2 B5/2 |"
                                  "C6/4 B5/2 G#5/2 A5/6 r/2", bass="pulse", fill=True),
        "break": Section("Dm Em F G", "r/8 A4/4 D5/4 | E5/8 B4/4 G4/4 | A4/8 C5/4 F5/4 | G5/8 F5/2 E5/2 D5/4",
                         bass="long", drums="light", fill=True),
        "outro": Section("Am F G Am", "E5/16 | C5/16 | D5/8 B4/8 | A4/8 r/8", bass="long", drums="light",
                         ending=True),
    },
    ["intro", "a1", "a2", "b1", "b2", "break", "a1", "a2", "b2", "outro"],
)

DEEP_CORE = Track(
    "Deep Core", 92, "mallet", "pluck", 6,
    {
        "intro": Section("Dm Bb Gm A", None, bass="long", drums="none", arp=True),
        "a1": Section("Dm Bb Gm A", "D5/4 F5/4 A5/6 G5/2 | F5/4 D5/4 Bb4/8 | G4/2 Bb4/2 D5/4 C5/2 Bb4/2 A4/4 |"
                                    "E5/8 C#5/4 A4/4", bass="pulse", drums="half"),
        "a2": Section("Dm Bb Gm A", "D5/4 F5/4 A5/4 D6/4 | C6/4 Bb5/4 F5/8 | G5/4 F5/2 E5/2 D5/4 Bb4/4 |"
                                    "A4/4 C#5/4 E5/4 A5/4", bass="pulse", drums="half", fill=True),
        "b1": Section("Gm Dm Bb A", "Bb5/6 A5/2 G5/8 | F5/6 E5/2 D5/8 | D5/4 F5/4 Bb5/4 A5/4 | G5/4 E5/4 C#5/4 E5/4",
                      bass="drive", drums="half"),
        "b2": Section("Gm A Dm Dm", "Bb5/6 A5/2 G5/4 D5/4 | E5/6 F5/2 G5/4 C#5/4 | D5/16 | r/16",
                      bass="drive", drums="half", fill=True),
        "outro": Section("Dm Bb A Dm", "A4/16 | F4/16 | E4/8 C#5/8 | D5/8 r/8", bass="long", drums="none",
                         ending=True),
    },
    ["intro", "a1", "a2", "b1", "a1", "b2", "outro"],
    arp_step=2,
)

QUARKEL_DRIFT = Track(
    "Quarkel Drift", 120, "pluck", "mallet", 3,
    {
        "intro": Section("C Am F G", None, bass="long", drums="light", fill=True),
        "a1": Section("C Am F G", "G4/2 C5/2 E5/2 G5/2 E5/2 C5/2 D5/2 E5/2 | C5/4 A4/2 C5/2 E5/4 A5/4 |"
                                  "A5/2 G5/2 F5/2 E5/2 F5/4 C5/4 | D5/2 E5/2 F5/2 G5/2 B4/4 r/4",
                      bass="pulse", drums="four"),
        "a2": Section("C Am F G", "G4/2 C5/2 E5/2 G5/2 C6/4 B5/2 G5/2 | A5/4 E5/2 C5/2 A4/4 C5/4 |"
                                  "F5/2 A5/2 C6/4 A5/2 F5/2 C5/4 | D5/4 G5/4 F5/2 D5/2 C5/4",
                      bass="pulse", drums="four", fill=True),
        "b1": Section("Dm G C Am", "F5/3 E5/1 D5/4 A5/4 F5/4 | G5/3 F5/1 D5/4 B4/4 G4/4 | E5/3 D5/1 C5/4 G5/4 E5/4 |"
                                   "A5/6 G5/2 E5/4 C5/4", bass="drive", drums="four"),
        "b2": Section("F G C C", "F5/3 G5/1 A5/4 C6/4 A5/4 | B5/3 A5/1 G5/4 D5/4 B4/4 | C5/4 E5/4 G5/4 C6/4 |"
                                 "C6/8 r/8", bass="drive", drums="four", fill=True),
        "break": Section("F Em Dm G", "r/16 | r/16 | r/16 | r/8 G4/2 A4/2 B4/2 D5/2", bass="long", drums="light"),
        "outro": Section("C Am F C", "E5/16 | C5/16 | A4/8 B4/8 | C5/8 r/8", bass="long", drums="light",
                         ending=True),
    },
    ["intro", "a1", "a2", "b1", "b2", "break", "a1", "a2", "outro"],
)

TRACKS = {"circuit_run.xm": CIRCUIT_RUN, "deep_core.xm": DEEP_CORE, "quarkel_drift.xm": QUARKEL_DRIFT}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "music")
    os.makedirs(out_dir, exist_ok=True)
    for name, track in TRACKS.items():
        data = compose(track)
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)
        seconds_long = len(track.order) * ROWS * 6 * 2.5 / track.bpm
        print("%-18s %6d bytes  %5.1f s" % (name, len(data), seconds_long))
    with open(os.path.join(out_dir, "default.m3u"), "w") as f:
        f.write("# Karvolt's own music, played in this order.\n")
        for name in TRACKS:
            f.write(name + "\n")


if __name__ == "__main__":
    main()
