#!/usr/bin/env python3
"""Writes the phone-style clips Debian's ffmpeg can't encode, byte by byte from their published
layouts: raw AMR-NB/WB voice memos, a QCELP .qcp memo and a 3GP whose AMR track stores one second
of frames per sample with a short last sample. The speech frames carry random bits (a decoder turns
them into noise); what matters is their count and sizes. Usage: make-phone-clips.py <folder>."""
import random
import struct
import sys

out = sys.argv[1]
rng = random.Random(12)

NB_SIZES = [13, 14, 16, 18, 20, 21, 27, 32, 6, 1, 1, 1, 1, 1, 1, 1]  # with the header byte
WB_SIZES = [18, 24, 33, 37, 41, 47, 51, 59, 61, 6, 1, 1, 1, 1, 1, 1]


def amr_frame(sizes, mode):
    return bytes([(mode << 3) | 0x04]) + rng.randbytes(sizes[mode] - 1)


def write(name, data):
    with open(f"{out}/{name}", "wb") as f:
        f.write(data)


def voice_memo(seconds, sizes, speech_mode, sid_mode):
    """Talk and pauses: a second of speech frames, then a second of discontinuous transmission
    (a silence descriptor every eighth frame, "no data" frames between), so that a bit rate taken
    from the first frames says nothing about the length."""
    frames = []
    for second in range(seconds):
        for i in range(50):
            if second % 2 == 0:
                frames.append(amr_frame(sizes, speech_mode))
            else:
                frames.append(amr_frame(sizes, sid_mode if i % 8 == 0 else 15))
    return b"".join(frames), len(frames)


# A 35-minute AMR-NB memo (12.2k speech) and a 7-minute AMR-WB one (23.85k speech).
data, count = voice_memo(35 * 60, NB_SIZES, 7, 8)
write("memo-35min.amr", b"#!AMR\n" + data)
data, count = voice_memo(7 * 60, WB_SIZES, 8, 9)
write("memo-7min.awb", b"#!AMR-WB\n" + data)
# A short one that plays.
data, count = voice_memo(5, NB_SIZES, 7, 8)
write("memo-5s.amr", b"#!AMR\n" + data)


# --- QCP: RIFF "QLCM", QCELP 13k at full rate, 20 ms a packet -------------------------------------
def qcp(seconds):
    packets = b"".join(bytes([4]) + bytes(34) for _ in range(seconds * 50))  # rate byte 4: full rate
    guid = bytes([0x41, 0x6D, 0x7F, 0x5E, 0x15, 0xB1, 0xD0, 0x11, 0xBA, 0x91, 0x00, 0x80, 0x5F, 0xB4, 0xB9, 0x7E])
    fmt = struct.pack("<BB", 1, 0) + guid + struct.pack("<H", 2) + b"Qcelp 13K".ljust(80, b"\0")
    fmt += struct.pack("<HHHHH", 14000, 35, 160, 8000, 16)   # bit rate, packet size, block, rate, bits
    fmt += struct.pack("<I", 0) + bytes(16) + bytes(20)       # no rate map (fixed rate), reserved
    body = b"QLCM" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"vrat" + struct.pack("<III", 8, 0, seconds * 50)
    body += b"data" + struct.pack("<I", len(packets)) + packets
    return b"RIFF" + struct.pack("<I", len(body)) + body


write("memo.qcp", qcp(6))


# --- 3GP with long AMR samples ------------------------------------------------------------------
def box(kind, payload):
    return struct.pack(">I", 8 + len(payload)) + kind + payload


def full(kind, version, flags, payload):
    return box(kind, struct.pack(">I", (version << 24) | flags) + payload)


MATRIX = struct.pack(">9I", 0x10000, 0, 0, 0, 0x10000, 0, 0, 0, 0x40000000)


def amr_3gp(sample_frames):
    """One AMR-NB track at 8000 Hz whose samples hold the given numbers of 20 ms frames."""
    samples = [b"".join(amr_frame(NB_SIZES, 7) for _ in range(n)) for n in sample_frames]
    durations = [n * 160 for n in sample_frames]
    media = sum(durations)
    movie = media * 1000 // 8000
    ftyp = box(b"ftyp", b"3gp4" + struct.pack(">I", 0) + b"3gp4isom")
    mdat = box(b"mdat", b"".join(samples))
    stts_entries = []
    for d in durations:
        if stts_entries and stts_entries[-1][1] == d:
            stts_entries[-1][0] += 1
        else:
            stts_entries.append([1, d])
    samr = (bytes(6) + struct.pack(">H", 1) + bytes(8) + struct.pack(">HHHHI", 1, 16, 0, 0, 8000 << 16)
            + box(b"damr", b"FFMP" + struct.pack(">BHBB", 0, 0x81FF, 0, 1)))
    stbl = box(b"stbl",
               full(b"stsd", 0, 0, struct.pack(">I", 1) + box(b"samr", samr))
               + full(b"stts", 0, 0, struct.pack(">I", len(stts_entries))
                      + b"".join(struct.pack(">II", c, d) for c, d in stts_entries))
               + full(b"stsc", 0, 0, struct.pack(">IIII", 1, 1, len(samples), 1))
               + full(b"stsz", 0, 0, struct.pack(">II", 0, len(samples))
                      + b"".join(struct.pack(">I", len(s)) for s in samples))
               + full(b"stco", 0, 0, struct.pack(">II", 1, len(ftyp) + 8)))
    minf = box(b"minf", full(b"smhd", 0, 0, bytes(4))
               + box(b"dinf", full(b"dref", 0, 0, struct.pack(">I", 1) + full(b"url ", 0, 1, b"")))
               + stbl)
    mdia = box(b"mdia", full(b"mdhd", 0, 0, struct.pack(">IIIIHH", 0, 0, 8000, media, 0x55C4, 0))
               + full(b"hdlr", 0, 0, struct.pack(">I", 0) + b"soun" + bytes(12) + b"SoundHandler\0")
               + minf)
    trak = box(b"trak", full(b"tkhd", 0, 7, struct.pack(">IIIII", 0, 0, 1, 0, movie) + bytes(8)
                             + struct.pack(">hhHH", 0, 0, 0x100, 0) + MATRIX + struct.pack(">II", 0, 0))
               + mdia)
    mvhd = full(b"mvhd", 0, 0, struct.pack(">IIIIIH", 0, 0, 1000, movie, 0x10000, 0x100) + bytes(10) + MATRIX
                + bytes(24) + struct.pack(">I", 2))
    return ftyp + mdat + box(b"moov", mvhd + trak)


# Fifteen samples of one second and a last one of 0.2 s: 15.2 s.
write("amr-long-samples.3gp", amr_3gp([50] * 15 + [10]))
