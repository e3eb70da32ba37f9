// The driver of the fuzz targets when libFuzzer is not available (gcc). It
// keeps a corpus: the seeds first, then every mutation that reached code no
// input reached before (when the code is built with
// -fsanitize-coverage=trace-pc, as the sanitized fuzz build is) or that
// gave a reader outcome not seen before (fuzz_outcome.h). Each run mutates
// an input of the corpus, so an input that got past one check is the base
// of the next attempt. A crash, a sanitizer report or an exception the
// target lets through fails the run; the input that did it is written to
// qv-fuzz-failure.bin in the working folder first.
//
//   fuzz_<format> [SECONDS [CORPUS_FOLDER]]
//
// With a corpus folder, its files are added to the seeds and the inputs kept
// are written there, so a long run can continue where the last one stopped.
#include "tests/fuzz/fuzz_outcome.h"


#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>
#include <unordered_set>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
std::vector<std::string> qvFuzzSeeds();

// The sanitizers' hook for their last word, when a sanitizer is linked in.
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace {

// Code reached: one bit per (previous block, block) pair, hashed.
constexpr std::size_t kCoverageSlots = 1 << 18;
unsigned char coverageSeen[kCoverageSlots];
bool collecting = false;
bool reachedNewCode = false;
std::uintptr_t previousBlock = 0;

} // namespace

// Called at the start of each basic block of the code built with
// -fsanitize-coverage=trace-pc; never instrumented itself.
extern "C" __attribute__((no_sanitize_coverage)) void __sanitizer_cov_trace_pc() {
    if (!collecting) return;
    const auto block = reinterpret_cast<std::uintptr_t>(__builtin_return_address(0));
    const std::size_t slot = ((block * 0x9E3779B97F4A7C15ull) ^ previousBlock) & (kCoverageSlots - 1);
    previousBlock = block >> 1;
    if (!coverageSeen[slot]) {
        coverageSeen[slot] = 1;
        reachedNewCode = true;
    }
}

