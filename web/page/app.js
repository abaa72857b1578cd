// The page: a station's CSV file in, the FAO 56 reference evapotranspiration
// of every day out, computed by torven's engine and the add-in's own
// worksheet entries in WebAssembly.  The page chooses, writes the formula,
// and shows what the engine reports.
import uPlot from "uplot";
import { BOOL, ERR, Engine, NUM, valueOf } from "./torven.js";
import { DATE_INPUTS, INPUTS, UNITS, UNIT_OF, dateNumber, dateSerial, daysOfMonth,
         estimatedVariables, et0Formula, every, failureReason, fromSunshine, guardedReading, hourly, monthly, readingOf,
         readingTime, requiredInputs, serialNumber, setUnits, showResult, windAt2m } from "./et0.js";
import { HOURLY_COLUMNS, hourlyFormulas } from "./horario.js";
import { IRRIGATION_COLUMNS, adjustedKc, irrigationFormulas } from "./riego.js";
import { DUAL_COLUMNS, dualFormulas } from "./riego_dual.js";
import { drawDepletion, fillIrrigationForm, fillRainChoices, readSeason, showSeason, typedDate } from "./riego_ui.js";
import { NAMES, dateTick } from "./chart_axes.js";
import { byDate, thinned } from "./chart_points.js";
import { chartWidth, drawChart } from "./grafico.js";
import { call, cell, inputsOf, num, op, write } from "./formula.js";
import { columnLetter, columnName, shellWord, torvenDialect } from "./references.js";
import { markFields } from "./avisos.js";
import { ANGSTROM, ESTIMATES, FIELDS, HOURLY, neededFields, readFields, typedLatitude } from "./station.js";

const $ = (id) => document.getElementById(id);
const SHOWN_FAILURES = 20;
let engine, table, run, mapping, reportAt;
// The job of the last run that succeeded: the download runs it again with its
// output written (the page's runs only report).
let downloadJob;
// The ET0's choices, units and formulas ({ o, units, et0, mark, month }, and
// the season of the last balance computed); the irrigation's columns.
let computed, irrigation = [];
// With readings of the hour or finer: each day's rows (by aaaammdd).
let hoursOfDay = new Map();
// The serial of 1970-01-01 in the 1900 system.
const EPOCH_SERIAL = 25569;
const ALL_FIELDS = [...FIELDS, ...ANGSTROM, ...ESTIMATES, ...HOURLY];

// Says `text` in the status line by the button the user pressed: the ET0's
// ("estado"), or the irrigation's ("estado-riego").
function setStatus(text, error = false, where = "estado") {
  $(where).textContent = text;
  $(where).className = error ? "error" : "";
}
const irrigationStatus = (text, error = false) => setStatus(text, error, "estado-riego");

// --- Reading the file ----------------------------------------------------------------

class NotText extends Error {}

// Why the engine found the file not to be text.
function flawText(t) {
  switch (t.flaw) {
    case "nul-byte": return `tiene un byte NUL (byte ${t.at})`;
    case "unassigned-byte":
      return `el byte ${t.at} (0x${t.byte.toString(16).toUpperCase().padStart(2, "0")}) no es válido ni en UTF-8 ni en Windows-1252`;
    case "nul-character": return `su texto ${t.encoding} tiene un carácter NUL (byte ${t.at})`;
    default: return `su texto ${t.encoding} tiene un carácter incompleto o un sustituto sin pareja`;
  }
}

async function readFile(file) {
  $("paso-columnas").hidden = true;
  $("paso-resultados").hidden = true;
  $("archivo-info").textContent = "";
  await engine.readFile(file);
  const t = engine.readTable();
  if (!t.text) throw new NotText(flawText(t));
  if (t.refused) throw new Error(t.refused.replace(/^csv: /, ""));
  if (t.rows + t.skipped.length === 0) throw new Error("el archivo no tiene filas de datos");
  table = { name: file.name, ...t };
  $("siembra").value = "";  // the next season starts on this file's first day
  const skipped = t.skipped;
  // The gap codes the engine found, per column, with their counts.
  const gaps = t.gaps.flatMap((codes, c) => codes.map(([code, n]) => `${t.header[c]} ${n} «${code}»`));
  const delimiter = { "\t": "tab", " ": "espacios" }[t.delimiter] ?? t.delimiter;
  $("archivo-info").textContent =
    `${file.name}: ${t.rows} filas, separador «${delimiter}», ${t.encoding}` +
    (t.headerLine === 2 ? "; encabezado en la línea 2 (la anterior se omite)"
     : t.headerLine > 2 ? `; encabezado en la línea ${t.headerLine} (las ${t.headerLine - 1} anteriores se omiten)` : "") +
    (t.unitsLine > 0 ? `; unidades en la línea ${t.unitsLine}` : "") +
    (skipped.length === 1 ? `; 1 fila irregular se omite (línea ${skipped[0]})`
     : skipped.length ? `; ${skipped.length} filas irregulares se omiten (líneas ${listed(skipped, 5)})` : "") +
    (t.open ? "; una comilla queda abierta al final" : "") +
    (gaps.length ? `; datos faltantes (se leen como celdas vacías): ${gaps.join(", ")}` : "");
  // Numbers with a decimal comma when the engine found them so (';' between
  // fields, or commas in the numbers of a file separated by tabs or spaces).
  $("coma").checked = t.decimalComma;
  fillMapping();
  $("paso-columnas").hidden = false;
  $("paso-resultados").hidden = true;
  setStatus("Revise las columnas y los datos de la estación, y pulse Calcular.");
}

// The first `n` numbers of a list, "5, 9 y 12", or "5, 9, 12… (y 4 más)".
const listed = (numbers, n) => numbers.length <= n
  ? numbers.slice(0, -1).join(", ") + " y " + numbers.at(-1)
  : `${numbers.slice(0, n).join(", ")}… (y ${numbers.length - n} más)`;

