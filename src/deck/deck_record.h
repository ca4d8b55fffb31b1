// The dataset record: an input deck parsed card by card into plain values. The deck reader
// fills a whole record; group import parses one card into its part.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace orvo {

// Value/time pairs, flat: value, time, value, time ...
using Breaks = std::vector<double>;

struct CardARecord {
  bool kobals_line = false;     // the deck started with "KOBALS"
  std::string simulation_type;  // "FENU5", "VERDA5" or "KOBAL5", from NOSYS
  std::string TITLE1, TITLE2, HEADER;
  int NOSEG = 0, NOSYS = 0, ICFL = 0, MFLAG = 0, JMASS = 0, NEGSLN = 0, INTYP = 0;
  double ADFAC = 0, ZDAY = 0, ZHR = 0, ZMIN = 0;
  int TFLG = 0;
  std::array<int, 6> ISEGOUT{};
  Breaks time_steps;        // DTS, T
  Breaks print_intervals;   // PRINT, TPRINT
  std::vector<int> bypass;  // NOSYS flags
};

// One pair of segments taking part in an exchange or flow function, with its numbers
// (card B: area and characteristic length; card D: the portion of flow in `first`).
struct SegmentPair {
  int from = 0;
  int to = 0;
  double first = 0;
  double second = 0;
};

struct PairFunction {
  std::vector<SegmentPair> pairs;
  Breaks breaks;
};

struct CardBRecord {
  int NRFLD = 0;
  std::string title;
  struct Field {
    double SCALR = 0, CONVR = 0;
    std::vector<PairFunction> functions;
  };
  std::vector<Field> fields;  // NRFLD fields: surface water, then pore water
  std::vector<int> bypass;    // one per system of the deck; empty when NRFLD is 0
};

struct SegmentRecord {
  int ISEG = 0, IBOTSEG = 0, ITYPE = 0;
  double VOLUME = 0, VMULT = 0, VEXP = 0, DMULT = 0, DXP = 0;
};

struct CardCRecord {
  int IVOPT = 0, IBEDV = 0;
  double TDINTS = 0;
  std::string title;
  double SCALV = 0, CONVV = 0;
  std::vector<SegmentRecord> segments;  // deck order
};

struct CardDRecord {
  int IQOPT = 0, NFIELD = 0;
  std::string hydrodynamic_file;
  struct Field {
    bool read = false;  // false for fields past NFIELD and for field 1 under IQOPT 3
    double SCALQ = 0, CONVQ = 0;
    std::vector<PairFunction> functions;  // NINQ flow functions
  };
  std::array<Field, 6> fields;
  std::vector<int> bypass;
};

// Cards E and F: per system, the segments with a time function.
struct SegmentFunction {
  int segment = 0;
  Breaks breaks;
};

struct CardERecord {
  struct System {
    std::string title;
    double SCALB = 0, CONVB = 0;
    std::vector<SegmentFunction> boundaries;  // NOBC
  };
  std::vector<System> systems;
};

struct CardFRecord {
  struct System {
    std::string title;
    double SCALW = 0, CONVW = 0;
    std::vector<SegmentFunction> loads;  // NWKS
  };
  std::vector<System> systems;
  bool nonpoint_source = false;  // record 5 announced an external file
  std::string nonpoint_file;     // the file the user named for it while the deck was read
};

struct ParameterEntry {
  std::string name;
  int isc = 0;
  double value = 0;
};

struct CardGRecord {
  std::string title;
  std::vector<ParameterEntry> parameters;  // record 2: NOPAM entries
  struct Segment {
    int ISEG = 0;
    std::vector<ParameterEntry> parameters;
  };
  std::vector<Segment> segments;  // record 3, deck order
};

struct CardHRecord {
  std::string title;
  struct Constant {
    std::string name;  // ten columns as they stand
    int isc = 0;
    double value = 0;
  };
  struct Field {
    std::string name;
    std::vector<Constant> constants;
  };
  struct Block {
    std::string name;
    std::vector<Field> fields;
  };
  std::vector<Block> blocks;  // "Globals", then one per system
};

struct CardIRecord {
  std::string title;
  struct Function {
    std::string name;  // ANAME, five columns as they stand
    int number = 0;
    Breaks breaks;
  };
  std::vector<Function> functions;  // NFUNC
};

struct CardJRecord {
  struct Segment {
    std::string name;
    double C = 0, DISSF = 0;
  };
  struct System {
    std::string CHEML;
    int IFIELD = 0;
    double DSED = 0, CMAX = 0;
    std::string title;
    std::vector<Segment> segments;  // NOSEG
  };
  std::vector<System> systems;
};

struct DeckRecord {
  CardARecord a;
  CardBRecord b;
  CardCRecord c;
  CardDRecord d;
  CardERecord e;
  CardFRecord f;
  CardGRecord g;
  CardHRecord h;
  CardIRecord i;
  CardJRecord j;
};

// What a card parser needs to know of the deck it reads: its NOSEG and NOSYS (from its card
// A, or the project's own for a fragment without one).
struct DeckShape {
  int NOSEG = 0;
  int NOSYS = 0;
};

}  // namespace orvo
