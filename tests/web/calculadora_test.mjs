// The web calculator in a real browser (Debian's Chromium, headless, driven
// by playwright-core), opened from disk with every network request refused
// and counted: the Holyoke year as the station publishes it (',', UTF-8) and
// as a Spanish-language spreadsheet exports it (';', decimal commas,
// Windows-1252, CRLF, a date column, an error cell) must download, byte for
// byte, what torven --csv writes for the same formula; the error row shows
// the Spanish error; the chart is drawn.  So must a copy in km/h and W/m²
// with gaps (its failed rows listed) and the other spreadsheet's UTF-16
// "Unicode text", for the formula the page shows.  Station fields left
// blank, not numbers or out of range are refused, and a file that is not
// text.  A keyboard alone loads a file, computes ET0 and the irrigation and
// downloads; axe-core finds no WCAG 2.1 A/AA violation at 1280 and 360 px,
// and every control has a name of its own.  Then 36,500 rows are timed.
//   node calculadora_test.mjs PAGE.html TORVEN EXAMPLES_FOLDER [SCREENSHOT.png]
import { spawnSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { createRequire } from "node:module";
import { fileURLToPath, pathToFileURL } from "node:url";

// playwright-core and axe-core as web/ installs them (npm ci there).
const webRequire = createRequire(fileURLToPath(new URL("../../web/package.json", import.meta.url)));
const { chromium } = webRequire("playwright-core");
const axeSource = readFileSync(webRequire.resolve("axe-core/axe.min.js"), "utf8");

const [page, torven, examples, screenshot] = process.argv.slice(2).map((p) => p && resolve(p));
const work = mkdtempSync(join(tmpdir(), "torven-web-"));
let failures = 0;
const fail = (message) => { console.log("FAIL " + message); ++failures; };
// torven --csv's output file (status 1, some rows failed, writes it whole too).
const torvenCsv = (args) => {
  const done = spawnSync(torven, ["--csv", ...args], { stdio: ["ignore", "pipe", "pipe"], maxBuffer: 1 << 30 });
  if (done.status !== 0 && done.status !== 1) fail(`torven --csv ${args.join(" ")}: status ${done.status}: ${done.stderr}`);
  return done.stdout;
};

// The test files.
const holyoke = join(examples, "holyoke_2020.csv");
const lines = readFileSync(holyoke, "utf8").trimEnd().split("\n");
const spanish = [
  "fecha;año;mes;día;tmáx;tmín;hrmáx;hrmín;rs;u2;et_asce0;hr_limitada",
  ...lines.slice(1).map((line, i) => {
    const f = line.split(",");
    const [y, m, d] = f[0].split("-");
    f[0] = `${d}/${m}/${y}`;
    if (i === 1) f[4] = "#¡VALOR!";
    return f.map((v) => v.replace(/(\d)\.(\d)/, "$1,$2")).join(";");
  }),
].join("\r\n") + "\r\n";
const windows = join(work, "holyoke_es.csv");
writeFileSync(windows, Buffer.from(spanish, "latin1"));  // these characters are the same in Windows-1252
// Wind in km/h and radiation in W/m², a day without radiation and one with
// "n/d" for the minimum humidity.
const units = join(work, "holyoke_unidades.csv");
writeFileSync(units, [
  lines[0].replace(",rs,u2,", ",rs (W/m2),u2 (km/h),"),
  ...lines.slice(1).map((line, i) => {
    const f = line.split(",");
    f[8] = i === 1 ? "" : (f[8] / 0.0864).toFixed(3);
    f[9] = (f[9] * 3.6).toFixed(2);
    if (i === 3) f[7] = "n/d";
    return f.join(",");
  })].join("\n") + "\n");
// The other spreadsheet's "Unicode text": UTF-16LE with its mark, tabs, CRLF.
const unicode = join(work, "holyoke_unicode.txt");
writeFileSync(unicode, Buffer.from("\ufeff" + lines.map((l) => l.replaceAll(",", "\t")).join("\r\n") + "\r\n", "utf16le"));
// Station files as networks publish them, each made from the Holyoke year:
const rows = lines.slice(1).map((line) => line.split(","));
const dmy = (iso) => iso.split("-").reverse().join("/");
const comma = (x) => String(x).replace(".", ",");
// a Spanish network's: UTF-16LE without a mark, ';', decimal commas, its column names;
const network = join(work, "red_es.txt");
writeFileSync(network, Buffer.from(["Fecha;Temp Máxima (ºC);Temp Mínima (ºC);HumedadMax;HumedadMin;Velviento;Radiacion",
  ...rows.map((f) => [dmy(f[0]), f[4], f[5], f[6], f[7], f[9], f[8]].map(comma).join(";"))].join("\r\n") + "\r\n", "utf16le"));
// a national service's: a '#' preamble and header, padded fields, tenths of °C and m/s, J/cm²;
const tenths = join(work, "knmi.txt");
const pad = (x) => String(x).padStart(5);
writeFileSync(tenths, [...Array.from({ length: 40 }, (_, i) => `# ${i === 0 ? "BRON: KNMI" : "TX = Maximum temperature (in 0.1 degrees Celsius), line " + i}`),
  "# STN,YYYYMMDD,   TX,   TN,   UX,   UN,   FG,    Q", "",
  ...rows.map((f) => ["  260", f[0].replaceAll("-", ""), Math.round(f[4] * 10), Math.round(f[5] * 10), Math.round(f[6]),
                      Math.round(f[7]), Math.round(f[9] * 10), Math.round(f[8] * 100)].map(pad).join(","))].join("\n") + "\n");
// a research farm's: runs of spaces, a banner, a units row (wind in km/h), year-day dates and NaN gaps;
const farm = join(work, "farm.dat");
writeFileSync(farm, ["*****", "Research farm, daily weather", "  Year-DOY   Tmax   Tmin  RHmax  RHmin   Srad  Wndsp",
  "         -     (C)    (C)    (%)    (%)  (MJ/m2)  (km/h)",
  ...rows.map((f, i) => [`${f[0].slice(0, 4)}-${String(i + 1).padStart(3, "0")}`, f[4], f[5], i === 9 ? "NaN" : f[6],
                         f[7], f[8], (f[9] * 3.6).toFixed(2)].map((v) => String(v).padStart(8)).join(" "))].join("\n") + "\n");
// m/d/yyyy dates whose days never pass 12 (the order must be asked), and a Tmin above Tmax;
const monthFirst = join(work, "mdy.csv");
writeFileSync(monthFirst, ["date,tmax,tmin,rhmax,rhmin,rs,u2",
  ...rows.slice(0, 12).map((f, i) => [`01/${String(i + 1).padStart(2, "0")}/2020`, f[4], i === 2 ? 12 : f[5], f[6], f[7], f[8], f[9]].join(","))].join("\n") + "\n");
// the spreadsheet's serial numbers as dates;
const serials = join(work, "serie.csv");
writeFileSync(serials, ["date,tmax,tmin,rhmax,rhmin,rs,u2", ...rows.map((f, i) => [43831 + i, ...f.slice(4, 10)].join(","))].join("\n") + "\n");
// twelve monthly normals like Bangkok's (FAO 56 example 17: April, 13°44' N, 2 m, ea 2.85 kPa, 8.5 h of
// sunshine, 2 m/s; March's mean 29.2 °C and May's 31.2, so DTP = 2 °C);
const normals = join(work, "bangkok.csv");
writeFileSync(normals, ["mes,tmax,tmin,pv,n,u2", ...[[32.0, 21.0], [32.9, 23.3], [33.9, 24.5], [34.8, 25.6], [35.5, 26.9],
  [33.5, 25.6], [32.9, 25.3], [32.7, 25.2], [32.3, 24.9], [31.9, 24.5], [31.4, 23.1], [31.0, 20.9]]
  .map(([tx, tn], i) => [i + 1, tx, tn, 2.85, 8.5, 2].join(","))].join("\n") + "\n");
// hourly rows with a day's columns, and two-digit years: refused.
const hourly = join(work, "horario.csv");
writeFileSync(hourly, ["date,tmax,tmin,rhmax,rhmin,rs,u2", ...Array.from({ length: 48 }, (_, h) =>
  [`2020-01-0${1 + Math.floor(h / 24)} ${String(h % 24).padStart(2, "0")}:00`, ...rows[0].slice(4, 10)].join(","))].join("\n") + "\n");
const twoDigits = join(work, "dos_cifras.csv");
writeFileSync(twoDigits, ["fecha;tmax;tmin;rhmax;rhmin;rs;u2", ...rows.slice(0, 30).map((f) =>
  [dmy(f[0]).slice(0, 6) + f[0].slice(2, 4), ...f.slice(4, 10)].map(comma).join(";"))].join("\n") + "\n");
const random = join(work, "aleatorio.csv");
writeFileSync(random, Buffer.from(Array.from({ length: 100000 }, () => Math.floor(Math.random() * 256))));
const big = join(work, "cien_estaciones.csv");
writeFileSync(big, lines[0] + "\n" + Array.from({ length: 100 }, () => lines.slice(1, 366).join("\n")).join("\n") + "\n");

const cases = [
  { file: holyoke, latitude: "40,49",
    formula: "ETPF56(JDIA.VENTISOLA(YEAR(date);MONTH(date);DAY(date)); rs; tmax; tmin; 0; PVHRF56(tmax;tmin;rhmax;rhmin); u2; 2; 1138; 40.49)" },
  { file: holyoke, latitude: "40,49", choose: "#fecha-partes",
    formula: "ETPF56(JDIA.VENTISOLA(year;month;day); rs; tmax; tmin; 0; PVHRF56(tmax;tmin;rhmax;rhmin); u2; 2; 1138; 40.49)" },
  { file: windows, latitude: "40,49", error: "#¡VALOR!",
    formula: "ETPF56(JDIA.VENTISOLA(AÑO(fecha);MES(fecha);DIA(fecha)); rs; tmáx; tmín; 0; PVHRF56(tmáx;tmín;hrmáx;hrmín); u2; 2; 1138; 40,49)" },
  { file: units, latitude: "40°29,4' N",
    shown: "=ETPF56(JDIA.VENTISOLA(AÑO(A2);MES(A2);DIA(A2));SI(ESBLANCO(I2);#¡VALOR!;I2*0,0864);E2;F2;0;" +
           "PVHRF56(E2;F2;G2;H2);SI(ESBLANCO(J2);#¡VALOR!;J2/3,6);2;1138;40,49)",
    failures: ["línea 3 (02/01/2020): Rs vacía → #¡VALOR!", "línea 5 (04/01/2020): HRmín sin dato («n/d») → #¡VALOR!"] },
  { file: unicode, latitude: "40,49", mark: [0xff, 0xfe] },
  // FAO 56's procedures for missing data: the year from temperatures alone,
  // kRs for the coast, the arid offset; then every gap of the units copy estimated.
  { file: holyoke, latitude: "40,49", choose: ["#rad-temperaturas", "#hum-tmin", "#viento-fijo"], sum: true,
    shown: "=ETPF56(JDIA.VENTISOLA(AÑO(A2);MES(A2);DIA(A2));0,16*RAIZ(E2-F2)*RADAF56(JDIA.VENTISOLA(AÑO(A2);" +
           "MES(A2);DIA(A2));40,49);E2;F2;0;PVTRF56(F2);2;2;1138;40,49)" },
  { file: holyoke, latitude: "40,49", choose: ["#rad-temperaturas", "#hum-tmin"], krs: "0,19", offset: "2" },
  { file: units, latitude: "40,49", choose: ["#estimar"], failures: [], estimated: "radiación 1, humedad 1, viento 0" },
  { file: network, latitude: "40,49" },
  { file: tenths, latitude: "40,49", blocked: "°C, que no puede ser. ¿décimas de °C?",
    columns: { hrmax: "UX", hrmin: "UN", viento: "FG", rs: "Q" }, units: { tmax: "dC", tmin: "dC", viento: "dm/s", rs: "J" } },
  { file: farm, latitude: "40,49", doubtful: ["línea 185 (29/06/2020): Rs 36,88 > Rso 32,23 MJ/m²/d (ec. 37)"], torvenWrites: "/3.6" },
  { file: serials, latitude: "40,49", years: "2020: " },
  { file: normals, latitude: "13°44' N", altitude: "2", monthly: true, april: "5.718" },
  { file: monthFirst, latitude: "40,49", asked: "no dicen si son día/mes/año o mes/día/año", order: "mdy",
    flags: ["--dates", "mdy"], doubtful: ["línea 4 (03/01/2020): Tmín 12 > Tmáx 5"] },
];
// Hourly rows computed as days (the page offers them as hours), and two-digit years: refused by the engine.
const refusedFiles = [[hourly, "varias filas por día (46 de 48", ["#periodo-diario"]],
                      [twoDigits, "tienen el año en dos cifras (30 filas)", []]];

const browser = await chromium.launch({
  executablePath: process.env.TORVEN_CHROMIUM || "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync"],
});
const context = await browser.newContext({ acceptDownloads: true, viewport: { width: 1100, height: 1500 } });
const requests = [];
await context.route("**/*", (route) => {
  const url = route.request().url();
  if (url.startsWith("file:") || url.startsWith("data:") || url.startsWith("blob:")) return route.continue();
  requests.push(url);
  return route.abort();
});
const tab = await context.newPage();
tab.on("pageerror", (e) => fail("page error: " + e.message));
await tab.goto(pathToFileURL(page).href);
await tab.waitForSelector("body[data-listo='1']");

