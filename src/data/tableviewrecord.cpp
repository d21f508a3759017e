// The current record of a view: reading its values, editing, inserting, posting and
// deleting it, and hearing of the changes other views make to the table.

#include "apperror.h"
#include "fieldvalue.h"
#include "tableview.h"
#include "textformat.h"

#include <algorithm>
#include <limits>

// --- editing ------------------------------------------------------------------------

bool TableView::isModified() const
{
    return m_edit.isModified();
}

void TableView::insert()
{
    checkWritable();
    checkBrowseMode();
    ensurePositioned(); // a cancel returns to this record
    if (beforeInsert)
        beforeInsert(*this);
    m_edit.beginInsert(*m_table);
    if (m_query.hasRange() && !m_query.selectsNothing())
        m_edit.preset(m_table->fieldIndex(m_query.orderKeys().front().field), m_query.rangeKey());
    m_state = State::Insert;
    m_calc.reset();
    notifyDetails();
    emit stateChanged();
    emit recordChanged();
    if (afterInsert)
        afterInsert(*this); // a failure here leaves the record begun
}

void TableView::edit()
{
    checkWritable();
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    ensurePositioned();
    if (m_curId < 0) {
        insert(); // editing an empty view begins a new record
        return;
    }
    const Row& row = currentRow();
    QVariantList values(static_cast<qsizetype>(m_table->fields.size()));
    for (size_t i = 0; i < m_table->fields.size(); ++i) {
        const int column = m_query.columnOf(static_cast<int>(i));
        if (column >= 0)
            values[static_cast<qsizetype>(i)] = row.stored(column);
    }
    m_edit.beginEdit(*m_table, std::move(values));
    m_state = State::Edit;
    m_calc.reset();
    emit stateChanged();
}

void TableView::post()
{
    checkOpen();
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    const bool inserting = m_state == State::Insert;
    QStringList changed;
    QVariantList values;
    m_edit.changes(*m_table, inserting, changed, values);
    qint64 id = m_curId;
    // The record and what the after-post reaction writes (a team's new label in its results)
    // are one transaction: a kill or a full disk leaves both or neither.
    TableStore::Batch batch(m_store);
    if (inserting) {
        const Statement s = m_query.insert(changed, values);
        id = m_store.write(s.sql, s.params, m_table->name);
    } else if (!changed.isEmpty()) {
        const Statement s = m_query.update(changed, values, m_curId);
        m_store.write(s.sql, s.params, m_table->name);
    }

    // The record is stored: bring this view's own picture of it up to date.
    const bool keyChanged = inserting || keyOfDetails(changed);
    if (inserting || affects(changed)) {
        forget();
        m_curId = id;
        m_pos = -1;
        forgetValues();
    } else {
        for (size_t i = 0; i < m_table->fields.size(); ++i) {
            if (m_table->fields[i].isBlob() && m_edit.isModified(static_cast<int>(i)))
                m_curBlobs.insert(static_cast<int>(i), m_edit.value(static_cast<int>(i)));
        }
        m_curRow = Row::fromStored(m_query, m_curId, m_edit.values());
        m_records.patch(m_curRow);
    }
    m_state = State::Browse;
    m_edit.clear();
    m_calc.reset();
    m_store.notifyChange(*m_table, inserting ? TableStore::Change::Insert : TableStore::Change::Update, id, changed,
                         this);
    if (keyChanged)
        notifyDetails();
    emit stateChanged();
    if (inserting)
        emit dataSetChanged();
    emit recordChanged();
    if (afterPost)
        afterPost(*this);
    batch.commit();
}

void TableView::numberInOrder(const QString& fieldName)
{
    checkWritable();
    checkBrowseMode();
    ensureFresh();
    const FieldSchema* field = m_table->field(fieldName);
    if (!field || (field->type != FieldType::Integer && field->type != FieldType::Smallint))
        throw AppError(viewError(QStringLiteral("the field \"%1\" cannot be numbered").arg(fieldName)));
    // Numbers beyond what the field holds are not written; as with a post per record, the
    // records numbered before stay and the range message follows.
    const qint64 highest =
        field->type == FieldType::Smallint ? std::numeric_limits<qint16>::max() : std::numeric_limits<qint32>::max();
    const Statement numbering = m_query.numbering(*field, highest);
    std::vector<qint64> written;
    {
        // One transaction with whatever the caller writes around it.
        TableStore::Batch batch(m_store);
        {
            KeptStatements::Cursor cursor = m_store.statements().read(numbering, m_table->name);
            while (cursor.next())
                written.push_back(cursor.integer(0));
        }
        batch.commit();
    }
    for (const qint64 id : written)
        m_store.notifyChange(*m_table, TableStore::Change::Update, id, {field->name}, nullptr);
    first();
    if (static_cast<qint64>(written.size()) == highest && recordCount() > highest)
        FieldValue::forStore(*field, QVariant(highest + 1)); // throws the range message
}

