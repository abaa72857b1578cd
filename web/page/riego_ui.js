// The irrigation section: its form (the crops and soils of FAO 56's tables
// offered and their values filled in, each editable; the season read back
// with a message for each value that is missing or out of range) and its
// results (the season's totals, the calendar, the formulas, the chart).
import uPlot from "uplot";
import { dateTick } from "./chart_axes.js";
import { drawChart } from "./grafico.js";
import { CULTIVOS, HUMEDECIDO, SUELOS, printedValue } from "./cultivos.js";
import { markFields } from "./avisos.js";
import { typedNumber } from "./torven.js";

const $ = (id) => document.getElementById(id);
const shown = (x) => Number.isFinite(x) ? String(x).replace(".", ",") : "";
// A table's printed text with decimal commas ("0.60, 0.35" is "0,60 y 0,35").
const commas = (text) => String(text).replace(/(\d)\.(\d)/g, "$1,$2").replace(/, (?=\d)/g, " y ");

export function fillIrrigationForm() {
  $("cultivo").replaceChildren(...CULTIVOS.map((c, i) => new Option(c.nombre, String(i))));
  $("suelo").replaceChildren(new Option("— θCC y θPMP a mano —", ""),
                             ...SUELOS.map((s, i) => new Option(`${s.nombre} (${commas(s.cc)}; ${commas(s.pmp)})`, String(i))));
  $("cultivo").addEventListener("change", chooseCrop);
  $("cultivo-etapas").addEventListener("change", chooseStages);
  $("suelo").addEventListener("change", chooseSoil);
  $("eficiencia-tipo").addEventListener("change", (e) => { if (e.target.value) $("eficiencia").value = e.target.value; });
  $("fw-tipo").replaceChildren(...HUMEDECIDO.map((w) => new Option(`${w.nombre}, ${commas(w.fw)}`, w.fw)),
                               new Option("otro valor", ""));
  $("fw-tipo").addEventListener("change", (e) => { if (e.target.value) $("fw").value = shown(printedValue(e.target.value)); });
  $("fw-tipo").value = HUMEDECIDO.find((w) => w.nombre === "goteo").fw;
  $("fw").value = shown(printedValue($("fw-tipo").value));
  $("coeficiente").addEventListener("change", showCoefficient);
  for (const [choice, value, field] of [["umbral", "fraccion", "umbral-fraccion"], ["lamina", "fija", "lamina-fija"]])
    $(choice).addEventListener("change", () => { $(field).hidden = $(choice).value !== value; });
  for (const id of ["tcc", "tpmp", "ze"]) $(id).addEventListener("input", showEvaporable);
  $("suelo").value = String(SUELOS.findIndex((s) => s.nombre === "franco"));
  chooseCrop();
  chooseSoil();
}

function chooseCrop() {
  const c = CULTIVOS[Number($("cultivo").value)];
  $("cultivo-etapas").replaceChildren(...c.etapas.map((e, i) =>
    new Option(`${e.slice(0, 4).join("/")} días; ${e[4] ? "siembra en " + e[4] + "; " : ""}${e[5]}`, String(i))));
  const [ini, mid, end] = c.kc.map(printedValue);
  $("kc-ini").value = shown(ini);
  $("kc-med").value = shown(mid);
  $("kc-fin").value = shown(end);
  $("kc-tabla").textContent = `(Cuadro 12: ${c.kc.map(commas).join("; ")})`;
  const [bIni, bMid, bEnd] = c.kcb.map(printedValue);
  $("kcb-ini").value = shown(bIni);
  $("kcb-med").value = shown(bMid);
  $("kcb-fin").value = shown(bEnd);
  $("kcb-tabla").textContent = `(Cuadro 17: ${c.kcb.map(commas).join("; ")}${c.fila17 ? `; fila «${c.fila17}»` : ""})`;
  $("h-cultivo").value = shown(printedValue(c.h));
  $("zr").value = shown(printedValue(c.zr));
  $("zr-tabla").textContent = `(Cuadro 22: ${commas(c.zr)} m)`;
  $("p").value = shown(printedValue(c.p));
  chooseStages();
}

function chooseStages() {
  const c = CULTIVOS[Number($("cultivo").value)];
  const stages = c.etapas[Number($("cultivo-etapas").value)] ?? [];
  ["l-ini", "l-des", "l-med", "l-fin"].forEach((id, i) => { $(id).value = shown(printedValue(stages[i])); });
}

function chooseSoil() {
  const s = SUELOS[Number($("suelo").value)];
  if (!s) return;
  $("tcc").value = shown(Math.round(printedValue(s.cc) * 1000) / 1000);
  $("tpmp").value = shown(Math.round(printedValue(s.pmp) * 1000) / 1000);
  $("afe").value = shown(printedValue(s.afe));
  showEvaporable();
}

