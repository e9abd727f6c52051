#pragma once

// A titled page in the brand variant's look: the shared title bar (no back or menu button) and
// rows of caption and value texts under it, or one centred line when there are no rows. Used
// for the community tab and for tab roots whose own screens are not in the program. Owned by
// its navigation stack. Main thread.

#include <string>
#include <utility>
#include <vector>

#include "platform/ui/ViewController.h"

class VKJYNavigationBarView;

class VKJYPageViewController : public ViewController {
public:
    using Row = std::pair<std::string, std::string>;

    VKJYPageViewController(std::string pageTitle, std::string note, std::vector<Row> rows = {});

    void loadView() override;
    VKJYNavigationBarView* navigationBar() const { return m_bar; }

protected:
    void setRows(std::vector<Row> rows);

private:
    void layoutRows();

    std::string m_pageTitle;
    std::string m_note;
    std::vector<Row> m_rows;
    VKJYNavigationBarView* m_bar = nullptr;
};
