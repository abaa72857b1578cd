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
  he: "Heliofanía", viento: "Viento", tmed: "Temperatura", rsh: "Rs (de la hora)", horaDia: "Hora (si va aparte)",
};
const SHORT = {
  fecha: ["Fecha", "a"], anio: ["Año", "o"], mes: ["Mes", "o"], dia: ["Día", "o"], diaAnio: ["Día del año", "o"],
  tmax: ["Tmáx", "a"], tmin: ["Tmín", "a"], hrmax: ["HRmáx", "a"], hrmin: ["HRmín", "a"], hrmed: ["HRmed", "a"],
  troc: ["Troc", "a"], pv: ["Presión de vapor", "a"], rs: ["Rs", "a"], he: ["Heliofanía", "a"], viento: ["Viento", "o"],
  tmed: ["Temperatura", "a"], rsh: ["Rs", "a"], horaDia: ["Hora", "a"],
};
export const DATE_INPUTS = ["fecha", "anio", "mes", "dia", "diaAnio", "horaDia"];

// A reading's date and time as a serial: the date column's, plus the time
// of day from a column of its own (`clock`, as the engine found it written:
// 13:30, which the spreadsheet reads as a fraction of a day, a whole hour
// 13, or hhmm 1330).
export function readingTime(clock) {
  const hora = cell("horaDia");
  const hhmm = () => {
    const hundreds = call("ENTERO", op("/", hora, num(100)));
    return op("/", op("+", op("*", num(60), hundreds), op("-", hora, op("*", num(100), hundreds))), num(1440));
  };
  return op("+", cell("fecha"), clock === "text" ? hora : clock === "hours" ? op("/", hora, num(24)) : hhmm());
}

// The units of the columns that may come in others, by quantity, as the
// engine's one table gives them (setUnits, from the file's table): each with
// its conversion to the unit of the add-in, as steps of one exact constant
// each ([operator, constant]), written into the formula where the column is read.
export let UNITS = {};
export function setUnits(unitTable) {
  UNITS = {};
  for (const { quantity, id, label, steps } of unitTable)
    (UNITS[quantity] ??= []).push({ id, label, ...(steps.length ? { steps } : {}) });
}
export const UNIT_OF = {
  tmax: "temperatura", tmin: "temperatura", troc: "temperatura", viento: "viento", rs: "radiacion",
  hrmax: "humedad", hrmin: "humedad", hrmed: "humedad", pv: "presion", tmed: "temperatura", rsh: "radiacion_horaria",
};

// A unit's conversion, as a formula of `x`.
export const convertFormula = (unit, x) => (unit.steps ?? []).reduce((a, [o, c]) => op(o, a, num(c)), x);
export const unitOf = (input, id) => UNIT_OF[input] && UNITS[UNIT_OF[input]].find((u) => u.id === id);

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
// Readings of the hour or finer: the ET0 of each period (horario.js).
export const hourly = (options) => options.period === "horario";

export function requiredInputs(options) {
  if (hourly(options)) return ["fecha", "tmed", "hrmed", ...(options.wind !== "constante" ? ["viento"] : []), "rsh"];
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

// A measured column in the add-in's unit, an empty cell an error (as a
// cell the add-in's functions refuse: the spreadsheet's arithmetic would
// take it as 0).
export const guardedReading = (input, units) =>
  call("SI", call("ESBLANCO", cell(input)), error("#VALUE!"), readingOf(input, units));

// A measured column in the add-in's unit, converted where it is read (no
// check of emptiness: for the means of a period), `offset` rows below or a
// fixed row.
export function readingOf(input, units, offset = 0, fixed = 0) {
  return convertFormula(unitOf(input, units[input]) ?? {}, cell(input, offset, fixed));
}

// The date of a row as one number, aaaammdd (for the sums per year and the chart).
export function dateNumber(o) {
  if (o.date === "fecha" && o.dateFormat === "aaaammdd") return cell("fecha");
  if (o.date === "partes") return partsNumber(cell("anio"), cell("mes"), cell("dia"));
  return serialNumber(dateSerial(o));
}

// A year, month and day as aaaammdd; a serial's day so.
const partsNumber = (y, m, d) => op("+", op("+", op("*", y, num(10000)), op("*", m, num(100))), d);
export const serialNumber = (serial) => partsNumber(...["AÑO", "MES", "DIA"].map((n) => call(n, serial)));

// The wind at 2 m of a wind measured at `z` m (FAO 56 eq. 47).
export const windAt2m = (wind, z) =>
  z === 2 ? wind : op("/", op("*", wind, num(4.87)), call("LN", op("-", op("*", num(67.8), num(z)), num(5.42))));

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