// axe-core's WCAG 2.1 A and AA rules at 1280 and 360 px, no horizontal
// scroll at 360, and each shown control with a name of its own (not empty,
// not another's).
async function accessible(when) {
  for (const width of [1280, 360]) {
    await tab.setViewportSize({ width, height: 900 });
    await tab.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
    if (!(await tab.evaluate(() => "axe" in window))) await tab.addScriptTag({ content: axeSource });
    const found = await tab.evaluate(async () => {
      const tags = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa"];
      const { violations } = await window.axe.run(document, { runOnly: { type: "tag", values: tags } });
      window.axe.setup();
      const names = [...document.querySelectorAll("input, select, button")].filter((e) => e.checkVisibility() || e.type === "file")
        .map((e) => window.axe.commons.text.accessibleTextVirtual(window.axe.utils.getNodeFromTree(e)).trim());
      window.axe.teardown();
      return { violations: violations.map((v) => `${v.id} (${v.nodes.map((n) => n.target.join(" ")).join(", ")})`),
               unnamed: names.filter((n, i) => n === "" || names.indexOf(n) !== i),
               scroll: document.documentElement.scrollWidth - window.innerWidth };
    });
    if (found.violations.length || found.unnamed.length || (width === 360 && found.scroll > 0))
      fail(`${when} at ${width} px: ${found.violations.join("; ")}; names empty or repeated: ${JSON.stringify(found.unnamed)}; ` +
           `${found.scroll} px of horizontal scroll`);
  }
  await tab.setViewportSize({ width: 1100, height: 1500 });
  console.log(`${when}: no WCAG 2.1 A/AA violation at 1280 and 360 px, every control named`);
}
await accessible("on load");

