#pragma once

#include <QStringList>

struct TableSchema;

// What a store tells the views open on it: a record of their table was written through
// another view, the store closed, or the store itself is gone.
class TableListener
{
public:
    enum class Change
    {
        Insert,
        Update,
        Delete
    };

    virtual const TableSchema& listenedTable() const = 0;
    virtual void tableChanged(Change change, qint64 id, const QStringList& changedFields) = 0;
    // What was written since the last stored state was undone: read everything again.
    virtual void reread() = 0;
    // The store closes its connection: the view closes too.
    virtual void storeClosed() = 0;
    // The store is destroyed: the view must not reach it again.
    virtual void storeGone() = 0;

protected:
    TableListener() = default;
    ~TableListener() = default;
    TableListener(const TableListener&) = default;
    TableListener& operator=(const TableListener&) = default;
};
