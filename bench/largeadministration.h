#pragma once

#include <QString>

// The data folder of the large administration the benchmarks measure against, generated on
// first use into $BEHEER_BENCH_DIR (default bench-data beside the build's bench folder).
const QString &largeAdministration();
