#pragma once
// One record shown as caption and value rows: the host sets both arrays (values already
// formatted; "--" for what is missing), builds the table once and reloads it after a change.
// One fixed row, per list class, colours its value by sign. Owned by its host's view; main
// thread.

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/TableView.h"
#include "platform/ui/View.h"

class PXJYRecordListView : public View, public TableViewDataSource, public TableViewDelegate {
public:
    static constexpr double kRowHeight = 50;

    const std::vector<std::string>& explanationArray() const { return m_explanationArray; }
    void setExplanationArray(std::vector<std::string> captions) {
        m_explanationArray = std::move(captions);
    }
    const std::vector<std::string>& dataArray() const { return m_dataArray; }
    void setDataArray(std::vector<std::string> values) { m_dataArray = std::move(values); }
    // Null until creatListView.
    TableView* listView() const { return m_listView; }
    void creatListView();

    int numberOfRows(TableView&, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;

protected:
    PXJYRecordListView(const Rect& frame, std::optional<int> colouredRow);

private:
    std::optional<int> m_colouredRow;
    std::vector<std::string> m_explanationArray;
    std::vector<std::string> m_dataArray;
    TableView* m_listView = nullptr;
};
