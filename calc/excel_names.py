# Keeps the other spreadsheet's names of the worksheet functions in .xlsx files.
# Calc knows an add-in function in .xlsx files by its full name
# (ORG.TORVEN.CALC.VENTISOLA.ETPF56), while the other spreadsheet stores a call
# of a function that an add-in library registered as _xll.ETPF56 (and reads a
# bare ETPF56 as a name no add-in supplied).  This job runs on Calc's document
# events:
#   OnLoadFinished  an .xlsx workbook's calls of the functions (_xll.ETPF56 or
#                   ETPF56, in any case), shown as unknown names, are written
#                   again with the names Calc knows;
#   OnSaveDone,     the .xlsx file just written stores every call of the
#   OnSaveAsDone    functions as _xll.NAME, in formula text only.
import os
import re
import tempfile
import zipfile

import uno
import unohelper
from com.sun.star.lang import XServiceInfo
from com.sun.star.task import XJob

from torven_catalogue import FUNCTIONS, SERVICE

IMPLEMENTATION = "org.torven.calc.ExcelNames.python"
JOB_SERVICE = "org.torven.calc.ExcelNames"
_XLSX_FILTERS = ("Calc MS Excel 2007 XML", "Calc MS Excel 2007 VBA XML",
                 "Calc Office Open XML", "Calc MS Excel 2007 XML Template")


def _named(values):
    return {v.Name: v.Value for v in values or ()}


def _filter_name(model):
    return _named(model.getArgs()).get("FilterName", "")


# A call of one of the functions as Calc writes it (its full name) or as it
# may have been read (a bare or _xll. name, in any case): group 1 is the
# method, group 2 the worksheet name.
_ANY_CALL = re.compile(
    r"(?<![\w.])(?:" + re.escape(SERVICE + ".") + "(" + "|".join(re.escape(m) for m, *_ in FUNCTIONS)
    + r")|(?:_xll\.)?(" + "|".join(re.escape(n) for _, _, n, _, _ in FUNCTIONS) + r"))\(",
    re.IGNORECASE)
_BY_METHOD = {method.upper(): name for method, _, name, _, _ in FUNCTIONS}
_BY_NAME = {name.upper(): name for _, _, name, _, _ in FUNCTIONS}
# The elements of a workbook's parts whose text is a formula: a cell's <f>, a
# chart series' <c:f>, a conditional format's or validation's <formula>,
# <formula1>, <formula2> and <xm:f>, a defined name.  Self-closing elements
# (a shared formula's followers) hold none.
_FORMULA_ELEMENT = re.compile(
    r"(<(?:\w+:)?(?:f|formula[12]?|definedName)\b[^>]*(?<!/)>)([^<]*)(?=</)")
# A text literal's quote inside a formula, as Calc's formulas and as the XML
# of a workbook part write it; captured, so that a split keeps it.
_PLAIN_QUOTE = re.compile(r'(")')
_XML_QUOTE = re.compile(r'("|&quot;)')
_FORMULA_CELL = uno.Enum("com.sun.star.table.CellContentType", "FORMULA")


def _xll_call(match):
    """A call as the other spreadsheet stores it: _xll.NAME(."""
    method, name = match.groups()
    return "_xll." + (_BY_METHOD[method.upper()] if method else _BY_NAME[name.upper()]) + "("


def _calc_call(match):
    """A call as Calc binds it on reading: NAME( (its full name kept)."""
    return match.group(0) if match.group(1) else _BY_NAME[match.group(2).upper()] + "("


def _rewrite_calls(formula, quote, replacement):
    """A formula's calls of the functions replaced, its text literals (between
    the quotes that `quote` finds) and every other function left as they are."""
    # Split at the quotes: text, quote, literal, quote, text ...; the text
    # outside literals is every fourth piece.
    pieces = quote.split(formula)
    for i in range(0, len(pieces), 4):
        pieces[i] = _ANY_CALL.sub(replacement, pieces[i])
    return "".join(pieces)


def xll_part(xml):
    """A workbook part with the formulas of its formula elements stored as
    the other spreadsheet stores them."""
    return _FORMULA_ELEMENT.sub(
        lambda m: m.group(1) + _rewrite_calls(m.group(2), _XML_QUOTE, _xll_call), xml)


def _bind(text, write):
    """Writes back a formula read with its calls bound, when that changes it."""
    bound = _rewrite_calls(text, _PLAIN_QUOTE, _calc_call)
    if bound != text:
        write(bound)


def _use_calc_names(model):
    """Binds the workbook's calls of the functions that Calc read as unknown
    names: in formula cells and defined names, outside text literals.  Text
    cells and other functions are left as they are."""
    modified = model.isModified()  # a renamed call is no change of the user's
    for sheet in model.Sheets:
        descriptor = sheet.createSearchDescriptor()
        descriptor.SearchRegularExpression = True
        descriptor.SearchCaseSensitive = False
        descriptor.setSearchString(_ANY_CALL.pattern)
        found = sheet.findAll(descriptor)  # cells that may hold a call: a filter
        for i in range(found.getCount() if found else 0):
            block = found.getByIndex(i).getRangeAddress()
            for row in range(block.StartRow, block.EndRow + 1):
                for column in range(block.StartColumn, block.EndColumn + 1):
                    cell = sheet.getCellByPosition(column, row)
                    if cell.getType() == _FORMULA_CELL:
                        _bind(cell.getFormula(), cell.setFormula)
    names = model.NamedRanges
    for name in names.getElementNames():
        named = names.getByName(name)
        _bind(named.getContent(), named.setContent)
    model.setModified(modified)


def _write_xll_names(path):
    """Rewrites the formulas of the .xlsx file at `path`, each member kept
    with its name, order, date and compression."""
    folder = os.path.dirname(path)
    with zipfile.ZipFile(path) as source:
        members = [(info, source.read(info)) for info in source.infolist()]
    handle, temporary = tempfile.mkstemp(dir=folder, suffix=".xlsx")
    try:
        with os.fdopen(handle, "wb") as raw, zipfile.ZipFile(raw, "w") as target:
            for info, data in members:
                if info.filename.startswith("xl/") and info.filename.endswith(".xml"):
                    data = xll_part(data.decode("utf-8")).encode("utf-8")
                target.writestr(info, data)
        os.replace(temporary, path)
    finally:
        if os.path.exists(temporary):
            os.remove(temporary)


class ExcelNames(unohelper.Base, XJob, XServiceInfo):
    def __init__(self, ctx, *args):
        pass

    def execute(self, arguments):
        environment = _named(_named(arguments).get("Environment"))
        model = environment.get("Model")
        event = environment.get("EventName", "")
        if model is None or not model.supportsService("com.sun.star.sheet.SpreadsheetDocument"):
            return None
        if _filter_name(model) not in _XLSX_FILTERS:
            return None
        if event == "OnLoadFinished":
            _use_calc_names(model)
        elif event in ("OnSaveDone", "OnSaveAsDone") and model.getURL():
            try:
                _write_xll_names(uno.fileUrlToSystemPath(model.getURL()))
            except (OSError, ValueError, zipfile.BadZipFile):
                pass  # the file keeps Calc's names: Calc still reads it
        return None

    def getImplementationName(self):
        return IMPLEMENTATION

    def supportsService(self, name):
        return name == JOB_SERVICE

    def getSupportedServiceNames(self):
        return (JOB_SERVICE,)


g_ImplementationHelper = unohelper.ImplementationHelper()
g_ImplementationHelper.addImplementation(ExcelNames, IMPLEMENTATION, (JOB_SERVICE,))