// The columns, units, period and anemometer height as the engine guessed
// them from the file (every choice the user's to change).
function fillMapping() {
  const guess = table.guess;
  setUnits(table.unitTable);
  // The choices the new file's columns suggest (not those of the file before).
  $(guess.fecha >= 0 || guess.anio < 0 ? "fecha-columna" : guess.diaAnio >= 0 ? "fecha-anio-dia" : "fecha-partes").checked = true;
  // Readings of the hour or finer (as the engine found them, with their
  // period); a month column without a day, and no month repeated row after
  // row: monthly means.
  $(table.hours ? "periodo-horario" : table.monthly ? "periodo-mensual" : "periodo-diario").checked = true;
  if (table.hours) $("periodo-min").value = String(table.hours.period);
  if (table.windHeight > 0) $("altura").value = engine.showNumber(table.windHeight, true);
  $(guess.rs < 0 && guess.he >= 0 ? "rad-horas" : "rad-medida").checked = true;
  $("viento-medido").checked = true;
  $(guess.hrmax >= 0 ? "hum-extremas" : guess.hrmed >= 0 ? "hum-media" : guess.troc >= 0 ? "hum-rocio"
    : guess.pv >= 0 ? "hum-vapor" : "hum-extremas").checked = true;
  const box = $("columnas");
  box.replaceChildren();
  for (const [input, label] of Object.entries(INPUTS)) {
    const select = document.createElement("select");
    select.id = "col-" + input;
    select.setAttribute("aria-label", `${label}: columna del archivo`);
    select.append(new Option("—", "-1"));
    table.header.forEach((name, i) => select.append(new Option(name, String(i))));
    select.value = String(guess[input === "rsh" ? "rs" : input] ?? -1);
    const row = document.createElement("label");
    row.className = "columna";
    row.dataset.input = input;
    row.append(label, select);
    if (UNIT_OF[input]) {
      const unit = document.createElement("select");
      unit.id = "unidad-" + input;
      unit.setAttribute("aria-label", `${label}: unidad`);
      for (const u of UNITS[UNIT_OF[input]]) unit.append(new Option(u.label, u.id));
      const guessUnitOf = () => {
        const c = Number(select.value);
        unit.value = c >= 0 ? table.unitGuess[c][UNIT_OF[input]] : UNITS[UNIT_OF[input]][0].id;
      };
      guessUnitOf();
      select.addEventListener("change", guessUnitOf);
      row.append(unit);
    }
    box.append(row);
  }
  $("col-fecha").addEventListener("change", showDateOrder);
  fillRainChoices(table.header, guess.lluvia);
  $("confirmar").checked = false;
  $("confirmar-caja").hidden = true;
  showNeeded();
  showDateOrder();
}

function options() {
  const value = (name) => document.querySelector(`input[name=${name}]:checked`).value;
  const o = { date: value("fecha"), radiation: value("radiacion"), humidity: value("humedad"), wind: value("viento"),
              estimate: $("estimar").checked, decimalComma: $("coma").checked, period: value("periodo") };
  if (hourly(o)) Object.assign(o, { date: "fecha", estimate: false, start: $("etiqueta").value === "inicio",
                                    form: $("forma-horaria").value, carry: $("arrastrar").checked });
  if (monthly(o)) {
    o.hasYear = Number($("col-anio")?.value ?? -1) >= 0;
    o.normals = normalsOf(Number($("col-mes")?.value ?? -1));
  }
  const column = Number($("col-fecha")?.value ?? -1);
  o.dateFormat = o.date === "fecha" && column >= 0 ? dateFormat(table.dates[column], table.first[0]?.[column] ?? "") : "texto";
  o.dates = o.date === "fecha" && column >= 0 && table.dates[column].slash > 0 ? $("orden-fecha").value : "";
  return o;
}

// --- Dates -------------------------------------------------------------------------------

// Twelve monthly normals: twelve rows, January to December in order, from
// the first row of data (row 2, or 3 below a row of units); their first and last rows.
function normalsOf(column) {
  if (column < 0 || table.rows !== 12 || table.skipped.length > 0) return undefined;
  const months = table.first.slice(0, 12).map((row) => engine.numberOf(row[column].trim()));
  if (!months.every((m, i) => m === i + 1)) return undefined;
  const first = table.unitsLine > 0 ? 3 : 2;
  return { first, last: first + 11 };
}

// How a date column writes its dates, as the engine judged its first rows:
// aaaammdd, a year and its day (2022-032 or 2022032), or a date text or
// serial number.
function dateFormat(profile, first) {
  if (profile.form === "compact") return "aaaammdd";
  if (profile.form === "yearDay") return first.includes("-") ? "aaaa-ddd" : "aaaaddd";
  return "texto";
}

// The order of d/m/y dates, as the column's first rows decide it (a part
// above 12), or asked of the user when none does.  (Whether the dates can be
// read as they are, the engine says when it runs.)
function showDateOrder() {
  const column = Number($("col-fecha")?.value ?? -1);
  const p = column >= 0 && options().date === "fecha" ? table.dates[column] : undefined;
  $("orden-caja").hidden = !p || p.slash === 0;
  if (p) $("orden-fecha").value = p.order === 1 ? "dmy" : p.order === 0 ? "mdy" : "";
}

// The station's values, each field marked when it is refused (the first focused).
function stationValues(o) {
  const texts = Object.fromEntries(ALL_FIELDS.map((f) => [f.id, $(f.id).value]));
  const { values, problems } = readFields(neededFields(o), texts);
  markFields(ALL_FIELDS.map((f) => f.id), problems);
  return { values, problems };
}

function showLatitude() {
  const x = typedLatitude($("latitud").value);
  $("latitud-decimal").textContent = x === undefined || $("latitud").value.trim() === "" ? "" : `= ${engine.showNumber(x, true)}°`;
}

function showNeeded() {
  const o = options();
  const needed = requiredInputs(o);
  if (monthly(o)) needed.push("anio");  // a year, when the months are a series
  if (hourly(o)) needed.push("horaDia");   // the time of day, when a column of its own gives it
  for (const row of document.querySelectorAll(".columna")) row.hidden = !needed.includes(row.dataset.input);
  $("fecha-caja").hidden = monthly(o) || hourly(o);
  for (const id of ["radiacion-caja", "humedad-caja", "estimar-caja"]) $(id).hidden = hourly(o);
  $("horario-caja").hidden = !hourly(o);
  $("faltantes-caja").hidden = hourly(o) && o.wind !== "constante";  // with hours, only a constant wind's value
  $("angstrom").hidden = !fromSunshine(o);
  const shown = new Set(neededFields(o).map((f) => f.id));
  for (const f of [...ESTIMATES, FIELDS[2], ...HOURLY]) $(f.id).closest(".campo, label").hidden = !shown.has(f.id);
}

// --- Computing -------------------------------------------------------------------------

