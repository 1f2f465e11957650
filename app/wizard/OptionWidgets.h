#pragma once
// What the option pages share: the heading, the rows of captioned edits
// with a browse button, the version label, the mapping box, the page's
// message box, the open-file dialog and the copies into the settings.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QVBoxLayout>
#include <cstddef>
#include <initializer_list>
#include <string>

#include "platform/text/TextCopy.h"
#include "platform/ui/UserInterface.h"

namespace wizard {

// The page's heading at the top of its layout.
QLabel* AddHeading(QVBoxLayout* layout, const QString& text);
// A label of explanation, wrapped to the page's width.
QLabel* AddNote(QVBoxLayout* layout, const QString& text, const char* name);

// One row of a form: its caption, its edit and, when `buttonName` is given,
// a browse button "..." beside the edit.
struct EditRow {
    QLabel* caption = nullptr;
    QLineEdit* edit = nullptr;
    QPushButton* browse = nullptr;
};
EditRow AddEditRow(QGridLayout* grid, int row, const QString& caption, const char* editName,
                   const char* buttonName = nullptr);
// Shows the edit's text as "*" for every character.
void MaskPassword(QLineEdit* edit);

// A row of a caption and a version label.
QLabel* AddVersionRow(QGridLayout* grid, int row, const QString& caption, const char* labelName);
// The version in blue, or `unknown` in red when there is none.
void ShowVersion(QLabel* label, const std::string& version, const QString& unknown);

// The contacts' user-defined field mapping: its box, its check box and the
// button that opens the mapping dialog.
struct MappingBox {
    QGroupBox* box = nullptr;
    QCheckBox* cbFieldMap = nullptr;
    QPushButton* btnMap = nullptr;
};
MappingBox AddMappingBox(QVBoxLayout* layout, const QString& caption);
// Hides the box and its controls.
void HideMappingBox(const MappingBox& mapping);

// A check box named `name`.
QCheckBox* MakeCheckBox(const QString& caption, const char* name);

// A message box over the page, captioned "Error"; its text also goes to the
// debug log as a critical entry.
void ShowPageMessage(QWidget* page, const char* text, platform::MessageIcon icon = platform::MessageIcon::Error);

// A filter of an open-file dialog: the text the user sees followed by its
// pattern in parentheses, unless the text ends with them already.
QString Filter(const QString& text, const QString& pattern);
// The open-file dialog over the page; an empty text when it was cancelled.
QString AskForFile(QWidget* page, const QString& title, const QStringList& filters, const QString& start);

// A default location's lookup (text buffer and size) as a text; empty when
// it finds nothing.
using PathLookup = bool (*)(char*, std::size_t);
QString LookupText(PathLookup lookup);
// Where a browse dialog starts: the edit's text, else the lookup's result.
QString BrowseStart(const QLineEdit* edit, PathLookup lookup);

// True when the path names an existing regular file (a name copied from
// Windows matches without regard to case).
bool FileExists(const QString& path);

// A settings text as the edits show it.
template <std::size_t N>
QString SettingText(const char (&text)[N]) {
    const std::string_view view = platform::TextView(text);
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}
// Stores an edit's text into a settings text: at most `maxBytes` bytes (at
// most the member's capacity less its terminator), never half a character.
void CopyEditText(char* member, std::size_t capacity, const QString& text, std::size_t maxBytes);
template <std::size_t N>
void StoreText(char (&member)[N], const QString& text, std::size_t maxBytes = N - 1) {
    CopyEditText(member, N, text, maxBytes);
}

// Tab goes through the widgets in the order given.
void ChainTabOrder(std::initializer_list<QWidget*> widgets);

}  // namespace wizard
