#pragma once
// The addresses the wizard opens: the local help page beside the program,
// the product's web page and the support address of the error report. The
// last two are deployment values compiled in; an empty product address
// means the local help page.
#include <QString>

// "<program folder>/help.html".
QString HelpPagePath();
// The product's web page, or the local help page when none is configured.
QString ProductPage();
// The address error reports go to.
QString SupportAddress();
// "mailto:<address>?subject=Ferrywise for Outlook Error Report", encoded.
QString SupportMailUrl(const QString& address);
