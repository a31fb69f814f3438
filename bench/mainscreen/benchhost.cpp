#include "benchhost.h"

#include <cstdio>

namespace kontavo::bench {

void BenchHost::createProgress() {
    std::fprintf(stderr, "progress:");
}

void BenchHost::setProgressText(const QString& text) {
    std::fprintf(stderr, " %s", qPrintable(text));
}

void BenchHost::stepProgress() {
    std::fprintf(stderr, ".");
}

void BenchHost::closeProgress() {
    std::fprintf(stderr, " done\n");
}

}  // namespace kontavo::bench
