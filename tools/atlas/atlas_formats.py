"""Byte layouts of the place and regime tables, and the text rules they share
with the program (Windows-1252 upper case, name normalisation).

Everything here mirrors the C++ readers in archive/: a change on one side
needs the same change on the other.
"""

from fractions import Fraction
import struct

PLACE_RECORD_SIZE = 88
REGIME_RECORD_SIZE = 24

# Regime dates are stored plus 27π.
REGIME_DATE_OFFSET = Fraction("84.82300164692441744")


def encode_extended10(value):
    """The x87 80-bit extended encoding of `value` (int, float, Fraction or
    decimal string), rounded to the nearest 64-bit mantissa, ties to even."""
    v = Fraction(value)
    if v == 0:
        return bytes(10)
    negative = v < 0
    a = -v if negative else v
    # Find e with 2^63 <= a / 2^e < 2^64.
    e = a.numerator.bit_length() - a.denominator.bit_length() - 63
    while a / Fraction(2) ** e >= 2 ** 64:
        e += 1
    while a / Fraction(2) ** e < 2 ** 63:
        e -= 1
    scaled = a / Fraction(2) ** e
    mantissa = scaled.numerator // scaled.denominator
    remainder = scaled - mantissa
    if remainder > Fraction(1, 2) or (remainder == Fraction(1, 2) and mantissa % 2 == 1):
        mantissa += 1
    if mantissa == 2 ** 64:
        mantissa >>= 1
        e += 1
    exponent = e + 63 + 16383
    if not 0 < exponent < 0x7FFF:
        raise ValueError("value out of the extended range: %r" % value)
    sign_exp = exponent | (0x8000 if negative else 0)
    return struct.pack("<QH", mantissa, sign_exp)


def decode_extended10(data):
    mantissa, sign_exp = struct.unpack("<QH", data)
    exponent = sign_exp & 0x7FFF
    if exponent == 0 and mantissa == 0:
        return Fraction(0)
    v = Fraction(mantissa) * Fraction(2) ** (exponent - 16383 - 63)
    return -v if sign_exp & 0x8000 else v


def text_field(value, n):
    """A text[n] field: length byte, then n bytes (value, zero-filled)."""
    raw = value if isinstance(value, bytes) else value.encode("cp1252")
    if len(raw) > n:
        raise ValueError("text longer than %d: %r" % (n, raw))
    return bytes([len(raw)]) + raw + bytes(n - len(raw))


def place_record(name, latitude, longitude, table_number, state):
    """One 88-byte place record; latitude and longitude in degrees."""
    out = bytearray(PLACE_RECORD_SIZE)
    out[0:32] = text_field(name, 31)
    out[32:42] = encode_extended10(latitude)
    out[48:58] = encode_extended10(longitude)
    out[60:64] = struct.pack("<i", table_number)
    out[64:88] = text_field(state, 23)
    return bytes(out)


def regime_record(stored_date, code, correction):
    """One 24-byte regime record. `stored_date` is the value as stored (a
    Julian Day already plus 27π, or a table number for "RICH")."""
    out = bytearray(REGIME_RECORD_SIZE)
    out[0:10] = encode_extended10(stored_date)
    out[10:15] = text_field(code, 4)
    out[16:24] = struct.pack("<d", float(correction))
    return bytes(out)


def regime_date(jd):
    """A Julian Day as a regime record stores it."""
    return Fraction(jd) + REGIME_DATE_OFFSET


# --- Windows-1252 text -----------------------------------------------------

def upper_1252(raw):
    """Upper case of Windows-1252 bytes as the program's upperCase1252 does:
    a-z, à..þ (not ÷), ÿ, š, œ, ž; other bytes are kept."""
    out = bytearray()
    for b in raw:
        if 0x61 <= b <= 0x7A:
            b -= 32
        elif 0xE0 <= b <= 0xFE and b != 0xF7:
            b -= 32
        elif b == 0xFF:
            b = 0x9F
        elif b in (0x9A, 0x9C, 0x9E):
            b -= 0x10
        out.append(b)
    return bytes(out)


def _normalise_table():
    table = list(range(256))
    for b in range(0xE0, 0xE7):
        table[b] = ord("a")
    for b in (0xF2, 0xF3, 0xF4, 0xF6, 0xF8):
        table[b] = ord("o")
    table[0xDF] = ord("s")
    for b in range(0xF9, 0xFD):
        table[b] = ord("u")
    for b in range(0xE8, 0xEC):
        table[b] = ord("e")
    for b in range(0xEC, 0xF0):
        table[b] = ord("i")
    table[0xF1] = ord("n")
    table[0xE7] = ord("c")
    # Then a-z upper-cased (including the letters produced above).
    for b in range(256):
        if ord("a") <= table[b] <= ord("z"):
            table[b] -= 32
    for b in (0xC1, 0xC2, 0xC4, 0xC5, 0xC6):
        table[b] = ord("A")
    for b in (0xD3, 0xD4, 0xD6, 0xD8):
        table[b] = ord("O")
    for b in (0xDC, 0xDA):
        table[b] = ord("U")
    for b in range(0xCD, 0xD0):
        table[b] = ord("I")
    for b in (0xC8, 0xC9, 0xCB):
        table[b] = ord("E")
    table[0xC7] = ord("C")
    table[ord("-")] = ord(" ")
    table[ord("(")] = ord(" ")
    return bytes(table)


_NORMALISE = _normalise_table()


def normalise_name(raw):
    """The comparison form of a foreign place name or a typed prefix."""
    out = raw.translate(_NORMALISE)
    if out.startswith(b"'"):
        out = out[1:]
    return out


# Values whose encodings the C++ tests compare with the program's own encoder
# (tests/fixtures/atlas/extended10.tsv): `python3 atlas_formats.py > that file`.
FIXTURE_VALUES = [
    "0", "1", "-2", "0.1", "45.5", "9.25", "2451545", "84.82300164692441744",
    "2421103.32300164692441744", "2412853.31601053803553", "1721508.32300164692441744",
    "-0.83222222222222222222", "1e-5", "1e300", "-3.5e-4000",
    # 1 + 2^-64: halfway between two extended values, rounds to even (1).
    "1.0000000000000000000542101086242752217003726400434970855712890625",
    # 1 + 3 × 2^-64: halfway, rounds up to the even mantissa 1 + 2^-62.
    "1.0000000000000000001626303258728256651011179201304912567138671875",
]

if __name__ == "__main__":
    print("# decimal value\tits 10-byte extended encoding (little-endian hex)")
    for text in FIXTURE_VALUES:
        print("%s\t%s" % (text, encode_extended10(text).hex()))