void TableView::cancel()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    bool keyChanged = m_state == State::Insert;
    for (const TableView* detail : m_details) {
        const int i = m_table->fieldIndex(detail->m_masterField);
        keyChanged = keyChanged || (i >= 0 && m_edit.isModified(i));
    }
    m_state = State::Browse;
    m_edit.clear();
    m_calc.reset();
    if (keyChanged)
        notifyDetails();
    emit stateChanged();
    emit recordChanged();
}

void TableView::remove()
{
    checkWritable();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    cancel();
    ensurePositioned();
    if (m_curId < 0)
        throw AppError(viewError(QStringLiteral("cannot delete from an empty view")));
    const qint64 id = m_curId;
    resolvePos(); // where it stands now, so that its successor can be found afterwards
    const Statement s = m_query.remove(id);
    m_store.write(s.sql, s.params, m_table->name);
    forget();
    m_store.notifyChange(*m_table, TableStore::Change::Delete, id, {}, this);
    // Stand on the record that followed the deleted one, or on the new last record.
    resolvePos();
    if (m_records.size() == 0) {
        clearCursor();
    } else {
        setCurrent(std::min(m_pos + 1, m_records.size() - 1));
        m_eof = false;
    }
    newSetShown();
}

void TableView::setValue(const QString& fieldName, const QVariant& value)
{
    checkWritable();
    if (m_state != State::Edit && m_state != State::Insert)
        throw AppError(viewError(QStringLiteral("the record is not being edited or inserted")));
    const ViewField& vf = declared(fieldName);
    if (vf.calculated || vf.readOnly)
        throw AppError(viewError(QStringLiteral("the field \"%1\" cannot be modified").arg(vf.name)));
    const FieldSchema& fs = m_table->fields[static_cast<size_t>(vf.tableIndex)];
    m_edit.set(vf.tableIndex, FieldValue::forStore(fs, value));
    m_calc.reset();
    if (keyOfDetails({fs.name}))
        notifyDetails();
    emit recordChanged();
}

void TableView::setCalcValue(const QString& fieldName, const QVariant& value)
{
    const int i = declaredIndex(fieldName);
    if (!m_inCalc || i < 0 || !m_fields[static_cast<size_t>(i)].calculated)
        throw AppError(viewError(QStringLiteral("\"%1\" is not a calculated field being computed").arg(fieldName)));
    const ViewField& vf = m_fields[static_cast<size_t>(i)];
    (*m_calc)[i] = value.isNull() ? QVariant() : QVariant(FieldValue::cut(value.toString(), vf.size));
}

void TableView::computeCalc()
{
    if (m_calc)
        return;
    m_calc = QVariantList(static_cast<qsizetype>(m_fields.size()));
    const bool hasRecord = m_curId >= 0 || m_state == State::Insert;
    if (!calcFields || !hasRecord)
        return;
    m_inCalc = true;
    try {
        calcFields(*this);
    } catch (...) {
        m_inCalc = false;
        throw;
    }
    m_inCalc = false;
}

// Whether a change of these fields can move a record into or out of the visible set, or
// to another place in it.
bool TableView::affects(const QStringList& changedFields) const
{
    for (const QString& field : changedFields) {
        if (m_filtered && m_filter.fields().contains(field, Qt::CaseInsensitive))
            return true;
        for (const auto& key : m_query.orderKeys()) {
            if (key.field.compare(field, Qt::CaseInsensitive) == 0)
                return true; // the first key is also the range's
        }
    }
    return false;
}

