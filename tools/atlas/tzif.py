"""Reading compiled time-zone files (TZif, RFC 8536) and expanding the
POSIX TZ rule of their footer, so that a zone's history of UT offsets can be
listed explicitly up to a chosen year."""

import re
import struct

UNIX_EPOCH_JD = 2440587.5  # JD of 1970-01-01 00:00 UT (as a float only for display)


class LocalTimeType:
    def __init__(self, utoff, isdst, abbr):
        self.utoff = utoff  # seconds east of Greenwich
        self.isdst = isdst
        self.abbr = abbr

    def __repr__(self):
        return "LocalTimeType(%d, %d, %r)" % (self.utoff, self.isdst, self.abbr)


class Zone:
    """Transitions (UT seconds since 1970, LocalTimeType) in time order, the
    type in force before the first transition, and the footer rule."""

    def __init__(self, initial, transitions, footer):
        self.initial = initial
        self.transitions = transitions
        self.footer = footer


def read_tzif(path):
    data = open(path, "rb").read()
    if data[:4] != b"TZif":
        raise ValueError("%s is not a TZif file" % path)
    version = data[4:5]

    def header(offset):
        counts = struct.unpack(">6l", data[offset + 20:offset + 44])
        return counts  # isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt

    isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt = header(0)
    v1_size = timecnt * 5 + typecnt * 6 + charcnt + leapcnt * 8 + isstdcnt + isutcnt
    if version == b"\0":
        raise ValueError("%s: version 1 TZif files are not supported" % path)
    offset = 44 + v1_size
    if data[offset:offset + 4] != b"TZif":
        raise ValueError("%s: no 64-bit block" % path)
    isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt = header(offset)
    p = offset + 44
    times = struct.unpack(">%dq" % timecnt, data[p:p + 8 * timecnt])
    p += 8 * timecnt
    indices = data[p:p + timecnt]
    p += timecnt
    raw_types = []
    for _ in range(typecnt):
        utoff, isdst, abbrind = struct.unpack(">lBB", data[p:p + 6])
        raw_types.append((utoff, isdst, abbrind))
        p += 6
    chars = data[p:p + charcnt]
    p += charcnt + leapcnt * 12 + isstdcnt + isutcnt
    footer = data[p:].strip(b"\n").decode("ascii")

    def abbr(i):
        end = chars.index(b"\0", i)
        return chars[i:end].decode("ascii")

    types = [LocalTimeType(u, d, abbr(a)) for (u, d, a) in raw_types]
    transitions = [(t, types[i]) for t, i in zip(times, indices)]
    # RFC 8536: the type before the first transition is type 0.
    return Zone(types[0], transitions, footer)


# --- civil calendar helpers (proleptic Gregorian, integer arithmetic) ---------

def days_from_civil(y, m, d):
    """Days since 1970-01-01 of a proleptic Gregorian date."""
    y -= m <= 2
    era = (y if y >= 0 else y - 399) // 400
    yoe = y - era * 400
    doy = (153 * (m + (-3 if m > 2 else 9)) + 2) // 5 + d - 1
    doe = yoe * 365 + yoe // 4 - yoe // 100 + doy
    return era * 146097 + doe - 719468


def days_from_julian_civil(y, m, d):
    """Days since 1970-01-01 of a Julian-calendar date."""
    a = (14 - m) // 12
    yy = y + 4800 - a
    mm = m + 12 * a - 3
    jdn = d + (153 * mm + 2) // 5 + 365 * yy + yy // 4 - 32083
    return jdn - 2440588


