#pragma once

#include "editbuffer.h"
#include "filter.h"
#include "recordset.h"
#include "schema.h"
#include "tablestore.h"
#include "viewquery.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QObject>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

class DataSource;

// A field as one view declares it: a field of the table, or a calculated text.
struct ViewField
{
    QString name;
    QString label;          // column title in data grids
    int displayWidth = 0;   // characters shown in data grids
    bool alignLeft = false; // numbers are right-aligned unless this is set
    bool readOnly = false;
    bool groupedDigits = false; // shown as "### ###" (45000 shows as 45 000)
    bool calculated = false;
    int size = 0;        // width of a calculated text; longer texts are cut
    int tableIndex = -1; // position in the table's fields; -1 for a calculated field
    FieldType type = FieldType::Text;
};

// A cursor over one table: the fields it declares, an order (a named index), an optional
// master link, a filter (text and switch), a current record and an editing state, with
// the reactions that the data module hangs on it.
//
// The visible records are the records of the range (master link) that pass the filter,
// in the view's order. They are worked out only when something navigates or counts: the
// first record alone costs one indexed look-up, a count one COUNT query, and walking the
// records loads their ids once (and their values in chunks). What was worked out is kept
// until the range, the filter, the order or the table's contents change.
//
// The parts: the view's SQL (ViewQuery), its visible records (RecordSet), the record
// being edited (EditBuffer) and the conversion of values (FieldValue); the view itself
// is the cursor that ties them together.
class TableView : public QObject, public TableListener
{
    Q_OBJECT

public:
    enum class State
    {
        Inactive,
        Browse,
        Edit,
        Insert
    };

    // tableName is the name the program opens the table by, e.g. "Results.db".
    TableView(TableStore& store, const QString& tableName, const QString& name, QObject* parent = nullptr);
    ~TableView() override;

    const QString& name() const { return m_name; }
    const TableSchema& table() const { return *m_table; }
    TableStore& store() const { return m_store; }

    // --- declaration ---------------------------------------------------------------
    // Declares a field of the table; label and width default to the table's.
    ViewField& addField(const QString& fieldName);
    // Declares a calculated text field of the given width.
    ViewField& addCalcField(const QString& fieldName, const QString& label, int size);
    const std::vector<ViewField>& fields() const { return m_fields; }
    const ViewField* fieldDef(const QString& fieldName) const; // null when not declared
    ViewField& field(const QString& fieldName);                // throws when not declared

    // The order: a named index of the table, or a list of field names (";"-separated).
    void setIndexName(const QString& indexName);
    void setIndexFieldNames(const QString& fieldNames);
    // The order as it was last set: an index name, or the field names when orderByIndex()
    // is false (empty before either was set: the order of the records' ids).
    const QString& orderText() const { return m_orderText; }
    bool orderByIndex() const { return m_orderByIndex; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }

    // --- master link -----------------------------------------------------------------
    // Shows only the records whose first order key equals masterField of the source's
    // current record, and follows it. Can be removed and restored at run time.
    void bindTo(DataSource* source, const QString& masterField);
    void unbind();
    DataSource* masterSource() const { return m_master; }
    const QString& masterField() const { return m_masterField; }

