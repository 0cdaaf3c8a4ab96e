#!/usr/bin/env python3
"""Writes "backmid.mid", the calm tune the training plays while it pauses.

Our own short melody in the C-major pentatonic scale over a slow bass, about a
minute long, ending on the chord it starts from so that it loops smoothly.
A standard MIDI file of format 0, written byte by byte: no library needed.

    gen_backmid.py OUTPUT.mid
"""
import struct
import sys

TICKS = 480          # ticks per quarter note
TEMPO_US = 833_333   # 72 beats per minute

# The melody: (MIDI note, length in quarters). 60 is middle C.
PHRASE_A = [(64, 1), (67, 1), (69, 1), (67, 1), (64, 2), (62, 2),
            (60, 1), (62, 1), (64, 1), (67, 1), (64, 4)]
PHRASE_B = [(69, 1), (72, 1), (69, 1), (67, 1), (64, 2), (67, 2),
            (62, 1), (64, 1), (62, 1), (60, 1), (62, 4)]
PHRASE_C = [(67, 1), (69, 1), (72, 2), (74, 1), (72, 1), (69, 2),
            (67, 1), (64, 1), (62, 1), (64, 1), (60, 4)]
MELODY = PHRASE_A + PHRASE_B + PHRASE_A + PHRASE_C
MELODY = MELODY + MELODY[:]           # twice: 64 quarters, about 53 s
MELODY += [(60, 4), (64, 4)]          # a closing bar back to the opening chord

# One bass note per bar of four quarters, following the phrases.
BASS_A = [48, 43, 45, 48]
BASS_B = [45, 43, 41, 43]
BASS_C = [41, 43, 45, 48]
BASS = (BASS_A + BASS_B + BASS_A + BASS_C) * 2 + [48, 48]


def var_len(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.insert(0, (n & 0x7F) | 0x80)
        n >>= 7
    return bytes(out)


def events():
    """(absolute tick, bytes) of every event, melody on channel 0, bass on 1."""
    evs = [(0, bytes([0xFF, 0x51, 3]) + TEMPO_US.to_bytes(3, "big")),
           (0, bytes([0xC0, 0])),    # acoustic grand piano
           (0, bytes([0xC1, 48])),   # string ensemble
           (0, bytes([0xB0, 7, 90])),
           (0, bytes([0xB1, 7, 60]))]
    t = 0
    for note, quarters in MELODY:
        length = quarters * TICKS
        evs.append((t, bytes([0x90, note, 72])))
        evs.append((t + length - 20, bytes([0x80, note, 0])))
        t += length
    end = t
    t = 0
    for note in BASS:
        evs.append((t, bytes([0x91, note, 56])))
        evs.append((t + 4 * TICKS - 10, bytes([0x81, note, 0])))
        t += 4 * TICKS
    evs.sort(key=lambda e: (e[0], e[1][0] & 0xF0 != 0x80))
    return evs, max(end, t)


def main():
    evs, end = events()
    track = b""
    now = 0
    for tick, data in evs:
        track += var_len(tick - now) + data
        now = tick
    track += var_len(end - now) + bytes([0xFF, 0x2F, 0])
    midi = b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS)
    midi += b"MTrk" + struct.pack(">I", len(track)) + track
    with open(sys.argv[1], "wb") as f:
        f.write(midi)


if __name__ == "__main__":
    main()
