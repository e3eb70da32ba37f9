// The mechanics every writer of the data directory shares: a temporary file
// beside the target under a name no other writer uses at the same time,
// writes that never stop short without an error, and a seam that makes
// writing fail as on a full disk, for tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace qv {

// ".NAME.PID.NNNNNN.tmp~" beside `target`: the process id and a counter of
// this process keep two writers of the same file (two commands run at once)
// off each other's temporary file, and let a later start tell a file
// abandoned by a killed process from one being written now.
std::filesystem::path uniqueTemporaryBeside(const std::filesystem::path& target);

// Creates a new temporary file beside `target` (never one that exists) and
// returns its descriptor, with its name in `temp`; -1 with errno set when
// the folder takes no new file.
int createTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& temp);

// Writes all `size` bytes to `fd`, or raises IoError naming `shownName`
// with the system's reason (a short write on a full disk is ENOSPC).
void writeFully(int fd, const void* data, std::size_t size, const std::string& shownName);
// The same at offset `at` (pwrite), for record files written in place.
void writeFullyAt(int fd, const void* data, std::size_t size, std::int64_t at, const std::string& shownName);

// A seam for tests: after `bytes` more bytes written through writeFully or
// writeFullyAt, writing fails as on a full disk (the bytes up to the limit
// reach the file). A negative value removes the limit.
void setWriteFailureAfter(std::int64_t bytes);

// Flushes a folder's entries (a rename into it) to the disk, as far as the
// file system allows.
void syncFolder(const std::filesystem::path& folder);

} // namespace qv