async function calculate() {
  const o = options();
  const station = stationValues(o);
  if (station.problems.length) {
    $("paso-resultados").hidden = true;
    return setStatus("No se calcula: " + station.problems.map((p) => p.message).join(" "), true);
  }
  Object.assign(o, station.values);
  mapping = {};
  const units = {};
  for (const input of Object.keys(INPUTS)) {
    mapping[input] = Number($("col-" + input).value);
    if (UNIT_OF[input]) units[input] = $("unidad-" + input).value;
  }
  const missing = requiredInputs(o).filter((input) => mapping[input] < 0);
  if (missing.length) {
    $("paso-resultados").hidden = true;
    return setStatus("Falta elegir la columna de: " + missing.map((i) => INPUTS[i]).join(", "), true);
  }
  irrigation = [];
  if (hourly(o)) return calculateHourly(o, units);
  computed = { o, units, ...et0Formula(o, units) };
  // A month's ET0: its mm/d times its days, from the ET0 column (the first added).
  mapping.et0 = table.header.length;
  computed.month = monthly(o) ? op("*", cell("et0"), daysOfMonth(o)) : null;
  // The job torven --csv runs for the formulas shown, and for the report the
  // date (aaaammdd) and, per estimated variable, whether its readings are
  // numbers.  The engine checks what reaches ETPF56: a median that cannot be
  // right stops the job unless the user confirms the values.
  const checks = estimatedVariables(o).map((v) => every(v.inputs));
  const columns = addedColumns();
  reportAt = columns.length;
  o.accept = $("confirmar").checked && !$("confirmar-caja").hidden;
  const job = jobOf(o, columns, [monthly(o) ? cell("mes") : dateNumber(o), ...checks]);
  const { attempt, elapsed } = await timedRun(job);
  // A quantity that cannot be in the unit chosen blocks the results, unless confirmed.
  $("confirmar-caja").hidden = attempt.findings.length === 0 || (attempt.status !== 2 && !o.accept);
  if (attempt.status === 2) {
    $("paso-resultados").hidden = true;
    return setStatus(attempt.findings.length ? "No se muestran resultados: " + attempt.findings.join(" ") +
                     " Corrija la unidad, o confirme que los valores son correctos."
                     : "No se calcula: " + attempt.messages, true);
  }
  run = Object.assign(attempt, { monthly: monthly(o), et0At: 0, dateAt: reportAt });
  downloadJob = job;
  showResults(mapping, o, elapsed);
}

// Runs the ET0's job, the button off and the status said meanwhile: the
// engine's report and the milliseconds it took.
async function timedRun(job) {
  $("calcular").disabled = true;
  setStatus("Calculando…");
  await new Promise((resolve) => setTimeout(resolve, 0));
  const started = performance.now();
  const attempt = engine.run(job);
  const elapsed = performance.now() - started;
  $("calcular").disabled = false;
  return { attempt, elapsed };
}

// Readings of the hour or finer: each period's ET0 by the hourly columns
// (horario.js), the wind brought to 2 m (eq. 47), the radiation's rate over
// the period; the report gives each row's ET0, its day's total on the day's
// last row, and the day (aaaammdd).
async function calculateHourly(o, units) {
  if (mapping.horaDia >= 0 && table.dates[mapping.horaDia].clock === "none") {
    $("paso-resultados").hidden = true;
    return setStatus(`No se calcula: la columna «${table.header[mapping.horaDia]}» no da la hora del día como 13:30, 13 ` +
                     "o 1330. Elija «—» si la fecha ya trae la hora.", true);
  }
  const hours = o.periodMinutes / 60;
  const z = o.wind === "constante" ? 2 : o.windHeight;
  const wind = o.wind === "constante" ? num(o.windSpeed) : guardedReading("viento", units);
  const u2 = windAt2m(wind, z);
  const rate = guardedReading("rsh", units);
  const f = hourlyFormulas({
    serial: mapping.horaDia >= 0 ? readingTime(table.dates[mapping.horaDia].clock) : cell("fecha"),
    hours, start: o.start, latitude: o.latitude, lz: -15 * o.utcOffset, lm: -o.longitude,
    altitude: o.altitude, t: guardedReading("tmed", units), rh: guardedReading("hrmed", units), u2,
    rs: hours === 1 ? rate : op("*", rate, num(hours)), nightRatio: o.nightRatio, carry: o.carry, form: o.form });
  computed = { o, units, et0: f.et0_h, mark: null, month: null, hourly: HOURLY_COLUMNS.map((n) => [n, f[n]]) };
  const columns = addedColumns();
  columns.forEach(([name], i) => { mapping[name] = table.header.length + i; });
  reportAt = columns.length;
  const job = jobOf(o, columns, [cell("et0_h"), cell("total_dia"), serialNumber(cell("medio")), cell("medio")]);
  const { attempt, elapsed } = await timedRun(job);
  $("confirmar-caja").hidden = true;
  if (attempt.status === 2) {
    $("paso-resultados").hidden = true;
    return setStatus("No se calcula: " + attempt.messages, true);
  }
  run = Object.assign(attempt, { monthly: false, et0At: reportAt, dateAt: reportAt + 2 });
  downloadJob = job;
  showHourlyResults(o, elapsed);
}

// The columns the page adds: [name, formula].
const addedColumns = () => {
  if (computed.hourly) return computed.hourly;
  const { et0, mark, month } = computed;
  return [["et0", et0], ...(month ? [["et0_mes", month]] : []), ...(mark ? [["estimado", mark]] : []), ...irrigation];
};

// The measured columns the formula reads (not the date's).
const measuredInputs = (o) => requiredInputs(o).filter((i) => !DATE_INPUTS.includes(i));

// --- Irrigation --------------------------------------------------------------------------

// The means over the mid-season and the late season of u2 at 2 m (FAO 56
// eq. 47 from the anemometer's height) and of RHmin (measured, or eq. 63 from
// Tmin as dew point), as the engine computes them for each row.
function climateMeans(o, units, day, stages, season) {
  const z = o.wind === "constante" ? 2 : o.windHeight;
  const wind = o.wind === "constante" ? num(o.windSpeed) : readingOf("viento", units);
  const u2 = windAt2m(wind, z);
  const measuredRh = o.humidity === "extremas";
  const rhMin = measuredRh ? readingOf("hrmin", units)
    : op("*", op("/", call("PVSF56", readingOf("tmin", units)), call("PVSF56", readingOf("tmax", units))), num(100));
  const means = engine.run(jobOf(o, [["dia", day]], [u2, rhMin], season));
  const sums = [[0, 0, 0], [0, 0, 0]];  // per stage: u2, RHmin, days
  for (let r = 0; r < means.rows; ++r) {
    const [d, u, h] = [0, 1, 2].map((i) => valueOf(means, r, i));
    if (![d, u, h].every((v) => v.type === NUM)) continue;
    const stage = d.num > stages[1] && d.num <= stages[2] ? 0 : d.num > stages[2] && d.num <= stages[3] ? 1 : -1;
    if (stage >= 0) sums[stage] = [sums[stage][0] + u.num, sums[stage][1] + h.num, sums[stage][2] + 1];
  }
  return { mid: sums[0], late: sums[1], measuredRh, problems: means.season.problems || (means.status === 2 ? means.messages : "") };
}

