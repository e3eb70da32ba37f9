#include "datatemplate/template_update.h"

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/file_safety.h"
#include "base/text_file.h"
#include "datatemplate/template_files.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace fs = std::filesystem;

namespace qv {

namespace {

// Whether the file at `path` has the manifest's size and checksum.
bool matches(const fs::path& path, const ManifestEntry& entry) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec || size != entry.size) return false;
    try {
        return fileCrc32(path) == entry.crc;
    } catch (const IoError&) {
        return false;
    }
}

// The record of a program file the program has just put in place.
ManifestEntry installedRecord(const ManifestEntry& shipped, const fs::path& target) {
    ManifestEntry e = shipped;
    e.identity = settledIdentity(statFile(target), target);
    return e;
}

// The remedy database at a new data version. While every file of it is
// exactly as this or an earlier version shipped it, the stale ones are all
// replaced together (copied first, renamed only when every copy is
// complete), so its lists stay those of its records. A database the user
// has edited is kept whole, and the update only noted.
void updateShippedDatabase(const DataDir& dir, const fs::path& templ,
                           const std::vector<ShippedDatabaseEntry>& shipped, TemplateUpdate& out) {
    std::vector<std::pair<fs::path, const ManifestEntry*>> stale; // target, shipped file
    for (const ShippedDatabaseEntry& now : shipped) {
        if (!now.current || !dir.exists(now.file.dataPath)) continue; // a missing one is copied in anyway
        const fs::path target = dir.resolve(now.file.dataPath);
        const StatResult seen = statFile(target);
        if (!seen.regular) {
            out.databaseUpdateKept = true;
            return;
        }
        const std::uint32_t crc = fileCrc32(target);
        auto is = [&](const ManifestEntry& e) { return seen.size == e.size && crc == e.crc; };
        if (is(now.file)) continue;
        bool shippedEarlier = false;
        for (const ShippedDatabaseEntry& before : shipped)
            shippedEarlier = shippedEarlier || (!before.current && before.file.dataPath == now.file.dataPath && is(before.file));
        if (!shippedEarlier) {
            out.databaseUpdateKept = true;
            return;
        }
        stale.emplace_back(target, &now.file);
    }
    std::vector<std::unique_ptr<FileReplacement>> copies;
    for (const auto& [target, file] : stale) {
        const fs::path source = templ / relativePathOf(file->dataPath);
        if (!matches(source, *file)) throw IoError(file->dataPath, "la copia del programma non corrisponde al manifesto");
        copies.push_back(std::make_unique<FileReplacement>(target, file->dataPath));
        copies.back()->write(readWholeFile(source, file->dataPath));
        copies.back()->finish();
    }
    for (auto& copy : copies) {
        copy->putInPlace();
        ++out.databaseReplaced;
    }
}

} // namespace

const ManifestEntry* recordToCompare(const TemplateFileFacts& f) {
    if (f.recorded) return f.recorded;
    if (f.directoryRecorded || (f.present && !f.regular)) return f.shipped;
    return nullptr;
}

TemplateFileAction decideTemplateFile(const TemplateFileFacts& f) {
    if (!f.present) return f.sourcePresent ? TemplateFileAction::Copy : TemplateFileAction::Skip;
    if (f.directoryNewer) return TemplateFileAction::Skip;
    if (f.directoryOlder) return f.sourcePresent ? TemplateFileAction::Replace : TemplateFileAction::Skip;
    const ManifestEntry* was = recordToCompare(f);
    if (was && was->identity.known() && f.regular && f.size == was->size && f.identity == was->identity)
        return TemplateFileAction::TrustUnread;
    // A file of another size than recorded, or no file, is not worth reading.
    const bool intact = f.regular && (!was || f.size == was->size);
    if (intact && !f.crc) return TemplateFileAction::ReadChecksum;
    if (!was) return TemplateFileAction::RecordAsFound;
    if (intact && *f.crc == was->crc) return TemplateFileAction::RecordChecked;
    return TemplateFileAction::Restore;
}

