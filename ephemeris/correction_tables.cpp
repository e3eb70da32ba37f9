#include "ephemeris/correction_tables.h"

#include "base/errors.h"
#include "base/reals.h"
#include "ephemeris/angles.h"
#include "ephemeris/cached_tables.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace qv {

namespace {

Extended recordDay(std::span<const std::uint8_t> record);

// A correction of more than half a turn (arcseconds) is no correction.
constexpr std::int64_t kLargestDailyCorrection = 648000;

// The daily tables of the Moon and of the Black Moon never hold the same
// zero for long (their longest run of zero days is eight); a long run of
// zero records is a part of the file that was never written, as a copy cut
// short by a crash or a full disk leaves it. Any disk block of zeros is
// longer than this.
constexpr std::int64_t kLongestZeroRun = 256;

// The first record of the longest run of zero records of a daily table, or
// -1 when no run is longer than kLongestZeroRun.
std::int64_t zeroRunStart(const TableRecords& t, int recordSize) {
    std::int64_t run = 0;
    for (std::int64_t k = 0; k < t.count(); ++k) {
        const auto record = t.record(k);
        bool zero = true;
        for (int i = 0; i < recordSize; ++i) zero = zero && record[static_cast<std::size_t>(i)] == 0;
        run = zero ? run + 1 : 0;
        if (run > kLongestZeroRun) return k + 1 - run;
    }
    return -1;
}

// What is wrong with a table as read, or nothing: whole records (a table
// cut short is refused at the first day past its end), the days of
// DPR1.rnd in their 5-day sequence from its origin, daily corrections within half a
// turn, no long run of zero days in the Moon's and the Black Moon's tables,
// and a table of Ceres to Chiron that is not all zero. Checked once
// per reading of the file.
std::string faultOf(const char* dataPath, const TableRecords& t, int recordSize) {
    const std::string path = dataPath;
    if (t.bytes() % static_cast<std::size_t>(recordSize) != 0)
        return std::to_string(t.bytes()) + " byte, non un multiplo del record di " + std::to_string(recordSize);
    if (path == kDpr1Path) {
        for (std::int64_t k = 0; k < t.count(); ++k)
            if (recordDay(t.record(k)) != kDpr1Origin + 5.0L * static_cast<Extended>(k))
                return "il record " + std::to_string(k) + " non porta il giorno atteso (" +
                       std::to_string(static_cast<long long>(kDpr1Origin) + 5 * k) + ",5)";
    }
    if (path == kNojlnePath || path == kDastPath) {
        bool allZero = true;
        for (std::size_t at = 0; at + 4 <= t.bytes(); at += 4) {
            std::int32_t v;
            const auto size = static_cast<std::size_t>(recordSize);
            std::memcpy(&v, t.record(static_cast<std::int64_t>(at / size)).data() + at % size, 4);
            if (v != 0) allZero = false;
            if (v > kLargestDailyCorrection || v < -kLargestDailyCorrection)
                return "una correzione di " + std::to_string(v) + " al byte " + std::to_string(at) +
                       " (oltre mezzo giro)";
        }
        // The minor bodies' table is made with the program: all zero, it
        // was never written.
        if (path == kDastPath && allZero) return "tutta a zero";
    }
    if (path == kDselPath || path == kNojlnePath) {
        const std::int64_t start = zeroRunStart(t, recordSize);
        if (start >= 0)
            return "pi\u00F9 di " + std::to_string(kLongestZeroRun) + " record a zero di seguito dal record " +
                   std::to_string(start) + " (una parte del file non \u00E8 stata scritta)";
    }
    return {};
}

// The table as it is now on disk (kept in memory while its file stays the
// same); a missing table raises the error of opening it, a damaged one an
// IoError naming it, and no value of it is ever used.
TableRecords openTable(const char* dataPath, int recordSize) {
    const TableRecords t = tableRecords(dataPath, static_cast<std::size_t>(recordSize));
    struct Checked {
        std::string path;
        std::uint64_t loading = 0;
        std::string fault;
    };
    thread_local std::vector<Checked> checked;
    auto it = std::find_if(checked.begin(), checked.end(), [&](const Checked& c) { return c.path == dataPath; });
    if (it == checked.end()) it = checked.insert(checked.end(), Checked{dataPath, 0, {}});
    if (it->loading == 0 || it->loading != t.loading()) {
        // The bytes the program shipped were checked when it was built.
        it->fault = t.shipped() ? std::string() : faultOf(dataPath, t, recordSize);
        it->loading = t.loading();
    }
    if (!it->fault.empty()) throw IoError(dataPath, "tabella delle correzioni danneggiata: " + it->fault);
    return t;
}

using Record = std::span<const std::uint8_t>;

std::int64_t recordNumber(Extended n, const char* dataPath) {
    if (!std::isfinite(n) || n < 0 || n > 1e12L)
        throw IoError(dataPath, "data fuori dalla tabella delle correzioni");
    return static_cast<std::int64_t>(n);
}

// Daily tables of signed little-endian integers: the `width`-byte value at
// byte `at` of each record.
Extended readDaily(const char* dataPath, int recordSize, Extended origin, Extended jd, int at = 0,
                   int width = 0) {
    if (width == 0) width = recordSize;
    const Extended u = jd - origin;
    const Extended n = Round(u - 0.5L);
    const TableRecords table = openTable(dataPath, recordSize);
    const std::int64_t k = recordNumber(n, dataPath);
    auto value = [&](std::int64_t rec) -> Extended {
        const Record b = table.record(rec);
        if (width == 2) {
            std::int16_t v;
            std::memcpy(&v, b.data() + at, 2);
            return v;
        }
        std::int32_t v;
        std::memcpy(&v, b.data() + at, 4);
        return v;
    };
    const Extended p = value(k);
    const Extended q = value(k + 1);
    return p + (jd - (origin + n)) * (q - p);
}

Extended fieldValue(Record record, int field) {
    const Dpr1Field f = dpr1Field(field);
    if (f.width == 1) return static_cast<std::int8_t>(record[static_cast<std::size_t>(f.offset)]);
    std::int16_t v;
    std::memcpy(&v, record.data() + f.offset, 2);
    return v;
}

} // namespace

