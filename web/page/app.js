// The page: a station's CSV file in, the FAO 56 reference evapotranspiration
// of every day out, computed by the add-in's own worksheet entries.
import uPlot from "uplot";
import { ENCODING_NAMES, Engine, NUM, NotText, decodeFile, detectDelimiter, encodeText, parseCsv, showNumber } from "./torven.js";
import { INPUTS, UNITS, UNIT_OF, estimatedVariables, et0Formula, failureReason, fromSunshine, guessMapping, guessUnit, requiredInputs, showResult,
         writeBack } from "./et0.js";
import { evaluate, write } from "./formula.js";
import { columnLetter, columnName, shellWord, torvenDialect } from "./references.js";
import { ANGSTROM, ESTIMATES, FIELDS, neededFields, readFields, typedLatitude } from "./station.js";

const $ = (id) => document.getElementById(id);
const CHUNK = 4000;  // rows between two looks at the page (progress, no freeze)
const SHOWN_FAILURES = 20;
let engine, table, results, marks, chart, formula, markFormula, mapping;
const ALL_FIELDS = [...FIELDS, ...ANGSTROM, ...ESTIMATES];

function setStatus(text, error = false) {
  $("estado").textContent = text;
  $("estado").className = error ? "error" : "";
}

// --- Reading the file ----------------------------------------------------------------

async function readFile(file) {
  const bytes = new Uint8Array(await file.arrayBuffer());
  $("paso-columnas").hidden = true;
  $("paso-resultados").hidden = true;
  $("archivo-info").textContent = "";
  const { text, encoding, mark } = decodeFile(bytes);
  const delimiter = detectDelimiter(text);
  const { records, lines, lineEnd, open } = parseCsv(text, delimiter);
  if (records.length < 2) throw new Error("el archivo no tiene filas de datos");
  const header = records[0];
  const rows = [], rowLines = [], ragged = [];
  records.slice(1).forEach((r, i) => {
    if (r.length === header.length) rows.push(r), rowLines.push(lines[i + 1]);
    else ragged.push(lines[i + 1]);
  });
  table = { name: file.name, encoding, mark, delimiter, lineEnd, header, rows, rowLines, ragged, open };
  $("archivo-info").textContent =
    `${file.name}: ${rows.length} filas, separador «${delimiter === "\t" ? "tab" : delimiter}», ` +
    `${ENCODING_NAMES[encoding]}` + (ragged.length ? `; ${ragged.length} filas irregulares se omiten (línea ${ragged.slice(0, 5).join(", ")}…)` : "") +
    (open ? "; una comilla queda abierta al final" : "");
  // ';' between fields: numbers with a decimal comma, as the spreadsheet writes them.
  $("coma").checked = delimiter === ";";
  fillMapping();
  $("paso-columnas").hidden = false;
  $("paso-resultados").hidden = true;
  setStatus("Revise las columnas y los datos de la estación, y pulse Calcular.");
}

function fillMapping() {
  const guess = guessMapping(table.header);
  // The choices the new file's columns suggest (not those of the file before).
  $(guess.fecha < 0 && guess.anio >= 0 ? "fecha-partes" : "fecha-columna").checked = true;
  $(guess.rs < 0 && guess.he >= 0 ? "rad-horas" : "rad-medida").checked = true;
  $("viento-medido").checked = true;
  $(guess.hrmax >= 0 || (guess.hrmed < 0 && guess.troc < 0) ? "hum-extremas" : guess.hrmed >= 0 ? "hum-media" : "hum-rocio").checked = true;
  const box = $("columnas");
  box.replaceChildren();
  for (const [input, label] of Object.entries(INPUTS)) {
    const select = document.createElement("select");
    select.id = "col-" + input;
    select.append(new Option("—", "-1"));
    table.header.forEach((name, i) => select.append(new Option(name, String(i))));
    select.value = String(guess[input]);
    const row = document.createElement("label");
    row.className = "columna";
    row.dataset.input = input;
    row.append(label, select);
    if (UNIT_OF[input]) {
      const unit = document.createElement("select");
      unit.id = "unidad-" + input;
      for (const u of UNITS[UNIT_OF[input]]) unit.append(new Option(u.label, u.id));
      const guessUnitOf = () => { unit.value = guessUnit(input, table.header[Number(select.value)]); };
      guessUnitOf();
      select.addEventListener("change", guessUnitOf);
      row.append(unit);
    }
    box.append(row);
  }
  showNeeded();
}

