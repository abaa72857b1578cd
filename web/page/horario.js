// Hourly (or shorter) reference evapotranspiration, as formulas filled down
// a station's rows, one added column each (FAO 56 eq. 28-39, 45, 46, 53,
// and the ASCE-EWRI (2005) standardized hourly form):
//   medio     the period's midpoint as a date serial: the row's date and
//             time, less half the period when it labels the period's end
//             (the default), plus half when it labels its start;
//   j         its day of the year;
//   hora      its standard clock hour (eq. 31's t);
//   sc        the seasonal correction for solar time, h (eq. 32, 33);
//   omega     the solar time angle at the midpoint, rad (eq. 31), from the
//             longitudes of the time zone's centre Lz and of the station
//             Lm, degrees west of Greenwich;
//   decl      the solar declination, rad (eq. 24);
//   omega_s   the sunset hour angle, rad (eq. 25; its cosine held within
//             -1 to 1, for the polar day and night);
//   ra        the period's extraterrestrial radiation, MJ m-2 per period
//             (eq. 28, 23, 29, 30), with ω1 and ω2 held within ±ωs (ASCE-
//             EWRI 2005 eq. 56-58): 0 while the sun is below the horizon;
//   rso       clear-sky radiation (eq. 37);
//   rs_rso    Rs/Rso within 0.3 to 1 while the sun's angle at the midpoint
//             exceeds 0.3 rad; else (at night, and about the hour before
//             sunset) the ratio of the row above, or a fixed night ratio
//             the user sets (FAO 56 example 19: 0.8), which is also the
//             first row's;
//   es        the saturation vapour pressure at the period's temperature
//             (PVSF56, eq. 11);
//   ea        the actual vapour pressure from the hour's RH (eq. 54);
//   delta     the slope of the vapour pressure curve (eq. 13);
//   rnl       net longwave radiation of the period (eq. 39, σ 2.043 10^-10
//             MJ K-4 m-2 h-1, times the period's hours when not one);
//   rn        net radiation, Rns − Rnl (eq. 38, 40; albedo 0.23);
//   g         soil heat flux: by day (Rn > 0) and by night, 0.1 and 0.5 Rn
//             (eq. 45, 46; the short reference of ASCE-EWRI alike), 0.04
//             and 0.2 Rn for the tall reference;
//   et0_h     ET0 of the period, mm (eq. 53: Cn 37, Cd 0.34; ASCE-EWRI:
//             Cn 37, Cd 0.24 by day and 0.96 by night for the short
//             reference, Cn 66, Cd 0.25 and 1.7 for the tall one; Cn
//             times the period's hours when not one);
//   et0_dia   the day's running sum (the day of the midpoint);
//   total_dia the day's sum on its last row ("" on the others: the next
//             row's midpoint, from its date and time, is of the same day).
import { call, cell, num, op, text } from "./formula.js";

export const HOURLY_COLUMNS = ["medio", "j", "hora", "sc", "omega", "decl", "omega_s", "ra", "rso", "rs_rso", "es",
                               "ea", "delta", "rnl", "rn", "g", "et0_h", "et0_dia", "total_dia"];

// The constants of each form: Cn, Cd by day and by night, G/Rn by day and by night.
export const HOURLY_FORMS = {
  fao56: { cn: 37, cdDay: 0.34, cdNight: 0.34, gDay: 0.1, gNight: 0.5 },
  corto: { cn: 37, cdDay: 0.24, cdNight: 0.96, gDay: 0.1, gNight: 0.5 },
  alto: { cn: 66, cdDay: 0.25, cdNight: 1.7, gDay: 0.04, gNight: 0.2 },
};

const SI = (c, a, b) => call("SI", c, a, b);
// A formula of the file's columns as it reads the row below (a row reads no
// added column of the row below: those are computed after it).
const below = (n) => n.k === "cell" ? cell(n.input, n.offset + 1, n.fixedRow)
  : n.k === "op" ? op(n.o, below(n.a), below(n.b)) : n.k === "call" ? call(n.name, ...n.args.map(below)) : n;
const PI = () => call("PI");
const sin = (x) => call("SENO", x);
const cos = (x) => call("COS", x);
const mul = (...f) => f.reduce((a, b) => op("*", a, b));
const within = (x, low, high) => call("MIN", call("MAX", x, low), high);

