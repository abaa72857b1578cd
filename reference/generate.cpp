// Writes the function reference, one self-contained Spanish HTML page, from
// the add-in's own tables so that it cannot drift from them: names, argument
// names and help texts from the catalogue, the accepted range of every
// argument and the conditions of each error from the screening rules, and
// the hand-written part (units, equations, notes, examples) from notes.h.
// Each example's result is computed through the add-in library.
// Usage: torven_reference ADDIN_LIBRARY OUTPUT.html
#include <charconv>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "reference/notes.h"
#include "tools/torven/session.h"
#include "tools/hostsim/registration.h"
#include "worksheet/catalogue.h"
#include "worksheet/rules.h"

namespace {

using torven::Function;
using worksheet::Bound;
using worksheet::kMaxDouble;
using worksheet::RangeRule;

std::string Html(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// A number as the Spanish-language spreadsheet writes it (100000, 1E+76, 0,5).
std::string Number(double x) {
  char buffer[64];
  const bool whole = x == static_cast<double>(static_cast<long long>(x)) && x > -1e15 && x < 1e15;
  const auto [end, ec] = whole ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(x))
                               : std::to_chars(buffer, buffer + sizeof buffer, x);
  std::string s(buffer, ec == std::errc() ? end : buffer);
  for (char& c : s) c = c == '.' ? ',' : c == 'e' ? 'E' : c;
  return s;
}

// The name an argument goes by in conditions: its catalogue name without
// the unit in parentheses ("T (°C)" -> "T").
std::string Symbol(const std::string& name) { return name.substr(0, name.find(" (")); }

// A range rule in words, for argument `x`.  A bound at the largest double
// excludes that double (or nothing, when inclusive), not a range: it is
// named apart.
struct RangeText {
  std::string bounds;  // "0 < Jdia ≤ 366"; empty when every number but the excluded passes
  bool lowExcluded = false, highExcluded = false;  // -M, M
  // The excluded doubles joined by `conjunction`; empty when none.
  std::string Excluded(const char* conjunction) const {
    const std::string low = lowExcluded ? Number(-kMaxDouble) : "", high = highExcluded ? Number(kMaxDouble) : "";
    return low + (lowExcluded && highExcluded ? conjunction : "") + high;
  }
};

RangeText Describe(const RangeRule& rule, const std::string& x) {
  const bool lowOpen = rule.low == -kMaxDouble, highOpen = rule.high == kMaxDouble;
  RangeText t;
  if (!lowOpen || !highOpen) {
    if (!lowOpen) t.bounds += Number(rule.low) + (rule.lowKind == Bound::Inclusive ? " ≤ " : " < ");
    t.bounds += x;
    if (!highOpen) t.bounds += (rule.highKind == Bound::Inclusive ? " ≤ " : " < ") + Number(rule.high);
  }
  t.lowExcluded = lowOpen && rule.lowKind == Bound::Exclusive && highOpen;
  t.highExcluded = highOpen && rule.highKind == Bound::Exclusive;
  return t;
}

// The values a range rule accepts.
std::string Accepted(const RangeRule& rule, const std::string& x) {
  const RangeText t = Describe(rule, x);
  std::string text = t.bounds.empty() ? "cualquier número" : t.bounds;
  const std::string excluded = t.Excluded(" y ");
  if (!excluded.empty()) text += " (salvo " + excluded + ", el mayor número representable)";
  return text;
}

// The condition under which a range rule refuses; empty when it never does.
std::string Refused(const RangeRule& rule, const std::string& x) {
  const RangeText t = Describe(rule, x);
  std::string text = t.bounds.empty() ? "" : "no se cumple " + t.bounds;
  const std::string excluded = t.Excluded(" o ");
  if (!excluded.empty()) text += (text.empty() ? "" : ", o ") + x + " es " + excluded;
  return text;
}

const worksheet::EntryRules* RulesOf(const std::string& procedure) {
  for (const auto& named : worksheet::kRulesByProcedure)
    if (procedure == named.procedure) return named.rules;
  return nullptr;
}

const reference::FunctionNote* NoteOf(const std::string& name) {
  for (const auto& note : reference::kNotes)
    if (name == note.name) return &note;
  return nullptr;
}

// The errors of an entry and when they occur, from its screening rules.
void WriteErrors(std::ostream& out, const Function& f, const worksheet::EntryRules* rules) {
  out << "<h4>Errores</h4>\n";
  if (rules == nullptr) {
    out << "<p>Ninguno: cualquier argumento, o ninguno, da el texto de versión.</p>\n";
    return;
  }
  out << "<p>Los argumentos se revisan en orden y el primero que no cumple decide:</p>\n<ul>\n"
         "<li>un error recibido como argumento se devuelve tal cual (#N/D da #N/D);</li>\n"
         "<li><code>#¡VALOR!</code> si el argumento no es un número: un texto, un valor lógico, una celda "
         "vacía, una matriz o un argumento omitido;</li>\n";
  for (int i = 0; i < rules->arity; ++i) {
    const std::string x = Symbol(f.argumentNames[static_cast<std::size_t>(i)]);
    const std::string refused = Refused(rules->args[i], x);
    if (!refused.empty()) out << "<li><code>#¡NUM!</code> si " << Html(refused) << ";</li>\n";
    for (int c = 0; c < rules->crossCount; ++c) {
      const worksheet::CrossCheck& check = rules->cross[c];
      if (check.after != i) continue;
      out << "<li><code>#¡NUM!</code> si " << Html(Symbol(f.argumentNames[check.lesser])) << " &gt; "
          << Html(Symbol(f.argumentNames[check.greater])) << " (se revisa después de " << Html(x)
          << ");</li>\n";
    }
  }
  out << "<li><code>#¡VALOR!</code> si el resultado no es un número finito (" << Html(Number(kMaxDouble))
      << " o más en valor absoluto);</li>\n"
         "<li><code>#¡NUM!</code> si el resultado no es un número (por ejemplo, fuera del dominio de las "
         "fórmulas).</li>\n</ul>\n";
}

// Evaluates an example formula as torven does with a decimal comma (as the
// Spanish-language spreadsheet reads it) and shows its result.
std::string ExampleResult(torven::Session& session, const std::string& formula) {
  torven::Expr call;
  torven::ParseError parseError;
  torven::Writing writing;
  std::string error;
  if (!torven::ParseCall(formula, call, parseError, torven::DecimalMark::kComma, &writing) ||
      !session.Bind(call, nullptr, error)) {
    std::cerr << "torven_reference: the example '" << formula << "' does not evaluate: "
              << parseError.message << error << "\n";
    std::exit(1);
  }
  const torven::Language dialect = torven::DialectOf(call, writing);
  return torven::Show(session.Evaluate(call, nullptr, dialect), -1, writing.decimalComma, dialect);
}

void WriteFunction(std::ostream& out, torven::Session& session, const Function& f) {
  const reference::FunctionNote* note = NoteOf(f.name);
  const worksheet::EntryRules* rules = RulesOf(f.procedure);
  std::string syntax = "=" + f.name + "(";
  for (std::size_t i = 0; i < f.argumentNames.size(); ++i) syntax += (i ? "; " : "") + f.argumentNames[i];
  syntax += ")";
  out << "<article id=\"" << Html(f.name) << "\">\n<h3>" << Html(f.name) << "</h3>\n"
      << "<p class=\"sintaxis\"><code>" << Html(syntax) << "</code></p>\n"
      << "<p>" << Html(f.help) << ".";
  if (*note->resultUnit) out << " Resultado en " << Html(note->resultUnit) << ".";
  out << "</p>\n<h4>Argumentos</h4>\n<table>\n<tr><th>Argumento</th><th>Unidad</th>"
         "<th>Valores aceptados</th><th>Descripción</th></tr>\n";
  for (std::size_t i = 0; i < f.argumentNames.size(); ++i) {
    const std::string accepted =
        rules != nullptr ? Accepted(rules->args[i], Symbol(f.argumentNames[i])) : "cualquiera, u omitido";
    out << "<tr><td>" << Html(f.argumentNames[i]) << "</td><td>" << Html(note->units[i]) << "</td><td>"
        << Html(accepted) << "</td><td>" << Html(f.argumentHelp[i]) << "</td></tr>\n";
  }
  out << "</table>\n<h4>Cálculo</h4>\n<p>" << Html(note->equations) << "</p>\n";
  if (*note->notes) out << "<p>" << Html(note->notes) << "</p>\n";
  WriteErrors(out, f, rules);
  out << "<h4>Ejemplo</h4>\n<p>" << Html(note->exampleText) << "</p>\n"
      << "<pre class=\"ejemplo\"><code class=\"formula\">" << Html(note->example)
      << "</code>\n→ <code class=\"resultado\">" << Html(ExampleResult(session, note->example))
      << "</code></pre>\n</article>\n";
}

void WriteMissingData(std::ostream& out, torven::Session& session) {
  out << "<section id=\"datos-faltantes\">\n<h2>Datos faltantes (FAO 56, capítulo 3)</h2>\n<p>"
      << Html(reference::kMissingDataIntro) << "</p>\n";
  for (const reference::MissingDataNote& n : reference::kMissingData) {
    out << "<article>\n<h3>" << Html(n.title) << "</h3>\n<p class=\"sintaxis\"><code>" << Html(n.formula)
        << "</code></p>\n<p>" << Html(n.equation) << "</p>\n<h4>Cómo elegir</h4>\n<p>" << Html(n.choosing)
        << "</p>\n<h4>Exactitud</h4>\n<p>" << Html(n.accuracy) << "</p>\n<h4>Ejemplo</h4>\n<p>"
        << Html(n.exampleText) << "</p>\n<pre class=\"ejemplo\"><code class=\"formula\">" << Html(n.example)
        << "</code>\n→ <code class=\"resultado\">" << Html(ExampleResult(session, n.example))
        << "</code></pre>\n</article>\n";
  }
  out << "<h3>Solo los días sin dato</h3>\n<p>" << Html(reference::kMissingDaysText) << "</p>\n<pre><code>"
      << Html(reference::kMissingDaysFormula) << "</code></pre>\n<p>" << Html(reference::kMissingDaysAfter)
      << "</p>\n</section>\n";
}

// Worked formulas, each with what it computes and its result through the library.
template <std::size_t n>
void WriteExamples(std::ostream& out, torven::Session& session, const reference::WorkedFormula (&examples)[n]) {
  for (const reference::WorkedFormula& e : examples)
    out << "<p>" << Html(e.text) << "</p>\n<pre class=\"ejemplo\"><code class=\"formula\">" << Html(e.formula)
        << "</code>\n→ <code class=\"resultado\">" << Html(ExampleResult(session, e.formula))
        << "</code></pre>\n";
}

void WriteMonthly(std::ostream& out, torven::Session& session) {
  out << "<section id=\"mensual\">\n<h2>Períodos mensuales (FAO 56, ec. 43 y 44)</h2>\n<p>"
      << Html(reference::kMonthlyIntro) << "</p>\n";
  WriteExamples(out, session, reference::kWorkedFormulas);
  out << "</section>\n";
}

void WriteCropWater(std::ostream& out, torven::Session& session) {
  out << "<section id=\"riego\">\n<h2>Necesidades de agua del cultivo (FAO 56, capítulos 6 a 8)</h2>\n<ul>\n";
  for (const char* equation : reference::kCropWaterEquations) out << "<li>" << Html(equation) << "</li>\n";
  out << "</ul>\n<h3>Lo que se elige</h3>\n<p>" << Html(reference::kCropWaterInputs) << "</p>\n<h3>El orden dentro del "
      << "día</h3>\n<p>" << Html(reference::kCropWaterOrder) << "</p>\n<h3>Ejemplos</h3>\n";
  WriteExamples(out, session, reference::kCropWaterExamples);
  out << "</section>\n";
}

// A section of formulas filled down: its intro, each equation with its
// number, and its worked examples.
template <std::size_t e, std::size_t n>
void WriteFilledDown(std::ostream& out, torven::Session& session, const char* id, const char* title,
                     const char* intro, const char* const (&equations)[e],
                     const reference::WorkedFormula (&examples)[n]) {
  out << "<section id=\"" << id << "\">\n<h2>" << title << "</h2>\n<p>" << Html(intro) << "</p>\n<ul>\n";
  for (const char* equation : equations) out << "<li>" << Html(equation) << "</li>\n";
  out << "</ul>\n<h3>Ejemplos</h3>\n";
  WriteExamples(out, session, examples);
  out << "</section>\n";
}

constexpr const char* kStyle =
    "body{font-family:sans-serif;max-width:60em;margin:2em auto;padding:0 1em;line-height:1.45;color:#222}"
    "h1{font-size:1.6em}h2{border-bottom:2px solid #2a6f4a;padding-bottom:.2em;margin-top:2em}"
    "h3{color:#2a6f4a}code{background:#f2f2f2;padding:0 .2em}"
    "pre{background:#f2f2f2;padding:.6em;white-space:pre-wrap}"
    "table{border-collapse:collapse;width:100%}td,th{border:1px solid #ccc;padding:.3em;vertical-align:top;"
    "text-align:left}th{background:#e8f1ec}.sintaxis code{font-size:1.1em}";

void WritePage(std::ostream& out, torven::Session& session, const std::vector<Function>& functions) {
  // One section per help topic, in the order of the topic numbers.
  std::map<int, std::vector<const Function*>> topics;
  for (const Function& f : functions)
    topics[std::stoi(f.helpTopic.substr(f.helpTopic.find('!') + 1))].push_back(&f);
  out << "<!DOCTYPE html>\n<html lang=\"es\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<title>TORVEN: referencia de funciones</title>\n<style>" << kStyle << "</style>\n</head>\n<body>\n"
         "<h1>TORVEN: referencia de funciones</h1>\n"
         "<p>Las funciones de FAO 56 (Allen, Pereira, Raes y Smith, 1998) que el complemento agrega a la "
         "planilla, en la categoría VENTISOLA del asistente de funciones. Las fórmulas se escriben como en "
         "una planilla en español: <code>;</code> entre argumentos y coma decimal. Cada sección lleva el "
         "número del tema de ayuda del asistente.</p>\n"
         "<p>Un argumento fuera de su rango da <code>#¡NUM!</code>, uno que no es un número "
         "<code>#¡VALOR!</code>, y un error recibido se devuelve tal cual. Los resultados de los ejemplos "
         "los calcula el complemento mismo, con todas sus cifras.</p>\n<nav>\n<h2>Contenido</h2>\n<ul>\n";
  for (const auto& [topic, members] : topics) {
    out << "<li><a href=\"#" << topic << "\">" << topic << "</a>: ";
    for (std::size_t i = 0; i < members.size(); ++i) out << (i ? ", " : "") << Html(members[i]->name);
    out << "</li>\n";
  }
  out << "<li><a href=\"#datos-faltantes\">Datos faltantes (FAO 56, capítulo 3)</a></li>\n</ul>\n</nav>\n";
  for (const auto& [topic, members] : topics) {
    out << "<section id=\"" << topic << "\">\n<h2>Tema " << topic << ": ";
    for (std::size_t i = 0; i < members.size(); ++i) out << (i ? " y " : "") << Html(members[i]->name);
    out << "</h2>\n";
    for (const Function* f : members) WriteFunction(out, session, *f);
    out << "</section>\n";
  }
  WriteMissingData(out, session);
  WriteMonthly(out, session);
  WriteCropWater(out, session);
  WriteFilledDown(out, session, "riego-dual", "Coeficiente dual del cultivo (FAO 56, capítulo 7)",
                  "La transpiración y la evaporación del suelo por separado, con las mismas columnas extendidas hacia "
                  "abajo que el coeficiente único, más las de la capa superficial. Dentro de un día, como en el "
                  "ejemplo 35: la lluvia y el riego al comienzo, y después Kr y Ke.",
                  reference::kDualEquations, reference::kDualExamples);
  WriteFilledDown(out, session, "horaria", "ET0 horaria (FAO 56, ec. 53, y la forma estandarizada de ASCE-EWRI)",
                  "Una fila por hora (o por período más corto), y cada paso una columna extendida hacia abajo: la "
                  "calculadora web las escribe así, y torven --csv las calcula igual.",
                  reference::kHourlyEquations, reference::kHourlyExamples);
  out << "</body>\n</html>\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: torven_reference ADDIN_LIBRARY OUTPUT.html\n";
    return 2;
  }
  torven::Session session;
  std::string error;
  if (!session.Load(argv[1], error)) {
    std::cerr << "torven_reference: " << error << "\n";
    return 1;
  }
  std::vector<Function> functions;
  for (int r = 0; r < worksheet::kCatalogueRows; ++r) {
    functions.push_back(torven::FromCatalogueRow(worksheet::kCatalogue[r]));
    if (NoteOf(functions.back().name) == nullptr) {
      std::cerr << "torven_reference: no notes for " << functions.back().name << "\n";
      return 1;
    }
  }
  std::ostringstream page;
  WritePage(page, session, functions);
  std::ofstream out(argv[2], std::ios::binary);
  out << page.str();
  out.close();
  if (!out) {
    std::cerr << "torven_reference: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
