#include "display/qt_messages.h"

#include "base/cp1252.h"
#include "base/errors.h"

#include <QtGlobal>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <mutex>
#include <string>
#include <vector>

namespace qv {

namespace {

constexpr std::uintmax_t kLogLimit = 1 << 20;
constexpr std::size_t kKeptLimit = 500;

struct MessageLog {
    std::mutex mutex;
    bool verbose = false;
    bool installed = false;
    std::filesystem::path path;     // the log file, opened at the first message
    std::FILE* file = nullptr;
    bool refused = false;           // the file there is no log of ours
    std::vector<std::string> kept;  // before the log file is known
    std::size_t dropped = 0;
};

MessageLog& messageLog() {
    static MessageLog log;
    return log;
}

const char* kindOf(QtMsgType type) {
    switch (type) {
    case QtDebugMsg: return "debug";
    case QtInfoMsg: return "info";
    case QtWarningMsg: return "warning";
    case QtCriticalMsg: return "critical";
    case QtFatalMsg: return "fatal";
    }
    return "?";
}

// The log lies in the data directory, where, in a folder open to others,
// someone else may have put something in its place: a symbolic link (the
// messages would be appended to its target), a FIFO (opening it waits for
// a reader for ever) or a file of theirs. It is opened without following a
// link and without waiting, and kept only when it is a regular file of
// ours. Returns -1 with the reason otherwise.
int openLog(const std::filesystem::path& path, std::string& refusal) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        // A read-only data directory simply has no log: nothing to say.
        if (errno == EROFS) return -1;
        refusal = errno == ELOOP   ? "\xE8 un collegamento simbolico"
                  : errno == ENXIO ? "non \xE8 un file regolare"
                                   : italianSystemReason(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        refusal = !S_ISREG(st.st_mode) ? "non \xE8 un file regolare" : "appartiene a un altro utente";
        ::close(fd);
        return -1;
    }
    // Made by an older version, or by hand: the log is private like the
    // rest of the data directory.
    if ((st.st_mode & 077) != 0) ::fchmod(fd, 0600);
    if (static_cast<std::uintmax_t>(st.st_size) > kLogLimit) ::ftruncate(fd, 0);
    return fd;
}

// Opens the log file when it is known and messages wait for it; writes
// the waiting ones. Called with the mutex held.
void flushToLog(MessageLog& log) {
    if (log.path.empty() || (log.kept.empty() && !log.dropped)) return;
    if (log.refused) {
        log.kept.clear();
        log.dropped = 0;
        return;
    }
    if (!log.file) {
        std::string refusal;
        const int fd = openLog(log.path, refusal);
        if (fd >= 0) log.file = ::fdopen(fd, "a");
        if (fd >= 0 && !log.file) {
            refusal = italianSystemReason(errno);
            ::close(fd);
        }
        if (!log.file) {
            // Said once; the program goes on without the log.
            log.refused = true;
            log.kept.clear();
            log.dropped = 0;
            if (!refusal.empty())
                std::fprintf(stderr, "%s\n",
                         mixedToUtf8("Il registro dei messaggi \"" + log.path.string() + "\" non viene usato: " +
                                     refusal)
                             .c_str());
            return;
        }
    }
    for (const std::string& line : log.kept) std::fprintf(log.file, "%s\n", line.c_str());
    if (log.dropped) std::fprintf(log.file, "(%zu messaggi non registrati)\n", log.dropped);
    log.kept.clear();
    log.dropped = 0;
    std::fflush(log.file);
}

void handleQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    std::string line = std::string(kindOf(type)) + ": ";
    if (context.category && std::string(context.category) != "default") line += std::string(context.category) + ": ";
    line += text.toStdString();
    MessageLog& log = messageLog();
    {
        const std::lock_guard<std::mutex> hold(log.mutex);
        if (log.verbose) std::fprintf(stderr, "%s\n", line.c_str());
        if (log.kept.size() < kKeptLimit)
            log.kept.push_back(line);
        else
            ++log.dropped;
        flushToLog(log);
    }
    if (type == QtFatalMsg) std::abort();
}

} // namespace

void installQtMessageLog(bool verbose) {
    MessageLog& log = messageLog();
    const std::lock_guard<std::mutex> hold(log.mutex);
    log.verbose = verbose;
    if (log.installed) return;
    log.installed = true;
    qInstallMessageHandler(handleQtMessage);
}

void setQtMessageLogFile(const std::filesystem::path& file) {
    MessageLog& log = messageLog();
    const std::lock_guard<std::mutex> hold(log.mutex);
    if (log.file && file != log.path) {
        std::fclose(log.file);
        log.file = nullptr;
    }
    if (file != log.path) log.refused = false;
    log.path = file;
    flushToLog(log);
}

std::filesystem::path qtMessageLogIn(const std::filesystem::path& dataDirRoot) {
    return dataDirRoot / "MessaggiQt.log";
}

} // namespace qv
