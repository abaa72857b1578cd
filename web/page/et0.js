// The formula of a station table's ET0, as a spreadsheet user writes it for
// one row, from the choices made:
//   ETPF56(day of year; Rs or RADF56A/RADF56P(Jdia;He;as;bs;Latitud); Tmáx; Tmín; 0;
//          PVHRF56(Tmáx;Tmín;HRmáx;HRmín) or HRmed/100*(PVSF56(Tmáx)+PVSF56(Tmín))/2
//          (eq. 19) or PVTRF56(Troc) or ea;
//          Viento; Altura; Altitud; Latitud)
// The day of year: JDIA.VENTISOLA(AÑO(fecha);MES(fecha);DIA(fecha)) for a
// date text or serial, of (año;mes;dia) columns or of aaaammdd; or the day
// of a year-and-day date.  A column in other units is converted where it is
// read, by exact constants (UNITS).  An empty cell of such a column stays an
// error, as it is for a column read as it is: the spreadsheet's arithmetic
// would take it as 0.
import { ERR, NUM } from "./torven.js";
import { call, cell, error, inputsOf, num, op, truth } from "./formula.js";

// The columns each choice needs (keys of `mapping`), their labels, and the
// short names (with their gender) that a failed row's reason uses.
export const INPUTS = {
  fecha: "Fecha", anio: "Año", mes: "Mes", dia: "Día", diaAnio: "Día del año", tmax: "Tmáx", tmin: "Tmín",
  hrmax: "HRmáx", hrmin: "HRmín", hrmed: "HRmed", troc: "Troc", pv: "Presión de vapor", rs: "Rs",
  he: "Heliofanía", viento: "Viento",
};
const SHORT = {
  fecha: ["Fecha", "a"], anio: ["Año", "o"], mes: ["Mes", "o"], dia: ["Día", "o"], diaAnio: ["Día del año", "o"],
  tmax: ["Tmáx", "a"], tmin: ["Tmín", "a"], hrmax: ["HRmáx", "a"], hrmin: ["HRmín", "a"], hrmed: ["HRmed", "a"],
  troc: ["Troc", "a"], pv: ["Presión de vapor", "a"], rs: ["Rs", "a"], he: ["Heliofanía", "a"], viento: ["Viento", "o"],
};
export const DATE_INPUTS = ["fecha", "anio", "mes", "dia", "diaAnio"];

// Common names of station columns, by input (lower case, without accents):
// the Spanish networks', English ones and their abbreviations.
const GUESSES = {
  fecha: ["fecha", "date", "time", "yyyymmdd", "year doy", "ano dia", "timestamp"],
  anio: ["ano", "anio", "year", "yr", "yyyy"],
  mes: ["mes", "month", "mo", "mm"],
  dia: ["dia", "day", "dd"],
  diaAnio: ["doy", "dia juliano", "dia del ano", "jday", "julian day", "day of year"],
  tmax: ["tmax", "t max", "tx", "temp max", "tempmax", "tmaxima", "max temp", "temperatura maxima", "maxt", "tmx", "mx"],
  tmin: ["tmin", "t min", "tn", "temp min", "tempmin", "tminima", "min temp", "temperatura minima", "mint", "tmn", "mn"],
  hrmax: ["hrmax", "rhmax", "hr max", "rh max", "humedad max", "humedadmax", "humedad maxima", "max rh"],
  hrmin: ["hrmin", "rhmin", "hr min", "rh min", "humedad min", "humedadmin", "humedad minima", "min rh"],
  hrmed: ["hrmed", "hr", "rh", "rhmean", "hrmedia", "humedad", "humedad relativa", "humedadmed", "humedad media"],
  troc: ["troc", "tdew", "td", "punto de rocio", "rocio", "dew point", "dewpoint", "dewp", "ym"],
  pv: ["pv", "ea", "vp", "vapor pressure", "presion de vapor", "tension de vapor"],
  rs: ["rs", "rad", "radiacion", "rad global", "solar", "srad", "radiacion global", "rad solar", "solar rad", "sr"],
  he: ["heliofania", "he", "n", "horas de sol", "insolacion", "sunshine"],
  viento: ["viento", "u2", "wind", "u", "velocidad del viento", "ws", "velviento", "wndsp", "wind speed",
           "vel viento", "velocidad viento", "ua"],
};

