// The formula of a station table's ET0, as a spreadsheet user writes it for
// one row, from the choices made:
//   ETPF56(JDIA.VENTISOLA(AÑO(fecha);MES(fecha);DIA(fecha)) or (año;mes;dia);
//          Rs or RADF56A/RADF56P(Jdia;He;as;bs;Latitud); Tmáx; Tmín; 0;
//          PVHRF56(Tmáx;Tmín;HRmáx;HRmín) or PVHM(Tmáx;Tmín;HRmed) or PVTRF56(Troc);
//          Viento; Altura; Altitud; Latitud)
// A column in other units is converted where it is read, by one exact
// constant: km/h /3,6; W/m² *0,0864; cal/cm²/d *0,041868; °F (F-32)/1,8.  An
// empty cell of such a column stays an error, as it is for a column read as
// it is: the spreadsheet's arithmetic would take it as 0.
import { ERR, NUM } from "./torven.js";
import { call, cell, error, inputsOf, num, op } from "./formula.js";

// The columns each choice needs (keys of `mapping`), their labels, and the
// short names (with their gender) that a failed row's reason uses.
export const INPUTS = {
  fecha: "Fecha", anio: "Año", mes: "Mes", dia: "Día", tmax: "Tmáx", tmin: "Tmín",
  hrmax: "HRmáx (%)", hrmin: "HRmín (%)", hrmed: "HRmed (%)", troc: "Troc", rs: "Rs", he: "Heliofanía",
  viento: "Viento",
};
const SHORT = {
  fecha: ["Fecha", "a"], anio: ["Año", "o"], mes: ["Mes", "o"], dia: ["Día", "o"], tmax: ["Tmáx", "a"],
  tmin: ["Tmín", "a"], hrmax: ["HRmáx", "a"], hrmin: ["HRmín", "a"], hrmed: ["HRmed", "a"], troc: ["Troc", "a"],
  rs: ["Rs", "a"], he: ["Heliofanía", "a"], viento: ["Viento", "o"],
};

// Common names of station columns, by input.
const GUESSES = {
  fecha: ["fecha", "date", "dia juliano", "time"],
  anio: ["año", "anio", "ano", "year", "yr"],
  mes: ["mes", "month", "mo"],
  dia: ["dia", "día", "day", "dd"],
  tmax: ["tmax", "tmáx", "t max", "tx", "temp max", "tmaxima", "tmáxima", "max temp"],
  tmin: ["tmin", "tmín", "t min", "tn", "temp min", "tminima", "tmínima", "min temp"],
  hrmax: ["hrmax", "hrmáx", "rhmax", "hr max", "rh max", "humedad max"],
  hrmin: ["hrmin", "hrmín", "rhmin", "hr min", "rh min", "humedad min"],
  hrmed: ["hrmed", "hr", "rh", "rhmean", "hrmedia", "humedad", "humedad relativa"],
  troc: ["troc", "tdew", "td", "punto de rocio", "punto de rocío", "rocio", "rocío", "dew point"],
  rs: ["rs", "rad", "radiacion", "radiación", "rad global", "solar", "srad"],
  he: ["heliofania", "heliofanía", "he", "n", "horas de sol", "insolacion", "insolación", "sunshine"],
  viento: ["viento", "u2", "wind", "u", "velocidad del viento", "ws"],
};

// The units of the columns that may come in others, each with the header
// words that say it and the conversion to the unit of the add-in.
export const UNITS = {
  temperatura: [
    { id: "C", label: "°C" },
    { id: "F", label: "°F", says: /°\s*F\b|º\s*F\b|\(\s*F\s*\)|\bdeg\s*F\b|fahrenheit/i,
      convert: (x) => op("/", op("-", x, num(32)), num(1.8)) },
  ],
  viento: [
    { id: "m/s", label: "m/s" },
    { id: "km/h", label: "km/h", says: /km\s*\/\s*h|\bkmh\b|\bkph\b/i, convert: (x) => op("/", x, num(3.6)) },
  ],
  radiacion: [
    { id: "MJ", label: "MJ/m²/d" },
    { id: "W", label: "W/m² (media del día)", says: /\bW\s*\/?\s*m(?:2|²|\^2|-2)/i,
      convert: (x) => op("*", x, num(0.0864)) },
    { id: "cal", label: "cal/cm²/d", says: /cal\s*\/\s*cm|langley|\bly\b/i,
      convert: (x) => op("*", x, num(0.041868)) },
  ],
};
export const UNIT_OF = { tmax: "temperatura", tmin: "temperatura", troc: "temperatura", viento: "viento", rs: "radiacion" };

function normal(name) {
  return name.toLowerCase().replace(/\(.*?\)|\[.*?\]/g, "").replace(/[_\-.]+/g, " ").trim();
}

// The column of each input, guessed from the header's names (-1 when none).
export function guessMapping(header) {
  const names = header.map(normal);
  const mapping = {};
  for (const [input, guesses] of Object.entries(GUESSES)) {
    mapping[input] = names.findIndex((n) => guesses.includes(n));
    if (mapping[input] < 0)
      mapping[input] = names.findIndex((n) => guesses.some((g) => g.length > 2 && n.startsWith(g)));
  }
  return mapping;
}

// The unit a column's name says (the add-in's when it says none).
export function guessUnit(input, name) {
  const units = UNITS[UNIT_OF[input]];
  return (units.find((u) => u.says && u.says.test(name ?? "")) ?? units[0]).id;
}

// The choices: date ("fecha" or "partes"); radiation ("rs" measured,
// "horas" or "porcentaje" of sunshine, "temperaturas" by FAO 56 eq. 50 with
// `krs`); humidity ("extremas", "media", "rocio", or "tmin" by eq. 48 with
// the dew point `offset` below Tmin); wind ("medido", or "constante" at 2 m);
// `estimate`: a day whose reading is empty or not a number gets the
// procedure of its variable.
// The humidity columns of each choice, and whether radiation comes from sunshine.
const HUMIDITY_INPUTS = { extremas: ["hrmax", "hrmin"], media: ["hrmed"], rocio: ["troc"], tmin: [] };
export const fromSunshine = (options) => options.radiation === "horas" || options.radiation === "porcentaje";

export function requiredInputs(options) {
  const needed = options.date === "fecha" ? ["fecha"] : ["anio", "mes", "dia"];
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
  const unit = UNIT_OF[input] && UNITS[UNIT_OF[input]].find((u) => u.id === unitId);
  const value = unit && unit.convert ? unit.convert(cell(input)) : cell(input);
  if (otherwise) return call("SI", call("ESNUMERO", cell(input)), value, otherwise);
  if (!unit || !unit.convert) return value;
  return call("SI", call("ESBLANCO", cell(input)), error("#VALUE!"), value);
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
  const day = options.date === "fecha"
    ? call("JDIA.VENTISOLA", call("AÑO", cell("fecha")), call("MES", cell("fecha")), call("DIA", cell("fecha")))
    : call("JDIA.VENTISOLA", cell("anio"), cell("mes"), cell("dia"));
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
    ea = options.humidity === "extremas" ? call("PVHRF56", tmax, tmin, cell("hrmax"), cell("hrmin"))
      : options.humidity === "media" ? call("PVHM", tmax, tmin, cell("hrmed"))
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
  const et0 = call("ETPF56", day, rs, tmax, tmin, num(0), ea, wind, height, num(options.altitude), latitude);
  const variables = estimatedVariables(options);
  const mark = variables.length === 0 ? null
    : call("SI", every(variables.flatMap((v) => v.inputs)), num(0), num(1));
  return { et0, mark };
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
