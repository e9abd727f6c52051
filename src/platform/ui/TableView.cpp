#include "platform/ui/TableView.h"

#include <algorithm>

#include "platform/foundation/MainQueue.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/Label.h"
#include "platform/ui/SwipeGestureRecognizer.h"
#include "platform/ui/Touch.h"

namespace {
constexpr std::size_t kReuseQueueLimit = 32;

// The view queued latest of those that showed `asked`, else the latest queued; null when none is
// queued. Latest first: an older one of the same place was not shown at the last reload.
template <typename Entry, typename Place>
auto takeQueued(std::vector<Entry>& queue, const std::optional<Place>& asked)
    -> decltype(Entry::view) {
    if (queue.empty()) {
        return {};
    }
    auto found = std::find_if(queue.rbegin(), queue.rend(),
                              [&asked](const Entry& e) { return asked && e.shown == *asked; });
    auto it = found == queue.rend() ? std::prev(queue.end()) : std::prev(found.base());
    auto view = std::move(it->view);
    queue.erase(it);
    return view;
}
}  // namespace

TableView::TableView() : TableView(Rect{}) {}

TableView::TableView(const Rect& frame) : ScrollView(frame) {
    setBackgroundColor(Color::whiteColor());
    setAlwaysBounceVertical(true);
    auto swipe = std::make_unique<SwipeGestureRecognizer>([this](GestureRecognizer&) { swiped(); });
    swipe->setDirection(SwipeGestureRecognizer::Left);
    swipe->setShouldBegin([this](GestureRecognizer& g) {
        if (!m_dataSource || m_editingRow) {
            return false;
        }
        auto ip = indexPathForRowAtPoint(g.locationInView(this));
        return ip && m_dataSource->canEditRow(*this, *ip) &&
               (!m_delegate ||
                m_delegate->editingStyleForRow(*this, *ip) == TableViewCellEditingStyle::Delete);
    });
    m_swipe = static_cast<SwipeGestureRecognizer*>(addGestureRecognizer(std::move(swipe)));
}

TableView::~TableView() = default;

void TableView::setDataSource(TableViewDataSource* dataSource) {
    m_dataSource = dataSource;
    m_needsReload = true;
    setNeedsLayout();
}

void TableView::setDelegate(TableViewDelegate* delegate) {
    m_delegate = delegate;
    ScrollView::setDelegate(delegate);
    m_needsReload = true;
    setNeedsLayout();
}

void TableView::setRowHeight(double height) {
    m_rowHeight = height;
    m_needsReload = true;
    setNeedsLayout();
}

void TableView::setSectionHeaderHeight(double height) {
    m_sectionHeaderHeight = height;
    m_needsReload = true;
    setNeedsLayout();
}

void TableView::setSeparatorStyle(SeparatorStyle style) {
    m_separatorStyle = style;
    setNeedsLayout();
    for (auto& [ip, cell] : m_visible) {
        cell->setSeparator(style == SeparatorStyle::SingleLine, m_separatorColor);
    }
}

void TableView::setSeparatorColor(const Color& color) {
    m_separatorColor = color;
    setSeparatorStyle(m_separatorStyle);
}

void TableView::setTableHeaderView(std::shared_ptr<View> view) {
    if (m_tableHeader) {
        m_tableHeader->removeFromSuperview();
    }
    m_tableHeader = std::move(view);
    if (m_tableHeader) {
        addSubview(m_tableHeader);
    }
    m_needsReload = true;
    setNeedsLayout();
}

void TableView::setTableFooterView(std::shared_ptr<View> view) {
    if (m_tableFooter) {
        m_tableFooter->removeFromSuperview();
    }
    m_tableFooter = std::move(view);
    if (m_tableFooter) {
        addSubview(m_tableFooter);
    }
    m_needsReload = true;
    setNeedsLayout();
}

void TableView::reloadData() {
    if (m_editingRow) {
        endRowEditing();
    }
    m_needsReload = true;
    setNeedsLayout();
    layoutIfNeeded();
}