TemplateUpdate updateFromTemplate(const DataDir& dir, const fs::path& templ) {
    TemplateUpdate out;
    std::error_code ec;
    const fs::path& root = dir.root();
    if (templ.empty() || !fs::is_directory(templ, ec)) return out;
    createPrivateFolders(root, root.string());
    // The template is walked once: its folders, for the temporary files a
    // killed copy left there, and its files, for those missing here.
    std::vector<fs::path> folders = {root};
    std::vector<std::pair<fs::path, std::string>> templateFiles;  // path, data path
    for (fs::recursive_directory_iterator it(templ, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string dataPath = dataPathOf(it->path().lexically_relative(templ));
        if (it->is_directory(ec)) folders.push_back(dir.resolve(dataPath));
        else if (it->is_regular_file(ec)) templateFiles.emplace_back(it->path(), dataPath);
    }
    const std::error_code walkError = ec;  // said once the rest is done
    ec.clear();
    removeAbandonedTemporaries(folders);

    // The template's version and manifest; a template without them (or with
    // a version that cannot be read) only fills in missing files.
    std::vector<ManifestEntry> manifest;
    std::vector<ShippedDatabaseEntry> shippedDatabase;
    if (fs::exists(templ / kDataVersionFile, ec) && fs::exists(templ / kDataManifestFile, ec)) {
        out.toVersion = parseDataVersion(readWholeFile(templ / kDataVersionFile, kDataVersionFile));
        if (out.toVersion > 0) {
            const std::string text = readWholeFile(templ / kDataManifestFile, kDataManifestFile);
            manifest = parseManifest(text);
            for (const ShippedDatabaseEntry& e : parseShippedDatabase(text))
                if (isShippedDatabaseFile(e.file.dataPath)) shippedDatabase.push_back(e);
        }
    }

    // What this directory records: the version it holds and its program
    // files as they were installed (their sizes and checksums). A directory
    // without a record that the program has used before (it holds the
    // personal archive) predates data versions: it is older than any.
    bool recorded = false;
    std::vector<ManifestEntry> held;
    if (out.toVersion > 0 && dir.exists(kDataVersionFile)) {
        std::string record;
        try {
            record = readWholeFile(dir.resolve(kDataVersionFile), kDataVersionFile);
        } catch (const IoError&) {
            // An unreadable record is a damaged one: every file is
            // checked, and the start goes on.
        }
        out.fromVersion = parseDataVersion(record);
        const std::size_t lineEnd = record.find('\n');
        try {
            if (lineEnd != std::string::npos) held = parseManifest(record.substr(lineEnd + 1));
        } catch (const ConversionError&) {
            held.clear(); // a damaged record: every file is checked against the manifest
        }
        recorded = true;
    }
    const bool older = out.fromVersion < out.toVersion && (recorded || dir.exists("BASE.ST1"));
    auto heldEntry = [&](const std::string& dataPath) -> const ManifestEntry* {
        for (const ManifestEntry& e : held)
            if (e.dataPath == dataPath) return &e;
        return nullptr;
    };

    // Program files, each as decideTemplateFile says. A file is recorded
    // only with the bytes the program put there or checked, never with
    // whatever it found unread.
    std::vector<std::string> listed;
    std::vector<ManifestEntry> record;
    auto unrepaired = [&](const std::string& dataPath, const std::string& reason) {
        out.unrepaired.push_back(dataPath + " (" + reason + ")");
    };
    for (const ManifestEntry& entry : manifest) {
        listed.push_back(foldedAscii(entry.dataPath));
        const fs::path source = templ / relativePathOf(entry.dataPath);
        try {
            // One stat for a file found under the name as written, the
            // common case; the folder is searched without regard to case
            // only when that fails.
            fs::path target = root / relativePathOf(entry.dataPath);
            StatResult seen = statFile(target);
            if (!seen.identity.known()) {
                target = dir.resolve(entry.dataPath);
                seen = statFile(target);
            }
            TemplateFileFacts facts;
            facts.shipped = &entry;
            facts.recorded = heldEntry(entry.dataPath);
            facts.directoryRecorded = recorded;
            facts.directoryOlder = older;
            facts.directoryNewer = out.fromVersion > out.toVersion;
            facts.sourcePresent = fs::is_regular_file(source, ec);
            facts.present = seen.identity.known();
            facts.regular = seen.regular;
            facts.size = seen.size;
            facts.identity = seen.identity;
            TemplateFileAction action = decideTemplateFile(facts);
            if (action == TemplateFileAction::ReadChecksum) {
                ++out.checksummed;
                facts.crc = fileCrc32(target);
                action = decideTemplateFile(facts);
            } else if (action == TemplateFileAction::Restore || action == TemplateFileAction::RecordAsFound) {
                ++out.checksummed;  // a file of the wrong size counts as checked
            }
            const ManifestEntry* was = recordToCompare(facts);
            switch (action) {
            case TemplateFileAction::Skip: break;
            case TemplateFileAction::Copy:
                target = dir.prepareForWrite(entry.dataPath);
                copyFileAtomically(source, target, entry.dataPath);
                ++out.copied;
                record.push_back(installedRecord(entry, target));
                break;
            case TemplateFileAction::Replace:
                copyFileAtomically(source, target, entry.dataPath);
                ++out.replaced;
                record.push_back(installedRecord(entry, target));
                break;
            case TemplateFileAction::TrustUnread: record.push_back(*was); break;
            case TemplateFileAction::ReadChecksum: break;  // decided above
            case TemplateFileAction::RecordAsFound:
                record.push_back({entry.dataPath, seen.size, facts.crc.value_or(0), settledIdentity(seen, target)});
                break;
            case TemplateFileAction::RecordChecked:
                record.push_back({entry.dataPath, was->size, was->crc, settledIdentity(seen, target)});
                break;
            case TemplateFileAction::Restore:
                // Kept without an identity should the copy fail; a template
                // that no longer matches its own manifest (a source tree
                // whose manifest is stale) restores nothing.
                record.push_back({was->dataPath, was->size, was->crc, {}});
                if (matches(source, entry)) {
                    copyFileAtomically(source, target, entry.dataPath);
                    record.back() = installedRecord(entry, target);
                    if (out.restored++ == 0) out.firstRestored = entry.dataPath;
                }
                break;
            }
        } catch (const IoError& e) {
            unrepaired(entry.dataPath, e.reason());
        } catch (const fs::filesystem_error& e) {
            unrepaired(entry.dataPath, italianSystemReason(e.code().value()));
        }
    }

    if (older && !shippedDatabase.empty()) {
        try {
            updateShippedDatabase(dir, templ, shippedDatabase, out);
            // The desktop program says it once, at its next start.
            if (out.databaseUpdateKept)
                writeFileAtomically(dir.prepareForWrite(kDatabaseUpdateMarker), std::to_string(out.toVersion) + "\r\n",
                                    kDatabaseUpdateMarker);
        } catch (const IoError& e) {
            unrepaired(e.file(), e.reason());
        }
    }

    // Every other template file only when it is missing: the user's own
    // files (archives, settings, remedy databases) are never overwritten.
    for (const auto& [source, dataPath] : templateFiles) {
        if (dataPath == kDataVersionFile || dataPath == kDataManifestFile) continue;
        if (std::find(listed.begin(), listed.end(), foldedAscii(dataPath)) != listed.end()) continue;
        if (dir.exists(dataPath)) continue;
        try {
            copyFileAtomically(source, dir.prepareForWrite(dataPath), dataPath);
            ++out.copied;
        } catch (const IoError& e) {
            unrepaired(dataPath, e.reason());
        }
    }
    if (walkError) throw IoError(templ.string(), italianSystemReason(walkError.value()));

    // The files known, by their identity, to hold the bytes the program
    // shipped: readers of this process may trust them without checking
    // their contents again.
    std::vector<ManifestEntry> intact;
    for (const ManifestEntry& r : record) {
        if (!r.identity.known()) continue;
        for (const ManifestEntry& m : manifest)
            if (m.dataPath == r.dataPath && m.crc == r.crc && m.size == r.size) intact.push_back(r);
    }
    recordIntactShippedFiles(dir, std::move(intact));

    // The record is written last: a start interrupted before this point
    // does the work again next time.
    if (out.toVersion > 0 && out.fromVersion <= out.toVersion &&
        (!recorded || out.fromVersion < out.toVersion || record != held)) {
        try {
            writeFileAtomically(dir.prepareForWrite(kDataVersionFile),
                                std::to_string(out.toVersion) + "\r\n" + manifestText(record), kDataVersionFile);
        } catch (const IoError& e) {
            // Without its record a start only does its work again next
            // time: a full disk must not stop every command. Said only when
            // files were put in place that the record now does not name.
            if (out.copied + out.replaced + out.restored > 0) unrepaired(kDataVersionFile, e.reason());
        }
    }
    return out;
}

int installTemplate(const DataDir& dir, const fs::path& templ) {
    const TemplateUpdate update = updateFromTemplate(dir, templ);
    const std::string notice = templateUpdateNotice(update);
    if (!notice.empty()) std::fprintf(stderr, "%s\n", cp1252ToUtf8(notice).c_str());
    return update.copied;
}

bool takeDatabaseUpdateNotice(const DataDir& dir) {
    if (!dir.exists(kDatabaseUpdateMarker)) return false;
    std::error_code ec;
    fs::remove(dir.resolve(kDatabaseUpdateMarker), ec);
    return true;
}

std::string databaseUpdateKeptNotice() {
    return "Quorendaville: \xE8 disponibile una banca dati dei rimedi aggiornata; quella in uso \xE8 stata "
           "modificata e resta com'\xE8. Per installare la nuova (le modifiche andranno perse) usare "
           "\"Aggiornam.\" con la cartella OpzioneH dei dati del programma";
}

std::string templateUpdateNotice(const TemplateUpdate& update) {
    std::string notice;
    if (update.replaced > 0)
        notice = "Quorendaville: dati del programma aggiornati dalla versione " + std::to_string(update.fromVersion) +
                 " alla versione " + std::to_string(update.toVersion) + " (" + std::to_string(update.replaced) +
                 " file sostituiti)";
    else if (update.restored > 0)
        notice = "Quorendaville: " + std::to_string(update.restored) +
                 (update.restored == 1 ? " file del programma danneggiato ripristinato ("
                                       : " file del programma danneggiati ripristinati (primo: ") +
                 update.firstRestored + ")";
    auto line = [&](const std::string& text) { notice += (notice.empty() ? "" : "\n") + text; };
    if (update.databaseReplaced > 0)
        line("Quorendaville: banca dati dei rimedi aggiornata alla versione del programma (" +
             std::to_string(update.databaseReplaced) + " file)");
    if (update.databaseUpdateKept) line(databaseUpdateKeptNotice());
    if (!update.unrepaired.empty()) {
        if (!notice.empty()) notice += "\n";
        const std::size_t n = update.unrepaired.size();
        notice += "Quorendaville: " +
                  (n == 1 ? std::string("file del programma danneggiato o mancante che non si pu\xF2 ripristinare: ")
                          : std::to_string(n) +
                                " file del programma danneggiati o mancanti che non si possono ripristinare (primo: ") +
                  update.unrepaired.front() + (n == 1 ? "" : ")") +
                  "; i comandi che lo leggono non funzioneranno";
    }
    return notice;
}

} // namespace qv