// The --csv job of the added columns [name, formula], with `report` evaluated
// beside them, as torven reads the file; with a season ("first/last"), the
// engine checks that its rows are its days.
const jobOf = (o, columns, report, season = "") => ({
  mark: jobMark(o), formula: columns.map(([, f]) => namedFormula(f, o)), name: columns.map(([n]) => n),
  report: report.map((f) => namedFormula(f, o)), missing: gapCodes(o), dates: o.dates, findings: "es", write: "no",
  ...(o.accept ? { accept: "implausible" } : {}), ...(season ? { season } : {}),
});

const jobMark = (o) => {
  const { flags } = torvenDialect(table.decimalComma, o.decimalComma);
  return flags.includes("--decimal-point") ? "point" : flags.includes("--decimal-comma") ? "comma" : "auto";
};

const DAY_MS = 86400000;

// A day (ms UTC) as the engine reads a season's days: 2020-04-15.
const isoDay = (when) => new Date(when).toISOString().slice(0, 10);

async function calculateIrrigation() {
  const { o, units } = computed;
  const { season, problems } = readSeason(table.header);
  const failed = (text) => {
    $("riego-resultados").hidden = true;
    irrigationStatus("No se calcula el riego: " + text, true);
  };
  if (problems.length) return failed(problems.map((p) => p.message).join(" "));
  mapping.lluvia = season.rain ?? -1;
  const stages = season.lengths.reduce((acc, l) => [...acc, (acc.at(-1) ?? 0) + l], []);
  // The engine checks that the season's rows are its days, one a row, in
  // order: the balance reads the row above as the day before.
  const first = Date.UTC(season.start[0], season.start[1] - 1, season.start[2]);
  const days = isoDay(first) + "/" + isoDay(first + (stages[3] - 1) * DAY_MS);
  const day = op("+", op("-", dateSerial(o), call("FECHA", ...season.start.map(num))), num(1));
  // Kc mid and end (Kcb mid and end, eq. 70, with the dual coefficient) adjusted
  // to the climate with the means of their stages; Kc max (eq. 72) takes the
  // mid-season's.
  const dual = season.dual === true;
  let [kcMid, kcEnd] = dual ? [season.kcbMid, season.kcbEnd] : [season.kcMid, season.kcEnd], note = "";
  let climate = { u2: 2, rhMin: 45 };
  const name = dual ? "Kcb" : "Kc";
  if (season.adjustKc || dual) {
    const { mid, late, measuredRh, problems } = climateMeans(o, units, day, stages, days);
    if (problems) return failed(problems);
    if (mid[2] === 0) return failed("ningún día de la etapa media tiene datos en el archivo.");
    // The means to the hundredth, as the formula shows them.
    const mean = (sum, n) => Math.round(sum / n * 100) / 100;
    const show = (x) => engine.showNumber(x, true);
    [mid[0], mid[1], late[0], late[1]] = [mean(mid[0], mid[2]), mean(mid[1], mid[2]), mean(late[0], late[2]), mean(late[1], late[2])];
    climate = { u2: mid[0], rhMin: mid[1] };
    const table = dual ? season.kcbEnd : season.kcEnd;
    if (season.adjustKc) {
      kcMid = adjustedKc(dual ? season.kcbMid : season.kcMid, mid[0], mid[1], season.h);
      note = `${name} med ajustado con u2 ${show(mid[0])} m/s y HRmín ${show(mid[1])} % (media de ${mid[2]} días)`;
      if (table > 0.45 && late[2] > 0) {  // eq. 65 only above 0.45
        kcEnd = adjustedKc(table, late[0], late[1], season.h);
        note += `; ${name} fin con u2 ${show(late[0])} m/s y HRmín ${show(late[1])} %`;
      }
    } else {
      note = `Kc máx con u2 ${show(mid[0])} m/s y HRmín ${show(mid[1])} % (media de ${mid[2]} días de la etapa media)`;
    }
    if (!measuredRh) note += "; HRmín estimada de Tmín como punto de rocío (ec. 63)";
    note += ".";
  }
  const rain = season.rain === null ? null : "lluvia", serial = dateSerial(o);
  const formulas = dual ? dualFormulas({ ...season, serial, kcbMid: kcMid, kcbEnd: kcEnd, ...climate, rain })
    : irrigationFormulas({ ...season, serial, kcMid, kcEnd, rain });
  const previous = irrigation;
  irrigation = (dual ? DUAL_COLUMNS : IRRIGATION_COLUMNS).map((name) => [name, formulas[name]]);
  addedColumns().forEach(([name], i) => { mapping[name] = table.header.length + i; });
  const columns = addedColumns();
  $("calcular-riego").disabled = true;
  irrigationStatus("Calculando el riego…");
  await new Promise((resolve) => setTimeout(resolve, 0));
  const job = jobOf(o, columns, [dateNumber(o), ...(season.rain === null ? [] : [cell("lluvia")])], days);
  const attempt = engine.run(job);
  $("calcular-riego").disabled = false;
  if (attempt.status === 2 || attempt.season.problems) {
    irrigation = previous;
    return failed(attempt.season.problems || attempt.messages);
  }
  if (attempt.season.endNote) note += " " + attempt.season.endNote;
  reportAt = columns.length;
  run = Object.assign(attempt, { monthly: false, et0At: 0, dateAt: reportAt });
  downloadJob = job;
  computed.season = days;
  showIrrigation(o, season, note);
  showFormulas(o);
}

