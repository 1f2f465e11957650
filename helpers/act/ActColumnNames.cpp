#include "helpers/act/ActColumnNames.h"

#include <map>

#include "common/ACT/CxACTAddrFields.h"

namespace act {

namespace {

constexpr std::int32_t Business(ACTAddressPart part) { return kACTBusinessCountry + static_cast<std::int32_t>(part); }
constexpr std::int32_t Home(ACTAddressPart part) { return kACTHomeCountry + static_cast<std::int32_t>(part); }

// Names ACT! uses besides the catalogue's own, as keys.
struct Alias {
    const char* name;
    std::int32_t id;
};

constexpr Alias kAliases[] = {
    {"contact", kACTFullName},
    {"contactname", kACTFullName},
    {"name", kACTFullName},
    {"prefix", kACTNamePrefix},
    {"suffix", kACTNameSuffix},
    {"dear", kACTSalutation},
    {"jobtitle", kACTTitle},
    {"companyname", kACTCompany},
    {"createdby", 2},
    {"createuser", 2},
    {"editedby", 3},
    {"lasteditedby", 3},
    {"edituser", 3},
    {"manager", 4},
    {"contactid", kACTRecordID},
    {"uniqueid", kACTRecordID},
    {"idstatus", kACTCategory},
    {"categories", kACTCategory},
    {"address1", Business(kACTAddrLine1)},
    {"address2", Business(kACTAddrLine2)},
    {"address3", Business(kACTAddrLine3)},
    {"address", Business(kACTAddrLine1)},
    {"city", Business(kACTAddrCity)},
    {"state", Business(kACTAddrState)},
    {"province", Business(kACTAddrState)},
    {"zip", Business(kACTAddrPostal)},
    {"zipcode", Business(kACTAddrPostal)},
    {"postalcode", Business(kACTAddrPostal)},
    {"postcode", Business(kACTAddrPostal)},
    {"country", Business(kACTAddrCountry)},
    {"businesszip", Business(kACTAddrPostal)},
    {"businesszipcode", Business(kACTAddrPostal)},
    {"businesspostalcode", Business(kACTAddrPostal)},
    {"homezip", Home(kACTAddrPostal)},
    {"homezipcode", Home(kACTAddrPostal)},
    {"homepostalcode", Home(kACTAddrPostal)},
    {"phone", kACTBusinessPhone},
    {"phoneextension", kACTBusinessPhoneExtension},
    {"faxextension", kACTFaxExtension},
    {"faxphone", kACTFax},
    {"businessfax", kACTFax},
    {"mobile", kACTMobilePhone},
    {"mobileextension", kACTMobilePhoneExtension},
    {"cellphone", kACTMobilePhone},
    {"cellular", kACTMobilePhone},
    {"homeextension", kACTHomePhoneExtension},
    {"pagerphone", kACTPager},
    {"altphone", kACTAlternatePhone},
    {"altphoneextension", kACTAlternatePhoneExtension},
    {"alternatephoneextension", kACTAlternatePhoneExtension},
    {"alternateextension", kACTAlternatePhoneExtension},
    {"email", kACTBusinessEmail},
    {"emailaddress", kACTBusinessEmail},
    {"businessemailaddress", kACTBusinessEmail},
    {"homeemail", kACTPersonalEmail},
    {"personalemailaddress", kACTPersonalEmail},
    {"web", kACTWebsite},
    {"website", kACTWebsite},
    {"webaddress", kACTWebsite},
    {"url", kACTWebsite},
    {"messengerid", kACTInstantMessenger},
    {"im", kACTInstantMessenger},
    {"spouse", kACTSpouseName},
    {"birthdate", kACTBirthday},
    {"dateofbirth", kACTBirthday},
    {"created", kACTCreateDate},
    {"createdate", kACTCreateDate},
    {"datecreated", kACTCreateDate},
    {"edited", kACTEditDate},
    {"editdate", kACTEditDate},
    {"lastedited", kACTEditDate},
    {"letterdate", 69},
    {"lastemailed", 66},
    {"private", kACTIsPrivate},
    {"2ndcontact", 72},
    {"secondcontact", 72},
    {"2ndtitle", 74},
    {"2ndphone", kACTSecondaryPhone},
    {"2ndphoneextension", kACTSecondaryPhone + 3},
    {"2ndemail", kACTSecondaryEmail},
};

std::map<std::string, std::int32_t> BuildKeys() {
    std::map<std::string, std::int32_t> keys;
    for (const ACTFieldInfo& f : ACTAddrFields()) keys.emplace(ColumnKey(f.Label), f.FieldID);
    for (int i = 1; i <= 10; ++i) {
        keys.emplace("user" + std::to_string(i), kACTUserDefined1 + i - 1);
        keys.emplace("userfield" + std::to_string(i), kACTUserDefined1 + i - 1);
    }
    for (const Alias& a : kAliases) keys.emplace(a.name, a.id);
    return keys;
}

}  // namespace

std::string ColumnKey(std::string_view name) {
    std::string key;
    for (const char c : name) {
        if (c >= 'A' && c <= 'Z')
            key.push_back(static_cast<char>(c - 'A' + 'a'));
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            key.push_back(c);
    }
    // "Phone Ext." and "Phone Extension" name the same field.
    if (key.size() > 3 && key.compare(key.size() - 3, 3, "ext") == 0) key += "ension";
    return key;
}

std::int32_t FieldOfColumn(std::string_view name) {
    static const std::map<std::string, std::int32_t> keys = BuildKeys();
    const auto it = keys.find(ColumnKey(name));
    return it == keys.end() ? 0 : it->second;
}

}  // namespace act
