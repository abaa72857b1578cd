"""The example workbooks, holyoke_2020.ods and holyoke_2020.xlsx, made in a
headless LibreOffice with the extension installed, so that they carry their
computed values:
  sheet "Datos"            the Holyoke station-year, the add-in's ET0 per day as
                           a formula a user writes, the annual sums, a chart;
  sheet "Ejemplos FAO 56"  the worked examples as live formulas beside their
                           published values;
  sheet "Datos faltantes"  the same year from the temperatures alone, by FAO
                           56's procedures for missing data (eq. 50, eq. 48, a
                           constant wind), beside the ET0 of measured data,
                           the annual sums, their difference, a chart;
  sheet "Mensual"          the year's monthly means and their ET0 by a formula
                           filled down (the mid-month day, DTP by FAO 56 eq. 43
                           and 44), each month's total beside the sum of its
                           daily ET0;
  sheet "Riego"            a maize season from the year's ET0 (FAO 56 ch. 6 to
                           8, single Kc): the Kc curve, ETc, the soil water
                           balance and the irrigations, each input a cell, the
                           season's totals and a chart of the depletion;
  sheet "Riego dual"       the same season with the dual coefficient (ch. 7):
                           Kcb, the surface layer's evaporation and the root
                           zone, transpiration and evaporation apart beside
                           the single Kc's ETc, a chart of both.
The .xlsx is saved the way a user saves it, so that the extension writes the
other spreadsheet's names (_xll.ETPF56) into its formulas.  Both files are then
stamped with one date, so that two runs give the same bytes.

Usage: /usr/bin/python3 workbooks.py TORVEN.OXT EXAMPLES_FOLDER OUTPUT_FOLDER [CHART.png]
(the date is SOURCE_DATE_EPOCH, else 2020-12-31)."""
import csv
import datetime
import os
import re
import sys
import zipfile

import uno
from com.sun.star.awt import Rectangle
from com.sun.star.table import CellRangeAddress

from office import Office, properties

SERIAL_ORIGIN = datetime.date(1899, 12, 30)  # the spreadsheets' day 0, as both count after 1900
STATION = "Holyoke (Colorado, EE. UU.), estación hyk02 de CoAgMet"
CONSTANTS = (("Latitud (°)", 40.49), ("Altitud (m)", 1138), ("Altura del anemómetro (m)", 2))
# Column title, CSV column.
COLUMNS = (("Fecha", "date"), ("Tmáx (°C)", "tmax"), ("Tmín (°C)", "tmin"), ("HRmáx (%)", "rhmax"),
           ("HRmín (%)", "rhmin"), ("Rs (MJ/m²/d)", "rs"), ("Viento a 2 m (m/s)", "u2"),
           ("ET0 estación (mm/d)", "et_asce0"))
ET0_TITLE = "ET0 TORVEN (mm/d)"
# The add-in's ET0 of row {0}, as a user writes it (the constants in L2:L4).
ET0_FORMULA = ("=ETPF56(JDIA.VENTISOLA(YEAR(A{0});MONTH(A{0});DAY(A{0}));F{0};B{0};C{0};0;"
               "PVHRF56(B{0};C{0};D{0};E{0});G{0};$L$4;$L$3;$L$2)")
# The same day from the temperatures alone (FAO 56, chapter 3): Rs by eq. 50,
# ea by eq. 48, a constant wind at 2 m; the constants in L2:L6.
MISSING_CONSTANTS = (("Latitud (°)", 40.49), ("Altitud (m)", 1138), ("kRs (interior 0,16; costa 0,19)", 0.16),
                     ("Rocío bajo Tmín (°C)", 0), ("Viento constante a 2 m (m/s)", 2))
MISSING_COLUMNS = (
    ("Rs estimada, ec. 50 (MJ/m²/d)",
     "=$L$4*SQRT(B{0}-C{0})*RADAF56(JDIA.VENTISOLA(YEAR(A{0});MONTH(A{0});DAY(A{0}));$L$2)", "0.00"),
    ("ea estimada, ec. 48 (kPa)", "=PVTRF56(C{0}-$L$5)", "0.000"),
    ("ET0 de las temperaturas (mm/d)",
     "=ETPF56(JDIA.VENTISOLA(YEAR(A{0});MONTH(A{0});DAY(A{0}));D{0};B{0};C{0};0;E{0};$L$6;2;$L$3;$L$2)", "0.00"),
    ("ET0 datos medidos (mm/d)", "=$Datos.I{0}", "0.00"),
)
# The monthly means' columns (title, CSV column, number format) and their
# ET0 as filled down from row {0}: the day of mid-month, J = INT(30.4 M - 15);
# DTP = T(next) - T(previous) where both months are known (FAO 56 eq. 43),
# twice the difference from the one known (eq. 44), 0 for a month alone;
# {lat} and {alt} the station's latitude and altitude.
MONTHLY_COLUMNS = (("Mes", "month"), ("Tmáx (°C)", "tmax"), ("Tmín (°C)", "tmin"), ("HRmáx (%)", "rhmax"),
                   ("HRmín (%)", "rhmin"), ("Rs (MJ/m²/d)", "rs"), ("Viento a 2 m (m/s)", "u2"))