function showIrrigation(o, season, note) {
  const at = (name) => addedColumns().findIndex(([n]) => n === name);
  const value = (r, name) => { const v = valueOf(run, r, at(name)); return v.type === NUM ? v.num : NaN; };
  const dual = season.dual === true;
  // With the dual coefficient, ETc adj is transpiration (Ks Kcb ET0) and the soil's evaporation (E) apart.
  const totals = { days: 0, etc: 0, etc_aj: 0, lluvia: 0, percolacion: 0, riego_neto: 0, riego_bruto: 0, t: 0, e: 0, dual };
  const calendar = [], xs = [], series = [[], [], [], [], [], ...(dual ? [[], []] : [])];
  let stopped = "";
  for (let r = 0; r < run.rows && !stopped; ++r) {
    if (valueOf(run, r, at(dual ? "kcb" : "kc")).type !== NUM) continue;  // outside the season
    // A day without ET0 ends the balance: the depletion of every later day reads it.
    if ([dual ? "etc_aj" : "etc", "dr"].some((name) => valueOf(run, r, at(name)).type !== NUM)) {
      stopped = interruption(o, r, totals.days > 0 ? dateOf(r) - DAY_MS : NaN);
      break;
    }
    ++totals.days;
    for (const name of [...(dual ? ["e"] : ["etc"]), "etc_aj", "percolacion", "riego_neto", "riego_bruto"])
      totals[name] += value(r, name) || 0;
    if (dual) totals.t += value(r, "etc_aj") - value(r, "e");
    const rain = season.rain === null ? null : valueOf(run, r, reportAt + 1);
    const rainMm = rain && rain.type === NUM ? rain.num : 0;
    totals.lluvia += rainMm;
    const net = value(r, "riego_neto");
    if (net > 0) calendar.push([dayText(dateOf(r)), net, value(r, "riego_bruto")]);
    const when = dateOf(r);
    if (Number.isNaN(when)) continue;
    xs.push(when / 1000);
    [value(r, "dr"), value(r, "raw"), value(r, "taw"), rainMm, net > 0 ? net : 0,
     ...(dual ? [value(r, "etc_aj") - value(r, "e"), value(r, "e")] : [])].forEach((v, i) => series[i].push(v));
  }
  showSeason(engine, totals, note, calendar, irrigation.map(([name, f]) => [name, "=" + write(f, reference, engine)]), stopped);
  drawDepletion(engine, xs, series, chartCell);
  if (stopped) irrigationStatus(stopped, true);
  else irrigationStatus("Riego calculado. La descarga trae las columnas del riego.");
}

// What ended the balance on row `r` (the day before it, `lastDay`): its ET0
// failed, for the cells the engine names; and, when FAO 56's procedures for
// missing data would estimate them, how to have them.
function interruption(o, r, lastDay) {
  const inputs = inputsOf(computed.et0), estimated = estimatedVariables(o).flatMap((v) => v.inputs);
  const reason = failureReason(engine, run.faulty.get(r), mapping, inputs, valueOf(run, r, 0), estimated);
  const causes = (run.faulty.get(r) ?? []).map((c) => inputs.find((i) => mapping[i] === c.column)).filter(Boolean);
  const estimable = estimatedVariables({ ...o, estimate: true }).flatMap((v) => v.inputs);
  const offer = !o.estimate && causes.length > 0 && causes.every((i) => estimable.includes(i));
  return `El balance se interrumpe el ${dayText(dateOf(r))} (línea ${run.lines[r]}): ET0 sin dato` +
    (reason ? ` (${reason})` : "") + ". " +
    (Number.isNaN(lastDay) ? "No hay totales." : `Los totales y el calendario llegan hasta el ${dayText(lastDay)}.`) +
    (offer ? " Marque «Estimar los días sin dato» (FAO 56) y calcule la ET0 y el riego de nuevo." : "");
}

// --- Results ------------------------------------------------------------------------------

// A row's date (milliseconds, UTC) from the parts the engine reported; NaN
// when it has none.
function dateOf(r) {
  const v = valueOf(run, r, run.dateAt);
  return v.type !== NUM || run.monthly ? NaN : msOfDate(v.num);
}

// A day written aaaammdd, in milliseconds UTC.
const msOfDate = (date) => Date.UTC(Math.floor(date / 10000), Math.floor(date / 100) % 100 - 1, date % 100);

// The name of a result that is not a number.
const failedName = (v) => v.type === ERR ? engine.errorName(v.code, true) : "#¡VALOR!";

function showResults(mapping, o, elapsed) {
  $("paso-resultados").hidden = false;  // shown first, so that the chart takes its box's width
  // Over the report's arrays (a row's ET0 first, its date number at reportAt).
  const { rows, width, kinds, numbers } = run;
  const errors = new Map(), sums = new Map();
  const xs = new Float64Array(rows), ys = new Float64Array(rows);
  let dated = 0;
  for (let r = 0, at = 0; r < rows; ++r, at += width) {
    if ((kinds[at] & 0xffff) !== NUM) {
      const name = failedName(valueOf(run, r, 0));
      errors.set(name, (errors.get(name) ?? 0) + 1);
      continue;
    }
    if (run.monthly) {  // the months' totals, in mm
      const [sum, months] = sums.get("meses") ?? [0, 0];
      if ((kinds[at + 1] & 0xffff) === NUM) sums.set("meses", [sum + numbers[at + 1], months + 1]);
      continue;
    }
    const date = (kinds[at + reportAt] & 0xffff) === NUM ? numbers[at + reportAt] : NaN;
    const year = Number.isNaN(date) ? "sin fecha" : Math.floor(date / 10000);
    const yearSum = sums.get(year);
    if (yearSum) yearSum[0] += numbers[at], ++yearSum[1];
    else sums.set(year, [numbers[at], 1]);
    if (Number.isNaN(date)) continue;
    xs[dated] = msOfDate(date) / 1000;
    ys[dated++] = numbers[at];
  }
  const ok = run.rows - [...errors.values()].reduce((a, b) => a + b, 0);
  $("resumen").textContent = `${run.rows} ${run.rows === 1 ? "fila calculada" : "filas calculadas"} en ` +
    `${elapsed.toFixed(0)} ms: ${ok} ${ok === 1 ? "valor" : "valores"}` +
    (errors.size ? ", " + [...errors].map(([name, n]) => `${n} ${name}`).join(", ") : ", ningún error") + "." +
    estimatedDays(o);
  $("tiempo").dataset.ms = String(elapsed);
  // Each year's sum says its days; a year with days missing is partial.
  const mm = (sum) => engine.showNumber(Math.round(sum * 10) / 10, true) + " mm";
  $("sumas").replaceChildren(...[...sums].map(([year, [sum, n]]) => {
    const all = typeof year === "number" ? (new Date(Date.UTC(year, 1, 29)).getUTCMonth() === 1 ? 366 : 365) : 0;
    const li = document.createElement("li");
    li.textContent = year === "meses" ? `${n} ${n === 1 ? "mes" : "meses"}: ${mm(sum)}`
      : all ? `${year}: ${mm(sum)} en ${n} de ${all} días${n < all ? " (año parcial)" : ""}` : `${year}: ${mm(sum)} (${n} días)`;
    return li;
  }));
  $("grafico-figura").hidden = monthly(o);
  $("horas-caja").hidden = true;
  if (!monthly(o)) drawEt0Chart(xs.subarray(0, dated), ys.subarray(0, dated), "ET0 diaria (mm/d)");
  showFormulas(o);
  listFailures(o);
  listDoubtful();
  fillTable(o);
  $("paso-resultados").hidden = false;
  $("paso-riego").hidden = monthly(o);
  $("riego-resultados").hidden = true;
  irrigationStatus("");
  // The season starts, unless the user says otherwise, on the file's first day.
  if ($("siembra").value.trim() === "" && dated > 0) $("siembra").value = dayText(xs[0] * 1000);
  const said = run.findings;  // what the engine's checks found over the rows (accepted, or calm wind)
  setStatus(o.accept && said.length ? "Calculado con valores que no parecen posibles, como se confirmó: " + said.join(" ")
            : "Listo. Puede descargar el archivo con la columna ET0." + (said.length ? " " + said.join(" ") : ""),
            o.accept && said.length > 0);
}

