// A plain driver for the fuzz targets when libFuzzer is not available: it
// runs each seed, then random mutations of the seeds (bytes changed, cut,
// repeated or set to extreme values) for the given number of seconds. A
// crash or a sanitizer report fails the run; so does an unexpected
// exception, which the target lets through.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
std::vector<std::string> qvFuzzSeeds();

namespace {

std::string mutate(std::string s, std::mt19937& rng) {
    auto pick = [&](std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    const int edits = 1 + static_cast<int>(pick(8));
    for (int e = 0; e < edits; ++e) {
        switch (pick(5)) {
        case 0:  // a random byte somewhere
            if (!s.empty()) s[pick(s.size())] = static_cast<char>(pick(256));
            break;
        case 1:  // an extreme byte (a length byte past its field)
            if (!s.empty()) s[pick(s.size())] = static_cast<char>(pick(2) ? 0xFF : 0x00);
            break;
        case 2:  // cut the tail
            s.resize(pick(s.size() + 1));
            break;
        case 3:  // a few bytes appended
            s.append(pick(16), static_cast<char>(pick(256)));
            break;
        default:  // a stretch repeated
            if (!s.empty()) {
                const std::size_t from = pick(s.size());
                s += s.substr(from, pick(600));
            }
        }
    }
    return s;
}

void run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    const std::vector<std::string> seeds = qvFuzzSeeds();
    for (const std::string& s : seeds) run(s);
    std::mt19937 rng(20261210);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long runs = 0;
    while (std::chrono::steady_clock::now() < end && !seeds.empty()) {
        run(mutate(seeds[runs % seeds.size()], rng));
        ++runs;
    }
    std::printf("%ld mutated inputs, no failure\n", runs);
    return 0;
}
