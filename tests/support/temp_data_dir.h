// A fresh data directory for one test, removed afterwards.
#pragma once

#include <filesystem>

namespace qv::test {

class TempDataDir {
public:
    // With `withTemplate`, the shipped data template is copied in.
    explicit TempDataDir(bool withTemplate = false);
    ~TempDataDir();
    TempDataDir(const TempDataDir&) = delete;
    TempDataDir& operator=(const TempDataDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::filesystem::path fixturesDir();
std::filesystem::path dataTemplateDir();

} // namespace qv::test
