#include "archive/archive_files.h"

#include "base/cp1252.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "base/text_file.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace fs = std::filesystem;

namespace qv {

namespace {

std::string upperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string joined(const std::vector<Bytes>& records) {
    std::string out;
    for (const Bytes& r : records) out.append(reinterpret_cast<const char*>(r.data()), r.size());
    return out;
}

// Appends a record; when the write fails the file is cut back to the size
// it had, so no partial record stays behind.
int appendChecked(RecordFile& file, const fs::path& path, const Bytes& record) {
    std::error_code ec;
    const auto oldSize = fs::file_size(path, ec);
    try {
        return static_cast<int>(file.append(record));
    } catch (const IoError&) {
        if (!ec) fs::resize_file(path, oldSize, ec);
        throw;
    }
}

// The insertion pass: from position m down to 2, an entry that is not
// above the one before it changes place with it. Returns where the entry
// that stood at m ends.
int sortDown(std::vector<IndexEntry>& entries, int m) {
    int position = m;
    for (int o = m; o >= 2; --o) {
        auto& lower = entries[static_cast<std::size_t>(o)];
        auto& upper = entries[static_cast<std::size_t>(o - 1)];
        if (lower.text <= upper.text) {
            std::swap(lower, upper);
            if (position == o)
                position = o - 1;
            else if (position == o - 1)
                position = o;
        }
    }
    return position;
}

} // namespace

bool isPlainArchiveName(const std::string& name) {
    if (name.empty() || name.size() > 4) return false;
    for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

void requirePlainArchiveName(const std::string& name) {
    if (!isPlainArchiveName(name))
        throw ConversionError("Nome di archivio non ammesso: \"" + name +
                              "\" (da una a quattro lettere o cifre, senza punti n\xE9 barre)");
}

std::string archiveFileName(const std::string& archive, int extension) {
    requirePlainArchiveName(archive);
    return archive + ".ST" + std::to_string(extension);
}

bool archiveExists(const std::string& name) { return dataDir().exists(archiveFileName(upperAscii(name), 1)); }

std::string archiveCaption(const std::string& name) {
    if (name == "BASE") return "BASE (personale)";
    if (name == "RICE") return "RICE (speciale)";
    if (name == "BANK") return "BANK (banca dati)";
    if (name == "TMPR") return "TMPR (temporaneo)";
    return name;
}

std::vector<ArchiveListing> listArchives(bool withTemporary) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dataDir().root(), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if (file.size() != 8 || upperAscii(file.substr(4)) != ".ST1") continue;
        const std::string name = upperAscii(file.substr(0, 4));
        if (name == kTemporaryArchive && !withTemporary) continue;
        names.push_back(name);
    }
    if (ec) throw IoError(dataDir().root().string(), italianSystemReason(ec.value()));
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    std::vector<ArchiveListing> out;
    for (const auto& n : names) out.push_back({n, archiveCaption(n)});
    return out;
}

void createArchive(const std::string& rawName) {
    const std::string name = upperAscii(rawName);
    const std::pair<int, Bytes> files[] = {{1, encodeIndexEntry(headerIndexEntry())},
                                           {2, encodeBirthRecord(headerBirthRecord())},
                                           {3, encodeAnnotationRecord(headerAnnotationRecord())}};
    // Births without their index are an archive whose index was lost, not a
    // new one: a fresh index would hide every subject.
    const std::string st1 = archiveFileName(name, 1), st2 = archiveFileName(name, 2);
    if (!dataDir().exists(st1) && dataDir().exists(st2)) {
        std::error_code ec;
        const auto bytes = fs::file_size(dataDir().resolve(st2), ec);
        if (ec || bytes > kBirthRecordSize)
            throw IoError(st1, "manca l'indice dell'archivio, ma " + st2 +
                                   " contiene dei soggetti: l'archivio non viene ricreato vuoto");
    }
    for (const auto& [extension, header] : files) {
        const std::string file = archiveFileName(name, extension);
        if (dataDir().exists(file)) continue;
        rewriteRecordFile(dataDir().prepareForWrite(file), {header}, file);
    }
}

void createPersonalArchive() { createArchive(kPersonalArchive); }

void rewriteRecordFile(const fs::path& path, const std::vector<Bytes>& records, const std::string& shownName) {
    writeFileAtomically(path, joined(records), shownName);
}

void writeRecordsAtomically(const fs::path& path, std::size_t size, const std::vector<std::pair<int, Bytes>>& writes,
                            const std::string& shownName) {
    std::error_code ec;
    std::string content = fs::exists(path, ec) ? readWholeFile(path, shownName) : std::string();
    for (const auto& [k, record] : writes) {
        const std::size_t at = static_cast<std::size_t>(k) * size;
        if (k < 0 || record.size() != size || at > content.size() / size * size)
            throw IoError(shownName, "scrittura oltre la fine del file (record " + std::to_string(k) + ")");
        if (at + size > content.size()) content.resize(at + size);
        std::copy(record.begin(), record.end(), content.begin() + static_cast<std::ptrdiff_t>(at));
    }
    writeFileAtomically(path, content, shownName);
}

