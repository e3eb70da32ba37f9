#include "base/text_file.h"

#include "base/errors.h"
#include "base/file_safety.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace qv {

namespace {
std::string shown(const std::filesystem::path& path, const std::string& shownName) {
    return shownName.empty() ? path.string() : shownName;
}
} // namespace

std::string readWholeFile(const std::filesystem::path& path, const std::string& shownName) {
    const std::string name = shown(path, shownName);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throwSystemIoError(name);
    std::string out;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            int saved = errno;
            ::close(fd);
            errno = saved;
            throwSystemIoError(name);
        }
        if (n == 0) break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return out;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    bool pending = false; // a line has started (or an end was just seen)
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            pending = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending) lines.push_back(current);
    return lines;
}

std::vector<std::string> readTextLines(const std::filesystem::path& path, const std::string& shownName) {
    return splitLines(readWholeFile(path, shownName));
}

void writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                    const std::string& shownName) {
    std::string content;
    for (const auto& line : lines) {
        content += line;
        content += "\r\n";
    }
    writeFileAtomically(path, content, shownName);
}

} // namespace qv
