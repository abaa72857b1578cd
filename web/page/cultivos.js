// FAO 56's tables for crop water, as printed (a range stays a text; the
// page offers its middle, and the user types another value): Table 11
// (stage lengths, days: initial, development, mid-season, late season, with
// the planting month and region), Table 12 (Kc ini, Kc mid, Kc end and the
// crop's maximum height, m), Table 22 (maximum rooting depth Zr, m, and the
// depletion fraction p for ETc near 5 mm/d), Table 17 (Kcb ini, Kcb mid,
// Kcb end, and in Spanish the row used where its name differs), each crop by
// its Spanish names (both where Spain and Latin America differ) and the row
// of the tables it takes; Table 19 (θFC and θWP, m³/m³, and REW, mm) by soil
// type; and Table 20 (the fraction of the surface a wetting event wets, fw).
// The tables' row names stay in English ("tabla", "tabla17") to be checked
// against the book; the page shows only the Spanish.  Sandía takes the melons'
// stages and almendro the deciduous orchards' (Table 11 has no row of its own).
// Rice is left out: a flooded paddy is not the soil water balance of eq. 85.
export const CULTIVOS = [
  {"nombre": "maíz (grano)", "tabla": "maize, field (grain)", "kc": ["0.3", "1.2", "0.60, 0.35"], "tabla17": "maize, field (grain)", "kcb": ["0.15", "1.15", "0.50, 0.15"], "h": "2", "zr": "1.0-1.7", "p": "0.55", "etapas": [["30", "50", "60", "40", "abril", "África oriental (altura)"], ["25", "40", "45", "30", "dic./ene.", "clima árido"], ["20", "35", "40", "30", "junio", "Nigeria (húmedo)"], ["20", "35", "40", "30", "octubre", "India (seco, fresco)"], ["30", "40", "50", "30", "abril", "España (primavera, verano); California"], ["30", "40", "50", "50", "abril", "Idaho, EE. UU."]]},
  {"nombre": "trigo de primavera", "tabla": "wheat, spring", "kc": ["0.3", "1.15", "0.25-0.4"], "tabla17": "wheat, spring", "kcb": ["0.15", "1.10", "0.15-0.3"], "h": "1", "zr": "1.0-1.5", "p": "0.55", "etapas": [["15", "25", "50", "30", "noviembre", "India central"], ["20", "25", "60", "30", "mar./abr.", "35 a 45° de latitud"], ["15", "30", "65", "40", "julio", "África oriental"], ["40", "30", "40", "20", "abril", "África oriental"], ["40", "60", "60", "40", "noviembre", "África oriental"], ["20", "50", "60", "30", "diciembre", "desierto de California, EE. UU."]]},
  {"nombre": "cebada", "tabla": "barley", "kc": ["0.3", "1.15", "0.25"], "tabla17": "barley", "kcb": ["0.15", "1.10", "0.15"], "h": "1", "zr": "1.0-1.5", "p": "0.55", "etapas": [["15", "25", "50", "30", "noviembre", "India central"], ["20", "25", "60", "30", "mar./abr.", "35 a 45° de latitud"], ["15", "30", "65", "40", "julio", "África oriental"], ["40", "30", "40", "20", "abril", "África oriental"], ["40", "60", "60", "40", "noviembre", "África oriental"], ["20", "50", "60", "30", "diciembre", "desierto de California, EE. UU."]]},
  {"nombre": "papa (patata)", "tabla": "potato", "kc": ["0.5", "1.15", "0.75"], "tabla17": "potato", "kcb": ["0.15", "1.10", "0.65"], "h": "0.6", "zr": "0.4-0.6", "p": "0.35", "etapas": [["25", "30", "30/45", "30", "ene./nov.", "clima (semi)árido"], ["25", "30", "45", "30", "mayo", "clima continental"], ["30", "35", "50", "30", "abril", "Europa"], ["45", "30", "70", "20", "abr./mayo", "Idaho, EE. UU."], ["30", "35", "50", "25", "diciembre", "desierto de California, EE. UU."]]},
  {"nombre": "tomate", "tabla": "tomato", "kc": ["0.6", "1.15", "0.70-0.90"], "tabla17": "tomato", "kcb": ["0.15", "1.10", "0.60-0.80"], "h": "0.6", "zr": "0.7-1.5", "p": "0.4", "etapas": [["30", "40", "40", "25", "enero", "región árida"], ["35", "40", "50", "30", "abr./mayo", "California, EE. UU."], ["25", "40", "60", "30", "enero", "desierto de California, EE. UU."], ["35", "45", "70", "30", "oct./nov.", "región árida"], ["30", "40", "45", "30", "abril/mayo", "Mediterráneo"]]},
  {"nombre": "pimiento dulce (morrón)", "tabla": "sweet pepper (bell)", "kc": ["0.6", "1.05", "0.9"], "tabla17": "sweet pepper (bell)", "kcb": ["0.15", "1.00", "0.80"], "h": "0.7", "zr": "0.5-1.0", "p": "0.3", "etapas": [["25/30", "35", "40", "20", "abril/junio", "Europa y Mediterráneo"], ["30", "40", "110", "30", "octubre", "región árida"]]},
  {"nombre": "cebolla (bulbo seco)", "tabla": "onion, dry", "kc": ["0.7", "1.05", "0.75"], "tabla17": "onion, dry", "kcb": ["0.15", "0.95", "0.65"], "h": "0.4", "zr": "0.3-0.6", "p": "0.3", "etapas": [["15", "25", "70", "40", "abril", "Mediterráneo"], ["20", "35", "110", "45", "oct.; ene.", "región árida; California"]]},
  {"nombre": "lechuga", "tabla": "lettuce", "kc": ["0.7", "1.0", "0.95"], "tabla17": "lettuce", "kcb": ["0.15", "0.90", "0.90"], "h": "0.3", "zr": "0.3-0.5", "p": "0.3", "etapas": [["20", "30", "15", "10", "abril", "Mediterráneo"], ["30", "40", "25", "10", "nov./ene.", "Mediterráneo"], ["25", "35", "30", "10", "oct./nov.", "región árida"], ["35", "50", "45", "10", "febrero", "Mediterráneo"]]},
  {"nombre": "melón", "tabla": "sweet melons", "kc": ["0.5", "1.05", "0.75"], "tabla17": "sweet melons", "kcb": ["0.15", "1.00", "0.70"], "h": "0.4", "zr": "0.8-1.5", "p": "0.4", "etapas": [["25", "35", "40", "20", "mayo", "Mediterráneo"], ["30", "30", "50", "30", "marzo", "California, EE. UU."], ["15", "40", "65", "15", "agosto", "desierto de California, EE. UU."], ["30", "45", "65", "20", "dic./ene.", "región árida"]]},
  {"nombre": "sandía", "tabla": "watermelon", "kc": ["0.4", "1.0", "0.75"], "tabla17": "watermelon", "kcb": ["0.15", "0.95", "0.70"], "h": "0.4", "zr": "0.8-1.5", "p": "0.4", "etapas": [["25", "35", "40", "20", "mayo", "Mediterráneo"], ["30", "30", "50", "30", "marzo", "California, EE. UU."], ["15", "40", "65", "15", "agosto", "desierto de California, EE. UU."], ["30", "45", "65", "20", "dic./ene.", "región árida"]]},
  {"nombre": "frijol / poroto / judía (grano seco)", "tabla": "beans, dry and pulses", "kc": ["0.4", "1.15", "0.35"], "tabla17": "beans, dry and pulses", "kcb": ["0.15", "1.10", "0.25"], "h": "0.4", "zr": "0.6-0.9", "p": "0.45", "etapas": [["20", "30", "40", "20", "mayo/junio", "climas continentales"], ["15", "25", "35", "20", "junio", "Pakistán; California"], ["25", "25", "30", "20", "junio", "Idaho, EE. UU."]]},
  {"nombre": "soja (soya)", "tabla": "soybeans", "kc": ["0.4", "1.15", "0.5"], "tabla17": "soybeans", "kcb": ["0.15", "1.10", "0.30"], "h": "0.5-1.0", "zr": "0.6-1.3", "p": "0.5", "etapas": [["15", "15", "40", "15", "diciembre", "trópicos"], ["20", "30/35", "60", "25", "mayo", "centro de EE. UU."], ["20", "25", "75", "30", "junio", "Japón"]]},
  {"nombre": "girasol", "tabla": "sunflower", "kc": ["0.35", "1.0-1.15", "0.35"], "tabla17": "sunflower", "kcb": ["0.15", "0.95-1.10", "0.25"], "h": "2.0", "zr": "0.8-1.5", "p": "0.45", "etapas": [["25", "35", "45", "25", "abril/mayo", "Mediterráneo; California"]]},
  {"nombre": "algodón", "tabla": "cotton", "kc": ["0.35", "1.15-1.20", "0.70-0.50"], "tabla17": "cotton", "kcb": ["0.15", "1.10-1.15", "0.50-0.40"], "h": "1.2-1.5", "zr": "1.0-1.7", "p": "0.65", "etapas": [["30", "50", "60", "55", "mar. a mayo", "Egipto; Pakistán; California"], ["45", "90", "45", "45", "marzo", "desierto de California, EE. UU."], ["30", "50", "60", "55", "septiembre", "Yemen"], ["30", "50", "55", "45", "abril", "Texas, EE. UU."]]},
  {"nombre": "caña de azúcar", "tabla": "sugar cane", "kc": ["0.4", "1.25", "0.75"], "tabla17": "sugar cane", "kcb": ["0.15", "1.20", "0.70"], "h": "3", "zr": "1.2-2.0", "p": "0.65", "etapas": [["35", "60", "190", "120", "", "latitudes bajas"], ["50", "70", "220", "140", "", "trópicos"], ["75", "105", "330", "210", "", "Hawái, EE. UU."]]},
  {"nombre": "alfalfa para heno (media de los cortes)", "tabla": "alfalfa hay, averaged cutting effects", "kc": ["0.4", "0.95", "0.9"], "tabla17": "alfalfa hay, individual cutting periods", "kcb": ["0.30", "1.15", "1.10"], "h": "0.7", "zr": "1.0-2.0", "p": "0.55", "etapas": [["10", "30", "var.", "var.", "", "temporada entera, de la última helada de −4 °C en primavera a la primera de otoño"], ["10", "20", "20", "10", "enero", "primer ciclo de corte, California, EE. UU."], ["10", "30", "25", "10", "abril (última helada de −4 °C)", "primer ciclo de corte, Idaho, EE. UU."], ["5", "10", "10", "5", "marzo", "otros ciclos de corte, California, EE. UU."], ["5", "20", "10", "10", "junio", "otros ciclos de corte, Idaho, EE. UU."]], "fila17": "heno de alfalfa, cada período entre cortes"},
  {"nombre": "vid para vino", "tabla": "grapes, wine", "kc": ["0.3", "0.7", "0.45"], "tabla17": "grapes, wine", "kcb": ["0.15", "0.65", "0.40"], "h": "1.5-2", "zr": "1.0-2.0", "p": "0.45", "etapas": [["20", "40", "120", "60", "abril", "latitudes bajas"], ["20", "50", "75", "60", "marzo", "California, EE. UU."], ["20", "50", "90", "20", "mayo", "latitudes altas"], ["30", "60", "40", "80", "abril", "latitudes medias (vino)"]]},
  {"nombre": "almendro, suelo sin cubierta", "tabla": "almonds, no ground cover", "kc": ["0.4", "0.9", "0.65"], "tabla17": "almonds, no ground cover", "kcb": ["0.20", "0.85", "0.60"], "h": "5", "zr": "1.0-2.0", "p": "0.4", "etapas": [["20", "70", "90", "30", "marzo", "latitudes altas"], ["20", "70", "120", "60", "marzo", "latitudes bajas"], ["30", "50", "130", "30", "marzo", "California, EE. UU."]]},
  {"nombre": "cítricos, suelo sin cubierta, 70 % de copa", "tabla": "citrus, no ground cover, 70% canopy", "kc": ["0.7", "0.65", "0.7"], "tabla17": "citrus, no ground cover, 70% canopy", "kcb": ["0.65", "0.60", "0.65"], "h": "4", "zr": "1.2-1.5", "p": "0.5", "etapas": [["60", "90", "120", "95", "enero", "Mediterráneo"]]},
  {"nombre": "olivo (40 a 60 % de suelo cubierto)", "tabla": "olives (40-60% ground cover)", "kc": ["0.65", "0.7", "0.7"], "tabla17": "olives (40-60% ground cover)", "kcb": ["0.55", "0.65", "0.65"], "h": "3-5", "zr": "1.2-1.7", "p": "0.65", "etapas": [["30", "90", "60", "90", "marzo", "Mediterráneo (hojas nuevas en marzo)"]]}];