async function compute(file, latitude, choose, c = {}, wait = true) {
  await tab.setInputFiles("#archivo", file);
  await tab.waitForSelector("#paso-columnas:not([hidden])");
  for (const selector of [choose ?? []].flat()) await tab.check(selector);
  for (const [input, name] of Object.entries(c.columns ?? {})) {
    await tab.selectOption("#col-" + input, { label: name });
    await tab.dispatchEvent("#col-" + input, "change");
  }
  await tab.fill("#latitud", latitude);
  await tab.fill("#altitud", c.altitude ?? "1138");
  if (await tab.isVisible("#altura")) await tab.fill("#altura", "2");  // hidden with a constant wind
  if (c.krs) await tab.fill("#krs", c.krs);
  if (c.offset) await tab.fill("#desfase", c.offset);
  await tab.click("#calcular");
  await tab.waitForFunction(() => document.getElementById("estado").className === "error" ||
                                  !document.getElementById("paso-resultados").hidden);
  if (wait && (await tab.isHidden("#paso-resultados"))) {
    fail(`${file}: nothing computed: ${await tab.textContent("#estado")}`);
    await tab.fill("#latitud", latitude);  // the results of the case before stay hidden
  }
}

// What the page refuses, blocks or asks, before it shows any result; then,
// for a case with the fix, the fix.
async function refusedFirst(c) {
  const expected = c.blocked ?? c.asked;
  if (!expected) return;
  await compute(c.file, c.latitude, c.choose, c, false);
  const status = await tab.textContent("#estado");
  if (!status.includes(expected) || !(await tab.isHidden("#paso-resultados"))) fail(`${c.file}: not stopped with '${expected}': ${status}`);
  else console.log(`${c.file}: stopped before the results: ${expected}`);
  for (const [input, unit] of Object.entries(c.units ?? {})) await tab.selectOption("#unidad-" + input, unit);
  if (c.order) await tab.selectOption("#orden-fecha", c.order);
  await tab.click("#calcular");
  await tab.waitForSelector("#paso-resultados:not([hidden])");
}

