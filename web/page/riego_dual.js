// Crop water with the dual crop coefficient, FAO 56 chapter 7: the basal
// coefficient for transpiration and the soil's evaporation apart, as
// formulas filled down a station's daily rows beside their ET0 (the column
// "et0"), one added column each:
//   kcb          eq. 66's curve with Kcb ini, mid and end (Table 17; mid and
//                end adjusted to the climate by eq. 70, as Kc by eq. 62);
//   kc_max       eq. 72: max(1.2 + [0.04 (u2 − 2) − 0.004 (RHmin − 45)]
//                (h/3)^0.3, Kcb + 0.05), with the season's u2 and RHmin;
//   fc           eq. 76: ((Kcb − Kc min)/(Kc max − Kc min))^(1 + 0.5 h),
//                Kcb − Kc min at least 0.01 and fc at most 0.99;
//   taw, raw     the root zone's TAW and RAW (eq. 82, 83; p as given);
//   fw           the fraction the last wetting wetted (Table 20): 1 on a
//                day of rain, the irrigation method's on a day irrigated,
//                else the day before's;
//   few          eq. 75: min(1 − fc, fw);
//   kr           eq. 74 from the layer's depletion after the day's rain and
//                irrigation: 1 up to REW, then (TEW − De)/(TEW − REW);
//   ke           eq. 71: min(Kr (Kc max − Kcb), few Kc max);
//   e            E = Ke ET0;
//   dpe          eq. 79: DPe = max(0, P − RO + I/fw − De,i−1);
//   de           eq. 77: De,i = De,i−1 − (P − RO) − I/fw + E/few + DPe,
//                within 0 and TEW (eq. 73: TEW = 1000 (θFC − 0.5 θWP) Ze);
//   ks           eq. 84 from the root zone's depletion at the day's start;
//   etc_aj       eq. 80: ETc adj = (Ks Kcb + Ke) ET0;
//   riego_neto, riego_bruto, percolacion, dr  the root zone's balance as
//                with the single coefficient (riego.js).
// Within a day, as FAO 56 example 35 with its errata: rain and irrigation
// at the start, then Kr and Ke from the depletion after them.  Rows
// outside the season are "" (empty) in every column.
import { call, cell, num, op, text } from "./formula.js";
import { seasonDay, stageCurve } from "./riego.js";

export const DUAL_COLUMNS = ["kcb", "kc_max", "fc", "taw", "raw", "fw", "few", "kr", "ke", "e", "dpe", "de", "ks",
                             "etc_aj", "riego_neto", "riego_bruto", "percolacion", "dr"];

const SI = (c, a, b) => call("SI", c, a, b);
const mul = (...f) => f.reduce((a, b) => op("*", a, b));

