// The charts' axes in Spanish: dates as dd/mm, or month names (the year at
// January) for ticks a month or more apart, and the names uPlot shows.
export const NAMES = {
  MMMM: ["enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre", "octubre",
         "noviembre", "diciembre"],
  MMM: ["ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"],
  WWWW: ["domingo", "lunes", "martes", "miércoles", "jueves", "viernes", "sábado"],
  WWW: ["dom", "lun", "mar", "mié", "jue", "vie", "sáb"],
};

export function dateTick(seconds, step) {
  const d = new Date(seconds * 1000);
  const two = (n) => String(n).padStart(2, "0");
  if (step < 28 * 86400) return `${two(d.getUTCDate())}/${two(d.getUTCMonth() + 1)}`;
  const month = NAMES.MMM[d.getUTCMonth()];
  return d.getUTCMonth() === 0 ? `${month} ${d.getUTCFullYear()}` : month;
}
