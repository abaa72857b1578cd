// The hand-written part of the function reference: per worksheet function,
// the unit of its result and of each argument, the FAO-56 equations it uses,
// notes, and a worked example (a formula as typed in a Spanish-language
// spreadsheet; the generator computes its result through the library).  The
// rest of the reference comes from the catalogue and the screening rules.
#pragma once

namespace reference {

struct FunctionNote {
  const char* name;        // worksheet name, as registered
  const char* resultUnit;  // "" for a text or a number without unit
  const char* equations;   // how it computes, with FAO-56 equation numbers
  const char* units[10];   // of each argument, in order ("" when none)
  const char* notes;       // "" when none
  const char* example;     // a formula, Spanish dialect
  const char* exampleText; // what the example computes
};

inline constexpr FunctionNote kNotes[] = {
    {"VENTISOLA", "",
     "Devuelve el texto de versión del complemento: rótulo, autor, contacto y fecha de la versión.",
     {"cualquiera"},
     "El argumento se ignora y puede omitirse.",
     "=VENTISOLA()", "El texto de versión."},
    {"RADF56A", "MJ/m²/d",
     "Rs = (as + bs·n/N)·Ra (FAO 56, ec. 35), con la radiación astronómica Ra (ec. 21: inversa de la "
     "distancia relativa Tierra-Sol, dr, ec. 23; declinación solar, ec. 24; ángulo horario de la puesta del sol, "
     "ec. 25) y la duración astronómica del día N (ec. 34).",
     {"día", "h", "", "", "°"},
     "Sin calibración local, FAO 56 recomienda as = 0,25 y bs = 0,50. El día del año se trunca a un "
     "número entero.",
     "=RADF56A(135; 7,1; 0,25; 0,5; -22,9)",
     "FAO 56, ejemplo 10: Río de Janeiro, 14 de mayo, 7,1 h de sol (publicado: 14,5 MJ/m²/d)."},
    {"RADF56P", "MJ/m²/d",
     "Como RADF56A, con la heliofanía relativa n/N = He/100: Rs = (as + bs·He/100)·Ra (FAO 56, "
     "ec. 35 y 21).",
     {"día", "%", "", "", "°"},
     "La heliofanía se da como porcentaje de la duración astronómica del día (DDIAF56).",
     "=RADF56P(135; 65; 0,25; 0,5; -22,9)", "Río de Janeiro, 14 de mayo, con el 65 % de la heliofanía posible."},
    {"DDIAF56", "h",
     "N = 24/π · ωs (FAO 56, ec. 34), con la declinación solar (ec. 24) y el ángulo horario de la "
     "puesta del sol (ec. 25).",
     {"día", "°"},
     "En la noche o el día polar (latitudes altas en invierno o verano) el ángulo de la puesta del sol "
     "no existe: el resultado no es un número y la planilla muestra #¡NUM!.",
     "=DDIAF56(246; -20)", "FAO 56, ejemplo 9: 3 de septiembre a 20° S (publicado: 11,7 h)."},
    {"RADAF56", "MJ/m²/d",
     "Ra = 24·60/π · Gsc · dr · (ωs·sen φ·sen δ + cos φ·cos δ·sen ωs) (FAO 56, ec. 21), con "
     "Gsc = 0,0820 MJ/m²/min, dr (ec. 23), δ (ec. 24) y ωs (ec. 25).",
     {"día", "°"},
     "",
     "=RADAF56(246; -20)", "FAO 56, ejemplo 8: 3 de septiembre a 20° S (publicado: 32,2 MJ/m²/d)."},
    {"PVSF56", "kPa",
     "e°(T) = 0,6108 · exp(17,27·T / (T + 237,3)) (FAO 56, ec. 11).",
     {"°C"},
     "",
     "=PVSF56(24,5)", "FAO 56, ejemplo 3: a 24,5 °C (publicado: 3,075 kPa)."},
    {"PVTRF56", "kPa",
     "ea = e°(Troc) (FAO 56, ec. 14).",
     {"°C"},
     "Sin punto de rocío ni humedades relativas, la temperatura mínima da un valor aproximado "
     "(FAO 56, ec. 48).",
     "=PVTRF56(17,5)", "Presión de vapor con punto de rocío de 17,5 °C."},
    {"PVHRF56", "kPa",
     "ea = (e°(Tmín)·HRmáx/100 + e°(Tmáx)·HRmín/100) / 2 (FAO 56, ec. 17): la humedad máxima va "
     "con la temperatura mínima, la mínima con la máxima.",
     {"°C", "°C", "%", "%"},
     "El asistente la llama «presión de vapor saturado actual»: es la presión de vapor real ea, la del aire, "
     "no la de saturación e°.",
     "=PVHRF56(25; 18; 82; 54)", "FAO 56, ejemplo 5 (publicado: 1,70 kPa)."},
    {"PVHM", "kPa",
     "ea = HRmed / (50/e°(Tmín) + 50/e°(Tmáx)): la humedad relativa media por la media armónica de "
     "e°(Tmín) y e°(Tmáx) (Tarvo et al., 1992; la ec. 19 de FAO 56 usa la media aritmética).",
     {"°C", "°C", "%"},
     "Como en PVHRF56, la «presión de vapor saturado actual» del asistente es la presión de vapor real ea.",
     "=PVHM(25; 18; 68)", "Tmáx 25 °C, Tmín 18 °C, humedad relativa media 68 %."},
    {"ETPF56", "mm/d",
     "Penman-Monteith FAO 56 (ec. 6) para el cultivo de referencia: presión atmosférica (ec. 7), "
     "constante psicrométrica (ec. 8), temperatura media (ec. 9), presión de vapor de saturación "
     "media (ec. 12) y su pendiente (ec. 13), radiación astronómica (ec. 21), radiación de cielo "
     "despejado (ec. 37), radiación neta de onda corta (ec. 38) y larga (ec. 39), radiación neta "
     "(ec. 40), flujo de calor del suelo (ec. 43) y viento a 2 m (ec. 47).",
     {"día", "MJ/m²/d", "°C", "°C", "°C", "kPa", "m/s", "m", "m", "°"},
     "El viento se lleva a 2 m de altura con el perfil logarítmico (ec. 47). DTP es la temperatura media "
     "del período siguiente menos la del anterior, y G = 0,07·DTP para meses (ec. 43); para datos diarios, "
     "DTP = 0 (el flujo de calor del suelo es despreciable). El argumento que el asistente llama «presión de "
     "vapor saturado actual» es la presión de vapor real ea (PVHRF56, PVTRF56 o PVHM): con la de saturación, "
     "PVSF56(T), el déficit de presión de vapor sería 0 y la ET0, demasiado baja. El resultado nunca es "
     "negativo: una radiación neta negativa se toma como 0. Ese piso es regla de este complemento, no de "
     "FAO 56, cuya ec. 40 admite Rn negativa.",
     "=ETPF56(JDIA.VENTISOLA(2023;7;6); RADF56A(187;9,25;0,25;0,5;50,8); 21,5; 12,3; 0; "
     "PVHRF56(21,5;12,3;84;63); 10/3,6; 10; 100; 50,8)",
     "FAO 56, ejemplo 18: Bruselas, 6 de julio, viento de 10 km/h medido a 10 m (publicado: 3,88 mm/d)."},
    {"JDIA.VENTISOLA", "día",
     "Número de día del año del calendario gregoriano: 1 el 1 de enero, 365 o 366 el 31 de diciembre.",
     {"", "", ""},
     "Año, mes y día se truncan a números enteros; un año menor que 1900 se toma sumándole 1900. Un "
     "día que el mes no tiene (31 de abril) da #¡VALOR!.",
     "=JDIA.VENTISOLA(2004; 2; 29)", "29 de febrero de 2004, año bisiesto."},
};

// FAO 56's procedures for missing data (chapter 3), each as a spreadsheet
// user writes it with the add-in's functions and the spreadsheet's own, with
// a worked example computed through the library.
struct MissingDataNote {
  const char* title;
  const char* formula;   // the Spanish form, with cells
  const char* equation;  // what it estimates, with the equation number
  const char* choosing;  // how to choose its coefficient
  const char* accuracy;  // what FAO 56 says of it
  const char* example;   // a formula, Spanish dialect
  const char* exampleText;
};

inline constexpr const char* kMissingDataIntro =
    "Cuando una estación no mide la radiación, la humedad o el viento, o pierde un sensor por un tiempo, "
    "FAO 56 (capítulo 3, «datos faltantes») no cambia de método: estima la variable que falta y sigue "
    "usando Penman-Monteith (ETPF56). Las fórmulas se escriben con las funciones del complemento y las "
    "de la planilla (RAIZ, SI, ESNUMERO), y la calculadora web las escribe igual.";

inline constexpr MissingDataNote kMissingData[] = {
    {"Radiación de la diferencia de temperaturas",
     "=0,16*RAIZ(Tmáx-Tmín)*RADAF56(Jdia;Latitud)",
     "Rs = kRs·√(Tmáx − Tmín)·Ra (FAO 56, ec. 50), con la radiación astronómica Ra de RADAF56 (ec. 21).",
     "kRs ≈ 0,16 en sitios del interior, donde domina la masa de tierra y el aire no está influido por "
     "una gran masa de agua; kRs ≈ 0,19 en la costa, donde el aire viene del mar o de un lago grande. Con "
     "radiación medida en la zona, kRs se calibra comparando ambas.",
     "FAO 56 la recomienda solo cuando no hay radiación medida ni de una estación vecina de clima "
     "homogéneo: la diferencia de temperaturas refleja la nubosidad solo en parte. No sirve en islas "
     "pequeñas, donde el mar modera las temperaturas. Rs no debería superar la radiación de cielo "
     "despejado Rso (ec. 37).",
     "=0,16*RAIZ(26,6-14,8)*40,6",
     "FAO 56, ejemplo 15: Tmáx 26,6 °C, Tmín 14,8 °C, Ra 40,6 MJ/m²/d, sitio del interior (publicado: "
     "22,3 MJ/m²/d)."},
    {"Presión de vapor de la temperatura mínima",
     "=PVTRF56(Tmín) o =PVTRF56(Tmín-2)",
     "ea = e°(Tmín) (FAO 56, ec. 48): el punto de rocío se toma igual a la temperatura mínima, o unos "
     "grados por debajo.",
     "Diferencia 0 °C donde el cultivo de referencia está bien regado y el aire llega casi a saturación "
     "al amanecer; en climas áridos y semiáridos el punto de rocío queda 2 a 3 °C por debajo de Tmín, y "
     "se resta esa diferencia.",
     "FAO 56 advierte que la aproximación vale en sitios húmedos y subhúmedos; en zonas áridas "
     "sobrestima ea si no se resta la diferencia, y conviene verificarla con humedad medida de la región.",
     "=PVTRF56(14,8)",
     "FAO 56, ejemplo 20: Tmín 14,8 °C (publicado: 1,68 kPa)."},
    {"Viento constante",
     "2 (m/s a 2 m), con Altura 2 en ETPF56",
     "u2 = 2 m/s, o la media de la región donde se conoce (FAO 56, capítulo 3).",
     "2 m/s es la media de unas 2000 estaciones de todo el mundo; una media regional medida es mejor. El "
     "valor es el viento a 2 m: en ETPF56 va con Altura 2.",
     "FAO 56 lo da como estimación provisional: el viento pesa poco en la ET0 con aire húmedo y viento "
     "suave, y mucho en climas secos y ventosos, donde un valor constante puede errar bastante.",
     "=ETPF56(196; 0,16*RAIZ(26,6-14,8)*RADAF56(196;45,72); 26,6; 14,8; 0; PVTRF56(14,8); 2; 2; 200; "
     "45,72)",
     "La ET0 de un día de julio a 45,72° N y 200 m solo con las temperaturas: radiación por la ec. 50, "
     "humedad por la ec. 48 y viento de 2 m/s a 2 m."},
};

inline constexpr const char* kMissingDaysText =
    "Para estimar solo los días sin dato, cada variable se toma medida donde la celda es un número y "
    "estimada donde está vacía o no es un número: por ejemplo, para la radiación en R, Tmáx en G y Tmín "
    "en I,";
inline constexpr const char* kMissingDaysFormula = "=SI(ESNUMERO(R2);R2;0,16*RAIZ(G2-I2)*RADAF56(J2;37,85))";
inline constexpr const char* kMissingDaysAfter =
    "y lo mismo para la humedad (SI(Y(ESNUMERO(L2);ESNUMERO(M2));PVHRF56(G2;I2;L2;M2);PVTRF56(I2))) y "
    "el viento (SI(ESNUMERO(N2);N2;2)). La calculadora web lo hace con «Estimar los días sin dato» y "
    "marca cada día estimado.";

// A worked example: what it computes, and its formula (computed through the
// library).  Monthly periods: the section's text, then its worked examples, each a
// formula computed through the library.
struct WorkedFormula {
  const char* text;
  const char* formula;  // Spanish dialect
};

inline constexpr const char* kMonthlyIntro =
    "Con medias mensuales (por ejemplo, normales climatológicas de doce meses) ETPF56 calcula la ET0 del "
    "mes en mm/d. El día del año es el de mediados del mes, J = ENTERO(30,4·M − 15) (FAO 56, anexo 2), y el "
    "flujo de calor del suelo ya no es nulo: G = 0,07·DTP, con DTP la temperatura media del mes siguiente "
    "menos la del anterior (ec. 43: G = 0,07·(T(i+1) − T(i−1))). Cuando el mes siguiente no se conoce, "
    "DTP = 2·(T(i) − T(i−1)) da la ec. 44 (G = 0,14·(T(i) − T(i−1))). En doce normales el año da la vuelta: "
    "diciembre precede a enero y enero sigue a diciembre. La ET0 del mes es la diaria por sus días, "
    "DIA(FECHA(año;M+1;0)). En la planilla, una fila por mes y la fórmula extendida hacia abajo: "
    "DTP se escribe con las filas de arriba y de abajo, ((B3+C3)/2)−((B1+C1)/2); la calculadora web la "
    "escribe así con «medias mensuales», y torven --csv la calcula igual.";

inline constexpr WorkedFormula kWorkedFormulas[] = {
    {"FAO 56, ejemplo 13: G de abril, con marzo a 14,1 °C y mayo a 18,8 °C (ec. 43; publicado: 0,33 MJ/m²/d).",
     "=0,07*(18,8-14,1)"},
    {"El mismo G solo con marzo y abril a 16,1 °C (ec. 44, DTP = 2·(16,1 − 14,1); publicado: 0,28 MJ/m²/d).",
     "=0,07*2*(16,1-14,1)"},
    {"FAO 56, ejemplo 17: Bangkok (13°44' N, 2 m), abril: Tmáx 34,8 °C, Tmín 25,6 °C, ea 2,85 kPa, viento "
     "2 m/s a 2 m, 8,5 h de sol, DTP = 2 °C, día ENTERO(30,4·4 − 15) = 106 (publicado: 5,72 mm/d).",
     "=ETPF56(ENTERO(30,4*4-15); RADF56A(ENTERO(30,4*4-15); 8,5; 0,25; 0,5; 13,7333); 34,8; 25,6; 2; 2,85; 2; "
     "2; 2; 13,7333)"},
};

// Crop water requirements (FAO 56 chapters 6 to 8, single crop coefficient):
// the equations, the inputs a user chooses, the order within a day, and
// worked examples through the library with the web calculator's formulas.
inline constexpr const char* kCropWaterEquations[] = {
    "Coeficiente del cultivo (ec. 66): Kc ini durante la etapa inicial; en el desarrollo, Kc = Kc ini + "
    "(d − L ini)/L des · (Kc med − Kc ini); Kc med durante la etapa media; en la etapa final, Kc = Kc med + "
    "(d − L ini − L des − L med)/L fin · (Kc fin − Kc med). El día 1 de la temporada es el de siembra o inicio.",
    "Ajuste al clima (ec. 62): Kc med = Kc med (Cuadro 12) + [0,04 (u2 − 2) − 0,004 (HRmín − 45)] (h/3)^0,3, con u2 y "
    "HRmín medios de la etapa media y h la altura del cultivo; Kc fin igual con las medias de la etapa final, solo "
    "si Kc fin (Cuadro 12) > 0,45 (ec. 65). Sin HRmín medida, HRmín = 100 e°(Tmín)/e°(Tmáx) (ec. 63).",
    "Evapotranspiración del cultivo: ETc = Kc · ET0 (ec. 56 y 58).",
    "Agua disponible total: ADT = 1000 (θCC − θPMP) Zr, en mm (ec. 82); agua fácilmente aprovechable: AFA = p · ADT "
    "(ec. 83), con p = p (Cuadro 22) + 0,04 (5 − ETc) entre 0,1 y 0,8 (o p del cuadro, sin ajuste).",
    "Estrés hídrico: Ks = (ADT − Dr)/((1 − p) ADT) cuando Dr > AFA, si no 1 (ec. 84); ETc aj = Ks · Kc · ET0 (ec. 81).",
    "Balance diario (ec. 85 a 88): Dr,i = mín(ADT; máx(0; Dr,i−1 − (P − RO) − I) + ETc aj); percolación "
    "profunda DP = máx(0; P − RO + I − Dr,i−1); sin ascenso capilar. La percolación sigue el orden del "
    "ejemplo 38 (la lluvia y el riego al comienzo del día, antes del consumo); la ec. 88 impresa, "
    "DP = P − RO + I − ETc − Dr,i−1, resta además la ETc del día, y da una percolación menor en esa cantidad.",
};

inline constexpr const char* kCropWaterInputs =
    "El usuario elige: el cultivo y su primer día; las cuatro etapas (Cuadro 11, según la región y la fecha de "
    "siembra); Kc ini, Kc med y Kc fin (Cuadro 12; Kc ini depende además del riego y la lluvia del comienzo) y la "
    "altura; el suelo (Cuadro 19: θCC y θPMP, o medidos); Zr y p (Cuadro 22; Zr crece con el cultivo, aquí se usa "
    "el de raíces plenas desde el primer día, que sobrestima el ADT y el AFA de la etapa inicial); el agotamiento inicial (0 después de una lluvia o un riego abundante); la columna de "
    "lluvia, la fracción que escurre (RO = fracción · P); cuándo regar (al llegar a AFA o a una fracción de ADT), "
    "cuánto (hasta capacidad de campo, o una lámina fija) y la eficiencia de aplicación (0,9 goteo, 0,75 "
    "aspersión, 0,6 superficie: las eficiencias de aplicación en el campo de Brouwer, Prins y Heibloem, 1989, "
    "FAO, manual de capacitación n.º 4), que da la lámina bruta = neta / eficiencia. El arroz inundado no es "
    "lo que modela este balance (su suelo está saturado, con una lámina de agua encima): no se ofrece.";

inline constexpr const char* kCropWaterOrder =
    "El orden dentro de un día, como en el ejemplo 38 de FAO 56: la lluvia y el riego entran al comienzo del día. "
    "El agotamiento tras la lluvia, máx(0; Dr,i−1 − (P − RO)), decide el riego: si llega al umbral, se riega "
    "(hasta capacidad de campo: esa misma lámina). Ks sale del agotamiento al comienzo del día, ya descontados "
    "lluvia y riego; después el cultivo consume ETc aj, y lo que sobra de la lluvia y el riego percola. Las filas "
    "fuera de la temporada quedan vacías.";

inline constexpr WorkedFormula kCropWaterExamples[] = {
    {"FAO 56, ejemplo 27: Kc med del maíz (1,20 en el Cuadro 12, h = 2 m) en Taipei, u2 1,3 m/s y HRmín 75 % "
     "(publicado: 1,07).",
     "=1,2+(0,04*(1,3-2)-0,004*(75-45))*(2/3)^0,3"},
    {"El mismo en Mocha, u2 4,6 m/s y HRmín 44 % (publicado: 1,30).", "=1,2+(0,04*(4,6-2)-0,004*(44-45))*(2/3)^0,3"},
    {"FAO 56, ejemplo 28: frijol, etapas 25/25/30/20 días, Kc 0,15/1,19/0,35; Kc del día 40 con la fórmula de la "
     "columna kc, d = 40 (publicado: 0,77; días 20, 70 y 95: 0,15, 1,19 y 0,56).",
     "=SI(O(40<1;40>100);\"\";SI(40<=25;0,15;SI(40<=50;0,15+(40-25)/25*(1,19-0,15);SI(40<=80;1,19;"
     "1,19+(40-80)/20*(0,35-1,19)))))"},
    {"Día 95 del mismo cultivo (publicado: 0,56).",
     "=SI(O(95<1;95>100);\"\";SI(95<=25;0,15;SI(95<=50;0,15+(95-25)/25*(1,19-0,15);SI(95<=80;1,19;"
     "1,19+(95-80)/20*(0,35-1,19)))))"},
    {"FAO 56, ejemplo 36: tomate (Zr 0,8 m, p 0,40) en un suelo limoso (θCC 0,32, θPMP 0,15): ADT, ec. 82 "
     "(publicado: 136 mm).",
     "=1000*(0,32-0,15)*0,8"},
    {"AFA del mismo tomate a ETc = 5 mm/d, con la fórmula de la columna raw, ec. 83 (publicado: 54 mm).",
     "=MAX(0,1;MIN(0,8;0,4+0,04*(5-5)))*1000*(0,32-0,15)*0,8"},
    {"El mismo ejemplo: maíz (Zr 1,2 m, p 0,55) en un suelo arcillo limoso (θCC 0,35, θPMP 0,23): ADT "
     "(publicado: 144 mm).",
     "=1000*(0,35-0,23)*1,2"},
    {"AFA del mismo maíz (publicado: 79 mm).", "=MAX(0,1;MIN(0,8;0,55+0,04*(5-5)))*1000*(0,35-0,23)*1,2"},
};

// The dual crop coefficient (FAO 56 chapter 7): the columns' equations and
// example 35 through the library.
inline constexpr const char* kDualEquations[] = {
    "Coeficiente basal (ec. 66 con Kcb ini, med y fin del Cuadro 17; Kcb med y fin ajustados al clima por la "
    "ec. 70, como Kc por la ec. 62): la transpiración; Kc = Ks·Kcb + Ke (ec. 69 y 80).",
    "Kc máx = máx(1,2 + [0,04 (u2 − 2) − 0,004 (HRmín − 45)] (h/3)^0,3; Kcb + 0,05) (ec. 72); fracción cubierta "
    "fc = ((Kcb − Kc mín)/(Kc máx − Kc mín))^(1 + 0,5 h) (ec. 76, Kcb − Kc mín al menos 0,01).",
    "Fracción humedecida fw (Cuadro 20): 1 el día de lluvia, la del método el día de riego, si no la del día "
    "anterior; few = mín(1 − fc; fw) (ec. 75).",
    "La capa superficial: AET = 1000 (θCC − 0,5 θPMP) Ze (ec. 73, Ze de 0,10 a 0,15 m), AFE del Cuadro 19; "
    "Kr = 1 mientras De ≤ AFE, si no (AET − De)/(AET − AFE) (ec. 74), con De ya descontados la lluvia y el riego "
    "del día (I/fw); Ke = mín(Kr (Kc máx − Kcb); few Kc máx) (ec. 71); E = Ke·ET0.",
    "Balance de la capa (ec. 77 a 79): De,i = De,i−1 − (P − RO) − I/fw + E/few + DPe, entre 0 y AET; percolación "
    "DPe = máx(0; P − RO + I/fw − De,i−1). La zona radicular, como con el coeficiente único, con ETc aj = "
    "(Ks·Kcb + Ke)·ET0 (ec. 80).",
};

inline constexpr WorkedFormula kDualExamples[] = {
    {"FAO 56, ejemplo 35 (con su fe de erratas): franco arenoso, θCC 0,23, θPMP 0,10, Ze 0,10 m: AET, ec. 73 "
     "(publicado: 18 mm).",
     "=1000*(0,23-0,5*0,1)*0,1"},
    {"Kc máx con h = 0,3 m, u2 1,6 m/s y HRmín 35 %, Kcb 0,30 (ec. 72; publicado: 1,21).",
     "=MAX(1,2+(0,04*(1,6-2)-0,004*(35-45))*(0,3/3)^0,3;0,3+0,05)"},
    {"Día 1: 40 mm de riego con fw 0,8 sobre la capa seca (De = 18 mm): Kr = 1, few = 0,80, Ke (ec. 71; "
     "publicado: 0,91).",
     "=MIN(1*(1,212-0,3);0,8*1,212)"},
    {"La evaporación del día 1, E = Ke·ET0 con ET0 4,5 mm/d (publicado: 4,1 mm).", "=MIN(1*(1,212-0,3);0,8*1,212)*4,5"},
    {"Su percolación, DPe = I/fw − De,i−1 (ec. 79; publicado: 32 mm).", "=MAX(0;40/0,8-18)"},
};

// Hourly reference evapotranspiration (FAO 56 eq. 53, and the ASCE-EWRI
// standardized hourly form): the columns' equations and example 19 through
// the library, each step with the example's numbers.
inline constexpr const char* kHourlyEquations[] = {
    "El punto medio del período: la fecha y hora de la fila menos medio período cuando la hora marca el fin del "
    "período (lo habitual), más medio cuando marca el comienzo; de él, el día del año J y la hora t.",
    "Corrección estacional del tiempo solar (ec. 32 y 33): Sc = 0,1645 sen 2b − 0,1255 cos b − 0,025 sen b, con "
    "b = 2π (J − 81)/364; ángulo horario en el punto medio (ec. 31): ω = π/12 [(t + 0,06667 (Lz − Lm) + Sc) − 12], "
    "Lz la longitud del centro del huso horario y Lm la de la estación, en grados al oeste de Greenwich.",
    "Radiación extraterrestre del período (ec. 28 a 30): Ra = 12·60/π · Gsc dr [(ω2 − ω1) sen φ sen δ + cos φ cos δ "
    "(sen ω2 − sen ω1)], ω1,2 = ω ∓ π t1/24, con dr (ec. 23), δ (ec. 24) y t1 la duración del período en horas; ω1 "
    "y ω2 se limitan a ±ωs (ec. 25; ASCE-EWRI 2005), de modo que Ra es 0 con el sol bajo el horizonte.",
    "Radiación de cielo despejado (ec. 37): Rso = (0,75 + 2·10⁻⁵ z) Ra; Rs/Rso entre 0,3 y 1 mientras el ángulo del "
    "sol en el punto medio supera 0,3 rad; si no (de noche y cerca de la puesta), el de la fila de arriba, o un "
    "valor fijo para la noche (el ejemplo 19 supone 0,8).",
    "Radiación neta (ec. 38 a 40): Rn = (1 − 0,23) Rs − σ (T + 273,16)⁴ (0,34 − 0,14 √ea)(1,35 Rs/Rso − 0,35), "
    "con σ = 2,043·10⁻¹⁰ MJ m⁻² h⁻¹ K⁻⁴ y ea = e°(T)·HR/100 (ec. 54); flujo de calor del suelo G = 0,1 Rn de "
    "día (Rn > 0) y 0,5 Rn de noche (ec. 45 y 46; 0,04 y 0,2 para la referencia alta de ASCE-EWRI).",
    "ET0 del período (ec. 53): [0,408 Δ (Rn − G) + γ Cn/(T + 273) u2 (e°(T) − ea)] / [Δ + γ (1 + Cd u2)], en mm, "
    "con Δ (ec. 13) y e°(T) de la temperatura del período; FAO 56: Cn 37 y Cd 0,34; la forma estandarizada de "
    "ASCE-EWRI (2005): Cn 37 y Cd 0,24 de día y 0,96 de noche (referencia corta), Cn 66 y Cd 0,25 y 1,7 (alta). "
    "La suma del día acumula los períodos cuyo punto medio cae en él.",
};

inline constexpr WorkedFormula kHourlyExamples[] = {
    {"FAO 56, ejemplo 19: N'Diaye, Senegal (16°13' N, 16°15' O, Lz 15°), 1 de octubre (J = 274), de 14 a 15 h: "
     "corrección estacional Sc (publicado: 0,1889 h).",
     "=0,1645*SENO(2*(2*PI()*(274-81)/364))-0,1255*COS(2*PI()*(274-81)/364)-0,025*SENO(2*PI()*(274-81)/364)"},
    {"El ángulo horario a las 14:30 (publicado: 0,682 rad).", "=PI()/12*(14,5+0,06667*(15-16,25)+0,1889-12)"},
    {"Ra de 14 a 15 h, con δ = −0,0753 rad y ω1, ω2 = ω ∓ π/24, ω = 0,68215 rad (el de arriba con más cifras; "
     "publicado: 3,543 MJ m⁻² h⁻¹).",
     "=12*60/PI()*0,082*(1+0,033*COS(2*PI()/365*274))*((0,68215+PI()/24-(0,68215-PI()/24))*SENO(16,2167*PI()/180)*"
     "SENO(-0,0753)+COS(16,2167*PI()/180)*COS(-0,0753)*(SENO(0,68215+PI()/24)-SENO(0,68215-PI()/24)))"},
    {"Rn con Rs = 2,450 y Rso = 2,658 MJ m⁻² h⁻¹, 38 °C y HR 52 % (ea = 3,445 kPa; publicado: 1,749).",
     "=(1-0,23)*2,45-2,043E-10*(38+273,16)^4*(0,34-0,14*RAIZ(PVSF56(38)*52/100))*(1,35*2,45/2,658-0,35)"},
    {"ET0 de 14 a 15 h, ec. 53, con u2 = 3,3 m/s, G = 0,1 Rn y γ = 0,0673 kPa/°C (publicado: 0,63 mm/h).",
     "=(0,408*4098*PVSF56(38)/(38+237,3)^2*(1,749-0,1749)+0,0673*37/(38+273)*3,3*(PVSF56(38)-PVSF56(38)*0,52))/"
     "(4098*PVSF56(38)/(38+237,3)^2+0,0673*(1+0,34*3,3))"},
    {"De 2 a 3 h: 28 °C, HR 90 %, u2 1,9 m/s, Rs = 0, Rs/Rso = 0,8 supuesto, Rn = −0,100 y G = 0,5 Rn "
     "(publicado: 0,00 mm/h).",
     "=(0,408*4098*PVSF56(28)/(28+237,3)^2*(-0,1-(-0,05))+0,0673*37/(28+273)*1,9*(PVSF56(28)-PVSF56(28)*0,9))/"
     "(4098*PVSF56(28)/(28+237,3)^2+0,0673*(1+0,34*1,9))"},
};

}  // namespace reference
