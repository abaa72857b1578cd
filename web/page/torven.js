// The calculator's engine: the add-in's worksheet entries in WebAssembly,
// called with the host's value records as torven builds them from CSV
// cells, and CSV files read and written back as torven --csv does (its
// reader, its encodings, its dialects, its way of printing numbers).

// --- The module -------------------------------------------------------------------

const RECORD = 32;    // bytes of a value record; the type tag at offset 24
const TAG = 24;
export const NUM = 1, STR = 2, BOOL = 4, ERR = 16, MISSING = 128;  // the host's type tags
const VALUE = 15, NUM_ERROR = 36;

// The C library's calls on files the module never makes (it reads and
// writes memory only): each answers "not supported".
const NOT_SUPPORTED = 52;
const WASI = { wasi_snapshot_preview1: { fd_close: () => NOT_SUPPORTED, fd_seek: () => NOT_SUPPORTED,
                                         fd_write: () => NOT_SUPPORTED } };

export class Engine {
  static async load(wasmBytes) {
    const { instance } = await WebAssembly.instantiate(wasmBytes, WASI);
    instance.exports._initialize();
    return new Engine(instance.exports);
  }

  constructor(exports) {
    this.x = exports;
    this.recordsAt = exports.records();
    this.textAt = exports.text();
    this.encoder = new TextEncoder();
    this.decoder = new TextDecoder();
    this.nameCache = new Map();
  }

  view() {
    // Views are made anew when the memory has grown.
    if (!this.dv || this.dv.buffer !== this.x.memory.buffer) this.dv = new DataView(this.x.memory.buffer);
    return this.dv;
  }

  putText(s) {
    const bytes = this.encoder.encode(s).subarray(0, 500);
    new Uint8Array(this.x.memory.buffer, this.textAt, bytes.length).set(bytes);
    return bytes.length;
  }

  getText(length) {
    return this.decoder.decode(new Uint8Array(this.x.memory.buffer, this.textAt, length));
  }

  // What a CSV cell (text) is for the host, as torven reads it: a number, a
  // truth value, an error, an omitted argument or a text.
  cell(text, decimalComma) {
    if (text === "") return { type: MISSING };
    const n = parseNumber(text, decimalComma);
    if (n !== undefined) return { type: NUM, num: n };
    const cached = this.nameCache.get(text);
    if (cached) return cached.type === STR ? { type: STR, text } : cached;
    let value = { type: STR, text };
    if (text.length < 32) {
      const length = this.putText(text);
      const truth = this.x.truth_value(length);
      const code = truth < 0 ? this.x.error_code(length) : -1;
      if (truth >= 0) value = { type: BOOL, num: truth };
      else if (code >= 0) value = { type: ERR, code };
    }
    if (this.nameCache.size < 1000) this.nameCache.set(text, value);
    return value;
  }

  // Calls a worksheet entry with value records; returns its result record.
  call(entry, args) {
    const dv = this.view();
    const pointers = args.map((a, i) => {
      const at = this.recordsAt + i * RECORD;
      dv.setUint32(at + TAG, a.type, true);
      if (a.type === NUM) dv.setFloat64(at, a.num, true);
      else if (a.type === ERR || a.type === BOOL) dv.setInt32(at, a.type === ERR ? a.code : a.num, true);
      else dv.setUint32(at, 0, true);  // a text's characters are never read by the entries
      return at;
    });
    const cell = this.x[entry](...pointers);
    const type = this.view().getUint32(cell + TAG, true) & 0xfff;
    const x = type === NUM ? this.view().getFloat64(cell, true) : 0;
    // A cell holds no number that is not finite: #NUM!.
    if (type === NUM) return Number.isFinite(x) ? { type: NUM, num: x } : { type: ERR, code: NUM_ERROR };
    return { type: ERR, code: this.view().getInt32(cell, true) };
  }

  // YEAR, MONTH, DAY (AÑO, MES, DIA) of a value, as torven evaluates them:
  // part 0, 1 or 2; dates written dd/mm/aaaa are read.
  datePart(value, part) {
    let packed;
    if (value.type === ERR) return value;
    if (value.type === STR) {
      packed = this.x.date_of_text(this.putText(value.text), 1);
      if (packed < 0) return { type: ERR, code: VALUE };
    } else {
      packed = this.x.date_of_serial(value.type === NUM || value.type === BOOL ? value.num : 0);
      if (packed < 0) return { type: ERR, code: NUM_ERROR };
    }
    const parts = [Math.floor(packed / 10000), Math.floor(packed / 100) % 100, packed % 100];
    return { type: NUM, num: parts[part] };
  }