MONTHLY_KNOWN = ("IF(AND(ISNUMBER(A{n});ISNUMBER(B{n});ISNUMBER(C{n}));OR({step}=1;{step}=-11);FALSE())")
MONTHLY_MEAN = "(B{n}+C{n})/2"


def monthly_formula(row, lat="$M$2", alt="$M$3"):
    """The ET0 of the month in `row`, as the sheet and torven --csv compute it."""
    before, after = row - 1, row + 1
    known_before = MONTHLY_KNOWN.format(n=before, step="A%d-A%d" % (row, before))
    known_after = MONTHLY_KNOWN.format(n=after, step="A%d-A%d" % (after, row))
    mean = {n: MONTHLY_MEAN.format(n=n) for n in (before, row, after)}
    dtp = ("IF(AND({kb};{ka});{ma}-{mb};IF({kb};2*({m}-{mb});IF({ka};2*({ma}-{m});0)))"
           .format(kb=known_before, ka=known_after, ma=mean[after], mb=mean[before], m=mean[row]))
    return ("=ETPF56(INT(30.4*A{r}-15);F{r};B{r};C{r};{dtp};PVHRF56(B{r};C{r};D{r};E{r});G{r};2;{alt};{lat})"
            .format(r=row, dtp=dtp, lat=lat, alt=alt))


def monthly_means(days):
    """Each month's means of the daily readings, as (month, tmax, ... u2),
    to four decimals (a workbook stores fifteen digits: the means keep their
    bits through saving)."""
    months = []
    for m in range(1, 13):
        chosen = [d for d in days if int(d["date"][5:7]) == m]
        months.append((m,) + tuple(round(sum(float(d[c]) for d in chosen) / len(chosen), 4)
                                   for _, c in MONTHLY_COLUMNS[1:]))
    return months


# The sheet "Riego": its inputs (label, value) in column O from row 2, each
# named by its placeholder in the formulas; the columns' titles and formulas
# for row {r} (the day of the season is {d}); the season's totals.
IRRIGATION_INPUTS = (
    ("start", "Primer día de la temporada", (datetime.date(2020, 4, 15) - SERIAL_ORIGIN).days),
    ("l1", "Etapa inicial (días, Cuadro 11: España; California)", 30), ("l2", "Etapa de desarrollo (días)", 40),
    ("l3", "Etapa media (días)", 50), ("l4", "Etapa final (días)", 30),
    ("kcini", "Kc ini (Cuadro 12)", 0.3), ("kcmidtab", "Kc med (Cuadro 12)", 1.2), ("kcendtab", "Kc fin (Cuadro 12)", 0.6),
    ("h", "Altura del cultivo (m)", 2), ("fc", "θCC, franco (m³/m³)", 0.25), ("wp", "θPMP, franco (m³/m³)", 0.12),
    ("zr", "Zr (m, Cuadro 22: 1,0-1,7)", 1.35), ("p", "p (Cuadro 22)", 0.55), ("dr0", "Agotamiento inicial (mm)", 0),
    ("eff", "Eficiencia de aplicación (aspersión)", 0.75),
    ("u2mid", "u2 media de la etapa media (m/s)", "mean:G:mid"), ("rhmid", "HRmín media de la etapa media (%)", "mean:E:mid"),
    ("u2end", "u2 media de la etapa final (m/s)", "mean:G:end"), ("rhend", "HRmín media de la etapa final (%)", "mean:E:end"),
    ("kcmid", "Kc med ajustado (ec. 62)", "={kcmidtab}+(0.04*({u2mid}-2)-0.004*({rhmid}-45))*({h}/3)^0.3"),
    ("kcend", "Kc fin ajustado (ec. 65; si Kc fin > 0,45)",
     "=IF({kcendtab}>0.45;{kcendtab}+(0.04*({u2end}-2)-0.004*({rhend}-45))*({h}/3)^0.3;{kcendtab})"),
)
IRRIGATION_DAY = "({A}-{start}+1)"
IRRIGATION_BEFORE = "IF({d}=1;{dr0};L{q})"  # the depletion of the day before
IRRIGATION_AFTER_RAIN = "MAX(0;" + IRRIGATION_BEFORE + ")"
IRRIGATION_NET = "IF(" + IRRIGATION_AFTER_RAIN + ">=F{r};" + IRRIGATION_AFTER_RAIN + ";0)"
IRRIGATION_COLUMNS = (
    ("kc", "IF(OR({d}<1;{d}>{l1}+{l2}+{l3}+{l4});\"\";IF({d}<={l1};{kcini};IF({d}<={l1}+{l2};{kcini}+({d}-{l1})/{l2}*"
           "({kcmid}-{kcini});IF({d}<={l1}+{l2}+{l3};{kcmid};{kcmid}+({d}-({l1}+{l2}+{l3}))/{l4}*({kcend}-{kcmid})))))"),
    ("etc", "C{r}*B{r}"),
    ("taw", "1000*({fc}-{wp})*{zr}"),
    ("raw", "MAX(0.1;MIN(0.8;{p}+0.04*(5-D{r})))*E{r}"),
    ("ks", "IF(MAX(0;" + IRRIGATION_AFTER_RAIN + "-" + IRRIGATION_NET + ")>F{r};(E{r}-MAX(0;" + IRRIGATION_AFTER_RAIN +
           "-" + IRRIGATION_NET + "))/(E{r}-F{r});1)"),
    ("etc_aj", "G{r}*D{r}"),
    ("riego_neto", IRRIGATION_NET),
    ("riego_bruto", "I{r}/{eff}"),
    ("percolacion", "MAX(0;I{r}-" + IRRIGATION_BEFORE + ")"),
    ("dr", "MIN(E{r};MAX(0;" + IRRIGATION_AFTER_RAIN + "-I{r})+H{r})"),
)
IRRIGATION_TOTALS = (("ETc de la temporada (mm)", "=SUM(D2:D{last})"), ("ETc ajustada (mm)", "=SUM(H2:H{last})"),
                     ("Percolación profunda (mm)", "=SUM(K2:K{last})"), ("Riego neto (mm)", "=SUM(I2:I{last})"),
                     ("Riego bruto (mm)", "=SUM(J2:J{last})"), ("Riegos", "=COUNTIF(I2:I{last};\">0\")"))


