#include "app/wizard/ProductLinks.h"

#include <QUrl>

#include "platform/paths/Paths.h"
#include "platform/ui/UserInterface.h"

#ifndef FW_SUPPORT_EMAIL
#define FW_SUPPORT_EMAIL "support@ferrywise.example"
#endif
#ifndef FW_PRODUCT_URL
#define FW_PRODUCT_URL ""
#endif

QString HelpPagePath() { return QString::fromStdString(platform::ProgramFolder()) + QStringLiteral("help.html"); }

QString ProductPage() {
    const QString configured = QStringLiteral(FW_PRODUCT_URL);
    return configured.isEmpty() ? HelpPagePath() : configured;
}

QString SupportAddress() { return QStringLiteral(FW_SUPPORT_EMAIL); }

QString SupportMailUrl(const QString& address) {
    // The address keeps its "@"; anything that could start a header or a
    // second recipient ("?", "&", ",") is encoded.
    return QStringLiteral("mailto:") + QString::fromLatin1(QUrl::toPercentEncoding(address, "@+")) +
           QStringLiteral("?subject=") +
           QString::fromLatin1(QUrl::toPercentEncoding(QString::fromUtf8(platform::kErrorReportSubject)));
}
