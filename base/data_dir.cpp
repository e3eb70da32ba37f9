#include "base/data_dir.h"

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/text_file.h"

#include <algorithm>
#include <cctype>
#include <array>
#include <cerrno>
#include <cinttypes>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>
#include <vector>


namespace fs = std::filesystem;

namespace qv {

namespace {

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::vector<std::string> components(const std::string& dataPath) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : dataPath) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(current);
    return parts;
}

// The existing entry of `folder` whose name equals `name` ignoring case, or
// `folder / name` when there is none.
fs::path matchEntry(const fs::path& folder, const std::string& name) {
    fs::path exact = folder / name;
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    const std::string wanted = lowerAscii(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (lowerAscii(it->path().filename().string()) == wanted) return it->path();
    }
    return exact;
}

std::string replaceBackslashes(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

// A path relative to the template as the program writes it: backslashes.
std::string dataPathOf(const fs::path& relative) {
    std::string dataPath;
    for (const auto& part : relative) {
        if (!dataPath.empty()) dataPath += '\\';
        dataPath += part.string();
    }
    return dataPath;
}

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

long long nanoseconds(const struct timespec& t) { return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec; }

// How long after a change a file's times may not move again: a few clock
// ticks on local Linux file systems, two seconds where timestamps are
// coarse or kept by another machine (FAT, exFAT, NTFS, network and FUSE
// file systems).
long long settlingNanoseconds(const fs::path& file) {
    struct statfs fs {};
    if (::statfs(file.c_str(), &fs) != 0) return 2000000000LL;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x4d44:      // FAT
    case 0x2011BAB0:  // exFAT
    case 0x5346544e:  // NTFS
    case 0x6969:      // NFS
    case 0xFF534D42:  // CIFS
    case 0xFE534D42:  // SMB2
    case 0x517B:      // SMB
    case 0x65735546:  // FUSE
        return 2000000000LL;
    default:
        return 50000000LL;
    }
}

// The identity worth keeping for a file just checked or written. A file
// changed within its file system's settling time could be changed again
// within the same tick of that clock without its times moving; its identity
// is not kept, so the next start reads it.
FileIdentity settledIdentity(const StatResult& seen, const fs::path& file) {
    if (!seen.regular) return {};
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const long long settled = nanoseconds(now) - settlingNanoseconds(file);
    if (seen.identity.changedNs > settled || seen.identity.modifiedNs > settled) return {};
    return seen.identity;
}

// The record of a program file the program has just put in place.
ManifestEntry installedRecord(const ManifestEntry& shipped, const fs::path& target) {
    ManifestEntry e = shipped;
    e.identity = settledIdentity(statFile(target), target);
    return e;
}

// The mkstemp pattern of a temporary file beside `target`: the target's
// name hidden, and the process that writes it, so that a later start can
// tell a file abandoned by a killed process from one being written now.
std::string temporaryPattern(const fs::path& target) {
    return (target.parent_path() /
            ("." + target.filename().string() + "." + std::to_string(::getpid()) + ".XXXXXX"))
        .string();
}

// The process that wrote a temporary file named by temporaryPattern (or
// the ".tmp~" file written on its way), or 0 for any other name.
pid_t writerOfTemporary(std::string name) {
    if (name.size() > 5 && name.compare(name.size() - 5, 5, ".tmp~") == 0) name.resize(name.size() - 5);
    if (name.size() < 10 || name[0] != '.' || name[name.size() - 7] != '.') return 0;
    const std::size_t end = name.size() - 7;
    std::size_t start = end;
    while (start > 1 && std::isdigit(static_cast<unsigned char>(name[start - 1]))) --start;
    if (start == end || start < 2 || name[start - 1] != '.' || end - start > 9) return 0;
    return static_cast<pid_t>(std::stol(name.substr(start, end - start)));
}

// Removes the temporary files whose writer is no longer running (a start
// or a copy killed midway): they are never renamed into place and would
// otherwise stay, some as large as a table. Copies land only in the
// folders the template has, so only those are looked through.
void removeAbandonedTemporaries(const std::vector<fs::path>& folders) {
    std::error_code ec;
    std::vector<fs::path> abandoned;
    for (const fs::path& folder : folders) {
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            if (!it->is_regular_file(ec)) continue;
            const pid_t writer = writerOfTemporary(it->path().filename().string());
            if (writer <= 0) continue;
            if (writer == ::getpid() || (::kill(writer, 0) != 0 && errno == ESRCH)) abandoned.push_back(it->path());
        }
        ec.clear();
    }
    for (const fs::path& p : abandoned) fs::remove(p, ec);
}