// The dual coefficient's fields, shown when it is chosen.
function showCoefficient() {
  const dual = $("coeficiente").value === "dual";
  for (const e of document.querySelectorAll("#paso-riego .dual")) e.hidden = !dual;
  for (const e of document.querySelectorAll("#paso-riego .unico")) e.hidden = dual;
}

// TEW from θFC, θWP and Ze (eq. 73), as the soil's fields give them.
function showEvaporable() {
  const [fc, wp, ze] = ["tcc", "tpmp", "ze"].map((id) => typedNumber($(id).value.trim()));
  const tew = 1000 * (fc - 0.5 * wp) * ze;
  if (Number.isFinite(tew)) $("aet").value = shown(Math.round(tew * 10) / 10);
  $("aet-nota").textContent = "(ec. 73: 1000 (θCC − 0,5 θPMP) Ze)";
}

// A date typed as dd/mm/aaaa or aaaa-mm-dd: [year, month, day], or undefined.
export function typedDate(text) {
  const t = text.trim();
  const dmy = /^(\d{1,2})\/(\d{1,2})\/(\d{4})$/.exec(t), iso = /^(\d{4})-(\d{1,2})-(\d{1,2})$/.exec(t);
  const [y, m, d] = dmy ? [dmy[3], dmy[2], dmy[1]].map(Number) : iso ? [iso[1], iso[2], iso[3]].map(Number) : [];
  if (!y) return undefined;
  const date = new Date(Date.UTC(y, m - 1, d));
  return date.getUTCMonth() === m - 1 && date.getUTCDate() === d ? [y, m, d] : undefined;
}

// The season as the form gives it (FAO 56's ranges), and what is refused
// ([{ id, message }], each field marked, the first focused).
export function readSeason(header) {
  const problems = [];
  const number = (id, name, low, high, integer = false) => {
    const text = $(id).value.trim();
    const x = text === "" ? NaN : typedNumber(text);
    const ok = Number.isFinite(x) && x >= low && x <= high && (!integer || Number.isInteger(x));
    if (!ok) problems.push({ id, message: text === "" ? `Falta ${name.replace(/^(La|El) /, (w) => w.toLowerCase())}.`
                                                       : `${name} «${text}» debe estar entre ${shown(low)} y ${shown(high)}.` });
    return x;
  };
  const dual = $("coeficiente").value === "dual";
  const start = typedDate($("siembra").value);
  if (!start) problems.push({ id: "siembra", message: "El primer día de la temporada debe escribirse dd/mm/aaaa." });
  const lengths = [["l-ini", "La etapa inicial"], ["l-des", "La etapa de desarrollo"], ["l-med", "La etapa media"],
                   ["l-fin", "La etapa final"]].map(([id, name]) => number(id, name, 1, 400, true));
  const season = {
    start, lengths,
    ...(dual ? {} : { kcIni: number("kc-ini", "Kc ini", 0, 2), kcMid: number("kc-med", "Kc med", 0, 2),
                      kcEnd: number("kc-fin", "Kc fin", 0, 2) }),
    h: number("h-cultivo", "La altura del cultivo", 0.01, 30),
    fc: number("tcc", "θCC", 0.01, 0.8), wp: number("tpmp", "θPMP", 0, 0.8), zr: number("zr", "Zr", 0.05, 5),
    p: number("p", "p", 0.05, 0.95), adjustP: $("ajustar-p").checked, adjustKc: $("ajustar-kc").checked,
    dr0: number("dr0", "El agotamiento inicial", 0, 10000),
    rain: Number($("col-lluvia").value) >= 0 ? Number($("col-lluvia").value) : null,
    runoff: number("escorrentia", "La escorrentía", 0, 0.95),
    threshold: $("umbral").value === "raw" ? "raw" : number("umbral-fraccion", "La fracción del ADT", 0.05, 1),
    net: $("lamina").value === "fija" ? number("lamina-fija", "La lámina fija", 0.1, 1000) : null,
    efficiency: number("eficiencia", "La eficiencia", 0.1, 1),
  };
  if (season.fc <= season.wp) problems.push({ id: "tcc", message: "θCC debe ser mayor que θPMP." });
  if (dual) {
    Object.assign(season, {
      dual: true, kcbIni: number("kcb-ini", "Kcb ini", 0, 2), kcbMid: number("kcb-med", "Kcb med", 0, 2),
      kcbEnd: number("kcb-fin", "Kcb fin", 0, 2), kcMin: number("kc-min", "Kc mín", 0, 1),
      ze: number("ze", "Ze", 0.05, 0.3), rew: number("afe", "AFE", 0, 100), tew: number("aet", "AET", 0.1, 300),
      fwIrrigation: number("fw", "fw", 0.01, 1), fw0: 1,
    });
    if (season.rew >= season.tew) problems.push({ id: "afe", message: "AFE debe ser menor que AET." });
  }
  markFields([...document.querySelectorAll("#paso-riego input:not([type=checkbox])")].map((e) => e.id), problems);
  return { season, problems, rainName: season.rain === null ? null : header[season.rain] };
}