# The sheet "Riego dual": the same season with the dual coefficient (FAO 56
# ch. 7, Kcb of Table 17, sprinkler: fw 1), inputs in column W from row 2.
DUAL_INPUTS = IRRIGATION_INPUTS[:5] + (
    ("kcbini", "Kcb ini (Cuadro 17)", 0.15), ("kcbmidtab", "Kcb med (Cuadro 17)", 1.15),
    ("kcbendtab", "Kcb fin (Cuadro 17: 0,50; 0,15)", 0.5), ("kcmin", "Kc mín", 0.15),
) + IRRIGATION_INPUTS[8:15] + (
    ("ze", "Capa que evapora Ze (m)", 0.1), ("rew", "AFE (mm, Cuadro 19: franco, 8-10)", 9),
    ("tew", "AET (mm, ec. 73)", "=1000*({fc}-0.5*{wp})*{ze}"), ("fwirr", "fw del riego (Cuadro 20: aspersión)", 1),
) + IRRIGATION_INPUTS[15:19] + (
    ("kcbmid", "Kcb med ajustado (ec. 70)", "={kcbmidtab}+(0.04*({u2mid}-2)-0.004*({rhmid}-45))*({h}/3)^0.3"),
    ("kcbend", "Kcb fin ajustado (ec. 70; si Kcb fin > 0,45)",
     "=IF({kcbendtab}>0.45;{kcbendtab}+(0.04*({u2end}-2)-0.004*({rhend}-45))*({h}/3)^0.3;{kcbendtab})"),
)
DUAL_BEFORE = "IF({d}=1;{dr0};T{q})"  # the root zone's depletion the day before
DUAL_AFTER_RAIN = "MAX(0;" + DUAL_BEFORE + ")"
DUAL_NET = "IF(" + DUAL_AFTER_RAIN + ">=G{r};" + DUAL_AFTER_RAIN + ";0)"
DUAL_LAYER_BEFORE = "IF({d}=1;{tew};N{q})"  # the surface layer's the day before
DUAL_LAYER_AFTER = "MAX(0;" + DUAL_LAYER_BEFORE + "-" + DUAL_NET + "/H{r})"
DUAL_COLUMNS = (
    ("kcb", "IF(OR({d}<1;{d}>{l1}+{l2}+{l3}+{l4});\"\";IF({d}<={l1};{kcbini};IF({d}<={l1}+{l2};{kcbini}+({d}-{l1})/{l2}*"
            "({kcbmid}-{kcbini});IF({d}<={l1}+{l2}+{l3};{kcbmid};{kcbmid}+({d}-({l1}+{l2}+{l3}))/{l4}*"
            "({kcbend}-{kcbmid})))))"),
    ("kc_max", "MAX(1.2+(0.04*({u2mid}-2)-0.004*({rhmid}-45))*({h}/3)^0.3;C{r}+0.05)"),
    ("fc", "MIN(0.99;(MAX(C{r}-{kcmin};0.01)/(D{r}-{kcmin}))^(1+0.5*{h}))"),
    ("taw", "1000*({fc}-{wp})*{zr}"),
    ("raw", "{p}*F{r}"),
    ("fw", "IF(" + DUAL_NET + ">0;{fwirr};IF({d}=1;1;H{q}))"),
    ("few", "MIN(1-E{r};H{r})"),
    ("kr", "IF(" + DUAL_LAYER_AFTER + "<={rew};1;MAX(0;({tew}-" + DUAL_LAYER_AFTER + ")/({tew}-{rew})))"),
    ("ke", "MIN(J{r}*(D{r}-C{r});I{r}*D{r})"),
    ("e", "K{r}*B{r}"),
    ("dpe", "MAX(0;" + DUAL_NET + "/H{r}-" + DUAL_LAYER_BEFORE + ")"),
    ("de", "MIN({tew};MAX(0;" + DUAL_LAYER_BEFORE + "-" + DUAL_NET + "/H{r}+L{r}/I{r}+M{r}))"),
    ("ks", "IF(MAX(0;" + DUAL_AFTER_RAIN + "-" + DUAL_NET + ")>G{r};(F{r}-MAX(0;" + DUAL_AFTER_RAIN + "-" + DUAL_NET +
           "))/(F{r}-G{r});1)"),
    ("etc_aj", "(O{r}*C{r}+K{r})*B{r}"),
    ("riego_neto", DUAL_NET),
    ("riego_bruto", "Q{r}/{eff}"),
    ("percolacion", "MAX(0;Q{r}-" + DUAL_BEFORE + ")"),
    ("dr", "MIN(F{r};MAX(0;" + DUAL_AFTER_RAIN + "-Q{r})+P{r})"),
)
DUAL_TOTALS = (("Transpiración, Ks·Kcb·ET0 (mm)", "=SUMPRODUCT(O2:O{last};C2:C{last};B2:B{last})"),
               ("Evaporación del suelo, E (mm)", "=SUM(L2:L{last})"), ("ETc ajustada (mm)", "=SUM(P2:P{last})"),
               ("ETc ajustada con Kc único, hoja Riego (mm)", "=$Riego.$O$%d" % (len(IRRIGATION_INPUTS) + 4)),
               ("Percolación profunda (mm)", "=SUM(S2:S{last})"), ("Riego neto (mm)", "=SUM(Q2:Q{last})"),
               ("Riego bruto (mm)", "=SUM(R2:R{last})"), ("Riegos", "=COUNTIF(Q2:Q{last};\">0\")"))


