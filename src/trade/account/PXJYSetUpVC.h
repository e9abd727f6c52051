#pragma once

// "设置": the five trading settings, each a button that opens one shared drop-down list of
// its values; a choice is written to the user defaults at once, and a new price-refresh
// interval restarts that timer. Pushed by the more menu; owned by its navigation stack.
// Main thread only.

#include <array>
#include <string>
#include <vector>

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"
#include "shell/VKJYNavigationBarViewDelegate.h"

class Button;

class PXJYSetUpVC : public ViewController,
                    public VKJYNavigationBarViewDelegate,
                    public TableViewDataSource,
                    public TableViewDelegate {
public:
    void viewDidLoad() override;
    void viewWillDisappear(bool animated) override;

    // Opens row sing's list (1 to 5), or closes the open one.
    void toggleList(int sing);
    Button* valueButton(int sing) const { return m_buttons.at(static_cast<size_t>(sing - 1)); }
    TableView* optionsListView() const { return m_optionsListView; }
    int sing() const { return m_sing; }

    void VKJYNavBackAction() override;
    int numberOfRows(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;

private:
    void closeList();

    std::array<Button*, 5> m_buttons{};
    TableView* m_optionsListView = nullptr;
    std::vector<std::string> m_dataArray;
    int m_sing = 0;
    // Per row: its list is closed.
    std::array<bool, 5> m_closed{true, true, true, true, true};
};
