// A worksheet formula as the page builds it for a station file: one tree
// that is written out for the workbook (column letters) and for torven and
// the engine (column names), which evaluates it for every row.
//   num(x), cell(input), error("#VALUE!"), truth(false), op("+-*/" or a comparison, a, b),
//   call(NAME, ...args); cell(input, offset) is the row `offset` rows below
//   (above when negative), cell(input, 0, row) a fixed row ($C$13), as the
//   formula filled down from row 2 reads them.
// Names are the Spanish-language spreadsheet's: the add-in's functions, and
// AÑO, MES, DIA, SI, ESNUMERO, ESBLANCO, Y, RAIZ.
export const num = (x) => ({ k: "num", x });
export const cell = (input, offset = 0, fixedRow = 0) => ({ k: "cell", input, offset, fixedRow });
export const truth = (value) => ({ k: "truth", value });
export const text = (value) => ({ k: "text", value });
export const error = (literal) => ({ k: "error", literal });
export const op = (o, a, b) => ({ k: "op", o, a, b });
export const call = (name, ...args) => ({ k: "call", name, args });

const PRECEDENCE = { "=": 0, "<>": 0, "<": 0, ">": 0, "<=": 0, ">=": 0, "+": 1, "-": 1, "*": 2, "/": 2, "^": 3 };

// --- Writing -------------------------------------------------------------------------

// The formula's text: `ref(input, node)` writes a cell (C2, C1, $C$13, or a column's name);
// numbers with a decimal comma unless `decimalPoint`; ';' between arguments.
export function write(node, ref, engine, decimalPoint = false) {
  const w = (n) => write(n, ref, engine, decimalPoint);
  switch (node.k) {
    case "num": return engine.showNumber(node.x, !decimalPoint);
    case "cell": return ref(node.input, node);
    case "truth": return node.value ? "VERDADERO" : "FALSO";
    case "text": return '"' + node.value.replaceAll('"', '""') + '"';
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

// The inputs whose cells a formula reads in its own row, in the order it reads them.
export function inputsOf(node, into = []) {
  if (node.k === "cell" && node.offset === 0 && !node.fixedRow && !into.includes(node.input)) into.push(node.input);
  for (const n of node.k === "op" ? [node.a, node.b] : node.k === "call" ? node.args : []) inputsOf(n, into);
  return into;
}