function options() {
  const value = (name) => document.querySelector(`input[name=${name}]:checked`).value;
  return { date: value("fecha"), radiation: value("radiacion"), humidity: value("humedad"), wind: value("viento"),
           estimate: $("estimar").checked, decimalComma: $("coma").checked };
}

// The station's values, each field marked when it is refused.
function stationValues(o) {
  const texts = Object.fromEntries(ALL_FIELDS.map((f) => [f.id, $(f.id).value]));
  const { values, problems } = readFields(neededFields(o), texts);
  for (const f of ALL_FIELDS) {
    const refused = problems.some((p) => p.id === f.id);
    $(f.id).classList.toggle("invalido", refused);
    $(f.id).setAttribute("aria-invalid", String(refused));
  }
  return { values, problems };
}

function showLatitude() {
  const x = typedLatitude($("latitud").value);
  $("latitud-decimal").textContent = x === undefined || $("latitud").value.trim() === "" ? "" : `= ${showNumber(x, true)}°`;
}

function showNeeded() {
  const needed = requiredInputs(options());
  for (const row of document.querySelectorAll(".columna")) row.hidden = !needed.includes(row.dataset.input);
  const o = options();
  $("angstrom").hidden = !fromSunshine(o);
  const shown = new Set(neededFields(o).map((f) => f.id));
  for (const f of [...ESTIMATES, FIELDS[2]]) $(f.id).closest("label, span").hidden = !shown.has(f.id);
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
  ({ et0: formula, mark: markFormula } = et0Formula(o, units));
  $("calcular").disabled = true;
  const progress = $("progreso");
  progress.hidden = false;
  results = new Array(table.rows.length);
  marks = markFormula ? new Array(table.rows.length) : null;
  const started = performance.now();
  for (let start = 0; start < table.rows.length; start += CHUNK) {
    const end = Math.min(start + CHUNK, table.rows.length);
    for (let r = start; r < end; ++r) {
      const row = table.rows[r];
      // Each cell read once per row, as torven reads it.
      const cells = {};
      const read = (input) => (cells[input] ??= engine.cell(row[mapping[input]], o.decimalComma));
      results[r] = evaluate(formula, engine, read);
      if (marks) marks[r] = evaluate(markFormula, engine, read);
    }
    progress.value = end / table.rows.length;
    if (end < table.rows.length) await new Promise((resolve) => setTimeout(resolve, 0));
  }
  const elapsed = performance.now() - started;
  progress.hidden = true;
  $("calcular").disabled = false;
  showResults(mapping, o, elapsed);
}

// --- Results ------------------------------------------------------------------------------

function dateOf(row, mapping, o) {
  if (o.date === "fecha") {
    const text = row[mapping.fecha];
    let m = /^(\d{1,2})\/(\d{1,2})\/(\d{4})$/.exec(text.trim());
    if (m) return Date.UTC(+m[3], m[2] - 1, +m[1]);
    m = /^(\d{4})-(\d{1,2})-(\d{1,2})/.exec(text.trim());
    if (m) return Date.UTC(+m[1], m[2] - 1, +m[3]);
    return NaN;
  }
  return Date.UTC(+row[mapping.anio], row[mapping.mes] - 1, +row[mapping.dia]);
}