// Copies `from` into a new temporary file beside `to` and returns its name:
// complete, synced and writable by the user even when the template is
// read-only (an installed copy). Nothing is left behind on failure.
std::string temporaryCopy(const fs::path& from, const fs::path& to, const std::string& shownName) {
    std::string temp = temporaryPattern(to);
    const int out = ::mkstemp(temp.data());
    if (out < 0) throwSystemIoError(shownName);
    auto fail = [&](int saved) {
        ::close(out);
        ::unlink(temp.c_str());
        errno = saved;
        throwSystemIoError(shownName);
    };
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) fail(errno);
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int saved = errno;
            ::close(in);
            fail(saved);
        }
        if (n == 0) break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer.data() + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) {
                const int saved = errno;
                ::close(in);
                fail(saved);
            }
            done += w;
        }
    }
    ::close(in);
    if (::fchmod(out, 0600) != 0 || ::fsync(out) != 0) fail(errno);
    if (::close(out) != 0) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        throwSystemIoError(shownName);
    }
    return temp;
}

// Renames a temporary copy over its target; the temporary is removed when
// that fails.
void putInPlace(const std::string& temp, const fs::path& to, const std::string& shownName) {
    if (std::rename(temp.c_str(), to.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        throwSystemIoError(shownName);
    }
}

// Copies `from` over `to` through a temporary file of the target's folder,
// renamed into place once complete: readers see the old file or the new one,
// never a part.
void copyAtomically(const fs::path& from, const fs::path& to, const std::string& shownName) {
    putInPlace(temporaryCopy(from, to, shownName), to, shownName);
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
    std::vector<std::string> temps;
    try {
        for (const auto& [target, file] : stale) {
            const fs::path source = templ / fs::path(replaceBackslashes(file->dataPath));
            if (!matches(source, *file)) throw IoError(file->dataPath, "la copia del programma non corrisponde al manifesto");
            temps.push_back(temporaryCopy(source, target, file->dataPath));
        }
    } catch (...) {
        for (const std::string& t : temps) ::unlink(t.c_str());
        throw;
    }
    for (std::size_t i = 0; i < stale.size(); ++i) {
        putInPlace(temps[i], stale[i].first, stale[i].second->dataPath);
        ++out.databaseReplaced;
    }
}

// Writes the data directory's record through a temporary file of its
// folder, renamed into place.
void writeRecord(const fs::path& target, const std::string& text) {
    std::string temp = temporaryPattern(target);
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) throwSystemIoError(kDataVersionFile);
    ::close(fd);
    try {
        writeFileAtomically(temp, text, kDataVersionFile);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    putInPlace(temp, target, kDataVersionFile);
}

struct IntactFiles {
    fs::path root;
    std::vector<ManifestEntry> files;
};

IntactFiles& intactFiles() {
    static IntactFiles files;
    return files;
}

DataDir& current() {
    static DataDir dir;
    return dir;
}

// A manifest line that lists a remedy database file ("D ..." or "P ...").
bool isDatabaseLine(const std::string& line) { return line.size() > 2 && (line[0] == 'D' || line[0] == 'P') && line[1] == ' '; }

// "inode/mtime/ctime" in decimal; an unknown identity when malformed.
FileIdentity parseIdentity(const std::string& text) {
    FileIdentity id;
    unsigned long long inode = 0;
    long long modified = 0, changed = 0;
    int used = 0;
    if (std::sscanf(text.c_str(), "%llu/%lld/%lld%n", &inode, &modified, &changed, &used) != 3 ||
        used != static_cast<int>(text.size()) || text.find_first_not_of("0123456789/-") != std::string::npos)
        return id;
    id.inode = inode;
    id.modifiedNs = modified;
    id.changedNs = changed;
    return id;
}

} // namespace

