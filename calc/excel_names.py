# Keeps the worksheet functions' plain names in the other spreadsheet's files.
# Calc knows an add-in function in .xlsx files only by its full name
# (ORG.TORVEN.CALC.VENTISOLA.ETPF56), while the other spreadsheet writes
# ETPF56 or _xll.ETPF56.  This job runs on Calc's document events:
#   OnLoadFinished  an .xlsx workbook's calls of the functions, shown as unknown
#                   names, are written again with the names Calc knows;
#   OnSaveDone,     the .xlsx file just written gets the plain names back.
#   OnSaveAsDone
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


def _call_pattern(name):
    """A call of `name` as the other spreadsheet stores it, in any case."""
    return r"(?<![\w.])(_xll\.)?" + re.escape(name) + r"\("


def _use_calc_names(model):
    modified = model.isModified()  # a renamed call is no change of the user's
    for sheet in model.Sheets:
        for _, _, name, _, _ in FUNCTIONS:
            descriptor = sheet.createReplaceDescriptor()
            descriptor.SearchRegularExpression = True
            descriptor.SearchCaseSensitive = False
            descriptor.setSearchString(_call_pattern(name))
            descriptor.setReplaceString(name + "(")
            sheet.replaceAll(descriptor)
    model.setModified(modified)


_FULL_NAMES = re.compile(
    re.escape(SERVICE.upper() + ".") + "(" + "|".join(m for m, *_ in FUNCTIONS) + r")\(")
_PLAIN = {method: name for method, _, name, _, _ in FUNCTIONS}


def _write_plain_names(path):
    """Rewrites the sheets' formulas of the .xlsx file at `path`."""
    folder = os.path.dirname(path)
    with zipfile.ZipFile(path) as source:
        members = [(info, source.read(info)) for info in source.infolist()]
    handle, temporary = tempfile.mkstemp(dir=folder, suffix=".xlsx")
    try:
        with os.fdopen(handle, "wb") as raw, zipfile.ZipFile(raw, "w") as target:
            for info, data in members:
                if info.filename.startswith("xl/") and info.filename.endswith(".xml"):
                    data = _FULL_NAMES.sub(lambda m: _PLAIN[m.group(1)] + "(",
                                           data.decode("utf-8")).encode("utf-8")
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
                _write_plain_names(uno.fileUrlToSystemPath(model.getURL()))
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
