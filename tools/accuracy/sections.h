// The sections of docs/accuracy.md; each measures one family of functions
// against GeographicLib (the datum shift against PROJ's cs2cs), returns its Markdown text and
// records the few figures that the summary at the top quotes.
#pragma once

#include <map>
#include <string>

namespace orbelin::accuracy {

using Figures = std::map<std::string, double>;

std::string GeodesicSection(Figures& f);
std::string GridSection(Figures& f);
std::string ConstructionsSection(Figures& f);
std::string BoundsSection(Figures& f);
// The exact statements and the plane's warnings, run through the interpreter.
std::string ExactSection(Figures& f);
// Against cs2cs with the BETA2007 grid, where cs2cs is installed.
std::string DatumSection(Figures& f);

// MGRS against GeographicLib's MGRS and UTMUPS.
std::string MgrsSection(Figures& f);

// The location codes against GeographicLib's Geohash, npm's plus codes
// and the locator's definition.
std::string CodesSection(Figures& f);

// The national grids against cs2cs, at the borders and across each country.
std::string NationalGridsSection(Figures& f);

// "How far to trust each function", from the recorded figures.
std::string Summary(const Figures& f);

}  // namespace orbelin::accuracy
