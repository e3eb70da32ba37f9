#include "archive/time_regimes.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "base/text_field.h"
#include "ephemeris/angles.h"
#include "ephemeris/text_forms.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qv::atlas {

namespace {

constexpr std::size_t kCodeOffset = 10, kCodeWidth = 4;
constexpr std::size_t kCorrectionOffset = 16;
const char* const kElencal = "Calendar\\Elencal.002";
const char* const kDatabase = "Calendar\\Database.cll";

} // namespace

RegimeRecord decodeRegime(std::span<const std::uint8_t> record) {
    if (record.size() != kRegimeRecordSize) throw ConversionError("Record di regime orario di lunghezza errata");
    RegimeRecord r;
    r.storedDate = decodeExtended10(record.subspan<0, 10>());
    r.code = readTextField(record, kCodeOffset, kCodeWidth);
    std::memcpy(&r.correction, record.data() + kCorrectionOffset, sizeof r.correction);
    if (!std::isfinite(r.correction)) throw ConversionError("Correzione non valida in un record di regime orario");
    return r;
}

Bytes encodeRegime(const RegimeRecord& record) {
    Bytes out(kRegimeRecordSize, 0);
    const auto date = encodeExtended10(record.storedDate);
    std::copy(date.begin(), date.end(), out.begin());
    writeTextField(std::span<std::uint8_t>(out), kCodeOffset, kCodeWidth, record.code);
    std::memcpy(out.data() + kCorrectionOffset, &record.correction, sizeof record.correction);
    return out;
}

std::string regimeTableName(std::int32_t tableNumber) {
    const std::string digits = std::to_string(tableNumber);
    return digits.substr(1) + ".CAL";
}

std::string continuationTableName(const RegimeRecord& rich) {
    const Extended n = Round(rich.storedDate);
    if (!(n >= 0 && n <= 99999999))
        throw ConversionError("Tabella di continuazione non valida nel record \"RICH\"");
    std::string digits = std::to_string(static_cast<long long>(n));
    return std::string(8 - digits.size(), '0') + digits + ".CAL";
}

std::int64_t foreignTableStart(const std::string& tableName) {
    const auto lines = readDataTextLines(kElencal);
    for (const std::string& line : lines) {
        if (line.size() < 12 || line.compare(0, 12, tableName) != 0) continue;
        const std::string field = line.size() >= 20 ? line.substr(14, 6) : std::string();
        if (field.size() != 6 || !std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; }))
            throw IoError(kElencal, "numero di record non valido per la tabella " + tableName);
        return std::stoll(field);
    }
    throw IoError(kElencal, "tabella " + tableName + " non trovata");
}

RegimeTable loadRegimeTable(PlaceArchive archive, const std::string& tableName) {
    std::string path;
    std::int64_t first = 0;
    if (archive == PlaceArchive::Italia) {
        path = "Calendar\\" + tableName;
    } else {
        path = kDatabase;
        first = foreignTableStart(tableName);
    }
    const RecordFile file(dataDir().resolve(path), kRegimeRecordSize, RecordFile::Mode::ReadOnly, path);
    const std::int64_t count = file.count();
    if (first > count) throw IoError(path, "la tabella " + tableName + " inizia oltre la fine del file");
    RegimeTable table;
    for (std::int64_t k = first; k < count; ++k) {
        RegimeRecord r = decodeRegime(file.read(k));
        if (r.code == kEndCode) break;
        table.push_back(std::move(r));
    }
    return table;
}

} // namespace qv::atlas
