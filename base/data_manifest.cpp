#include "base/data_manifest.h"

#include "base/errors.h"

#include <array>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qv {

namespace {

// A manifest line that lists a remedy database file ("D ..." or "P ...").
bool isDatabaseLine(const std::string& line) { return line.size() > 2 && (line[0] == 'D' || line[0] == 'P') && line[1] == ' '; }

// "device/inode/mtime/ctime" in decimal; "inode/mtime/ctime" as earlier
// versions wrote it (no device: it never equals a file seen now, which is
// then read once and recorded anew); an unknown identity when malformed.
FileIdentity parseIdentity(const std::string& text) {
    FileIdentity id;
    if (text.find_first_not_of("0123456789/-") != std::string::npos) return id;
    unsigned long long device = 0, inode = 0;
    long long modified = 0, changed = 0;
    int used = 0;
    if (std::sscanf(text.c_str(), "%llu/%llu/%lld/%lld%n", &device, &inode, &modified, &changed, &used) == 4 &&
        used == static_cast<int>(text.size())) {
        id.device = device;
    } else if (std::sscanf(text.c_str(), "%llu/%lld/%lld%n", &inode, &modified, &changed, &used) != 3 ||
               used != static_cast<int>(text.size())) {
        return id;
    }
    id.inode = inode;
    id.modifiedNs = modified;
    id.changedNs = changed;
    return id;
}

} // namespace

std::vector<std::string> dataPathParts(const std::string& dataPath) {
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

fs::path relativePathOf(const std::string& dataPath) {
    fs::path p;
    for (const std::string& part : dataPathParts(dataPath)) p /= part;
    return p;
}

std::string foldedAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string dataPathOf(const fs::path& relative) {
    std::string dataPath;
    for (const auto& part : relative) {
        if (!dataPath.empty()) dataPath += '\\';
        dataPath += part.string();
    }
    return dataPath;
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
        if (parsed.size() != 1 || parsed[0].identity.known())
            throw ConversionError("Riga non valida nel manifesto dei dati: " + line);
        out.push_back({parsed[0], line[0] == 'D'});
    }
    return out;
}

std::string manifestText(const std::vector<ManifestEntry>& entries) {
    std::string text;
    char head[40];
    for (const ManifestEntry& e : entries) {
        std::snprintf(head, sizeof head, "%08x %ju ", static_cast<unsigned>(e.crc), e.size);
        text += head;
        if (e.identity.known())
            text += "=" + std::to_string(e.identity.device) + "/" + std::to_string(e.identity.inode) + "/" +
                    std::to_string(e.identity.modifiedNs) + "/" + std::to_string(e.identity.changedNs) + " ";
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
            e.identity.size = e.size;
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

} // namespace qv
