#!/usr/bin/env python3
"""Synthesise the demo story's music and sound effects into demo/sound/.

Every sample is computed here with the standard library (sine partials under
simple envelopes), so the sounds are the project's own and anyone can change
and regenerate them. Each sound is written as a WAV file and encoded to OGG
Vorbis with oggenc (package vorbis-tools) at a fixed stream serial number, so
the same script gives the same bytes again.

  theme.ogg  a 9.6-second loop: a soft pad under a pentatonic arpeggio
  chime.ogg  two bell notes, when the sister starts to talk
  door.ogg   a short low knock and creak, when the hero passes the curtain
"""

import math
import os
import struct
import subprocess
import sys
import tempfile

RATE = 22050  # mono: small files, and plenty for a demo


def note(midi):
    return 440.0 * 2 ** ((midi - 69) / 12)


def bell(samples, start, freq, length, gain):
    """Adds a bell-like tone: a few inharmonic partials, fast attack, slow decay."""
    partials = ((1.0, 1.0), (2.01, 0.35), (3.02, 0.15), (4.2, 0.06))
    first = int(start * RATE)
    for i in range(int(length * RATE)):
        if first + i >= len(samples):
            break
        t = i / RATE
        env = min(1.0, t / 0.01) * math.exp(-t * 3.2)
        value = sum(a * math.sin(2 * math.pi * freq * m * t) for m, a in partials)
        samples[first + i] += gain * env * value


def pad(samples, freqs, gain):
    """A steady chord whose loudness breathes once per loop, so the loop is seamless."""
    n = len(samples)
    for i in range(n):
        t = i / RATE
        swell = 0.75 + 0.25 * math.sin(2 * math.pi * i / n)
        samples[i] += gain * swell * sum(math.sin(2 * math.pi * f * t) for f in freqs) / len(freqs)


def theme():
    beat = 0.4
    bars = 24  # 24 beats of 0.4 s: 9.6 s
    samples = [0.0] * int(bars * beat * RATE)
    # Frequencies that complete whole cycles in the loop, so the pad joins up.
    loop = len(samples) / RATE
    chord = [round(note(m) * loop) / loop for m in (50, 57, 62, 66)]
    pad(samples, chord, 0.18)
    scale = [62, 64, 66, 69, 71, 74, 76, 78]
    pattern = [0, 2, 4, 5, 4, 2, 1, 3, 5, 6, 5, 3, 0, 2, 4, 7, 6, 4, 2, 3, 4, 2, 1, 0]
    for k, step in enumerate(pattern):
        # The last notes are short, so nothing rings across the loop's seam.
        length = 1.2 if k < len(pattern) - 3 else 0.35
        bell(samples, k * beat, note(scale[step]), length, 0.22)
    return samples


def chime():
    samples = [0.0] * int(0.9 * RATE)
    bell(samples, 0.0, note(81), 0.9, 0.35)
    bell(samples, 0.12, note(88), 0.78, 0.3)
    return samples


def door():
    samples = [0.0] * int(0.6 * RATE)
    for hit in (0.0, 0.16):
        first = int(hit * RATE)
        for i in range(int(0.12 * RATE)):
            t = i / RATE
            env = math.exp(-t * 40)
            samples[first + i] += 0.6 * env * (math.sin(2 * math.pi * 95 * t) +
                                                0.4 * math.sin(2 * math.pi * 190 * t))
    first = int(0.3 * RATE)
    for i in range(int(0.28 * RATE)):
        t = i / RATE
        freq = 300 + 140 * t / 0.28
        env = math.sin(math.pi * t / 0.28) * 0.12
        saw = 2 * ((freq * t) % 1.0) - 1
        samples[first + i] += env * saw
    return samples


def write_wav(path, samples):
    peak = max(1e-9, max(abs(s) for s in samples))
    scale = min(1.0, 0.9 / peak) * 32767
    frames = b"".join(struct.pack("<h", int(s * scale)) for s in samples)
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", 36 + len(frames)) + b"WAVE")
        f.write(b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, RATE, RATE * 2, 2, 16))
        f.write(b"data" + struct.pack("<I", len(frames)) + frames)


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "demo", "sound")
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        for name, make in (("theme", theme), ("chime", chime), ("door", door)):
            wav = os.path.join(tmp, name + ".wav")
            write_wav(wav, make())
            target = os.path.join(out, name + ".ogg")
            subprocess.run(["oggenc", "--quiet", "-q", "1", "-s", "1", "-o", target, wav],
                           check=True)
            print(target, os.path.getsize(target), "bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
