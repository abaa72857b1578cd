// A worksheet formula as the page builds it for a station file: one tree
// that is written out for the workbook (column letters) and for torven
// (column names), and evaluated for every row as torven evaluates what it
// reads, the same entries in the same order of arithmetic, the same errors.
//   num(x), cell(input), error(code), op("+-*/", a, b), call(NAME, ...args)
// Names are the Spanish-language spreadsheet's: the add-in's functions, and
// AÑO, MES, DIA, SI, ESNUMERO, ESBLANCO, Y, RAIZ.
import { BOOL, ERR, MISSING, NUM, STR, showNumber } from "./torven.js";

const VALUE = 15, DIV0 = 7, NUM_ERROR = 36;

export const num = (x) => ({ k: "num", x });
export const cell = (input) => ({ k: "cell", input });
export const error = (code) => ({ k: "error", code });
export const op = (o, a, b) => ({ k: "op", o, a, b });
export const call = (name, ...args) => ({ k: "call", name, args });

// The add-in's worksheet functions and their entries.
const ENTRIES = {
  "JDIA.VENTISOLA": "JDIA_XLL", RADF56A: "RADF56A_XLL", RADF56P: "RADF56P_XLL", RADAF56: "RADAF56_XLL",
  PVTRF56: "PVTRF56_XLL", PVHRF56: "PVHRF56_XLL", PVHM: "PVHM_XLL", ETPF56: "ETPF56_XLL",
};
const PRECEDENCE = { "+": 1, "-": 1, "*": 2, "/": 2 };

// --- Writing -------------------------------------------------------------------------

// The formula's text: `ref(input)` writes a cell (C2, or a column's name);
// numbers with a decimal comma unless `decimalPoint`; ';' between arguments.
export function write(node, ref, engine, decimalPoint = false) {
  const w = (n) => write(n, ref, engine, decimalPoint);
  switch (node.k) {
    case "num": return showNumber(node.x, !decimalPoint);
    case "cell": return ref(node.input);
    case "error": return engine.errorName(node.code, true);
    case "call": return node.name + "(" + node.args.map(w).join(";") + ")";
    case "op": {
      const p = PRECEDENCE[node.o];
      const side = (n, right) => n.k === "op" && (PRECEDENCE[n.o] < p || (right && PRECEDENCE[n.o] === p))
        ? "(" + w(n) + ")" : w(n);
      return side(node.a, false) + node.o + side(node.b, true);
    }
  }
  throw new Error("unknown node " + node.k);
}

// The inputs whose cells a formula reads, in the order it reads them.
export function inputsOf(node, into = []) {
  if (node.k === "cell" && !into.includes(node.input)) into.push(node.input);
  for (const n of node.k === "op" ? [node.a, node.b] : node.k === "call" ? node.args : []) inputsOf(n, into);
  return into;
}

// --- Evaluating ----------------------------------------------------------------------

const fail = (code) => ({ type: ERR, code });

// A value as an operand of arithmetic: a number, a truth value (1, 0), an
// empty cell (0); undefined for a text.
function operand(v) {
  if (v.type === NUM || v.type === BOOL) return Number(v.num);
  if (v.type === MISSING) return 0;
  return undefined;
}

// The value of `node` for a row; `read(input)` is the cell's value.
export function evaluate(node, engine, read) {
  const ev = (n) => evaluate(n, engine, read);
  switch (node.k) {
    case "num": return { type: NUM, num: node.x };
    case "cell": return read(node.input);
    case "error": return fail(node.code);
    case "op": return arithmetic(node, ev);
    case "call": break;
  }
  const { name, args } = node;
  if (ENTRIES[name]) return engine.call(ENTRIES[name], args.map(ev));
  if (name === "AÑO" || name === "MES" || name === "DIA")
    return engine.datePart(ev(args[0]), ["AÑO", "MES", "DIA"].indexOf(name));
  if (name === "SI") {
    const condition = ev(args[0]);
    if (condition.type === ERR) return condition;
    const x = operand(condition);
    if (x === undefined) return fail(VALUE);
    const branch = x !== 0 ? 1 : 2;
    return branch < args.length ? ev(args[branch]) : { type: BOOL, num: 0 };
  }
  if (name === "ESNUMERO") return { type: BOOL, num: ev(args[0]).type === NUM ? 1 : 0 };
  if (name === "ESBLANCO") return { type: BOOL, num: ev(args[0]).type === MISSING ? 1 : 0 };
  if (name === "Y") {
    // A column's empty cell or text is skipped; none counted is #VALUE!.
    let all = true, counted = false;
    for (const a of args) {
      const v = ev(a);
      if (v.type === ERR) return v;
      if (a.k === "cell" && (v.type === MISSING || v.type === STR)) continue;
      const x = v.type === STR ? undefined : operand(v);
      if (x === undefined) return fail(VALUE);
      counted = true;
      all = all && x !== 0;
    }
    return counted ? { type: BOOL, num: all ? 1 : 0 } : fail(VALUE);
  }
  if (name === "RAIZ") {
    const v = ev(args[0]);
    if (v.type === ERR) return v;
    const x = operand(v);
    if (x === undefined) return fail(VALUE);
    return x < 0 ? fail(NUM_ERROR) : { type: NUM, num: Math.sqrt(x) };
  }
  throw new Error("unknown function " + name);
}

// The spreadsheet's arithmetic: the first error operand wins, a text gives
// #VALUE!, a division by zero #DIV/0!, a result that is not finite #NUM!.
function arithmetic(node, ev) {
  const a = ev(node.a);
  if (a.type === ERR) return a;
  const b = ev(node.b);
  if (b.type === ERR) return b;
  const x = operand(a), y = operand(b);
  if (x === undefined || y === undefined) return fail(VALUE);
  let r;
  if (node.o === "+") r = x + y;
  else if (node.o === "-") r = x - y;
  else if (node.o === "*") r = x * y;
  else {
    if (y === 0) return fail(DIV0);
    r = x / y;
  }
  return Number.isFinite(r) ? { type: NUM, num: r } : fail(NUM_ERROR);
}

