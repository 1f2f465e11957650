#pragma once
// Reading the JSON answers of the Act! Web API: the token of a log-in, the
// message of a refusal, and pages of contacts, activities, opportunities and
// notes. A page is the published JSON array of records; an OData envelope
// ({"value": [...], "@odata.count": N}) is read too. Nothing read throws.
#include <string>
#include <vector>

#include "helpers/act/ActData.h"

namespace act {

// What a page held besides its records.
struct PageInfo {
    int items = 0;  // records in the page, read or not
    int total = 0;  // records in all, when the answer says; else 0
};

// The bearer token of a log-in answer: the bare token text, a JSON string,
// or an object with "access_token" or "token". False when none.
bool ReadToken(const std::string& body, std::string& token);
// The API's own message in an error answer ("Message", "message",
// "error_description", "error" of an object, or a JSON string); empty when
// the answer carries none.
std::string ReadApiMessage(const std::string& body);

// Each reader returns false, reading nothing, when the body is not a page.
bool ReadContactsPage(const std::string& body, std::vector<Contact>& contacts, PageInfo& page);
// Calendar activities into `calendar`, to-do activities into `todos`.
bool ReadActivitiesPage(const std::string& body, std::vector<Activity>& calendar, std::vector<Todo>& todos,
                        PageInfo& page);
// Opportunities as to-dos (without their notes).
bool ReadOpportunitiesPage(const std::string& body, std::vector<Todo>& todos, PageInfo& page);
bool ReadNotesPage(const std::string& body, std::vector<Note>& notes, PageInfo& page);

// The activity type of the calendar file for the API's type name (and its
// id when the name is unknown).
int ActivityTypeOf(const std::string& typeName, int typeId);

}  // namespace act
