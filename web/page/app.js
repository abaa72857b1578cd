// The page: a station's CSV file in, the FAO 56 reference evapotranspiration
// of every day out, computed by the add-in's own worksheet entries.
import uPlot from "uplot";
import { Engine, NUM, decodeFile, detectDelimiter, encodeText, parseCsv, showNumber } from "./torven.js";
import { INPUTS, et0OfRow, guessMapping, requiredInputs, showResult, writeBack } from "./et0.js";

const $ = (id) => document.getElementById(id);
const CHUNK = 4000;  // rows between two looks at the page (progress, no freeze)
let engine, table, results, chart;

function setStatus(text, error = false) {
  $("estado").textContent = text;
  $("estado").className = error ? "error" : "";
}

// --- Reading the file ----------------------------------------------------------------

async function readFile(file) {
  const bytes = new Uint8Array(await file.arrayBuffer());
  const { text, encoding, mark } = decodeFile(bytes);
  const delimiter = detectDelimiter(text);
  const { records, lineEnd, open } = parseCsv(text, delimiter);
  if (records.length < 2) throw new Error("el archivo no tiene filas de datos");
  const header = records[0];
  const rows = [], ragged = [];
  records.slice(1).forEach((r, i) => (r.length === header.length ? rows.push(r) : ragged.push(i + 2)));
  table = { name: file.name, encoding, mark, delimiter, lineEnd, header, rows, ragged, open };
  $("archivo-info").textContent =
    `${file.name}: ${rows.length} filas, separador «${delimiter === "\t" ? "tab" : delimiter}», ` +
    `${encoding === "utf-8" ? "UTF-8" : "Windows-1252"}` + (ragged.length ? `; ${ragged.length} filas irregulares se omiten (línea ${ragged.slice(0, 5).join(", ")}…)` : "") +
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
  if (guess.fecha < 0 && guess.anio >= 0) $("fecha-partes").checked = true;
  if (guess.rs < 0 && guess.he >= 0) $("rad-horas").checked = true;
  if (guess.hrmax < 0 && guess.hrmed >= 0) $("hum-media").checked = true;
  if (guess.hrmax < 0 && guess.hrmed < 0 && guess.troc >= 0) $("hum-rocio").checked = true;
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
    box.append(row);
  }
  showNeeded();
}

function options() {
  const value = (name) => document.querySelector(`input[name=${name}]:checked`).value;
  const number = (id) => Number($(id).value.replace(",", "."));
  return {
    date: value("fecha"), radiation: value("radiacion"), humidity: value("humedad"),
    latitude: number("latitud"), altitude: number("altitud"), windHeight: number("altura"),
    as: number("as"), bs: number("bs"), decimalComma: $("coma").checked,
  };
}

function showNeeded() {
  const needed = requiredInputs(options());
  for (const row of document.querySelectorAll(".columna")) row.hidden = !needed.includes(row.dataset.input);
  $("angstrom").hidden = options().radiation === "rs";
}

// --- Computing -------------------------------------------------------------------------

async function calculate() {
  const o = options();
  for (const [key, label] of [["latitude", "latitud"], ["altitude", "altitud"], ["windHeight", "altura del anemómetro"]])
    if (!Number.isFinite(o[key])) return setStatus(`Falta la ${label} de la estación.`, true);
  const mapping = {};
  for (const input of Object.keys(INPUTS)) mapping[input] = Number($("col-" + input).value);
  const missing = requiredInputs(o).filter((input) => mapping[input] < 0);
  if (missing.length) return setStatus("Falta elegir la columna de: " + missing.map((i) => INPUTS[i]).join(", "), true);
  $("calcular").disabled = true;
  const progress = $("progreso");
  progress.hidden = false;
  results = new Array(table.rows.length);
  const started = performance.now();
  for (let start = 0; start < table.rows.length; start += CHUNK) {
    const end = Math.min(start + CHUNK, table.rows.length);
    for (let r = start; r < end; ++r) results[r] = et0OfRow(engine, table.rows[r], mapping, o);
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
    (errors.size ? ", " + [...errors].map(([name, n]) => `${n} ${name}`).join(", ") : ", ningún error") + ".";
  $("tiempo").dataset.ms = String(elapsed);
  $("sumas").replaceChildren(...[...sums].map(([year, sum]) => {
    const li = document.createElement("li");
    li.textContent = `${year}: ${showNumber(Math.round(sum * 10) / 10, true)} mm`;
    return li;
  }));
  drawChart(xs, ys);
  fillTable(mapping, o);
  $("paso-resultados").hidden = false;
  setStatus("Listo. Puede descargar el archivo con la columna ET0.");
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
    bytes = encodeText(writeBack(table, shown, "et0"), table.encoding, table.mark);
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
      setStatus("No se puede leer el archivo: " + e.message, true);
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
  setStatus("Elija o suelte un archivo CSV de la estación.");
  document.body.dataset.listo = "1";
}

start();