StatResult statFile(const fs::path& path) {
    StatResult out;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return out;
    out.regular = S_ISREG(st.st_mode);
    out.size = static_cast<std::uintmax_t>(st.st_size);
    out.identity = {static_cast<std::uintmax_t>(st.st_ino), nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
    return out;
}

DataDir::DataDir(fs::path root) : root_(std::move(root)) {}

fs::path DataDir::resolve(const std::string& dataPath) const {
    fs::path p = root_;
    for (const auto& part : components(dataPath)) p = matchEntry(p, part);
    return p;
}

bool DataDir::exists(const std::string& dataPath) const {
    std::error_code ec;
    return fs::exists(resolve(dataPath), ec);
}

fs::path DataDir::prepareForWrite(const std::string& dataPath) const {
    auto parts = components(dataPath);
    fs::path p = root_;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        p = matchEntry(p, parts[i]);
        if (i + 1 < parts.size()) {
            std::error_code ec;
            if (!fs::is_directory(p, ec)) {
                fs::create_directories(p, ec);
                if (ec) throw IoError(dataPath, italianSystemReason(ec.value()));
            }
        }
    }
    return p;
}

int DataDir::installTemplate(const fs::path& templ) const {
    const TemplateUpdate update = updateFromTemplate(templ);
    const std::string notice = templateUpdateNotice(update);
    if (!notice.empty()) std::fprintf(stderr, "%s\n", cp1252ToUtf8(notice).c_str());
    return update.copied;
}

