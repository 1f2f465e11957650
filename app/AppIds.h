#pragma once
// The applications the driver knows.

enum AppId : int {
    kAppNone = 0,
    kAppACT = 1,
    kAppGoogle = 2,
    kAppOutlook = 3,
    kAppLotus = 4,
    kAppPalm = 5,
    kAppDynamics = 6,
    kAppSalesforce = 7,
    kAppSugar = 8,
};