for (const c of cases) {
  if (c.blocked || c.asked) await refusedFirst(c);
  else await compute(c.file, c.latitude, c.choose, c);
  if (c.blocked && !(await tab.isHidden("#estado.error"))) fail(`${c.file}: still an error with the right units: ${await tab.textContent("#estado")}`);
  const [download] = await Promise.all([tab.waitForEvent("download"), tab.click("#descargar")]);
  const got = readFileSync(await download.path());
  // The same bytes as torven --csv with the formula the page shows (and with
  // the one written here, where there is one).
  const shownFormula = await tab.textContent("#formula-torven"), markFormula = await tab.textContent("#marca-torven");
  for (const formula of [shownFormula, c.formula].filter(Boolean)) {
    const added = c.monthly ? JSON.parse(await tab.getAttribute("#orden-torven", "data-added"))
      : markFormula ? ["--as", "et0", "--as", "estimado", formula, markFormula] : ["--as", "et0", formula];
    const want = torvenCsv([c.file, ...(c.flags ?? []), ...added]);
    if (!got.equals(want)) {
      const a = got.toString("latin1").split("\n"), b = want.toString("latin1").split("\n");
      const at = a.findIndex((line, i) => line !== b[i]);
      fail(`${c.file}: the download differs from torven --csv ${formula} at line ${at + 1}: '${a[at]}' / '${b[at]}'`);
    } else {
      console.log(`${c.file}${c.choose ? " (" + [c.choose].flat().join(", ") + ")" : ""}: the download is torven --csv's to the byte, for ${formula}`);
    }
  }
  if (c.shown && (await tab.textContent("#formula")) !== c.shown)
    fail(`the workbook formula shown is ${await tab.textContent("#formula")}, not ${c.shown}`);
  if (c.mark && !(got[0] === c.mark[0] && got[1] === c.mark[1])) fail(`${c.file}: the download lost its byte-order mark`);
  if (c.estimated && !(await tab.textContent("#resumen")).includes(c.estimated))
    fail("estimated days: " + (await tab.textContent("#resumen")));
  if (c.sum) console.log("the year from temperatures alone: " + (await tab.textContent("#sumas")));
  if (c.failures) {
    const listed = await tab.$$eval("#fallidas li", (items) => items.map((li) => li.textContent));
    if (JSON.stringify(listed) !== JSON.stringify(c.failures)) fail("failed rows listed: " + JSON.stringify(listed));
  }
  if (c.torvenWrites && !shownFormula.includes(c.torvenWrites.replace(".", ","))) fail(`the formula lacks ${c.torvenWrites}: ${shownFormula}`);
  if (c.years && (!(await tab.textContent("#sumas")).startsWith(c.years) || (await tab.textContent("#sumas")).includes("sin fecha")))
    fail("the sums per year: " + (await tab.textContent("#sumas")));
  if (c.april) {
    const april = await tab.$eval("#primeras", (t) => t.rows[4].cells[6].textContent);
    if (!april.startsWith(c.april)) fail(`April's ET0 is ${april}, not ${c.april}… (FAO 56 example 17: 5.72 mm/d)`);
    else console.log(`twelve monthly normals: April's ET0 ${april} mm/d (FAO 56 example 17: 5.72)`);
  }
  if (c.doubtful) {
    const listed = await tab.$$eval("#dudosos li", (items) => items.map((li) => li.textContent));
    if (JSON.stringify(listed) !== JSON.stringify(c.doubtful)) fail("doubtful rows listed: " + JSON.stringify(listed));
  }
  if (c.error) {
    const shown = await tab.textContent("#primeras");
    if (!shown.includes(c.error)) fail(`the error row does not show ${c.error}`);
    if (!(await tab.textContent("#resumen")).includes("1 " + c.error)) fail("the error is not counted");
  }
  const drawn = await tab.$eval("#grafico canvas", (canvas) => {
    const pixels = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    let inked = 0;
    for (let i = 3; i < pixels.length; i += 4) inked += pixels[i] > 0;
    return inked;
  }).catch(() => 0);
  if (drawn < 1000 && !c.monthly) fail(`the chart is not drawn (${drawn} pixels)`);
  if (c === cases[0] && screenshot) await tab.screenshot({ path: screenshot, fullPage: false });
}