std::shared_ptr<TableViewCell> TableView::dequeueReusableCell(const std::string& identifier) {
    std::shared_ptr<TableViewCell> cell = takeQueued(m_reuse[identifier], m_askingRow);
    if (cell) {
        cell->prepareForReuse();
    }
    return cell;
}

std::shared_ptr<TableViewHeaderFooterView> TableView::dequeueReusableHeaderView(
    const std::string& identifier) {
    return takeQueued(m_headerReuse[identifier], m_askingSection);
}

int TableView::numberOfRows(int section) const {
    if (section < 0 || section >= numberOfSections()) {
        return 0;
    }
    return static_cast<int>(m_sections[static_cast<std::size_t>(section)].rowHeights.size());
}

void TableView::recycle(const IndexPath& indexPath) {
    auto it = m_visible.find(indexPath);
    if (it == m_visible.end()) {
        return;
    }
    std::shared_ptr<TableViewCell> cell = it->second;
    m_visible.erase(it);
    cell->removeFromSuperview();
    auto& queue = m_reuse[cell->reuseIdentifier()];
    if (!cell->reuseIdentifier().empty() && queue.size() < kReuseQueueLimit) {
        queue.push_back({cell, indexPath});
    }
}

void TableView::recycleHeaders() {
    for (std::size_t s = 0; s < m_sections.size(); ++s) {
        std::shared_ptr<View> header = m_sections[s].header;
        if (!header) {
            continue;
        }
        header->removeFromSuperview();
        auto reusable = std::dynamic_pointer_cast<TableViewHeaderFooterView>(header);
        if (!reusable || reusable->reuseIdentifier().empty()) {
            continue;
        }
        auto& queue = m_headerReuse[reusable->reuseIdentifier()];
        if (queue.size() < kReuseQueueLimit) {
            queue.push_back({reusable, static_cast<int>(s)});
        }
    }
}

void TableView::rebuild() {
    m_needsReload = false;
    std::vector<IndexPath> shown;
    for (const auto& [ip, cell] : m_visible) {
        shown.push_back(ip);
    }
    for (const IndexPath& ip : shown) {
        recycle(ip);
    }
    recycleHeaders();
    m_sections.clear();
    double y = m_tableHeader ? m_tableHeader->frame().height : 0;
    int count = m_dataSource ? m_dataSource->numberOfSections(*this) : 0;
    for (int s = 0; s < count; ++s) {
        Section section;
        section.top = y;
        m_askingSection = s;
        section.header = m_delegate ? m_delegate->viewForHeader(*this, s) : nullptr;
        m_askingSection.reset();
        bool hasHeader = section.header || !m_dataSource->titleForHeader(*this, s).empty();
        std::optional<double> headerHeight =
            m_delegate ? m_delegate->heightForHeader(*this, s) : std::nullopt;
        section.headerHeight = headerHeight.value_or(hasHeader ? m_sectionHeaderHeight : 0);
        if (!section.header && section.headerHeight > 0 && hasHeader) {
            section.header = makeHeader(s);
            section.titleHeader = true;
        }
        y += section.headerHeight;
        int rows = std::max(0, m_dataSource->numberOfRows(*this, s));
        for (int r = 0; r < rows; ++r) {
            std::optional<double> h =
                m_delegate ? m_delegate->heightForRow(*this, {s, r}) : std::nullopt;
            section.rowTops.push_back(y);
            section.rowHeights.push_back(h.value_or(m_rowHeight));
            y += section.rowHeights.back();
        }
        section.bottom = y;
        m_sections.push_back(std::move(section));
    }
    if (m_tableFooter) {
        Rect f = m_tableFooter->frame();
        m_tableFooter->setFrame({0, y, bounds().width, f.height});
        y += f.height;
    }
    if (m_tableHeader) {
        Rect h = m_tableHeader->frame();
        m_tableHeader->setFrame({0, 0, bounds().width, h.height});
    }
    if (m_selected && (m_selected->section >= numberOfSections() ||
                       m_selected->row >= numberOfRows(m_selected->section))) {
        m_selected.reset();
    }
    setContentSize({bounds().width, y});
}