export const SUELOS = [
  {"nombre": "arena", "cc": "0.07-0.17", "pmp": "0.02-0.07", "afe": "2-7"},
  {"nombre": "arena franca", "cc": "0.11-0.19", "pmp": "0.03-0.10", "afe": "4-8"},
  {"nombre": "franco arenoso", "cc": "0.18-0.28", "pmp": "0.06-0.16", "afe": "6-10"},
  {"nombre": "franco", "cc": "0.20-0.30", "pmp": "0.07-0.17", "afe": "8-10"},
  {"nombre": "franco limoso", "cc": "0.22-0.36", "pmp": "0.09-0.21", "afe": "8-11"},
  {"nombre": "limo", "cc": "0.28-0.36", "pmp": "0.12-0.22", "afe": "8-11"},
  {"nombre": "franco arcillo limoso", "cc": "0.30-0.37", "pmp": "0.17-0.24", "afe": "8-11"},
  {"nombre": "arcillo limoso", "cc": "0.30-0.42", "pmp": "0.17-0.29", "afe": "8-12"},
  {"nombre": "arcilla", "cc": "0.32-0.40", "pmp": "0.20-0.24", "afe": "8-12"}];

// A printed value as a number: the middle of a range ("0.20-0.30"), the
// first of two ("0.60, 0.35", "30/45"); NaN for "var.".
export function printedValue(text) {
  const range = /^([\d.]+)\s*-\s*([\d.]+)$/.exec(String(text).trim());
  if (range) return (Number(range[1]) + Number(range[2])) / 2;
  return Number(String(text).split(/[,/]/)[0]);
}

// Table 20: fw of each wetting event (the page offers the middle of a range).
export const HUMEDECIDO = [
  {"nombre": "aspersión", "fw": "1.0"},
  {"nombre": "inundación (tablares)", "fw": "1.0"},
  {"nombre": "riego por bordes", "fw": "1.0"},
  {"nombre": "surcos, todos, cama estrecha", "fw": "0.6-1.0"},
  {"nombre": "surcos, todos, cama ancha", "fw": "0.4-0.6"},
  {"nombre": "surcos alternos", "fw": "0.3-0.5"},
  {"nombre": "goteo", "fw": "0.3-0.4"}];
