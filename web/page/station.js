// The station's own data as the user types them: latitude (decimal degrees,
// or degrees, minutes and seconds with N or S), altitude and the
// anemometer's height, each required and within what ETPF56 accepts.  Nothing
// is computed with a value that the user did not give.
import { fromSunshine, hourly } from "./et0.js";
import { typedNumber } from "./torven.js";

// A latitude in decimal degrees from "37,85", "-37.85", "37°51' N",
// "37 51 30 N", "37°51'30\" S" (S or a minus sign for the south); undefined
// if the text is none of these.
export function typedLatitude(text) {
  let s = text.trim();
  const decimal = typedNumber(s);
  if (decimal !== undefined) return decimal;
  let south = false, minus = false;
  const hemisphere = /\s*([NnSs])$/.exec(s);
  if (hemisphere) {
    south = hemisphere[1].toUpperCase() === "S";
    s = s.slice(0, hemisphere.index);
  }
  if (s.startsWith("-")) minus = true, s = s.slice(1);
  if ((minus && hemisphere) || !/^[\d.,°º'′’"″”\s]+$/.test(s)) return undefined;
  const parts = s.split(/[°º'′’"″”\s]+/).filter((p) => p !== "").map(typedNumber);
  if (parts.length < 1 || parts.length > 3 || parts.includes(undefined)) return undefined;
  const [degrees, minutes = 0, seconds = 0] = parts;
  // Whole degrees before minutes, whole minutes before seconds, each below 60.
  if ((parts.length > 1 && !Number.isInteger(degrees)) || (parts.length > 2 && !Number.isInteger(minutes)) ||
      minutes >= 60 || seconds >= 60)
    return undefined;
  const value = degrees + minutes / 60 + seconds / 3600;
  return south || minus ? -value : value;
}

// The fields, their names in messages, how they are read and what ETPF56 accepts.
export const FIELDS = [
  { id: "latitud", key: "latitude", name: "La latitud", read: typedLatitude,
    accepts: (x) => Math.abs(x) <= 90, range: "debe estar entre −90 y 90 grados (negativa o S al sur)" },
  { id: "altitud", key: "altitude", name: "La altitud", read: typedNumber,
    ambiguous: (text) => /^[+-]?\d{1,3}(\.\d{3})+$/.test(text),
    why: "es ambigua: ¿un punto de miles? Escriba los metros sin punto (1208) o con coma decimal (1,208)",
    accepts: (x) => x > -100000 && x < 100000, range: "debe estar entre −100 000 y 100 000 m" },
  // Below half a metre an anemometer measures no wind that FAO 56's eq. 47
  // can bring to 2 m (at 0 m it gives no wind at all).
  { id: "altura", key: "windHeight", name: "La altura del anemómetro", read: typedNumber,
    accepts: (x) => x >= 0.5 && x < 1e300, range: "debe ser de al menos 0,5 m" },
];
export const ANGSTROM = [
  { id: "as", key: "as", name: "El coeficiente as", empty: "vacío", read: typedNumber, accepts: Number.isFinite, range: "" },
  { id: "bs", key: "bs", name: "El coeficiente bs", empty: "vacío", read: typedNumber, accepts: Number.isFinite, range: "" },
];

// The values of `fields` as typed (`texts` by id), and a message for each
// one that is empty, ambiguous, not a number or out of range.
export function readFields(fields, texts) {
  const values = {}, problems = [];
  for (const f of fields) {
    const text = (texts[f.id] ?? "").trim();
    const x = text === "" ? undefined : f.read(text);
    if (text === "") problems.push({ id: f.id, message: `${f.name} está ${f.empty ?? "vacía"}.` });
    else if (f.ambiguous?.(text)) problems.push({ id: f.id, message: `${f.name} «${text}» ${f.why}.` });
    else if (x === undefined || Number.isNaN(x)) problems.push({ id: f.id, message: `${f.name} «${text}» no es un número.` });
    else if (!f.accepts(x)) problems.push({ id: f.id, message: `${f.name} ${f.range}.` });
    else values[f.key] = x;
  }
  return { values, problems };
}

// The values of FAO 56's procedures for missing data.
export const ESTIMATES = [
  { id: "krs", key: "krs", name: "El coeficiente kRs", empty: "vacío", read: typedNumber,
    accepts: (x) => x > 0 && Number.isFinite(x), range: "debe ser mayor que 0 (0,16 en el interior, 0,19 en la costa)" },
  { id: "desfase", key: "offset", name: "La diferencia entre Tmín y el punto de rocío", read: typedNumber,
    accepts: (x) => x >= 0 && x < 100, range: "debe estar entre 0 y 100 °C (0, o 2 en zonas áridas)" },
  { id: "viento-constante", key: "windSpeed", name: "El viento constante", empty: "vacío", read: typedNumber,
    accepts: (x) => x >= 0 && Number.isFinite(x), range: "no puede ser negativo" },
];

// The fields of readings of the hour or finer: the station's longitude and
// time zone (for the solar time, FAO 56 eq. 31), the period between
// readings, and Rs/Rso where the sun is low.
export const HOURLY = [
  { id: "longitud", key: "longitude", name: "La longitud", read: typedNumber,
    accepts: (x) => Math.abs(x) <= 180, range: "debe estar entre −180 y 180 grados (negativa al oeste)" },
  { id: "huso", key: "utcOffset", name: "El huso horario", empty: "vacío", read: typedNumber,
    accepts: (x) => x >= -12 && x <= 14, range: "debe estar entre −12 y 14 horas respecto de UTC" },
  { id: "periodo-min", key: "periodMinutes", name: "El período", empty: "vacío", read: typedNumber,
    accepts: (x) => Number.isInteger(x) && x >= 1 && x <= 60 && 60 % x === 0,
    range: "debe dividir la hora en partes iguales (60, 30, 15, 10, 5 min…)" },
  { id: "rs-rso-noche", key: "nightRatio", name: "Rs/Rso de noche", read: typedNumber,
    accepts: (x) => x >= 0.3 && x <= 1, range: "debe estar entre 0,3 y 1" },
];

// The fields that the choices need.
export function neededFields(o) {
  if (hourly(o)) return [FIELDS[0], FIELDS[1], ...HOURLY, ...(o.wind === "constante" ? [ESTIMATES[2]] : [FIELDS[2]])];
  const fields = [FIELDS[0], FIELDS[1]];
  if (o.wind !== "constante") fields.push(FIELDS[2]);
  if (fromSunshine(o)) fields.push(...ANGSTROM);
  if (o.radiation === "temperaturas" || o.estimate) fields.push(ESTIMATES[0]);
  if (o.humidity === "tmin" || o.estimate) fields.push(ESTIMATES[1]);
  if (o.wind === "constante" || o.estimate) fields.push(ESTIMATES[2]);
  return fields;
}
