// Standard output is a file like any other: what a command prints there (a
// chart, a list of consultations a script saves) must reach it, or the
// command fails. A disk that fills up, a closed output or a broken device
// turns into an Italian message on standard error and a non-zero exit,
// never into a success with an empty file.
#pragma once

#include <array>
#include <ostream>
#include <streambuf>

namespace qv::cli {

// While it lives, std::cout writes through it straight to file descriptor
// 1, and the first failure of a write is kept with its reason (errno).
class CheckedStandardOutput : public std::streambuf {
public:
    CheckedStandardOutput();
    ~CheckedStandardOutput() override;
    CheckedStandardOutput(const CheckedStandardOutput&) = delete;
    CheckedStandardOutput& operator=(const CheckedStandardOutput&) = delete;

    // Writes what is still buffered. 0 when everything printed reached the
    // file, otherwise the errno of the first write that failed.
    int finish();

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool drain();

    std::array<char, 1 << 16> buffer_{};
    std::streambuf* replaced_ = nullptr;
    int error_ = 0;
};

// The command's exit status once its output is checked: `status` when
// everything printed reached standard output; otherwise a message on `err`
// naming the reason, and a failure status (the command's own when it had
// already failed).
int checkedExit(int status, CheckedStandardOutput& out, std::ostream& err);

} // namespace qv::cli