for (const [file, message, choose] of refusedFiles) {
  await compute(file, "40,49", choose, {}, false);
  const status = await tab.textContent("#estado");
  if (!status.includes(message)) fail(`${file} is not refused with '${message}': ${status}`);
  else console.log(`${file} is refused: ${message}`);
}

// A keyboard alone: the page opened anew, Tab to each control, the file
// chosen with Space, the fields typed, the buttons pressed with Enter (the
// season with its defaults, from the file's first day), a legend key
// toggled, the download.  Then a stage refused: the field marked, described
// by its message and focused, the results of the run before cleared.
{
  await tab.goto(pathToFileURL(page).href);
  await tab.waitForSelector("body[data-listo='1']");
  const tabTo = async (id) => {
    for (let n = 0; n < 300; ++n) {
      await tab.keyboard.press("Tab");
      if (await tab.evaluate((want) => document.activeElement?.id === want || document.activeElement?.matches(want), id)) return true;
    }
    fail(`the keyboard does not reach ${id}`);
    return false;
  };
  const steps = [];
  await tabTo("archivo");
  const [chooser] = await Promise.all([tab.waitForEvent("filechooser"), tab.keyboard.press("Space")]);
  await chooser.setFiles(holyoke);
  await tab.waitForSelector("#paso-columnas:not([hidden])");
  for (const [id, text] of [["latitud", "40,49"], ["altitud", "1138"]]) if (await tabTo(id)) await tab.keyboard.type(text);
  if (await tabTo("calcular")) await tab.keyboard.press("Enter");
  await tab.waitForSelector("#paso-resultados:not([hidden])");
  steps.push("ET0");
  await accessible("after the ET0");
  if (await tabTo("#grafico-leyenda button")) await tab.keyboard.press("Space");
  if ((await tab.getAttribute("#grafico-leyenda button", "aria-pressed")) === "false") steps.push("legend");
  if (await tabTo("calcular-riego")) await tab.keyboard.press("Enter");
  await tab.waitForSelector("#riego-resultados:not([hidden])");
  steps.push("irrigation from " + (await tab.inputValue("#siembra")));
  await accessible("after the irrigation");
  if (await tabTo("descargar")) {
    const [download] = await Promise.all([tab.waitForEvent("download"), tab.keyboard.press("Enter")]);
    if ((await download.path()) && readFileSync(await download.path()).length > 0) steps.push("download");
  }
  if (steps.length !== 4) fail("by keyboard alone: only " + steps.join(", "));
  else console.log("by keyboard alone: " + steps.join(", "));
  await tab.fill("#l-ini", "0");
  await tab.click("#calcular-riego");
  const refused = await tab.evaluate(() => {
    const field = document.activeElement, note = document.getElementById(field.getAttribute("aria-describedby") ?? "");
    return [field.id, field.getAttribute("aria-invalid"), note?.textContent, document.getElementById("riego-resultados").hidden,
            document.getElementById("estado-riego").textContent];
  });
  if (JSON.stringify(refused.slice(0, 4)) !== JSON.stringify(["l-ini", "true", "La etapa inicial «0» debe estar entre 1 y 400.", true]) ||
      !refused[4].includes(refused[2]))
    fail("a refused stage: " + JSON.stringify(refused));
  await tab.fill("#l-ini", "30");
  await tab.fill("#siembra", "");
}

