// ResEditDialog: the resource browser window: list, summary line, tree by type, splitter and views.
#include "tools/ui/ResEditDialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QTreeWidget>
#include <algorithm>

#include "app/ui/UiText.h"
#include "resfile/iResFile.h"
#include "tools/ui/HexResourceEditor.h"
#include "tools/ui/StringResourceEditor.h"
#include "tools/ui/ToolWindowPlacement.h"

namespace {

constexpr int kListId = 1049;
constexpr int kSummaryId = 1139;
constexpr int kTreeId = 1137;
constexpr int kRowRole = Qt::UserRole;
constexpr int kTypeRole = Qt::UserRole + 1;
constexpr int kIdRole = Qt::UserRole + 2;

const char* const kHeaders[kResourceBrowserColumnCount] = {"Name", "Class", "Mode", "Count", "Path"};
const int kWidths[kResourceBrowserColumnCount] = {150, 100, 75, 50, 500};

// A list row that sorts by its record: byte-wise texts, the count as a number.
class RowItem : public QTreeWidgetItem {
public:
    RowItem(const std::vector<ResourceBrowserRow>& rows, int index) : rows_(rows), index_(index) {
        setData(0, kRowRole, index);
        for (int c = 0; c < kResourceBrowserColumnCount; ++c)
            setText(c, FromHostText(ResourceBrowserCellText(rows[static_cast<size_t>(index)], c)));
    }
    int Index() const { return index_; }
    bool operator<(const QTreeWidgetItem& other) const override {
        const auto& o = static_cast<const RowItem&>(other);
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return ResourceBrowserRowLess(rows_[static_cast<size_t>(index_)], rows_[static_cast<size_t>(o.index_)], column);
    }

private:
    const std::vector<ResourceBrowserRow>& rows_;
    int index_;
};

}  // namespace

QPointer<ResEditDialog> ResEditDialog::instance_;

ResEditDialog* ResEditDialog::OpenOn(iResFile* file) {
    ResEditDialog* browser = instance_;
    if (!browser) {
        browser = new ResEditDialog(ToolWindowReference());
        instance_ = browser;
        PlaceToolWindow(browser);
    }
    browser->Refresh();
    browser->SelectFile(file);
    browser->show();
    browser->raise();
    browser->activateWindow();
    return browser;
}

ResEditDialog* ResEditDialog::Instance() { return instance_; }

void ResEditDialog::ForgetFile(iResFile* file) {
    ResEditDialog* browser = instance_;
    if (!browser || !file) return;
    std::vector<iResFile*> others;
    bool listed = false;
    for (const ResourceBrowserRow& row : browser->rows_) {
        if (row.file == file)
            listed = true;
        else
            others.push_back(row.file);
    }
    if (!listed) return;
    const ResourceBrowserRow* selected = browser->SelectedRow();
    iResFile* keep = selected && selected->file != file ? selected->file : nullptr;
    {
        const QSignalBlocker block(browser->list_);
        browser->list_->clear();
    }
    browser->rows_.clear();
    for (iResFile* f : others)
        browser->rows_.push_back(MakeResourceBrowserRow(*f, static_cast<int>(browser->rows_.size())));
    for (size_t i = 0; i < browser->rows_.size(); ++i)
        browser->list_->addTopLevelItem(new RowItem(browser->rows_, static_cast<int>(i)));
    browser->SelectFile(keep);
}

ResEditDialog::ResEditDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("9048"));
    setWindowTitle(QStringLiteral("Resource Editor"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(true);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QString::number(kListId));
    list_->setColumnCount(kResourceBrowserColumnCount);
    QStringList headers;
    for (const char* h : kHeaders) headers << QString::fromUtf8(h);
    list_->setHeaderLabels(headers);
    for (int c = 0; c < kResourceBrowserColumnCount; ++c) list_->setColumnWidth(c, kWidths[c]);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformRowHeights(true);
    list_->header()->setSectionsClickable(true);
    list_->header()->setSortIndicatorShown(false);
    list_->header()->setStretchLastSection(false);
    connect(list_->header(), &QHeaderView::sectionClicked, this, &ResEditDialog::SortByColumn);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &ResEditDialog::OnSelectionChanged);

    summary_ = new QLabel(this);
    summary_->setObjectName(QString::number(kSummaryId));
    // The band between list and tree is the splitter: the summary line lets the mouse through to it.
    summary_->setAttribute(Qt::WA_TransparentForMouseEvents);
    summary_->setCursor(Qt::SizeVerCursor);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QString::number(kTreeId));
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setExpandsOnDoubleClick(false);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { OnTreeDoubleClicked(item); });

    setCursor(Qt::SizeVerCursor);
    list_->setCursor(Qt::ArrowCursor);
    tree_->setCursor(Qt::ArrowCursor);

    resize(640, 520);
    Layout();
}

