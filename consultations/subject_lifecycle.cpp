#include "consultations/subject_lifecycle.h"

#include "archive/current_subject.h"
#include "archive/side_files.h"
#include "base/cp1252.h"
#include "base/data_dir.h"
#include "base/decimal_text.h"
#include "base/errors.h"
#include "base/text_file.h"
#include "consultations/consultation_store.h"
#include "consultations/subject_change_record.h"
#include "ephemeris/text_forms.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace qv::consultations {

namespace {

void (*stepHook)(const char*) = nullptr;

void stepDone(const char* step) {
    if (stepHook) stepHook(step);
}

SubjectLink linkOf(const Archive& archive, const std::string& storedName, const std::string& moment) {
    return subjectLinkOf(archive.name(), storedName, moment);
}

// Index positions of an entry by its text, or of the entry of a birth
// record; 0 when there is none.
int positionOfEntry(const Archive& archive, const std::string& text) {
    const auto entries = archive.readWholeIndex();
    for (std::size_t k = 1; k < entries.size(); ++k)
        if (entries[k].text == text) return static_cast<int>(k);
    return 0;
}

int positionOfBirth(const Archive& archive, int birthNumber) {
    const auto entries = archive.readWholeIndex();
    for (std::size_t k = 1; k < entries.size(); ++k)
        if (entries[k].recordNumber() == birthNumber) return static_cast<int>(k);
    return 0;
}

// Another entry of the archive shares the subject's name and birth moment
// (registered twice before duplicates were refused): the consultations
// under that identity are that entry's too, so they neither follow nor go.
bool identityShared(const Archive& archive, const StoredSubject& subject) {
    return positionOfSameSubject(archive, subject.entry.name(), subject.record.moment, subject.birthNumber).has_value();
}

bool renameCompleted(const Archive& archive, const SubjectChangeRecord& r) {
    if (positionOfEntry(archive, r.newEntry) == 0 || r.birthNumber >= archive.birthCount()) return false;
    const BirthRecord now = archive.readBirth(r.birthNumber);
    BirthRecord expected = r.newBirth;
    expected.annotationNumber = now.annotationNumber;  // a new annotation record takes the next number
    return now == expected;
}

// Puts the subject's records back as they were. Only what differs is
// written, so undoing a change that stopped before its first write costs
// nothing, even on a full disk.
void undoRename(Archive& archive, const SubjectChangeRecord& r) {
    if (r.oldAnnotation && r.annotationNumber > 0 && r.annotationNumber < archive.annotationCount() &&
        archive.readAnnotation(r.annotationNumber) != *r.oldAnnotation)
        archive.rewriteAnnotation(r.annotationNumber, *r.oldAnnotation);
    if (r.birthNumber < archive.birthCount() && archive.readBirth(r.birthNumber) != r.oldBirth)
        archive.rewriteBirth(r.birthNumber, r.oldBirth);
    const int at = positionOfBirth(archive, r.birthNumber);
    if (at == 0)
        archive.appendInOrder({r.oldEntry});
    else if (archive.readIndex(at).text != r.oldEntry)
        archive.replaceInOrder(at, {r.oldEntry});
}

void removeNoteQuietly() {
    try {
        removeSubjectChange();
    } catch (const IoError&) {
        // The next start finds the note and sees the change undone.
    }
}

// The side files that name the person: the working files of the windows
// and of the chart master. Settings and the archive list are not theirs.
bool isPersonCarrier(const std::string& fileName) {
    const std::string upper = upperCase1252(fileName);
    return upper != "MMVARORB.DUM" && upper != "MMORDINA.DUM" && upper != "PERSONAL.TMP" &&
           upper != "CAMBIOSOGGETTO.TMP";
}

bool contains(const std::string& text, const std::string& part) {
    return !part.empty() && text.find(part) != std::string::npos;
}

void forgetInSideFiles(const SubjectChangeRecord& r) {
    const std::string name = upperCase1252(trimRight(r.oldLink.name));
    const std::string textDocument = r.textNumber.empty() ? std::string() : "TXT\\" + r.textNumber;
    const std::string recalled = ZeroPad(r.birthNumber, 5) + "\r\n" + r.archive;
    for (const char* folder : {"FileDum", "FileTmp"}) {
        if (!dataDir().exists(folder)) continue;
        // The names first: emptying a file writes a temporary one beside it.
        std::vector<fs::path> files;
        std::error_code ec;
        for (const fs::directory_entry& e : fs::directory_iterator(dataDir().resolve(folder), ec))
            if (!e.is_symlink(ec) && e.is_regular_file(ec) && isPersonCarrier(e.path().filename().string()))
                files.push_back(e.path());
        for (const fs::path& file : files) {
            const std::string dataPath = std::string(folder) + "\\" + file.filename().string();
            const std::string content = upperCase1252(readWholeFile(file, dataPath));
            if (contains(content, name) || contains(content, textDocument) ||
                (r.birthNumber > 0 && contains(content, upperCase1252(recalled))))
                writeFileAtomically(file, std::string(), dataPath);
        }
    }
}

// The steps after the entry left the index. Each may run again (at the
// next start, after a stop) without harm.
void forgetDeletedSubject(Archive& archive, const SubjectChangeRecord& r, SubjectDeletion& out) {
    if (r.birthNumber > 0 && positionOfBirth(archive, r.birthNumber) == 0)
        archive.eraseSubjectRecords(r.birthNumber, r.annotationNumber);
    out.textDeleted = deleteTextDocument(r.archive, r.textNumber);
    noteArchiveInUse(r.archive);
    if (r.wasCurrent) clearCurrentSubject();
    forgetInSideFiles(r);
}

// A change cannot start over the note of one that is still pending.
void requireNoPendingChange() {
    const std::string done = finishInterruptedSubjectChange();
    if (!done.empty())
        throw IoError(kSubjectChangeFile, done + "; ripetere l'operazione sui dati ora aggiornati");
}

} // namespace

