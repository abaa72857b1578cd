// The floor of each numeric function: the mathematics-library calls it
// cannot avoid, made on exactly the arguments the function passes them
// (computed beforehand, outside the timed loop), and nothing else.
#pragma once

namespace floors {

struct Calls {
  int n = 0;
  int kind[20];       // which library function
  double arg[20];     // on which argument
  // The same calls written out in a straight line (no dispatch per call).
  double (*make)(const double* args) = nullptr;
};

// The calls each function makes for one input.
Calls DayLength(double j, double latitude);
Calls Radiation(double j, double latitude);
Calls GlobalRadiation(double j, double latitude);  // Ra and N from one geometry
Calls Saturation(double t);
Calls Saturation2(double tMax, double tMin);  // PVHRF56, PVHM
Calls Wind(double z);
Calls Evapotranspiration(double j, double tMax, double tMin, double pva, double windHeight,
                         double elevation, double latitude);

// Makes the calls; returns their sum so that none is optimised away.
inline double Make(const Calls& calls) { return calls.make != nullptr ? calls.make(calls.arg) : 0; }

}  // namespace floors
