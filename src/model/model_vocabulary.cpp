#include "model_vocabulary.h"

namespace orvo {
namespace {

constexpr int kSystemSlots = 8;

// Indexed by simulation type, then system number - 1. An empty name marks a system the
// program does not model.
constexpr const char* kSystemNames[3][kSystemSlots] = {
    {"Chemical 1", "Solid 1", "Solid 2", "Solid 3", "Chemical 2", "Chemical 3", "", ""},
    {"NH3", "NO3", "PO4", "CHL", "CBOD", "DO", "ON", "OP"},
    {"CD", "ZN", "PB", "MN", "Solid 1", "Solid 2", "Solid 3", ""},
};

// Row order is the slot order of group G; the number column is what the card carries.
constexpr SegmentParameterRow kFenu5Parameters[] = {
    {"VELFN", "1", "Pointer to water velocity time function (1-4); V."},
    {"TMPFN", "2", "Pointer to normalized temperature time function (1-4); ALL."},
    {"TEMP", "3", "Multiplier for water temperature time function (C); ALL."},
    {"WVEL", "4",
     "Multiplier for wind velocity (10 m above segment surface) time function (m/sec); V."},
    {"REAR", "5",
     "Multiplier of time function 5, whose definition depends on volatilizaion option XV; V."},
    {"DOC", "6", "Dissolved organic carbon concentrations (mg/L); S, P."},
    {"FOC 1", "7", "Fraction organic carbon of solids class 1; S."},
    {"FOC 2", "8", "Fraction organic carbon of solids class 2; S."},
    {"FOC 3", "9", "Fraction organic carbon of solids class 3; S."},
    {"CHPHL", "10", "Multiplier for phytoplankton chlorophyll concentration time function; H, I."},
    {"PH", "11", "Multiplier for pH time function; H, I."},
    {"XKE2", "12", "Light extinction coeff for photochemically active light (1/meter); P."},
    {"OXRAD", "13", "Concentration of oxidants, such as O3 for H2O2 (moles/L); O."},
    {"BAC", "14", "Density of active bacteria (cells/100 cc); B."},
    {"EXENV", "15",
     "Property of aquatic environment that affects the user-defined \"extra reaction\"; E."},
    {"TOTKG 1", "16",
     "Total lumped first-order decay rate constant for chemical 1 in segment (day^-1)."},
    {"TOTKG 2", "17",
     "Total lumped first-order decay rate constant for chemical 2 in segment (day^-1)."},
    {"TOTKG 3", "18",
     "Total lumped first-order decay rate constant for chemical 3 in segment (day^-1)."},
};

constexpr SegmentParameterRow kVerda5Parameters[] = {
    {"VELFN", "1", "Pointer to the time-variable velocity fn to be used for ISEG."},
    {"SAL", "2", "Average salinity of ISEG, in g/L; used in calculation of DO saturation."},
    {"TMPSG", "3", "Segment temperature multiplier (CC)."},
    {"TMPFN", "4", "Flag designating the time-variable temperature fn to be used for ISEG."},
    {"KESG", "5", "Segment extinction coefficient multiplier (m^-1)."},
    {"KEFN", "6",
     "Pointer designating the time variable extinction coefficient (KE) to be used for segment "
     "ISEG."},
    {"FNH4", "7", "Average ammonium flux multiplier for segment (mg/m^2-day)."},
    {"FPO4", "8", "Average phosphate flux multiplier for segment (mg/m^2-day)."},
    {"SOD1D", "9", "Sediment oxygen demand for segment (g/m^2-day)."},
    {"RLGHTS", "10", "Used internally; not specified by user."},
    {"RLGHTS", "11", "Unknown"},
    {"SODTA", "12",
     "Segment specific temperature correction coeff (theta) for sediment oxygen demand."},
    {"TOTLIM", "13", "Segment specific percent shading."},
    {"REARSG", "14",
     "Segment specific reaeration rate constant multiplier, used in combination with time fn "
     "REAR."},
    {"ZOOSG", "15", "Segment specific herbiverous zooplankton population (g-C/m3)."},
};

// The program has no parameter 30, so from slot 29 on the numbers run one ahead of the slot.
constexpr SegmentParameterRow kKobal5Parameters[] = {
    {"TMPFN", "1", "Pointer to the time-variable velocity fn to be used for ISEG."},
    {"TEMP", "2", "If set to 1.0, then a time-variable temperature can be used."},
    {"WVEL", "3",
     "Multiplier for wind velocity (10 m above segment surface) time function (m/sec)."},
    {"REAR", "4",
     "Segment specific reaeration rate constant multiplier, used in combination with time fn "
     "REAR."},
    {"TTKG1", "5", "Total lumped first-order decay rate constant for cadmium in segment (day^-1)."},
    {"TTKG2", "6", "Total lumped first-order decay rate constant for zinc in segment (day^-1)."},
    {"TTKG3", "7", "Total lumped first-order decay rate constant for lead in segment (day^-1)."},
    {"TTKG4", "8",
     "Total lumped first-order decay rate constant for manganese in segment (day^-1)."},
    {"FREE1", "9", "Free cadmium"},
    {"FREE2", "10", "Free zinc"},
    {"FREE3", "11", "Free lead"},
    {"FREE4", "12", "Free managanese"},
    {"FREE5", "13", "Free solid 1"},
    {"FREE6", "14", "Free solid 2"},
    {"FREE7", "15", "Free solid 3"},
    {"MG", "16", "Total magnesium (+2)"},
    {"MGFN", "17", "Pointer to magnesium time function."},
    {"FREMG", "18", "Free magnesium"},
    {"DOC", "19", "Dissolved organic carbon concentration (mg/L)."},
    {"DOCFN", "20", "Pointer to DOC time function."},
    {"FRDOC", "21", "Organic carbon fraction of DOC."},
    {"CA", "22", "Calcium."},
    {"CAFN", "23", "Pointer to calcium time function."},
    {"FRECA", "24", "Free ionic calcium."},
    {"CO3", "25", "Total carbonate (-2)"},
    {"CO3FN", "26", "Pointer to CO3 time function."},
    {"FRCO3", "27", "Free CO3."},
    {"pH", "28", "Multiplier for pH time function."},
    {"pHFN", "29", "Pointer to pH time function."},
    {"SO4", "31", "Sulfate."},
    {"SO4FN", "32", "Pointer to SO4 time function."},
    {"FRSO4", "33", "Free ionic SO4."},
};

constexpr TimeFunctionRow kFenu5TimeFunctions[] = {
    {"TEMP1", "1",
     "Time-variable temperature function 1.  TEMPN(K) can be either a nomalized function or an "
     "actual temperature in C, depending on the definition of the parameter multiplier TEMP(ISEG).",
     "either a nomalized function or an actual temperature in C"},
    {"TEMP2", "2", "Time-variable temperature function 2, unitless or in C.", "unitless or in C"},
    {"TEMP3", "3", "Time-variable temperature function 3, unitless or in C.", "unitless or in C"},
    {"TEMP4", "4", "Time-variable temperature function 4, unitless or in C.", "unitless or in C"},
    {"VELN1", "5",
     "Time-variable velocity function 1, m/sec.  This velocity is added to the net velocity "
     "VELOCG(ISEG) parameters read in data group C.",
     "m/sec"},
    {"VELN2", "6", "Time-variable velocity function 2, m/sec.", "m/sec"},
    {"VELN3", "7", "Time-variable velocity function 3, m/sec.", "m/sec"},
    {"VELN4", "8", "Time-variable velocity function 4, m/sec.", "m/sec"},
    {"WINDN", "9",
     "Time-variable wind function, m/sec.  This time function is multiplied by the "
     "segment-specific wind multiplier WVEL entered in the parameter section.",
     "m/sec"},
    {"PHNW", "10",
     "Time-variable pH function.  This is multiplied by the segment-specific pH multiplier "
     "PH(ISEG) entered in the parameter section.",
     "Time-variable pH function"},
    {"PHNS", "11",
     "Normalized benthic pH function, dimensionless.  Multiplied by the segment-specific pH "
     "multiplier PH(ISEG) for benthic segments.",
     "Normalized benthic pH function, dimensionless"},
    {"REARN", "12",
     "Time-variable reaeration coefficient, per day.  Multiplied by the segment specific variable "
     "REAR entered in the parameter section.",
     "Time-variable reaeration coefficient, per day"},
    {"AIRTM", "13", "Air temperature, C.  Used for calculating reaeration rate.",
     "Air temperature, C"},
    {"CHLN", "14",
     "Phytoplankton chlorophyll concentration, mg/L.  Multiplied by the segment specific variable "
     "CHPHL entered in the parameter section.",
     "mg/L"},
    {"PHTON", "15",
     "Normalized light intensity, dimensionless.  Used for photolysis option 2 to adjust the "
     "measured rate constant under controlled light intensity to a predicted rate constant under "
     "ambient light intensity.",
     "dimensionless"},
    {"BACNW", "16",
     "Time-variable bacteria concentration in the water column, mg/L.  Multiplied by the segment "
     "specific multiplier BAC entered in the parameter section.",
     "mg/L"},
    {"BACNS", "17",
     "Normalized benthic bacteria fuction, dimensionless.  Multiplied by the segment specific "
     "multiplier BAC(ISEG) for benthic segments.",
     "dimensionless"},
};

constexpr TimeFunctionRow kVerda5TimeFunctions[] = {
    {"TEMP1", "1",
     "Time-variable temperature function 1.  TEMP(K) can be either a nomalized function or an "
     "actual temperature in C, depending on the definition of the parameter multiplier "
     "TMPSG(ISEG).",
     "either a nomalized function or an actual temperature in C"},
    {"TEMP2", "2", "Time-variable temperature function 2, unitless or in C.", "unitless or in C"},
    {"TEMP3", "3", "Time-variable temperature function 3, unitless or in C.", "unitless or in C"},
    {"TEMP4", "4", "Time-variable temperature function 4, unitless or in C.", "unitless or in C"},
    {"ITOT", "5", "Total daily solar radiation, langleys.", "langleys"},
    {"F", "6", "Fraction of day with sufficient light for growth, days.", "days"},
    {"WIND", "7", "Wind velocity, m/sec.", "m/sec"},
    {"KE(1)", "8",
     "Time-variable extinction coeff function 1.  This can be either a normalized function or an "
     "actual extinction coefficient in m^-1, depending upon the definition of the parameter "
     "multiplier KESG(ISEG).",
     "either a normalized function or an actual extinction coefficient in m^-1"},
    {"KE(2)", "9", "Time-variable extinction coeff function 2, either unitless or m^-1.",
     "either unitless or m^-1"},
    {"KE(3)", "10", "Time-variable extinction coeff function 3, either unitless or m^-1.",
     "either unitless or m^-1"},
    {"KE(4)", "11", "Time-variable extinction coeff function 4, either unitless or m^-1.",
     "either unitless or m^-1"},
    {"KE(5)", "12", "Time-variable extinction coeff function 5, either unitless or m^-1.",
     "either unitless or m^-1"},
    {"TFNH4", "13", "Normalized ammonium flux from bed, unitless.", "unitless"},
    {"TFPO4", "14", "Normalized phosphate flux from bed, unitless.", "unitless"},
    {"VELN1", "15",
     "Time-variable velocity function 1, m/sec.  This velocity is added to the net velocity "
     "VELOCG(ISEG) computed from the segment flow and the hydraulic parameters read in data group "
     "C.",
     "m/sec"},
    {"VELN2", "16", "Time-variable velocity function 2, m/sec.", "m/sec"},
    {"VELN3", "17", "Time-variable velocity function 3, m/sec.", "m/sec"},
    {"VELN4", "18", "Time-variable velocity function 4, m/sec.", "m/sec"},
    {"ZOO", "19", "Herbivorous zooplankton population, mgC/L.", "mgC/L"},
    {"SALFN", "20", "", ""},
    {"AIRTM", "21",
     "Time-variable ambient air temperature in degrees C.  This provides air temperature data for "
     "the wind driven reaeration algorithms and is required.",
     "degrees C"},
    {"XICEV", "22",
     "Time-variable ice-cover function, %.  This provides the percentage of water surface area "
     "available for reaeration.  Note that 100% (entered as 1.0) indicates all surface area is "
     "available for reaeration.",
     "%"},
};

// KOBAL5 reads no kinetic time functions. The row only keeps the table non-empty; it is never
// offered, shown or written.
constexpr TimeFunctionRow kKobal5TimeFunctions[] = {
    {"UNK", "1", "Unknown", "Unknown"},
};

template <typename Row>
struct Table {
  const Row* rows;
  int count;
};

template <typename Row, int N>
constexpr Table<Row> Whole(const Row (&rows)[N]) {
  return {rows, N};
}

constexpr Table<SegmentParameterRow> ParameterTable(SimulationType simtyp) {
  switch (simtyp) {
    case kFenu5:
      return Whole(kFenu5Parameters);
    case kVerda5:
      return Whole(kVerda5Parameters);
    case kKobal5:
      return Whole(kKobal5Parameters);
    default:
      return {nullptr, 0};
  }
}

constexpr Table<TimeFunctionRow> TimeFunctionTable(SimulationType simtyp) {
  switch (simtyp) {
    case kFenu5:
      return Whole(kFenu5TimeFunctions);
    case kVerda5:
      return Whole(kVerda5TimeFunctions);
    case kKobal5:
      return {kKobal5TimeFunctions, 0};
    default:
      return {nullptr, 0};
  }
}

constexpr bool IsSimulationType(SimulationType simtyp) {
  return simtyp >= kFenu5 && simtyp <= kKobal5;
}

constexpr int CountSystems(SimulationType simtyp) {
  if (!IsSimulationType(simtyp)) return 0;
  int count = 0;
  for (const char* name : kSystemNames[simtyp]) {
    if (name[0] != '\0') ++count;
  }
  return count;
}

// The slot counts of groups G and I follow from these sizes; a stray edit to a table must not
// go unnoticed.
static_assert(CountSystems(kFenu5) == 6 && CountSystems(kVerda5) == 8 &&
              CountSystems(kKobal5) == 7);
static_assert(ParameterTable(kFenu5).count == 18 && ParameterTable(kVerda5).count == 15 &&
              ParameterTable(kKobal5).count == 32);
static_assert(TimeFunctionTable(kFenu5).count == 17 && TimeFunctionTable(kVerda5).count == 22 &&
              TimeFunctionTable(kKobal5).count == 0);

template <typename Row>
constexpr const Row* RowAt(Table<Row> table, int slot) {
  return slot >= 0 && slot < table.count ? &table.rows[slot] : nullptr;
}

}  // namespace

namespace vocabulary {

std::string SystemName(SimulationType simtyp, int system) {
  if (!IsSimulationType(simtyp) || system < 1 || system > kSystemSlots) return {};
  return kSystemNames[simtyp][system - 1];
}

int SystemCount(SimulationType simtyp) {
  return CountSystems(simtyp);
}

int SegmentParameterCount(SimulationType simtyp) {
  return ParameterTable(simtyp).count;
}

const SegmentParameterRow* SegmentParameter(SimulationType simtyp, int slot) {
  return RowAt(ParameterTable(simtyp), slot);
}

int TimeFunctionCount(SimulationType simtyp) {
  return TimeFunctionTable(simtyp).count;
}

const TimeFunctionRow* TimeFunction(SimulationType simtyp, int slot) {
  return RowAt(TimeFunctionTable(simtyp), slot);
}

}  // namespace vocabulary
const char* ProgramName(SimulationType simulation_type) {
  switch (simulation_type) {
    case kVerda5:
      return kVerdaProgram;
    case kKobal5:
      return kKobalProgram;
    default:
      return kFenuProgram;
  }
}

const char* ModelName(SimulationType simulation_type) {
  switch (simulation_type) {
    case kVerda5:
      return "VERDA5";
    case kKobal5:
      return "KOBAL5";
    default:
      return "FENU5";
  }
}

const char* ModelExtension(SimulationType simulation_type) {
  switch (simulation_type) {
    case kVerda5:
      return ".vdf";
    case kKobal5:
      return "";
    default:
      return ".fdf";
  }
}

}  // namespace orvo
