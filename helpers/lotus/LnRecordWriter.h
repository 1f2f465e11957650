#pragma once
// Writes the records of the Lotus Notes data files field by field in their
// exact layout (after the header 0 0), every text cut to its capacity at a
// character boundary.
#include "helpers/exchange/ExchangeDataWriter.h"
#include "helpers/lotus/LnRecords.h"

namespace lotus_helper {

void WriteRecord(ExchangeDataWriter& out, const LnContact& record);
void WriteRecord(ExchangeDataWriter& out, const LnEntry& record);
void WriteRecord(ExchangeDataWriter& out, const LnTodo& record);
void WriteRecord(ExchangeDataWriter& out, const LnDocument& record);

}  // namespace lotus_helper
