// A chart for every reader: beside its canvas, a legend of buttons that show
// and hide its series (reached by keyboard, each pressed or not), a summary in
// words, and the points it draws as a table, written when it is opened.  Its
// width follows its box when the window changes (a zoom, a turned phone).
//   <figure> holds #ID (the canvas), #ID-leyenda, #ID-resumen (its caption)
//   and <details id="ID-datos"> with a table.
import uPlot from "uplot";

const HEIGHT = 320;
const MAX_WIDTH = 900;
const drawn = new Map();  // box id → the chart drawn in it

const $ = (id) => document.getElementById(id);
const widthOf = (box) => Math.min(MAX_WIDTH, box.clientWidth || MAX_WIDTH);

// The width a chart drawn in box `id` takes, in CSS pixels.
export const chartWidth = (id) => widthOf($(id));

// Draws uPlot's `options` (no width, height or legend) over `data` ([xs,
// ...series]) in the box `id`, instead of the chart drawn there before.
// `summary` says in words what it shows; `cell(value, column)` writes a
// value of the table (column 0 the x).
export function drawChart(id, options, data, summary, cell) {
  drawn.get(id)?.destroy();
  const box = $(id);
  const u = new uPlot({ ...options, width: widthOf(box), height: HEIGHT, legend: { show: false } }, data, box);
  drawn.set(id, u);
  const canvas = u.root.querySelector("canvas");
  canvas.setAttribute("role", "img");
  canvas.setAttribute("aria-label", options.title ?? "Gráfico");
  canvas.setAttribute("aria-describedby", id + "-resumen");
  $(id + "-resumen").textContent = summary;
  legend(u, $(id + "-leyenda"));
  const details = $(id + "-datos");
  const table = details.querySelector("table");
  table.replaceChildren();
  details.ontoggle = () => { if (details.open && table.rows.length === 0) fillTable(table, u, data, cell); };
  if (details.open) fillTable(table, u, data, cell);
}

// One button a series, pressed while the series is shown.
function legend(u, box) {
  box.replaceChildren(...u.series.slice(1).map((s, k) => {
    const button = document.createElement("button");
    button.type = "button";
    button.setAttribute("aria-pressed", "true");
    const swatch = document.createElement("span");
    swatch.className = "muestra";
    swatch.setAttribute("aria-hidden", "true");
    swatch.style.borderColor = typeof s.stroke === "function" ? s.stroke(u, k + 1) : s.stroke;
    button.append(swatch, s.label);
    button.addEventListener("click", () => {
      const show = button.getAttribute("aria-pressed") !== "true";
      u.setSeries(k + 1, { show });
      button.setAttribute("aria-pressed", String(show));
    });
    return button;
  }));
}

function fillTable(table, u, data, cell) {
  const head = table.createTHead().insertRow();
  for (const s of u.series) head.append(Object.assign(document.createElement("th"), { scope: "col", textContent: s.label }));
  const body = table.createTBody();
  for (let i = 0; i < data[0].length; ++i) {
    const row = body.insertRow();
    data.forEach((values, column) => { row.insertCell().textContent = cell(values[i], column); });
  }
}

// The charts take their boxes' new widths.
let pending = false;
addEventListener("resize", () => {
  if (pending) return;
  pending = true;
  requestAnimationFrame(() => {
    pending = false;
    for (const [id, u] of drawn) {
      const width = widthOf($(id));
      if (width !== u.width) u.setSize({ width, height: HEIGHT });
    }
  });
});
