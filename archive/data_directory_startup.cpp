#include "archive/data_directory_startup.h"

#include "archive/archive_files.h"
#include "datatemplate/template_update.h"
#include "base/cp1252.h"
#include "base/errors.h"

#include <cstdio>

#include <system_error>

namespace qv {

PreparedDataDirectory prepareDataDirectory(const std::filesystem::path& root,
                                           const std::filesystem::path& templ) {
    PreparedDataDirectory out;
    const bool readOnly = std::filesystem::exists(root) && DataDir(root).readOnly();
    if (!readOnly && secureDataDirRoot(root))
        std::fprintf(stderr, "Quorendaville: la cartella dati %s era leggibile da altri utenti, ora solo dal proprietario\n",
                     root.c_str());
    setDataDir(root);
    out.lock = std::make_unique<DataDirLock>(dataDir());
    if (!out.lock->acquired()) {
        out.lock.reset();
        out.refusal = "Quorendaville \xE8 gi\xE0 in uso su questa cartella dati (" + root.string() +
                      "): chiudere l'altra copia del programma.";
        return out;
    }
    // A read-only directory is read as it is: nothing could be put in it.
    if (readOnly) return out;
    out.update = updateFromTemplate(dataDir(), templ);
    out.templateFilesCopied = out.update.copied;
    const std::string notice = templateUpdateNotice(out.update);
    if (!notice.empty()) std::fprintf(stderr, "%s\n", cp1252ToUtf8(notice).c_str());
    if (!archiveExists(kPersonalArchive)) {
        createPersonalArchive();
        out.personalArchiveCreated = true;
    }
    return out;
}

} // namespace qv