// The units of the columns that may come in others: each with the header
// words that say it and its conversion to the unit of the add-in, as steps
// of one exact constant each ([operator, constant]).
export const UNITS = {
  temperatura: [
    { id: "C", label: "°C" },
    { id: "dC", label: "décimas de °C", says: /0[.,]1\s*(°|º|deg)?\s*C\b|d[eé]cimas|tenths/i, steps: [["/", 10]] },
    { id: "F", label: "°F", says: /°\s*F\b|º\s*F\b|\(\s*F\s*\)|\bdeg\s*F\b|fahrenheit/i, steps: [["-", 32], ["/", 1.8]] },
    { id: "K", label: "K", says: /\(\s*K\s*\)|\[\s*K\s*\]|^\s*K\s*$|kelvin/i, steps: [["-", 273.15]] },
  ],
  viento: [
    { id: "m/s", label: "m/s" },
    { id: "dm/s", label: "décimas de m/s", says: /0[.,]1\s*m\s*\/\s*s/i, steps: [["/", 10]] },
    { id: "km/h", label: "km/h", says: /km\s*\/\s*h|\bkmh\b|\bkph\b/i, steps: [["/", 3.6]] },
    { id: "mph", label: "mph", says: /\bmph\b|mi\s*\/\s*h|\bmiles\b/i, steps: [["*", 0.44704]] },
    { id: "kn", label: "nudos", says: /\bknots?\b|\bkn\b|\bkts?\b|nudos/i, steps: [["*", 1852], ["/", 3600]] },
    { id: "km/d", label: "km/d (recorrido)", says: /km\s*\/\s*d|recorrido|wind\s*run|\brun\b/i, steps: [["/", 86.4]] },
  ],
  radiacion: [
    { id: "MJ", label: "MJ/m²/d" },
    { id: "W", label: "W/m² (media del día)", says: /(^|[^kKW])W\s*\/?\s*m(?:2|²|\^2|-2)/, steps: [["*", 0.0864]] },
    { id: "kWh", label: "kWh/m²/d", says: /kWh/i, steps: [["*", 3.6]] },
    { id: "J", label: "J/cm²/d", says: /(^|[^kK])J\s*\/\s*cm/, steps: [["/", 100]] },
    { id: "cal", label: "cal/cm²/d", says: /cal\s*\/\s*cm|langley|\bly\b/i, steps: [["*", 0.041868]] },
    { id: "kJ", label: "kJ/m²/d", says: /kJ\s*\/\s*m/i, steps: [["/", 1000]] },
  ],
  humedad: [
    { id: "%", label: "%" },
    { id: "frac", label: "fracción (0 a 1)", says: /fracci|fraction|\(\s*0\s*-\s*1\s*\)/i, steps: [["*", 100]] },
  ],
  presion: [
    { id: "kPa", label: "kPa" },
    { id: "hPa", label: "hPa", says: /hPa|mbar|\bmb\b/i, steps: [["/", 10]] },
  ],
};
export const UNIT_OF = {
  tmax: "temperatura", tmin: "temperatura", troc: "temperatura", viento: "viento", rs: "radiacion",
  hrmax: "humedad", hrmin: "humedad", hrmed: "humedad", pv: "presion",
};

// A unit's conversion, as a formula of `x` and as a number.
export const convertFormula = (unit, x) => (unit.steps ?? []).reduce((a, [o, c]) => op(o, a, num(c)), x);
export const convertNumber = (unit, x) =>
  (unit.steps ?? []).reduce((a, [o, c]) => o === "*" ? a * c : o === "/" ? a / c : o === "-" ? a - c : a + c, x);
export const unitOf = (input, id) => UNIT_OF[input] && UNITS[UNIT_OF[input]].find((u) => u.id === id);

// Lower case, accents and units in brackets dropped, separators as spaces.
export function normal(name) {
  return (name ?? "").normalize("NFD").replace(/[\u0300-\u036f]/g, "").toLowerCase()
    .replace(/\(.*?\)|\[.*?\]/g, "").replace(/[_\-.]+/g, " ").replace(/[°º%]/g, "").replace(/\s+/g, " ").trim();
}

// The column of each input, guessed from the header's names (-1 when none),
// unless the values contradict it: a humidity above 100 (`ranges`: per
// column, the least and greatest number in it, when it has numbers).
export function guessMapping(header, ranges = []) {
  const names = header.map(normal);
  const mapping = {};
  const fits = (input, i) => !(UNIT_OF[input] === "humedad" && ranges[i] && ranges[i][1] > 100);
  for (const [input, guesses] of Object.entries(GUESSES)) {
    mapping[input] = names.findIndex((n, i) => guesses.includes(n) && fits(input, i));
    if (mapping[input] < 0)
      mapping[input] = names.findIndex((n, i) => guesses.some((g) => g.length > 2 && n.startsWith(g)) && fits(input, i));
  }
  return mapping;
}

