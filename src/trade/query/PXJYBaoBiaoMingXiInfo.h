#pragma once

// The detail panel of one report record: every field of the record's kind as title and value
// rows under its own bar ("详细"), dates written out and the funds-status risk rate judged
// against 100%. Built once by the report screen, parked to its right; the screen slides it in
// with a record, its back button parks it again. Owned by the report screen's view; main
// thread.

#include <string>
#include <vector>

#include "platform/graphics/Color.h"
#include "platform/ui/TableView.h"
#include "platform/ui/View.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/core/PXTradeTypes.h"

class PXJYBaoBiaoMingXiInfo : public View,
                              public TableViewDataSource,
                              public TableViewDelegate,
                              public VKJYNavigationBarViewDelegate {
public:
    // How a row's value is written.
    enum class Format { Plain, Date, DateTime, RiskRate };
    struct Row {
        std::string title;
        std::string key;
        Format format = Format::Plain;
    };
    struct Value {
        std::string text;
        Color color;
    };

    explicit PXJYBaoBiaoMingXiInfo(const Rect& frame);

    const JYDict& detailDic() const { return m_detailDic; }
    void setDetailDic(JYDict record) { m_detailDic = std::move(record); }
    int baoBiaotype() const { return m_baoBiaotype; }
    void setBaoBiaotype(int kind) { m_baoBiaotype = kind; }
    TableView* MXtableView() const { return m_tableView; }
    const std::vector<Row>& rows() const { return m_rows; }

    // Takes the kind's rows; another kind changes nothing.
    void setCellLabel();
    void reloadDataView();
    // What a row shows for the record held.
    Value valueOf(const Row& row) const;
    // The risk rate's text and colour: "--" when STATUS is "F" or no rate was sent, "安全"
    // from 2 (200%) up, else the rate in per cent, red above 100%, green below.
    static Value riskRate(const JYDict& record);

    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::optional<double> heightForRow(TableView&, IndexPath) override { return 40; }
    void VKJYNavBackAction() override;

private:
    JYDict m_detailDic;
    int m_baoBiaotype = -1;
    std::vector<Row> m_rows;
    TableView* m_tableView = nullptr;
};