export function fillRainChoices(header, guess) {
  $("col-lluvia").replaceChildren(new Option("— sin lluvia —", "-1"), ...header.map((n, i) => new Option(n, String(i))));
  $("col-lluvia").value = String(guess);
}

// The season's totals (days computed, and mm of etc, etc_aj, lluvia,
// percolacion, riego_neto, riego_bruto; with `dual`, of t and e instead of etc), the calendar [date, net, gross] and
// the columns' formulas [name, formula]; `stopped`: what ended the balance
// early, said before any total.
export function showSeason(engine, totals, note, calendar, formulas, stopped = "") {
  const mm = (x) => engine.showNumber(Math.round(x * 10) / 10, true) + " mm";
  const n = calendar.length;
  $("riego-totales").replaceChildren(...[
    ...(stopped ? [stopped] : []),
    `${totals.days} días de temporada${note ? ". " + note : ""}`,
    totals.dual ? `Transpiración (Ks·Kcb·ET0): ${mm(totals.t)}; evaporación del suelo (Ke·ET0): ${mm(totals.e)}; ` +
                  `ETc ajustada: ${mm(totals.etc_aj)}`
                : `ETc: ${mm(totals.etc)}; ETc ajustada: ${mm(totals.etc_aj)}`,
    `Lluvia: ${mm(totals.lluvia)}; percolación profunda: ${mm(totals.percolacion)}`,
    `Riego neto: ${mm(totals.riego_neto)}; bruto: ${mm(totals.riego_bruto)}; ${n} riego${n === 1 ? "" : "s"}`,
  ].map((t) => Object.assign(document.createElement("li"), { textContent: t })));
  fillTable($("calendario"), ["Fecha", "Lámina neta (mm)", "Lámina bruta (mm)"],
            calendar.map(([date, net, gross]) => [date, mm(net), mm(gross)]));
  fillTable($("formulas-riego"), null, formulas);
  $("riego-resultados").hidden = false;
}

function fillTable(t, head, rows) {
  t.replaceChildren();
  if (head) {
    const tr = t.insertRow();
    for (const h of head) tr.append(Object.assign(document.createElement("th"), { textContent: h }));
  }
  for (const row of rows) {
    const tr = t.insertRow();
    for (const v of row) tr.insertCell().textContent = v;
  }
}

// The depletion Dr against AFA (RAW) and ADT (TAW), with each day's rain and
// irrigation as bars; `series`: Dr, RAW, TAW, rain, irrigation, and with the
// dual coefficient the day's transpiration and evaporation; `cell` writes a
// value of its table.
export function drawDepletion(engine, xs, series, cell) {
  const bars = uPlot.paths.bars({ size: [0.8, 8] });
  drawChart("grafico-riego", {
    title: "Agotamiento del suelo (mm)",
    series: [{ label: "Fecha" },
             { label: "Dr", stroke: "#a0522d", width: 1.5 },
             { label: "AFA (RAW)", stroke: "#2a6f4a", dash: [6, 4] },
             { label: "ADT (TAW)", stroke: "#555" },
             { label: "Lluvia", stroke: "#3a7bd5", fill: "#3a7bd555", paths: bars },
             { label: "Riego neto", stroke: "#b8650f", fill: "#b8650f88", paths: bars },
             // With the dual coefficient: the day's transpiration and evaporation.
             ...(series.length > 5 ? [{ label: "Transpiración (mm/d)", stroke: "#1b5e20", width: 1 },
                                      { label: "Evaporación (mm/d)", stroke: "#8e24aa", width: 1 }] : [])],
    axes: [{ values: (u, ticks, axis, space, step) => ticks.map((v) => dateTick(v, step)) },
           { label: "mm", values: (u, ticks) => ticks.map((v) => engine.showNumber(v, true)) }],
    scales: { x: { time: true } },
    tzDate: (seconds) => uPlot.tzDate(new Date(seconds * 1000), "Etc/UTC"),
  }, [xs, ...series], depletionSummary(engine, xs, series, cell), cell);
}

// The season the depletion chart shows, in words.
function depletionSummary(engine, xs, [dr, , taw, rain, irrigation], cell) {
  if (xs.length === 0) return "Ningún día que mostrar.";
  const most = dr.reduce((m, v, i) => (v > dr[m] ? i : m), 0);
  const sum = (values) => values.reduce((a, v) => a + v, 0);
  const n = irrigation.filter((v) => v > 0).length;
  const mm = (v) => engine.showNumber(Math.round(v * 10) / 10, true) + " mm";
  return `${xs.length} días, del ${cell(xs[0], 0)} al ${cell(xs.at(-1), 0)}: agotamiento Dr máximo ${mm(dr[most])} ` +
    `el ${cell(xs[most], 0)}, con un ADT de ${mm(taw[most])} ese día; ${n} ${n === 1 ? "riego" : "riegos"} ` +
    `(${mm(sum(irrigation))} netos) y ${mm(sum(rain))} de lluvia.`;
}
