#include "tests/support/temp_data_dir.h"

#include "base/data_dir.h"
#include "datatemplate/template_update.h"
#include "datatemplate/template_files.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace qv::test {

TempDataDir::TempDataDir(bool withTemplate) {
    std::string pattern = (std::filesystem::temp_directory_path() / "qv-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
    setDataDir(path_);
    if (withTemplate) installTemplate(dataDir(), dataTemplateDir());
}

TempDataDir::~TempDataDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path fixturesDir() { return QV_FIXTURES_DIR; }
std::filesystem::path dataTemplateDir() { return QV_DATA_TEMPLATE_DIR; }

} // namespace qv::test