// The results of readings of the hour or finer: each year's sum and its
// days, the chart of each day's total, the formulas, the rows that failed.
function showHourlyResults(o, elapsed) {
  $("paso-resultados").hidden = false;  // shown first, so that the chart takes its box's width
  const { rows, width } = run;
  // A day with hours missing (as the engine found them) is left out of the
  // sums and the chart: its sum is not a day's.
  const sums = new Map(), xs = [], ys = [], partial = run.partialDays;
  hoursOfDay = new Map();  // each day's rows, for its chart
  let failed = 0;
  for (let r = 0, at = reportAt; r < rows; ++r, at += width) {
    const et0 = reportNumber(at), total = reportNumber(at + 1), date = reportNumber(at + 2);
    if (!Number.isNaN(date)) (hoursOfDay.get(date) ?? hoursOfDay.set(date, []).get(date)).push(r);
    if (Number.isNaN(et0)) {
      ++failed;
      continue;
    }
    const year = Number.isNaN(date) ? "sin fecha" : Math.floor(date / 10000);
    const [sum, days, left] = sums.get(year) ?? [0, 0, 0];
    const dayEnds = !Number.isNaN(total);
    if (partial.has(date)) {
      sums.set(year, [sum, days, left + (dayEnds ? 1 : 0)]);
      continue;
    }
    sums.set(year, [sum + et0, days + (dayEnds ? 1 : 0), left]);
    if (!dayEnds || Number.isNaN(date)) continue;
    xs.push(msOfDate(date) / 1000);
    ys.push(total);
  }
  $("resumen").textContent = `${rows} lecturas (cada ${o.periodMinutes} min) calculadas en ${elapsed.toFixed(0)} ms: ` +
    `${rows - failed} valores de ET0, ${failed ? `${failed} con error` : "ningún error"}; ${xs.length} días.`;
  $("tiempo").dataset.ms = String(elapsed);
  const mm = (sum) => engine.showNumber(Math.round(sum * 10) / 10, true) + " mm";
  const inDays = (n) => `${n} ${n === 1 ? "día" : "días"}`;
  $("sumas").replaceChildren(...[...sums].map(([year, [sum, days, left]]) => Object.assign(document.createElement("li"), {
    textContent: `${year}: ${mm(sum)} en ${inDays(days)} completos` +
                 (left ? `; sin ${inDays(left)} con horas faltantes (su suma no es la de un día)` : "") })));
  $("grafico-figura").hidden = false;
  drawEt0Chart(Float64Array.from(xs), Float64Array.from(ys), "ET0 de cada día, suma de sus períodos (mm/d)");
  // One day's readings, on demand: the first day, until the user picks another.
  const days = [...hoursOfDay.keys()];
  $("horas-caja").hidden = days.length === 0;
  if (days.length) {
    const [low, high] = days.reduce(([l, h], d) => [Math.min(l, d), Math.max(h, d)], [Infinity, -Infinity]);
    $("dia-horas-rango").textContent = `(del ${dayText(msOfDate(low))} al ${dayText(msOfDate(high))})`;
    $("dia-horas").value = dayText(msOfDate(days[0]));
    drawDayHours();
  }
  showFormulas(o);
  listFailures(o);
  listDoubtful();
  fillTable(o);
  $("paso-riego").hidden = true;
  const said = run.findings;  // the days the readings cover: partial days, clock changes
  setStatus("Listo. Puede descargar el archivo con las columnas de la ET0 horaria." + (said.length ? " " + said.join(" ") : ""));
}

// The number at `at` in the report's arrays, NaN where the value is none.
const reportNumber = (at) => (run.kinds[at] & 0xffff) === NUM ? run.numbers[at] : NaN;

// The readings of the day the user picked: each period's ET0 at its midpoint.
function drawDayHours() {
  const [y, m, d] = typedDate($("dia-horas").value) ?? [];
  const rowsOfDay = y ? hoursOfDay.get(y * 10000 + m * 100 + d) ?? [] : [];
  const xs = [], ys = [];
  for (const r of rowsOfDay) {
    const at = r * run.width + reportAt;
    xs.push(Math.round((reportNumber(at + 3) - EPOCH_SERIAL) * 86400));
    ys.push(reportNumber(at));
  }
  const time = (seconds) => new Date(seconds * 1000).toISOString().slice(11, 16);
  const mm = (v) => Number.isFinite(v) ? engine.showNumber(Math.round(v * 1000) / 1000, true) : "";
  const known = ys.filter(Number.isFinite);
  const top = ys.indexOf(Math.max(...known));
  const summary = !y ? "Escriba el día como dd/mm/aaaa." : xs.length === 0 ? "El archivo no tiene lecturas de ese día."
    : `${xs.length} períodos el ${dayText(Date.UTC(y, m - 1, d))}, con ET0 en ${known.length}: ` +
      `suma ${mm(known.reduce((a, v) => a + v, 0))} mm` + (top >= 0 ? `; la mayor, ${mm(ys[top])} mm, a las ${time(xs[top])}.` : ".");
  drawChart("grafico-horas", {
    title: "ET0 de cada período (mm), a la hora de su punto medio",
    series: [{ label: "Hora" }, { label: "ET0 (mm)", stroke: "#2a6f4a", width: 1.5 }],
    axes: [{ label: "Hora", values: (u, ticks) => ticks.map(time) },
           { label: "ET0 (mm)", values: (u, ticks) => ticks.map((v) => engine.showNumber(v, true)) }],
    scales: { x: { time: true } },
    tzDate: (seconds) => uPlot.tzDate(new Date(seconds * 1000), "Etc/UTC"),
  }, [xs, ys], summary, (v, column) => column === 0 ? time(v) : mm(v));
}

