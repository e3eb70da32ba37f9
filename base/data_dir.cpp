#include "base/data_dir.h"

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

// Copies `from` over `to` through a temporary file of the target's folder,
// renamed into place once complete: readers see the old file or the new one,
// never a part. The copy is writable by the user even when the template is
// read-only (an installed copy).
void copyAtomically(const fs::path& from, const fs::path& to, const std::string& shownName) {
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
    if (::fchmod(out, 0644) != 0 || ::fsync(out) != 0) fail(errno);
    if (::close(out) != 0) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        throwSystemIoError(shownName);
    }
    if (std::rename(temp.c_str(), to.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        throwSystemIoError(shownName);
    }
}

DataDir& current() {
    static DataDir dir;
    return dir;
}

} // namespace

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
    if (!notice.empty()) std::fprintf(stderr, "%s\n", notice.c_str());
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
        if (it->is_directory(ec)) folders.push_back(resolve(dataPathOf(fs::relative(it->path(), templ))));
    ec.clear();
    removeAbandonedTemporaries(folders);

    // The template's version and manifest; a template without them (or with
    // a version that cannot be read) only fills in missing files.
    std::vector<ManifestEntry> manifest;
    if (fs::exists(templ / kDataVersionFile, ec) && fs::exists(templ / kDataManifestFile, ec)) {
        out.toVersion = parseDataVersion(readWholeFile(templ / kDataVersionFile, kDataVersionFile));
        if (out.toVersion > 0) manifest = parseManifest(readWholeFile(templ / kDataManifestFile, kDataManifestFile));
    }

    // What this directory records: the version it holds and its program
    // files as they were installed (their sizes and checksums). A directory
    // without a record that the program has used before (it holds the
    // personal archive) predates data versions: it is older than any.
    bool recorded = false;
    std::vector<ManifestEntry> held;
    if (out.toVersion > 0 && exists(kDataVersionFile)) {
        const std::string record = readWholeFile(resolve(kDataVersionFile), kDataVersionFile);
        out.fromVersion = parseDataVersion(record);
        const std::size_t lineEnd = record.find('\n');
        try {
            if (lineEnd != std::string::npos) held = parseManifest(record.substr(lineEnd + 1));
        } catch (const ConversionError&) {
            held.clear(); // a damaged record: every file is taken as it is
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
    // newer version by a newer program keeps its files.
    std::vector<std::string> listed;
    std::vector<ManifestEntry> record;
    for (const ManifestEntry& entry : manifest) {
        listed.push_back(lowerAscii(entry.dataPath));
        const fs::path source = templ / fs::path(replaceBackslashes(entry.dataPath));
        if (!fs::is_regular_file(source, ec)) continue;
        if (!exists(entry.dataPath)) {
            copyAtomically(source, prepareForWrite(entry.dataPath), entry.dataPath);
            ++out.copied;
            record.push_back(entry);
            continue;
        }
        const fs::path target = resolve(entry.dataPath);
        if (out.fromVersion > out.toVersion) continue;
        if (older) {
            copyAtomically(source, target, entry.dataPath);
            ++out.replaced;
            record.push_back(entry);
            continue;
        }
        const ManifestEntry* was = heldEntry(entry.dataPath);
        if (was && !matches(target, *was) && matches(source, entry)) {
            // (A template that no longer matches its own manifest, as in a
            // source tree whose manifest is stale, restores nothing.)
            copyAtomically(source, target, entry.dataPath);
            if (out.restored++ == 0) out.firstRestored = entry.dataPath;
            record.push_back(entry);
        } else if (was && matches(target, *was)) {
            record.push_back(*was);
        } else {
            record.push_back({entry.dataPath, fs::file_size(target), fileCrc32(target)});
        }
    }

    // Every other template file only when it is missing: the user's own
    // files (archives, settings, remedy databases) are never overwritten.
    for (fs::recursive_directory_iterator it(templ, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file()) continue;
        const fs::path rel = fs::relative(it->path(), templ);
        const std::string dataPath = dataPathOf(rel);
        if (dataPath == kDataVersionFile || dataPath == kDataManifestFile) continue;
        if (std::find(listed.begin(), listed.end(), lowerAscii(dataPath)) != listed.end()) continue;
        if (exists(dataPath)) continue;
        copyAtomically(it->path(), prepareForWrite(dataPath), dataPath);
        ++out.copied;
    }
    if (ec) throw IoError(templ.string(), italianSystemReason(ec.value()));

    // The record is written last: a start interrupted before this point
    // does the work again next time.
    if (out.toVersion > 0 && out.fromVersion <= out.toVersion &&
        (!recorded || out.fromVersion < out.toVersion || record != held)) {
        const std::string text = std::to_string(out.toVersion) + "\r\n" + manifestText(record);
        const fs::path target = prepareForWrite(kDataVersionFile);
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
        if (std::rename(temp.c_str(), target.c_str()) != 0) {
            const int saved = errno;
            ::unlink(temp.c_str());
            errno = saved;
            throwSystemIoError(kDataVersionFile);
        }
    }
    return out;
}

std::string templateUpdateNotice(const TemplateUpdate& update) {
    if (update.replaced > 0)
        return "Quorendaville: dati del programma aggiornati dalla versione " + std::to_string(update.fromVersion) +
               " alla versione " + std::to_string(update.toVersion) + " (" + std::to_string(update.replaced) +
               " file sostituiti)";
    if (update.restored > 0)
        return "Quorendaville: " + std::to_string(update.restored) +
               (update.restored == 1 ? " file del programma danneggiato ripristinato ("
                                     : " file del programma danneggiati ripristinati (primo: ") +
               update.firstRestored + ")";
    return {};
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

std::vector<ManifestEntry> computeManifest(const fs::path& folder) {
    std::vector<ManifestEntry> out;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file()) continue;
        const std::string dataPath = dataPathOf(fs::relative(it->path(), folder));
        if (!isProgramFile(dataPath)) continue;
        out.push_back({dataPath, fs::file_size(it->path()), fileCrc32(it->path())});
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
        text += head + e.dataPath + "\r\n";
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
        if (line.empty()) continue;
        const std::size_t space1 = line.find(' ');
        const std::size_t space2 = space1 == std::string::npos ? space1 : line.find(' ', space1 + 1);
        auto bad = [&] { return ConversionError("Riga non valida nel manifesto dei dati: " + line); };
        if (space1 != 8 || space2 == std::string::npos || space2 + 1 >= line.size()) throw bad();
        ManifestEntry e;
        char* stop = nullptr;
        e.crc = static_cast<std::uint32_t>(std::strtoul(line.substr(0, 8).c_str(), &stop, 16));
        if (*stop != '\0') throw bad();
        const std::string size = line.substr(space1 + 1, space2 - space1 - 1);
        if (size.empty() || size.find_first_not_of("0123456789") != std::string::npos) throw bad();
        e.size = std::strtoumax(size.c_str(), nullptr, 10);
        e.dataPath = line.substr(space2 + 1);
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

const DataDir& dataDir() { return current(); }

void setDataDir(const fs::path& root) { current() = DataDir(root); }

fs::path defaultDataDirRoot() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return fs::path(xdg) / "quorendaville";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "quorendaville";
}

fs::path templateDir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::path("share") / "quorendaville" / "data";
    return exe.parent_path().parent_path() / "share" / "quorendaville" / "data";
}

DataDirLock::DataDirLock(const DataDir& dir) {
    const fs::path path = dir.root() / ".quorendaville.lock";
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
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
