#include "app/wizard/QtUserInterface.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QThread>

#include "app/wizard/TfmDump.h"
#include "app/wizard/WindowHandle.h"
#include "common/misc/CxDebugUtil.h"

namespace {

QMessageBox::Icon IconOf(platform::MessageIcon icon) {
    switch (icon) {
    case platform::MessageIcon::Error: return QMessageBox::Critical;
    case platform::MessageIcon::Warning: return QMessageBox::Warning;
    case platform::MessageIcon::Information: return QMessageBox::Information;
    case platform::MessageIcon::Question: return QMessageBox::Question;
    case platform::MessageIcon::Plain: break;
    }
    return QMessageBox::NoIcon;
}

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

bool OnUiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

}  // namespace

void QtUserInterface::MessageBox(platform::WindowHandle owner, std::string_view text, std::string_view caption,
                                 platform::MessageIcon icon) {
    if (!OnUiThread()) {
        // A window can only be made on the user-interface thread; the text
        // still reaches the debug log.
        CX_LOG(kLogCritical, "Message box off the user-interface thread: %.*s", static_cast<int>(text.size()),
               text.data());
        return;
    }
    QMessageBox box(IconOf(icon), Text(caption), Text(text), QMessageBox::Ok, WidgetOf(owner));
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

void QtUserInterface::ShowErrorReport(platform::WindowHandle owner, const platform::ErrorReportInfo& info) {
    if (!OnUiThread()) {
        CX_LOG(kLogCritical, "Error report off the user-interface thread; see the debug log: %s", info.logFile.c_str());
        return;
    }
    TfmDump report(info, WidgetOf(owner));
    report.exec();
}

void QtUserInterface::ActivateWindow(platform::WindowHandle owner) {
    QWidget* widget = WidgetOf(owner);
    if (widget == nullptr) return;
    // Queued to the widget's own thread; dropped should the widget be gone by then.
    QMetaObject::invokeMethod(
        widget,
        [widget] {
            QWidget* window = widget->window();
            window->raise();
            window->activateWindow();
        },
        Qt::QueuedConnection);
}