Archive::Archive(std::string name) : name_(std::move(name)) { reopen(); }

void Archive::reopen() {
    const std::string st1 = archiveFileName(name_, 1), st2 = archiveFileName(name_, 2), st3 = archiveFileName(name_, 3);
    index_.reset();
    births_.reset();
    annotations_.reset();
    // A read-only data directory is read: its archives open for reading.
    const auto mode = dataDir().readOnly() ? RecordFile::Mode::ReadOnly : RecordFile::Mode::ReadWrite;
    index_.emplace(dataDir().resolve(st1), kIndexRecordSize, mode, st1);
    if (index_->count() < 1) throw IoError(st1, "manca il record di intestazione dell'indice");
    births_.emplace(dataDir().resolve(st2), kBirthRecordSize, mode, st2);
    if (dataDir().exists(st3))
        annotations_.emplace(dataDir().resolve(st3), kAnnotationRecordSize, mode, st3);
}

ArchiveOpening openArchive(const std::string& rawName) {
    const std::string name = upperAscii(rawName);
    ArchiveOpening result;
    if (name == kTemporaryArchive || name.size() != 4 || !isPlainArchiveName(name)) {
        result.refusal = "Nome Archivio Non Ammesso";
        return result;
    }
    result.archive.emplace(Archive(name));
    return result;
}

Archive openAnyArchive(const std::string& rawName) { return Archive(upperAscii(rawName)); }

int Archive::subjectCount() const { return static_cast<int>(index_->count()) - 1; }
int Archive::birthCount() const { return static_cast<int>(births_->count()); }
int Archive::annotationCount() const { return annotations_ ? static_cast<int>(annotations_->count()) : 0; }

IndexEntry Archive::readIndex(int k) const { return decodeIndexEntry(index_->read(k)); }

BirthRecord Archive::readBirth(int k) const { return decodeBirthRecord(births_->read(k)); }

AnnotationRecord Archive::readAnnotation(int k) const {
    const std::string st3 = archiveFileName(name_, 3);
    if (!annotations_) throw IoError(st3, italianSystemReason(ENOENT));
    if (k < 0 || k >= annotations_->count())
        throw IoError(st3, "l'annotazione numero " + std::to_string(k) + " non esiste (il file ne ha " +
                               std::to_string(annotations_->count()) + ")");
    return decodeAnnotationRecord(annotations_->read(k));
}

std::vector<IndexEntry> Archive::readWholeIndex() const {
    std::vector<IndexEntry> entries;
    const auto n = index_->count();
    for (std::int64_t k = 0; k < n; ++k) entries.push_back(decodeIndexEntry(index_->read(k)));
    return entries;
}

Located Archive::locate(const std::string& typed) const {
    const std::string prefix = upperCase1252(typed);
    Located out;
    const int n = subjectCount();
    if (n <= 0) return out;
    const std::string probe = (prefix + std::string(kNameWidth, '!')).substr(0, kNameWidth);
    int lo = 1, hi = n;
    for (int step = 0; step < 100; ++step) {
        out.position = (lo + hi) / 2;
        out.entry = readIndex(out.position);
        if (probe > out.entry.text)
            lo = out.position;
        else
            hi = out.position;
        if (lo <= 0) lo = 1;
    }
    // The halving never reads entry n once lo has moved: when every entry
    // sorts below the probe it would stop one short of the last entry (a
    // whole surname typed for the last name of the archive would not be
    // found). The search lands on the last entry that sorts below the probe.
    if (n > 1 && out.position == n - 1) {
        IndexEntry last = readIndex(n);
        if (probe > last.text) {
            out.position = n;
            out.entry = std::move(last);
        }
    }
    out.matches = out.entry.text.compare(0, prefix.size(), prefix) == 0 && out.entry.text.size() >= prefix.size();
    return out;
}

void Archive::rewriteIndex(const std::vector<IndexEntry>& entries) {
    std::vector<Bytes> records;
    for (const auto& e : entries) records.push_back(encodeIndexEntry(e));
    const std::string st1 = archiveFileName(name_, 1);
    rewriteRecordFile(dataDir().resolve(st1), records, st1);
    reopen();
}

int Archive::insertInOrder(int k) {
    std::vector<IndexEntry> entries = readWholeIndex();
    if (k < 1 || k >= static_cast<int>(entries.size()))
        throw IoError(archiveFileName(name_, 1), "la voce " + std::to_string(k) + " non esiste");
    const int position = sortDown(entries, k);
    rewriteIndex(entries);
    return position;
}