    // --- life ------------------------------------------------------------------------
    void open();
    void close();
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }

    // --- moving ----------------------------------------------------------------------
    // Moving posts a record being edited first.
    void first();
    void last();
    void next(); // past the last record the view stays on it and eof() becomes true
    bool eof();
    bool isEmpty();
    int recordCount(); // the records a scan from first to the end visits
    // Moves to the first record, in the view's order, whose field equals value; when none
    // does the view stays where it was. Returns whether one was found.
    bool locate(const QString& fieldName, const QVariant& value);
    int recNo(); // position of the current record from 0; -1 when the view is empty
    // Whether the view was moved to its first record and has not read it yet: it stands
    // on whatever record comes first in its set when it is next read.
    bool standsAtUnreadFirst() const { return isOpen() && (m_pendingFirst || m_rangeDirty); }
    void moveTo(int position);
    // Moves to a visible record by its id (a row a grid showed before the record being
    // edited was posted and the rows moved); false, the view unmoved, when it is not visible.
    bool moveToRecord(qint64 id);

    // --- filter ----------------------------------------------------------------------
    // A text that does not parse or whose literals do not convert is refused with an
    // AppError and leaves the previous text and switch as they were.
    void setFilterText(const QString& text);
    const QString& filterText() const { return m_filterText; }
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }

    // --- editing ---------------------------------------------------------------------
    void insert();
    void edit();
    void post();
    void cancel();
    void remove(); // deletes the current record
    // Numbers the visible records 1, 2, ... in the view's order into a whole-number field
    // (a league table's positions) with one statement instead of a post per record; a
    // record being edited is posted first. Every view of the table, this one too, hears
    // of each record written, as of a post. The view stands on its first record after.
    void numberInOrder(const QString& fieldName);
    bool isModified() const;
    // Sets a declared field of the record being edited or inserted. Texts are cut to the
    // field's width; number and date texts are converted (with the conversion messages).
    void setValue(const QString& fieldName, const QVariant& value);
    void clearValue(const QString& fieldName) { setValue(fieldName, QVariant()); }
    // Only inside the calculated-fields reaction.
    void setCalcValue(const QString& fieldName, const QVariant& value);

    // --- reading ---------------------------------------------------------------------
    // Values of the current record: null when empty. Numbers come as qint64, dates as
    // QDate, texts as QString, pictures as QByteArray, Float as double.
    QVariant value(const QString& fieldName);
    bool isNull(const QString& fieldName) { return value(fieldName).isNull(); }
    qint64 asInteger(const QString& fieldName); // empty reads as 0
    double asFloat(const QString& fieldName);   // empty reads as 0
    QDate asDate(const QString& fieldName);     // empty reads as an invalid date
    QString asString(const QString& fieldName); // empty reads as ""; dates in the short date format
    QByteArray asBytes(const QString& fieldName);
    QString displayText(const QString& fieldName); // asString with the field's display format

    // The values of the named fields (declared, stored, not pictures) of every visible
    // record, in the view's order, read without moving the view: what a drop-down list
    // of the view shows. Dates come as QDate, as value() gives them.
    std::vector<QVariantList> listValues(const QStringList& fieldNames);
    // The value of a declared stored field (not a picture) of the visible record at a
    // place (from 0), read without moving the view: what a grid shows. Null outside the set.
    QVariant valueAt(int index, const QString& fieldName);
    // Reads the visible records at places first .. last (as far as there are records)
    // into the view's cache without moving the view, and returns the number of visible
    // records. A set known to be large is read by place; any other is read whole.
    int fetchRows(int first, int last);
    // The visible record at a place as far as it was read and is current; an invalid row
    // otherwise. Queries nothing: what a grid paints from.
    Row cachedRow(int index) const;
    // A declared field's value in a row of this view; null for a calculated field or a
    // picture, which are not read with the rows.
    QVariant fieldValue(const Row& row, const ViewField& field) const;

    // --- reactions -------------------------------------------------------------------
    std::function<void(TableView&)> beforeInsert;
    std::function<void(TableView&)> afterInsert;
    std::function<void(TableView&)> afterPost;
    std::function<void(TableView&)> afterScroll;
    std::function<void(TableView&)> calcFields;

    // --- called by the store -----------------------------------------------------------
    const TableSchema& listenedTable() const override { return *m_table; }
    void tableChanged(TableStore::Change change, qint64 id, const QStringList& changedFields) override;
    void reread() override;
    void storeClosed() override { close(); }
    void storeGone() override;

signals:
    // The current record is another one, or its values changed.
    void recordChanged();
    // The set of visible records may have changed.
    void dataSetChanged();
    void stateChanged();
    // A record of the set was changed through another view where the view's order and
    // filter do not look: its values are read again when next asked for.
    void rowChanged(qint64 id);

private:
    void checkOpen() const;
    void checkWritable() const;
    void checkBrowseMode();
    int declaredIndex(const QString& fieldName) const; // -1 when not declared
    int requireDeclared(const QString& fieldName) const;
    const ViewField& declared(const QString& fieldName) const;
    QString viewError(const QString& what) const;
    int columnOf(const ViewField& field) const;

    void ensureFresh();      // the range follows the master
    void ensurePositioned(); // ... and the view stands on its current record
    void masterChanged();
    void notifyDetails();
    void detachFromMaster();
    bool keyOfDetails(const QStringList& fields) const;
    void forget(); // the visible records are worked out anew when next needed
    void startOver();
    void clearCursor();
    void forgetValues();
    void newSetShown();
    void scrolled();
    void arrived();
    void restartAtFirst();
    void rangeChanged();

    bool fetchEdge(bool lastRecord);
    bool isLargeSet() const; // counted, more than a small set, ids not loaded: read by place
    int ensureCount();
    bool resolvePos();
    const Row& currentRow(quint64 columns = ViewQuery::kAllColumns);
    QVariant currentBlob(int tableIndex);
    void setCurrent(int pos);
    void computeCalc();
    bool affects(const QStringList& changedFields) const;

    TableStore& m_store;
    const TableSchema* m_table;
    QString m_name;
    std::vector<ViewField> m_fields;
    bool m_readOnly = false;
    ViewQuery m_query; // order, range and filter as SQL
    RecordSet m_records;
    QString m_orderText;
    bool m_orderByIndex = false;

    // master link
    DataSource* m_master = nullptr;
    QString m_masterField;
    std::vector<TableView*> m_details;
    bool m_rangeDirty = true;
    bool m_pendingFirst = false; // moved to the first record, not yet read

    // filter
    QString m_filterText;
    Filter m_filter;
    bool m_filtered = false;

    // cursor
    qint64 m_curId = -1;
    int m_pos = -1; // -1 when not known yet (after last(), a locate or a post)
    bool m_eof = true;
    Row m_curRow;
    QHash<int, QVariant> m_curBlobs;
    std::optional<QVariantList> m_calc;
    bool m_inCalc = false;

    // editing
    State m_state = State::Inactive;
    bool m_storeGone = false;
    EditBuffer m_edit;

    friend class DataSource;
};

// What data-aware controls and detail views are bound to: one view under a name.
class DataSource : public QObject
{
    Q_OBJECT

public:
    DataSource(TableView* view, const QString& name, QObject* parent = nullptr) : QObject(parent), m_view(view)
    {
        setObjectName(name);
    }
    TableView* view() const { return m_view; }

private:
    TableView* m_view;
};