// The formulas of the hourly columns, by name, for the station `s`:
//   serial      the row's date and time as a serial (a formula);
//   hours       the period's length, h; start: true when the time labels
//               the period's start;
//   latitude    degrees (north positive); lz, lm: degrees west of Greenwich;
//   altitude    m;
//   t, rh, u2, rs  the readings as formulas: °C, %, m/s at 2 m, MJ m-2 per period;
//   nightRatio  Rs/Rso where the sun is low; carry: true to carry the last
//               daytime ratio instead (the night ratio then starts the file);
//   form        "fao56", "corto" or "alto" (HOURLY_FORMS).
export function hourlyFormulas(s) {
  const c = (name, offset = 0) => cell(name, offset);
  const k = HOURLY_FORMS[s.form];
  const phi = op("/", mul(num(s.latitude), PI()), num(180));
  const half = op("/", num(s.hours), num(48));  // half the period, in days
  const b = op("/", mul(num(2), PI(), op("-", c("j"), num(81))), num(364));
  const dr = op("+", num(1), mul(num(0.033), cos(mul(op("/", mul(num(2), PI()), num(365)), c("j")))));
  const [w1, w2] = ["-", "+"].map((sign) =>
    within(op(sign, c("omega"), op("/", mul(PI(), num(s.hours)), num(24))), mul(num(-1), c("omega_s")), c("omega_s")));
  const sinBeta = op("+", mul(sin(phi), sin(c("decl"))), mul(cos(phi), cos(c("decl")), cos(c("omega"))));
  const night = num(s.nightRatio);
  // Per period: σ and Cn are per hour (a period of other hours scales them).
  const perPeriod = (x) => s.hours === 1 ? num(x) : mul(num(x), num(s.hours));
  const lowSun = s.carry ? SI(op("=", call("FILA"), num(2)), night, c("rs_rso", -1)) : night;
  const es = c("es"), delta = c("delta");
  const gamma = mul(num(0.000665), num(101.3),
                    op("^", op("/", op("-", num(293), mul(num(0.0065), num(s.altitude))), num(293)), num(5.26)));
  const byDay = (day, night) => day === night ? num(day) : SI(op(">", c("rn"), num(0)), num(day), num(night));
  const day = (offset) => call("ENTERO", c("medio", offset));
  const midpoint = (serial) => op(s.start ? "+" : "-", serial, half);
  return {
    medio: midpoint(s.serial),
    j: call("JDIA.VENTISOLA", call("AÑO", c("medio")), call("MES", c("medio")), call("DIA", c("medio"))),
    hora: mul(op("-", c("medio"), call("ENTERO", c("medio"))), num(24)),
    sc: op("-", op("-", mul(num(0.1645), sin(mul(num(2), b))), mul(num(0.1255), cos(b))), mul(num(0.025), sin(b))),
    omega: mul(op("/", PI(), num(12)),
               op("-", op("+", op("+", c("hora"), mul(num(0.06667), op("-", num(s.lz), num(s.lm)))), c("sc")), num(12))),
    decl: mul(num(0.409), sin(op("-", mul(op("/", mul(num(2), PI()), num(365)), c("j")), num(1.39)))),
    omega_s: call("ACOS", within(mul(num(-1), call("TAN", phi), call("TAN", c("decl"))), num(-1), num(1))),
    ra: mul(op("/", mul(num(12), num(60)), PI()), num(0.082), dr,
            op("+", mul(op("-", w2, w1), sin(phi), sin(c("decl"))), mul(cos(phi), cos(c("decl")), op("-", sin(w2), sin(w1))))),
    rso: mul(op("+", num(0.75), mul(num(0.00002), num(s.altitude))), c("ra")),
    rs_rso: SI(op(">", call("ASENO", sinBeta), num(0.3)), within(op("/", s.rs, c("rso")), num(0.3), num(1)), lowSun),
    es: call("PVSF56", s.t),
    ea: op("/", mul(es, s.rh), num(100)),
    delta: op("/", mul(num(4098), es), op("^", op("+", s.t, num(237.3)), num(2))),
    rnl: mul(perPeriod(2.043e-10), op("^", op("+", s.t, num(273.16)), num(4)),
             op("-", num(0.34), mul(num(0.14), call("RAIZ", c("ea")))), op("-", mul(num(1.35), c("rs_rso")), num(0.35))),
    rn: op("-", mul(op("-", num(1), num(0.23)), s.rs), c("rnl")),
    g: mul(byDay(k.gDay, k.gNight), c("rn")),
    et0_h: op("/", op("+", mul(num(0.408), delta, op("-", c("rn"), c("g"))),
                      mul(gamma, op("/", perPeriod(k.cn), op("+", s.t, num(273))), s.u2, op("-", es, c("ea")))),
              op("+", delta, mul(gamma, op("+", num(1), mul(byDay(k.cdDay, k.cdNight), s.u2))))),
    et0_dia: SI(op("=", call("FILA"), num(2)), c("et0_h"),
                SI(op("=", day(0), day(-1)), op("+", c("et0_dia", -1), c("et0_h")), c("et0_h"))),
    total_dia: SI(op("=", call("ENTERO", midpoint(below(s.serial))), day(0)), text(""), c("et0_dia")),
  };
}