int Archive::appendInOrder(const IndexEntry& entry) {
    std::vector<IndexEntry> entries = readWholeIndex();
    entries.push_back(entry);
    const int position = sortDown(entries, static_cast<int>(entries.size()) - 1);
    rewriteIndex(entries);
    return position;
}

int Archive::replaceInOrder(int k, const IndexEntry& entry) {
    std::vector<IndexEntry> e = readWholeIndex();
    const int n = static_cast<int>(e.size()) - 1;
    if (k < 1 || k > n) throw IoError(archiveFileName(name_, 1), "la voce " + std::to_string(k) + " non esiste");
    int p = k;
    auto at = [&](int i) -> IndexEntry& { return e[static_cast<std::size_t>(i)]; };
    if (entry.text != at(k).text) {
        while (p > 1 && at(p - 1).text > entry.text) {
            at(p) = at(p - 1);
            --p;
        }
        while (p < n && at(p + 1).text < entry.text) {
            at(p) = at(p + 1);
            ++p;
        }
    }
    at(p) = entry;
    rewriteIndex(e);
    return p;
}

void Archive::removeIndexEntry(int k) {
    std::vector<IndexEntry> entries = readWholeIndex();
    if (k < 1 || k >= static_cast<int>(entries.size()))
        throw IoError(archiveFileName(name_, 1), "la voce " + std::to_string(k) + " non esiste");
    entries.erase(entries.begin() + k);
    rewriteIndex(entries);
}

int Archive::appendBirth(const BirthRecord& record) {
    const std::string st2 = archiveFileName(name_, 2);
    // A new record goes after every record the index knows of: a birth file
    // cut short would otherwise hand a subject's record number to the next
    // one registered.
    std::error_code ec;
    const auto bytes = fs::file_size(dataDir().resolve(st2), ec);
    if (!ec && bytes % kBirthRecordSize != 0)
        throw IoError(st2, "il file \xE8 danneggiato (" + std::to_string(bytes) + " byte, non un multiplo di " +
                               std::to_string(kBirthRecordSize) + "): nessun soggetto registrato");
    const int n = subjectCount();
    for (int k = 1; k <= n; ++k) {
        const auto number = readIndex(k).recordNumber();
        if (number && *number >= birthCount())
            throw IoError(st2, "il file \xE8 pi\xF9 corto di quanto dice l'indice " + archiveFileName(name_, 1) +
                                   " (la voce " + std::to_string(k) + " rimanda al record " +
                                   std::to_string(*number) + ", il file ne ha " + std::to_string(birthCount()) +
                                   "): nessun soggetto registrato");
    }
    return appendChecked(*births_, dataDir().resolve(st2), encodeBirthRecord(record));
}

void Archive::rewriteBirth(int k, const BirthRecord& record) {
    const std::string st2 = archiveFileName(name_, 2);
    if (k < 0 || k >= birthCount()) throw IoError(st2, "il record " + std::to_string(k) + " non esiste");
    writeRecordsAtomically(dataDir().resolve(st2), kBirthRecordSize, {{k, encodeBirthRecord(record)}}, st2);
    reopen();
}

int Archive::appendAnnotation(const AnnotationRecord& record) {
    const std::string st3 = archiveFileName(name_, 3);
    if (!annotations_) {
        createArchive(name_);
        reopen();
    }
    return appendChecked(*annotations_, dataDir().resolve(st3), encodeAnnotationRecord(record));
}

void Archive::rewriteAnnotation(int k, const AnnotationRecord& record) {
    const std::string st3 = archiveFileName(name_, 3);
    if (!annotations_) throw IoError(st3, italianSystemReason(ENOENT));
    if (k < 0 || k >= annotationCount()) throw IoError(st3, "l'annotazione numero " + std::to_string(k) + " non esiste");
    writeRecordsAtomically(dataDir().resolve(st3), kAnnotationRecordSize, {{k, encodeAnnotationRecord(record)}}, st3);
    reopen();
}

void Archive::eraseSubjectRecords(int birthNumber, int annotationNumber) {
    if (annotationNumber > 0 && annotationNumber < annotationCount()) {
        const std::string st3 = archiveFileName(name_, 3);
        writeRecordsAtomically(dataDir().resolve(st3), kAnnotationRecordSize,
                               {{annotationNumber, Bytes(kAnnotationRecordSize, 0)}}, st3);
    }
    if (birthNumber > 0 && birthNumber < birthCount()) {
        const std::string st2 = archiveFileName(name_, 2);
        writeRecordsAtomically(dataDir().resolve(st2), kBirthRecordSize, {{birthNumber, Bytes(kBirthRecordSize, 0)}},
                               st2);
    }
    reopen();
}

} // namespace qv
