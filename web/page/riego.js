// Crop water requirements and irrigation, FAO 56 chapters 6 to 8 with the
// single crop coefficient, as formulas filled down a station's daily rows
// beside their ET0 (the column "et0"), one added column each:
//   kc           eq. 66: Kc ini through the initial stage, rising linearly
//                through development to Kc mid, Kc mid through mid-season,
//                falling linearly through late season to Kc end; day 1 of
//                the season is its first day;
//   etc          ETc = Kc ET0 (eq. 56, 58);
//   taw          TAW = 1000 (θFC − θWP) Zr (eq. 82);
//   raw          RAW = p TAW (eq. 83), p = p(Table 22) + 0.04 (5 − ETc)
//                within 0.1 to 0.8 when adjusted;
//   ks           eq. 84 from the depletion at the start of the day;
//   etc_aj       ETc adj = Ks Kc ET0 (eq. 81);
//   riego_neto   on a day whose depletion after its rain, max(0, Dr,i−1 −
//                (P − RO)), reaches the threshold: refill to field
//                capacity, or a fixed net depth;
//   riego_bruto  the net depth over the application efficiency;
//   percolacion  DP = max(0, P − RO + I − Dr,i−1) (eq. 88);
//   dr           Dr,i = min(TAW, max(0, Dr,i−1 − (P − RO) − I) + ETc adj)
//                (eq. 85, 86), rain and irrigation early in the day (FAO 56
//                example 38); Dr of the day before the season is the
//                initial depletion.
// Rows outside the season are "" (empty) in every column.  Kc mid and Kc
// end are adjusted to the climate (eq. 62, 65) with the means of u2 and
// RHmin over their stages, written into the formula as numbers.
import { call, cell, num, op, text } from "./formula.js";

export const IRRIGATION_COLUMNS = ["kc", "etc", "taw", "raw", "ks", "etc_aj", "riego_neto", "riego_bruto",
                                   "percolacion", "dr"];

const SI = (c, a, b) => call("SI", c, a, b);

// Kc mid or end adjusted to the climate (eq. 62): Kc + [0.04 (u2 − 2) −
// 0.004 (RHmin − 45)] (h/3)^0.3, with the stage's means `u2` and `rhMin`.
export function adjustedKc(kc, u2, rhMin, h) {
  return op("+", num(kc), op("*", op("-", op("*", num(0.04), op("-", num(u2), num(2))),
                                     op("*", num(0.004), op("-", num(rhMin), num(45)))),
                             op("^", op("/", num(h), num(3)), num(0.3))));
}

// The formulas of the irrigation columns, by name, for the season `s`:
//   serial      the row's date as a serial number (a formula);
//   start       [year, month, day] of the season's first day;
//   lengths     [L ini, L dev, L mid, L late] in days;
//   kcIni, kcMid, kcEnd  numbers, or formula nodes (adjustedKc);
//   fc, wp      θFC and θWP (m³/m³); zr (m); p (Table 22); adjustP;
//   dr0         the depletion before the season (mm);
//   rain        the rain column's input name, or null; runoff (fraction of P);
//   threshold   "raw", or a fraction of TAW; net (mm), or null to refill;
//   efficiency  of the application (0 to 1).
// The day of the season of a row (1 on its first day), from its serial.
export const seasonDay = (s) => op("+", op("-", s.serial, call("FECHA", ...s.start.map(num))), num(1));

// The coefficient's curve over the season's four stages (eq. 66): `ini`
// through the initial stage, rising linearly through development to `mid`,
// `mid` through mid-season, falling linearly through late season to `end`;
// "" outside the season.
export function stageCurve(s, ini, mid, end) {
  const [l1, l2, l3, l4] = s.lengths.reduce((acc, l) => [...acc, (acc.at(-1) ?? 0) + l], []);
  const day = seasonDay(s);
  const k = (v) => typeof v === "number" ? num(v) : v;
  [ini, mid, end] = [k(ini), k(mid), k(end)];
  return SI(call("O", op("<", day, num(1)), op(">", day, num(l4))), text(""),
    SI(op("<=", day, num(l1)), ini,
      SI(op("<=", day, num(l2)), op("+", ini, op("*", op("/", op("-", day, num(l1)), num(s.lengths[1])), op("-", mid, ini))),
        SI(op("<=", day, num(l3)), mid,
          op("+", mid, op("*", op("/", op("-", day, num(l3)), num(s.lengths[3])), op("-", end, mid)))))));
}

export function irrigationFormulas(s) {
  const day = seasonDay(s);
  const c = (name, offset = 0) => cell(name, offset);
  const outside = op("=", c("kc"), text(""));
  const inSeason = (f) => SI(outside, text(""), f);
  const kc = stageCurve(s, s.kcIni, s.kcMid, s.kcEnd);
  const p = s.adjustP
    ? call("MAX", num(0.1), call("MIN", num(0.8), op("+", num(s.p), op("*", num(0.04), op("-", num(5), c("etc"))))))
    : num(s.p);
  // The depletion of the day before, the rain that enters, the depletion after it.
  const before = SI(op("=", day, num(1)), num(s.dr0), c("dr", -1));
  const rain = !s.rain ? null : s.runoff > 0 ? op("*", c(s.rain), num(1 - s.runoff)) : c(s.rain);
  const afterRain = rain ? call("MAX", num(0), op("-", before, rain)) : call("MAX", num(0), before);
  const threshold = s.threshold === "raw" ? c("raw") : op("*", num(s.threshold), c("taw"));
  const irrigation = SI(op(">=", afterRain, threshold), s.net == null ? afterRain : num(s.net), num(0));
  const startOfDay = (i) => call("MAX", num(0), op("-", afterRain, i));
  return {
    kc,
    etc: inSeason(op("*", c("kc"), c("et0"))),
    taw: inSeason(op("*", op("*", num(1000), op("-", num(s.fc), num(s.wp))), num(s.zr))),
    raw: inSeason(op("*", p, c("taw"))),
    ks: inSeason(SI(op(">", startOfDay(irrigation), c("raw")),
                    op("/", op("-", c("taw"), startOfDay(irrigation)), op("-", c("taw"), c("raw"))), num(1))),
    etc_aj: inSeason(op("*", c("ks"), c("etc"))),
    riego_neto: inSeason(irrigation),
    riego_bruto: inSeason(op("/", c("riego_neto"), num(s.efficiency))),
    percolacion: inSeason(call("MAX", num(0), op("-", rain ? op("+", rain, c("riego_neto")) : c("riego_neto"), before))),
    dr: inSeason(call("MIN", c("taw"), op("+", startOfDay(c("riego_neto")), c("etc_aj")))),
  };
}