  errorName(code, spanish) {
    return this.getText(this.x.error_literal(code, spanish ? 1 : 0));
  }
}

// --- Numbers ------------------------------------------------------------------------

const DECIMAL = /^[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?$/;

// A cell as a number, as torven reads it: a sign, digits, one decimal mark
// (a lone ',' with a decimal comma), an exponent; "nan" and "inf" are texts;
// undefined if not a number.
export function parseNumber(text, decimalComma) {
  let s = text;
  if (decimalComma && s.indexOf(",") >= 0 && s.indexOf(".") < 0 && s.indexOf(",") === s.lastIndexOf(","))
    s = s.replace(",", ".");
  if (!DECIMAL.test(s)) return undefined;
  const x = Number(s);
  return Number.isFinite(x) ? x : undefined;
}

// A number as torven prints it (C++'s shortest to_chars): the shortest
// digits that read back to the same double, written fixed or with an
// exponent of at least two digits, whichever is shorter (fixed on a tie).
export function showNumber(x, decimalComma) {
  let text;
  if (x === 0) text = "0";  // a negative zero too
  else {
    const [mantissa, exponentText] = x.toExponential().split("e");
    const exponent = Number(exponentText);
    const negative = mantissa.startsWith("-");
    const digits = mantissa.replace("-", "").replace(".", "");
    const sign = negative ? "-" : "";
    const scientific = sign + digits[0] + (digits.length > 1 ? "." + digits.slice(1) : "") + "e" +
                       (exponent < 0 ? "-" : "+") + String(Math.abs(exponent)).padStart(2, "0");
    let fixed;
    if (exponent >= digits.length - 1) fixed = sign + digits + "0".repeat(exponent - digits.length + 1);
    else if (exponent >= 0) fixed = sign + digits.slice(0, exponent + 1) + "." + digits.slice(exponent + 1);
    else fixed = sign + "0." + "0".repeat(-exponent - 1) + digits;
    text = scientific.length < fixed.length ? scientific : fixed;
  }
  return decimalComma ? text.replace(".", ",") : text;
}

// --- CSV ------------------------------------------------------------------------------

// The file's text and how to write it back, or why it is not text, as
// torven decides it: UTF-16 by its byte-order mark (FF FE, FE FF); else
// UTF-8 when the whole file is valid UTF-8 (its mark kept); else
// Windows-1252.  Not text: a NUL byte outside UTF-16; a NUL character, an
// unpaired surrogate or an odd length in UTF-16; outside UTF-8, one of the
// five bytes Windows-1252 leaves unassigned.
export class NotText extends Error {}

export function decodeFile(bytes) {
  const utf16 = bytes.length >= 2 && ((bytes[0] === 0xff && bytes[1] === 0xfe) || (bytes[0] === 0xfe && bytes[1] === 0xff));
  if (utf16) {
    const encoding = bytes[0] === 0xff ? "utf-16le" : "utf-16be";
    let text;
    try {
      text = new TextDecoder(encoding, { fatal: true, ignoreBOM: true }).decode(bytes.subarray(2));
    } catch {
      throw new NotText(`su texto ${encoding.toUpperCase()} tiene un carácter incompleto o un sustituto sin pareja`);
    }
    const nul = text.indexOf("\0");
    if (nul >= 0) throw new NotText(`su texto ${encoding.toUpperCase()} tiene un carácter NUL (carácter ${nul + 1})`);
    return { text, encoding, mark: true };
  }
  const nul = bytes.indexOf(0);
  if (nul >= 0) throw new NotText(`tiene un byte NUL (byte ${nul + 1})`);
  const mark = bytes.length >= 3 && bytes[0] === 0xef && bytes[1] === 0xbb && bytes[2] === 0xbf;
  try {
    const text = new TextDecoder("utf-8", { fatal: true, ignoreBOM: true }).decode(mark ? bytes.subarray(3) : bytes);
    return { text, encoding: "utf-8", mark };
  } catch {
    const unassigned = bytes.findIndex((b) => b === 0x81 || b === 0x8d || b === 0x8f || b === 0x90 || b === 0x9d);
    if (unassigned >= 0)
      throw new NotText(`el byte ${unassigned + 1} (0x${bytes[unassigned].toString(16).toUpperCase()}) no es ` +
                        "válido ni en UTF-8 ni en Windows-1252");
    return { text: new TextDecoder("windows-1252").decode(bytes), encoding: "windows-1252", mark: false };
  }
}

// The name of an encoding as the page shows it.
export const ENCODING_NAMES = { "utf-8": "UTF-8", "windows-1252": "Windows-1252", "utf-16le": "UTF-16LE", "utf-16be": "UTF-16BE" };

let windows1252;  // character -> byte, for the characters Windows-1252 holds
export function encodeText(text, encoding, mark) {
  if (encoding === "utf-16le" || encoding === "utf-16be") {
    const out = new Uint8Array(2 * text.length + 2);
    const view = new DataView(out.buffer);
    const little = encoding === "utf-16le";
    view.setUint16(0, 0xfeff, little);
    for (let i = 0; i < text.length; ++i) view.setUint16(2 + 2 * i, text.charCodeAt(i), little);
    return out;
  }
  if (encoding === "utf-8") {
    const body = new TextEncoder().encode(text);
    if (!mark) return body;
    const out = new Uint8Array(body.length + 3);
    out.set([0xef, 0xbb, 0xbf]);
    out.set(body, 3);
    return out;
  }
  if (!windows1252) {
    windows1252 = new Map();
    const all = new TextDecoder("windows-1252").decode(Uint8Array.from({ length: 256 }, (_, i) => i));
    for (let i = 0; i < 256; ++i) windows1252.set(all[i], i);
  }
  const out = new Uint8Array(text.length);
  for (let i = 0; i < text.length; ++i) {
    const byte = windows1252.get(text[i]);
    if (byte === undefined) throw new Error("el carácter '" + text[i] + "' no existe en Windows-1252");
    out[i] = byte;
  }
  return out;
}

// The delimiter of the header line: ',', ';' or tab, the most frequent
// outside quotes (',' when none).
export function detectDelimiter(text) {
  const counts = { ",": 0, ";": 0, "\t": 0 };
  let quoted = false;
  for (const c of text) {
    if (c === '"') quoted = !quoted;
    if (!quoted && (c === "\n" || c === "\r")) break;
    if (!quoted && c in counts) counts[c]++;
  }
  let best = ",";
  for (const c of [";", "\t"]) if (counts[c] > counts[best]) best = c;
  return best;
}

// The records of a CSV text after RFC 4180, the line where each begins
// (1-based), the line end of the first line; a quote left open is reported.
export function parseCsv(text, delimiter) {
  const records = [], lines = [];
  let fields = [], field = "", quoted = false, i = 0, lineEnd = null, line = 1, start = 1;
  const endRecord = () => { fields.push(field); records.push(fields); lines.push(start); fields = []; field = ""; };
  while (i < text.length) {
    const c = text[i];
    if (quoted) {
      if (c === '"') {
        if (text[i + 1] === '"') { field += '"'; i += 2; continue; }
        quoted = false; ++i; continue;
      }
      if (c === "\n") ++line;
      field += c; ++i; continue;
    }
    if (c === "\r" || c === "\n") {
      const crlf = c === "\r" && text[i + 1] === "\n";
      if (lineEnd === null) lineEnd = crlf ? "\r\n" : "\n";
      i += crlf ? 2 : 1;
      endRecord();
      start = ++line;
      continue;
    }
    if (c === delimiter) { fields.push(field); field = ""; ++i; continue; }
    if (c === '"' && field === "") { quoted = true; ++i; continue; }
    // A run of plain characters at once.
    let end = i + 1;
    while (end < text.length) {
      const d = text[end];
      if (d === delimiter || d === "\r" || d === "\n" || d === '"') break;
      ++end;
    }
    field += text.slice(i, end);
    i = end;
  }
  if (field !== "" || fields.length > 0 || quoted) endRecord();
  return { records, lines, lineEnd: lineEnd ?? "\n", open: quoted };
}

// A field written back, quoted when it holds the delimiter, a quote or a line break.
export function csvField(text, delimiter) {
  if (!text.includes(delimiter) && !/["\r\n]/.test(text)) return text;
  return '"' + text.replaceAll('"', '""') + '"';
}