// The rows whose readings the engine found doubtful: line, date, causes.
function listDoubtful() {
  const total = run.doubtful.size;
  const items = [...run.doubtful].slice(0, SHOWN_FAILURES).map(([r, why]) =>
    Object.assign(document.createElement("li"), { textContent: `línea ${run.lines[r]} (${rowWhen(r)}): ${why}` }));
  $("dudosos").replaceChildren(...items);
  $("dudosos-total").textContent = total > SHOWN_FAILURES
    ? `Filas con valores dudosos: ${total}; se muestran las primeras ${SHOWN_FAILURES}.` : `Filas con valores dudosos: ${total}.`;
  $("dudosos-caja").hidden = total === 0;
}

// The gap codes found in the measured columns the formula reads (not in the
// date's): their cells read as empty.
function gapCodes(o) {
  const measured = measuredInputs(o);
  const codes = new Set(measured.flatMap((i) => (table.gaps[mapping[i]] ?? []).map(([code]) => code)));
  return [...codes];
}

// A formula with the file's column names, in the dialect torven --csv and
// the engine read the file in.
function namedFormula(f, o) {
  const { point } = torvenDialect(table.decimalComma, o.decimalComma);
  // The file's columns by name in their own row; any other row, and the added columns, by reference.
  const byReference = (input, node) => node.offset || node.fixedRow || mapping[input] >= table.header.length;
  return "=" + write(f, (input, node) => byReference(input, node) ? reference(input, node)
                                                                  : columnName(table.header[mapping[input]]),
                     engine, point);
}

// A cell as the formula of row 2 refers to it: C2, C1 (a row above), $C$13 (a fixed row).
const reference = (input, node) =>
  columnLetter(mapping[input]) + (node.fixedRow ? "$" + node.fixedRow : String(2 + (node.offset ?? 0)));

// The formula of the first data row for the workbook, and the same formula
// with column names, as torven --csv computes the download.
function showFormulas(o) {
  const letters = (f) => "=" + write(f, reference, engine);
  const { et0, mark } = computed;
  $("formula").textContent = letters(et0);
  // Readings of the hour or finer: every column's formula, ET0's last.
  $("formulas-horarias-caja").hidden = !computed.hourly;
  $("formulas-horarias").replaceChildren(...(computed.hourly ?? []).map(([name, f]) => {
    const tr = document.createElement("tr");
    for (const text of [name, letters(f)]) tr.insertCell().textContent = text;
    return tr;
  }));
  // The gap codes this page reads as empty cells are numbers or texts in a
  // cell: the one step that makes the spreadsheet read them as this page does.
  const codes = gapCodes(o);
  $("formula-paso").hidden = codes.length === 0;
  $("formula-paso").textContent = codes.length === 0 ? "" :
    `Antes, en la planilla: la página lee ${codes.map((c) => `«${c}»`).join(", ")} como celdas vacías, y la planilla no. ` +
    "Seleccione las columnas de datos y reemplace cada código por nada (Buscar y reemplazar, con «Coincidir con el " +
    "contenido de toda la celda»); así la fórmula da los mismos valores que esta página.";
  $("formula-marca").textContent = mark ? letters(mark) : "";
  $("marca-caja").hidden = !mark;
  const dialect = torvenDialect(table.decimalComma, o.decimalComma);
  const named = (f) => namedFormula(f, o);
  $("formula-torven").textContent = named(et0);
  $("marca-torven").textContent = mark ? named(mark) : "";
  const columns = addedColumns();
  const added = [...columns.flatMap(([name]) => ["--as", name]), ...columns.map(([, f]) => named(f))];
  $("orden-torven").dataset.added = JSON.stringify(added);
  const missing = gapCodes(o).flatMap((code) => ["--missing", code]);
  const dates = [...(o.dates ? ["--dates", o.dates] : []), ...(irrigation.length ? ["--season", computed.season] : []),
                 ...(o.accept ? ["--accept-implausible"] : [])];
  $("orden-torven").textContent = ["torven", "--csv", table.name, ...dialect.flags, ...dates, ...missing, ...added]
    .map(shellWord).join(" ");
}

async function copyFormula() {
  const text = $("formula").textContent;
  try {
    await navigator.clipboard.writeText(text);
  } catch {
    const range = document.createRange();
    range.selectNodeContents($("formula"));
    getSelection().removeAllRanges();
    getSelection().addRange(range);
    document.execCommand("copy");
  }
  setStatus("Fórmula copiada: péguela en la fila 2 de la planilla y extiéndala hacia abajo.");
}

// When a row is: its date, or in monthly means its month.
function rowWhen(r) {
  if (!run.monthly) return dayText(dateOf(r));
  const v = valueOf(run, r, run.dateAt);
  return v.type === NUM && v.num >= 1 && v.num <= 12 ? NAMES.MMMM[v.num - 1] : "sin mes";
}

function dayText(when) {
  if (Number.isNaN(when)) return "sin fecha";
  const d = new Date(when);
  const two = (n) => String(n).padStart(2, "0");
  return `${two(d.getUTCDate())}/${two(d.getUTCMonth() + 1)}/${d.getUTCFullYear()}`;
}

// The rows whose result is an error: line, date, the cause, the result.
function listFailures(o) {
  const failed = [];
  for (let r = 0; r < run.rows; ++r) if ((run.kinds[r * run.width + run.et0At] & 0xffff) !== NUM) failed.push(r);
  const inputs = inputsOf(computed.et0), estimated = estimatedVariables(o).flatMap((v) => v.inputs);
  const items = failed.slice(0, SHOWN_FAILURES).map((r) => {
    const v = valueOf(run, r, run.et0At);
    const reason = failureReason(engine, run.faulty.get(r), mapping, inputs, v, estimated);
    const li = document.createElement("li");
    li.textContent = `línea ${run.lines[r]} (${rowWhen(r)}): ` + (reason ? reason + " " : "") + "→ " + failedName(v);
    return li;
  });
  $("fallidas").replaceChildren(...items);
  $("fallidas-total").textContent = failed.length === 0 ? ""
    : failed.length > SHOWN_FAILURES ? `Filas con error: ${failed.length}; se muestran las primeras ${SHOWN_FAILURES}.`
    : `Filas con error: ${failed.length}.`;
  $("fallidas-caja").hidden = failed.length === 0;
}

