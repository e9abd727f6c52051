#pragma once

// A plain-style table: sections with header views (floating at the top of the visible area,
// shifted by the top content inset, while their section scrolls under them) and rows of set or
// asked heights; cells asked for only while visible and reused by identifier, as are headers made
// with one; selection by tap or from code, a tap following its row's key through reloads;
// separators; swipe-to-delete with a custom button title and the will-begin and did-end editing
// calls. Data source and delegate are not owned. Owned by its superview. Main thread only.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/WeakLink.h"
#include "platform/ui/IndexPath.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TableViewHeaderFooterView.h"

class SwipeGestureRecognizer;
class TableView;

enum class TableViewCellEditingStyle { None, Delete, Insert };
enum class TableViewScrollPosition { None, Top, Middle, Bottom };

class TableViewDataSource : public virtual LinkTarget {
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfSections(TableView&) { return 1; }
    virtual int numberOfRows(TableView&, int section) = 0;
    virtual std::shared_ptr<TableViewCell> cellForRow(TableView&, IndexPath indexPath) = 0;
    virtual std::string titleForHeader(TableView&, int /*section*/) { return {}; }
    virtual bool canEditRow(TableView&, IndexPath) { return false; }
    // What a row shows, for lists whose rows can move while a finger is down: a press acts on
    // the row that shows it when the finger lifts. Empty: a row is its place.
    virtual std::string keyForRow(TableView&, IndexPath) { return {}; }
    virtual void commitEditingStyle(TableView&, TableViewCellEditingStyle, IndexPath) {}
};

class TableViewDelegate : public ScrollViewDelegate {
public:
    // Nothing means the table's rowHeight.
    virtual std::optional<double> heightForRow(TableView&, IndexPath) { return std::nullopt; }
    // Nothing means the table's sectionHeaderHeight when the section has a header, else 0.
    virtual std::optional<double> heightForHeader(TableView&, int) { return std::nullopt; }
    virtual std::shared_ptr<View> viewForHeader(TableView&, int) { return {}; }
    virtual void willDisplayCell(TableView&, TableViewCell&, IndexPath) {}
    virtual void didSelectRow(TableView&, IndexPath) {}
    virtual void didDeselectRow(TableView&, IndexPath) {}
    virtual TableViewCellEditingStyle editingStyleForRow(TableView&, IndexPath) {
        return TableViewCellEditingStyle::Delete;
    }
    virtual std::string titleForDeleteConfirmationButton(TableView&, IndexPath) { return "删除"; }
    virtual void willBeginEditingRow(TableView&, IndexPath) {}
    virtual void didEndEditingRow(TableView&, IndexPath) {}
};

class TableView : public ScrollView {
public:
    enum class SeparatorStyle { None, SingleLine };

    TableView();
    explicit TableView(const Rect& frame);
    ~TableView() override;

    TableViewDataSource* dataSource() const { return m_dataSource.get(); }
    void setDataSource(TableViewDataSource* dataSource);
    TableViewDelegate* tableDelegate() const { return m_delegate.get(); }
    // Also the scroll delegate.
    void setDelegate(TableViewDelegate* delegate);

    double rowHeight() const { return m_rowHeight; }
    void setRowHeight(double height);
    double sectionHeaderHeight() const { return m_sectionHeaderHeight; }
    void setSectionHeaderHeight(double height);
    SeparatorStyle separatorStyle() const { return m_separatorStyle; }
    void setSeparatorStyle(SeparatorStyle style);
    const Color& separatorColor() const { return m_separatorColor; }
    void setSeparatorColor(const Color& color);
    View* tableHeaderView() const { return m_tableHeader.get(); }
    void setTableHeaderView(std::shared_ptr<View> view);
    View* tableFooterView() const { return m_tableFooter.get(); }
    void setTableFooterView(std::shared_ptr<View> view);

