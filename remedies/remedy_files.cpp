#include "remedies/remedy_files.h"

#include "base/errors.h"
#include "base/text_file.h"
#include "remedies/safe_rewrite.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv::remedies {

namespace {

// Records read from the file at once while scanning: a block that stays in
// the processor's cache (a remedy record is 4.7 KB), read again and again
// into the same memory, instead of a megabyte touched once.
constexpr std::int64_t kBlockRecords = 16;

void readFully(int fd, std::uint8_t* out, std::size_t size, off_t at, const std::string& name) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, out + done, size - done, at + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            throwSystemIoError(name);
        }
        if (n == 0) throw IoError(name, "il file si \xE8 accorciato durante la lettura");
        done += static_cast<std::size_t>(n);
    }
}

template <typename Record, typename Decode>
std::vector<Record> readAll(const DataDir& dir, const std::string& path, const RecordLayout& layout, Decode decode) {
    const RecordScan scan(dir, path, layout);
    std::vector<Record> out;
    out.reserve(static_cast<std::size_t>(scan.count()));
    scan.forEach(0, [&](std::int64_t, std::span<const std::uint8_t> r) {
        out.push_back(decode(r));
        return true;
    });
    return out;
}

template <typename Record, typename Encode>
void writeAll(const DataDir& dir, const std::string& path, const std::vector<Record>& records, Encode encode) {
    std::vector<Bytes> bytes;
    bytes.reserve(records.size());
    for (const Record& r : records) bytes.push_back(encode(r));
    writeRecords(dir, path, bytes);
}

// Through a whole-file rewrite, so that an interrupted write cannot leave a
// half-written record.
void writeOne(const DataDir& dir, const std::string& path, const RecordLayout& layout, std::int64_t k,
              const Bytes& record) {
    if (!dir.exists(path)) throw IoError(path, italianSystemReason(ENOENT));
    if (k == RecordScan(dir, path, layout).count())
        appendRecordSafely(dir, path, layout, record);
    else
        replaceRecordSafely(dir, path, layout, k, record);
}

} // namespace

RecordScan::RecordScan(const DataDir& dir, const std::string& dataPath, const RecordLayout& layout)
    : name_(dataPath), layout_(layout) {
    const std::filesystem::path path = dir.resolve(dataPath);
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) throwSystemIoError(name_);
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        const int saved = errno;
        ::close(fd_);
        errno = saved;
        throwSystemIoError(name_);
    }
    const auto size = static_cast<std::int64_t>(st.st_size);
    const auto recordSize = static_cast<std::int64_t>(layout.size);
    if (size % recordSize != 0) {
        ::close(fd_);
        throw IoError(name_, "il file \xE8 danneggiato: la sua lunghezza (" + std::to_string(size) +
                                 " byte) non \xE8 un multiplo del record (" + std::to_string(recordSize) + " byte)");
    }
    count_ = size / recordSize;
    if (count_ == 0 && holdsHeaderRecord(dataPath)) {
        ::close(fd_);
        fd_ = -1;
        throw IoError(name_, "il file \xE8 vuoto: manca il record di intestazione (record 0), quindi non \xE8 una "
                             "banca dati; nulla \xE8 stato letto o riscritto");
    }
    if (count_ > 0 && headerHoldsNoData(dataPath)) {
        try {
            checkHeader(read(0));
        } catch (...) {
            ::close(fd_);
            fd_ = -1;
            throw;
        }
    }
}

bool headerHoldsNoData(const std::string& dataPath) {
    return dataPath == files::kRemedies || dataPath == files::kRepertory;
}

// The size of a file that lost its first record is still a whole number of
// records: only the content tells. Record 0 of these databases carries at
// most a title in its first field (the shipped files say "Errore - record
// di intestazione", a database the program starts has zeros), never the
// data of a remedy; a first record with data is a remedy that every list,
// count and rebuild would silently leave out.
void RecordScan::checkHeader(std::span<const std::uint8_t> record) const {
    for (std::size_t i = 1; i < layout_.fields.size(); ++i) {
        if (record[layout_.fields[i].offset] == 0) continue;
        throw IoError(name_, "il record 0 non \xE8 il record di intestazione: contiene i dati di \"" +
                                 fieldText(record, layout_.fields[0]) + "\" (campo " + layout_.fields[i].name +
                                 "); l'inizio del file \xE8 stato tagliato o il file non \xE8 una banca dati "
                                 "di Quorendaville; nulla \xE8 stato letto o riscritto");
    }
}

bool holdsHeaderRecord(const std::string& dataPath) {
    for (const char* path : {files::kRemedies, files::kRepertory, files::kPlantEntries})
        if (dataPath == path) return true;
    return false;
}

RecordScan::~RecordScan() {
    if (fd_ >= 0) ::close(fd_);
}

void RecordScan::check(std::int64_t k, std::span<const std::uint8_t> record) const {
    if (const Field* f = damagedField(record, layout_))
        throw IoError(name_, "il record " + std::to_string(k) + " \xE8 danneggiato: il campo " + f->name +
                                 " dichiara " + std::to_string(record[f->offset]) + " caratteri, pi\xF9 dei " +
                                 std::to_string(f->width) + " che pu\xF2 contenere");
}