def irrigation_formula(column, row, values, columns=IRRIGATION_COLUMNS):
    """The formula of an irrigation column (of `columns`) for `row`, its
    inputs `values` (placeholder -> text: a cell, or a number for torven),
    rows outside the season "" (the first column decides)."""
    body = dict(columns)[column]
    fields = dict(values, r=row, q=row - 1, A="A%d" % row)
    fields["d"] = IRRIGATION_DAY.format(**fields)
    text = body.format(**fields)
    return "=" + (text if column == columns[0][0] else 'IF(C%d="";"";%s)' % (row, text))


# The worked examples: quantity symbol -> Spanish name; example -> its place.
QUANTITIES = {"e°": "presión de vapor de saturación", "ea": "presión de vapor actual",
              "Ra": "radiación astronómica", "N": "duración astronómica del día",
              "Rs": "radiación global", "ET0": "evapotranspiración de referencia"}
PLACES = {"8": "3 de septiembre, 20° S", "9": "3 de septiembre, 20° S",
          "10": "Río de Janeiro, 14 de mayo", "17": "Bangkok, abril",
          "18": "Bruselas, 6 de julio"}


def station_days(examples):
    with open(os.path.join(examples, "holyoke_2020.csv"), encoding="utf-8") as f:
        return list(csv.DictReader(f))


def worked_examples(examples):
    """(description, formula, published value, unit) of each worked example."""
    result = []
    with open(os.path.join(examples, "fao56_worked_examples.txt"), encoding="utf-8") as f:
        for line in f:
            call, _, comment = line.partition("#")
            match = re.match(r"\s*Ex\. (\d+): (\S+?)(\(.*\))? = ([\d.]+) (.+)", comment)
            if not call.strip() or not match:
                continue
            number, symbol, argument, value, unit = match.groups()
            what = QUANTITIES[symbol] + (" a " + argument.strip("()").replace(".", ",") if argument else "")
            place = PLACES.get(number)
            description = "Ejemplo %s: %s%s" % (number, what, " (%s)" % place if place else "")
            result.append((description, call.strip(), float(value), unit.strip()))
    return result


def spanish(formula):
    """A formula as the Spanish-language spreadsheet shows it: decimal commas."""
    return re.sub(r"(\d)\.(\d)", r"\1,\2", formula)


def number_format(doc, code):
    formats = doc.NumberFormats
    locale = uno.createUnoStruct("com.sun.star.lang.Locale")
    locale.Language, locale.Country = "en", "US"
    key = formats.queryKey(code, locale, False)
    return key if key != -1 else formats.addNew(code, locale)