function showResults(mapping, o, elapsed) {
  const errors = new Map();
  const sums = new Map();
  const xs = [], ys = [];
  results.forEach((r, i) => {
    const when = dateOf(table.rows[i], mapping, o);
    if (r.type !== NUM || Number.isNaN(r.num)) {
      const name = r.type === NUM ? "#¡NUM!" : engine.errorName(r.code, true);
      errors.set(name, (errors.get(name) ?? 0) + 1);
      return;
    }
    const year = Number.isNaN(when) ? "sin fecha" : new Date(when).getUTCFullYear();
    sums.set(year, (sums.get(year) ?? 0) + r.num);
    if (!Number.isNaN(when)) { xs.push(when / 1000); ys.push(r.num); }
  });
  const ok = results.length - [...errors.values()].reduce((a, b) => a + b, 0);
  $("resumen").textContent = `${results.length} filas calculadas en ${elapsed.toFixed(0)} ms: ${ok} valores` +
    (errors.size ? ", " + [...errors].map(([name, n]) => `${n} ${name}`).join(", ") : ", ningún error") + "." +
    estimatedDays(o);
  $("tiempo").dataset.ms = String(elapsed);
  $("sumas").replaceChildren(...[...sums].map(([year, sum]) => {
    const li = document.createElement("li");
    li.textContent = `${year}: ${showNumber(Math.round(sum * 10) / 10, true)} mm`;
    return li;
  }));
  drawChart(xs, ys);
  showFormulas(o);
  listFailures(o);
  fillTable(mapping, o);
  $("paso-resultados").hidden = false;
  setStatus("Listo. Puede descargar el archivo con la columna ET0.");
}

