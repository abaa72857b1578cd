// FAO 56's tables for crop water, as printed (a range stays a text; the
// page offers its middle, and the user types another value): Table 11
// (stage lengths, days: initial, development, mid-season, late season, with
// the planting month and region), Table 12 (Kc ini, Kc mid, Kc end and the
// crop's maximum height, m), Table 22 (maximum rooting depth Zr, m, and the
// depletion fraction p for ETc near 5 mm/d), Table 17 (Kcb ini, Kcb mid,
// Kcb end, and the row used where its name differs) by Spanish crop name;
// Table 19 (θFC and θWP, m³/m³, and REW, mm) by soil type; and Table 20 (the
// fraction of the surface a wetting event wets, fw).  Sandía takes the melons'
// stages and almendro the deciduous orchards' (Table 11 has no row of its own).
export const CULTIVOS = [
  {"nombre": "maíz", "tabla": "maize, field (grain)", "kc": ["0.3", "1.2", "0.60, 0.35"], "tabla17": "maize, field (grain)", "kcb": ["0.15", "1.15", "0.50, 0.15"], "h": "2", "zr": "1.0-1.7", "p": "0.55", "etapas": [["30", "50", "60", "40", "April", "East Africa (alt.)"], ["25", "40", "45", "30", "Dec/Jan", "Arid climate"], ["20", "35", "40", "30", "June", "Nigeria (humid)"], ["20", "35", "40", "30", "October", "India (dry, cool)"], ["30", "40", "50", "30", "April", "Spain (spr, sum.); Calif."], ["30", "40", "50", "50", "April", "Idaho, USA"]]},
  {"nombre": "trigo", "tabla": "wheat, spring", "kc": ["0.3", "1.15", "0.25-0.4"], "tabla17": "wheat, spring", "kcb": ["0.15", "1.10", "0.15-0.3"], "h": "1", "zr": "1.0-1.5", "p": "0.55", "etapas": [["15", "25", "50", "30", "November", "Central India"], ["20", "25", "60", "30", "March/Apr", "35-45 deg latitude"], ["15", "30", "65", "40", "July", "East Africa"], ["40", "30", "40", "20", "Apr", "East Africa"], ["40", "60", "60", "40", "Nov", "East Africa"], ["20", "50", "60", "30", "Dec", "Calif. Desert, USA"]]},
  {"nombre": "cebada", "tabla": "barley", "kc": ["0.3", "1.15", "0.25"], "tabla17": "barley", "kcb": ["0.15", "1.10", "0.15"], "h": "1", "zr": "1.0-1.5", "p": "0.55", "etapas": [["15", "25", "50", "30", "November", "Central India"], ["20", "25", "60", "30", "March/Apr", "35-45 deg latitude"], ["15", "30", "65", "40", "July", "East Africa"], ["40", "30", "40", "20", "Apr", "East Africa"], ["40", "60", "60", "40", "Nov", "East Africa"], ["20", "50", "60", "30", "Dec", "Calif. Desert, USA"]]},
  {"nombre": "papa", "tabla": "potato", "kc": ["0.5", "1.15", "0.75"], "tabla17": "potato", "kcb": ["0.15", "1.10", "0.65"], "h": "0.6", "zr": "0.4-0.6", "p": "0.35", "etapas": [["25", "30", "30/45", "30", "Jan/Nov", "(Semi)Arid climate"], ["25", "30", "45", "30", "May", "Continental climate"], ["30", "35", "50", "30", "April", "Europe"], ["45", "30", "70", "20", "Apr/May", "Idaho, USA"], ["30", "35", "50", "25", "Dec", "Calif. Desert, USA"]]},
  {"nombre": "tomate", "tabla": "tomato", "kc": ["0.6", "1.15", "0.70-0.90"], "tabla17": "tomato", "kcb": ["0.15", "1.10", "0.60-0.80"], "h": "0.6", "zr": "0.7-1.5", "p": "0.4", "etapas": [["30", "40", "40", "25", "January", "Arid region"], ["35", "40", "50", "30", "Apr/May", "Calif., USA"], ["25", "40", "60", "30", "Jan", "Calif. Desert, USA"], ["35", "45", "70", "30", "Oct/Nov", "Arid region"], ["30", "40", "45", "30", "April/May", "Mediterranean"]]},
  {"nombre": "pimiento", "tabla": "sweet pepper (bell)", "kc": ["0.6", "1.05", "0.9"], "tabla17": "sweet pepper (bell)", "kcb": ["0.15", "1.00", "0.80"], "h": "0.7", "zr": "0.5-1.0", "p": "0.3", "etapas": [["25/30", "35", "40", "20", "April/June", "Europe and Medit."], ["30", "40", "110", "30", "October", "Arid region"]]},
  {"nombre": "cebolla", "tabla": "onion, dry", "kc": ["0.7", "1.05", "0.75"], "tabla17": "onion, dry", "kcb": ["0.15", "0.95", "0.65"], "h": "0.4", "zr": "0.3-0.6", "p": "0.3", "etapas": [["15", "25", "70", "40", "April", "Mediterranean"], ["20", "35", "110", "45", "Oct; Jan.", "Arid region; Calif."]]},
  {"nombre": "lechuga", "tabla": "lettuce", "kc": ["0.7", "1.0", "0.95"], "tabla17": "lettuce", "kcb": ["0.15", "0.90", "0.90"], "h": "0.3", "zr": "0.3-0.5", "p": "0.3", "etapas": [["20", "30", "15", "10", "April", "Mediterranean"], ["30", "40", "25", "10", "Nov/Jan", "Mediterranean"], ["25", "35", "30", "10", "Oct/Nov", "Arid region"], ["35", "50", "45", "10", "Feb", "Mediterranean"]]},
  {"nombre": "melón", "tabla": "sweet melons", "kc": ["0.5", "1.05", "0.75"], "tabla17": "sweet melons", "kcb": ["0.15", "1.00", "0.70"], "h": "0.4", "zr": "0.8-1.5", "p": "0.4", "etapas": [["25", "35", "40", "20", "May", "Mediterranean"], ["30", "30", "50", "30", "March", "Calif., USA"], ["15", "40", "65", "15", "Aug", "Calif. Desert, USA"], ["30", "45", "65", "20", "Dec/Jan", "Arid region"]]},
  {"nombre": "sandía", "tabla": "watermelon", "kc": ["0.4", "1.0", "0.75"], "tabla17": "watermelon", "kcb": ["0.15", "0.95", "0.70"], "h": "0.4", "zr": "0.8-1.5", "p": "0.4", "etapas": [["25", "35", "40", "20", "May", "Mediterranean"], ["30", "30", "50", "30", "March", "Calif., USA"], ["15", "40", "65", "15", "Aug", "Calif. Desert, USA"], ["30", "45", "65", "20", "Dec/Jan", "Arid region"]]},
  {"nombre": "frijol", "tabla": "beans, dry and pulses", "kc": ["0.4", "1.15", "0.35"], "tabla17": "beans, dry and pulses", "kcb": ["0.15", "1.10", "0.25"], "h": "0.4", "zr": "0.6-0.9", "p": "0.45", "etapas": [["20", "30", "40", "20", "May/June", "Continental climates"], ["15", "25", "35", "20", "June", "Pakistan, Calif."], ["25", "25", "30", "20", "June", "Idaho, USA"]]},
  {"nombre": "soja", "tabla": "soybeans", "kc": ["0.4", "1.15", "0.5"], "tabla17": "soybeans", "kcb": ["0.15", "1.10", "0.30"], "h": "0.5-1.0", "zr": "0.6-1.3", "p": "0.5", "etapas": [["15", "15", "40", "15", "Dec", "Tropics"], ["20", "30/35", "60", "25", "May", "Central USA"], ["20", "25", "75", "30", "June", "Japan"]]},
  {"nombre": "girasol", "tabla": "sunflower", "kc": ["0.35", "1.0-1.15", "0.35"], "tabla17": "sunflower", "kcb": ["0.15", "0.95-1.10", "0.25"], "h": "2.0", "zr": "0.8-1.5", "p": "0.45", "etapas": [["25", "35", "45", "25", "April/May", "Medit.; California"]]},
  {"nombre": "algodón", "tabla": "cotton", "kc": ["0.35", "1.15-1.20", "0.70-0.50"], "tabla17": "cotton", "kcb": ["0.15", "1.10-1.15", "0.50-0.40"], "h": "1.2-1.5", "zr": "1.0-1.7", "p": "0.65", "etapas": [["30", "50", "60", "55", "Mar-May", "Egypt; Pakistan; Calif."], ["45", "90", "45", "45", "Mar", "Calif. Desert, USA"], ["30", "50", "60", "55", "Sept", "Yemen"], ["30", "50", "55", "45", "April", "Texas"]]},
  {"nombre": "caña de azúcar", "tabla": "sugar cane", "kc": ["0.4", "1.25", "0.75"], "tabla17": "sugar cane", "kcb": ["0.15", "1.20", "0.70"], "h": "3", "zr": "1.2-2.0", "p": "0.65", "etapas": [["35", "60", "190", "120", "", "Low latitudes"], ["50", "70", "220", "140", "", "Tropics"], ["75", "105", "330", "210", "", "Hawaii, USA"]]},
  {"nombre": "arroz", "tabla": "rice", "kc": ["1.05", "1.2", "0.90-0.60"], "tabla17": "rice", "kcb": ["1.00", "1.15", "0.70-0.45"], "h": "1", "zr": "0.5-1.0", "p": "0.2", "etapas": [["30", "30", "60", "30", "Dec; May", "Tropics; Mediterranean"], ["30", "30", "80", "40", "May", "Tropics"]]},
  {"nombre": "alfalfa", "tabla": "alfalfa hay, averaged cutting effects", "kc": ["0.4", "0.95", "0.9"], "tabla17": "alfalfa hay, individual cutting periods", "kcb": ["0.30", "1.15", "1.10"], "h": "0.7", "zr": "1.0-2.0", "p": "0.55", "etapas": [["10", "30", "var.", "var.", "", "total season, last -4C in spring to first -4C in fall (fn 4)"], ["10", "20", "20", "10", "Jan", "1st cutting cycle, Calif., USA"], ["10", "30", "25", "10", "Apr (last -4C)", "1st cutting cycle, Idaho, USA"], ["5", "10", "10", "5", "Mar", "other cutting cycles, Calif., USA"], ["5", "20", "10", "10", "Jun", "other cutting cycles, Idaho, USA"]]},
  {"nombre": "vid", "tabla": "grapes, wine", "kc": ["0.3", "0.7", "0.45"], "tabla17": "grapes, wine", "kcb": ["0.15", "0.65", "0.40"], "h": "1.5-2", "zr": "1.0-2.0", "p": "0.45", "etapas": [["20", "40", "120", "60", "April", "Low latitudes"], ["20", "50", "75", "60", "Mar", "Calif., USA"], ["20", "50", "90", "20", "May", "High latitudes"], ["30", "60", "40", "80", "April", "Mid latitudes (wine)"]]},
  {"nombre": "almendro", "tabla": "almonds, no ground cover", "kc": ["0.4", "0.9", "0.65"], "tabla17": "almonds, no ground cover", "kcb": ["0.20", "0.85", "0.60"], "h": "5", "zr": "1.0-2.0", "p": "0.4", "etapas": [["20", "70", "90", "30", "March", "High latitudes"], ["20", "70", "120", "60", "March", "Low latitudes"], ["30", "50", "130", "30", "March", "Calif., USA"]]},
  {"nombre": "cítricos", "tabla": "citrus, no ground cover, 70% canopy", "kc": ["0.7", "0.65", "0.7"], "tabla17": "citrus, no ground cover, 70% canopy", "kcb": ["0.65", "0.60", "0.65"], "h": "4", "zr": "1.2-1.5", "p": "0.5", "etapas": [["60", "90", "120", "95", "Jan", "Mediterranean"]]},
  {"nombre": "olivo", "tabla": "olives (40-60% ground cover)", "kc": ["0.65", "0.7", "0.7"], "tabla17": "olives (40-60% ground cover)", "kcb": ["0.55", "0.65", "0.65"], "h": "3-5", "zr": "1.2-1.7", "p": "0.65", "etapas": [["30", "90", "60", "90", "March", "Mediterranean (fn 5: new leaves in March)"]]}];

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