TemplateUpdate DataDir::updateFromTemplate(const fs::path& templ) const {
    TemplateUpdate out;
    std::error_code ec;
    if (templ.empty() || !fs::is_directory(templ, ec)) return out;
    fs::create_directories(root_, ec);
    if (ec) throw IoError(root_.string(), italianSystemReason(ec.value()));
    std::vector<fs::path> folders = {root_};
    for (fs::recursive_directory_iterator it(templ, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory(ec)) folders.push_back(resolve(dataPathOf(it->path().lexically_relative(templ))));
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
            shippedDatabase = parseShippedDatabase(text);
        }
    }

    // What this directory records: the version it holds and its program
    // files as they were installed (their sizes and checksums). A directory
    // without a record that the program has used before (it holds the
    // personal archive) predates data versions: it is older than any.
    bool recorded = false;
    std::vector<ManifestEntry> held;
    if (out.toVersion > 0 && exists(kDataVersionFile)) {
        std::string record;
        try {
            record = readWholeFile(resolve(kDataVersionFile), kDataVersionFile);
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
    const bool older = out.fromVersion < out.toVersion && (recorded || exists("BASE.ST1"));
    auto heldEntry = [&](const std::string& dataPath) -> const ManifestEntry* {
        for (const ManifestEntry& e : held)
            if (e.dataPath == dataPath) return &e;
        return nullptr;
    };

    // Program files: replaced when the shipped version is newer, restored
    // when they no longer are what was installed. Files the directory
    // already had when it was first used with data versions are kept as
    // they are (a test's or a user's own tables). A directory brought to a
    // newer version by a newer program keeps its files. A directory that
    // has a record, damaged or lacking a file, has that file checked against
    // the manifest itself. A file is recorded only with the bytes the
    // program put there, never with whatever it found.
    std::vector<std::string> listed;
    std::vector<ManifestEntry> record;
    auto unrepaired = [&](const std::string& dataPath, const std::string& reason) {
        out.unrepaired.push_back(dataPath + " (" + reason + ")");
    };
    for (const ManifestEntry& entry : manifest) {
        listed.push_back(lowerAscii(entry.dataPath));
        const fs::path source = templ / fs::path(replaceBackslashes(entry.dataPath));
        const ManifestEntry* was = heldEntry(entry.dataPath);
        if (!was && recorded) was = &entry;
        try {
            // One stat for a file found under the name as written, the
            // common case; the folder is searched without regard to case
            // only when that fails.
            fs::path target = root_ / fs::path(replaceBackslashes(entry.dataPath));
            StatResult seen = statFile(target);
            if (seen.identity.inode == 0) {
                target = resolve(entry.dataPath);
                seen = statFile(target);
            }
            if (seen.identity.inode == 0) {
                if (!fs::is_regular_file(source, ec)) continue;
                target = prepareForWrite(entry.dataPath);
                copyAtomically(source, target, entry.dataPath);
                ++out.copied;
                record.push_back(installedRecord(entry, target));
                continue;
            }
            if (out.fromVersion > out.toVersion) continue;
            if (older) {
                if (!fs::is_regular_file(source, ec)) continue;
                copyAtomically(source, target, entry.dataPath);
                ++out.replaced;
                record.push_back(installedRecord(entry, target));
                continue;
            }
            if (!was && !seen.regular) was = &entry; // a folder in its place is no file of the user's
            if (was && was->identity.known() && seen.regular && seen.size == was->size &&
                seen.identity == was->identity) {
                record.push_back(*was); // unchanged since it was checked: not read
                continue;
            }
            ++out.checksummed;
            const bool intact = seen.regular && (!was || seen.size == was->size);
            const std::uint32_t crc = intact ? fileCrc32(target) : 0;
            if (!was) {
                record.push_back({entry.dataPath, seen.size, crc, settledIdentity(seen, target)});
            } else if (intact && crc == was->crc) {
                record.push_back({entry.dataPath, was->size, was->crc, settledIdentity(seen, target)});
            } else if (matches(source, entry)) {
                record.push_back({was->dataPath, was->size, was->crc, {}}); // kept should the copy fail
                copyAtomically(source, target, entry.dataPath);
                record.back() = installedRecord(entry, target);
                if (out.restored++ == 0) out.firstRestored = entry.dataPath;
            } else {
                // A template that no longer matches its own manifest (a
                // source tree whose manifest is stale) restores nothing.
                record.push_back({was->dataPath, was->size, was->crc, {}});
            }
        } catch (const IoError& e) {
            unrepaired(entry.dataPath, e.reason());
        } catch (const fs::filesystem_error& e) {
            unrepaired(entry.dataPath, italianSystemReason(e.code().value()));
        }
    }

    if (older && !shippedDatabase.empty()) {
        try {
            updateShippedDatabase(*this, templ, shippedDatabase, out);
            // The desktop program says it once, at its next start.
            if (out.databaseUpdateKept)
                writeFileAtomically(prepareForWrite(kDatabaseUpdateMarker), std::to_string(out.toVersion) + "\r\n",
                                    kDatabaseUpdateMarker);
        } catch (const IoError& e) {
            unrepaired(e.file(), e.reason());
        }
    }

    // Every other template file only when it is missing: the user's own
    // files (archives, settings, remedy databases) are never overwritten.
    for (fs::recursive_directory_iterator it(templ, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file()) continue;
        const fs::path rel = it->path().lexically_relative(templ);
        const std::string dataPath = dataPathOf(rel);
        if (dataPath == kDataVersionFile || dataPath == kDataManifestFile) continue;
        if (std::find(listed.begin(), listed.end(), lowerAscii(dataPath)) != listed.end()) continue;
        if (exists(dataPath)) continue;
        try {
            copyAtomically(it->path(), prepareForWrite(dataPath), dataPath);
            ++out.copied;
        } catch (const IoError& e) {
            unrepaired(dataPath, e.reason());
        }
    }
    if (ec) throw IoError(templ.string(), italianSystemReason(ec.value()));

    // The files known, by their identity, to hold the bytes the program
    // shipped: readers of this process may trust them without checking
    // their contents again.
    std::vector<ManifestEntry> intact;
    for (const ManifestEntry& r : record) {
        if (!r.identity.known()) continue;
        for (const ManifestEntry& m : manifest)
            if (m.dataPath == r.dataPath && m.crc == r.crc && m.size == r.size) intact.push_back(r);
    }
    intactFiles() = {root_, std::move(intact)};

    // The record is written last: a start interrupted before this point
    // does the work again next time.
    if (out.toVersion > 0 && out.fromVersion <= out.toVersion &&
        (!recorded || out.fromVersion < out.toVersion || record != held)) {
        try {
            writeRecord(prepareForWrite(kDataVersionFile), std::to_string(out.toVersion) + "\r\n" + manifestText(record));
        } catch (const IoError& e) {
            // Without its record a start only does its work again next
            // time: a full disk must not stop every command. Said only when
            // files were put in place that the record now does not name.
            if (out.copied + out.replaced + out.restored > 0) unrepaired(kDataVersionFile, e.reason());
        }
    }
    return out;
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

bool isProgramFile(const std::string& dataPath) {
    const auto parts = components(dataPath);
    if (parts.empty()) return false;
    if (parts.size() == 1) {
        const std::string name = lowerAscii(parts[0]);
        for (const char* ext : {".jpg", ".bmp", ".png", ".svg", ".pdf", ".txt"})
            if (name.size() > std::strlen(ext) && name.compare(name.size() - std::strlen(ext), std::string::npos, ext) == 0)
                return true;
        return false;
    }
    const std::string folder = lowerAscii(parts[0]);
    for (const char* owned :
         {"fileposi", "localita", "calendar", "scambi", "appoggio", "opzionet", "simboli", "zodiaco", "glifi", "manuali"})
        if (folder == owned) return true;
    return false;
}

bool isShippedDatabaseFile(const std::string& dataPath) {
    const auto parts = components(dataPath);
    if (parts.size() != 2) return false;
    const std::string folder = lowerAscii(parts[0]);
    const std::string name = lowerAscii(parts[1]);
    return (folder == "opzioneh" || folder == "opziones") && name != "riccom.rnd" && name != "tercom.rnd";
}

std::vector<ShippedDatabaseEntry> computeShippedDatabase(const fs::path& folder) {
    std::vector<ShippedDatabaseEntry> out;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file()) continue;
        const std::string dataPath = dataPathOf(it->path().lexically_relative(folder));
        if (!isShippedDatabaseFile(dataPath)) continue;
        out.push_back({{dataPath, fs::file_size(it->path()), fileCrc32(it->path()), {}}, true});
    }
    if (ec) throw IoError(folder.string(), italianSystemReason(ec.value()));
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.file.dataPath < b.file.dataPath; });
    return out;
}