std::shared_ptr<View> TableView::makeHeader(int section) {
    std::string title = m_dataSource->titleForHeader(*this, section);
    auto header = std::make_shared<View>();
    header->setBackgroundColor(Color::rgb(247, 247, 247));
    auto label = std::make_unique<Label>(Rect{15, 0, bounds().width - 30, 0}, title);
    label->setFont(Font::boldSystem(14));
    header->addSubview(std::move(label));
    return header;
}

Rect TableView::rectForRow(IndexPath ip) const {
    if (ip.section < 0 || ip.section >= numberOfSections() || ip.row < 0 ||
        ip.row >= numberOfRows(ip.section)) {
        return {};
    }
    const Section& s = m_sections[static_cast<std::size_t>(ip.section)];
    auto r = static_cast<std::size_t>(ip.row);
    return {0, s.rowTops[r], bounds().width, s.rowHeights[r]};
}

Rect TableView::rectForHeader(int section) const {
    if (section < 0 || section >= numberOfSections()) {
        return {};
    }
    const Section& s = m_sections[static_cast<std::size_t>(section)];
    return {0, s.top, bounds().width, s.headerHeight};
}

std::optional<IndexPath> TableView::indexPathForRowAtPoint(Point p) const {
    for (int s = 0; s < numberOfSections(); ++s) {
        const Section& sec = m_sections[static_cast<std::size_t>(s)];
        if (p.y < sec.top || p.y >= sec.bottom) {
            continue;
        }
        for (std::size_t r = 0; r < sec.rowTops.size(); ++r) {
            if (p.y >= sec.rowTops[r] && p.y < sec.rowTops[r] + sec.rowHeights[r]) {
                return IndexPath{s, static_cast<int>(r)};
            }
        }
    }
    return std::nullopt;
}

TableViewCell* TableView::cellForRow(IndexPath ip) const {
    auto it = m_visible.find(ip);
    return it == m_visible.end() ? nullptr : it->second.get();
}

std::vector<TableViewCell*> TableView::visibleCells() const {
    std::vector<TableViewCell*> result;
    for (const auto& [ip, cell] : m_visible) {
        result.push_back(cell.get());
    }
    return result;
}

std::vector<IndexPath> TableView::indexPathsForVisibleRows() const {
    std::vector<IndexPath> result;
    for (const auto& [ip, cell] : m_visible) {
        result.push_back(ip);
    }
    return result;
}

View* TableView::headerView(int section) const {
    if (section < 0 || section >= numberOfSections()) {
        return nullptr;
    }
    return m_sections[static_cast<std::size_t>(section)].header.get();
}

void TableView::layoutSubviews() {
    ScrollView::layoutSubviews();
    if (m_needsReload) {
        rebuild();
    }
    if (contentSize().width != bounds().width) {
        setContentSize({bounds().width, contentSize().height});
    }
    layoutCells();
    layoutHeaders();
}

void TableView::layoutCells() {
    Rect visible = bounds();
    // Rows that scrolled away go back to the queues first, so they can be reused at once.
    std::vector<IndexPath> gone;
    for (const auto& [ip, cell] : m_visible) {
        if (!rectForRow(ip).intersects(visible)) {
            gone.push_back(ip);
        }
    }
    for (const IndexPath& ip : gone) {
        recycle(ip);
    }
    for (int s = 0; s < numberOfSections() && m_dataSource; ++s) {
        const Section& sec = m_sections[static_cast<std::size_t>(s)];
        if (sec.bottom <= visible.y || sec.top >= visible.maxY()) {
            continue;
        }
        for (int r = 0; r < static_cast<int>(sec.rowTops.size()); ++r) {
            IndexPath ip{s, r};
            Rect rowRect = rectForRow(ip);
            if (!rowRect.intersects(visible)) {
                continue;
            }
            auto it = m_visible.find(ip);
            if (it == m_visible.end()) {
                m_askingRow = ip;
                std::shared_ptr<TableViewCell> cell = m_dataSource->cellForRow(*this, ip);
                m_askingRow.reset();
                if (!cell) {
                    continue;
                }
                cell->setSelected(m_selected == ip);
                cell->setHighlighted(showsPressedItem(ip));
                cell->setSeparator(m_separatorStyle == SeparatorStyle::SingleLine,
                                   m_separatorColor);
                insertSubview(cell, 0);
                cell->setShownBy(this);
                it = m_visible.emplace(ip, cell).first;
                if (m_delegate) {
                    m_delegate->willDisplayCell(*this, *cell, ip);
                }
            }
            it->second->setFrame(rowRect);
        }
    }
}

