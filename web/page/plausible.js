// What a station's readings can be, in the add-in's units, after FAO 56
// (chapter 3 and Annex 5) and the ASCE-EWRI standardized equation's quality
// checks: the range of a column's median, outside which the column cannot be
// in the unit chosen (computing is blocked, and the units that would fit are
// named), and the range of a single reading, outside which its day is listed
// as doubtful (computed, but said).
import { INPUTS, UNITS, UNIT_OF, convertNumber, unitOf } from "./et0.js";

const HUMIDITY = { median: [5, 100], single: [0, 100] };
export const RANGES = {
  tmax: { median: [-30, 50], single: [-60, 60] },
  tmin: { median: [-45, 35], single: [-70, 45] },
  troc: { median: [-45, 35], single: [-70, 40] },
  hrmax: HUMIDITY, hrmin: HUMIDITY, hrmed: HUMIDITY,
  pv: { median: [0.05, 6], single: [0, 8] },                // kPa
  rs: { median: [1, 35], single: [0, Infinity] },           // MJ/m²/d; a day's single bound is its Ra
  viento: { median: [0, 10], single: [0, 30] },             // m/s at the anemometer
  heHoras: { median: [0, 16], single: [0, 24] },            // hours of sunshine
  hePorcentaje: { median: [0, 100], single: [0, 100] },
};
// An ET0 no climate gives (mm/d).
export const ET0_LIMIT = 15;

const inside = ([low, high], x) => x >= low && x <= high;

function median(values) {
  const sorted = Float64Array.from(values).sort();
  const n = sorted.length;
  return n === 0 ? NaN : n % 2 ? sorted[(n - 1) / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

// The key of RANGES for an input under the choices.
export const rangeKey = (input, o) => input !== "he" ? input : o.radiation === "horas" ? "heHoras" : "hePorcentaje";

// The columns whose median cannot be right in the unit chosen: for each, the
// input, its median (in the file's unit) and the units in which it would fit.
// `raw(input)`: the column's numbers as read.
export function implausibleColumns(inputs, units, o, raw) {
  const found = [];
  for (const input of inputs) {
    const range = RANGES[rangeKey(input, o)];
    const values = raw(input);
    if (!range || values.length === 0) continue;
    const m = median(values);
    const unit = unitOf(input, units[input]);
    if (inside(range.median, unit ? convertNumber(unit, m) : m)) continue;
    const fitting = UNIT_OF[input] ? UNITS[UNIT_OF[input]].filter((u) => inside(range.median, convertNumber(u, m))) : [];
    found.push({ input, median: m, fitting });
  }
  return found;
}

// Why a row's readings are doubtful ("" when they are not): `value(input)`
// gives the row's reading in the add-in's unit (NaN when it has none), `ra`
// the day's extraterrestrial radiation, `et0` its result; `ea` and `es` (when
// given) the vapour pressure the formula takes and the saturation vapour
// pressure of the day (eq. 12), in kPa.  An empty reading is NaN, and is
// compared with nothing.
export function doubtful(inputs, o, value, ra, et0, show, { ea = NaN, es = NaN } = {}) {
  const causes = [];
  const tmax = value("tmax"), tmin = value("tmin");
  if (tmin > tmax) causes.push(`Tmín ${show(tmin)} > Tmáx ${show(tmax)}`);
  // ea above es: a relative humidity above 100 %, whose deficit ETPF56 takes as 0.
  if (ea > es) causes.push(`ea ${show(ea)} kPa > es ${show(es)} kPa (HR ${show(100 * ea / es)} %; el déficit se toma como 0)`);
  for (const input of inputs) {
    const x = value(input), range = RANGES[rangeKey(input, o)];
    if (!range || Number.isNaN(x)) continue;
    if (input === "rs") {
      if (x > ra) causes.push(`Rs ${show(x)} > Ra ${show(ra)} MJ/m²/d`);
      else if (x < 0) causes.push(`Rs ${show(x)} negativa`);
    } else if (!inside(range.single, x)) {
      causes.push(`${INPUTS[input]} ${show(x)} fuera de ${show(range.single[0])} a ${show(range.single[1])}`);
    }
  }
  if (et0 > ET0_LIMIT) causes.push(`ET0 ${show(et0)} mm/d, más de lo que da un clima`);
  return causes.join("; ");
}