// The unit a column's name or its row of units says (the add-in's when they
// say none); a humidity whose values never pass 1.5 is a fraction.
export function guessUnit(input, name, unitText = "", range = null) {
  const units = UNITS[UNIT_OF[input]];
  const said = units.find((u) => u.says && (u.says.test(unitText) || u.says.test(name ?? "")));
  if (!said && UNIT_OF[input] === "humedad" && range && range[1] <= 1.5) return "frac";
  return (said ?? units[0]).id;
}

// The choices: date ("fecha", one column written as `dateFormat` says,
// "partes" year, month and day, or "anio-dia" year and day of the year);
// radiation ("rs" measured,
// "horas" or "porcentaje" of sunshine, "temperaturas" by FAO 56 eq. 50 with
// `krs`); humidity ("extremas", "media", "rocio", "vapor" pressure, or "tmin" by eq. 48 with
// the dew point `offset` below Tmin); wind ("medido", or "constante" at 2 m);
// `estimate`: a day whose reading is empty or not a number gets the
// procedure of its variable.
// The humidity columns of each choice, and whether radiation comes from sunshine.
const HUMIDITY_INPUTS = { extremas: ["hrmax", "hrmin"], media: ["hrmed"], rocio: ["troc"], vapor: ["pv"], tmin: [] };
const DATE_COLUMNS = { fecha: ["fecha"], partes: ["anio", "mes", "dia"], "anio-dia": ["anio", "diaAnio"] };
export const dateInputs = (options) => DATE_COLUMNS[options.date];
export const fromSunshine = (options) => options.radiation === "horas" || options.radiation === "porcentaje";

export const monthly = (options) => options.period === "mensual";

export function requiredInputs(options) {
  const needed = monthly(options) ? ["mes"] : [...dateInputs(options)];
  needed.push("tmax", "tmin");
  if (options.wind !== "constante") needed.push("viento");
  if (options.radiation === "rs") needed.push("rs");
  if (fromSunshine(options)) needed.push("he");
  needed.push(...HUMIDITY_INPUTS[options.humidity]);
  return needed;
}

// A measured column in the add-in's unit: as it is, or converted where it
// is a number (SI(ESBLANCO(R2);#¡VALOR!;R2*0,0864)); with `otherwise`, a
// value that replaces it where it is not a number (SI(ESNUMERO(R2);R2;...)).
function measured(input, unitId, otherwise) {
  const converted = unitOf(input, unitId)?.steps;
  const value = readingOf(input, { [input]: unitId });
  if (otherwise) return call("SI", call("ESNUMERO", cell(input)), value, otherwise);
  if (!converted) return value;
  return call("SI", call("ESBLANCO", cell(input)), error("#VALUE!"), value);
}

// The day of the year of a row: of a month, its middle, J = INT(30.4 M − 15)
// (FAO 56, Annex 2).
export function dayOfYear(o) {
  if (monthly(o)) return call("ENTERO", op("-", op("*", num(30.4), cell("mes")), num(15)));
  if (o.date === "partes") return call("JDIA.VENTISOLA", cell("anio"), cell("mes"), cell("dia"));
  if (o.date === "anio-dia") return cell("diaAnio");
  const f = cell("fecha");
  const whole = (divisor) => call("ENTERO", op("/", f, num(divisor)));
  switch (o.dateFormat) {
    case "aaaammdd":  // 20220131: ENTERO(A2/10000), ENTERO(A2/100)-ENTERO(A2/10000)*100, A2-ENTERO(A2/100)*100
      return call("JDIA.VENTISOLA", whole(10000), op("-", whole(100), op("*", whole(10000), num(100))),
                  op("-", f, op("*", whole(100), num(100))));
    case "aaaa-ddd": return op("*", call("DERECHA", f, num(3)), num(1));  // 2022-032
    case "aaaaddd": return op("-", f, op("*", whole(1000), num(1000)));    // 2022032
    default: return call("JDIA.VENTISOLA", call("AÑO", f), call("MES", f), call("DIA", f));
  }
}

