#include "remedies/update_copy.h"

#include "base/file_safety.h"

#include "base/errors.h"
#include "ephemeris/text_forms.h"
#include "remedies/records.h"
#include "remedies/safe_rewrite.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace qv::remedies {

namespace fs = std::filesystem;

namespace {

std::int64_t modifiedNs(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return 0;
    return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The record size a file of the update must be a multiple of (0: any).
std::size_t recordSizeOf(const std::string& name) {
    const std::string n = lower(name);
    if (n == "dbmain.rnd") return kRemedyRecordSize;
    if (n == "repertorio.rnd") return kRepertoryRecordSize;
    return 0;
}

std::vector<fs::path> subfolders(const fs::path& parent) {
    std::vector<fs::path> out;
    std::error_code ec;
    fs::directory_iterator it(parent, fs::directory_options::skip_permission_denied, ec);
    if (ec) return out;
    for (const fs::directory_entry& e : it) {
        std::error_code dec;
        if (e.is_directory(dec)) out.push_back(e.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

void copyFile(const fs::path& from, FileReplacement& to, const std::string& shown, std::uint64_t& done,
              std::uint64_t total, const std::function<void(std::uint64_t, std::uint64_t)>& progress) {
    const int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throwSystemIoError(from.string());
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            const int saved = errno;
            ::close(fd);
            errno = saved;
            throwSystemIoError(from.string());
        }
        if (n == 0) break;
        try {
            to.write(buffer.data(), static_cast<std::size_t>(n));
        } catch (...) {
            ::close(fd);
            throw;
        }
        done += static_cast<std::uint64_t>(n);
        if (progress) progress(done, total);
    }
    ::close(fd);
    (void)shown;
}

} // namespace

DatabaseDate databaseDate(const fs::path& folder) {
    const DataDir d(folder);
    const fs::path primary = d.resolve("DBmain.rnd");
    const fs::path repertory = d.resolve("Repertorio.rnd");
    const std::int64_t tp = modifiedNs(primary), tr = modifiedNs(repertory);
    const fs::path& later = tr > tp ? repertory : primary;
    return {std::max(tp, tr), FileDateText(later)};
}

std::vector<fs::path> mountCandidates(const std::vector<fs::path>& parents, const fs::path& home) {
    std::vector<fs::path> out;
    for (const fs::path& parent : parents)
        for (const fs::path& mount : subfolders(parent)) {
            out.push_back(mount);
            for (const fs::path& deeper : subfolders(mount)) out.push_back(deeper);
        }
    if (!home.empty()) out.push_back(home);
    return out;
}

std::vector<fs::path> defaultMountCandidates() {
    const char* home = std::getenv("HOME");
    return mountCandidates({"/media", "/run/media", "/mnt"}, home ? fs::path(home) : fs::path());
}

std::vector<UpdateSource> findUpdates(const std::vector<fs::path>& candidates, const DataDir& local) {
    std::vector<UpdateSource> out;
    std::set<fs::path> seen;
    std::error_code ec;
    const fs::path localFolder = fs::weakly_canonical(local.resolve(kUpdateFolder), ec);
    for (const fs::path& medium : candidates) {
        for (const fs::path& sub : subfolders(medium)) {
            if (lower(sub.filename().string()) != lower(kUpdateFolder)) continue;
            std::error_code cec;
            const fs::path canonical = fs::weakly_canonical(sub, cec);
            if (cec || canonical == localFolder || !seen.insert(canonical).second) continue;
            out.push_back({medium, sub, databaseDate(sub)});
        }
    }
    std::sort(out.begin(), out.end(), [](const UpdateSource& a, const UpdateSource& b) { return a.medium < b.medium; });
    return out;
}

UpdateResult installUpdate(const UpdateSource& source, const DataDir& local,
                           const std::function<void(std::uint64_t, std::uint64_t)>& progress) {
    struct Item {
        fs::path from;
        std::string name;
        std::uint64_t size;
    };
    std::vector<Item> items;
    std::uint64_t total = 0;
    std::error_code ec;
    fs::directory_iterator it(source.folder, ec);
    if (ec) throw IoError(source.folder.string(), italianSystemReason(ec.value()));
    for (const fs::directory_entry& e : it) {
        std::error_code fec;
        if (!e.is_regular_file(fec)) continue;
        const std::string name = e.path().filename().string();
        if (name.find('\\') != std::string::npos) continue;
        const std::uint64_t size = e.file_size(fec);
        if (fec) throw IoError(e.path().string(), italianSystemReason(fec.value()));
        if (const std::size_t rs = recordSizeOf(name); rs != 0 && size % rs != 0)
            throw IoError(e.path().string(), "il file dell'aggiornamento \xE8 danneggiato: la sua lunghezza (" +
                                                 std::to_string(size) + " byte) non \xE8 un multiplo del record (" +
                                                 std::to_string(rs) + " byte); nulla \xE8 stato copiato");
        items.push_back({e.path(), name, size});
        total += size;
    }
    if (items.empty())
        throw IoError(source.folder.string(), "la cartella dell'aggiornamento non contiene alcun file");
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.name < b.name; });

    UpdateResult result;
    for (const char* required : {"DBmain.rnd", "Repertorio.rnd"})
        if (std::none_of(items.begin(), items.end(), [&](const Item& i) { return lower(i.name) == lower(required); }))
            result.missing.push_back(required);

    // Every file is copied and checked before any is put in place.
    std::vector<std::unique_ptr<FileReplacement>> staged;
    std::uint64_t done = 0;
    for (const Item& item : items) {
        const std::string dataPath = std::string(kUpdateFolder) + "\\" + item.name;
        const fs::path target = local.prepareForWrite(dataPath);
        auto copy = std::make_unique<FileReplacement>(target, dataPath);
        const fs::path& temp = copy->temporary();
        copyFile(item.from, *copy, dataPath, done, total, progress);
        copy->finish(modifiedNs(item.from));
        if (fs::file_size(temp, ec) != item.size || ec || fileCrc32(temp) != fileCrc32(item.from))
            throw IoError(dataPath, "la copia non corrisponde al file del disco di aggiornamento; nulla \xE8 stato "
                                    "sostituito");
        staged.push_back(std::move(copy));
    }
    for (std::size_t i = 0; i < staged.size(); ++i) {
        staged[i]->putInPlace();
        result.copied.push_back(items[i].name);
    }
    if (!local.exists(kUpdateMarker)) {
        const fs::path marker = local.prepareForWrite(kUpdateMarker);
        FileReplacement mark(marker, kUpdateMarker);
        mark.putInPlace();
    }
    result.installed = databaseDate(local.resolve(kUpdateFolder));
    return result;
}

} // namespace qv::remedies
