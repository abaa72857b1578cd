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
#include "sheet/names.h"
#include "tools/hostsim/registration.h"
#include "worksheet/catalogue.h"

namespace {

using torven::Function;
using worksheet::kCatalogue;
using worksheet::kCatalogueRows;

// Calc's name of the method: the entry's name without its suffix.
std::string Method(const Function& f) {
  return f.procedure.substr(0, f.procedure.size() - calc::kEntrySuffix.size());
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
    out << "    any " << Method(f) << "(";
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
  out << "# Generated from the function catalogue and the host's records; do not edit.\n"
         "# The type tags and error codes of the host's value record.\n"
         "NUM, STR, BOOL, ERR, MULTI, MISSING = "
      << xl::kNum << ", " << xl::kStr << ", " << xl::kBool << ", " << xl::kErr << ", " << xl::kMulti << ", "
      << xl::kMissing << "\nERRORS = {";
  for (const std::int32_t code : {xl::kErrNull, xl::kErrDiv0, xl::kErrValue, xl::kErrRef, xl::kErrName, xl::kErrNum,
                                  xl::kErrNA})
    out << (code == xl::kErrNull ? "" : ", ") << PythonText(torven::ErrorLiteral(code)) << ": " << code;
  out << "}\n"
         "SERVICE = \"" << calc::kService << "\"\n"
         "INTERFACE = \"" << calc::kModule << "." << calc::kInterface << "\"\n"
         "# method, library entry, name, description, ((argument, description), ...)\n"
         "FUNCTIONS = (\n";
  for (const Function& f : functions) {
    out << "    (" << PythonText(Method(f)) << ", " << PythonText(f.procedure) << ", "
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
  for (int r = 0; r < kCatalogueRows; ++r) functions.push_back(torven::FromCatalogueRow(kCatalogue[r]));
  const std::string folder = argv[1];
  const bool ok = Write(folder + "/" + calc::kInterface + ".idl", WriteIdl, functions) &&
                  Write(folder + "/torven_catalogue.py", WritePython, functions);
  return ok ? 0 : 1;
}
