#pragma once
// The contact fields that a source application's custom field map can
// pick from: the entries of the source adapter's catalogue, in its order.
#include <string>
#include <vector>

#include "app/Settings.h"

struct FieldCatalogueEntry {
    int id;  // the catalogue's field ID (never 0)
    std::string label;
};

// The catalogue of source `appId` (ACT!, Google, Lotus Notes or Palm
// Desktop); empty for any other application. The Palm Desktop catalogue is
// the one of the generation the contacts are read with: the chosen
// contacts file's when the settings name one, else the installed one.
std::vector<FieldCatalogueEntry> ContactFieldCatalogue(int appId, const Settings& settings);