std::string shippedDatabaseText(const std::vector<ShippedDatabaseEntry>& entries) {
    std::string text;
    for (const ShippedDatabaseEntry& e : entries) text += (e.current ? "D " : "P ") + manifestText({e.file});
    return text;
}

std::vector<ShippedDatabaseEntry> parseShippedDatabase(const std::string& text) {
    std::vector<ShippedDatabaseEntry> out;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!isDatabaseLine(line)) continue;
        const auto parsed = parseManifest(line.substr(2));
        if (parsed.size() != 1 || parsed[0].identity.known() || !isShippedDatabaseFile(parsed[0].dataPath))
            throw ConversionError("Riga non valida nel manifesto dei dati: " + line);
        out.push_back({parsed[0], line[0] == 'D'});
    }
    return out;
}

std::vector<ManifestEntry> computeManifest(const fs::path& folder) {
    std::vector<ManifestEntry> out;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file()) continue;
        const std::string dataPath = dataPathOf(it->path().lexically_relative(folder));
        if (!isProgramFile(dataPath)) continue;
        out.push_back({dataPath, fs::file_size(it->path()), fileCrc32(it->path()), {}});
    }
    if (ec) throw IoError(folder.string(), italianSystemReason(ec.value()));
    std::sort(out.begin(), out.end(), [](const ManifestEntry& a, const ManifestEntry& b) {
        return a.dataPath < b.dataPath;
    });
    return out;
}

std::string manifestText(const std::vector<ManifestEntry>& entries) {
    std::string text;
    char head[40];
    for (const ManifestEntry& e : entries) {
        std::snprintf(head, sizeof head, "%08x %ju ", static_cast<unsigned>(e.crc), e.size);
        text += head;
        if (e.identity.known())
            text += "=" + std::to_string(e.identity.inode) + "/" + std::to_string(e.identity.modifiedNs) + "/" +
                    std::to_string(e.identity.changedNs) + " ";
        text += e.dataPath + "\r\n";
    }
    return text;
}

std::vector<ManifestEntry> parseManifest(const std::string& text) {
    std::vector<ManifestEntry> out;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || isDatabaseLine(line)) continue;
        const std::size_t space1 = line.find(' ');
        const std::size_t space2 = space1 == std::string::npos ? space1 : line.find(' ', space1 + 1);
        auto bad = [&] { return ConversionError("Riga non valida nel manifesto dei dati: " + line); };
        if (space1 != 8 || space2 == std::string::npos || space2 + 1 >= line.size()) throw bad();
        ManifestEntry e;
        // The digits are kept alive while `stop` points into them.
        const std::string crcDigits = line.substr(0, 8);
        char* stop = nullptr;
        e.crc = static_cast<std::uint32_t>(std::strtoul(crcDigits.c_str(), &stop, 16));
        if (*stop != '\0') throw bad();
        const std::string size = line.substr(space1 + 1, space2 - space1 - 1);
        if (size.empty() || size.find_first_not_of("0123456789") != std::string::npos) throw bad();
        e.size = std::strtoumax(size.c_str(), nullptr, 10);
        e.dataPath = line.substr(space2 + 1);
        if (e.dataPath[0] == '=') {
            const std::size_t space3 = e.dataPath.find(' ');
            if (space3 == std::string::npos || space3 + 1 >= e.dataPath.size()) throw bad();
            e.identity = parseIdentity(e.dataPath.substr(1, space3 - 1));
            if (!e.identity.known()) throw bad();
            e.dataPath = e.dataPath.substr(space3 + 1);
        }
        if (e.dataPath.find("..") != std::string::npos || e.dataPath[0] == '\\' || e.dataPath[0] == '/')
            throw bad();
        out.push_back(std::move(e));
    }
    return out;
}

