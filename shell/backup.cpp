#include "shell/backup.h"

#include "base/data_dir.h"
#include "base/cp1252.h"
#include "base/errors.h"
#include "base/file_safety.h"
#include "base/text_file.h"
#include "consultations/audit_log.h"
#include "consultations/consultation_store.h"
#include "ephemeris/text_forms.h"
#include "settings/display_settings.h"

#include <algorithm>
#include <memory>
#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qv {

namespace {

const char* const kNeedsFolder = "Necessario definire l'Unit\xE0 di backup";

using CopyList = std::vector<std::pair<fs::path, fs::path>>;

// Copies every pair through a temporary file beside its target and puts the
// targets in place only once every copy succeeded: a copy that fails half-way
// (a full or removed drive, an unreadable file) leaves all the old targets
// whole, so an archive is never left with its index from one copy and its
// records from another.
void copyAllOrNothing(const CopyList& copies, int& count) {
    std::vector<std::unique_ptr<FileReplacement>> staged;
    for (const auto& [from, to] : copies) {
        staged.push_back(std::make_unique<FileReplacement>(to, to.string()));
        staged.back()->write(readWholeFile(from, from.string()));
        staged.back()->finish();
    }
    for (auto& copy : staged) {
        copy->putInPlace();
        ++count;
    }
}

void makeFolder(const fs::path& p) {
    std::error_code ec;
    fs::create_directories(p, ec);
    if (ec) throw IoError(p.string(), italianSystemReason(ec.value()));
}

// Regular files of `folder` whose name starts with `prefix` (ignoring case).
std::vector<fs::path> filesStartingWith(const fs::path& folder, const std::string& prefix) {
    std::vector<fs::path> out;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return out;
    auto lower = [](std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
    };
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file() && lower(it->path().filename().string()).rfind(lower(prefix), 0) == 0)
            out.push_back(it->path());
    return out;
}

// BASE.ST1, BASE.ST2, BASE.ST3 (the pattern BASE.ST*).
std::vector<fs::path> archiveFiles(const fs::path& folder) {
    std::vector<fs::path> out;
    for (const auto& p : filesStartingWith(folder, "BASE.ST")) out.push_back(p);
    return out;
}

// The consultation store travels with the archive. It is copied through
// SQLite (a consistent snapshot, checked on the way) into a scratch file
// beside its target, which then joins the all-or-nothing copies; the copy
// keeps it readable by its owner only.
struct StoreSnapshot {
    fs::path file;
    ~StoreSnapshot() {
        std::error_code ignored;
        if (!file.empty()) fs::remove(file, ignored);
    }
};

void addStoreCopy(const fs::path& from, const fs::path& to, StoreSnapshot& snapshot, CopyList& copies) {
    std::error_code ec;
    if (!fs::exists(from, ec)) return;
    snapshot.file = to;
    snapshot.file += ".copia~";
    consultations::copyStore(from, snapshot.file);
    copies.push_back({snapshot.file, to});
}

// A store refused as damaged is told to be restored from a backup copy.
// When the refused file is the backup copy itself (damaged, cut, empty,
// unreadable on its medium) that advice goes round in a circle: the user is
// told what is wrong with it, that nothing was restored and to take another
// copy.
void addBackupStoreCopy(const fs::path& from, const fs::path& to, StoreSnapshot& snapshot, CopyList& copies) {
    try {
        addStoreCopy(from, to, snapshot, copies);
    } catch (const IoError& e) {
        if (e.file() != from.string()) throw;
        const std::string fault = e.reason().substr(0, e.reason().find("; non viene ricreato"));
        throw IoError(e.file(), "la copia di sicurezza dell'archivio delle consultazioni non \xE8 utilizzabile: " +
                                    fault +
                                    "; nulla \xE8 stato ripristinato e i dati attuali restano come erano: "
                                    "ripristinare da un'altra copia di sicurezza (un altro disco o una copia "
                                    "precedente)");
    }
}

void ownerOnly(const fs::path& file) {
    std::error_code ec;
    if (fs::exists(file, ec)) fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write, ec);
}

} // namespace

std::vector<Drive> availableDrives() {
    std::vector<Drive> drives;
    if (const char* home = std::getenv("HOME"); home && *home) drives.push_back({std::string("Cartella personale (") + home + ")", home});
    std::error_code ec;
    for (const char* base : {"/media", "/mnt"}) {
        for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
            if (!it->is_directory()) continue;
            // /media/USER/DISK as well as /media/DISK
            bool nested = false;
            std::error_code inner;
            for (fs::directory_iterator sub(it->path(), inner), e2; !inner && sub != e2; sub.increment(inner)) {
                if (sub->is_directory() && std::string(base) == "/media") {
                    drives.push_back({sub->path().string(), sub->path()});
                    nested = true;
                }
            }
            if (!nested) drives.push_back({it->path().string(), it->path()});
        }
        ec.clear();
    }
    for (fs::directory_iterator users("/run/media", ec), end; !ec && users != end; users.increment(ec)) {
        std::error_code inner;
        for (fs::directory_iterator disk(users->path(), inner), e2; !inner && disk != e2; disk.increment(inner))
            if (disk->is_directory()) drives.push_back({disk->path().string(), disk->path()});
    }
    return drives;
}

