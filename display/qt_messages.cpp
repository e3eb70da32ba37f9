#include "display/qt_messages.h"

#include <QtGlobal>
#include <QString>

#include <cstdio>
#include <mutex>
#include <string>
#include <system_error>
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

// Opens the log file when it is known and messages wait for it; writes
// the waiting ones. Called with the mutex held.
void flushToLog(MessageLog& log) {
    if (log.path.empty() || (log.kept.empty() && !log.dropped)) return;
    if (!log.file) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(log.path, ec);
        log.file = std::fopen(log.path.c_str(), !ec && size > kLogLimit ? "we" : "ae");
        if (!log.file) return;  // no log: the messages wait, up to the limit
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
    log.path = file;
    flushToLog(log);
}

std::filesystem::path qtMessageLogIn(const std::filesystem::path& dataDirRoot) {
    return dataDirRoot / "MessaggiQt.log";
}

} // namespace qv