def fill_side_block(doc, sheet, last, values, compared, note):
    """Beside a sheet's table, in columns K and L: labels and their values
    (texts or numbers) from the first row; after a blank row the annual sums
    of the two `compared` columns (title, letter) and their difference, in mm
    and in per cent of the second; after another, a note."""
    for r, (label, value) in enumerate(values):
        sheet.getCellByPosition(10, r).setString(label)
        cell = sheet.getCellByPosition(11, r)
        if isinstance(value, str):
            cell.setString(value)
        else:
            cell.setValue(value)
    first = len(values) + 2  # the first sum's row, as the sheet numbers it
    (title, column), (other_title, other_column) = compared
    sums = ((title, "=SUM(%s2:%s%d)" % (column, column, last), "0.0"),
            (other_title, "=SUM(%s2:%s%d)" % (other_column, other_column, last), "0.0"),
            ("Diferencia (mm)", "=L%d-L%d" % (first, first + 1), "0.0"),
            ("Diferencia", "=L%d/L%d" % (first + 2, first + 1), "0.00%"))
    for r, (label, formula, code) in enumerate(sums, start=first - 1):
        sheet.getCellByPosition(10, r).setString(label)
        cell = sheet.getCellByPosition(11, r)
        cell.setFormula(formula)
        cell.NumberFormat = number_format(doc, code)
    sheet.getCellByPosition(10, first + len(sums)).setString(note)


def set_widths(sheet, columns, width, side_width):
    """The date column, the table's other `columns` and the side block's labels."""
    sheet.getColumns().getByIndex(0).Width = 2400
    for c in range(1, columns):
        sheet.getColumns().getByIndex(c).Width = width
    sheet.getColumns().getByIndex(10).Width = side_width


def fill_station_sheet(doc, sheet, days):
    titles = [title for title, _ in COLUMNS] + [ET0_TITLE]
    rows = [tuple(titles)]
    for day in days:
        date = datetime.date.fromisoformat(day["date"])
        rows.append(((date - SERIAL_ORIGIN).days,) + tuple(float(day[c]) for _, c in COLUMNS[1:]) + ("",))
    last = len(rows)
    sheet.getCellRangeByName("A1:I%d" % last).setDataArray(tuple(rows))
    sheet.getCellRangeByName("A2:A%d" % last).NumberFormat = number_format(doc, "DD/MM/YYYY")
    sheet.getCellRangeByName("I2:I%d" % last).setFormulaArray(
        tuple((ET0_FORMULA.format(r),) for r in range(2, last + 1)))
    sheet.getCellRangeByName("I2:I%d" % last).NumberFormat = number_format(doc, "0.00")
    fill_side_block(doc, sheet, last, [("Estación", STATION)] + list(CONSTANTS),
                    (("ET0 anual TORVEN (mm)", "I"), ("ET0 anual estación (mm)", "H")),
                    "En 24 días la humedad medida pasa del 100 % (la función daría #¡NUM!): "
                    "esos días se limitaron al 100 %.")
    set_widths(sheet, 9, 2600, 5600)
    return last


def fill_missing_sheet(doc, sheet, days):
    """The year from the temperatures alone, beside the measured-data ET0."""
    titles = ("Fecha", "Tmáx (°C)", "Tmín (°C)") + tuple(title for title, _, _ in MISSING_COLUMNS)
    rows = [titles]
    for day in days:
        date = datetime.date.fromisoformat(day["date"])
        rows.append(((date - SERIAL_ORIGIN).days, float(day["tmax"]), float(day["tmin"])) +
                    ("",) * len(MISSING_COLUMNS))
    last = len(rows)
    sheet.getCellRangeByName("A1:G%d" % last).setDataArray(tuple(rows))
    sheet.getCellRangeByName("A2:A%d" % last).NumberFormat = number_format(doc, "DD/MM/YYYY")
    for c, (_, formula, code) in enumerate(MISSING_COLUMNS):
        cells = sheet.getCellRangeByPosition(3 + c, 1, 3 + c, last - 1)
        cells.setFormulaArray(tuple((formula.format(r),) for r in range(2, last + 1)))
        cells.NumberFormat = number_format(doc, code)
    fill_side_block(doc, sheet, last, [("Estación", STATION)] + list(MISSING_CONSTANTS),
                    (("ET0 anual de las temperaturas (mm)", "F"), ("ET0 anual de datos medidos (mm)", "G")),
                    "Sin radiación, humedad ni viento medidos, FAO 56 (cap. 3) estima Rs de la diferencia de "
                    "temperaturas (ec. 50), ea de Tmín (ec. 48) y un viento de 2 m/s. Cambie kRs, el rocío o el "
                    "viento en L4:L6.")
    set_widths(sheet, 7, 3400, 6600)
    return last


