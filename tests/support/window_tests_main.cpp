// The entry of the window tests' executable: "window_tests NAME [Qt Test
// options]" runs the test classes of the file NAME.cpp; with no name it
// lists them.
#include "tests/support/window_tests.h"

#include <QApplication>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace qv::test {

namespace {

std::multimap<std::string, WindowTestRun>& registry() {
    static std::multimap<std::string, WindowTestRun> tests;
    return tests;
}

} // namespace

bool registerWindowTest(const char* file, WindowTestRun run) {
    std::string name = file;
    if (const auto slash = name.find_last_of('/'); slash != std::string::npos) name.erase(0, slash + 1);
    if (const auto dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
    registry().emplace(name, run);
    return true;
}

} // namespace qv::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    const auto& tests = qv::test::registry();
    if (argc < 2 || tests.count(argv[1]) == 0) {
        std::fprintf(stderr, "usage: %s NAME [Qt Test options]; NAME is one of:\n", argv[0]);
        for (const auto& [name, run] : tests) std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    std::vector<char*> args = {argv[0]};
    args.insert(args.end(), argv + 2, argv + argc);
    int failures = 0;
    const auto [first, last] = tests.equal_range(argv[1]);
    for (auto it = first; it != last; ++it) failures += it->second(static_cast<int>(args.size()), args.data());
    return failures;
}