fs::path backupFolderOn(const fs::path& driveRoot) { return driveRoot / kBackupFolderName; }

void recordBackupFolder(const fs::path& backupFolder) {
    if (!dataDir().exists(kDisplaySettingsPath)) {
        DisplaySettings s = readDisplaySettings(); // creates the file with the defaults
        s.backupFolder = backupFolder.string();
        writeDisplaySettings(s);
        return;
    }
    auto lines = readDataTextLines(kDisplaySettingsPath);
    lines.resize(std::max<std::size_t>(lines.size(), 8));
    lines[5] = backupFolder.string();
    writeTextLines(dataDir().prepareForWrite(kDisplaySettingsPath), lines, kDisplaySettingsPath);
}

std::string lastBackupText() {
    if (!dataDir().exists(kLastBackupPath)) return "Mai";
    const auto lines = readDataTextLines(kLastBackupPath);
    return lines.empty() ? "Mai" : lines.front();
}

BackupOutcome runBackup(const std::optional<fs::path>& folder) {
    BackupOutcome outcome;
    if (!folder) {
        outcome.message = kNeedsFolder;
        return outcome;
    }
    const fs::path drive = folder->parent_path();
    std::error_code ec;
    if (!fs::is_directory(drive, ec)) {
        outcome.message = "L'Unit\xE0 " + drive.string() + " non \xE8 disponibile";
        return outcome;
    }
    makeFolder(*folder / "DatiBase");
    makeFolder(*folder / "BASEtxt");
    // The date file is copied before today's date is written, so the copy
    // carries the previous backup's date.
    CopyList copies;
    if (dataDir().exists(kLastBackupPath)) copies.push_back({dataDir().resolve(kLastBackupPath), *folder / "MMbakMod1.dum"});
    for (const auto& f : archiveFiles(dataDir().root())) copies.push_back({f, *folder / "DatiBase" / f.filename()});
    for (const auto& f : filesStartingWith(dataDir().resolve("BASEtxt"), ""))
        copies.push_back({f, *folder / "BASEtxt" / f.filename()});
    const fs::path store = dataDir().resolve(consultations::kStoreFileName);
    // Opening the live store first finishes what a killed writer left.
    if (fs::exists(store)) consultations::ConsultationStore{store, false};
    StoreSnapshot snapshot;
    addStoreCopy(store, *folder / consultations::kStoreFileName, snapshot, copies);
    copyAllOrNothing(copies, outcome.filesCopied);
    ownerOnly(*folder / consultations::kStoreFileName);
    writeTextLines(dataDir().prepareForWrite(kLastBackupPath), {TodayText()}, kLastBackupPath);
    outcome.copied = true;
    consultations::recordAuditEvent("copia di sicurezza", std::to_string(outcome.filesCopied) + " file in " + folder->string());
    return outcome;
}

std::optional<std::string> restoreRefusal(const std::optional<fs::path>& folder) {
    if (!folder) return std::string(kNeedsFolder);
    std::error_code ec;
    if (!fs::is_directory(*folder, ec)) return "La sorgente " + folder->string() + " non \xE8 disponibile";
    // A folder without the archive's index holds no backup: restoring it
    // would copy nothing and still say OK.
    bool hasIndex = false;
    for (const auto& f : archiveFiles(*folder / "DatiBase"))
        hasIndex = hasIndex || upperCase1252(f.filename().string()) == "BASE.ST1";
    if (!hasIndex) return "La sorgente " + folder->string() + " non contiene una copia dell'archivio BASE";
    return std::nullopt;
}

BackupOutcome runRestore(const fs::path& folder) {
    BackupOutcome outcome;
    if (auto refusal = restoreRefusal(folder)) {
        outcome.message = refusal;
        return outcome;
    }
    const fs::path texts = dataDir().prepareForWrite("BASEtxt\\x").parent_path();
    makeFolder(texts);
    CopyList copies;
    for (const auto& f : archiveFiles(folder / "DatiBase")) copies.push_back({f, dataDir().resolve(f.filename().string())});
    for (const auto& f : filesStartingWith(folder / "BASEtxt", "")) copies.push_back({f, texts / f.filename()});
    const fs::path store = dataDir().prepareForWrite(consultations::kStoreFileName);
    StoreSnapshot snapshot;
    addBackupStoreCopy(folder / consultations::kStoreFileName, store, snapshot, copies);
    if (!snapshot.file.empty()) {
        // A journal a killed writer left belongs to the store being
        // replaced: opening that store plays it back; one still there after
        // (the old store is damaged) would be played back into the restored
        // store, so it goes.
        try {
            if (fs::exists(store)) consultations::ConsultationStore{store, false};
        } catch (const IoError&) {
        }
        std::error_code ignored;
        fs::remove(fs::path(store) += "-journal", ignored);
    }
    copyAllOrNothing(copies, outcome.filesCopied);
    ownerOnly(store);
    outcome.copied = true;
    consultations::recordAuditEvent("ripristino", std::to_string(outcome.filesCopied) + " file da " + folder.string());
    return outcome;
}

} // namespace qv