def fill_monthly_sheet(doc, sheet, days, daily_last):
    """The monthly means, their ET0 filled down, each month's total and the
    sum of its daily ET0 (sheet "Datos")."""
    titles = [title for title, _ in MONTHLY_COLUMNS] + ["ET0 mensual (mm/d)", "ET0 del mes (mm)",
                                                        "Suma de la ET0 diaria (mm)"]
    rows = [tuple(titles)] + [month + ("", "", "") for month in monthly_means(days)]
    sheet.getCellRangeByName("A1:J13").setDataArray(tuple(rows))
    sheet.getCellRangeByName("H2:H13").setFormulaArray(tuple((monthly_formula(r),) for r in range(2, 14)))
    sheet.getCellRangeByName("I2:I13").setFormulaArray(
        tuple(("=H{0}*DAY(DATE(2020;A{0}+1;0))".format(r),) for r in range(2, 14)))
    sheet.getCellRangeByName("J2:J13").setFormulaArray(tuple(
        ("=SUMPRODUCT(MONTH($Datos.$A$2:$A${1})=A{0};$Datos.$I$2:$I${1})".format(r, daily_last),)
        for r in range(2, 14)))
    sheet.getCellRangeByName("B2:J13").NumberFormat = number_format(doc, "0.00")
    for r, (label, value) in enumerate([("Estación", STATION), ("Latitud (°)", 40.49), ("Altitud (m)", 1138)]):
        sheet.getCellByPosition(11, r).setString(label)
        cell = sheet.getCellByPosition(12, r)
        cell.setString(value) if isinstance(value, str) else cell.setValue(value)
    for r, (label, formula) in enumerate([("ET0 del año, meses (mm)", "=SUM(I2:I13)"),
                                          ("ET0 del año, días (mm)", "=SUM(J2:J13)")], start=4):
        sheet.getCellByPosition(11, r).setString(label)
        sheet.getCellByPosition(12, r).setFormula(formula)
        sheet.getCellByPosition(12, r).NumberFormat = number_format(doc, "0.0")
    sheet.getCellByPosition(11, 7).setString(
        "Cada mes con las medias de sus días: el día de mediados del mes, J = ENTERO(30,4 M − 15), y DTP de "
        "los meses vecinos (FAO 56, ec. 43; ec. 44 en enero y diciembre, cuyo vecino de otro año falta).")
    set_widths(sheet, 10, 2600, 2600)
    sheet.getColumns().getByIndex(11).Width = 5600


def add_chart(sheet, index, last, series, name, title, top, y_title="ET0 (mm/d)", more=(), left=25000):
    """A line chart of two daily ET0 columns over the year (or other
    columns: `more` ranges), in Spanish."""
    ranges = []
    for first, final in ((0, 0), series, *more):
        a = CellRangeAddress()
        a.Sheet, a.StartColumn, a.EndColumn, a.StartRow, a.EndRow = index, first, final, 0, last - 1
        ranges.append(a)
    rectangle = Rectangle(left, top, 20000, 10000)  # 1/100 mm, right of the table
    sheet.Charts.addNewByName(name, rectangle, tuple(ranges), True, True)
    chart = sheet.Charts.getByName(name).EmbeddedObject
    chart.lockControllers()
    chart.Diagram = chart.createInstance("com.sun.star.chart.LineDiagram")
    chart.HasMainTitle = True
    chart.Title.String = title
    diagram = chart.Diagram
    diagram.SymbolType = uno.getConstantByName("com.sun.star.chart.ChartSymbolType.NONE")
    diagram.HasXAxisTitle = True
    diagram.XAxisTitle.String = "Fecha"
    diagram.HasYAxisTitle = True
    diagram.YAxisTitle.String = y_title
    chart.HasLegend = True
    chart.unlockControllers()


# The two season sheets: their inputs, columns and totals, the column of the
# inputs' labels (their values one to the right), the note, the chart
# (name, title, the columns drawn).
SEASONS = {
    "Riego": (IRRIGATION_INPUTS, IRRIGATION_COLUMNS, IRRIGATION_TOTALS, 13,
              "FAO 56, cap. 6 a 8: Kc (ec. 66, ajustado al clima con las ec. 62 y 65), ETc = Kc ET0, ADT = 1000 (θCC − "
              "θPMP) Zr (ec. 82), AFA = p ADT (ec. 83), Ks (ec. 84), balance diario (ec. 85 a 88) con el riego al "
              "comienzo del día en que el agotamiento llega a AFA, hasta capacidad de campo.",
              ("Agotamiento", "Agotamiento del suelo en la temporada de maíz (mm)", (4, 5), ((11, 11),))),
    "Riego dual": (DUAL_INPUTS, DUAL_COLUMNS, DUAL_TOTALS, 21,
                   "FAO 56, cap. 7: Kc = Ks·Kcb + Ke (ec. 69 y 80). Kcb (ec. 66, ajustado con la ec. 70), Kc máx "
                   "(ec. 72), fc (ec. 76), few = mín(1 − fc; fw) (ec. 75), Kr (ec. 74) y Ke (ec. 71) con el agotamiento "
                   "de la capa tras el riego del día, E = Ke ET0, DPe (ec. 79), De (ec. 77), AET = 1000 (θCC − 0,5 "
                   "θPMP) Ze (ec. 73); la zona radicular como en la hoja Riego.",
                   ("Evaporacion", "Evaporación del suelo y ETc ajustada en la temporada de maíz (mm/d)", (11, 11),
                    ((15, 15),))),
}