// Irrigation: a maize season at Holyoke from 15 April (Table 11's "Spain;
// Calif." stages, a loam): the download with the irrigation columns is
// torven --csv's for the formulas shown, and the calendar lists irrigations.
await compute(holyoke, "40,49");
await tab.uncheck("#estimar");
await tab.click("#calcular");
await tab.waitForSelector("#paso-riego:not([hidden])");
await tab.fill("#siembra", "15/04/2020");
await tab.selectOption("#cultivo-etapas", { label: "30/40/50/30 días; siembra en abril; España (primavera, verano); California" });
await tab.click("#calcular-riego");
await tab.waitForFunction(() => document.getElementById("estado-riego").className === "error" ||
                                !document.getElementById("riego-resultados").hidden);
if (await tab.isHidden("#riego-resultados")) fail("irrigation not computed: " + (await tab.textContent("#estado-riego")));
else {
  const [download] = await Promise.all([tab.waitForEvent("download"), tab.click("#descargar")]);
  const got = readFileSync(await download.path());
  const added = JSON.parse(await tab.getAttribute("#orden-torven", "data-added"));
  const want = torvenCsv([holyoke, ...added]);
  const irrigations = await tab.$$eval("#calendario tr", (rows) => rows.length - 1);
  if (!got.equals(want) || !added.includes("dr") || irrigations < 1)
    fail(`irrigation: the download ${got.equals(want) ? "equals" : "differs from"} torven --csv's, ${irrigations} irrigations`);
  else console.log(`a maize season at Holyoke: the download with the irrigation columns is torven --csv's to the byte; ` +
                   `${irrigations} irrigations; ${await tab.textContent("#riego-totales li:nth-child(4)")}`);
  // A run that fails leaves the download of the last one computed.
  await tab.fill("#siembra", "15/04/2030");
  await tab.click("#calcular-riego");
  await tab.waitForFunction(() => document.getElementById("estado-riego").className === "error");
  const [again] = await Promise.all([tab.waitForEvent("download"), tab.click("#descargar")]);
  if (!readFileSync(await again.path()).equals(got) || !(await tab.isHidden("#riego-resultados")))
    fail("after a failed irrigation run, the download is not the last file computed, or its results stay");
  // The dual coefficient (drip, fw 0,35): transpiration and evaporation apart, the download torven --csv's.
  await tab.fill("#siembra", "15/04/2020");
  await tab.selectOption("#coeficiente", "dual");
  await tab.click("#calcular-riego");
  await tab.waitForFunction(() => document.getElementById("estado-riego").className === "error" ||
                                  !document.getElementById("riego-resultados").hidden);
  await accessible("after the dual irrigation");
  const [dual] = await Promise.all([tab.waitForEvent("download"), tab.click("#descargar")]);
  const dualAdded = JSON.parse(await tab.getAttribute("#orden-torven", "data-added"));
  const totals = await tab.textContent("#riego-totales");
  if (!readFileSync(await dual.path()).equals(torvenCsv([holyoke, ...dualAdded])) || !dualAdded.includes("ke") ||
      !/Transpiración \(Ks·Kcb·ET0\): [\d,]+ mm; evaporación del suelo \(Ke·ET0\): [\d,]+ mm/.test(totals))
    fail(`the dual coefficient: ${await tab.textContent("#estado-riego")} ${totals}`);
  else console.log(`the dual coefficient: the download is torven --csv's; ${totals.split("mm;")[0]}mm`);
  await tab.selectOption("#coeficiente", "unico");
}