void TableView::tableChanged(TableStore::Change change, qint64 id, const QStringList& changedFields)
{
    if (!isOpen())
        return;
    if (change == TableStore::Change::Update && !affects(changedFields)) {
        // The set and its order stand; only the values read of the record are stale.
        m_records.markChanged(id);
        emit rowChanged(id);
        if (m_curId == id) {
            forgetValues();
            if (keyOfDetails(changedFields))
                notifyDetails();
            emit recordChanged();
        }
        return;
    }
    forget();
    if (m_curId == id)
        forgetValues();
    emit dataSetChanged();
}

void TableView::reread()
{
    if (!isOpen())
        return;
    forget();
    forgetValues();
    emit dataSetChanged();
    emit recordChanged();
}

// --- reading ------------------------------------------------------------------------

QVariant TableView::value(const QString& fieldName)
{
    checkOpen();
    ensurePositioned();
    const int di = requireDeclared(fieldName);
    const ViewField& vf = m_fields[static_cast<size_t>(di)];
    if (vf.calculated) {
        computeCalc();
        return (*m_calc)[di];
    }
    const int ti = vf.tableIndex;
    if (m_state == State::Edit || m_state == State::Insert)
        return FieldValue::fromStored(vf.type, m_edit.isLoaded(ti) ? m_edit.value(ti) : currentBlob(ti));
    if (m_table->fields[static_cast<size_t>(ti)].isBlob())
        return currentBlob(ti);
    const int column = columnOf(vf);
    m_records.use(column);
    return currentRow(ViewQuery::columnBit(column)).value(column, vf.type);
}

qint64 TableView::asInteger(const QString& fieldName)
{
    const QVariant v = value(fieldName);
    return v.isNull() ? 0 : v.toLongLong();
}

double TableView::asFloat(const QString& fieldName)
{
    const QVariant v = value(fieldName);
    return v.isNull() ? 0.0 : v.toDouble();
}

QDate TableView::asDate(const QString& fieldName)
{
    return value(fieldName).toDate();
}

QByteArray TableView::asBytes(const QString& fieldName)
{
    return value(fieldName).toByteArray();
}

QString TableView::asString(const QString& fieldName)
{
    const QVariant v = value(fieldName);
    const ViewField& vf = declared(fieldName);
    return vf.calculated ? v.toString() : FieldValue::text(vf.type, v);
}

QString TableView::displayText(const QString& fieldName)
{
    const ViewField& vf = declared(fieldName);
    if (vf.groupedDigits && !vf.calculated) {
        const QVariant v = value(fieldName);
        return v.isNull() ? QString() : TextFormat::capacityText(v.toLongLong());
    }
    return asString(fieldName);
}

std::vector<QVariantList> TableView::listValues(const QStringList& fieldNames)
{
    checkOpen();
    ensureFresh();
    std::vector<const FieldSchema*> wanted;
    for (const QString& name : fieldNames) {
        const ViewField& vf = declared(name);
        const FieldSchema* fs = vf.calculated ? nullptr : &m_table->fields[static_cast<size_t>(vf.tableIndex)];
        if (!fs || fs->isBlob())
            throw AppError(viewError(QStringLiteral("cannot list the field \"%1\"").arg(name)));
        wanted.push_back(fs);
    }
    return m_records.list(wanted);
}

QVariant TableView::valueAt(int index, const QString& fieldName)
{
    checkOpen();
    const ViewField& vf = declared(fieldName);
    if (vf.calculated || m_table->fields[static_cast<size_t>(vf.tableIndex)].isBlob())
        throw AppError(viewError(QStringLiteral("cannot read the field \"%1\" by place").arg(fieldName)));
    ensureFresh();
    if (!isLargeSet())
        m_records.load();
    if (index < 0 || index >= m_records.count())
        return {};
    const int column = columnOf(vf);
    return m_records.rowAt(index, ViewQuery::columnBit(column)).value(column, vf.type);
}

int TableView::fetchRows(int first, int last)
{
    checkOpen();
    ensureFresh();
    if (!isLargeSet())
        m_records.load();
    const int count = m_records.count();
    first = std::max(first, 0);
    last = std::min(last, count - 1);
    m_records.fetch(first, last);
    return count;
}

Row TableView::cachedRow(int index) const
{
    return isOpen() && !m_rangeDirty ? m_records.cachedRow(index) : Row();
}

QVariant TableView::fieldValue(const Row& row, const ViewField& field) const
{
    if (field.calculated || m_table->fields[static_cast<size_t>(field.tableIndex)].isBlob())
        return {};
    return row.value(columnOf(field), field.type);
}