// How many days had each variable estimated (a reading empty or not a
// number), from the checks the engine reported after the date.
function estimatedDays(o) {
  const variables = estimatedVariables(o);
  if (variables.length === 0) return "";
  const { rows, width, kinds } = run;
  const counts = variables.map((_, i) => {
    let n = 0;
    // A gap estimated: its check false (a truth value, code 0) on a row whose ET0 is a number.
    for (let at = 0, check = reportAt + 1 + i; at < rows * width; at += width)
      n += kinds[at + check] === BOOL && (kinds[at] & 0xffff) === NUM ? 1 : 0;
    return n;
  });
  return " Días estimados (FAO 56, datos faltantes): " +
    variables.map((v, i) => `${v.name} ${counts[i]}`).join(", ") + ".";
}

// The ET0 of each day (`title` says which: the daily ET0, or the hours' sum),
// with a summary: the days, their mean, lowest and highest.
function drawEt0Chart(xs, ys, title) {
  const [x, y] = byDate(xs, ys);
  const data = thinned(x, y, Math.ceil(chartWidth("grafico") * (window.devicePixelRatio || 1)));
  drawChart("grafico", {
    title,
    series: [{ label: "Fecha" },
             { label: "ET0 (mm/d)", stroke: "#2a6f4a", width: 1.5 }],
    // Spanish axes: dd/mm, or month names (the year at January) for ticks a
    // month or more apart; numbers with a decimal comma.
    axes: [{ label: "Fecha", values: (u, ticks, axis, space, step) => ticks.map((t) => dateTick(t, step)) },
           { label: "ET0 (mm/d)", values: (u, ticks) => ticks.map((v) => engine.showNumber(v, true)) }],
    scales: { x: { time: true } },
    fmtDate: (template) => uPlot.fmtDate(template, NAMES),
    tzDate: (seconds) => uPlot.tzDate(new Date(seconds * 1000), "Etc/UTC"),
  }, data, et0Summary(x, y), chartCell);
}

// The days a chart of daily ET0 shows, in words.
function et0Summary(xs, ys) {
  if (xs.length === 0) return "Ningún día con ET0 que mostrar.";
  let low = 0, high = 0, sum = 0;
  ys.forEach((y, i) => { sum += y; if (y < ys[low]) low = i; if (y > ys[high]) high = i; });
  const mm = (v) => engine.showNumber(Math.round(v * 100) / 100, true) + " mm/d";
  const day = (i) => dayText(xs[i] * 1000);
  return `${xs.length} ${xs.length === 1 ? "día" : "días"}, del ${day(0)} al ${day(xs.length - 1)}: ` +
    `ET0 media ${mm(sum / xs.length)}, mínima ${mm(ys[low])} (${day(low)}), máxima ${mm(ys[high])} (${day(high)}).`;
}

// A value of a chart's table: its date, or its number with a decimal comma.
const chartCell = (v, column) => column === 0 ? dayText(v * 1000)
  : Number.isFinite(v) ? engine.showNumber(Math.round(v * 100) / 100, true) : "";

// The first rows as the file has them, and their ET0 with the file's decimal mark.
function fillTable(o) {
  const head = [...table.header, hourly(o) ? "ET0 (mm)" : "ET0 (mm/d)", ...(monthly(o) ? ["ET0 del mes (mm)"] : [])];
  const shown = (i, at) => i < run.rows ? showResult(engine, valueOf(run, i, at), o.decimalComma) : "";
  const body = table.first.map((row, i) => [...row, shown(i, run.et0At), ...(monthly(o) ? [shown(i, 1)] : [])]);
  const t = $("primeras");
  t.replaceChildren();
  const tr = t.insertRow();
  for (const h of head) tr.append(Object.assign(document.createElement("th"), { textContent: h }));
  for (const row of body) {
    const r = t.insertRow();
    for (const v of row) r.insertCell().textContent = v;
  }
}

function download() {
  // The engine's output: what torven --csv writes, in the file's dialect,
  // encoding, mark and line ends.
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([engine.written({ ...downloadJob, write: "yes" })], { type: "text/csv" }));
  // The file's own name and extension, with _et0 before it.
  const dot = table.name.lastIndexOf(".");
  link.download = dot > 0 ? table.name.slice(0, dot) + "_et0" + table.name.slice(dot) : table.name + "_et0.csv";
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// --- Start -------------------------------------------------------------------------------------

async function start() {
  const wasm = Uint8Array.from(atob(document.getElementById("modulo").textContent.trim()), (c) => c.charCodeAt(0));
  engine = await Engine.load(wasm);
  const open = async (file) => {
    try {
      await readFile(file);
    } catch (e) {
      setStatus(e instanceof NotText ? `No se lee «${file.name}»: no es un archivo de texto; ${e.message}.`
                                     : "No se puede leer el archivo: " + e.message, true);
    }
  };
  $("archivo").addEventListener("change", (e) => e.target.files[0] && open(e.target.files[0]));
  const drop = $("soltar");
  drop.addEventListener("dragover", (e) => { e.preventDefault(); drop.classList.add("encima"); });
  drop.addEventListener("dragleave", () => drop.classList.remove("encima"));
  drop.addEventListener("drop", (e) => {
    e.preventDefault();
    drop.classList.remove("encima");
    if (e.dataTransfer.files[0]) open(e.dataTransfer.files[0]);
  });
  document.querySelectorAll("input[type=radio]").forEach((r) => r.addEventListener("change", () => {
    showNeeded();
    showDateOrder();
  }));
  $("calcular").addEventListener("click", calculate);
  $("calcular-riego").addEventListener("click", calculateIrrigation);
  fillIrrigationForm();
  $("descargar").addEventListener("click", download);
  $("copiar").addEventListener("click", copyFormula);
  $("dia-horas").addEventListener("change", drawDayHours);
  for (const id of ["krs", "desfase"])
    $(id + "-tipo").addEventListener("change", (e) => { if (e.target.value) $(id).value = e.target.value; });
  $("estimar").addEventListener("change", showNeeded);
  $("latitud").addEventListener("input", showLatitude);
  setStatus("Elija o suelte un archivo CSV de la estación.");
  document.body.dataset.listo = "1";
}

start();
