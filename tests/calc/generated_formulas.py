"""Random formulas for the differential test of torven against Calc: the
spreadsheet's arithmetic, the built-ins torven knows, literals of every kind,
cells holding numbers, texts, errors, a truth value and nothing, and the
add-in's functions.  Each formula is written twice: for Calc (';', A2) and for
torven --csv (',', column names).

Where Calc and the spreadsheet that loads the .xll differ, torven follows the
latter; KNOWN_DIFFERENCES names each such case and how to recognise it from
the values of a formula's parts (its probes), which torven evaluates too."""
import math
import random

# Row 2 of the sheet and the one data row of the CSV file.
CELLS = [("a", 2.5), ("b", " 4"), ("c", "abc"), ("d", None), ("e", "#N/A"), ("f", True),
         ("g", "2020-02-29"), ("h", -3.0)]
NUMBERS = [0, 1, 2, 2.5, 3, 0.5, 7, 100, 0.001, 43890]
TEXTS = ["4", " 4 ", "abc", "1E3", "50%", "2020-02-29", "2020-02-29 12:00", "29-Feb-2020", "", "0.5", "12:00"]
EXPONENTS = [2, 3, 0.5, -1, 0]
BUILTINS = {"SQRT": (1, 1), "YEAR": (1, 1), "MONTH": (1, 1), "DAY": (1, 1), "IF": (2, 3),
            "ISNUMBER": (1, 1), "ISBLANK": (1, 1), "AND": (1, 3), "OR": (1, 3), "INT": (1, 1), "DATE": (3, 3),
            "LEFT": (1, 2), "RIGHT": (1, 2), "ABS": (1, 1), "MIN": (1, 3), "MAX": (1, 3), "ROW": (1, 1)}
ADDIN = {"PVSF56": 1, "PVTRF56": 1, "DDIAF56": 2, "RADAF56": 2, "JDIA.VENTISOLA": 3}
PRECEDENCE = {"=": 0, "<>": 0, "<": 0, ">": 0, "<=": 0, ">=": 0, "+": 1, "-": 1, "*": 2, "/": 2, "^": 3}
COMPARISONS = ["=", "<>", "<", ">", "<=", ">="]


def reference(rng):
    """A cell reference, the spreadsheet's way: the header's row 1, the row
    of cells 2, or the empty row 3, with '$' or not."""
    return ("ref", rng.randrange(len(CELLS)), rng.choice([1, 2, 2, 3]), rng.random() < 0.3, rng.random() < 0.3)


def generate(rng, depth=0):
    """One random expression tree."""
    roll = rng.random() if depth < 4 else rng.random() * 0.45
    if roll < 0.12:
        return ("num", rng.choice(NUMBERS))
    if roll < 0.22:
        return ("text", rng.choice(TEXTS))
    if roll < 0.25:
        return ("bool", rng.random() < 0.5)
    if roll < 0.28:
        return ("err", rng.choice(["#N/A", "#DIV/0!"]))
    if roll < 0.45:
        if rng.random() < 0.25:
            return reference(rng)
        return ("cell", rng.randrange(len(CELLS)))
    if roll < 0.55:
        return (rng.choice(["neg", "pos", "pct"]), generate(rng, depth + 1))
    if roll < 0.72:
        op = rng.choice(COMPARISONS) if rng.random() < 0.25 else rng.choice("+-*/^")
        right = ("num", rng.choice(EXPONENTS)) if op == "^" and rng.random() < 0.7 else generate(rng, depth + 1)
        return ("bin", op, generate(rng, depth + 1), right)
    if roll < 0.9:
        name = rng.choice(sorted(BUILTINS))
        low, high = BUILTINS[name]
        args = [generate(rng, depth + 1) for _ in range(rng.randint(low, high))]
        if name == "ROW":
            args = [reference(rng)]
        if name == "IF" and rng.random() < 0.2:  # a branch left out: IF(c;;x)
            args[rng.randrange(1, len(args))] = ("omitted",)
        return ("call", name, args)
    name = rng.choice(sorted(ADDIN))
    return ("call", name, [generate(rng, depth + 1) for _ in range(ADDIN[name])])


