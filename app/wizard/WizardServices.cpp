#include "app/wizard/WizardServices.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

namespace {

class QtWizardServices : public WizardServices {
public:
    QString GetOpenFileName(QWidget* owner, const OpenFileRequest& request) override {
        QFileDialog dialog(owner, request.title, request.start);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(request.filters);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
        return dialog.selectedFiles().front();
    }
    QString GetExistingFolder(QWidget* owner, const QString& title, const QString& start) override {
        return QFileDialog::getExistingDirectory(owner, title, start);
    }
    bool OpenWithSystem(const QString& pathOrUrl) override {
        const QUrl url = pathOrUrl.contains(QLatin1String("://")) || pathOrUrl.startsWith(QLatin1String("mailto:"))
                             ? QUrl(pathOrUrl)
                             : QUrl::fromLocalFile(pathOrUrl);
        return QDesktopServices::openUrl(url);
    }
};

WizardServices* g_installed = nullptr;

}  // namespace

WizardServices& CurrentWizardServices() {
    static QtWizardServices qt;
    return g_installed ? *g_installed : qt;
}

void SetWizardServices(WizardServices* services) { g_installed = services; }
