// Norrbek.LotusContacts: writes an address book's contacts, read from
// Notes' own export of the database, into its data file.
#include "helpers/lotus/LotusHelper.h"

int main(int argc, char** argv) { return lotus_helper::RunHelper(argc, argv, lotus_helper::LnKind::Contacts); }
