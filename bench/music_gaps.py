#!/usr/bin/env python3
"""Counts the gaps in a recording of the game's music (raw s16le stereo from the sink's monitor).

A gap is a run of digital silence of at least 2 ms (every sample within one step of zero on both
channels), or a level step: a 2 ms window at least 30 dB below the median level of the 100 ms
around it, as a dropout that the sink filled with something other than zeros would leave.

Usage: music_gaps.py RECORDING.raw [RATE]
Prints: gaps=N silent=N steps=N longest_ms=X rms_dbfs=X peak_dbfs=X seconds=X
"""
import array
import math
import statistics
import sys


def main():
    path = sys.argv[1]
    rate = int(sys.argv[2]) if len(sys.argv) > 2 else 44100
    samples = array.array("h")
    with open(path, "rb") as f:
        samples.frombytes(f.read())
    if sys.byteorder != "little":
        samples.byteswap()
    frames = len(samples) // 2
    if frames == 0:
        print("gaps=0 silent=0 steps=0 longest_ms=0 rms_dbfs=-inf peak_dbfs=-inf seconds=0")
        return

    run_min = int(rate * 0.002)
    silent_runs = []
    run = 0
    for i in range(frames):
        if -1 <= samples[2 * i] <= 1 and -1 <= samples[2 * i + 1] <= 1:
            run += 1
        else:
            if run >= run_min:
                silent_runs.append(run)
            run = 0
    if run >= run_min:
        silent_runs.append(run)

    # Level per 2 ms window, in dB.
    window = run_min
    levels = []
    total = 0.0
    peak = 0
    for w in range(frames // window):
        chunk = samples[2 * w * window:2 * (w + 1) * window]
        energy = sum(s * s for s in chunk)
        total += energy
        peak = max(peak, max(chunk), -min(chunk))
        rms = math.sqrt(energy / len(chunk)) / 32768.0
        levels.append(20 * math.log10(rms) if rms > 0 else -120.0)
    steps = 0
    around = 25  # windows each side: 100 ms in all
    for w in range(around, len(levels) - around):
        if levels[w] <= -100:
            continue  # digital silence, counted above
        neighbourhood = levels[w - around:w] + levels[w + 1:w + 1 + around]
        if levels[w] < statistics.median(neighbourhood) - 30:
            steps += 1
    rms_all = math.sqrt(total / max(1, len(levels) * window * 2)) / 32768.0
    longest = max(silent_runs) * 1000.0 / rate if silent_runs else 0.0
    print("gaps=%d silent=%d steps=%d longest_ms=%.1f rms_dbfs=%.1f peak_dbfs=%.1f seconds=%.1f" % (
        len(silent_runs) + steps, len(silent_runs), steps, longest,
        20 * math.log10(rms_all) if rms_all > 0 else -120, 
        20 * math.log10(peak / 32768.0) if peak > 0 else -120, frames / rate))


if __name__ == "__main__":
    main()
