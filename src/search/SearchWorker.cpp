#include "search/SearchWorker.h"

#include "framework/ListView.h"
#include "search/FetchPageText.h"
#include "search/RequestAddress.h"
#include "search/ResultScan.h"

#include <string>

namespace qivyun {
namespace {

void SetRedraw(HWND list, bool on) {
    SendMessageW(list, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

unsigned SearchWorker(const SearchWorkerContext& context) {
    const SearchEngine& engine = *context.engine;
    SearchShared& shared = *context.shared;

    // A keyword too long for the address has been shortened by whole characters; an address
    // that cannot hold even an empty keyword is not requested at all.
    std::optional<RequestAddress> address =
        ComposeRequestAddress(engine, context.request.keyword, context.request.pageText);
    shared.requestStarted.store(true);
    if (!address) return 0;

    std::optional<std::string> page = FetchPageText(address->address);
    if (!page) return 0;
    shared.totalText.Set(TotalText(engine, *page));

    const HWND list = context.resultList;
    UiGate& gate = *context.gate;
    if (!gate.Run([list] { SetRedraw(list, false); })) return 0;
    bool windowAlive = true;
    ForEachRecord(engine, *page, [&](RecordFields&& fields) {
        if (!windowAlive) return;
        const std::string id = std::to_string(shared.rowCounter.fetch_add(1) + 1);
        std::string name(PlayHintPrefix);
        name += fields.name;
        // Inserting the row and giving it its four texts is one step, so no row that another
        // worker inserts meanwhile can take these texts.
        windowAlive = gate.Run([&] {
            ListView rows;
            rows.Attach(list);
            int row = rows.InsertRow(0, "");
            rows.SetCellText(row, 0, id.c_str());
            rows.SetCellText(row, 1, name.c_str());
            rows.SetCellText(row, 2, fields.size.c_str());
            rows.SetCellText(row, 3, fields.address.c_str());
        });
    });
    if (!windowAlive || !gate.Run([list] { SetRedraw(list, true); })) return 0;
    return 1;
}

}  // namespace qivyun