int consultationsOnRecord(const Archive& archive, const StoredSubject& subject) {
    const auto store = openStoreIfPresent();
    return store ? store->countOf(linkOf(archive, subject.entry.name(), subject.record.moment)) : 0;
}

SubjectCorrection correctSubject(Archive& archive, const StoredSubject& subject, SubjectEdit edit, bool confirmed) {
    SubjectCorrection out;
    const EditCheck check = checkSubjectEdit(edit);
    if (!check.failure.empty()) {
        out.failure = check.failure;
        return out;
    }
    if (!check.question.empty() && !confirmed) {
        out.question = check.question;
        return out;
    }
    requireNoPendingChange();
    if (archive.readIndex(subject.indexPosition).text != subject.entry.text)
        throw IoError(archiveFileName(archive.name(), 1),
                      "la voce " + std::to_string(subject.indexPosition) + " \xE8 cambiata dopo la lettura");

    SubjectChangeRecord r;
    r.kind = SubjectChangeRecord::Kind::Rename;
    r.archive = archive.name();
    r.birthNumber = subject.birthNumber;
    r.annotationNumber = subject.annotationNumber;
    r.oldEntry = subject.entry.text;
    r.oldLink = linkOf(archive, subject.entry.name(), subject.record.moment);
    r.oldBirth = subject.record;
    r.newBirth = editedBirthRecord(subject, edit);
    r.newEntry = subjectKey(edit.name, subject.birthNumber);
    r.newLink = linkOf(archive, r.newEntry.substr(0, kNameWidth), r.newBirth.moment);
    if (subject.annotationNumber != 0 && subject.annotation) r.oldAnnotation = subject.annotation;
    if (const auto same = positionOfSameSubject(archive, edit.name, r.newBirth.moment, subject.birthNumber)) {
        out.samePosition = *same;
        out.failure = sameSubjectMessage(archive, *same) +
                      ": due voci non possono indicare la stessa persona; i dati non sono stati modificati";
        return out;
    }

    auto store = openStoreIfPresent();
    std::optional<ConsultationStore::Change> change;
    if (store && r.oldLink != r.newLink && !identityShared(archive, subject)) {
        change.emplace(store->beginChange());
        out.consultationsMoved = store->moveAllOf(r.oldLink, r.newLink);
    }
    writeSubjectChange(r);
    stepDone("nota");
    try {
        const Modification m = modifySubject(archive, subject, edit, true);
        if (!m.failure.empty()) {
            // The same checks ran above: nothing was written.
            change.reset();
            removeSubjectChange();
            out.failure = m.failure;
            return out;
        }
        out.indexPosition = m.indexPosition;
        stepDone("archivio");
        if (change) change->commit();
        stepDone("consultazioni");
    } catch (...) {
        change.reset();
        try {
            undoRename(archive, r);
            removeSubjectChange();
        } catch (...) {
            // The note stays: the next start puts the records back.
        }
        throw;
    }
    removeSubjectChange();
    return out;
}

