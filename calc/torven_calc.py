# The Calc component: each worksheet function of the add-in, called through
# the same entry of the native library that the other spreadsheet calls
# (libtorven.so, or TORVEN64.xll on 64-bit Windows).  Calc's arguments become
# the host's value records, the entry's answer becomes Calc's value:
#   a number         -> the number;
#   #NUM! or NaN     -> an infinite result, which Calc shows as #NUM!;
#   #VALUE!, other   -> an exception, which Calc shows as #VALUE!;
#   a text           -> the text (VENTISOLA).
# An error argument never arrives: Calc passes it on itself.
import ctypes
import os
import sys
import threading

import uno
import unohelper
from com.sun.star.lang import Locale, XServiceInfo, XServiceName
from com.sun.star.sheet import LocalizedName, XAddIn, XCompatibilityNames

from torven_catalogue import BOOL, ERR, ERRORS, FUNCTIONS, INTERFACE, MISSING, MULTI, NUM, SERVICE, STR

ERR_VALUE, ERR_NUM = ERRORS["#VALUE!"], ERRORS["#NUM!"]
IMPLEMENTATION = SERVICE + ".python"
SERVICES = (SERVICE, "com.sun.star.sheet.AddIn")


class _Array(ctypes.Structure):
    _fields_ = [("lparray", ctypes.c_void_p), ("rows", ctypes.c_int32),
                ("columns", ctypes.c_int32)]


class _Flow(ctypes.Structure):  # the widest member: fixes the union's size
    _fields_ = [("valflow", ctypes.c_void_p), ("rw", ctypes.c_int32),
                ("col", ctypes.c_int32), ("xlflow", ctypes.c_uint8)]


class _Value(ctypes.Union):
    _fields_ = [("num", ctypes.c_double), ("str", ctypes.POINTER(ctypes.c_uint16)),
                ("xbool", ctypes.c_int32), ("err", ctypes.c_int32),
                ("array", _Array), ("flow", _Flow)]


class Record(ctypes.Structure):
    _fields_ = [("val", _Value), ("xltype", ctypes.c_uint32)]


assert ctypes.sizeof(Record) == (32 if ctypes.sizeof(ctypes.c_void_p) == 8 else 24)


def _library():
    here = os.path.dirname(os.path.abspath(__file__))
    name = "TORVEN64.xll" if sys.platform == "win32" else "libtorven.so"
    return ctypes.CDLL(os.path.join(here, name))


def _fill(record, value, keep):
    """Writes a Calc argument into a host record; `keep` holds its memory.
    Calc passes a single cell by its value (an empty one as 0, TRUE as 1), a
    range as rows of values (an empty cell as an empty text)."""
    if value is None:  # an omitted argument
        record.xltype = MISSING
    elif isinstance(value, bool):
        record.xltype, record.val.xbool = BOOL, int(value)
    elif isinstance(value, (int, float)):
        record.xltype, record.val.num = NUM, float(value)
    elif isinstance(value, str):  # counted 16-bit text
        units = value.encode("utf-16-le")[:2 * 32767]
        text = (ctypes.c_uint16 * (len(units) // 2 + 1))(
            len(units) // 2, *memoryview(units).cast("H"))
        keep.append(text)
        record.xltype, record.val.str = STR, text
    elif isinstance(value, tuple):  # a range: rows of values
        rows, columns = len(value), len(value[0]) if value else 0
        cells = (Record * max(rows * columns, 1))()
        keep.append(cells)
        for i, row in enumerate(value):
            for j, item in enumerate(row):
                _fill(cells[i * columns + j], item, keep)
        record.xltype = MULTI
        record.val.array.lparray = ctypes.cast(cells, ctypes.c_void_p)
        record.val.array.rows, record.val.array.columns = rows, columns
    else:
        record.xltype, record.val.err = ERR, ERR_VALUE


def _answer(record):
    """The entry's answer as Calc's value."""
    if record.xltype == NUM:
        number = record.val.num
        return number if number == number else float("inf")
    if record.xltype == STR:
        count = record.val.str[0]
        return bytes(ctypes.string_at(record.val.str, 2 * (count + 1))[2:]).decode("utf-16-le")
    if record.xltype == ERR and record.val.err == ERR_NUM:
        return float("inf")
    raise ValueError("#VALUE!")


class Ventisola(unohelper.Base, uno.getClass(INTERFACE), XAddIn, XCompatibilityNames,
                XServiceName, XServiceInfo):
    """The functions, and what Calc's function wizard shows of them."""

    def __init__(self, ctx, *args):
        self.locale = Locale("es", "", "")

    # The function wizard's texts, Spanish in every language.
    def getProgrammaticFuntionName(self, name):  # sic: the interface's spelling
        return _BY_NAME[name][0] if name in _BY_NAME else ""

    def getDisplayFunctionName(self, method):
        return _BY_METHOD[method][2] if method in _BY_METHOD else ""

    def getFunctionDescription(self, method):
        return _BY_METHOD[method][3] if method in _BY_METHOD else ""

    def getDisplayArgumentName(self, method, index):
        return self._argument(method, index)[0]

    def getArgumentDescription(self, method, index):
        return self._argument(method, index)[1]

    def _argument(self, method, index):
        arguments = _BY_METHOD[method][4] if method in _BY_METHOD else ()
        return arguments[index] if 0 <= index < len(arguments) else ("", "")

    def getProgrammaticCategoryName(self, method):
        return "Add-In"

    def getDisplayCategoryName(self, method):
        return "Add-In"

    # The name the other spreadsheet stores in its files.
    def getCompatibilityNames(self, method):
        if method not in _BY_METHOD:
            return ()
        return (LocalizedName(Locale("en", "US", ""), _BY_METHOD[method][2]),)

    def setLocale(self, locale):
        self.locale = locale

    def getLocale(self):
        return self.locale

    def getServiceName(self):
        return SERVICE

    def getImplementationName(self):
        return IMPLEMENTATION

    def supportsService(self, name):
        return name in SERVICES

    def getSupportedServiceNames(self):
        return SERVICES


# An entry answers in a cell of its own that its next call overwrites: one
# call at a time, its answer read before the next.
_ENTRY_LOCK = threading.Lock()


def _method(entry, arity):
    def call(self, *args):
        records = (Record * arity)()
        keep = []
        for record, value in zip(records, args):
            _fill(record, value, keep)
        with _ENTRY_LOCK:
            return _answer(entry(*[ctypes.byref(r) for r in records]).contents)
    return call


_BY_METHOD = {row[0]: row for row in FUNCTIONS}
_BY_NAME = {row[2]: row for row in FUNCTIONS}
_LIBRARY = _library()
for _method_name, _entry_name, _, _, _arguments in FUNCTIONS:
    _entry = getattr(_LIBRARY, _entry_name)
    _entry.restype = ctypes.POINTER(Record)
    _entry.argtypes = [ctypes.POINTER(Record)] * len(_arguments)
    setattr(Ventisola, _method_name, _method(_entry, len(_arguments)))

g_ImplementationHelper = unohelper.ImplementationHelper()
g_ImplementationHelper.addImplementation(Ventisola, IMPLEMENTATION, SERVICES)
