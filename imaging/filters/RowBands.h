// Work over the rows of a picture split into bands run side by side, on worker threads
// kept for the process (starting a thread under Wine costs about as much as a large band).
//   const int n = rowbands::bandsFor(0, int64_t(w) * h, h);
//   bool ok = rowbands::run(h, n, [&](int y0, int y1) { return doRows(y0, y1); });
// Every row is done exactly once whatever the number of bands, so a result that does not
// depend on the order of the rows comes out the same on any number of threads.
#pragma once

#include <cstdint>
#include <functional>

namespace s::image::filters::rowbands {

// How many bands a work of this size is worth: `requested` (1 for one), or with 0 the
// processor count (at most 8) when the work is about a megapixel or more, else 1.
int bandsFor(int requested, int64_t work, int rows);

// Band k of n over `rows` rows starts at rows * k / n.
inline int bandStart(int rows, int k, int n) { return int(int64_t(rows) * k / n); }

// Runs fn(y0, y1) for the n bands of `rows` rows, the calling thread taking bands too;
// true when every call answered true. With n of 1, or while the workers serve another
// run, the calling thread does every band itself.
bool run(int rows, int n, const std::function<bool(int, int)>& fn);

}  // namespace s::image::filters::rowbands
