// Norrbek.LotusNotebook: writes a notebook's documents, read from
// Notes' own export of the database, into its data file.
#include "helpers/lotus/LotusHelper.h"

int main(int argc, char** argv) { return lotus_helper::RunHelper(argc, argv, lotus_helper::LnKind::Notebook); }
