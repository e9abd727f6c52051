#pragma once
// The listing book embedded in the order-book delisting form: column headings and at most five
// listings of the other side, the chosen one ticked. The tick follows the chosen listing by its
// number ("OR_N") wherever a new reply puts it, so it never lands on a listing nobody chose. It
// runs no query: the host hands it the rows of its listing query and takes the chosen row's
// listing number. Owned by its form; the delegate (the host) is not owned. Main thread.

#include <string>
#include <vector>

#include "platform/ui/TableView.h"
#include "platform/ui/View.h"
#include "trade/core/PXTradeTypes.h"

class PXJYGuaPaiListDelegate {
public:
    virtual ~PXJYGuaPaiListDelegate() = default;
    virtual void selectedGuaPaiList(const JYDict& /*listing*/) {}
};

class PXJYGuaPaiList : public View, public TableViewDataSource, public TableViewDelegate {
public:
    static constexpr int kShownRows = 5;
    static constexpr double kRowHeight = 25;

    explicit PXJYGuaPaiList(const Rect& frame);

    void refreshTableView(std::vector<JYDict> rows);
    const std::vector<JYDict>& dataArray() const { return m_dataArray; }
    // The row of the chosen listing among those shown; -1 when it is not shown or none is.
    int selectedCellIndexPath() const;
    // The listing number to tick; empty for none.
    void setSelectedListing(const std::string& number) { m_selectedListing = number; }
    TableView* tableView() const { return m_table; }
    PXJYGuaPaiListDelegate* delegate() const { return m_delegate; }
    void setDelegate(PXJYGuaPaiListDelegate* delegate) { m_delegate = delegate; }

    int numberOfRows(TableView&, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    std::string keyForRow(TableView&, IndexPath indexPath) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;

    // A row's listing number, which a press follows when the book moves under the finger.
    static std::string listingAt(const std::vector<JYDict>& rows, int row);
    // The column headings of both books, on one line of that height and font size.
    static void addHeadings(View& parent, double y, double height, double fontSize);
    // One row of a book: side with its position, price, quantity taken, quantity listed;
    // mark is "duihao" or "duihao2" on the embedded book and empty on the full one.
    static std::shared_ptr<TableViewCell> makeRow(TableView& table, const JYDict& listing,
                                                  int index, double height,
                                                  const std::string& mark);

private:
    std::vector<JYDict> m_dataArray;
    TableView* m_table = nullptr;
    PXJYGuaPaiListDelegate* m_delegate = nullptr;
    std::string m_selectedListing;
};
