#include "common/palm/TdmMain.h"

TdmMain& TdmMain::Instance() {
    static TdmMain instance;
    return instance;
}

platform::jet::Connection* TdmMain::GetConnection(int kind) {
    switch (kind) {
    case kAddr: return &connAddr;
    case kDate: return &connDate;
    case kTodo: return &connTodo;
    case kMemo: return &connMemo;
    default: return nullptr;
    }
}

platform::jet::Query* TdmMain::GetQuery(int kind) {
    switch (kind) {
    case kAddr: return &qryAddr;
    case kDate: return &qryDate;
    case kTodo: return &qryTodo;
    case kMemo: return &qryMemo;
    default: return nullptr;
    }
}

void TdmMain::CloseAll() {
    for (int kind = kAddr; kind <= kMemo; ++kind) {
        GetQuery(kind)->Close();
        GetConnection(kind)->Close();
    }
}
