// The calculator's engine: torven's own, compiled to WebAssembly with the
// add-in's worksheet entries.  It reads the station file (encoding,
// delimiter, dialect), evaluates the formulas the page writes over every
// row, writes the file back with the added columns as torven --csv writes
// it, and reports each row; it also prints numbers and names errors.  This
// module only hands it bytes and texts and reads back what it gives.

export const NUM = 1, STR = 2, BOOL = 4, ERR = 16, MISSING = 128;  // the host's type tags

// The C library's calls on files, which the module never makes (it reads
// and writes memory only): each answers "not supported".
const NOT_SUPPORTED = 52;
const WASI = { wasi_snapshot_preview1: { fd_close: () => NOT_SUPPORTED, fd_seek: () => NOT_SUPPORTED,
                                         fd_write: () => NOT_SUPPORTED } };

let loaded;  // the engine, once loaded

// A number as typed in a field ("40,49", "-37.85"), read as a cell with a
// decimal comma or point is; undefined when it is none.
export const typedNumber = (text) => loaded.numberOf(text.trim());

export class Engine {
  static async load(wasmBytes) {
    const { instance } = await WebAssembly.instantiate(wasmBytes, WASI);
    instance.exports._initialize();
    loaded = new Engine(instance.exports);
    return loaded;
  }

  constructor(exports) {
    this.x = exports;
    this.encoder = new TextEncoder();
    this.decoder = new TextDecoder();
  }

  bytes(at, length) { return new Uint8Array(this.x.memory.buffer, at, length); }
  text(at, length) { return this.decoder.decode(this.bytes(at, length)); }
  result(length) { return this.text(this.x.result_data(), length); }

  putJob(job) {
    const lines = [];
    for (const [key, values] of Object.entries(job)) for (const v of [values].flat()) lines.push(key + "=" + v);
    const b = this.encoder.encode(lines.join("\n"));
    this.bytes(this.x.job_buffer(b.length), b.length).set(b);
  }

  // The station file's bytes, kept by the module (the page keeps no copy).
  setFile(bytes) { this.bytes(this.x.input_buffer(bytes.length), bytes.length).set(bytes); }

  // A File's bytes, read piece by piece into the module's buffer (no copy of
  // the whole file in JavaScript).  A file whose size changed while it was
  // read is refused.
  async readFile(file) {
    const size = file.size, at = this.x.input_buffer(size);
    const reader = file.stream().getReader();
    let offset = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      if (offset + value.length > size) break;
      this.bytes(at + offset, value.length).set(value);
      offset += value.length;
    }
    if (offset !== size) {
      this.x.input_buffer(0);
      throw new Error("el archivo cambió mientras se leía; ábralo de nuevo");
    }
  }

  // What the file is: { text: false, flaw, encoding, at, byte } when it is
  // not text; else its encoding, mark, delimiter, line end, header, count of
  // rows, first rows, the lines of the records left out and whether a quote
  // is left open.
  readTable() {
    this.putJob({ findings: "es" });
    return JSON.parse(this.result(this.x.read_table()));
  }

  // Runs the --csv job: { formula: [...], name: [...], report: [...], mark }.
  // Per row: line, and for each added then reported formula a number (NaN
  // when not one) and a kind; the cells each failed row's formula refused.
  run(job) {
    this.putJob(job);
    const x = this.x, status = x.run_csv(), rows = x.report_rows();
    const width = [job.formula ?? []].flat().length + [job.report ?? []].flat().length;
    const memory = x.memory.buffer;
    const run = {
      status, rows, width,
      lines: new Int32Array(memory, x.report_lines(), rows).slice(),
      numbers: new Float64Array(memory, x.report_numbers(), rows * width).slice(),
      kinds: new Int32Array(memory, x.report_kinds(), rows * width).slice(),
      faulty: new Map(),
      messages: this.text(x.messages_data(), x.messages_size()).replace(/^csv: /gm, ""),
      // The checks of plausibility: what the rows show (a median that cannot be
      // right, calm wind), and each doubtful row's causes, by row index.
      findings: this.text(x.findings_data(), x.findings_size()).split("\n").filter(Boolean),
      doubtful: new Map(),
      // With a season: why its rows are not its days, and the day the file
      // ends on before its end ("" when none).
      season: { problems: "", endNote: "" },
    };
    if (x.season_size() > 0) [run.season.problems, run.season.endNote] = this.text(x.season_data(), x.season_size()).split("\0");
    // With readings of the hour or finer: the days with hours missing (aaaammdd).
    run.partialDays = new Set(new Int32Array(memory, x.partial_days(), x.partial_count()));
    const doubtfulRows = new Int32Array(memory, x.doubtful_rows(), x.doubtful_count());
    const causes = this.text(x.doubtful_data(), x.doubtful_size()).split("\0");
    doubtfulRows.forEach((row, i) => run.doubtful.set(row, causes[i]));
    const triples = new Int32Array(memory, x.report_faulty(), 3 * x.report_faulty_count());
    const texts = this.text(x.report_faulty_texts(), x.report_faulty_texts_size()).split("\0");
    for (let i = 0; i < triples.length; i += 3) {
      const [row, column, kind] = triples.subarray(i, i + 3);
      if (!run.faulty.has(row)) run.faulty.set(row, []);
      run.faulty.get(row).push({ column, kind: FAULTS[kind], text: texts[i / 3] });
    }
    return run;
  }

  // The output file of `job` run again with its output written, as torven
  // --csv writes it (a copy); the report is left unread.
  written(job) {
    this.putJob(job);
    this.x.run_csv();
    return this.output();
  }

  // The last run's output file, as torven --csv writes it (a copy).
  output() { return this.bytes(this.x.output_data(), this.x.output_size()).slice(); }

  // A number as torven prints it (with a decimal comma when asked).
  showNumber(x, decimalComma, decimals = -1) { return this.result(this.x.show_number(x, decimalComma ? 1 : 0, decimals)); }

  numberOf(text) {
    const b = this.encoder.encode(text);
    this.bytes(this.x.job_buffer(b.length), b.length).set(b);
    const x = this.x.number_of_text(b.length);
    return Number.isNaN(x) ? undefined : x;
  }

  // The code of an error literal (either language), from the engine's table.
  errorCode(literal) {
    const b = this.encoder.encode(literal);
    this.bytes(this.x.text(), b.length).set(b);
    return this.x.error_code(b.length);
  }

  errorName(code, spanish) {
    return this.decoder.decode(this.bytes(this.x.text(), this.x.error_literal(code, spanish ? 1 : 0)));
  }
}

// What a refused cell held.
const FAULTS = ["vacía", "error", "texto", "texto numérico"];

// A row's value of formula `i`: { type, num } or { type: ERR, code }.
export function valueOf(run, row, i) {
  const at = row * run.width + i, kind = run.kinds[at];
  const type = kind & 0xffff;
  return type === NUM ? { type, num: run.numbers[at] } : { type, code: kind >> 16 };
}
