// A worksheet formula as the page builds it for a station file: one tree
// that is written out for the workbook (column letters) and for torven and
// the engine (column names), which evaluates it for every row.
//   num(x), cell(input), error("#VALUE!"), op("+-*/", a, b), call(NAME, ...args)
// Names are the Spanish-language spreadsheet's: the add-in's functions, and
// AÑO, MES, DIA, SI, ESNUMERO, ESBLANCO, Y, RAIZ.
export const num = (x) => ({ k: "num", x });
export const cell = (input) => ({ k: "cell", input });
export const error = (literal) => ({ k: "error", literal });
export const op = (o, a, b) => ({ k: "op", o, a, b });
export const call = (name, ...args) => ({ k: "call", name, args });

const PRECEDENCE = { "+": 1, "-": 1, "*": 2, "/": 2 };

// --- Writing -------------------------------------------------------------------------

// The formula's text: `ref(input)` writes a cell (C2, or a column's name);
// numbers with a decimal comma unless `decimalPoint`; ';' between arguments.
export function write(node, ref, engine, decimalPoint = false) {
  const w = (n) => write(n, ref, engine, decimalPoint);
  switch (node.k) {
    case "num": return engine.showNumber(node.x, !decimalPoint);
    case "cell": return ref(node.input);
    case "error": return engine.errorName(engine.errorCode(node.literal), true);
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
