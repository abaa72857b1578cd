// ET0 of every row of a station table, through the worksheet entries, as the
// formula a spreadsheet user writes evaluates it in the host:
//   ETPF56(JDIA.VENTISOLA(AÑO(fecha);MES(fecha);DIA(fecha)) or (año;mes;dia);
//          Rs or RADF56A/RADF56P(Jdia;He;as;bs;Latitud); Tmáx; Tmín; 0;
//          PVHRF56(Tmáx;Tmín;HRmáx;HRmín) or PVHM(Tmáx;Tmín;HRmed) or PVTRF56(Troc);
//          Viento; Altura; Altitud; Latitud)
import { NUM, csvField, showNumber } from "./torven.js";

// The columns each choice needs (keys of `mapping`).
export const INPUTS = {
  fecha: "Fecha", anio: "Año", mes: "Mes", dia: "Día", tmax: "Tmáx (°C)", tmin: "Tmín (°C)",
  hrmax: "HRmáx (%)", hrmin: "HRmín (%)", hrmed: "HRmed (%)", troc: "Troc (°C)",
  rs: "Rs (MJ/m²/d)", he: "Heliofanía", viento: "Viento (m/s)",
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

// The choices: date ("fecha" or "partes"), radiation ("rs", "horas" or
// "porcentaje"), humidity ("extremas", "media" or "rocio"), constants.
export function requiredInputs(options) {
  const needed = options.date === "fecha" ? ["fecha"] : ["anio", "mes", "dia"];
  needed.push("tmax", "tmin", "viento");
  needed.push(options.radiation === "rs" ? "rs" : "he");
  needed.push(...{ extremas: ["hrmax", "hrmin"], media: ["hrmed"], rocio: ["troc"] }[options.humidity]);
  return needed;
}

// Computes row `r`: the ET0 result record.
export function et0OfRow(engine, row, mapping, options) {
  const comma = options.decimalComma;
  const cell = (input) => engine.cell(row[mapping[input]], comma);
  const number = (x) => ({ type: NUM, num: x });
  let day;
  if (options.date === "fecha") {
    const date = cell("fecha");
    day = engine.call("JDIA_XLL", [0, 1, 2].map((part) => engine.datePart(date, part)));
  } else {
    day = engine.call("JDIA_XLL", [cell("anio"), cell("mes"), cell("dia")]);
  }
  const latitude = number(options.latitude);
  const tmax = cell("tmax"), tmin = cell("tmin");
  const rs = options.radiation === "rs" ? cell("rs")
    : engine.call(options.radiation === "horas" ? "RADF56A_XLL" : "RADF56P_XLL",
                  [day, cell("he"), number(options.as), number(options.bs), latitude]);
  const ea = options.humidity === "extremas" ? engine.call("PVHRF56_XLL", [tmax, tmin, cell("hrmax"), cell("hrmin")])
    : options.humidity === "media" ? engine.call("PVHM_XLL", [tmax, tmin, cell("hrmed")])
    : engine.call("PVTRF56_XLL", [cell("troc")]);
  return engine.call("ETPF56_XLL", [day, rs, tmax, tmin, number(0), ea, cell("viento"),
                                    number(options.windHeight), number(options.altitude), latitude]);
}

// The result as the spreadsheet shows it in the file's dialect: a number
// (decimal comma in a ';' file), an error with its Spanish name there.
export function showResult(engine, result, dialect) {
  if (result.type === NUM) return showNumber(result.num, dialect.decimalComma);
  return engine.errorName(result.code, dialect.spanish);
}

// The file written back as torven --csv writes it: every field as read, the
// ET0 column added, in the file's delimiter and line end.
export function writeBack(table, shown, columnName) {
  const d = table.delimiter;
  const lines = [table.header.map((f) => csvField(f, d)).join(d) + d + csvField(columnName, d)];
  table.rows.forEach((row, i) => lines.push(row.map((f) => csvField(f, d)).join(d) + d + csvField(shown[i], d)));
  return lines.join(table.lineEnd) + table.lineEnd;
}