void RecordScan::forEach(std::int64_t first,
                         const std::function<bool(std::int64_t, std::span<const std::uint8_t>)>& visit) const {
    const std::size_t size = layout_.size;
    Bytes block;
    for (std::int64_t k = std::max<std::int64_t>(first, 0); k < count_;) {
        const std::int64_t n = std::min(kBlockRecords, count_ - k);
        block.resize(static_cast<std::size_t>(n) * size);
        readFully(fd_, block.data(), block.size(), static_cast<off_t>(k) * static_cast<off_t>(size), name_);
        for (std::int64_t i = 0; i < n; ++i, ++k) {
            const std::span<const std::uint8_t> record(block.data() + static_cast<std::size_t>(i) * size, size);
            check(k, record);
            if (!visit(k, record)) return;
        }
    }
}

Bytes RecordScan::read(std::int64_t k) const {
    if (k < 0 || k >= count_)
        throw IoError(name_, "il record " + std::to_string(k) + " non esiste (il file ne ha " +
                                 std::to_string(count_) + ")");
    Bytes record(layout_.size);
    readFully(fd_, record.data(), record.size(), static_cast<off_t>(k) * static_cast<off_t>(layout_.size), name_);
    check(k, record);
    return record;
}

std::vector<RemedyRecord> readRemedies(const DataDir& dir) {
    return readAll<RemedyRecord>(dir, files::kRemedies, remedyLayout(), decodeRemedy);
}

std::vector<RepertoryRecord> readRepertory(const DataDir& dir) {
    return readAll<RepertoryRecord>(dir, files::kRepertory, repertoryLayout(), decodeRepertory);
}

std::vector<PlantEntryRecord> readPlantEntries(const DataDir& dir) {
    return readAll<PlantEntryRecord>(dir, files::kPlantEntries, plantEntryLayout(), decodePlantEntry);
}

std::vector<ScoreRecord> readScores(const DataDir& dir, const std::string& dataPath) {
    return readAll<ScoreRecord>(dir, dataPath, scoreLayout(), decodeScore);
}

std::vector<std::string> readNames(const DataDir& dir, const std::string& dataPath, std::size_t width) {
    return readAll<std::string>(dir, dataPath, nameLayout(width),
                                [width](std::span<const std::uint8_t> r) { return decodeName(r, width); });
}

void writeRecords(const DataDir& dir, const std::string& dataPath, const std::vector<Bytes>& records) {
    std::string content;
    for (const Bytes& r : records) content.append(reinterpret_cast<const char*>(r.data()), r.size());
    writeFileAtomically(dir.prepareForWrite(dataPath), content, dataPath);
}

void writeRemedies(const DataDir& dir, const std::vector<RemedyRecord>& records) {
    writeAll(dir, files::kRemedies, records, encodeRemedy);
}

void writeRepertory(const DataDir& dir, const std::vector<RepertoryRecord>& records) {
    writeAll(dir, files::kRepertory, records, encodeRepertory);
}

void writePlantEntries(const DataDir& dir, const std::vector<PlantEntryRecord>& records) {
    writeAll(dir, files::kPlantEntries, records, encodePlantEntry);
}

RemedyRecord readRemedy(const DataDir& dir, std::int64_t k) {
    return decodeRemedy(RecordScan(dir, files::kRemedies, remedyLayout()).read(k));
}

void writeRemedy(const DataDir& dir, std::int64_t k, const RemedyRecord& record) {
    writeOne(dir, files::kRemedies, remedyLayout(), k, encodeRemedy(record));
}

RepertoryRecord readRepertoryRecord(const DataDir& dir, std::int64_t k) {
    return decodeRepertory(RecordScan(dir, files::kRepertory, repertoryLayout()).read(k));
}

void writeRepertoryRecord(const DataDir& dir, std::int64_t k, const RepertoryRecord& record) {
    writeOne(dir, files::kRepertory, repertoryLayout(), k, encodeRepertory(record));
}

std::vector<std::string> readOptionalList(const DataDir& dir, const std::string& dataPath, std::size_t longestLine) {
    if (!dir.exists(dataPath)) return {};
    std::vector<std::string> lines = readTextLines(dir.resolve(dataPath), dataPath);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].size() > longestLine)
            throw IoError(dataPath, "la riga " + std::to_string(i + 1) + " ha " + std::to_string(lines[i].size()) +
                                        " caratteri, pi\xF9 dei " + std::to_string(longestLine) +
                                        " di qualsiasi voce della banca dati: il file \xE8 danneggiato");
    return lines;
}

std::vector<std::string> readSupportList(const DataDir& dir, const std::string& dataPath, std::size_t longestLine) {
    if (!dir.exists(dataPath))
        throw IoError(dataPath, "l'elenco non esiste: va rigenerato dalla banca dati (Ricostruisci File)");
    return readOptionalList(dir, dataPath, longestLine);
}

void writeTextList(const DataDir& dir, const std::string& dataPath, const std::vector<std::string>& lines) {
    writeTextLines(dir.prepareForWrite(dataPath), lines, dataPath);
}

} // namespace qv::remedies
