// ResEditDialog: the resource browser (dialog 9048): the open object resource files in a list, the resources of
// the selected one in a tree by type, hex and string views opened by double-click.
#pragma once

#include <QDialog>
#include <QPointer>
#include <vector>

#include "tools/ResourceBrowserRows.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// Modeless, and only one at a time: the main window opens it on a file through OpenOn and reuses it until the
// user closes it (which destroys it).
class ResEditDialog : public QDialog {
    Q_OBJECT
public:
    // Creates the browser when there is none (placing it by the tool window rule), refreshes the list, selects
    // the row of `file` (no row when the file is not listed) and shows the window.
    static ResEditDialog* OpenOn(iResFile* file);
    // The browser on screen; null when there is none.
    static ResEditDialog* Instance();
    // A file is about to be closed and destroyed: its rows leave the browser's list.
    static void ForgetFile(iResFile* file);

    ~ResEditDialog() override;

    // Rebuilds the rows from the process-wide list of resource files.
    void Refresh();
    // Selects the row of `file` and no other; false when the file is not listed.
    bool SelectFile(iResFile* file);
    // Sorts the rows ascending by a column (what a click on its header does).
    void SortByColumn(int column);

    int ListHeight() const { return listHeight_; }
    // Sets the list's height within its limits: at least 40 pixels for the list and for the tree.
    void SetListHeight(int height);
    // The rows in their shown order.
    std::vector<const ResourceBrowserRow*> ShownRows() const;

    static constexpr int kMinimumPaneHeight = 40;

protected:
    explicit ResEditDialog(QWidget* parent = nullptr);
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Layout();
    void OnSelectionChanged();
    void OnTreeDoubleClicked(QTreeWidgetItem* item);
    const ResourceBrowserRow* SelectedRow() const;
    int SummaryHeight() const;
    int MaximumListHeight() const;

    QTreeWidget* list_ = nullptr;
    QLabel* summary_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    std::vector<ResourceBrowserRow> rows_;
    int listHeight_ = 200;
    bool dragging_ = false;
    int dragStartY_ = 0;
    int dragStartHeight_ = 0;

    static QPointer<ResEditDialog> instance_;
};
