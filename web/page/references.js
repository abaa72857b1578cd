// How the page's formula refers to a station file's columns: by the letter
// the spreadsheet gives a CSV file's column, or by its name as torven reads
// it; and how torven --csv is told to read the file as the page does.

// A column's letter as the spreadsheet lays a CSV file out: A, B, ... Z, AA ...
export function columnLetter(index) {
  let letters = "";
  for (let n = index + 1; n > 0; n = Math.floor((n - 1) / 26)) letters = String.fromCharCode(65 + ((n - 1) % 26)) + letters;
  return letters;
}

// A column's name as torven reads it: a plain word, or in brackets.
export function columnName(name) {
  const plain = /^[A-Za-z_\u0080-\uffff][A-Za-z0-9_.\u0080-\uffff]*$/.test(name) &&
                !/^(true|false|verdadero|falso)$/i.test(name);
  return plain ? name : "[" + name + "]";
}

// How torven --csv reads this file as the page does (torven finds the
// decimal mark as `found`; the page's choice is `decimalComma`): its flags,
// and whether the formula writes numbers with a decimal point.
export function torvenDialect(found, decimalComma) {
  if (found === decimalComma) return { flags: [], point: false };
  return decimalComma ? { flags: ["--decimal-comma"], point: false } : { flags: ["--decimal-point"], point: true };
}

// A word of a shell command, quoted when it needs it.
export const shellWord = (w) => /^[A-Za-z0-9_.\/=-]+$/.test(w) ? w : "'" + w.replaceAll("'", "'\\''") + "'";