def write(node, calc):
    """The formula's text, for Calc or for torven."""
    kind = node[0]
    if kind == "omitted":
        return ""
    if kind == "num":
        return repr(float(node[1])).removesuffix(".0")
    if kind == "text":
        return '"' + node[1] + '"'
    if kind == "bool":
        return ("TRUE" if node[1] else "FALSE") + ("()" if calc else "")
    if kind == "err":
        return {"#N/A": "NA()" if calc else "#N/A", "#DIV/0!": "(1/0)"}[node[1]]
    if kind == "cell":
        return chr(ord("A") + node[1]) + "2" if calc else CELLS[node[1]][0]
    if kind == "ref":
        _, column, row, fixed_column, fixed_row = node
        return ("$" if fixed_column else "") + chr(ord("A") + column) + ("$" if fixed_row else "") + str(row)
    if kind in ("neg", "pos", "pct"):
        inner = write(node[1], calc)
        if node[1][0] == "bin":
            inner = "(" + inner + ")"
        return {"neg": "-" + inner, "pos": "+" + inner, "pct": inner + "%"}[kind]
    if kind == "bin":
        op, left, right = node[1:]
        p = PRECEDENCE[op]
        side = lambda n, is_right: ("(" + write(n, calc) + ")" if n[0] == "bin" and (
            PRECEDENCE[n[1]] < p or (is_right and PRECEDENCE[n[1]] == p)) else write(n, calc))
        return side(left, False) + op + side(right, True)
    name, args = node[1:]
    return name + "(" + (";" if calc else ",").join(write(a, calc) for a in args) + ")"


def probes(node):
    """The parts whose values tell a known difference, as (rule, part) pairs:
    the operands of '^', the argument of a date part, IF's condition, ISNUMBER's
    argument and the add-in's arguments."""
    found = []
    kind = node[0]
    if kind == "bin":
        found.append(("operator", ("pair", node[2], node[3])))
        if node[1] in COMPARISONS:
            found.append(("compare", ("pair", node[2], node[3])))
        if node[1] == "^":
            found.append(("power", ("pair", node[2], node[3])))
    if kind == "call":
        name, args = node[1:]
        if name in ("YEAR", "MONTH", "DAY"):
            found.append(("date", args[0]))
        elif name == "IF":
            found.append(("condition", args[0]))
            # The branch left out, told by a 1 (when true) or a 0.
            found += [("branch", ("pair", args[0], ("num", 2 - i))) for i in (1, 2)
                      if i < len(args) and args[i] == ("omitted",)]
        elif name == "ISNUMBER":
            found.append(("truth", args[0]))
        elif name in ADDIN:
            found += [("argument", a) for a in args]
        elif name in ("AND", "OR"):
            found += [("logical", a) for a in args]
        elif name in ("MIN", "MAX"):
            found += [("extreme text", a) for a in args if a[0] not in ("cell", "ref", "omitted")]
            found += [("extreme truth", a) for a in args if a[0] in ("cell", "ref")]
        elif name == "DATE":
            found += [("year", args[0])] + [("date text", a) for a in args]
        elif name in ("LEFT", "RIGHT") and len(args) > 1:
            found.append(("count", args[1]))
    for child in node[1:]:
        if isinstance(child, tuple) and child != ("omitted",):
            found += probes(child)
        elif isinstance(child, list):
            for c in child:
                found += probes(c) if c != ("omitted",) else []
    return found


def probe_formulas(part):
    """The torven formulas whose values a probe needs: the part, whether it
    is an empty cell, what arithmetic makes of it and whether it is a number
    (four per part; the two of a power: base, then exponent)."""
    parts = part[1:] if part[0] == "pair" else (part,)
    out = []
    for p in parts:
        text = write(p, False)
        out += [text, "ISBLANK(" + text + ")", "--(" + text + ")", "ISNUMBER(" + text + ")"]
    return out


def is_number(shown):
    try:
        float(shown)
        return True
    except ValueError:
        return False


