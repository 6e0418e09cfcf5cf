// The batch: CSV rows in, the same rows out with every quantity of their
// uniform flow (report) added and an error column, streaming in constant
// memory. A header that names B, h, m, i and n only is the first edition's
// (the plain SI trapezoid); one that names any of section, units, m1, m2,
// n-bed, n-wall or points describes each row's channel as solve's options do,
// D, r and p among them, an empty cell counting as left out; with a points
// column a row may give its water level wse instead of h, and the results add
// wse, K, alpha and every critical depth. A row that cannot be computed keeps
// its place, with its reason in the error column (or key).
#pragma once

#include "calc/services/csv_reader.h"
#include "calc/toolkit/answer_writers.h"

namespace channelflow::calc {

struct BatchOptions {
  BatchOptions() { write.fields = FieldStyle::Column; }
  WriteOptions write;
  bool json = false;  // one JSON object a row instead of CSV
};

struct BatchCount {
  long rows = 0;
  long failed = 0;  // rows with an error
};

// Runs the batch. Throws CalcError for the whole batch: a header that cannot
// be read, a column missing or named twice (each naming the field "csv"), or
// input that could not be read (after writing every row read before it).
// Output failures are left for the caller to find on `out`.
BatchCount runBatch(ByteSource& in, TextSink& out, const BatchOptions& options);

}  // namespace channelflow::calc
