// Norrbek.GoogleCalendar: writes a Google account's calendar events and
// calendars, from an export or online, into the calendar data files.
#include "helpers/google/GoogleHelper.h"

int main(int argc, char** argv) { return google_helper::RunHelper(argc, argv, true); }
