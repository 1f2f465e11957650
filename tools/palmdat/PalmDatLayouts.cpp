#include "tools/palmdat/PalmDatLayouts.h"

#include <initializer_list>
#include <iterator>
#include <vector>

namespace palmdat {

namespace {

// Type codes: 1 long, 3 date, 5 text, 6 flag, 8 repeat event, 64 to 67
// extended blocks, 68 double.

// The first 13 positions of every 4.1.4 record.
const FieldDef kExHead[] = {
    {1, "record ID"},         {1, "unused 1"},          {1, "status"},
    {1, "unused 3"},          {1, "placement"},         {1, "category ID"},
    {6, "unused 6"},          {64, "extended block 1"}, {65, "extended block 2"},
    {66, "extended block 3"}, {67, "extended block 4"}, {5, "unused 11"},
    {5, "unused 12"},
};

std::vector<FieldDef> Ex(std::initializer_list<FieldDef> rest) {
    std::vector<FieldDef> all(std::begin(kExHead), std::end(kExHead));
    all.insert(all.end(), rest);
    return all;
}

const std::vector<FieldDef> kAddressEx = Ex({
    {5, "first name"},     {5, "last name"},     {5, "title"},         {5, "company"},       {1, "primary contact"},
    {5, "note"},           {5, "phone 1"},       {5, "phone 2"},       {5, "phone 3"},       {5, "phone 4"},
    {5, "phone 5"},        {5, "phone 6"},       {5, "phone 7"},       {1, "phone label 1"}, {1, "phone label 2"},
    {1, "phone label 3"},  {1, "phone label 4"}, {1, "phone label 5"}, {1, "phone label 6"}, {1, "phone label 7"},
    {5, "custom 1"},       {5, "custom 2"},      {5, "custom 3"},      {5, "custom 4"},      {5, "custom 5"},
    {5, "custom 6"},       {5, "custom 7"},      {5, "custom 8"},      {5, "custom 9"},      {1, "unused 42"},
    {5, "work street"},    {5, "work city"},     {5, "work state"},    {5, "work zip code"}, {5, "work country"},
    {1, "unused 48"},      {5, "home street"},   {5, "home city"},     {5, "home state"},    {5, "home zip code"},
    {5, "home country"},   {1, "unused 54"},     {5, "other street"},  {5, "other city"},    {5, "other state"},
    {5, "other zip code"}, {5, "other country"}, {5, "IM 1"},          {5, "IM 2"},          {1, "IM label 1"},
    {1, "IM label 2"},     {5, "home page"},     {68, "birthday"},     {6, "unused 66"},     {1, "unused 67"},
    {1, "unused 68"},      {5, "unused 69"},     {5, "unused 70"},     {5, "unused 71"},     {5, "unused 72"},
});

const FieldDef kAddress[] = {
    {1, "record ID"},     {1, "status"},        {1, "placement"},     {5, "last name"},     {5, "first name"},
    {5, "title"},         {5, "company"},       {1, "phone label 1"}, {5, "phone 1"},       {1, "phone label 2"},
    {5, "phone 2"},       {1, "phone label 3"}, {5, "phone 3"},       {1, "phone label 4"}, {5, "phone 4"},
    {1, "phone label 5"}, {5, "phone 5"},       {5, "street"},        {5, "city"},          {5, "state"},
    {5, "zip code"},      {5, "country"},       {5, "note"},          {6, "unused 23"},     {1, "category ID"},
    {5, "custom 1"},      {5, "custom 2"},      {5, "custom 3"},      {5, "custom 4"},      {1, "primary contact"},
};

const std::vector<FieldDef> kDatebookEx = Ex({
    {3, "start"},
    {3, "end"},
    {5, "description"},
    {1, "unused 16"},
    {5, "note"},
    {6, "untimed"},
    {6, "alarm set"},
    {1, "alarm advance"},
    {1, "alarm advance unit"},
    {8, "repeat"},
    {5, "location"},
    {1, "unused 24"},
    {5, "unused 25"},
    {5, "unused 26"},
});

const FieldDef kDatebook[] = {
    {1, "record ID"},     {1, "status"},
    {1, "placement"},     {3, "start"},
    {1, "end"},           {5, "description"},
    {1, "unused 6"},      {5, "note"},
    {6, "untimed"},       {6, "unused 9"},
    {1, "category ID"},   {6, "alarm set"},
    {1, "alarm advance"}, {1, "alarm advance unit"},
    {8, "repeat"},
};

const std::vector<FieldDef> kTodoEx = Ex({
    {5, "description"},
    {3, "due date"},
    {6, "completed"},
    {1, "priority"},
    {5, "note"},
    {6, "unused 18"},
    {3, "unused 19"},
    {6, "alarm set"},
    {3, "unused 21"},
    {1, "unused 22"},
    {3, "unused 23"},
    {8, "repeat"},
});

const FieldDef kTodo[] = {
    {1, "record ID"}, {1, "status"},   {1, "placement"}, {5, "description"}, {3, "due date"},
    {6, "completed"}, {1, "priority"}, {6, "private"},   {1, "category ID"}, {5, "note"},
};

const std::vector<FieldDef> kMemoEx = Ex({
    {5, "text"},
});

const FieldDef kMemo[] = {
    {1, "record ID"}, {1, "status"}, {1, "placement"}, {5, "text"}, {6, "private"}, {1, "category ID"},
};

static_assert(std::size(kAddress) == 30 && std::size(kDatebook) == 15 && std::size(kTodo) == 10 &&
              std::size(kMemo) == 6);

}  // namespace

std::span<const FieldDef> FieldDefs(Kind kind, Format format) {
    const bool ex = format == Format::V414;
    switch (kind) {
    case Kind::Address: return ex ? std::span<const FieldDef>(kAddressEx) : kAddress;
    case Kind::Datebook: return ex ? std::span<const FieldDef>(kDatebookEx) : kDatebook;
    case Kind::Todo: return ex ? std::span<const FieldDef>(kTodoEx) : kTodo;
    case Kind::Memo: return ex ? std::span<const FieldDef>(kMemoEx) : kMemo;
    }
    return {};
}

}  // namespace palmdat
