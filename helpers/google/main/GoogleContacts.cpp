// Norrbek.GoogleContacts: writes a Google account's contacts, from an
// export or online, into the contacts data file.
#include "helpers/google/GoogleHelper.h"

int main(int argc, char** argv) { return google_helper::RunHelper(argc, argv, false); }
