#pragma once

#include <QString>
#include <QVariant>

class DataSource;
class TableView;

// Borrows one of the shared views for an operation and puts back what the operation
// changes. Every window reads through the same ten views, so an operation that sets a
// filter, leaves a master or moves the cursor must leave the view as the other windows
// expect it. The borrower names what it will change; that is saved now and restored when
// the borrow ends: by restore(), or by the destructor when the operation stopped on an
// error (then quietly, because the error that stopped it is the one the user is shown).
//
//     ViewBorrow borrow(*results);
//     borrow.filter();
//     results->setFilterText(...);
//     results->setFiltered(true);
//     ... read ...
//     borrow.restore();
//
// A record left in editing is cancelled first, so that a borrower that stopped half-way
// leaves no half-made record behind. A window that keeps a filter on while it is open on
// purpose calls keep() and switches it off itself when it closes.
class ViewBorrow
{
public:
    explicit ViewBorrow(TableView& view);
    ~ViewBorrow();
    ViewBorrow(const ViewBorrow&) = delete;
    ViewBorrow& operator=(const ViewBorrow&) = delete;

    // What the borrower will change; each saves the view's present state.
    ViewBorrow& filter(); // the filter's text and switch
    ViewBorrow& master(); // the master link
    ViewBorrow& order();  // the order
    // The current record, found again afterwards by the value of keyField (a view's key
    // such as "Code" or "Num"); when it is gone the view stays where the borrower left it.
    // A view that stood on its first record without having read it is put back on its
    // first record, which reads nothing now.
    ViewBorrow& position(const QString& keyField);

    // Puts back what was saved now; throws when the view refuses.
    void restore();
    // Ends the borrow without putting anything back.
    void keep() { m_done = true; }

    TableView& view() const { return m_view; }

private:
    TableView& m_view;
    bool m_done = false;

    bool m_keepFilter = false;
    QString m_filterText;
    bool m_filtered = false;

    bool m_keepMaster = false;
    DataSource* m_master = nullptr;
    QString m_masterField;

    bool m_keepOrder = false;
    QString m_orderText;
    bool m_orderByIndex = false;

    QString m_keyField;
    QVariant m_key;
    bool m_atFirst = false; // the view stood on its first record, not read yet
};
