#include "shell/cli/standard_output.h"

#include "base/cp1252.h"
#include "base/errors.h"
#include "shell/cli/cli_support.h"

#include <cerrno>
#include <iostream>
#include <unistd.h>

namespace qv::cli {

CheckedStandardOutput::CheckedStandardOutput() {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    replaced_ = std::cout.rdbuf(this);
}

CheckedStandardOutput::~CheckedStandardOutput() {
    drain();
    std::cout.rdbuf(replaced_);
}

bool CheckedStandardOutput::drain() {
    const char* next = pbase();
    const char* const end = pptr();
    // After a failure nothing more is written: a later write that happened
    // to succeed would leave a file with a hole in the middle.
    while (error_ == 0 && next < end) {
        const ssize_t n = ::write(STDOUT_FILENO, next, static_cast<std::size_t>(end - next));
        if (n < 0) {
            if (errno == EINTR) continue;
            error_ = errno;
        } else if (n == 0) {
            error_ = EIO;
        } else {
            next += n;
        }
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
}

CheckedStandardOutput::int_type CheckedStandardOutput::overflow(int_type c) {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int CheckedStandardOutput::sync() { return drain() ? 0 : -1; }

int CheckedStandardOutput::finish() {
    std::cout.flush();
    drain();
    return error_;
}

namespace {

// Run with its output closed (">&-"), a command writes to no file at all.
std::string reasonOf(int error) {
    if (error == EBADF) return "lo standard output \xE8 chiuso";
    return italianSystemReason(error);
}

} // namespace

int checkedExit(int status, CheckedStandardOutput& out, std::ostream& err) {
    const int error = out.finish();
    if (error == 0) return status;
    err << cp1252ToUtf8("Errore di scrittura sullo standard output: " + reasonOf(error)) << "\n";
    err.flush();
    return status == kExitOk ? kExitFailure : status;
}

} // namespace qv::cli