namespace {

// The input being run, for the failure report.
const std::string* currentInput = nullptr;

void writeFailingInput() {
    if (!currentInput) return;
    const int fd = ::open("qv-fuzz-failure.bin", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    const char* p = currentInput->data();
    std::size_t left = currentInput->size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n <= 0) break;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    ::close(fd);
    static const char note[] = "fuzz: the failing input is in qv-fuzz-failure.bin\n";
    (void)!::write(2, note, sizeof note - 1);
}

void onFatalSignal(int sig) {
    writeFailingInput();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// Values that sit on the edges of what readers check: lengths, counts,
// signed limits, the half-turn limit of the daily corrections.
constexpr std::uint32_t kEdgeValues[] = {0,          1,          0x7F,       0x80,       0xFF,      0x7FFF,
                                         0x8000,     0xFFFF,     648000,     648001,     0x7FFFFFFF, 0x80000000,
                                         0xFFFFFFFF, 0xFFFFFFFE, 21600,      21601};

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : rng_(seed) {}

    std::size_t pick(std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }

    std::string mutate(std::string s, const std::vector<std::string>& corpus) {
        const int edits = 1 + static_cast<int>(pick(4));
        for (int e = 0; e < edits; ++e) edit(s, corpus);
        if (s.size() > maxSize_) s.resize(maxSize_);
        return s;
    }

    void limitSize(std::size_t bytes) { maxSize_ = bytes; }

private:
    void edit(std::string& s, const std::vector<std::string>& corpus) {
        switch (pick(9)) {
        case 0: // a random byte somewhere
            if (!s.empty()) s[pick(s.size())] = static_cast<char>(pick(256));
            break;
        case 1: // one bit flipped
            if (!s.empty()) s[pick(s.size())] ^= static_cast<char>(1 << pick(8));
            break;
        case 2: // a small step up or down of a byte (a value one past a limit)
            if (!s.empty()) s[pick(s.size())] += static_cast<char>(pick(2) ? 1 : -1);
            break;
        case 3: { // an edge value written over 1, 2 or 4 bytes
            if (s.empty()) break;
            const std::uint32_t v = kEdgeValues[pick(std::size(kEdgeValues))];
            const std::size_t width = std::size_t{1} << pick(3);
            const std::size_t at = pick(s.size());
            for (std::size_t i = 0; i < width && at + i < s.size(); ++i) s[at + i] = static_cast<char>(v >> (8 * i));
            break;
        }
        case 4: // cut the tail
            s.resize(pick(s.size() + 1));
            break;
        case 5: // a few bytes appended
            s.append(pick(16), static_cast<char>(pick(256)));
            break;
        case 6: // a stretch repeated
            if (!s.empty()) {
                const std::size_t from = pick(s.size());
                s += s.substr(from, pick(600));
            }
            break;
        case 7: // a stretch removed from the middle
            if (!s.empty()) {
                const std::size_t from = pick(s.size());
                s.erase(from, pick(64));
            }
            break;
        default: { // the tail of another input of the corpus spliced on
            const std::string& other = corpus[pick(corpus.size())];
            if (other.empty()) break;
            s.resize(pick(s.size() + 1));
            s += other.substr(pick(other.size()));
        }
        }
    }

    std::mt19937 rng_;
    std::size_t maxSize_ = 1 << 20;
};

class Driver {
public:
    explicit Driver(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // Runs one input and keeps it when it reached new code or gave a new
    // outcome; true when kept.
    bool run(const std::string& input) {
        qv::fuzz::lastOutcome.clear();
        reachedNewCode = false;
        previousBlock = 0;
        currentInput = &input;
        collecting = true;
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
        collecting = false;
        currentInput = nullptr;
        ++runs_;
        const bool newOutcome = outcomes_.insert(qv::fuzz::lastOutcome).second;
        if (!reachedNewCode && !newOutcome) return false;
        if (reachedNewCode) ++keptForCode_;
        else ++keptForOutcome_;
        corpus_.push_back(input);
        if (!folder_.empty()) {
            char name[32];
            std::snprintf(name, sizeof name, "%016zx.bin", std::hash<std::string>{}(input));
            std::ofstream(folder_ / name, std::ios::binary) << input;
        }
        return true;
    }

    const std::vector<std::string>& corpus() const { return corpus_; }
    long runs() const { return runs_; }
    long keptForCode() const { return keptForCode_; }
    long keptForOutcome() const { return keptForOutcome_; }
    std::size_t outcomes() const { return outcomes_.size(); }

private:
    std::filesystem::path folder_;
    std::vector<std::string> corpus_;
    std::unordered_set<std::string> outcomes_;
    long runs_ = 0;
    long keptForCode_ = 0;
    long keptForOutcome_ = 0;
};

std::vector<std::string> corpusFolderInputs(const std::filesystem::path& folder) {
    std::vector<std::string> inputs;
    if (folder.empty()) return inputs;
    std::filesystem::create_directories(folder);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return inputs;
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    const std::filesystem::path folder = argc > 2 ? argv[2] : "";
    for (const int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL}) std::signal(sig, onFatalSignal);
    if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(writeFailingInput);

    std::vector<std::string> seeds = qvFuzzSeeds();
    const std::vector<std::string> stored = corpusFolderInputs(folder);
    Driver driver(folder.empty() ? folder : folder / "new");
    if (!folder.empty()) std::filesystem::create_directories(folder / "new");
    std::size_t largest = 0;
    for (const std::string& s : seeds) largest = std::max(largest, s.size());
    for (const std::string& s : seeds) driver.run(s);
    for (const std::string& s : stored) driver.run(s);
    if (driver.corpus().empty()) {
        std::printf("no seed\n");
        return 1;
    }
    const long seedRuns = driver.runs();
    const long seedsForCode = driver.keptForCode();
    const long seedsForOutcome = driver.keptForOutcome();

    Mutator mutator(20261210);
    mutator.limitSize(2 * largest + 4096);
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        const std::vector<std::string>& corpus = driver.corpus();
        // Newer inputs got further: they are picked as often as all the rest.
        const std::size_t n = corpus.size();
        const std::size_t base = mutator.pick(2) ? n - 1 - mutator.pick(std::min<std::size_t>(n, 8)) : mutator.pick(n);
        driver.run(mutator.mutate(corpus[base], corpus));
    }
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long mutated = driver.runs() - seedRuns;
    std::printf("%ld mutated inputs in %.1f s (%.0f a second); corpus %zu (%zu from %ld seeds, then %ld kept for new "
                "code, %ld for a new outcome); %zu outcomes; no failure\n",
                mutated, elapsed, elapsed > 0 ? static_cast<double>(mutated) / elapsed : 0.0, driver.corpus().size(),
                static_cast<std::size_t>(seedsForCode + seedsForOutcome), seedRuns, driver.keptForCode() - seedsForCode,
                driver.keptForOutcome() - seedsForOutcome, driver.outcomes());
    return 0;
}
