#include "consultations/audit_log.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "base/file_safety.h"
#include "base/text_file.h"

#include <sodium.h>

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace qv::consultations {

namespace {

const std::string kFirstLink(64, '0');

std::string hex(const unsigned char* bytes, std::size_t size) {
    static const char* const digits = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < size; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

std::string sha256(const std::string& text) {
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256(digest, reinterpret_cast<const unsigned char*>(text.data()), text.size());
    return hex(digest, sizeof digest);
}

std::string flat(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}

std::string now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

// A line is "when<TAB>event<TAB>details<TAB>chain", the chain being the
// SHA-256 of the previous line's chain and this line's first three fields.
struct Line {
    std::string body, chain;
};

std::optional<Line> splitLine(const std::string& line) {
    const auto tab = line.rfind('\t');
    if (tab == std::string::npos || line.size() - tab - 1 != 64) return std::nullopt;
    return Line{line.substr(0, tab), line.substr(tab + 1)};
}

std::vector<std::string> logLines() {
    if (!dataDir().exists(kAuditLogFile)) return {};
    return readDataTextLines(kAuditLogFile);
}

} // namespace

void recordAuditEvent(const std::string& event, const std::string& details) {
    // A read-only data directory (a backup disk) keeps no record: nothing
    // can be written there, and its own program recorded what it did.
    if (dataDir().readOnly()) return;
    if (sodium_init() < 0) throw IoError(kAuditLogFile, "libreria crittografica non disponibile");
    const std::vector<std::string> lines = logLines();
    std::string previous = kFirstLink;
    if (!lines.empty())
        if (const auto last = splitLine(lines.back())) previous = last->chain;
    const std::string body = now() + "\t" + flat(event) + "\t" + flat(details);
    const std::string line = body + "\t" + sha256(previous + body) + "\r\n";
    // Appended in one write to a file opened without following a link.
    const auto path = dataDir().prepareForWrite(kAuditLogFile);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) throwSystemIoError(kAuditLogFile);
    try {
        writeFully(fd, line.data(), line.size(), kAuditLogFile);
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) throwSystemIoError(kAuditLogFile);
}

std::vector<AuditEntry> readAuditLog() {
    std::vector<AuditEntry> out;
    for (const std::string& line : logLines()) {
        const auto parts = splitLine(line);
        const std::string body = parts ? parts->body : line;
        AuditEntry e;
        const auto t1 = body.find('\t'), t2 = t1 == std::string::npos ? t1 : body.find('\t', t1 + 1);
        e.when = body.substr(0, t1);
        if (t1 != std::string::npos) e.event = body.substr(t1 + 1, t2 == std::string::npos ? t2 : t2 - t1 - 1);
        if (t2 != std::string::npos) e.details = body.substr(t2 + 1);
        out.push_back(std::move(e));
    }
    return out;
}

std::optional<int> firstBrokenAuditLine() {
    if (sodium_init() < 0) throw IoError(kAuditLogFile, "libreria crittografica non disponibile");
    std::string previous = kFirstLink;
    const std::vector<std::string> lines = logLines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto parts = splitLine(lines[i]);
        if (!parts || sha256(previous + parts->body) != parts->chain) return static_cast<int>(i + 1);
        previous = parts->chain;
    }
    return std::nullopt;
}

std::string opaqueNumber() {
    if (sodium_init() < 0) throw IoError(kAuditLogFile, "libreria crittografica non disponibile");
    unsigned char bytes[8];
    randombytes_buf(bytes, sizeof bytes);
    return hex(bytes, sizeof bytes);
}

} // namespace qv::consultations
