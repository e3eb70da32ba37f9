#include "base/data_dir.h"

#include "base/errors.h"
#include "base/text_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qv {

namespace {

// The existing entry of `folder` whose name equals `name` ignoring case, or
// `folder / name` when there is none.
fs::path matchEntry(const fs::path& folder, const std::string& name) {
    fs::path exact = folder / name;
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    const std::string wanted = foldedAscii(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (foldedAscii(it->path().filename().string()) == wanted) return it->path();
    }
    return exact;
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

} // namespace

DataDir::DataDir(fs::path root) : root_(std::move(root)) {}

fs::path DataDir::resolve(const std::string& dataPath) const {
    fs::path p = root_;
    for (const auto& part : dataPathParts(dataPath)) p = matchEntry(p, part);
    return p;
}

bool DataDir::readOnly() const {
    struct statvfs info {};
    if (::statvfs(root_.c_str(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0) return true;
    return ::access(root_.c_str(), W_OK) != 0 && (errno == EROFS || errno == EACCES);
}

bool DataDir::exists(const std::string& dataPath) const {
    std::error_code ec;
    return fs::exists(resolve(dataPath), ec);
}

fs::path DataDir::prepareForWrite(const std::string& dataPath) const {
    auto parts = dataPathParts(dataPath);
    fs::path p = root_;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        p = matchEntry(p, parts[i]);
        // The folders of a person's data are their owner's only.
        if (i + 1 < parts.size()) createPrivateFolders(p, dataPath);
    }
    return p;
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

void recordIntactShippedFiles(const DataDir& dir, std::vector<ManifestEntry> files) {
    intactFiles() = {dir.root(), std::move(files)};
}

bool isIntactShippedFile(const DataDir& dir, const std::string& dataPath, const StatResult& seen) {
    const IntactFiles& known = intactFiles();
    if (!seen.regular || known.root != dir.root()) return false;
    for (const ManifestEntry& e : known.files)
        if (e.dataPath == dataPath) return e.size == seen.size && e.identity == seen.identity;
    return false;
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
    // No copy can write a read-only directory: there is nothing to keep
    // apart, and reading goes on.
    if (fd < 0 && dir.readOnly()) {
        unneeded_ = true;
        return;
    }
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
