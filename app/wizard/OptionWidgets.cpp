#include "app/wizard/OptionWidgets.h"

#include <QFont>
#include <QRegularExpression>
#include <algorithm>

#include "app/wizard/WindowHandle.h"
#include "app/wizard/WizardServices.h"
#include "common/misc/CxDebugUtil.h"
#include "platform/file/Folder.h"
#include "platform/paths/Paths.h"

namespace wizard {

QLabel* AddHeading(QVBoxLayout* layout, const QString& text) {
    auto* heading = new QLabel(text);
    heading->setObjectName(QStringLiteral("lblHeading"));
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    layout->addWidget(heading);
    return heading;
}

QLabel* AddNote(QVBoxLayout* layout, const QString& text, const char* name) {
    auto* note = new QLabel(text);
    note->setObjectName(QLatin1String(name));
    note->setWordWrap(true);
    layout->addWidget(note);
    return note;
}

EditRow AddEditRow(QGridLayout* grid, int row, const QString& caption, const char* editName, const char* buttonName) {
    EditRow r;
    r.caption = new QLabel(caption);
    r.edit = new QLineEdit;
    r.edit->setObjectName(QLatin1String(editName));
    r.caption->setBuddy(r.edit);
    grid->addWidget(r.caption, row, 0);
    grid->addWidget(r.edit, row, 1);
    if (buttonName != nullptr) {
        r.browse = new QPushButton(QStringLiteral("..."));
        r.browse->setObjectName(QLatin1String(buttonName));
        r.browse->setAutoDefault(false);
        r.browse->setToolTip(QStringLiteral("Browse"));
        grid->addWidget(r.browse, row, 2);
    }
    return r;
}

void MaskPassword(QLineEdit* edit) {
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
}

QLabel* AddVersionRow(QGridLayout* grid, int row, const QString& caption, const char* labelName) {
    auto* label = new QLabel;
    label->setObjectName(QLatin1String(labelName));
    grid->addWidget(new QLabel(caption), row, 0);
    grid->addWidget(label, row, 1, 1, 2);
    return label;
}

void ShowVersion(QLabel* label, const std::string& version, const QString& unknown) {
    const bool known = !version.empty();
    label->setText(known ? QString::fromStdString(version) : unknown);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, known ? QColor(Qt::blue) : QColor(Qt::red));
    label->setPalette(palette);
}

MappingBox AddMappingBox(QVBoxLayout* layout, const QString& caption) {
    MappingBox m;
    m.box = new QGroupBox;
    m.box->setObjectName(QStringLiteral("gbFieldMap"));
    auto* inner = new QHBoxLayout(m.box);
    m.cbFieldMap = MakeCheckBox(caption, "cbFieldMap");
    m.btnMap = new QPushButton(QStringLiteral("Setup Field Mapping  Now"));
    m.btnMap->setObjectName(QStringLiteral("btnMap"));
    m.btnMap->setAutoDefault(false);
    // The mapping dialog is not offered yet.
    m.btnMap->setEnabled(false);
    inner->addWidget(m.cbFieldMap, 1);
    inner->addWidget(m.btnMap);
    layout->addWidget(m.box);
    return m;
}

void HideMappingBox(const MappingBox& mapping) {
    mapping.cbFieldMap->hide();
    mapping.btnMap->hide();
    mapping.box->hide();
}

QCheckBox* MakeCheckBox(const QString& caption, const char* name) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(QLatin1String(name));
    return box;
}

void ShowPageMessage(QWidget* page, const char* text, platform::MessageIcon icon) {
    CX_LOG(kLogCritical, "%s", text);
    platform::CurrentUserInterface().MessageBox(HandleOf(page), text, "Error", icon);
}

QString Filter(const QString& text, const QString& pattern) {
    const QString tail = QLatin1Char('(') + pattern + QLatin1Char(')');
    return text.endsWith(tail) ? text : text + QLatin1Char(' ') + tail;
}

QString AskForFile(QWidget* page, const QString& title, const QStringList& filters, const QString& start) {
    return CurrentWizardServices().GetOpenFileName(page, OpenFileRequest{title, filters, start});
}

QString LookupText(PathLookup lookup) {
    char path[260];
    return lookup(path, sizeof path) ? QString::fromUtf8(path) : QString();
}

QString BrowseStart(const QLineEdit* edit, PathLookup lookup) {
    return edit->text().isEmpty() ? LookupText(lookup) : edit->text();
}

bool FileExists(const QString& path) {
    return !path.isEmpty() && platform::file::IsRegularFile(platform::ResolvePath(path.toStdString()));
}

void CopyEditText(char* member, std::size_t capacity, const QString& text, std::size_t maxBytes) {
    const QByteArray bytes = text.toUtf8();
    platform::CopyText(member, std::min(capacity, maxBytes + 1),
                       std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void ChainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (w == nullptr) continue;
        if (previous != nullptr) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

}  // namespace wizard
