#include "base/data_dir.h"

#include "base/errors.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>
#include <vector>

#ifndef QV_SOURCE_TEMPLATE_DIR
#define QV_SOURCE_TEMPLATE_DIR ""
#endif

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
    std::error_code ec;
    if (templ.empty() || !fs::is_directory(templ, ec)) return 0;
    fs::create_directories(root_, ec);
    if (ec) throw IoError(root_.string(), italianSystemReason(ec.value()));
    int copied = 0;
    for (fs::recursive_directory_iterator it(templ, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file()) continue;
        const fs::path rel = fs::relative(it->path(), templ);
        std::string dataPath;
        for (const auto& part : rel) {
            if (!dataPath.empty()) dataPath += '\\';
            dataPath += part.string();
        }
        if (exists(dataPath)) continue;
        const fs::path target = prepareForWrite(dataPath);
        std::error_code copyEc;
        fs::copy_file(it->path(), target, fs::copy_options::skip_existing, copyEc);
        if (copyEc) throw IoError(dataPath, italianSystemReason(copyEc.value()));
        // The template may be read-only (an installed copy): the user's files must not be.
        fs::permissions(target, fs::perms::owner_write, fs::perm_options::add, copyEc);
        ++copied;
    }
    if (ec) throw IoError(templ.string(), italianSystemReason(ec.value()));
    return copied;
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
    if (!ec) {
        const fs::path installed = exe.parent_path().parent_path() / "share" / "quorendaville" / "data";
        if (fs::is_directory(installed, ec)) return installed;
    }
    return fs::path(QV_SOURCE_TEMPLATE_DIR);
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
