#pragma once
// The data module: the process-wide Jet connections and queries through
// which the Palm Desktop 6.x databases are read, one pair per kind.
//
//   kind 1 contacts   connAddr / qryAddr
//   kind 2 calendar   connDate / qryDate
//   kind 3 tasks      connTodo / qryTodo
//   kind 4 memos      connMemo / qryMemo
//
// A connection stays open after a load until the next open of its kind or
// the end of the process. Everything here runs on the user-interface
// thread.
#include "platform/jet/JetConnection.h"

class TdmMain {
public:
    static constexpr int kAddr = 1;
    static constexpr int kDate = 2;
    static constexpr int kTodo = 3;
    static constexpr int kMemo = 4;

    // The one instance of the process, made on first use.
    static TdmMain& Instance();

    TdmMain() = default;
    TdmMain(const TdmMain&) = delete;
    TdmMain& operator=(const TdmMain&) = delete;

    // The connection or query of a kind number; null for other numbers.
    platform::jet::Connection* GetConnection(int kind);
    platform::jet::Query* GetQuery(int kind);

    // Closes every query and connection.
    void CloseAll();

    platform::jet::Connection connAddr;
    platform::jet::Connection connDate;
    platform::jet::Connection connTodo;
    platform::jet::Connection connMemo;
    platform::jet::Query qryAddr{&connAddr};
    platform::jet::Query qryDate{&connDate};
    platform::jet::Query qryTodo{&connTodo};
    platform::jet::Query qryMemo{&connMemo};
};