// The date of a row as the spreadsheet's serial number (a date text is one
// in arithmetic).
export function dateSerial(o) {
  const f = cell("fecha");
  if (o.date === "partes") return call("FECHA", cell("anio"), cell("mes"), cell("dia"));
  if (o.date === "anio-dia") return call("FECHA", cell("anio"), num(1), cell("diaAnio"));
  const whole = (divisor) => call("ENTERO", op("/", f, num(divisor)));
  switch (o.dateFormat) {
    case "aaaammdd": return call("FECHA", whole(10000), op("-", whole(100), op("*", whole(10000), num(100))),
                                 op("-", f, op("*", whole(100), num(100))));
    case "aaaa-ddd": return call("FECHA", op("*", call("IZQUIERDA", f, num(4)), num(1)), num(1), dayOfYear(o));
    case "aaaaddd": return call("FECHA", whole(1000), num(1), dayOfYear(o));
    default: return f;
  }
}

// A measured column in the add-in's unit, converted where it is read (no
// check of emptiness: for the means of a period), `offset` rows below or a
// fixed row.
export function readingOf(input, units, offset = 0, fixed = 0) {
  return convertFormula(unitOf(input, units[input]) ?? {}, cell(input, offset, fixed));
}

// The date of a row as one number, aaaammdd (for the sums per year and the chart).
export function dateNumber(o) {
  if (o.date === "fecha" && o.dateFormat === "aaaammdd") return cell("fecha");
  const parts = o.date === "partes" ? [cell("anio"), cell("mes"), cell("dia")]
    : ["AÑO", "MES", "DIA"].map((n) => call(n, dateSerial(o)));
  return op("+", op("+", op("*", parts[0], num(10000)), op("*", parts[1], num(100))), parts[2]);
}

export const every = (inputs) => inputs.length === 1 ? call("ESNUMERO", cell(inputs[0]))
  : call("Y", ...inputs.map((i) => call("ESNUMERO", cell(i))));

// The variables whose gaps are estimated, with the measured columns that
// decide a gap, for the choices made.
export function estimatedVariables(options) {
  if (!options.estimate) return [];
  const variables = [];
  if (options.radiation === "rs") variables.push({ name: "radiación", inputs: ["rs"] });
  if (fromSunshine(options)) variables.push({ name: "radiación", inputs: ["he"] });
  if (options.humidity !== "tmin") variables.push({ name: "humedad", inputs: HUMIDITY_INPUTS[options.humidity] });
  if (options.wind !== "constante") variables.push({ name: "viento", inputs: ["viento"] });
  return variables;
}

// The formulas of one row for the choices in `options` and the units: ET0,
// and, when gaps are estimated, the mark of an estimated day (1, else 0).
export function et0Formula(options, units) {
  const gaps = options.estimate;
  const m = (input, otherwise) => measured(input, units[input], gaps ? otherwise : undefined);
  const day = dayOfYear(options);
  const latitude = num(options.latitude);
  const tmax = m("tmax"), tmin = m("tmin");
  // FAO 56 eq. 50: Rs = kRs √(Tmax − Tmin) Ra; eq. 48: ea = e°(Tmin − offset).
  const fromTemperatures = () => op("*", op("*", num(options.krs), call("RAIZ", op("-", tmax, tmin))),
                                    call("RADAF56", day, latitude));
  const fromTmin = () => call("PVTRF56", options.offset === 0 ? tmin : op("-", tmin, num(options.offset)));
  let rs;
  if (options.radiation === "rs") rs = m("rs", fromTemperatures());
  else if (options.radiation === "temperaturas") rs = fromTemperatures();
  else {
    rs = call(options.radiation === "horas" ? "RADF56A" : "RADF56P", day, cell("he"), num(options.as), num(options.bs), latitude);
    if (gaps) rs = call("SI", every(["he"]), rs, fromTemperatures());
  }
  let ea;
  if (options.humidity === "tmin") ea = fromTmin();
  else {
    ea = options.humidity === "extremas" ? call("PVHRF56", tmax, tmin, m("hrmax"), m("hrmin"))
      : options.humidity === "media" ? meanHumidityEa(m("hrmed"), tmax, tmin)
      : options.humidity === "vapor" ? m("pv")
      : call("PVTRF56", m("troc"));
    if (gaps) ea = call("SI", every(HUMIDITY_INPUTS[options.humidity]), ea, fromTmin());
  }
  // A constant wind is the wind at 2 m: measured at the anemometer's height.
  const constant = num(options.windSpeed);
  const measuredWind = options.wind !== "constante";
  const wind = measuredWind ? m("viento", constant) : constant;
  const height = !measuredWind ? num(2)
    : gaps && options.windHeight !== 2 ? call("SI", every(["viento"]), num(options.windHeight), num(2))
    : num(options.windHeight);
  const dtp = monthly(options) ? monthlyDtp(options, units) : num(0);
  const et0 = call("ETPF56", day, rs, tmax, tmin, dtp, ea, wind, height, num(options.altitude), latitude);
  const variables = estimatedVariables(options);
  const mark = variables.length === 0 ? null
    : call("SI", every(variables.flatMap((v) => v.inputs)), num(0), num(1));
  return { et0, mark };
}

