// Writes the LibreOffice Calc extension's declarations from the function
// catalogue, so that Calc shows the very texts the other spreadsheet's
// function wizard shows:
//   XVentisola.idl       the interface: one method per worksheet function,
//                        every argument an `any` (Calc passes numbers, texts
//                        and ranges as they are, and lets any be omitted);
//   torven_catalogue.py  per function: method, worksheet entry, name (also
//                        the other spreadsheet's name for it), Spanish
//                        description, argument names and descriptions.
// Usage: torven_calc_generate OUTPUT_FOLDER
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "calc/names.h"
#include "worksheet/catalogue.h"

namespace {

using worksheet::kCatalogue;
using worksheet::kCatalogueRows;

// UTF-16 (the catalogue's texts) to UTF-8.
std::string Utf8(const XCHAR* text) {
  std::string out;
  for (const XCHAR* p = text; *p != 0; ++p) {
    char32_t c = *p;
    if (c >= 0xD800 && c < 0xDC00 && p[1] >= 0xDC00 && p[1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (*++p - 0xDC00);
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// One worksheet function as Calc sees it.
struct Function {
  std::string method;     // programmatic name: the entry's name without "_XLL"
  std::string entry;      // the library's export
  std::string name;       // what the user types
  std::string help;       // function description
  std::vector<std::string> argumentNames;  // from the comma-separated argument text
  std::vector<std::string> argumentHelp;
};

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

Function FromRow(const XCHAR* const* row) {
  Function f;
  f.entry = Utf8(row[worksheet::kProcedure]);
  f.method = f.entry.substr(0, f.entry.size() - calc::kEntrySuffix.size());
  f.name = Utf8(row[worksheet::kFunctionText]);
  f.help = Utf8(row[worksheet::kFunctionHelp]);
  // The wizard's argument names: the argument text split at commas.
  std::string names = Utf8(row[worksheet::kArgumentText]);
  for (std::size_t start = 0;;) {
    const std::size_t comma = names.find(',', start);
    f.argumentNames.push_back(Trimmed(names.substr(start, comma - start)));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  for (std::size_t i = 0; i < f.argumentNames.size(); ++i) {
    f.argumentHelp.push_back(Utf8(row[worksheet::kFirstArgumentHelp + i]));
  }
  return f;
}

std::string ArgumentName(std::size_t i) { return "arg" + std::to_string(i + 1); }

void WriteIdl(std::ostream& out, const std::vector<Function>& functions) {
  // "org.torven.calc" -> module org { module torven { module calc {
  std::string opening, closing;
  const std::string module = calc::kModule;
  for (std::size_t start = 0, dot = 0; dot != std::string::npos; start = dot + 1) {
    dot = module.find('.', start);
    opening += "module " + module.substr(start, dot - start) + " { ";
    closing += "}; ";
  }
  out << "// Generated from the function catalogue; do not edit.\n"
         "#include <com/sun/star/uno/XInterface.idl>\n\n"
      << opening << "\n\ninterface " << calc::kInterface
      << " : com::sun::star::uno::XInterface\n{\n";
  for (const Function& f : functions) {
    out << "    any " << f.method << "(";
    for (std::size_t i = 0; i < f.argumentNames.size(); ++i) {
      out << (i ? ", " : "") << "[in] any " << ArgumentName(i);
    }
    out << ");\n";
  }
  out << "};\n\n" << closing << "\n";
}

// A Python text literal (the module is UTF-8).
std::string PythonText(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void WritePython(std::ostream& out, const std::vector<Function>& functions) {
  out << "# Generated from the function catalogue; do not edit.\n"
         "SERVICE = \"" << calc::kService << "\"\n"
         "INTERFACE = \"" << calc::kModule << "." << calc::kInterface << "\"\n"
         "# method, library entry, name, description, ((argument, description), ...)\n"
         "FUNCTIONS = (\n";
  for (const Function& f : functions) {
    out << "    (" << PythonText(f.method) << ", " << PythonText(f.entry) << ", "
        << PythonText(f.name) << ",\n     " << PythonText(f.help) << ",\n     (";
    for (std::size_t i = 0; i < f.argumentNames.size(); ++i) {
      out << "(" << PythonText(f.argumentNames[i]) << ", " << PythonText(f.argumentHelp[i])
          << "),\n      ";
    }
    out << ")),\n";
  }
  out << ")\n";
}

bool Write(const std::string& path, void (*writer)(std::ostream&, const std::vector<Function>&),
           const std::vector<Function>& functions) {
  std::ofstream out(path, std::ios::binary);
  writer(out, functions);
  out.close();
  if (!out) std::cerr << "torven_calc_generate: cannot write " << path << "\n";
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: torven_calc_generate OUTPUT_FOLDER\n";
    return 2;
  }
  std::vector<Function> functions;
  for (int r = 0; r < kCatalogueRows; ++r) functions.push_back(FromRow(kCatalogue[r]));
  const std::string folder = argv[1];
  const bool ok = Write(folder + "/" + calc::kInterface + ".idl", WriteIdl, functions) &&
                  Write(folder + "/torven_catalogue.py", WritePython, functions);
  return ok ? 0 : 1;
}
