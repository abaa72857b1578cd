// Builds the one-file page calculadora/index.html: the script (with the
// chart package) bundled by esbuild, the styles, and the WebAssembly module
// in base64, all inside the HTML, so that it opens from disk with no network.
//   node build.mjs TORVEN.WASM OUTPUT.html
import { build } from "esbuild";
import { readFileSync, writeFileSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";

const here = dirname(fileURLToPath(import.meta.url));
const [wasmPath, output] = process.argv.slice(2);
if (!wasmPath || !output) {
  console.error("usage: node build.mjs TORVEN.WASM OUTPUT.html");
  process.exit(2);
}
// The chart package's licence travels with its code, inside the page.
const licence = readFileSync(join(here, "node_modules", "uplot", "LICENSE"), "utf8").replaceAll("*/", "* /");
const bundle = await build({
  entryPoints: [join(here, "page", "app.js")], bundle: true, minify: true, format: "iife",
  target: "es2020", write: false, legalComments: "eof", logLevel: "warning",
  banner: { js: "/* The chart is uPlot (https://github.com/leeoniya/uPlot), bundled under its licence:\n" + licence + "*/" },
});
const script = bundle.outputFiles[0].text.replaceAll("</script", "<\\/script");
const style = readFileSync(join(here, "node_modules", "uplot", "dist", "uPlot.min.css"), "utf8") + "\n" +
              readFileSync(join(here, "page", "style.css"), "utf8");
const page = readFileSync(join(here, "page", "index.html"), "utf8")
  .replace("/*STYLE*/", () => style)
  .replace("/*MODULE*/", () => readFileSync(wasmPath).toString("base64"))
  .replace("/*SCRIPT*/", () => script);
writeFileSync(output, page);
console.log(`${output}: ${page.length} bytes`);