ResEditDialog::~ResEditDialog() {
    // The rows' items point into rows_: they go first.
    list_->clear();
}

void ResEditDialog::Refresh() {
    list_->setUpdatesEnabled(false);
    {
        const QSignalBlocker block(list_);
        list_->clear();
    }
    rows_ = ListOpenObjectResFiles();
    for (size_t i = 0; i < rows_.size(); ++i) list_->addTopLevelItem(new RowItem(rows_, static_cast<int>(i)));
    list_->setUpdatesEnabled(true);
    OnSelectionChanged();
}

bool ResEditDialog::SelectFile(iResFile* file) {
    QTreeWidgetItem* found = nullptr;
    {
        const QSignalBlocker block(list_);
        list_->clearSelection();
        for (int i = 0; i < list_->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = list_->topLevelItem(i);
            auto* row = static_cast<RowItem*>(item);
            if (file && rows_[static_cast<size_t>(row->Index())].file == file) {
                found = item;
                break;
            }
        }
        if (found) {
            list_->setCurrentItem(found);
            found->setSelected(true);
            list_->scrollToItem(found);
        } else {
            list_->setCurrentItem(nullptr);
        }
    }
    OnSelectionChanged();
    return found != nullptr;
}

void ResEditDialog::SortByColumn(int column) { list_->sortItems(column, Qt::AscendingOrder); }

std::vector<const ResourceBrowserRow*> ResEditDialog::ShownRows() const {
    std::vector<const ResourceBrowserRow*> shown;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        shown.push_back(&rows_[static_cast<size_t>(static_cast<RowItem*>(list_->topLevelItem(i))->Index())]);
    return shown;
}

const ResourceBrowserRow* ResEditDialog::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) return nullptr;
    return &rows_[static_cast<size_t>(static_cast<RowItem*>(selected.first())->Index())];
}

void ResEditDialog::OnSelectionChanged() {
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    const ResourceBrowserRow* row = SelectedRow();
    if (!row) {
        summary_->clear();
        tree_->setUpdatesEnabled(true);
        return;
    }
    summary_->setText(FromHostText(ResourceBrowserSummary(*row)));
    for (const ResourceTypeNode& type : ListResourceTree(*row->file)) {
        auto* node = new QTreeWidgetItem(tree_, {FromGameText(type.label)});
        node->setData(0, kTypeRole, static_cast<qulonglong>(type.type));
        for (const ResourceNode& resource : type.resources) {
            auto* child = new QTreeWidgetItem(node, {FromGameText(resource.label)});
            child->setData(0, kIdRole, static_cast<int>(resource.id));
        }
    }
    tree_->setUpdatesEnabled(true);
}

void ResEditDialog::OnTreeDoubleClicked(QTreeWidgetItem* item) {
    if (!item || !item->parent()) return;
    const ResourceBrowserRow* row = SelectedRow();
    if (!row || !row->file) return;
    const auto type = static_cast<ResType>(item->parent()->data(0, kTypeRole).toULongLong());
    const auto id = static_cast<ResID>(item->data(0, kIdRole).toInt());
    if (IsStringResourceType(type))
        StringResourceEditor::Open(*row->file, id);
    else
        HexResourceEditor::Open(*row->file, type, id);
}

int ResEditDialog::SummaryHeight() const { return summary_->fontMetrics().height() + 2; }

int ResEditDialog::MaximumListHeight() const {
    // What is left for the tree: from below the summary line to 1 pixel above the bottom.
    return height() - 1 - (1 + 2 + SummaryHeight() + 1) - kMinimumPaneHeight;
}

void ResEditDialog::SetListHeight(int height) {
    const int maximum = MaximumListHeight();
    if (height > maximum) height = maximum;
    if (height < kMinimumPaneHeight) height = kMinimumPaneHeight;
    listHeight_ = height;
    Layout();
}

void ResEditDialog::Layout() {
    const int w = width();
    const int summaryTop = 1 + listHeight_ + 2;
    const int summaryHeight = SummaryHeight();
    const int treeTop = summaryTop + summaryHeight + 1;
    list_->setGeometry(1, 1, std::max(0, w - 2), listHeight_);
    summary_->setGeometry(1, summaryTop, std::max(0, w - 2), summaryHeight);
    tree_->setGeometry(1, treeTop, std::max(0, w - 2), std::max(0, height() - 1 - treeTop));
}

void ResEditDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Layout();
}

void ResEditDialog::mousePressEvent(QMouseEvent* event) {
    const int y = event->position().toPoint().y();
    if (event->button() == Qt::LeftButton && y >= 1 + listHeight_ && y < tree_->geometry().top()) {
        dragging_ = true;
        dragStartY_ = y;
        dragStartHeight_ = listHeight_;
        grabMouse();
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void ResEditDialog::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        SetListHeight(dragStartHeight_ + event->position().toPoint().y() - dragStartY_);
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void ResEditDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        releaseMouse();
        event->accept();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}