def civil_from_days(z):
    z += 719468
    era = (z if z >= 0 else z - 146096) // 146097
    doe = z - era * 146097
    yoe = (doe - doe // 1460 + doe // 36524 - doe // 146096) // 365
    y = yoe + era * 400
    doy = doe - (365 * yoe + yoe // 4 - yoe // 100)
    mp = (5 * doy + 2) // 153
    d = doy - (153 * mp + 2) // 5 + 1
    m = mp + (3 if mp < 10 else -9)
    return y + (m <= 2), m, d


def is_leap(y):
    return y % 4 == 0 and (y % 100 != 0 or y % 400 == 0)


# --- POSIX TZ strings ---------------------------------------------------------

_NAME = r"(<[^>]*>|[A-Za-z]{3,})"
_OFFSET = r"([+-]?\d{1,3}(?::\d{1,2}(?::\d{1,2})?)?)"
_RULE = r"(J\d+|\d+|M\d+\.\d\.\d)(?:/([+-]?\d{1,3}(?::\d{1,2}(?::\d{1,2})?)?))?"
_TZ = re.compile("^" + _NAME + _OFFSET + "(?:" + _NAME + _OFFSET + "?" +
                 "(?:," + _RULE + "," + _RULE + ")?)?$")


def _seconds(text):
    sign = -1 if text.startswith("-") else 1
    parts = [int(x) for x in text.lstrip("+-").split(":")]
    while len(parts) < 3:
        parts.append(0)
    return sign * (parts[0] * 3600 + parts[1] * 60 + parts[2])


def _strip(name):
    return name[1:-1] if name.startswith("<") else name


class PosixRule:
    def __init__(self, text):
        m = _TZ.match(text)
        if not m:
            raise ValueError("unsupported TZ string %r" % text)
        std, stdoff, dst, dstoff, start, starttime, end, endtime = m.groups()
        # POSIX offsets are west-positive.
        self.std = LocalTimeType(-_seconds(stdoff), 0, _strip(std))
        self.dst = None
        if dst:
            off = -_seconds(dstoff) if dstoff else self.std.utoff + 3600
            self.dst = LocalTimeType(off, 1, _strip(dst))
            if not start:
                raise ValueError("TZ string without rules: %r" % text)
            self.start = (start, _seconds(starttime) if starttime else 7200)
            self.end = (end, _seconds(endtime) if endtime else 7200)

    @staticmethod
    def _day_of(rule, year):
        """Days since 1970 of the rule's date in `year`."""
        if rule.startswith("M"):
            month, week, weekday = (int(x) for x in rule[1:].split("."))
            first = days_from_civil(year, month, 1)
            first_weekday = (first + 4) % 7  # 1970-01-01 was a Thursday (4)
            day = first + (weekday - first_weekday) % 7 + (week - 1) * 7
            if week == 5:
                mdays = [31, 29 if is_leap(year) else 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31][month - 1]
                while day - first >= mdays:
                    day -= 7
            return day
        if rule.startswith("J"):
            n = int(rule[1:])  # 1..365, 29 February never counted
            day = days_from_civil(year, 1, 1) + n - 1
            if is_leap(year) and n >= 60:
                day += 1
            return day
        return days_from_civil(year, 1, 1) + int(rule)

    def transitions(self, year):
        """The (UT seconds, type) changes of `year`, in time order."""
        if self.dst is None:
            return []
        start_rule, start_time = self.start
        end_rule, end_time = self.end
        # A change happens at a local time of the type in force before it.
        on = self._day_of(start_rule, year) * 86400 + start_time - self.std.utoff
        off = self._day_of(end_rule, year) * 86400 + end_time - self.dst.utoff
        pairs = [(on, self.dst), (off, self.std)]
        pairs.sort(key=lambda p: p[0])
        return pairs


def expanded_transitions(zone, last_year):
    """The zone's transitions, with those of the footer rule added after the
    last listed one, up to the end of `last_year`."""
    out = list(zone.transitions)
    if not zone.footer:
        return out
    rule = PosixRule(zone.footer)
    limit = days_from_civil(last_year + 1, 1, 1) * 86400
    after = out[-1][0] if out else None
    first_year = civil_from_days((after if after is not None else 0) // 86400)[0]
    for year in range(first_year, last_year + 1):
        for t, typ in rule.transitions(year):
            if (after is None or t > after) and t < limit:
                out.append((t, typ))
    return out