long parseDataVersion(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    long version = 0;
    std::size_t digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 9) {
        version = version * 10 + (text[at] - '0');
        ++at;
        ++digits;
    }
    if (digits == 0) return 0;
    if (at < text.size() && text[at] != '\r' && text[at] != '\n' && text[at] != ' ') return 0;
    return version;
}

std::uint32_t fileCrc32(const fs::path& path) {
    static const auto table = [] {
        std::array<std::array<std::uint32_t, 256>, 4> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][i] = c;
        }
        for (std::uint32_t i = 0; i < 256; ++i)
            for (int s = 1; s < 4; ++s) t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
        return t;
    }();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throwSystemIoError(path.string());
    std::uint32_t crc = 0xFFFFFFFFu;
    std::vector<unsigned char> buffer(1 << 16);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            const int saved = errno;
            ::close(fd);
            errno = saved;
            throwSystemIoError(path.string());
        }
        if (n == 0) break;
        const unsigned char* p = buffer.data();
        std::size_t left = static_cast<std::size_t>(n);
        while (left >= 4) {
            crc ^= static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                   static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
            crc = table[3][crc & 0xFF] ^ table[2][(crc >> 8) & 0xFF] ^ table[1][(crc >> 16) & 0xFF] ^ table[0][crc >> 24];
            p += 4;
            left -= 4;
        }
        while (left-- > 0) crc = table[0][(crc ^ *p++) & 0xFF] ^ (crc >> 8);
    }
    ::close(fd);
    return crc ^ 0xFFFFFFFFu;
}

bool secureDataDirRoot(const fs::path& root) {
    std::error_code ec;
    if (!fs::exists(root, ec)) {
        if (root.has_parent_path()) fs::create_directories(root.parent_path(), ec);
        if (::mkdir(root.c_str(), 0700) != 0 && errno != EEXIST) throwSystemIoError(root.string());
        return false;
    }
    struct stat st {};
    if (::stat(root.c_str(), &st) != 0) throwSystemIoError(root.string());
    if ((st.st_mode & 077) == 0) return false;
    if (::chmod(root.c_str(), 0700) != 0) throwSystemIoError(root.string());
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::file_status status = it->symlink_status(ec);
        if (fs::is_directory(status))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::replace, ec);
        else if (fs::is_regular_file(status))
            fs::permissions(it->path(), fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace, ec);
        ec.clear();
    }
    return true;
}

bool isIntactShippedFile(const DataDir& dir, const std::string& dataPath, const StatResult& seen) {
    const IntactFiles& known = intactFiles();
    if (!seen.regular || known.root != dir.root()) return false;
    for (const ManifestEntry& e : known.files)
        if (e.dataPath == dataPath) return e.size == seen.size && e.identity == seen.identity;
    return false;
}

bool takeDatabaseUpdateNotice(const DataDir& dir) {
    if (!dir.exists(kDatabaseUpdateMarker)) return false;
    std::error_code ec;
    fs::remove(dir.resolve(kDatabaseUpdateMarker), ec);
    return true;
}

const DataDir& dataDir() { return current(); }

void setDataDir(const fs::path& root) { current() = DataDir(root); }

std::vector<std::string> readDataTextLines(const std::string& dataPath) {
    return readTextLines(dataDir().resolve(dataPath), dataPath);
}

fs::path defaultDataDirRoot() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return fs::path(xdg) / "quorendaville";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "quorendaville";
}

fs::path templateDir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::path("share") / "quorendaville" / "data";
    // PREFIX/bin/PROGRAM, or PREFIX/libexec/quorendaville/PROGRAM for the
    // drawing commands' program.
    fs::path prefix = exe.parent_path().parent_path();
    if (exe.parent_path().filename() == "quorendaville" && prefix.filename() == "libexec") prefix = prefix.parent_path();
    return prefix / "share" / "quorendaville" / "data";
}

DataDirLock::DataDirLock(const DataDir& dir) {
    const fs::path path = dir.root() / ".quorendaville.lock";
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) throwSystemIoError(path.string());
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    fd_ = fd;
}

DataDirLock::~DataDirLock() {
    if (fd_ >= 0) ::close(fd_);
}

} // namespace qv
