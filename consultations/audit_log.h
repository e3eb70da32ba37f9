// The record of what left the program: exports, erasures, reports printed,
// backups and restores. One line an event in "Registro.log" of the data
// directory, its owner's only; each line carries the SHA-256 of the line
// before it with its own text, so a line removed, edited or moved breaks
// the chain from there on. No line names a person: a subject is told by
// the store's number, an erasure by an opaque number of its own that the
// practitioner's receipt repeats.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qv::consultations {

inline constexpr const char* kAuditLogFile = "Registro.log";

// Appends an event ("esportazione", "cancellazione", "relazione", …) with
// its details (Windows-1252; tabs and line ends become blanks).
void recordAuditEvent(const std::string& event, const std::string& details);

struct AuditEntry {
    std::string when;  // "2026-12-11 10:34:17"
    std::string event;
    std::string details;
};
std::vector<AuditEntry> readAuditLog();

// The first line whose chain does not hold (1 = the first line), or
// nothing when every line follows from the one before.
std::optional<int> firstBrokenAuditLine();

// A number for an erasure that names no one: random, 16 hex digits.
std::string opaqueNumber();

} // namespace qv::consultations
