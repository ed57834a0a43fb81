#pragma once

#include <string>
#include <vector>

// "%d.%d.%d" of the first three numbers and "%d.%d.%d.%d" of all four of a firmware version;
// empty unless it has four numbers.
std::string Version3Text(const std::vector<int>& version);
std::string Version4Text(const std::vector<int>& version);

// Orders dotted version texts part by part as numbers, so that 5.1.16.0 comes after 5.1.7.3.
// A part counts by its leading digits; a text with fewer parts comes first when the others
// agree; texts of equal numbers fall back to byte order. A strict weak order, fit for sorting.
bool VersionLess(const std::string& a, const std::string& b);
