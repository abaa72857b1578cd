// The function catalogue with its Spanish texts (this file is UTF-8; the
// build reads it as such and the literals are UTF-16).
#include "worksheet/catalogue.h"

namespace worksheet {
namespace {

// Argument help texts shared by several rows.
constexpr const XCHAR* kHelpDay =
    u"número de día del año, entre 1 (1° de enero) y 365 o 366 (31 de diciembre), se lo puede calcular por medio de la función JDIA";
constexpr const XCHAR* kHelpLatitude =
    u"latitud, en grados y décimos (ej. para 37°45'S use -37.75°), negativa para el hemisferio sur";
constexpr const XCHAR* kHelpAs =
    u"constante de regresión (término independiente) que expresa la proporción de radiación incidente en la superficie terrestre de un día completamente nublado (He=0)";
constexpr const XCHAR* kHelpBs =
    u"constante de regresión (pendiente), as+bs expresa la proporción de radiación incidente en la superficie terrestre de un día completamente despejado (He=100%)";
constexpr const XCHAR* kHelpTmax = u"temperatura máxima del aire";
constexpr const XCHAR* kHelpTmin = u"temperatura mínima del aire";
constexpr const XCHAR* kHelpRadiation =
    u"Calcula la radiación global (MJ/m²/d) a partir de la heliofanía, por el método FAO 56 (ecuación de Angstrom)";

}  // namespace

// Columns: procedure, type text, worksheet name, argument text, macro type,
// category, shortcut, help topic, function help, argument help 1..11.
const XCHAR* const kCatalogue[kCatalogueRows][kCatalogueColumns] = {
    {u"VENTISOLA_XLL", u"UU", u"VENTISOLA", u"valor", u"1", u"VENTISOLA", u"", u"torven.hlp!100",
     u"Devuelve autor y versión de VENTISOLA",
     u"opcional, cualquier valor", u" ", u" ", u" ", u" ", u" ", u" ", u" ", u" ", u" ", u" "},
    {u"RADF56A_XLL", u"UQQQQQ", u"RADF56A", u"Jdia,He (h), as, bs, Latitud (°)", u"1", u"VENTISOLA", u"", u"torven.hlp!200",
     kHelpRadiation,
     kHelpDay, u"heliofanía expresada en horas", kHelpAs, kHelpBs, kHelpLatitude,
     u"", u"", u"", u"", u"", u""},
    {u"RADF56P_XLL", u"UQQQQQ", u"RADF56P", u"Jdia,He (%), as, bs, Latitud (°)", u"1", u"VENTISOLA", u"", u"torven.hlp!200",
     kHelpRadiation,
     kHelpDay, u"heliofanía expresada como porcentaje de la teórica", kHelpAs, kHelpBs, kHelpLatitude,
     u"", u"", u"", u"", u"", u""},
    {u"DDIAF56_XLL", u"UQQ", u"DDIAF56", u"Jdia,Latitud (°)", u"1", u"VENTISOLA", u"", u"torven.hlp!220",
     u"Calcula la duración del día (heliofanía astronómica) por el método FAO 56",
     kHelpDay, kHelpLatitude,
     u"", u"", u"", u"", u"", u"", u"", u"", u""},
    {u"RADAF56_XLL", u"UQQ", u"RADAF56", u"Jdia,Latitud (°)", u"1", u"VENTISOLA", u"", u"torven.hlp!230",
     u"Calcula la radiación astronómica (solar extraterrestre) por el método FAO 56",
     kHelpDay, kHelpLatitude,
     u"", u"", u"", u"", u"", u"", u"", u"", u""},
    {u"PVSF56_XLL", u"UQ", u"PVSF56", u"T (°C)", u"1", u"VENTISOLA", u"", u"torven.hlp!120",
     u"Calcula la presión de vapor saturado (kPa) por el método FAO 56",
     u"temperatura del aire",
     u"", u"", u"", u"", u"", u"", u"", u"", u"", u""},
    {u"PVTRF56_XLL", u"UQ", u"PVTRF56", u"Troc (°C)", u"1", u"VENTISOLA", u"", u"torven.hlp!240",
     u"Calcula la presión de vapor actual (kPa) a partir de la temperatura del punto de rocío, por el método FAO 56",
     u"temperatura del punto de rocío, si no dispone del punto de rocío ni de humedades relativas puede obtener un valor aproximado de presión de vapor a partir de la temperatura mínima",
     u"", u"", u"", u"", u"", u"", u"", u"", u"", u""},
    {u"PVHRF56_XLL", u"UQQQQ", u"PVHRF56", u"Tmax (°C),Tmin (°C),HRmax (%),HRmin (%)", u"1", u"VENTISOLA", u"", u"torven.hlp!260",
     u"Calcula la presión de vapor saturado actual (kPa) a partir de las temperaturas y humedades relativas, por el método FAO 56",
     kHelpTmax, kHelpTmin, u"humedad relativa máxima del aire", u"humedad relativa mínima del aire",
     u"", u"", u"", u"", u"", u"", u""},
    {u"PVHM_XLL", u"UQQQ", u"PVHM", u"Tmax (°C),Tmin (°C),HRmed (%)", u"1", u"VENTISOLA", u"", u"torven.hlp!270",
     u"Calcula la presión de vapor saturado actual (kPa) a partir de la humedade media, segúb Tarvo et al. (1992)",
     kHelpTmax, kHelpTmin, u"humedad relativa media del aire",
     u"", u"", u"", u"", u"", u"", u"", u""},
    {u"ETPF56_XLL", u"UQQQQQQQQQQ", u"ETPF56",
     u"Jdia,Rad (MJ/m²/d),Tmax (°C),Tmin (°C),DTP (°C),PVA (kPa),Viento (m/s),Altura (m),Altitud (m),Latitud (°)",
     u"1", u"VENTISOLA", u"", u"torven.hlp!160",
     u"Calcula la evapotraspiración de referencia (mm/d) por el método Penman-Monteith FAO 56",
     u"número de día del año, entre 1 (1° de enero) y 365 o 366 (31 de diciembre), se lo puede calcular mediante la función JDIA",
     u"radiación solar global, si no está disponible se la puede calcular por medio de la función RADF56. ",
     kHelpTmax, kHelpTmin,
     u"variación de la temperatura media (T) entre el período siguiente (3) y el anterior (1). Para períodos diarios DTP=0, para períodos mayores DTP=(T3-T1)",
     u"presión de vapor saturado actual, si no está disponible se la puede calcular mediante la función PVTRF56 ó PVHRF56",
     u"velocidad del viento (1 km/h = 1/3.6 m/s; 1 km/d = 1/86.4 m/s)",
     u"altura de medición de velocidad del viento",
     u"elevación del lugar sobre el nivel del mar",
     kHelpLatitude,
     u""},
    {u"JDIA_XLL", u"UQQQ", u"JDIA.VENTISOLA", u"Año,Mes,Dia", u"1", u"VENTISOLA", u"", u"torven.hlp!280",
     u"Calcula el número de día del año entre 1 (1° de enero) y 365 o 366 (31 de diciembre)",
     u"número entre 0 y 9999 (si es menor a 1900 se le suma 1900) correspondiente al año",
     u"número entre 1 y 12 correspondiente al mes del año",
     u"número entre 1 y 31 correspondiente al día del mes",
     u"", u"", u"", u"", u"", u"", u"", u""},
};

}  // namespace worksheet