Dpr1Field dpr1Field(int field) {
    if (field >= 1 && field <= 7) return {6 + (field - 1), 1};
    if (field == 8) return {14, 2};
    if (field >= 9 && field <= 16) return {16 + (field - 9), 1};
    if (field == 17) return {24, 2};
    throw IoError(kDpr1Path, "campo inesistente (" + std::to_string(field) + ")");
}

Extended ReadDsel(Extended jd) {
    Extended value = readDaily(kDselPath, kDselRecordSize, kDselOrigin, jd);
    if (value > 21600.0L) value -= 21600.0L;
    return value;
}

Extended ReadNojlne(Extended jd) {
    return readDaily(kNojlnePath, kNojlneRecordSize, kNojlneOrigin, jd);
}

Extended ReadDast(Extended jd, int body) {
    if (body < 1 || body > kDastBodies)
        throw IoError(kDastPath, "corpo inesistente (" + std::to_string(body) + ")");
    if (!tablePresent(kDastPath)) return 0;
    return readDaily(kDastPath, kDastRecordSize, kDastOrigin, jd, 4 * (body - 1), 4);
}

namespace {

std::int64_t dpr1RecordOf(Extended jd) {
    const Extended whole = Int(jd - kDpr1Origin - 0.5L);
    return recordNumber(whole, kDpr1Path) / 5;
}

Extended recordDay(Record record) { return decodeReal48(std::span<const std::uint8_t, 6>(record.data(), 6)); }

// The day of record k, which the check of the table has found in it.
Extended dpr1Day(std::int64_t k) { return kDpr1Origin + 5.0L * static_cast<Extended>(k); }

// The line through records a and b = a + 1 (5 days apart) at jd, folded as
// the table's values are.
Extended along(const TableRecords& table, std::int64_t a, int field, Extended jd) {
    const Extended p = fieldValue(table.record(a), field);
    const Extended q = fieldValue(table.record(a + 1), field);
    Extended value = p + (jd - dpr1Day(a)) * (q - p) / 5.0L;
    if (value > 21600.0L) value -= 21600.0L;
    return value;
}

} // namespace

Extended ReadDpr1(Extended jd, int field) {
    const std::int64_t n = dpr1RecordOf(jd);
    const TableRecords table = openTable(kDpr1Path, kDpr1RecordSize);
    return along(table, n, field, jd);
}

Extended ReadDpr1AcrossJump(Extended jd, int field, Extended jump) {
    const std::int64_t n = dpr1RecordOf(jd);
    const TableRecords table = openTable(kDpr1Path, kDpr1RecordSize);
    table.record(n + 1); // both records of the step exist, or the error names the table
    const Extended t0 = dpr1Day(n);
    if (!(jump > t0 && jump < t0 + 5.0L)) return along(table, n, field, jd);
    if (jd < jump) {
        if (n == 0) return along(table, n, field, jd);
        return along(table, n - 1, field, jd);
    }
    return along(table, n + 1, field, jd);
}

} // namespace qv