// The formulas of the dual coefficient's columns, by name, for the season `s`:
// those of irrigationFormulas (serial, start, lengths, fc, wp, zr, p, dr0,
// rain, runoff, threshold, net, efficiency), and
//   kcbIni, kcbMid, kcbEnd  numbers, or formula nodes (adjustedKc);
//   kcMin       Kc min (FAO 56: 0.15 for annual crops);
//   h, u2, rhMin  the crop's height (m) and the season's means for Kc max;
//   ze          the evaporating layer's depth (m, 0.10 to 0.15); rew (mm); tew
//               (mm) when given, else eq. 73 from θFC, θWP and Ze;
//   fwIrrigation  fw of the irrigation method; fw0 the fraction wetted before the season;
//   de0         the layer's depletion before the season (mm; TEW: dry);
//   coverFraction  a formula for fc instead of eq. 76 (example 35 gives it).
export function dualFormulas(s) {
  const day = seasonDay(s);
  const c = (name, offset = 0) => cell(name, offset);
  const inSeason = (f) => SI(op("=", c("kcb"), text("")), text(""), f);
  const tew = s.tew != null ? num(s.tew) : mul(num(1000), op("-", num(s.fc), mul(num(0.5), num(s.wp))), num(s.ze));
  const rain = !s.rain ? null : s.runoff > 0 ? mul(c(s.rain), num(1 - s.runoff)) : c(s.rain);
  // The root zone: its depletion the day before, after the day's rain, and the irrigation it calls for.
  const before = SI(op("=", day, num(1)), num(s.dr0), c("dr", -1));
  const afterRain = call("MAX", num(0), rain ? op("-", before, rain) : before);
  const threshold = s.threshold === "raw" ? c("raw") : mul(num(s.threshold), c("taw"));
  const irrigation = SI(op(">=", afterRain, threshold), s.net == null ? afterRain : num(s.net), num(0));
  // The surface layer: its depletion the day before, and after the day's wetting.
  const layerBefore = SI(op("=", day, num(1)), s.de0 == null ? tew : num(s.de0), c("de", -1));
  const reaching = op("/", irrigation, c("fw"));  // the irrigation over the fraction it wets
  const wetted = rain ? op("+", rain, reaching) : reaching;
  const layerAfter = call("MAX", num(0), op("-", layerBefore, wetted));
  const startOfDay = call("MAX", num(0), op("-", afterRain, irrigation));
  const byIrrigation = SI(op(">", irrigation, num(0)), num(s.fwIrrigation), SI(op("=", day, num(1)), num(s.fw0), c("fw", -1)));
  const fc = s.coverFraction ?? call("MIN", num(0.99), op("^",
    op("/", call("MAX", op("-", c("kcb"), num(s.kcMin)), num(0.01)), op("-", c("kc_max"), num(s.kcMin))),
    op("+", num(1), mul(num(0.5), num(s.h)))));
  return {
    kcb: stageCurve(s, s.kcbIni, s.kcbMid, s.kcbEnd),
    kc_max: inSeason(call("MAX", op("+", num(1.2), mul(op("-", mul(num(0.04), op("-", num(s.u2), num(2))),
                                                                 mul(num(0.004), op("-", num(s.rhMin), num(45)))),
                                                          op("^", op("/", num(s.h), num(3)), num(0.3)))),
                               op("+", c("kcb"), num(0.05)))),
    fc: inSeason(fc),
    taw: inSeason(mul(mul(num(1000), op("-", num(s.fc), num(s.wp))), num(s.zr))),
    raw: inSeason(mul(num(s.p), c("taw"))),
    fw: inSeason(rain ? SI(op(">", rain, num(0)), num(1), byIrrigation) : byIrrigation),
    few: inSeason(call("MIN", op("-", num(1), c("fc")), c("fw"))),
    kr: inSeason(SI(op("<=", layerAfter, num(s.rew)), num(1),
                    call("MAX", num(0), op("/", op("-", tew, layerAfter), op("-", tew, num(s.rew)))))),
    ke: inSeason(call("MIN", mul(c("kr"), op("-", c("kc_max"), c("kcb"))), mul(c("few"), c("kc_max")))),
    e: inSeason(mul(c("ke"), c("et0"))),
    dpe: inSeason(call("MAX", num(0), op("-", wetted, layerBefore))),
    de: inSeason(call("MIN", tew, call("MAX", num(0),
                                       op("+", op("+", op("-", layerBefore, wetted), op("/", c("e"), c("few"))), c("dpe"))))),
    ks: inSeason(SI(op(">", startOfDay, c("raw")), op("/", op("-", c("taw"), startOfDay), op("-", c("taw"), c("raw"))), num(1))),
    etc_aj: inSeason(mul(op("+", mul(c("ks"), c("kcb")), c("ke")), c("et0"))),
    riego_neto: inSeason(irrigation),
    riego_bruto: inSeason(op("/", c("riego_neto"), num(s.efficiency))),
    percolacion: inSeason(call("MAX", num(0), op("-", rain ? op("+", rain, c("riego_neto")) : c("riego_neto"), before))),
    dr: inSeason(call("MIN", c("taw"), op("+", startOfDay, c("etc_aj")))),
  };
}
