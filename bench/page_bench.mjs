// The web calculator against native torven --csv on one large station file,
// in one run: the page end to end (from the file given to its table shown,
// and from the click to the results shown) and its compute time (the engine
// in WebAssembly, measured by the page from the click to the report) beside
// torven's wall time for the formula the page shows, and the page's peak
// JavaScript heap (sampled every 20 ms through the browser's performance
// metrics) against the file's size.
// Figures are printed, never asserted.
//   node page_bench.mjs PAGE.html TORVEN FILE.csv
import { execFileSync } from "node:child_process";
import { statSync } from "node:fs";
import { createRequire } from "node:module";
import { resolve } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const { chromium } = createRequire(fileURLToPath(new URL("../web/package.json", import.meta.url)))("playwright-core");
const [page, torven, file] = process.argv.slice(2).map((p) => resolve(p));

const browser = await chromium.launch({
  executablePath: process.env.TORVEN_CHROMIUM || "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync"],
});
const tab = await (await browser.newContext({ viewport: { width: 1100, height: 1500 } })).newPage();
const cdp = await tab.context().newCDPSession(tab);
await cdp.send("Performance.enable");
let peak = 0, sampling = true;
const sample = (async () => {
  while (sampling) {
    const { metrics } = await cdp.send("Performance.getMetrics");
    peak = Math.max(peak, metrics.find((m) => m.name === "JSHeapUsedSize").value);
    await new Promise((r) => setTimeout(r, 20));
  }
})();
await tab.goto(pathToFileURL(page).href);
await tab.waitForSelector("body[data-listo='1']");
const given = performance.now();
await tab.setInputFiles("#archivo", file);
await tab.waitForSelector("#paso-columnas:not([hidden])", { timeout: 600000 });
const readMs = performance.now() - given;
await tab.fill("#latitud", "40,49");
await tab.fill("#altitud", "1138");
await tab.fill("#altura", "2");
const clicked = performance.now();
await tab.click("#calcular");
await tab.waitForSelector("#paso-resultados:not([hidden])", { timeout: 600000 });
const shownMs = performance.now() - clicked;
sampling = false;
await sample;
const pageMs = Number(await tab.getAttribute("#tiempo", "data-ms"));
const formula = await tab.textContent("#formula-torven");
await browser.close();

let best = Infinity;
for (let i = 0; i < 3; ++i) {
  const started = process.hrtime.bigint();
  execFileSync(torven, ["--csv", file, "--as", "et0", formula], { stdio: ["ignore", "ignore", "inherit"], maxBuffer: 1 << 30 });
  best = Math.min(best, Number(process.hrtime.bigint() - started) / 1e6);
}
const size = statSync(file).size;
const endToEnd = readMs + shownMs;
console.log(`page end to end: ${(endToEnd / 1000).toFixed(2)} s (the file read and its table shown ` +
            `${(readMs / 1000).toFixed(2)} s, computed and shown ${(shownMs / 1000).toFixed(2)} s); ` +
            `torven --csv: ${(best / 1000).toFixed(2)} s (best of 3); ratio ${(endToEnd / best).toFixed(2)} (target: at most 3)`);
console.log(`page: ${(pageMs / 1000).toFixed(2)} s to compute (from the click to the report); ratio ${(pageMs / best).toFixed(2)}`);
console.log(`page: peak JS heap ${(peak / 2 ** 20).toFixed(1)} MiB for a file of ${(size / 2 ** 20).toFixed(1)} MiB; ` +
            `ratio ${(peak / size).toFixed(2)} (target: at most 2)`);
