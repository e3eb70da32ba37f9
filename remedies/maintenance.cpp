#include "remedies/maintenance.h"

#include "base/errors.h"
#include "remedies/list_order.h"
#include "remedies/remedy_text.h"
#include "remedies/remedy_files.h"
#include "remedies/safe_rewrite.h"
#include "remedies/support_lists.h"

#include <algorithm>

namespace qv::remedies {

namespace {

void checkEditable(Database db, std::int64_t k) {
    if (k < 1)
        throw IoError(databasePath(db), "il record " + std::to_string(k) +
                                            " non \xE8 un record di dati (il record 0 \xE8 l'intestazione)");
}

std::int64_t listed(std::int64_t records) { return records > 0 ? records - 1 : 0; }

} // namespace

const char* databasePath(Database db) { return db == Database::Primary ? files::kRemedies : files::kRepertory; }

const RecordLayout& databaseLayout(Database db) {
    return db == Database::Primary ? remedyLayout() : repertoryLayout();
}

const char* provisionalPath(Database db) { return db == Database::Primary ? "ArcProv.rnd" : "RepProv.rnd"; }

std::string recordName(Database db, const Bytes& record) {
    return fieldText(record, db == Database::Primary ? remedy_fields::rimedio : repertory_fields::rimedio);
}

std::string recordSecondKey(Database db, const Bytes& record) {
    if (db == Database::Repertory) return fieldText(record, repertory_fields::patologia);
    return fieldText(record, remedy_fields::indicazioni[0]) + fieldText(record, remedy_fields::indicazioni[1]);
}

std::vector<EditorEntry> editorEntries(const DataDir& dir, Database db, bool byName, bool sorted) {
    std::vector<EditorEntry> out;
    if (!dir.exists(databasePath(db))) return out;
    const RecordScan scan(dir, databasePath(db), databaseLayout(db));
    scan.forEach(1, [&](std::int64_t k, std::span<const std::uint8_t> r) {
        const Bytes record(r.begin(), r.end());
        const std::string name = recordName(db, record);
        const std::string key = recordSecondKey(db, record);
        out.push_back({byName ? name + "**" + key : key + "**" + name, k});
        return true;
    });
    if (sorted)
        std::stable_sort(out.begin(), out.end(),
                         [](const EditorEntry& a, const EditorEntry& b) { return listOrderLess(a.text, b.text); });
    return out;
}

std::string listedKeyProblem(Database db, const Bytes& record) {
    const bool primary = db == Database::Primary;
    auto listed = [primary](const std::string& key) { return primary ? listedForm(key) : key; };
    const char* what = nullptr;
    if (listed(recordName(db, record)).find_first_of("\r\n") != std::string::npos)
        what = "Il nome del rimedio va scritto";
    else if (listed(recordSecondKey(db, record)).find_first_of("\r\n") != std::string::npos)
        what = primary ? "L'indicazione va scritta" : "La patologia va scritta";
    if (!what) return {};
    return std::string(what) +
           " su una sola riga: negli elenchi di consultazione ogni voce occupa una riga e un a capo la "
           "dividerebbe in due voci che non portano al record. Togliere l'a capo e salvare di nuovo; nulla \xE8 "
           "stato scritto.";
}

std::int64_t listedCount(const DataDir& dir, Database db) {
    if (!dir.exists(databasePath(db))) return 0;
    return listed(RecordScan(dir, databasePath(db), databaseLayout(db)).count());
}

Bytes readDatabaseRecord(const DataDir& dir, Database db, std::int64_t k) {
    checkEditable(db, k);
    return RecordScan(dir, databasePath(db), databaseLayout(db)).read(k);
}

void saveRecord(const DataDir& dir, Database db, std::int64_t k, const Bytes& record) {
    checkEditable(db, k);
    replaceRecordSafely(dir, databasePath(db), databaseLayout(db), k, record);
}

std::int64_t appendRecord(const DataDir& dir, Database db, const Bytes& record) {
    // An empty file gets its header first, as a missing file does (in
    // appendRecordSafely), so that the record appended is record 1 and is
    // listed rather than taken for the header.
    return listed(appendRecordSafely(dir, databasePath(db), databaseLayout(db), record));
}

std::int64_t deleteRecord(const DataDir& dir, Database db, std::int64_t k) {
    checkEditable(db, k);
    return listed(deleteRecordSafely(dir, databasePath(db), databaseLayout(db), k));
}

MaintenanceRebuild rebuildPrimaryLists(const DataDir& dir) {
    const std::vector<RemedyRecord> remedies = readRemedies(dir);
    const auto symptoms = deriveSymptomList(remedies);
    const auto names = deriveRemedyNames(remedies);
    const auto lines = deriveRemedyLines(names);
    std::vector<std::vector<Bytes>> signatureNames;
    for (const SignatureFile& f : signatureFiles()) {
        std::vector<Bytes> records;
        for (const std::string& n : deriveSignatureNames(remedies, f)) records.push_back(encodeName(n, kRemedyNameWidth));
        signatureNames.push_back(std::move(records));
    }
    MaintenanceRebuild done;
    writeTextList(dir, files::kSymptomList, symptoms);
    writeTextList(dir, files::kRemedyNames, names);
    done.files = 2;
    for (std::size_t i = 0; i < signatureFiles().size(); ++i, ++done.files)
        writeRecords(dir, signatureFilePath(signatureFiles()[i]), signatureNames[i]);
    writeTextList(dir, files::kRemedyLines, lines);
    ++done.files;
    done.lines = symptoms.size();
    return done;
}

MaintenanceRebuild rebuildRepertoryLists(const DataDir& dir) {
    const auto pathologies = derivePathologies(readRepertory(dir));
    writeTextList(dir, files::kPathologies, pathologies);
    return {pathologies.size(), 1};
}

void reorderDatabase(const DataDir& dir, Database db, const std::vector<std::int64_t>& order,
                     const std::function<void(std::int64_t)>& progress) {
    const std::string path = databasePath(db);
    const RecordScan scan(dir, path, databaseLayout(db));
    const std::int64_t n = scan.count();
    // The order must hold every record once: a record left out would be lost.
    std::vector<bool> seen(static_cast<std::size_t>(std::max<std::int64_t>(n, 1)), false);
    bool whole = n >= 1 && static_cast<std::int64_t>(order.size()) == n - 1;
    for (std::int64_t k : order) {
        if (!whole) break;
        if (k < 1 || k >= n || seen[static_cast<std::size_t>(k)]) whole = false;
        else seen[static_cast<std::size_t>(k)] = true;
    }
    if (!whole)
        throw IoError(path, "il nuovo ordine non comprende ogni record una volta sola (il file \xE8 cambiato "
                            "durante la modifica dell'elenco?): nulla \xE8 stato scritto");
    FileReplacement out(dir.resolve(path), path);
    const Bytes header = scan.read(0);
    out.write(header.data(), header.size());
    std::int64_t next = 1;
    for (std::int64_t k : order) {
        if (progress) progress(next);
        const Bytes r = scan.read(k);
        out.write(r.data(), r.size());
        ++next;
    }
    out.putInPlace();
    // A provisional file an earlier version left from an interrupted
    // reordering is no longer read by anything.
    std::error_code ec;
    std::filesystem::remove(dir.resolve(provisionalPath(db)), ec);
}

} // namespace qv::remedies

