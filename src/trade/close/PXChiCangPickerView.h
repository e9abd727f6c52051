#pragma once
// What the two holding pickers share: a full-screen panel with its own title bar and a table
// whose rows are drawn afresh from the trading store on every reload, parked one screen width
// to the right and slid in and out by the host (the bar's back button slides it out). Rows are
// caption and value pairs on a grid. Owned by its host's view; main thread.

#include <memory>
#include <string>

#include "platform/graphics/Color.h"
#include "platform/ui/TableView.h"
#include "platform/ui/View.h"
#include "shell/VKJYNavigationBarViewDelegate.h"

class Label;
class VKJYNavigationBarView;

class PXChiCangPickerView : public View,
                            public TableViewDataSource,
                            public TableViewDelegate,
                            public VKJYNavigationBarViewDelegate {
public:
    VKJYNavigationBarView* navigationBarView() const { return m_navigationBarView; }
    TableView* tableView() const { return m_table; }
    // Whether the panel lies over its host's screen.
    bool isShown() const;
    void slideIn();
    void VKJYNavBackAction() override;
    // The holdings listed were another account's: none are listed, and the picker is parked.
    void forgetRows();

    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;

protected:
    PXChiCangPickerView(const Rect& frame, const std::string& title, double rowHeight,
                        double tableHeight);

    virtual std::shared_ptr<View> getCellJYView(int row) const = 0;
    virtual void emptyRows() = 0;
    // A grey caption at x with a white value to its right, on line (0 first) of a row.
    static void addPair(View& row, int line, double captionX, const std::string& caption,
                        const Rect& valueFrame, const std::string& value,
                        const Color& valueColor = Color::whiteColor());
    // "%.2f" of a profit or loss, coloured by its sign; "--" in white when missing.
    static std::pair<std::string, Color> profitText(const std::string& value);

private:
    VKJYNavigationBarView* m_navigationBarView = nullptr;
    TableView* m_table = nullptr;
};
