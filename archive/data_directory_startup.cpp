#include "archive/data_directory_startup.h"

#include "archive/archive_files.h"
#include "base/errors.h"

#include <system_error>

namespace qv {

PreparedDataDirectory prepareDataDirectory(const std::filesystem::path& root,
                                           const std::filesystem::path& templ) {
    PreparedDataDirectory out;
    std::error_code ec;
    std::filesystem::create_directories(root, ec);
    if (ec) throw IoError(root.string(), italianSystemReason(ec.value()));
    setDataDir(root);
    out.lock = std::make_unique<DataDirLock>(dataDir());
    if (!out.lock->acquired()) {
        out.lock.reset();
        out.refusal = "Quorendaville \xE8 gi\xE0 in uso su questa cartella dati (" + root.string() +
                      "): chiudere l'altra copia del programma.";
        return out;
    }
    out.templateFilesCopied = dataDir().installTemplate(templ);
    if (!archiveExists(kPersonalArchive)) {
        createPersonalArchive();
        out.personalArchiveCreated = true;
    }
    return out;
}

} // namespace qv
