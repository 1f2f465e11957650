#include "common/records/CommFieldDesc.h"

#include <cstddef>

#include "common/records/CommAddrRec.h"
#include "common/records/CommDateRec.h"
#include "common/records/CommNoteRec.h"
#include "common/records/CommTaskRec.h"

namespace {

constexpr CommFieldDesc kAddrFields[] = {
    {1, "First Name", CommValueText, 32, offsetof(CommAddrRec, FirstName)},
    {2, "Middle Name", CommValueText, 32, offsetof(CommAddrRec, MiddleName)},
    {3, "Last Name", CommValueText, 32, offsetof(CommAddrRec, LastName)},
    {4, "Prefix", CommValueText, 32, offsetof(CommAddrRec, Prefix)},
    {5, "Suffix", CommValueText, 32, offsetof(CommAddrRec, Suffix)},
    {6, "Nick Name", CommValueText, 32, offsetof(CommAddrRec, NickName)},
    {7, "Display Name", CommValueText, 32, offsetof(CommAddrRec, DisplayName)},
    {8, "Gender", CommValueInt, 0, offsetof(CommAddrRec, Gender)},
    {9, "(Work) Street", CommValueText, 256, offsetof(CommAddrRec, WorkAddress.Street)},
    {10, "(Work) City", CommValueText, 32, offsetof(CommAddrRec, WorkAddress.City)},
    {11, "(Work) State", CommValueText, 32, offsetof(CommAddrRec, WorkAddress.State)},
    {12, "(Work) Postal", CommValueText, 16, offsetof(CommAddrRec, WorkAddress.PostalCode)},
    {13, "(Work) Country", CommValueText, 32, offsetof(CommAddrRec, WorkAddress.Country)},
    {16, "(Home) Street", CommValueText, 256, offsetof(CommAddrRec, HomeAddress.Street)},
    {17, "(Home) City", CommValueText, 32, offsetof(CommAddrRec, HomeAddress.City)},
    {18, "(Home) State", CommValueText, 32, offsetof(CommAddrRec, HomeAddress.State)},
    {19, "(Home) Postal", CommValueText, 16, offsetof(CommAddrRec, HomeAddress.PostalCode)},
    {20, "(Home) Country", CommValueText, 32, offsetof(CommAddrRec, HomeAddress.Country)},
    {23, "(Other) Street", CommValueText, 256, offsetof(CommAddrRec, OtherAddress.Street)},
    {24, "(Other) City", CommValueText, 32, offsetof(CommAddrRec, OtherAddress.City)},
    {25, "(Other) State", CommValueText, 32, offsetof(CommAddrRec, OtherAddress.State)},
    {26, "(Other) Postal", CommValueText, 16, offsetof(CommAddrRec, OtherAddress.PostalCode)},
    {27, "(Other) Country", CommValueText, 32, offsetof(CommAddrRec, OtherAddress.Country)},
    {28, "Home Phone", CommValueText, 24, offsetof(CommAddrRec, HomePhone)},
    {29, "Work Phone", CommValueText, 24, offsetof(CommAddrRec, WorkPhone)},
    {30, "Mobile Phone", CommValueText, 24, offsetof(CommAddrRec, MobilePhone)},
    {31, "Other Phone", CommValueText, 24, offsetof(CommAddrRec, OtherPhone)},
    {32, "Primary Phone", CommValueText, 24, offsetof(CommAddrRec, PrimaryPhone)},
    {33, "Callback Phone", CommValueText, 24, offsetof(CommAddrRec, CallbackPhone)},
    {34, "Car Phone", CommValueText, 24, offsetof(CommAddrRec, CarPhone)},
    {35, "Radio Phone", CommValueText, 24, offsetof(CommAddrRec, RadioPhone)},
    {36, "Work Phone 2", CommValueText, 24, offsetof(CommAddrRec, WorkPhone2)},
    {37, "Home Phone 2", CommValueText, 24, offsetof(CommAddrRec, HomePhone2)},
    {38, "Work Fax", CommValueText, 24, offsetof(CommAddrRec, WorkFax)},
    {39, "Home Fax", CommValueText, 24, offsetof(CommAddrRec, HomeFax)},
    {40, "Pager", CommValueText, 24, offsetof(CommAddrRec, Pager)},
    {41, "Email", CommValueText, 64, offsetof(CommAddrRec, Email)},
    {42, "Email 2", CommValueText, 64, offsetof(CommAddrRec, Email2)},
    {43, "Email 3", CommValueText, 64, offsetof(CommAddrRec, Email3)},
    {44, "Personal Home Page", CommValueText, 256, offsetof(CommAddrRec, PersonalHomePage)},
    {45, "Work Home Page", CommValueText, 256, offsetof(CommAddrRec, WorkHomePage)},
    {47, "FTP Site", CommValueText, 256, offsetof(CommAddrRec, FtpSite)},
    {48, "Note", CommValueText, 8192, offsetof(CommAddrRec, Note)},
    {49, "Custom 1", CommValueText, 64, offsetof(CommAddrRec, CustomValue[0])},
    {50, "Custom 2", CommValueText, 64, offsetof(CommAddrRec, CustomValue[1])},
    {51, "Custom 3", CommValueText, 64, offsetof(CommAddrRec, CustomValue[2])},
    {52, "Custom 4", CommValueText, 64, offsetof(CommAddrRec, CustomValue[3])},
    {53, "Custom 5", CommValueText, 64, offsetof(CommAddrRec, CustomValue[4])},
    {54, "Custom 6", CommValueText, 64, offsetof(CommAddrRec, CustomValue[5])},
    {55, "Custom 7", CommValueText, 64, offsetof(CommAddrRec, CustomValue[6])},
    {56, "Custom 8", CommValueText, 64, offsetof(CommAddrRec, CustomValue[7])},
    {57, "Custom 9", CommValueText, 64, offsetof(CommAddrRec, CustomValue[8])},
    {59, "Custom Label 1", CommValueText, 64, offsetof(CommAddrRec, CustomLabel[0])},
    {60, "Custom Label 2", CommValueText, 64, offsetof(CommAddrRec, CustomLabel[1])},
    {61, "Custom Label 3", CommValueText, 64, offsetof(CommAddrRec, CustomLabel[2])},
    {62, "Custom Label 4", CommValueText, 64, offsetof(CommAddrRec, CustomLabel[3])},
    {63, "Custom Label 5", CommValueText, 64, offsetof(CommAddrRec, CustomLabel[4])},
    {64, "Custom Label 6", CommValueText, 64, offsetof(CommAddrRec, CustomLabel[5])},
    {65, "Custom Label 7", CommValueText, 64, offsetof(CommAddrRec, CustomLabel[6])},
    {66, "Custom Label 8", CommValueText, 64, offsetof(CommAddrRec, CustomLabel[7])},
    {67, "Custom Label 9", CommValueText, 64, offsetof(CommAddrRec, CustomLabel[8])},
    {69, "Company", CommValueText, 64, offsetof(CommAddrRec, Company)},
    {70, "Department", CommValueText, 32, offsetof(CommAddrRec, Department)},
    {71, "Title", CommValueText, 32, offsetof(CommAddrRec, Title)},
    {72, "IM 1", CommValueText, 32, offsetof(CommAddrRec, Im1)},
    {73, "IM 2", CommValueText, 32, offsetof(CommAddrRec, Im2)},
    {74, "Manager Name", CommValueText, 32, offsetof(CommAddrRec, ManagerName)},
    {75, "Assistant Name", CommValueText, 32, offsetof(CommAddrRec, AssistantName)},
    {76, "Assistant Phone", CommValueText, 24, offsetof(CommAddrRec, AssistantPhone)},
    {77, "Spouse Name", CommValueText, 32, offsetof(CommAddrRec, SpouseName)},
    {78, "Children's Names", CommValueText, 32, offsetof(CommAddrRec, ChildrensNames)},
    {80, "Profession", CommValueText, 64, offsetof(CommAddrRec, Profession)},
    {81, "Hobby", CommValueText, 64, offsetof(CommAddrRec, Hobby)},
    {82, "Account", CommValueText, 32, offsetof(CommAddrRec, Account)},
    {83, "Anniversary", CommValueDate, 0, offsetof(CommAddrRec, Anniversary)},
    {84, "Birthday", CommValueDate, 0, offsetof(CommAddrRec, Birthday)},
    {85, "Keyword", CommValueText, 64, offsetof(CommAddrRec, Keyword)},
    {86, "Language", CommValueText, 64, offsetof(CommAddrRec, Language)},
    {87, "Location", CommValueText, 64, offsetof(CommAddrRec, Location)},
    {88, "MHS Common Name", CommValueText, 32, offsetof(CommAddrRec, MhsCommonName)},
    {89, "Customer ID", CommValueText, 32, offsetof(CommAddrRec, CustomerId)},
    {90, "Government ID", CommValueText, 32, offsetof(CommAddrRec, GovernmentId)},
    {91, "Organization ID", CommValueText, 32, offsetof(CommAddrRec, OrganizationId)},
    {92, "Category", CommValueText, 256, offsetof(CommAddrRec, Category)},
    {93, "Creation Time", CommValueDate, 0, offsetof(CommAddrRec, CreationTime)},
    {94, "Last Modification Time", CommValueDate, 0, offsetof(CommAddrRec, LastModificationTime)},
    {95, "Source Type", CommValueInt, 0, offsetof(CommAddrRec, SourceType)},
    {96, "Status", CommValueInt, 0, offsetof(CommAddrRec, Status)},
    {97, "ID", CommValueText, 64, offsetof(CommAddrRec, Id)},
    {98, "Private", CommValueFlag, 0, offsetof(CommAddrRec, Private)},
};

constexpr CommFieldDesc kDateFields[] = {
    {1, "Description", CommValueText, 256, offsetof(CommDateRec, Subject)},
    {2, "Start Time", CommValueSystemTime, 0, offsetof(CommDateRec, Start)},
    {3, "End Time", CommValueSystemTime, 0, offsetof(CommDateRec, End)},
    {4, "Start Date Time", CommValueSystemTime, 0, offsetof(CommDateRec, Start)},
    {5, "End Date Time", CommValueSystemTime, 0, offsetof(CommDateRec, End)},
    {6, "Date", CommValueSystemTime, 0, offsetof(CommDateRec, Start)},
    {7, "Note", CommValueText, 8192, offsetof(CommDateRec, Note)},
    {8, "Private", CommValueFlag, 0, offsetof(CommDateRec, Private)},
    {9, "Location", CommValueText, 256, offsetof(CommDateRec, Location)},
    {10, "Importance", CommValueInt, 0, offsetof(CommDateRec, Importance)},
    {11, "Category", CommValueText, 64, offsetof(CommDateRec, Category)},
    {12, "Alarm", CommValueFlag, 0, offsetof(CommDateRec, Alarm)},
    {13, "All Day Event", CommValueFlag, 0, offsetof(CommDateRec, AllDay)},
    {14, "Repeat", CommValueRepeat, 0, offsetof(CommDateRec, Repeat)},
};

constexpr CommFieldDesc kTaskFields[] = {
    {0, "Subject", CommValueText, 256, offsetof(CommTaskRec, Subject)},
    {1, "Note", CommValueText, 8192, offsetof(CommTaskRec, Note)},
    {2, "Priority", CommValueInt, 0, offsetof(CommTaskRec, Priority)},
    {3, "Completed", CommValueFlag, 0, offsetof(CommTaskRec, Completed)},
    {4, "DueDate", CommValueEpoch, 0, offsetof(CommTaskRec, DueDate)},
    {5, "Alarm", CommValueFlag, 0, offsetof(CommTaskRec, Alarm)},
    {6, "Private", CommValueFlag, 0, offsetof(CommTaskRec, Private)},
    {7, "Category", CommValueText, 256, offsetof(CommTaskRec, Category)},
};

constexpr CommFieldDesc kNoteFields[] = {
    {0, "Color", CommValueInt, 0, offsetof(CommNoteRec, Color)},
    {1, "Private", CommValueFlag, 0, offsetof(CommNoteRec, Private)},
    {2, "Subject", CommValueText, 256, offsetof(CommNoteRec, Subject)},
    {3, "Note", CommValueText, 20480, offsetof(CommNoteRec, Note)},
    {4, "Category", CommValueText, 256, offsetof(CommNoteRec, Category)},
    {5, "Creation Time", CommValueDate, 0, offsetof(CommNoteRec, CreationTime)},
    {6, "Last Modification Time", CommValueDate, 0, offsetof(CommNoteRec, LastModificationTime)},
    {7, "Source", CommValueInt, 0, offsetof(CommNoteRec, SourceType)},
    {8, "Status", CommValueInt, 0, offsetof(CommNoteRec, Status)},
    {9, "ID(Integer)", CommValueInt, 0, offsetof(CommNoteRec, IdNumber)},
    {10, "ID(String)", CommValueText, 32, offsetof(CommNoteRec, IdText)},
};

}  // namespace

std::span<const CommFieldDesc> CommAddrFields() { return kAddrFields; }
std::span<const CommFieldDesc> CommDateFields() { return kDateFields; }
std::span<const CommFieldDesc> CommTaskFields() { return kTaskFields; }
std::span<const CommFieldDesc> CommNoteFields() { return kNoteFields; }

const CommFieldDesc* FindCommField(std::span<const CommFieldDesc> table, int id) {
    for (const CommFieldDesc& desc : table)
        if (desc.Id == id) return &desc;
    return nullptr;
}