SubjectDeletion deleteSubjectWhole(Archive& archive, int position, ConsultationsOfDeleted consultations) {
    if (position < 1 || position > archive.subjectCount())
        throw IoError(archiveFileName(archive.name(), 1), "la voce " + std::to_string(position) + " non esiste");
    requireNoPendingChange();
    SubjectDeletion out;
    SubjectChangeRecord r;
    r.kind = SubjectChangeRecord::Kind::Delete;
    r.archive = archive.name();
    const IndexEntry entry = archive.readIndex(position);
    r.oldEntry = entry.text;
    out.entryText = entry.text;
    std::optional<StoredSubject> stored;
    try {
        stored = readStoredSubject(archive, position);
    } catch (const ConversionError&) {
        // An entry whose records do not read goes all the same, alone.
    } catch (const IoError&) {
    }
    bool shared = false;
    if (stored) {
        r.birthNumber = stored->birthNumber;
        r.annotationNumber = stored->annotationNumber;
        r.oldLink = linkOf(archive, stored->entry.name(), stored->record.moment);
        r.textNumber = stored->textNumber();
        r.wasCurrent = isCurrentSubject(*stored);
        shared = identityShared(archive, *stored);
    }
    r.withConsultations = consultations == ConsultationsOfDeleted::Delete && !shared;
    out.textNumber = r.textNumber;
    out.wasCurrent = r.wasCurrent;

    std::optional<ConsultationStore> store = stored ? openStoreIfPresent() : std::nullopt;
    std::optional<ConsultationStore::Change> change;
    if (store) {
        try {
            change.emplace(store->beginChange());
            const int recorded = store->countOf(r.oldLink);
            if (r.withConsultations) {
                out.consultationsDeleted = store->removeAllOf(r.oldLink);
            } else {
                out.consultationsKept = recorded;
                if (!shared) store->forgetIfUnused(r.oldLink);
            }
        } catch (const IoError& e) {
            change.reset();
            throw IoError(e.file(), e.reason() + "; il soggetto non \xE8 stato eliminato");
        }
    }
    try {
        writeSubjectChange(r);
        stepDone("nota");
        archive.removeIndexEntry(position);
    } catch (const IoError& e) {
        change.reset();
        removeNoteQuietly();
        throw IoError(e.file(), e.reason() + "; il soggetto non \xE8 stato eliminato");
    } catch (...) {
        change.reset();
        removeNoteQuietly();
        throw;
    }
    stepDone("archivio");
    if (change) {
        try {
            change->commit();
        } catch (const IoError& e) {
            change.reset();
            try {
                archive.appendInOrder(entry);
                removeSubjectChange();
            } catch (...) {
                // The note stays: the next start finishes the deletion.
                throw IoError(e.file(), e.reason() + "; l'eliminazione sar\xE0 completata al prossimo avvio");
            }
            throw IoError(e.file(), e.reason() + "; il soggetto non \xE8 stato eliminato");
        }
    }
    stepDone("consultazioni");
    try {
        forgetDeletedSubject(archive, r, out);
    } catch (const IoError& e) {
        // The person is deleted; the note finishes the rest at the next start.
        throw IoError(e.file(), e.reason() + "; il soggetto \xE8 stato eliminato: i suoi dati rimasti saranno "
                                             "cancellati al prossimo avvio");
    }
    stepDone("dati");
    removeSubjectChange();
    return out;
}

std::string finishInterruptedSubjectChange() {
    std::optional<SubjectChangeRecord> note;
    try {
        note = readSubjectChange();
    } catch (const IoError&) {
        // A note that does not read says nothing that could be finished.
        removeSubjectChange();
        return "Trovato e rimosso un registro illeggibile di una modifica interrotta: controllare l'ultimo soggetto "
               "modificato o eliminato";
    }
    if (!note) return {};
    const SubjectChangeRecord& r = *note;
    const std::string who = trimRight(r.oldEntry.substr(0, std::min(r.oldEntry.size(), kNameWidth)));
    ArchiveOpening opening = openArchive(r.archive);
    if (!opening.archive) {
        removeSubjectChange();
        return "L'archivio " + r.archive + " di una modifica interrotta non c'\xE8 pi\xF9";
    }
    Archive& archive = *opening.archive;
    std::string done;
    if (r.kind == SubjectChangeRecord::Kind::Rename) {
        if (renameCompleted(archive, r)) {
            if (auto store = openStoreIfPresent()) store->moveAllOf(r.oldLink, r.newLink);
            done = "Completata la modifica interrotta di " + who;
        } else {
            // The store's change was never committed: its journal undid it.
            undoRename(archive, r);
            done = "Annullata la modifica interrotta di " + who + ": i dati restano com'erano";
        }
    } else if (positionOfEntry(archive, r.oldEntry) != 0) {
        done = "Annullata l'eliminazione interrotta di " + who + ": il soggetto resta nell'archivio";
    } else {
        if (auto store = openStoreIfPresent()) {
            if (r.withConsultations)
                store->removeAllOf(r.oldLink);
            else if (!r.oldLink.name.empty() && !positionOfSameSubject(archive, r.oldLink.name, r.oldLink.moment))
                store->forgetIfUnused(r.oldLink);
        }
        SubjectDeletion ignored;
        forgetDeletedSubject(archive, r, ignored);
        done = "Completata l'eliminazione interrotta di " + who;
    }
    removeSubjectChange();
    return done;
}

void setSubjectChangeStepHook(void (*hook)(const char* step)) { stepHook = hook; }

} // namespace qv::consultations