// Readings of the hour: three July days with their radiation in W/m² are
// found hourly, and computed with the hourly columns (FAO 56 eq. 53): the
// download is torven --csv's for the formulas shown, one total a day; a
// day with an hour missing is left out of the sums.
{
  const hours = ["fecha,temp,hr,viento,rad (W/m2)"];
  for (let h = 1; h <= 72; ++h) {
    const when = new Date(Date.UTC(2020, 6, 1, h)), sun = Math.max(0, Math.sin(((h % 24 || 24) - 6.5) / 12.5 * Math.PI));
    hours.push([when.toISOString().slice(0, 16).replace("T", " "), (20 + 8 * sun).toFixed(1), (80 - 40 * sun).toFixed(0),
                (2 + sun).toFixed(1), (800 * sun * sun).toFixed(0)].join(","));
  }
  const file = join(work, "horas.csv");
  writeFileSync(file, hours.join("\n") + "\n");
  await tab.setInputFiles("#archivo", file);
  await tab.waitForSelector("#paso-columnas:not([hidden])");
  for (const [id, value] of [["#latitud", "40,49"], ["#altitud", "1138"], ["#longitud", "-102,3"], ["#huso", "-7"]])
    await tab.fill(id, value);
  await tab.click("#calcular");
  await tab.waitForSelector("#paso-resultados:not([hidden])");
  const [download] = await Promise.all([tab.waitForEvent("download"), tab.click("#descargar")]);
  const added = JSON.parse(await tab.getAttribute("#orden-torven", "data-added"));
  const [sums, status] = [await tab.textContent("#sumas"), await tab.textContent("#estado")];
  if (!(await tab.isChecked("#periodo-horario")) || !readFileSync(await download.path()).equals(torvenCsv([file, ...added])) ||
      !added.includes("et0_h") || !sums.includes("en 3 días completos") || !status.includes("lecturas cada 60 min"))
    fail(`hourly readings: ${status} ${sums}`);
  else console.log(`hourly readings: the download is torven --csv's; ${sums}`);
  // One day's readings on demand, and the hourly form for every reader.
  await tab.fill("#dia-horas", "02/07/2020");
  await tab.dispatchEvent("#dia-horas", "change");
  const day = await tab.textContent("#grafico-horas-resumen");
  if (!day.startsWith("24 períodos el 02/07/2020, con ET0 en 24: suma ")) fail("one day's readings: " + day);
  else console.log("one day's readings: " + day);
  await accessible("after hourly ET0");
  // An hour missing on the second day: that day is left out of the sums.
  const gap = join(work, "horas_falta.csv");
  writeFileSync(gap, hours.filter((_, i) => i !== 30).join("\n") + "\n");
  await tab.setInputFiles("#archivo", gap);
  await tab.waitForSelector("#paso-columnas:not([hidden])");
  await tab.click("#calcular");
  await tab.waitForSelector("#paso-resultados:not([hidden])");
  const partial = await tab.textContent("#sumas");
  if (!partial.includes("en 2 días completos; sin 1 día con horas faltantes")) fail("a partial day summed: " + partial);
  else console.log("a day with an hour missing: " + partial);
  // The date and the hour in columns of their own, as hhmm (2400 ends a day): the same sums.
  const apart = join(work, "fecha_y_hora.csv");
  writeFileSync(apart, ["Fecha,Hora,temp,hr,viento,rad (W/m2)", ...hours.slice(1).map((line) => {
    const [when, ...rest] = line.split(",");
    const end = new Date(Date.parse(when.replace(" ", "T") + "Z") - 1);  // the day the reading closes
    const hhmm = when.endsWith("00:00") ? "2400" : when.slice(11, 13).replace(/^0/, "") + when.slice(14, 16);
    return [end.toISOString().slice(0, 10), hhmm, ...rest].join(",");
  })].join("\n") + "\n");
  await tab.setInputFiles("#archivo", apart);
  await tab.waitForSelector("#paso-columnas:not([hidden])");
  await tab.click("#calcular");
  await tab.waitForSelector("#paso-resultados:not([hidden])");
  const [separate] = await Promise.all([tab.waitForEvent("download"), tab.click("#descargar")]);
  const apartAdded = JSON.parse(await tab.getAttribute("#orden-torven", "data-added"));
  if ((await tab.textContent("#sumas")) !== sums || !readFileSync(await separate.path()).equals(torvenCsv([apart, ...apartAdded])))
    fail(`the date and the hour apart: ${await tab.textContent("#estado")} ${await tab.textContent("#sumas")}`);
  else console.log("the date and the hour (hhmm) in columns of their own: the same sums, the download torven --csv's");
}

