#pragma once

#include "filter.h"
#include "schema.h"
#include "tablestore.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QObject>
#include <QVariant>
#include <functional>
#include <optional>
#include <unordered_map>
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
class TableView : public QObject
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
    void moveTo(int position);

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
    bool isModified() const;
    // Sets a declared field of the record being edited or inserted. Texts are cut to the
    // field's width; number and date texts are converted (with the conversion messages).
    void setValue(const QString& fieldName, const QVariant& value);
    void clearValue(const QString& fieldName) { setValue(fieldName, QVariant()); }
    // What a value becomes when it is written into a field: the one rule of every write,
    // also for records stored without a view (the builder's inserts).
    static QVariant convertForField(const FieldSchema& field, const QVariant& value);
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

    // --- reactions -------------------------------------------------------------------
    std::function<void(TableView&)> beforeInsert;
    std::function<void(TableView&)> afterInsert;
    std::function<void(TableView&)> afterPost;
    std::function<void(TableView&)> afterScroll;
    std::function<void(TableView&)> calcFields;

    // --- called by the store and by master views --------------------------------------
    void tableChanged(TableStore::Change change, qint64 id, const QStringList& changedFields);
    void storeClosing();

signals:
    // The current record is another one, or its values changed.
    void recordChanged();
    // The set of visible records may have changed.
    void dataSetChanged();
    void stateChanged();

private:
    using Row = QVariantList; // values by table field index; pictures are loaded apart

    void checkOpen() const;
    void checkWritable() const;
    void checkBrowseMode();
    int declaredIndex(const QString& fieldName) const;
    const ViewField& declared(const QString& fieldName) const;
    QString viewError(const QString& what) const;

    void ensureFresh();      // the range follows the master
    void ensurePositioned(); // ... and the view stands on its current record
    void masterChanged();
    void notifyDetails();
    void invalidate();
    void clearCursor();
    void scrolled();
    void arrived();
    void restartAtFirst();
    void rangeChanged();

    QString selectColumns() const;
    QString whereSql(QVariantList& params, const QString& extra = QString(), const QVariantList& extraParams = {});
    QString orderSql(bool reversed) const;
    Row readRow(const QSqlQuery& q, int offset) const;
    bool fetchEdge(bool lastRecord);
    bool walksAhead() const;
    bool readSmallSet();
    void ensureIds();
    int ensureCount();
    bool resolvePos();
    const Row& currentRow();
    void loadChunk(int chunk);
    QVariant currentBlob(int tableIndex);
    void setCurrent(int pos);
    void computeCalc();
    bool affects(const QStringList& changedFields) const;

    TableStore& m_store;
    const TableSchema* m_table;
    QString m_name;
    std::vector<ViewField> m_fields;
    bool m_readOnly = false;

    // order
    std::vector<IndexKey> m_orderKeys;
    bool m_idDescending = false;
    QString m_orderText;
    bool m_orderByIndex = false;

    // master link
    DataSource* m_master = nullptr;
    QString m_masterField;
    std::vector<TableView*> m_details;
    bool m_rangeDirty = true;
    bool m_pendingFirst = false; // moved to the first record, not yet read
    bool m_rangeEmpty = false;
    QVariant m_rangeKey;

    // filter
    QString m_filterText;
    Filter m_filter;
    bool m_filtered = false;

    // visible records
    bool m_idsValid = false;
    std::vector<qint64> m_ids;
    std::optional<int> m_count;
    std::unordered_map<int, std::vector<Row>> m_chunks;
    std::vector<qint64> m_staleIds; // the ids before the last change, to find a vanished record's successor
    int m_stalePos = -1;

    // cursor
    qint64 m_curId = -1;
    int m_pos = -1;
    bool m_eof = true;
    std::optional<Row> m_curRow;
    QHash<int, QVariant> m_curBlobs;
    std::optional<QVariantList> m_calc;
    bool m_inCalc = false;

    // editing
    State m_state = State::Inactive;
    bool m_storeGone = false;
    Row m_buffer;
    std::vector<bool> m_modified;
    std::vector<bool> m_loaded;

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
