// The points of the daily ET0 chart: in order of date, and no more of them
// than the chart's pixels can show.

// The points (xs: seconds, whole days; ys) in order of date: in the file's
// order when it already is, else counted into place by day (a stable sort
// in one pass), or sorted when the days span far more than the points.
export function byDate(xs, ys) {
  const n = xs.length;
  let ordered = true;
  for (let i = 1; i < n && ordered; ++i) ordered = xs[i - 1] <= xs[i];
  if (ordered) return [xs, ys];
  let low = Infinity, high = -Infinity;
  for (const x of xs) low = Math.min(low, x), high = Math.max(high, x);
  const days = Math.round((high - low) / 86400) + 1;
  const sx = new Float64Array(n), sy = new Float64Array(n);
  if (days > 4 * n) {
    const order = [...xs.keys()].sort((a, b) => xs[a] - xs[b] || a - b);
    order.forEach((i, j) => { sx[j] = xs[i]; sy[j] = ys[i]; });
    return [sx, sy];
  }
  const next = new Uint32Array(days + 1);  // where each day's points go
  for (const x of xs) ++next[Math.round((x - low) / 86400) + 1];
  for (let d = 1; d <= days; ++d) next[d] += next[d - 1];
  for (let i = 0; i < n; ++i) {
    const j = next[Math.round((xs[i] - low) / 86400)]++;
    sx[j] = xs[i];
    sy[j] = ys[i];
  }
  return [sx, sy];
}

// Ordered points thinned to what a line `columns` pixels wide draws: of each
// column's points, the first, the last, the lowest and the highest, in
// order (the line drawn is the same); all of them when they are few.
export function thinned(xs, ys, columns) {
  const n = xs.length;
  if (n <= 4 * columns) return [xs, ys];
  const x0 = xs[0], span = xs[n - 1] - x0 || 1;
  const kept = [];
  for (let i = 0; i < n;) {
    const column = Math.min(columns - 1, Math.floor((xs[i] - x0) / span * columns));
    let last = i, low = i, high = i;
    for (let j = i + 1; j < n && Math.min(columns - 1, Math.floor((xs[j] - x0) / span * columns)) === column; ++j) {
      last = j;
      if (ys[j] < ys[low]) low = j;
      if (ys[j] > ys[high]) high = j;
    }
    for (const k of [...new Set([i, low, high, last])].sort((a, b) => a - b)) kept.push(k);
    i = last + 1;
  }
  return [Float64Array.from(kept, (k) => xs[k]), Float64Array.from(kept, (k) => ys[k])];
}
