// Updates of the remedy database from a removable medium: a mounted file
// system (or the home folder) that carries an "OpzioneH" folder at its top
// offers an update, dated by its newer record file. Installing copies every
// file of that folder into the local "OpzioneH": each copy is written beside
// its file, checked against the source byte for byte, given the source's
// modification time, and only when every file has been copied and checked
// are they renamed into place, so a failed or interrupted update leaves the
// installed database as it was.
#pragma once

#include "base/data_dir.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace qv::remedies {

inline constexpr const char* kUpdateFolder = "OpzioneH";
inline constexpr const char* kUpdateMarker = "OpzioneH\\AutoSet";

// The date of a database folder: that of the later of its two record files
// ("DBmain.rnd" and "Repertorio.rnd", names matched without regard to case;
// the primary database when both are equal). A missing file counts as the
// earliest time; with both missing the text is "Non Valida".
struct DatabaseDate {
    std::int64_t time = 0; // modification time in nanoseconds, 0 when missing
    std::string text;      // "dd/mm/yyyy hh:mm" or "Non Valida"
};
DatabaseDate databaseDate(const std::filesystem::path& folder);

// A folder that offers an update.
struct UpdateSource {
    std::filesystem::path medium; // the mount point (or the home folder)
    std::filesystem::path folder; // its "OpzioneH" folder
    DatabaseDate date;
};

// Where removable media appear: the mount points just under /media,
// /run/media and /mnt (and one level deeper, where the system puts them
// under the user's name), and the home folder.
std::vector<std::filesystem::path> mountCandidates(const std::vector<std::filesystem::path>& parents,
                                                   const std::filesystem::path& home);
std::vector<std::filesystem::path> defaultMountCandidates();

// The candidates that carry an "OpzioneH" folder at their top, in
// alphabetical order of their paths; the local database itself is never
// offered.
std::vector<UpdateSource> findUpdates(const std::vector<std::filesystem::path>& candidates, const DataDir& local);

struct UpdateResult {
    std::vector<std::string> copied;  // file names, as written
    std::vector<std::string> missing; // record files the update did not carry
    DatabaseDate installed;           // date of the local database afterwards
};

// Installs the update. `progress` receives bytes copied and bytes in all.
// Record files whose size is not a whole number of records are refused
// before anything is written. After a complete copy "OpzioneH\AutoSet"
// exists (the mark of an installed update).
UpdateResult installUpdate(const UpdateSource& source, const DataDir& local,
                           const std::function<void(std::uint64_t, std::uint64_t)>& progress = {});

} // namespace qv::remedies
