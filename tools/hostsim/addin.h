// An add-in library loaded the way the host loads it: by path, with its
// procedures found by their exact export names.
#pragma once

#include <string>

#include "host/records.h"
#include "platform/export.h"

namespace hostsim {

class AddIn {
 public:
  AddIn() = default;
  AddIn(const AddIn&) = delete;
  AddIn& operator=(const AddIn&) = delete;
  ~AddIn();

  // Loads the library; false with a message in `error` when it cannot.
  bool Open(const std::string& path, std::string& error);
  // Hands over the host's entry point (when exported) and calls xlAutoOpen.
  void Start();
  // Calls xlAutoClose (when exported) and unloads the library.
  void Stop();

  bool IsOpen() const { return library_ != nullptr; }
  void* Symbol(const char* name) const;

  // Calls a callback without arguments (xlAutoOpen ...); -1 when absent.
  int CallVoid(const char* name) const;
  // Calls a procedure that takes `count` record pointers and returns one.
  // Null when the procedure is absent or the count is not supported.
  XLOPER12* CallProcedure(const char* name, int count, XLOPER12** args) const;

 private:
  void* library_ = nullptr;
  bool started_ = false;
};

// Pointer types of the numeric functions by their count of double arguments.
using F1 = double(TORVEN_CALL*)(double);
using F2 = double(TORVEN_CALL*)(double, double);
using F3 = double(TORVEN_CALL*)(double, double, double);
using F4 = double(TORVEN_CALL*)(double, double, double, double);
using F5 = double(TORVEN_CALL*)(double, double, double, double, double);
using F10 = double(TORVEN_CALL*)(double, double, double, double, double, double, double, double,
                                 double, double);

// The export name of a numeric function on this platform: `signature` has one
// letter per argument, 'd' for double and 'i' for int.
std::string NumericExportName(const std::string& name, const std::string& signature);

}  // namespace hostsim
