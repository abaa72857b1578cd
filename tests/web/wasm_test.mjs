// The WebAssembly build against the native one: the cross-target table bit
// for bit, and numbers printed by the page as torven prints them.
//   node wasm_test.mjs TORVEN_TABLE.WASM NATIVE_TABLE.BIN TORVEN TORVEN.WASM
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { Engine } from "../../web/page/torven.js";
import { UNITS, convertFormula, convertNumber } from "../../web/page/et0.js";
import { num, write } from "../../web/page/formula.js";

const [tableWasm, nativeTable, torven, pageWasm] = process.argv.slice(2);
const page = await Engine.load(readFileSync(pageWasm));
const showNumber = (x, comma) => page.showNumber(x, comma);
let failures = 0;
const fail = (message) => { console.log("FAIL " + message); ++failures; };

const { instance } = await WebAssembly.instantiate(readFileSync(tableWasm), {});
instance.exports._initialize();
const count = instance.exports.table_words();
const wasm = new BigUint64Array(instance.exports.memory.buffer, instance.exports.table_data(), count);
const bytes = readFileSync(nativeTable);
const native = new BigUint64Array(bytes.buffer, bytes.byteOffset, bytes.length / 8);
if (native.length !== count) fail(`the module gives ${count} words, native ${native.length}`);
let differing = 0;
for (let i = 0; i < Math.min(count, native.length); ++i)
  if (wasm[i] !== native[i] && differing++ < 10) fail(`word ${i}: ${wasm[i].toString(16)} here, ${native[i].toString(16)} native`);
console.log(`${count} words compared with ${nativeTable}: ${differing} differ`);

// Numbers of every shape, printed the page's way and torven's.
const values = [0, -0, 1, -1, 0.1 + 0.2, 1 / 3, 2 ** 53, 1e15 + 0.3, 123456.789, 1e-5, 1.5e-5, 0.0001, 1e-7,
                1e21, 1e22, 1.2345e21, 5e-324, 1.7976931348623157e308, 3.879111527565527, -0.000123456789];
const lines = values.map((x) => Object.is(x, -0) ? "-0" : x.toPrecision(17));
const printed = execFileSync(torven, ["--decimal-point", "--file", "-"], { input: lines.join("\n") + "\n" })
  .toString().trim().split("\n");
values.forEach((x, i) => {
  if (showNumber(x, false) !== printed[i]) fail(`${lines[i]}: the page prints ${showNumber(x, false)}, torven ${printed[i]}`);
});
console.log(`${values.length} numbers printed as torven prints them`);
// Each unit's conversion, as torven computes the page's formula and as the
// page's checks compute it, against the value worked by hand.
const byHand = {
  C: [20, 20], dC: [205, 20.5], F: [68, 20], K: [293.15, 20], "m/s": [3, 3], "dm/s": [35, 3.5], "km/h": [18, 5],
  mph: [10, 4.4704], kn: [10, 5.144444444444445], "km/d": [432, 5], MJ: [20, 20], W: [250, 21.6], kWh: [5, 18],
  J: [2000, 20], cal: [500, 20.934], kJ: [20000, 20], "%": [55, 55], frac: [0.55, 55], kPa: [1.2, 1.2], hPa: [12, 1.2],
};
const units = Object.values(UNITS).flat();
const formulas = units.map((u) => "=" + write(convertFormula(u, num(byHand[u.id][0])), () => "", page, true));
const computed = execFileSync(torven, ["--decimal-point", "--file", "-"], { input: formulas.join("\n") + "\n" })
  .toString().trim().split("\n").map(Number);
units.forEach((u, i) => {
  const [raw, want] = byHand[u.id];
  const close = (x) => Math.abs(x - want) <= 1e-12 * Math.abs(want);
  if (!close(computed[i]) || !close(convertNumber(u, raw)))
    fail(`${u.label}: ${raw} gives ${computed[i]} (${formulas[i]}) and ${convertNumber(u, raw)}, not ${want}`);
});
console.log(`${units.length} units converted as worked by hand`);
process.exit(failures > 0 ? 1 : 0);