// FAO 56 eq. 19: ea from the mean relative humidity and the mean of e° at
// Tmax and Tmin, HRmed/100*(PVSF56(Tmax)+PVSF56(Tmin))/2.
export const meanHumidityEa = (rh, tmax, tmin) =>
  op("/", op("*", op("/", rh, num(100)), op("+", call("PVSF56", tmax), call("PVSF56", tmin))), num(2));

// DTP of a month (ETPF56's G = 0.07 DTP): the mean temperature of the next
// month less the previous one's (FAO 56 eq. 43); where one of them is not
// known, twice the difference between the month and the one known (eq. 44,
// G = 0.14 (T(i) − T(i−1)), and the same forward at a series' start); 0
// for a month alone.  Twelve monthly normals (`normals`: the rows `first`
// to `last`, January to December) wrap: December precedes January and
// January follows December.
export function monthlyDtp(o, units) {
  const reading = (input, offset, fixed) => readingOf(input, units, offset, fixed);
  const mean = (offset, fixed = 0) => op("/", op("+", reading("tmax", offset, fixed), reading("tmin", offset, fixed)), num(2));
  if (o.normals) {
    const row = call("FILA");
    const previous = call("SI", op("=", row, num(o.normals.first)), mean(0, o.normals.last), mean(-1));
    const next = call("SI", op("=", row, num(o.normals.last)), mean(0, o.normals.first), mean(1));
    return op("-", next, previous);
  }
  // A neighbour is known when its month follows (or precedes) this one's and
  // its temperatures are numbers.
  const known = (offset) => {
    const step = offset > 0 ? op("-", cell("mes", offset), cell("mes")) : op("-", cell("mes"), cell("mes", offset));
    return call("SI", call("Y", ...["mes", "tmax", "tmin"].map((i) => call("ESNUMERO", cell(i, offset)))),
                call("O", op("=", step, num(1)), op("=", step, num(-11))), truth(false));
  };
  const twice = (a, b) => op("*", num(2), op("-", a, b));
  return call("SI", call("Y", known(-1), known(1)), op("-", mean(1), mean(-1)),
              call("SI", known(-1), twice(mean(0), mean(-1)), call("SI", known(1), twice(mean(1), mean(0)), num(0))));
}

// The days of a row's month: DIA(FECHA(año;mes+1;0)), of a common year when
// the file has no year.
export function daysOfMonth(o) {
  const year = o.hasYear ? cell("anio") : num(2001);
  return call("DIA", call("FECHA", year, op("+", cell("mes"), num(1)), num(0)));
}

// Why a row's formula failed, from the cells the engine found it refused
// (in the order the formula reads them, `inputs` the formula's): the first
// that is empty, an error,
// or a text that is not a number (nor a date, for the date), of an input
// whose gaps are not estimated ("Rs vacía", "HRmín «n/d» no es un número");
// "" when none.
export function failureReason(engine, faulty, mapping, inputs, result, estimated = []) {
  for (const { column, kind, text } of faulty ?? []) {
    const input = inputs.find((i) => mapping[i] === column);
    if (input === undefined || estimated.includes(input)) continue;
    const [name, ending] = SHORT[input];
    if (kind === "vacía") return text.trim() ? `${name} sin dato («${text}»)` : `${name} vací${ending}`;
    if (kind === "error") return `${name} es ${text}`;
    if (input !== "fecha") return `${name} «${text}» no es un número`;
    if (kind === "texto") return `${name} «${text}» no es una fecha`;
  }
  if (result.type === ERR && result.code === engine.errorCode("#NUM!"))
    return "un dato fuera de los valores que admiten las funciones (o Tmín mayor que Tmáx)";
  return "";
}

// The result as the spreadsheet shows it in Spanish (with a decimal comma,
// or the file's mark).
export function showResult(engine, result, decimalComma = true) {
  if (result.type === NUM) return engine.showNumber(result.num, decimalComma);
  return engine.errorName(result.code, true);
}