def season_cells(name):
    """Each input's cell in a season sheet: placeholder -> $O$n (sheet
    "Riego"), $W$n (sheet "Riego dual")."""
    inputs, _, _, side, _, _ = SEASONS[name]
    letter = chr(ord("A") + side + 1)
    return {key: "$%s$%d" % (letter, r + 2) for r, (key, _, _) in enumerate(inputs)}


def fill_season_sheet(doc, sheet, name, daily_last, index):
    """A maize season: the dates and ET0 of sheet "Datos", the season's
    columns filled down, the inputs beside them, the totals below them."""
    inputs, columns, totals, side, note, (chart, title, series, more) = SEASONS[name]
    cells = season_cells(name)
    titles = ("Fecha", "ET0 (mm/d)") + tuple(n for n, _ in columns)
    for c, text in enumerate(titles):
        sheet.getCellByPosition(c, 0).setString(text)
    rows = range(2, daily_last + 1)
    last_letter = chr(ord("A") + len(titles) - 1)
    sheet.getCellRangeByName("A2:B%d" % daily_last).setFormulaArray(
        tuple(("=$Datos.A%d" % r, "=$Datos.I%d" % r) for r in rows))
    sheet.getCellRangeByName("A2:A%d" % daily_last).NumberFormat = number_format(doc, "DD/MM/YYYY")
    sheet.getCellRangeByName("C2:%s%d" % (last_letter, daily_last)).setFormulaArray(
        tuple(tuple(irrigation_formula(n, r, cells, columns) for n, _ in columns) for r in rows))
    sheet.getCellRangeByName("B2:%s%d" % (last_letter, daily_last)).NumberFormat = number_format(doc, "0.00")
    dates = "$Datos.$A$2:$A$%d" % daily_last
    stages = {"mid": ("{start}+{l1}+{l2}", "{start}+{l1}+{l2}+{l3}"),
              "end": ("{start}+{l1}+{l2}+{l3}", "{start}+{l1}+{l2}+{l3}+{l4}")}
    sheet.getCellByPosition(side, 0).setString("Entradas (cámbielas)")
    for r, (key, label, value) in enumerate(inputs, start=1):
        sheet.getCellByPosition(side, r).setString(label)
        cell = sheet.getCellByPosition(side + 1, r)
        if isinstance(value, str) and value.startswith("mean:"):
            _, column, stage = value.split(":")
            low, high = (bound.format(**cells) for bound in stages[stage])
            inside = "({0}>={1})*({0}<{2})".format(dates, low, high)
            cell.setFormula("=SUMPRODUCT(%s*$Datos.$%s$2:$%s$%d)/SUMPRODUCT(%s)" % (
                inside, column, column, daily_last, inside))
        elif isinstance(value, str):
            cell.setFormula(value.format(**cells))
        else:
            cell.setValue(value)
    sheet.getCellByPosition(side + 1, 1).NumberFormat = number_format(doc, "DD/MM/YYYY")
    first = len(inputs) + 2
    for r, (label, formula) in enumerate(totals, start=first):
        sheet.getCellByPosition(side, r).setString(label)
        sheet.getCellByPosition(side + 1, r).setFormula(formula.format(last=daily_last))
        sheet.getCellByPosition(side + 1, r).NumberFormat = number_format(doc, "0.0")
    sheet.getCellByPosition(side, first + len(totals) + 1).setString(note)
    set_widths(sheet, len(titles), 2300, 2300)
    sheet.getColumns().getByIndex(side).Width = 7600
    add_chart(sheet, index, daily_last, series, chart, title, 9000, y_title="mm", more=more,
              left=36000 if side == 13 else 52000)


def fill_examples_sheet(doc, sheet, examples):
    titles = ("Descripción", "Fórmula", "Resultado TORVEN", "Valor publicado (FAO 56)", "Unidad")
    for c, title in enumerate(titles):
        sheet.getCellByPosition(c, 0).setString(title)
    for r, (description, call, value, unit) in enumerate(examples, start=1):
        sheet.getCellByPosition(0, r).setString(description)
        sheet.getCellByPosition(1, r).setString(spanish("=" + call))
        sheet.getCellByPosition(2, r).setFormula("=" + call)
        sheet.getCellByPosition(3, r).setValue(value)
        sheet.getCellByPosition(4, r).setString(unit)
    sheet.getCellRangeByName("C2:C%d" % (len(examples) + 1)).NumberFormat = number_format(doc, "0.000")
    sheet.getCellByPosition(0, len(examples) + 2).setString(
        "FAO 56 redondea sus valores intermedios: la última cifra publicada puede diferir.")
    for c, width in enumerate((9000, 14000, 3600, 4600, 2600)):
        sheet.getColumns().getByIndex(c).Width = width


def export_chart(office, doc, path):
    """The chart as the spreadsheet draws it, to PNG."""
    shape = doc.Sheets.getByName("Datos").DrawPage.getByIndex(0)
    exporter = office.create("com.sun.star.drawing.GraphicExportFilter")
    exporter.setSourceDocument(shape)
    exporter.filter(properties(URL=uno.systemPathToFileUrl(path), MediaType="image/png",
                               FilterData=uno.Any("[]com.sun.star.beans.PropertyValue",
                                                  properties(PixelWidth=1400, PixelHeight=700))))