#include "ephemeris/text_forms.h"
#include "remedies/remedy_text.h"

namespace qv::remedies {

PrimaryInfo primaryInfoOfRemedy(const DataDir& dir, const std::string& remedy) {
    PrimaryInfo info;
    if (!dir.exists(files::kRemedies)) return info;
    const std::string wanted = upperLetters(remedy);
    const RecordScan scan(dir, files::kRemedies, remedyLayout());
    scan.forEach(1, [&](std::int64_t, std::span<const std::uint8_t> r) {
        if (upperLetters(fieldText(r, remedy_fields::rimedio)) != wanted) return true;
        const RemedyRecord rec = decodeRemedy(r);
        info.found = true;
        auto empty = [](const std::string& t) { return TrimRightSymbols(t).empty(); };
        info.warnings = empty(rec.avvertenze[0]) ? "Nessuna Avvertenza Registrata" : rec.warnings();
        info.signatures = empty(rec.segnaturaPrimaria) && empty(rec.segnaturaSecondaria) && empty(rec.segnaturaZodiacale)
                              ? "Nessuna Segnatura Astrologica"
                              : rec.segnaturaPrimaria + "\r\n" + rec.segnaturaSecondaria + "\r\n" + rec.segnaturaZodiacale;
        info.synthesis = empty(rec.sintesiPsichica[0]) ? "Nessuna Sintesi Psichica Registrata" : rec.synthesis();
        info.notes = empty(rec.note[0]) && empty(rec.note[1]) && empty(rec.note[2])
                         ? "Nessuna Nota Registrata"
                         : rec.note[0] + "\r\n" + rec.note[1] + "\r\n" + rec.note[2];
        return false;
    });
    return info;
}

} // namespace qv::remedies