// The formula of the first data row for the workbook, and the same formula
// with column names, as torven --csv computes the download.
function showFormulas(o) {
  const letters = (f) => "=" + write(f, (input) => columnLetter(mapping[input]) + "2", engine);
  $("formula").textContent = letters(formula);
  $("formula-marca").textContent = markFormula ? letters(markFormula) : "";
  $("marca-caja").hidden = !markFormula;
  const dialect = torvenDialect(table.delimiter, o.decimalComma);
  const named = (f) => "=" + write(f, (input) => columnName(table.header[mapping[input]]), engine, dialect.point);
  $("formula-torven").textContent = named(formula);
  $("marca-torven").textContent = markFormula ? named(markFormula) : "";
  const added = markFormula ? ["--as", "et0", "--as", "estimado", named(formula), named(markFormula)]
                            : ["--as", "et0", named(formula)];
  $("orden-torven").textContent = ["torven", "--csv", table.name, ...dialect.flags, ...added].map(shellWord).join(" ");
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

function dayText(when, row, o) {
  if (Number.isNaN(when)) return o.date === "fecha" ? row[mapping.fecha] || "sin fecha" : "sin fecha";
  const d = new Date(when);
  const two = (n) => String(n).padStart(2, "0");
  return `${two(d.getUTCDate())}/${two(d.getUTCMonth() + 1)}/${d.getUTCFullYear()}`;
}

// The rows whose result is an error: line, date, the cause, the result.
function listFailures(o) {
  const failed = [];
  results.forEach((r, i) => { if (r.type !== NUM || Number.isNaN(r.num)) failed.push(i); });
  const items = failed.slice(0, SHOWN_FAILURES).map((i) => {
    const row = table.rows[i], r = results[i];
    const name = r.type === NUM ? "#¡NUM!" : engine.errorName(r.code, true);
    const reason = failureReason(engine, formula, row, mapping, o.decimalComma, r,
                                 estimatedVariables(o).flatMap((v) => v.inputs));
    const li = document.createElement("li");
    li.textContent = `línea ${table.rowLines[i]} (${dayText(dateOf(row, mapping, o), row, o)}): ` +
                     (reason ? reason + " " : "") + "→ " + name;
    return li;
  });
  $("fallidas").replaceChildren(...items);
  $("fallidas-total").textContent = failed.length === 0 ? ""
    : failed.length > SHOWN_FAILURES ? `Filas con error: ${failed.length}; se muestran las primeras ${SHOWN_FAILURES}.`
    : `Filas con error: ${failed.length}.`;
  $("fallidas-caja").hidden = failed.length === 0;
}

// How many days had each variable estimated (its reading empty or not a number).
function estimatedDays(o) {
  const variables = estimatedVariables(o);
  if (variables.length === 0) return "";
  const counts = variables.map((v) => table.rows.filter((row) =>
    v.inputs.some((input) => engine.cell(row[mapping[input]], o.decimalComma).type !== NUM)).length);
  return " Días estimados (FAO 56, datos faltantes): " +
    variables.map((v, i) => `${v.name} ${counts[i]}`).join(", ") + ".";
}

// Dates on the chart in Spanish.
const NAMES = {
  MMMM: ["enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre", "octubre",
         "noviembre", "diciembre"],
  MMM: ["ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"],
  WWWW: ["domingo", "lunes", "martes", "miércoles", "jueves", "viernes", "sábado"],
  WWW: ["dom", "lun", "mar", "mié", "jue", "vie", "sáb"],
};

function drawChart(xs, ys) {
  if (chart) chart.destroy();
  const order = xs.map((_, i) => i).sort((a, b) => xs[a] - xs[b]);
  const data = [order.map((i) => xs[i]), order.map((i) => ys[i])];
  chart = new uPlot({
    width: Math.min(900, $("grafico").clientWidth || 900), height: 320,
    title: "ET0 diaria (mm/d)",
    series: [{ label: "Fecha" },
             { label: "ET0 (mm/d)", stroke: "#2a6f4a", width: 1.5 }],
    axes: [{ label: "Fecha" }, { label: "ET0 (mm/d)" }],
    scales: { x: { time: true } },
    fmtDate: (template) => uPlot.fmtDate(template, NAMES),
    tzDate: (seconds) => uPlot.tzDate(new Date(seconds * 1000), "Etc/UTC"),
  }, data, $("grafico"));
}

function fillTable(mapping, o) {
  const head = [...table.header, "ET0 (mm/d)"];
  // As the spreadsheet shows a result (a number that is not one, #¡NUM!).
  const shown = (r) => r.type === NUM && Number.isNaN(r.num) ? "#¡NUM!" : showResult(engine, r, { decimalComma: true, spanish: true });
  const body = table.rows.slice(0, 20).map((row, i) => [...row, shown(results[i])]);
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
  // As torven --csv writes it: the file's dialect, encoding, mark and line ends.
  const dialect = { decimalComma: $("coma").checked, spanish: table.delimiter === ";" };
  const shown = results.map((r) => showResult(engine, r, dialect));
  let bytes;
  try {
    const added = [{ name: "et0", shown }];
    if (marks) added.push({ name: "estimado", shown: marks.map((r) => showResult(engine, r, dialect)) });
    bytes = encodeText(writeBack(table, added), table.encoding, table.mark);
  } catch (e) {
    return setStatus("No se puede escribir el archivo: " + e.message, true);
  }
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([bytes], { type: "text/csv" }));
  link.download = table.name.replace(/\.[^.]*$/, "") + "_et0.csv";
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
  document.querySelectorAll("input[type=radio]").forEach((r) => r.addEventListener("change", showNeeded));
  $("calcular").addEventListener("click", calculate);
  $("descargar").addEventListener("click", download);
  $("copiar").addEventListener("click", copyFormula);
  for (const id of ["krs", "desfase"])
    $(id + "-tipo").addEventListener("change", (e) => { if (e.target.value) $(id).value = e.target.value; });
  $("estimar").addEventListener("change", showNeeded);
  $("latitud").addEventListener("input", showLatitude);
  setStatus("Elija o suelte un archivo CSV de la estación.");
  document.body.dataset.listo = "1";
}

start();
