// Backup and restore of the personal archive BASE (its three files), its
// folder of subject texts and the consultation store Consulti.db to and
// from a folder "OrdelinxBck" on another drive. Here a drive is a mounted file system: removable media under
// /media, /run/media and /mnt, and the home folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qv {

inline constexpr const char* kBackupFolderName = "OrdelinxBck";
inline constexpr const char* kUndefinedBackupFolder = "?:\\OrdelinxBck";
inline constexpr const char* kLastBackupPath = "FileDum\\MMbakMod1.dum";

struct Drive {
    std::string label;              // as the list shows it
    std::filesystem::path root;
};

// The drives a backup can go to, the home folder first.
std::vector<Drive> availableDrives();

std::filesystem::path backupFolderOn(const std::filesystem::path& driveRoot);

// Writes the chosen backup folder as line 6 of the display settings. The
// other lines are carried over as they stand, so a value the typed reader
// would refuse (or a 0 taken as 1.0) neither blocks the choice nor changes.
void recordBackupFolder(const std::filesystem::path& backupFolder);

// "dd/mm/yyyy" of the last backup, or "Mai".
std::string lastBackupText();

// What a backup or restore did. `message` is set when the operation stopped
// before copying (to be shown in an information box).
struct BackupOutcome {
    bool copied = false;
    std::optional<std::string> message;
    int filesCopied = 0;
};

// Copies the last-backup date file, BASE.ST1/2/3, BASEtxt\* and Consulti.db
// to the backup folder (its DatiBase and BASEtxt are created when missing),
// then writes today's date as the last backup. Copy failures, and a damaged
// consultation store (never copied over a sound backup), raise IoError.
BackupOutcome runBackup(const std::optional<std::filesystem::path>& backupFolder);

// Checks before a restore: the message to show instead of asking, if any.
std::optional<std::string> restoreRefusal(const std::optional<std::filesystem::path>& backupFolder);
// Copies DatiBase\BASE.ST*, BASEtxt\* and Consulti.db back into the data
// directory; a damaged store in the backup raises IoError and nothing is
// restored.
BackupOutcome runRestore(const std::filesystem::path& backupFolder);

} // namespace qv