    // Asks the data source again; visible cells and headers go back to the reuse queues. While a
    // row or header is asked for, the view it showed before is dequeued first, so a data source
    // that dequeues keeps what lies under a finger (a pressed button, a row) through a reload.
    void reloadData();
    std::shared_ptr<TableViewCell> dequeueReusableCell(const std::string& identifier);
    std::shared_ptr<TableViewHeaderFooterView> dequeueReusableHeaderView(
        const std::string& identifier);
    template <typename T>
    std::shared_ptr<T> dequeueReusableCell(const std::string& identifier) {
        return std::dynamic_pointer_cast<T>(dequeueReusableCell(identifier));
    }

    int numberOfSections() const { return static_cast<int>(m_sections.size()); }
    int numberOfRows(int section) const;
    Rect rectForRow(IndexPath indexPath) const;
    Rect rectForHeader(int section) const;
    std::optional<IndexPath> indexPathForRowAtPoint(Point p) const;
    // The visible cell of the row, or null.
    TableViewCell* cellForRow(IndexPath indexPath) const;
    std::vector<TableViewCell*> visibleCells() const;
    std::vector<IndexPath> indexPathsForVisibleRows() const;
    View* headerView(int section) const;

    std::optional<IndexPath> indexPathForSelectedRow() const { return m_selected; }
    // From code: the delegate is not told.
    void selectRow(IndexPath indexPath, bool animated, TableViewScrollPosition position);
    void deselectRow(IndexPath indexPath, bool animated);
    void scrollToRow(IndexPath indexPath, TableViewScrollPosition position, bool animated);

    // Swipe-to-delete.
    std::optional<IndexPath> editingRow() const { return m_editingRow; }
    void endRowEditing();

    void layoutSubviews() override;
    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void touchesCancelled(const TouchSet& touches, const Event& event) override;

protected:
    void didScroll() override;

private:
    struct Section {
        double top = 0;
        double headerHeight = 0;
        std::vector<double> rowTops;
        std::vector<double> rowHeights;
        double bottom = 0;
        std::shared_ptr<View> header;
        bool titleHeader = false;
    };

    // A view waiting in a reuse queue, with the row or section it showed last.
    template <typename T, typename Place>
    struct Queued {
        std::shared_ptr<T> view;
        Place shown;
    };
    template <typename T, typename Place>
    using ReuseQueues = std::map<std::string, std::vector<Queued<T, Place>>>;

    void rebuild();
    void recycleHeaders();
    void layoutCells();
    void layoutHeaders();
    void recycle(const IndexPath& indexPath);
    std::string keyOf(const IndexPath& indexPath);
    bool showsPressedItem(const IndexPath& indexPath);
    std::optional<IndexPath> pressedItemRow();
    std::shared_ptr<View> makeHeader(int section);
    void swiped();
    void commitDelete(IndexPath indexPath);

    WeakLink<TableViewDataSource> m_dataSource;
    WeakLink<TableViewDelegate> m_delegate;
    double m_rowHeight = 44;
    double m_sectionHeaderHeight = 22;
    SeparatorStyle m_separatorStyle = SeparatorStyle::SingleLine;
    Color m_separatorColor = Color::rgb(224, 224, 224);
    std::shared_ptr<View> m_tableHeader;
    std::shared_ptr<View> m_tableFooter;
    std::vector<Section> m_sections;
    bool m_needsReload = true;
    std::map<IndexPath, std::shared_ptr<TableViewCell>> m_visible;
    ReuseQueues<TableViewCell, IndexPath> m_reuse;
    ReuseQueues<TableViewHeaderFooterView, int> m_headerReuse;
    // The row or section being asked for, whose former view a dequeue hands out first.
    std::optional<IndexPath> m_askingRow;
    std::optional<int> m_askingSection;
    std::optional<IndexPath> m_selected;
    std::optional<IndexPath> m_pressed;
    // What the pressed row showed when the finger landed, empty when the rows have no keys;
    // and where that row lay, which the finger must not leave.
    std::string m_pressedKey;
    Rect m_pressedRect;
    std::optional<IndexPath> m_editingRow;
    bool m_tapEndsEditing = false;
    SwipeGestureRecognizer* m_swipe = nullptr;
};
