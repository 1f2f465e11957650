#pragma once
// A contact of a vCard export as the record of the Lotus Notes contacts
// data file.
#include "helpers/lotus/LnRecords.h"
#include "helpers/pim/PimRecords.h"

namespace lotus_helper {

// Every value of `contact` in a field of the record: the first work and
// home e-mail addresses, phones, addresses and web sites by their types,
// the ones without a field of their own as labelled custom values, and
// what the ten custom pairs cannot hold at the end of the note.
LnContact ContactRecord(const pim::Contact& contact);

}  // namespace lotus_helper
