#include "timing/roots.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::timing {
namespace {

TEST(HalfTurn, WrapsIntoHalfATurnEitherSide) {
    const std::pair<Extended, Extended> cases[] = {{0, 0}, {180, -180}, {-180, -180}, {190, -170}, {-190, 170},
                                                   {359.5L, -0.5L}, {720.25L, 0.25L}, {-0.25L, -0.25L}};
    for (auto [x, expected] : cases) EXPECT_NEAR(static_cast<double>(halfTurn(x)), static_cast<double>(expected), 1e-12);
}

TEST(BracketedRoot, FindsTheRootOfSmoothAndAwkwardFunctions) {
    struct Case {
        const char* what;
        Extended (*f)(Extended);
        Extended a, b, root;
    };
    const Case cases[] = {
        {"line", [](Extended x) { return 2 * x - 3; }, 0, 10, 1.5L},
        {"cosine", [](Extended x) { return std::cos(x); }, 0, 3, 1.5707963267948966L},
        // Flat near the root: regula falsi alone would crawl from one side.
        {"cube", [](Extended x) { return (x - 0.3L) * (x - 0.3L) * (x - 0.3L); }, -5, 1, 0.3L},
        // A step: no smoothness at all, the bisection guard still ends.
        {"step", [](Extended x) { return x < 0.7L ? Extended(-1) : Extended(1); }, 0, 1, 0.7L},
    };
    for (const Case& c : cases) {
        int calls = 0;
        auto f = [&](Extended x) { ++calls; return c.f(x); };
        const Extended r = bracketedRoot(f, c.a, c.b, c.f(c.a), c.f(c.b), 1e-9L);
        EXPECT_NEAR(static_cast<double>(r), static_cast<double>(c.root), 2e-9) << c.what;
        EXPECT_LT(calls, 200) << c.what;
    }
}

TEST(BracketedRoot, AnEndThatIsARootIsReturned) {
    auto f = [](Extended x) { return x - 2; };
    EXPECT_EQ(bracketedRoot(f, 2, 5, 0, 3), 2);
    EXPECT_EQ(bracketedRoot(f, -1, 2, -3, 0), 2);
}

} // namespace
} // namespace qv::timing