// A header sticks at the top of the visible area shifted by the top inset: a negative inset
// lets it float out of sight above the visible area.
void TableView::layoutHeaders() {
    Rect visible = bounds();
    const double stickAt = visible.y + contentInset().top;
    for (Section& sec : m_sections) {
        if (!sec.header) {
            continue;
        }
        const double y =
            std::clamp(stickAt, sec.top, std::max(sec.top, sec.bottom - sec.headerHeight));
        sec.header->setFrame({0, y, visible.width, sec.headerHeight});
        if (sec.titleHeader) {
            sec.header->subviews().front()->setFrame({15, 0, visible.width - 30, sec.headerHeight});
        }
        if (sec.header->superview() != this) {
            addSubview(sec.header);
        } else {
            bringSubviewToFront(sec.header.get());
        }
    }
}

void TableView::didScroll() {
    ScrollView::didScroll();
    if (m_editingRow && isDragging()) {
        endRowEditing();
    }
}

void TableView::selectRow(IndexPath ip, bool, TableViewScrollPosition position) {
    layoutIfNeeded();
    if (m_selected) {
        if (TableViewCell* old = cellForRow(*m_selected)) {
            old->setSelected(false);
        }
    }
    m_selected = ip;
    if (TableViewCell* cell = cellForRow(ip)) {
        cell->setSelected(true);
    }
    if (position != TableViewScrollPosition::None) {
        scrollToRow(ip, position, false);
    }
}

void TableView::deselectRow(IndexPath ip, bool) {
    if (m_selected != ip) {
        return;
    }
    m_selected.reset();
    if (TableViewCell* cell = cellForRow(ip)) {
        cell->setSelected(false);
    }
}

void TableView::scrollToRow(IndexPath ip, TableViewScrollPosition position, bool animated) {
    layoutIfNeeded();
    Rect row = rectForRow(ip);
    if (row.height <= 0) {
        return;
    }
    double height = bounds().height;
    double y = contentOffset().y;
    switch (position) {
        case TableViewScrollPosition::Top:
            y = row.y;
            break;
        case TableViewScrollPosition::Middle:
            y = row.midY() - height / 2;
            break;
        case TableViewScrollPosition::Bottom:
            y = row.maxY() - height;
            break;
        case TableViewScrollPosition::None:
            scrollRectToVisible(row, animated);
            return;
    }
    Point low = minimumContentOffset();
    Point high = maximumContentOffset();
    setContentOffset({contentOffset().x, std::clamp(y, low.y, high.y)}, animated);
    layoutIfNeeded();
}

void TableView::touchesBegan(const TouchSet& touches, const Event&) {
    Point p = touches.front()->locationInView(this);
    if (m_editingRow) {
        // A tap anywhere but the delete button just closes it.
        m_tapEndsEditing = true;
        return;
    }
    m_pressed = indexPathForRowAtPoint(p);
    m_pressedKey = m_pressed ? keyOf(*m_pressed) : std::string();
    m_pressedRect = m_pressed ? rectForRow(*m_pressed) : Rect{};
    if (m_pressed) {
        if (TableViewCell* cell = cellForRow(*m_pressed)) {
            cell->setHighlighted(true);
        }
    }
}

std::string TableView::keyOf(const IndexPath& indexPath) {
    return m_dataSource ? m_dataSource->keyForRow(*this, indexPath) : std::string();
}