// Seasons the balance cannot run over as they are: a day without ET0 (the
// balance stops there, said before the totals), a missing day and a blank
// line (refused before computing, named).  FILE'S CHANGE, then what the page says.
const holyokeWith = (name, change) => {
  const path = join(work, name);
  writeFileSync(path, change([...lines]).join("\n") + "\n");
  return path;
};
const at = (day) => lines.findIndex((l) => l.startsWith(day));
const seasons = [
  [holyokeWith("sin_tmax.csv", (l) => { l[at("2020-07-14")] = l[at("2020-07-14")].replace(/^([^,]*,[^,]*,[^,]*,[^,]*,)[^,]*/, "$1"); return l; }),
   "El balance se interrumpe el 14/07/2020 (línea 197): ET0 sin dato (Tmáx vacía). Los totales y el calendario llegan hasta el 13/07/2020.", true],
  [holyokeWith("sin_dia.csv", (l) => { l.splice(at("2020-06-10"), 1); return l; }), "falta el 10/06/2020 (entre las líneas 162 y 163)", false],
  [holyokeWith("en_blanco.csv", (l) => { l.splice(at("2020-06-10"), 0, ""); return l; }), "hay líneas sin datos entre las líneas 162 y 164", false],
];
for (const [file, said, computed] of seasons) {
  await compute(file, "40,49");
  await tab.fill("#siembra", "15/04/2020");
  await tab.click("#calcular-riego");
  await tab.waitForFunction(() => document.getElementById("estado-riego").className === "error");
  const status = await tab.textContent("#estado-riego"), first = await tab.textContent("#riego-totales li:first-child").catch(() => "");
  if (!status.includes(said) || computed !== !(await tab.isHidden("#riego-resultados")) || (computed && first !== status))
    fail(`${file}: the season's problem is not said as '${said}': '${status}', first total '${first}'`);
  else console.log(`${file}: ${said}`);
}

// The page fits its window: no horizontal scroll on a phone, no control over
// another from 1024 to 1920 pixels.
await compute(holyoke, "40,49");
for (const width of [390, 1024, 1366, 1920]) {
  await tab.setViewportSize({ width, height: 900 });
  await tab.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
  const scroll = await tab.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
  const overlaps = await tab.$$eval(".columna:not([hidden])", (rows) => rows.flatMap((row) => {
    const boxes = [...row.children].map((c) => c.getBoundingClientRect());
    const outside = boxes.some((b) => b.right > row.getBoundingClientRect().right + 1);
    const crossed = boxes.some((a, i) => boxes.slice(i + 1).some((b) => a.left < b.right - 1 && b.left < a.right - 1 &&
                                                                          a.top < b.bottom - 1 && b.top < a.bottom - 1));
    return outside || crossed ? [row.dataset.input] : [];
  }));
  if (scroll > 0 || overlaps.length) fail(`at ${width} px: ${scroll} px of horizontal scroll, overlaps in ${overlaps.join(", ")}`);
}
console.log("no horizontal scroll at 390 px, no overlap from 1024 to 1920 px");
await tab.setViewportSize({ width: 1100, height: 1500 });

// Station fields that are refused, each with nothing computed; a degree
// and minute latitude shown in decimal degrees.
const refusals = [
  ["#latitud", "", "La latitud está vacía"], ["#latitud", "norte", "La latitud «norte» no es un número"],
  ["#latitud", "95", "La latitud debe estar entre −90 y 90"], ["#altitud", "", "La altitud está vacía"],
  ["#altitud", "1e6", "La altitud debe estar entre"], ["#altitud", "1.208", "La altitud «1.208» es ambigua"],
  ["#altura", "-1", "La altura del anemómetro debe ser de al menos 0,5 m"], ["#altura", "0", "debe ser de al menos 0,5 m"],
];
for (const [field, value, message] of refusals) {
  await compute(holyoke, "40,49");
  await tab.fill(field, value);
  await tab.click("#calcular");
  const status = await tab.textContent("#estado");
  const marked = await tab.$eval(field, (e) => e.classList.contains("invalido") && e === document.activeElement &&
    document.getElementById(e.getAttribute("aria-describedby").split(" ")[0]).textContent.length > 0);
  if (!status.includes(message) || !marked || !(await tab.isHidden("#paso-resultados")))
    fail(`${field} = '${value}': status '${status}', marked ${marked}, results hidden ${await tab.isHidden("#paso-resultados")}`);
}
console.log(`${refusals.length} station fields refused, nothing computed`);
await tab.fill("#latitud", "37°51' N");
if ((await tab.textContent("#latitud-decimal")) !== "= 37,85°") fail("37°51' N is not shown as 37,85°");
await tab.setInputFiles("#archivo", random);
await tab.waitForFunction(() => document.getElementById("estado").className === "error");
if (!(await tab.textContent("#estado")).includes("no es un archivo de texto") || !(await tab.isHidden("#paso-columnas")))
  fail("a random file is not refused: " + (await tab.textContent("#estado")));
else console.log("a random file is refused");

await compute(big, "40,49");
const ms = Number(await tab.getAttribute("#tiempo", "data-ms"));
console.log(`36500 rows computed in the browser in ${ms.toFixed(0)} ms`);
if (requests.length) fail("network requests: " + requests.join(", "));
else console.log("no network request");
await browser.close();
rmSync(work, { recursive: true, force: true });
process.exit(failures > 0 ? 1 : 0);
