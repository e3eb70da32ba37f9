// The first start fills an empty data directory from the shipped template.
// Killed at any moment of that copy, the directory it leaves must be
// completed by the next start: every program file whole and equal to the
// template's, no half-copied table, no temporary file left behind.
#include "base/text_file.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace first_start_test {

namespace fs = std::filesystem;

const std::vector<std::string> kChart = {"chart", "--date", "01/01/1990", "--time", "12:00", "--corr", "-1",
                                         "--coords", "45N28-009E11"};

// Starts the command line on `dataDir`.
pid_t startChart(const fs::path& dataDir) {
    std::vector<std::string> args = {QV_CLI_PATH};
    args.insert(args.end(), kChart.begin(), kChart.end());
    args.push_back("--data-dir");
    args.push_back(dataDir.string());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    return failed ? -1 : pid;
}

// Starts the command line on `dataDir` and kills it after `delay`.
void startAndKill(const fs::path& dataDir, std::chrono::microseconds delay) {
    const pid_t pid = startChart(dataDir);
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(delay);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

// How long a whole first start takes on this machine now.
std::chrono::microseconds firstStartDuration(const fs::path& dataDir) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = startChart(dataDir);
    int status = 0;
    if (pid > 0) ::waitpid(pid, &status, 0);
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
}

bool isTemporaryName(const std::string& name) {
    return (name.size() > 8 && name[0] == '.' && name[name.size() - 7] == '.') || name.find(".tmp~") != std::string::npos;
}

// The program files the template lists: data path (with "/") and size.
std::vector<std::pair<std::string, std::uintmax_t>> manifest() {
    std::vector<std::pair<std::string, std::uintmax_t>> files;
    std::ifstream in(qv::test::dataTemplateDir() / "MANIFEST");
    std::string line;
    while (std::getline(in, line)) {
        // "D ..." and "P ..." lines list the remedy databases, user files.
        if (line.size() > 2 && (line[0] == 'D' || line[0] == 'P') && line[1] == ' ') continue;
        std::istringstream fields(line);
        std::string crc, path;
        std::uintmax_t size = 0;
        fields >> crc >> size;
        std::getline(fields >> std::ws, path);
        while (!path.empty() && (path.back() == '\r' || path.back() == '\n')) path.pop_back();
        for (char& c : path)
            if (c == '\\') c = '/';
        files.emplace_back(path, size);
    }
    return files;
}

// A kill counts only when it fell in the middle of the copy: some program
// files there and some not, or a file still under its temporary name. The
// fixed delays come first; while none of them fell in the middle (a machine
// much faster or slower than expected), delays spread over the measured
// length of a whole first start are tried, and the test fails if none ever
// does, since it would then have proved nothing.
TEST(FirstStart, KilledAnywhereTheNextStartCompletesIt) {
    const auto files = manifest();
    ASSERT_GT(files.size(), 100u);
    qv::test::TempDataDir root;
    int killedMidway = 0;
    int attempt = 0;
    const auto killAndCheck = [&](std::chrono::microseconds delay) {
        const fs::path data = root.path() / ("dati" + std::to_string(attempt++));
        const std::string when = "killed after " + std::to_string(delay.count()) + " us";
        startAndKill(data, delay);
        int present = 0;
        for (const auto& [path, size] : files) present += fs::exists(data / path) ? 1 : 0;
        bool temporary = false;
        if (fs::exists(data))
            for (const auto& entry : fs::recursive_directory_iterator(data))
                temporary = temporary || isTemporaryName(entry.path().filename().string());
        if ((present > 0 && present < static_cast<int>(files.size())) || temporary) ++killedMidway;

        std::string args;
        for (const std::string& a : kChart) args += a + " ";
        const qv::test::CliRun r = qv::test::runCli(QV_CLI_PATH, args + "--data-dir " + data.string());
        ASSERT_EQ(r.status, 0) << when << ": " << r.out;
        for (const auto& [path, size] : files) {
            ASSERT_TRUE(fs::exists(data / path)) << path << " " << when;
            EXPECT_EQ(qv::readWholeFile(data / path), qv::readWholeFile(qv::test::dataTemplateDir() / path))
                << path << " " << when;
        }
        for (const auto& entry : fs::recursive_directory_iterator(data))
            EXPECT_FALSE(isTemporaryName(entry.path().filename().string()))
                << "temporary file left: " << entry.path() << " " << when;
    };
    for (int ms : {0, 10, 40, 100, 200, 350, 600, 900}) {
        killAndCheck(std::chrono::milliseconds(ms));
        if (HasFatalFailure()) return;
    }
    const std::chrono::microseconds whole = firstStartDuration(root.path() / "intera");
    for (int k = 0; k < 40 && killedMidway == 0; ++k) {
        // Fractions 1/20 .. 19/20 of a whole start, in a scattered order.
        const long fraction = 1 + (k * 7) % 19;
        killAndCheck(std::chrono::microseconds(whole.count() * fraction / 20));
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(killedMidway, 0) << "no kill fell in the middle of the copy (a whole first start takes "
                               << whole.count() << " us); the test proved nothing";
}

} // namespace first_start_test