bool TableView::showsPressedItem(const IndexPath& indexPath) {
    if (!m_pressed) {
        return false;
    }
    return m_pressedKey.empty() ? m_pressed == indexPath : keyOf(indexPath) == m_pressedKey;
}

// The row that shows what the finger landed on, wherever a reload moved it; none once it went.
std::optional<IndexPath> TableView::pressedItemRow() {
    if (!m_pressed || m_pressedKey.empty()) {
        return m_pressed;
    }
    for (int s = 0; s < numberOfSections(); ++s) {
        for (int r = 0; r < numberOfRows(s); ++r) {
            if (keyOf({s, r}) == m_pressedKey) {
                return IndexPath{s, r};
            }
        }
    }
    return std::nullopt;
}

void TableView::touchesMoved(const TouchSet& touches, const Event&) {
    if (!m_pressed) {
        return;
    }
    if (!m_pressedRect.contains(touches.front()->locationInView(this))) {
        if (TableViewCell* cell = cellForRow(*m_pressed)) {
            cell->setHighlighted(false);
        }
        m_pressed.reset();
    }
}

void TableView::touchesEnded(const TouchSet& touches, const Event&) {
    if (m_tapEndsEditing) {
        m_tapEndsEditing = false;
        endRowEditing();
        return;
    }
    const std::optional<IndexPath> place = m_pressed;
    const std::optional<IndexPath> pressed = pressedItemRow();
    m_pressed.reset();
    for (const auto& row : {place, pressed}) {
        if (TableViewCell* cell = row ? cellForRow(*row) : nullptr) {
            cell->setHighlighted(false);
        }
    }
    // A finger that slid off where its row lay taps nothing.
    if (!pressed || !m_pressedRect.contains(touches.front()->locationInView(this))) {
        return;
    }
    selectRow(*pressed, false, TableViewScrollPosition::None);
    if (m_delegate) {
        m_delegate->didSelectRow(*this, *pressed);
    }
}

void TableView::touchesCancelled(const TouchSet&, const Event&) {
    m_tapEndsEditing = false;
    if (m_pressed) {
        if (TableViewCell* cell = cellForRow(*m_pressed)) {
            cell->setHighlighted(false);
        }
        m_pressed.reset();
    }
}

void TableView::swiped() {
    auto ip = indexPathForRowAtPoint(m_swipe->locationInView(this));
    if (!ip || m_editingRow) {
        return;
    }
    TableViewCell* cell = cellForRow(*ip);
    if (!cell) {
        return;
    }
    if (m_pressed) {
        if (TableViewCell* pressed = cellForRow(*m_pressed)) {
            pressed->setHighlighted(false);
        }
        m_pressed.reset();
    }
    m_editingRow = ip;
    WeakLink<TableView> self(this);
    if (m_delegate) {
        m_delegate->willBeginEditingRow(*this, *ip);
    }
    if (!self || m_editingRow != ip) {
        return;
    }
    std::string title =
        m_delegate ? m_delegate->titleForDeleteConfirmationButton(*this, *ip) : "删除";
    IndexPath row = *ip;
    cell->showDeleteButton(title, [this, self, row]() {
        if (self) {
            commitDelete(row);
        }
    });
}

void TableView::commitDelete(IndexPath ip) {
    WeakLink<TableView> self(this);
    if (m_dataSource) {
        m_dataSource->commitEditingStyle(*this, TableViewCellEditingStyle::Delete, ip);
    }
    if (self) {
        endRowEditing();
    }
}

void TableView::endRowEditing() {
    if (!m_editingRow) {
        return;
    }
    IndexPath ip = *m_editingRow;
    m_editingRow.reset();
    if (TableViewCell* cell = cellForRow(ip)) {
        cell->hideDeleteButton();
    }
    for (auto& [path, cell] : m_visible) {
        cell->hideDeleteButton();
    }
    if (m_delegate) {
        m_delegate->didEndEditingRow(*this, ip);
    }
}
