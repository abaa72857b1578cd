// The web calculator in a real browser (Debian's Chromium, headless, driven
// by playwright-core), opened from disk with every network request refused
// and counted: the Holyoke year as the station publishes it (',', UTF-8) and
// as a Spanish-language spreadsheet exports it (';', decimal commas,
// Windows-1252, CRLF, a date column, an error cell) must download, byte for
// byte, what torven --csv writes for the same formula; the error row shows
// the Spanish error; the chart is drawn.  Then 36,500 rows are timed.
//   node calculadora_test.mjs PAGE.html TORVEN EXAMPLES_FOLDER [SCREENSHOT.png]
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { createRequire } from "node:module";
import { fileURLToPath, pathToFileURL } from "node:url";

// playwright-core as web/ installs it (npm ci there).
const { chromium } = createRequire(fileURLToPath(new URL("../../web/package.json", import.meta.url)))("playwright-core");

const [page, torven, examples, screenshot] = process.argv.slice(2).map((p) => p && resolve(p));
const work = mkdtempSync(join(tmpdir(), "torven-web-"));
let failures = 0;
const fail = (message) => { console.log("FAIL " + message); ++failures; };

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
const big = join(work, "cien_estaciones.csv");
writeFileSync(big, lines[0] + "\n" + Array.from({ length: 100 }, () => lines.slice(1, 366).join("\n")).join("\n") + "\n");

const cases = [
  { file: holyoke, latitude: "40,49",
    formula: "ETPF56(JDIA.VENTISOLA(YEAR(date);MONTH(date);DAY(date)); rs; tmax; tmin; 0; PVHRF56(tmax;tmin;rhmax;rhmin); u2; 2; 1138; 40.49)" },
  { file: holyoke, latitude: "40,49", choose: "#fecha-partes",
    formula: "ETPF56(JDIA.VENTISOLA(year;month;day); rs; tmax; tmin; 0; PVHRF56(tmax;tmin;rhmax;rhmin); u2; 2; 1138; 40.49)" },
  { file: windows, latitude: "40,49", error: "#¡VALOR!",
    formula: "ETPF56(JDIA.VENTISOLA(AÑO(fecha);MES(fecha);DIA(fecha)); rs; tmáx; tmín; 0; PVHRF56(tmáx;tmín;hrmáx;hrmín); u2; 2; 1138; 40,49)" },
];

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

async function compute(file, latitude, choose) {
  await tab.setInputFiles("#archivo", file);
  await tab.waitForSelector("#paso-columnas:not([hidden])");
  if (choose) await tab.check(choose);
  await tab.fill("#latitud", latitude);
  await tab.fill("#altitud", "1138");
  await tab.click("#calcular");
  await tab.waitForSelector("#paso-resultados:not([hidden])");
}

for (const c of cases) {
  await compute(c.file, c.latitude, c.choose);
  const [download] = await Promise.all([tab.waitForEvent("download"), tab.click("#descargar")]);
  const got = readFileSync(await download.path());
  const want = execFileSync(torven, ["--csv", c.file, "--as", "et0", c.formula]);
  if (!got.equals(want)) {
    const a = got.toString("latin1").split("\n"), b = want.toString("latin1").split("\n");
    const at = a.findIndex((line, i) => line !== b[i]);
    fail(`${c.file}: the download differs from torven --csv at line ${at + 1}: '${a[at]}' / '${b[at]}'`);
  } else {
    console.log(`${c.file}${c.choose ? " (year, month, day)" : ""}: ${lines.length - 1} days, the download is torven --csv's to the byte`);
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
  if (drawn < 1000) fail(`the chart is not drawn (${drawn} pixels)`);
  if (c === cases[0] && screenshot) await tab.screenshot({ path: screenshot, fullPage: false });
}

await compute(big, "40,49");
const ms = Number(await tab.getAttribute("#tiempo", "data-ms"));
console.log(`36500 rows computed in the browser in ${ms.toFixed(0)} ms`);
if (requests.length) fail("network requests: " + requests.join(", "));
else console.log("no network request");
await browser.close();
rmSync(work, { recursive: true, force: true });
process.exit(failures > 0 ? 1 : 0);