def numbered_axes(text):
    """A chart's axis identifiers, random in each save, numbered in order."""
    numbers = {}
    return re.sub(r'(<c:(?:axId|crossAx) val=")(\d+)"',
                  lambda m: '%s%d"' % (m.group(1), numbers.setdefault(m.group(2), 1000 + len(numbers))),
                  text)


def stamp(path, when):
    """Rewrites a saved workbook with every date and time the same (the
    document's own dates and the archive members' times) and its charts'
    axes numbered in order."""
    iso = when.strftime("%Y-%m-%dT%H:%M:%S")
    patterns = [
        (r"<meta:creation-date>[^<]*<", "<meta:creation-date>%s<" % iso),
        (r"<dc:date>[^<]*<", "<dc:date>%s<" % iso),
        (r"<meta:editing-duration>[^<]*<", "<meta:editing-duration>PT0S<"),
        (r"<meta:editing-cycles>[^<]*<", "<meta:editing-cycles>1<"),
        (r"(<dcterms:(created|modified)[^>]*>)[^<]*<", r"\g<1>%sZ<" % iso),
        (r"<TotalTime>[^<]*<", "<TotalTime>0<"),
    ]
    with zipfile.ZipFile(path) as z:
        members = [(info, z.read(info.filename)) for info in z.infolist()]
    with zipfile.ZipFile(path, "w") as z:
        for info, data in members:
            if info.filename in ("meta.xml", "docProps/core.xml", "docProps/app.xml"):
                text = data.decode("utf-8")
                for pattern, replacement in patterns:
                    text = re.sub(pattern, replacement, text)
                data = text.encode("utf-8")
            if info.filename.startswith("xl/charts/"):
                data = numbered_axes(data.decode("utf-8")).encode("utf-8")
            fixed = zipfile.ZipInfo(info.filename, date_time=when.timetuple()[:6])
            fixed.compress_type = info.compress_type
            fixed.external_attr = 0o644 << 16
            z.writestr(fixed, data)


def make(office, examples, folder, when, chart_png=None):
    """Makes both workbooks in `folder`; returns their paths."""
    doc = office.open()
    sheets = doc.Sheets
    sheets.getByIndex(0).Name = "Datos"
    if sheets.getCount() < 2:
        sheets.insertNewByName("Ejemplos FAO 56", 1)
    sheets.insertNewByName("Datos faltantes", 2)
    sheets.insertNewByName("Mensual", 3)
    sheets.insertNewByName("Riego", 4)
    sheets.insertNewByName("Riego dual", 5)
    station = sheets.getByName("Datos")
    days = station_days(examples)
    last = fill_station_sheet(doc, station, days)
    add_chart(station, 0, last, (7, 8), "ET0", "ET0 diaria en Holyoke, 2020: TORVEN y la estación", 5200)
    fill_examples_sheet(doc, sheets.getByName("Ejemplos FAO 56"), worked_examples(examples))
    missing = sheets.getByName("Datos faltantes")
    add_chart(missing, 2, fill_missing_sheet(doc, missing, days), (5, 6), "ET0_temperaturas",
              "ET0 diaria en Holyoke, 2020: de las temperaturas y de datos medidos", 7200)
    fill_monthly_sheet(doc, sheets.getByName("Mensual"), days, last)
    for index, name in ((4, "Riego"), (5, "Riego dual")):
        fill_season_sheet(doc, sheets.getByName(name), name, last, index)
    doc.calculateAll()
    info = doc.DocumentProperties
    info.Title = "TORVEN: evapotranspiración de referencia en Holyoke, 2020"
    info.Author = info.ModifiedBy = "Equipo TORVEN"
    info.Generator = "TORVEN"
    paths = []
    for name, filter_name in (("holyoke_2020.ods", "calc8"), ("holyoke_2020.xlsx", "Calc MS Excel 2007 XML")):
        path = os.path.join(folder, name)
        doc.storeAsURL(uno.systemPathToFileUrl(path), properties(FilterName=filter_name))
        paths.append(path)
    if chart_png:
        export_chart(office, doc, chart_png)
    doc.close(True)
    for path in paths:
        stamp(path, when)
    return paths


def source_date():
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if epoch:
        return datetime.datetime.fromtimestamp(int(epoch), datetime.timezone.utc).replace(tzinfo=None)
    return datetime.datetime(2020, 12, 31)


if __name__ == "__main__":
    if len(sys.argv) not in (4, 5):
        sys.exit(__doc__)
    oxt, examples, folder = map(os.path.abspath, sys.argv[1:4])
    os.makedirs(folder, exist_ok=True)
    office = Office(oxt)
    try:
        made = make(office, examples, folder, source_date(),
                    os.path.abspath(sys.argv[4]) if len(sys.argv) == 5 else None)
    finally:
        office.close()
    print("\n".join(made))
