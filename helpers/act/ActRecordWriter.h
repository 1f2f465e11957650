#pragma once
// The records of the four ACT! data files ("ACTAddr.dat", "ACTDate.dat",
// "ACTTask.dat", "ACTNote.dat"), field by field in their fixed layouts.
// Each record begins with two state values, written as 0; the fields the
// program keeps without reading are written as 0 too. Texts are cut to
// their fields' capacities on whole UTF-8 characters.
#include "helpers/act/ActData.h"
#include "helpers/exchange/ExchangeDataWriter.h"

namespace act {

void WriteContact(ExchangeDataWriter& out, const Contact& contact);
void WriteActivity(ExchangeDataWriter& out, const Activity& activity);
void WriteTodo(ExchangeDataWriter& out, const Todo& todo);
void WriteNote(ExchangeDataWriter& out, const Note& note);

}  // namespace act