def odd_power(base, exponent):
    if base == 0:
        return exponent <= 0
    if base < 0 and exponent != int(exponent):
        return True
    try:
        return math.pow(abs(base), exponent) == 0
    except OverflowError:
        return False


# Where Calc and the spreadsheet that loads the .xll differ; each rule takes
# the probe's values as torven shows them (probe_formulas).
KNOWN_DIFFERENCES = {
    "power": ("0^0 and 0 to a negative power (Calc: 1 and #NUM!; the other: #NUM! and #DIV/0!), roots of "
              "negative numbers (Calc takes odd roots: (-8)^(1/3) is -2), and a power too small for a double "
              "(Calc: #NUM!, the other 0)", lambda v: is_number(v[2]) and is_number(v[6]) and odd_power(
                  float(v[2]), float(v[6]))),
    "date": ("the 1900 date system: Calc's serials before 1 March 1900 are a day apart, and it takes "
             "negative serials and years after 9999",
             lambda v: is_number(v[2]) and not 61 <= float(v[2]) < 2958466),
    "truth": ("truth values are numbers in Calc: it shows 1 and 0, ISNUMBER(TRUE) is TRUE, and the add-in "
              "gets 1 or 0", lambda v: v[0] in ("TRUE", "FALSE")),
    "argument": ("the add-in's arguments: Calc passes an empty cell as 0 and a truth value as 1 or 0, and "
                 "answers an error or a text among them without calling the add-in; the other passes each as it "
                 "is, and the add-in's screening answers for the first argument it refuses",
                 lambda v: v[1] == "TRUE" or v[0] in ("TRUE", "FALSE") or (v[3] == "FALSE" and v[1] == "FALSE")),
    "branch": ("a branch of IF left out (IF(c;;x)) and taken: Calc gives an empty cell (ISBLANK is TRUE), the "
               "other 0", lambda v: is_number(v[2]) and (float(v[2]) != 0) == (v[4] == "1")),
    "operator": ("two errors as the operands of one operator: Calc may answer the right one's, the other the "
                 "left one's", lambda v: v[0].startswith("#") and v[4].startswith("#")),
    "logical": ("AND and OR with an error among their arguments: Calc answers the last error, the other the "
                "first error or text", lambda v: v[0].startswith("#")),
    "year": ("DATE's years before 1900: Calc reads 0 to 99 as two-digit years and takes earlier dates, the other "
             "adds 1900 to years 0 to 1899", lambda v: is_number(v[2]) and float(v[2]) < 1900),
    "date text": ("a text that reads as no number as DATE's argument: Calc's Err:502, the other #VALUE!",
                  lambda v: v[2] == "#VALUE!" and not v[0].startswith("#")),
    "compare": ("a truth value compared: Calc compares it as the number 1 or 0, the other puts truth values "
                "after every number and text", lambda v: v[0] in ("TRUE", "FALSE") or v[4] in ("TRUE", "FALSE")),
    "extreme text": ("a text written as MIN's or MAX's argument: Calc's Err:504, the other reads it as a number "
                     "(#VALUE! when it is none)", lambda v: not v[0].startswith("#") and v[0] not in ("TRUE", "FALSE")
                     and v[1] == "FALSE" and v[3] == "FALSE"),
    "extreme truth": ("a cell holding a truth value as MIN's or MAX's argument: Calc counts it as 1 or 0, the other "
                      "skips it", lambda v: v[0] in ("TRUE", "FALSE")),
    "count": ("LEFT and RIGHT of a negative count: Calc's Err:502, the other #VALUE!",
              lambda v: is_number(v[2]) and float(v[2]) < 0),
    "condition": ("a text that reads as a number as IF's condition: Calc reads it, the other gives #VALUE!",
                  lambda v: v[3] == "FALSE" and v[1] == "FALSE" and v[0] not in ("TRUE", "FALSE") and is_number(v[2])),
}


def formulas(seed, count):
    rng = random.Random(seed)
    return [generate(rng) for _ in range(count)]
