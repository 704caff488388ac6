// The terminals of the script language, one row each: everything the
// scanner, the parser and the catalogue know about a terminal is here.
//
//   X(Name, text, role, kinds, handler)
//
// Name     the enumerator kName of Tok (terminals.h)
// text     how the script writes it: keywords in capitals, the degree sign
//          as byte 0xB0; "" for the terminals that have no one spelling
// role     what the terminal does in the grammar (Role in terminals.h)
// kinds    a library call's arguments, one letter each in script order:
//            N numeric expression, S string literal, V output variable,
//            :n an optional ": number" after the preceding argument, n when
//               it is left out (ROT13's shift)
// handler  the binding that runs a library call (catalogue.cpp), or nullptr
//
// The numbers are the row numbers and are fixed: the "expected" diagnostics
// are numbered by them. Rows of one role need not stand together.
//
// The rows after NoSym (97) came later. No rule ever expects one of them
// (a literal or a keyword is never the one thing that must follow), so
// their numbers never name a diagnostic, and the messages 98 to 119 keep
// theirs. Pasted is the coordinate as cache pages write it, "N 48° 12.345",
// one token (pasted_coordinate.h).
#pragma once

// clang-format off
#define ORBELIN_TERMINALS(X)                                                      \
  X(Eof,          "",             kEnd,          "",                nullptr)      \
  X(Ident,        "",             kName,         "",                nullptr)      \
  X(Number,       "",             kNumber,       "",                nullptr)      \
  X(String,       "",             kString,       "",                nullptr)      \
  X(Var,          "VAR",          kDeclaration,  "",                nullptr)      \
  X(Comma,        ",",            kPunctuation,  "",                nullptr)      \
  X(Semicolon,    ";",            kPunctuation,  "",                nullptr)      \
  X(Write,        "WRITE",        kOutput,       "",                nullptr)      \
  X(Arrow,        "->",           kOutput,       "",                nullptr)      \
  X(Morse,        "MORSE",        kFirstItem,    "S",               ItemMorse)    \
  X(LParen,       "(",            kOpenParen,    "",                nullptr)      \
  X(RParen,       ")",            kPunctuation,  "",                nullptr)      \
  X(Esrom,        "ESROM",        kFirstItem,    "S",               ItemEsrom)    \
  X(Wlat,         "WLAT",         kItem,         "N",               ItemWlat)     \
  X(Wlon,         "WLON",         kItem,         "N",               ItemWlon)     \
  X(Wgps,         "WGPS",         kItem,         "NN",              ItemWgps)     \
  X(Wgk,          "WGK",          kItem,         "NN",              ItemWgk)      \
  X(Wutm,         "WUTM",         kItem,         "NNNN",            ItemWutm)     \
  X(Char,         "CHAR",         kItem,         "N",               ItemChar)     \
  X(Vige,         "VIGE",         kFirstItem,    "S",               ItemVige)     \
  X(Vigd,         "VIGD",         kFirstItem,    "S",               ItemVigd)     \
  X(Trans,        "TRANS",        kFirstItem,    "S",               ItemTrans)    \
  X(Transr,       "TRANSR",       kFirstItem,    "S",               ItemTransr)   \
  X(Substr,       "SUBSTR",       kFirstItem,    "S",               ItemSubstr)   \
  X(Rot13,        "ROT13",        kItem,         "S:13",            ItemRot13)    \
  X(Colon,        ":",            kPunctuation,  "",                nullptr)      \
  X(Olon,         "OLON",         kSetting,      "",                nullptr)      \
  X(Equals,       "=",            kPunctuation,  "",                nullptr)      \
  X(Olat,         "OLAT",         kSetting,      "",                nullptr)      \
  X(Debug,        "DEBUG",        kSetting,      "",                nullptr)      \
  X(Margin,       "MARGIN",       kSetting,      "",                nullptr)      \
  X(Lin3,         "LIN3",         kStatement,    "NNNNNNNNNNNNVVV", HandleLin3)   \
  X(Gps2Utm,      "GPS2UTM",      kStatement,    "NNVVVV",          HandleGps2Utm) \
  X(Utm2Gps,      "UTM2GPS",      kStatement,    "NNNNVV",          HandleUtm2Gps) \
  X(Cp,           "CP",           kStatement,    "NNNNVV",          HandleCp)     \
  X(Cbp,          "CBP",          kStatement,    "NNNNVV",          HandleCbp)    \
  X(Gps2Gk,       "GPS2GK",       kStatement,    "NNNVV",           HandleGps2Gk) \
  X(Gk2Gps,       "GK2GPS",       kStatement,    "NNVV",            HandleGk2Gps) \
  X(Center,       "CENTER",       kStatement,    "NNNNNNVV",        HandleCenter) \
  X(Kreuzpeilung, "KREUZPEILUNG", kStatement,    "NNNNNNVV",        HandleKreuzpeilung) \
  X(Bogenschnitt, "BOGENSCHNITT", kStatement,    "NNNNNNVVVV",      HandleBogenschnitt) \
  X(Vigi,         "VIGI",         kStatement,    "S",               HandleVigi)   \
  X(Transi,       "TRANSI",       kStatement,    "S",               HandleTransi) \
  X(Substri,      "SUBSTRI",      kStatement,    "S",               HandleSubstri) \
  X(EnigmaInit,   "ENIGMAINIT",   kStatement,    "SSSS",            HandleEnigmaInit) \
  X(EnigmaRun,    "ENIGMARUN",    kStatement,    "S",               HandleEnigmaRun) \
  X(EnigmaInfo,   "ENIGMAINFO",   kBareStatement, "",               HandleEnigmaInfo) \
  X(EnigmaWheels, "ENIGMAWHEELS", kBareStatement, "",               HandleEnigmaWheels) \
  X(Plus,         "+",            kOperator,     "",                nullptr)      \
  X(Minus,        "-",            kOperator,     "",                nullptr)      \
  X(Star,         "*",            kOperator,     "",                nullptr)      \
  X(Slash,        "/",            kOperator,     "",                nullptr)      \
  X(Caret,        "^",            kOperator,     "",                nullptr)      \
  X(Bar,          "|",            kOperator,     "",                nullptr)      \
  X(Pi,           "PI",           kConstant,     "",                nullptr)      \
  X(DegE,         "\xB0" "E",     kCoordinate,   "",                nullptr)      \
  X(DegN,         "\xB0" "N",     kCoordinate,   "",                nullptr)      \
  X(DegW,         "\xB0" "W",     kCoordinate,   "",                nullptr)      \
  X(DegS,         "\xB0" "S",     kCoordinate,   "",                nullptr)      \
  X(Cos,          "COS",          kFunction,     "N",               FnCos)        \
  X(Acos,         "ACOS",         kFunction,     "N",               FnAcos)       \
  X(Sin,          "SIN",          kFunction,     "N",               FnSin)        \
  X(Asin,         "ASIN",         kFunction,     "N",               FnAsin)       \
  X(Tan,          "TAN",          kFunction,     "N",               FnTan)        \
  X(Tanh,         "TANH",         kFunction,     "N",               FnTanh)       \
  X(Atan,         "ATAN",         kFunction,     "N",               FnAtan)       \
  X(Atan2,        "ATAN2",        kFunction,     "NN",              FnAtan2)      \
  X(Ceil,         "CEIL",         kFunction,     "N",               FnCeil)       \
  X(Exp,          "EXP",          kFunction,     "N",               FnExp)        \
  X(Fabs,         "FABS",         kFunction,     "N",               FnFabs)       \
  X(Floor,        "FLOOR",        kFunction,     "N",               FnFloor)      \
  X(Fmod,         "FMOD",         kFunction,     "NN",              FnFmod)       \
  X(Pow,          "POW",          kFunction,     "NN",              FnPow)        \
  X(Sqrt,         "SQRT",         kFunction,     "N",               FnSqrt)       \
  X(Gmmmm,        "GMMMM",        kFunction,     "NNNNN",           FnGmmmm)      \
  X(BearingUtm,   "BEARINGUTM",   kFunction,     "NNNN",            FnBearingUtm) \
  X(DistUtm,      "DISTUTM",      kFunction,     "NNNN",            FnDistUtm)    \
  X(DistVincenty, "DISTVINCENTY", kFunction,     "NNNN",            FnDistVincenty) \
  X(ProjUtmLat,   "PROJUTMLAT",   kFunction,     "NNNN",            FnProjUtmLat) \
  X(ProjUtmLon,   "PROJUTMLON",   kFunction,     "NNNN",            FnProjUtmLon) \
  X(Mkz,          "MKZ",          kFunction,     "N",               FnMkz)        \
  X(Qsum,         "QSUM",         kFunction,     "N",               FnQsum)       \
  X(Qqsum,        "QQSUM",        kFunction,     "N",               FnQqsum)      \
  X(Kqsum,        "KQSUM",        kFunction,     "N",               FnKqsum)      \
  X(Torad,        "TORAD",        kFunction,     "N",               FnTorad)      \
  X(Todeg,        "TODEG",        kFunction,     "N",               FnTodeg)      \
  X(Ord,          "ORD",          kFunction,     "S",               FnOrd)        \
  X(Alpha,        "ALPHA",        kFunction,     "S",               FnAlpha)      \
  X(Sumrom,       "SUMROM",       kFunction,     "S",               FnSumrom)     \
  X(Sumkas,       "SUMKAS",       kFunction,     "S",               FnSumkas)     \
  X(Sumjen,       "SUMJEN",       kFunction,     "S",               FnSumjen)     \
  X(Summer,       "SUMMER",       kFunction,     "S",               FnSummer)     \
  X(Sumkah,       "SUMKAH",       kFunction,     "S",               FnSumkah)     \
  X(Summey,       "SUMMEY",       kFunction,     "S",               FnSummey)     \
  X(Sumker,       "SUMKER",       kFunction,     "S",               FnSumker)     \
  X(Sumdev,       "SUMDEV",       kFunction,     "S",               FnSumdev)     \
  X(Sumeyr,       "SUMEYR",       kFunction,     "S",               FnSumeyr)     \
  X(NoSym,        "",             kNoSymbol,     "",                nullptr)      \
  X(Pasted,       "",             kCoordinate,   "",                nullptr)      \
  X(Wgc,          "WGC",          kItem,         "NN",              ItemWgc)      \
  X(Wdms,         "WDMS",         kItem,         "NN",              ItemWdms)     \
  X(Gps2Dhdn,     "GPS2DHDN",     kStatement,    "NNNVV",           HandleGps2Dhdn) \
  X(Dhdn2Gps,     "DHDN2GPS",     kStatement,    "NNVV",            HandleDhdn2Gps) \
  X(Azsum,        "AZSUM",        kFunction,     "S",               FnAzsum)      \
  X(Zasum,        "ZASUM",        kFunction,     "S",               FnZasum)      \
  X(Aztext,       "AZTEXT",       kItem,         "S",               ItemAztext)   \
  X(Caesar,       "CAESAR",       kItem,         "SN",              ItemCaesar)   \
  X(CaesarAll,    "CAESARALL",    kItem,         "S",               ItemCaesarAll) \
  X(Atbash,       "ATBASH",       kItem,         "S",               ItemAtbash)   \
  X(Rom2Num,      "ROM2NUM",      kFunction,     "S",               FnRom2Num)    \
  X(Num2Rom,      "NUM2ROM",      kItem,         "N",               ItemNum2Rom)  \
  X(Base2Num,     "BASE2NUM",     kFunction,     "SN",              FnBase2Num)   \
  X(Num2Base,     "NUM2BASE",     kItem,         "NN",              ItemNum2Base) \
  X(Text2Codes,   "TEXT2CODES",   kItem,         "SN",              ItemText2Codes) \
  X(Codes2Text,   "CODES2TEXT",   kItem,         "SN",              ItemCodes2Text) \
  X(NthPrime,     "NTHPRIME",     kFunction,     "N",               FnNthPrime)   \
  X(IsPrime,      "ISPRIME",      kFunction,     "N",               FnIsPrime)    \
  X(PrimeFactors, "PRIMEFACTORS", kItem,         "N",               ItemPrimeFactors) \
  X(Weekday,      "WEEKDAY",      kFunction,     "NNN",             FnWeekday)    \
  X(DaysBetween,  "DAYSBETWEEN",  kFunction,     "NNNNNN",          FnDaysBetween) \
  X(DatePlus,     "DATEPLUS",     kStatement,    "NNNNVVV",         HandleDatePlus) \
  X(Wdate,        "WDATE",        kItem,         "NNN",             ItemWdate)    \
  X(Polye,        "POLYE",        kItem,         "SS",              ItemPolye)    \
  X(Polyd,        "POLYD",        kItem,         "SS",              ItemPolyd)    \
  X(Playfaire,    "PLAYFAIRE",    kItem,         "SS",              ItemPlayfaire) \
  X(Playfaird,    "PLAYFAIRD",    kItem,         "SS",              ItemPlayfaird) \
  X(Bacone,       "BACONE",       kItem,         "SN",              ItemBacone)   \
  X(Bacond,       "BACOND",       kItem,         "SN",              ItemBacond)   \
  X(Raile,        "RAILE",        kItem,         "SN",              ItemRaile)    \
  X(Raild,        "RAILD",        kItem,         "SN",              ItemRaild)    \
  X(Text2Taps,    "TEXT2TAPS",    kItem,         "S",               ItemText2Taps) \
  X(Taps2Text,    "TAPS2TEXT",    kItem,         "S",               ItemTaps2Text) \
  X(Text2Keys,    "TEXT2KEYS",    kItem,         "S",               ItemText2Keys) \
  X(CenterExact,  "CENTEREXACT",  kStatement,    "NNNNNNVV",        HandleCenterExact) \
  X(KreuzpeilungExact, "KREUZPEILUNGEXACT", kStatement, "NNNNNNVV", HandleKreuzpeilungExact) \
  X(BogenschnittExact, "BOGENSCHNITTEXACT", kStatement, "NNNNNNVVVV", HandleBogenschnittExact) \
  X(Wgcqsum,      "WGCQSUM",      kFunction,     "NN",              FnWgcqsum)    \
  X(Kqsumgc,      "KQSUMGC",      kFunction,     "N",               FnKqsumgc) \
  X(Gps2Mgrs,     "GPS2MGRS",     kStatement,    "NNVVVV",          HandleGps2Mgrs) \
  X(Mgrs2Gps,     "MGRS2GPS",     kStatement,    "SVV",             HandleMgrs2Gps) \
  X(Wmgrs,        "WMGRS",        kItem,         "NNNN:5",          ItemWmgrs)    \
  X(Wloc,         "WLOC",         kItem,         "NN:6",            ItemWloc)     \
  X(Loc2Gps,      "LOC2GPS",      kStatement,    "SVV",             HandleLoc2Gps) \
  X(Wgeohash,     "WGEOHASH",     kItem,         "NN:9",            ItemWgeohash) \
  X(Geohash2Gps,  "GEOHASH2GPS",  kStatement,    "SVV",             HandleGeohash2Gps) \
  X(Wplus,        "WPLUS",        kItem,         "NN:10",           ItemWplus)    \
  X(Plus2Gps,     "PLUS2GPS",     kStatement,    "SVV",             HandlePlus2Gps) \
  X(PlusNear2Gps, "PLUSNEAR2GPS", kStatement,    "SNNVV",           HandlePlusNear2Gps) \
  X(Gps2Lv95,     "GPS2LV95",     kStatement,    "NNVV",            HandleGps2Lv95) \
  X(Lv952Gps,     "LV952GPS",     kStatement,    "NNVV",            HandleLv952Gps) \
  X(Wlv95,        "WLV95",        kItem,         "NN",              ItemWlv95)    \
  X(Gps2Lv03,     "GPS2LV03",     kStatement,    "NNVV",            HandleGps2Lv03) \
  X(Lv032Gps,     "LV032GPS",     kStatement,    "NNVV",            HandleLv032Gps) \
  X(Wlv03,        "WLV03",        kItem,         "NN",              ItemWlv03) \
  X(Gps2Osgb,     "GPS2OSGB",     kStatement,    "NNVV",            HandleGps2Osgb) \
  X(Osgb2Gps,     "OSGB2GPS",     kStatement,    "NNVV",            HandleOsgb2Gps) \
  X(Wosgb,        "WOSGB",        kItem,         "NN:5",            ItemWosgb)    \
  X(OsgbRef2Gps,  "OSGBREF2GPS",  kStatement,    "SVV",             HandleOsgbRef2Gps) \
  X(Gps2Rd,       "GPS2RD",       kStatement,    "NNVV",            HandleGps2Rd) \
  X(Rd2Gps,       "RD2GPS",       kStatement,    "NNVV",            HandleRd2Gps) \
  X(Wrd,          "WRD",          kItem,         "NN",              ItemWrd) \
  X(Gps2Mgi,      "GPS2MGI",      kStatement,    "NNNVV",           HandleGps2Mgi) \
  X(Mgi2Gps,      "MGI2GPS",      kStatement,    "NNVV",            HandleMgi2Gps) \
  X(Wmgi,         "WMGI",         kItem,         "NN",              ItemWmgi)     \
  X(Gps2Lambert,  "GPS2LAMBERT",  kStatement,    "NNVV",            HandleGps2Lambert) \
  X(Lambert2Gps,  "LAMBERT2GPS",  kStatement,    "NNVV",            HandleLambert2Gps) \
  X(Wlambert,     "WLAMBERT",     kItem,         "NN",              ItemWlambert) \
  X(Final2Gps,    "FINAL2GPS",    kStatement,    "SVV",             HandleFinal2Gps) \
  X(Finalqsum,    "FINALQSUM",    kFunction,     "S",               FnFinalqsum)
// clang-format on
