// A view's declaration: the fields it reaches, its order and its master link.

#include "apperror.h"
#include "tableview.h"

#include <algorithm>

// --- declaration --------------------------------------------------------------------

ViewField& TableView::addField(const QString& fieldName)
{
    const int ti = m_table->fieldIndex(fieldName);
    if (ti < 0)
        throw AppError(viewError(QStringLiteral("the table has no field \"%1\"").arg(fieldName)));
    const FieldSchema& fs = m_table->fields[static_cast<size_t>(ti)];
    ViewField vf;
    vf.name = fs.name;
    vf.label = fs.label.isEmpty() ? fs.name : fs.label;
    vf.displayWidth = fs.type == FieldType::Text ? fs.width : 10;
    vf.readOnly = fs.type == FieldType::AutoInc;
    vf.tableIndex = ti;
    vf.type = fs.type;
    m_fields.push_back(vf);
    return m_fields.back();
}

ViewField& TableView::addCalcField(const QString& fieldName, const QString& label, int size)
{
    ViewField vf;
    vf.name = fieldName;
    vf.label = label;
    vf.displayWidth = size;
    vf.size = size;
    vf.calculated = true;
    vf.readOnly = true;
    m_fields.push_back(vf);
    return m_fields.back();
}

const ViewField* TableView::fieldDef(const QString& fieldName) const
{
    const int i = declaredIndex(fieldName);
    return i < 0 ? nullptr : &m_fields[static_cast<size_t>(i)];
}

ViewField& TableView::field(const QString& fieldName)
{
    return m_fields[static_cast<size_t>(requireDeclared(fieldName))];
}

const ViewField& TableView::declared(const QString& fieldName) const
{
    return m_fields[static_cast<size_t>(requireDeclared(fieldName))];
}

int TableView::declaredIndex(const QString& fieldName) const
{
    // Names are nearly always spelt as declared; the case-blind search is the fallback.
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name == fieldName)
            return static_cast<int>(i);
    }
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int TableView::requireDeclared(const QString& fieldName) const
{
    const int i = declaredIndex(fieldName);
    if (i < 0)
        throw AppError(viewError(QStringLiteral("field \"%1\" not found").arg(fieldName)));
    return i;
}

int TableView::columnOf(const ViewField& field) const
{
    return m_query.columnOf(field.tableIndex);
}

QString TableView::viewError(const QString& what) const
{
    return QStringLiteral("%1: %2.").arg(m_name, what);
}

void TableView::setIndexName(const QString& indexName)
{
    const IndexSchema* index = m_table->index(indexName);
    if (!index)
        throw AppError(viewError(QStringLiteral("%1 has no index \"%2\"").arg(m_table->name, indexName)));
    checkBrowseMode();
    m_query.setOrder(index->keys, index->idDescending);
    m_orderText = indexName;
    m_orderByIndex = true;
    if (isOpen())
        rangeChanged();
}

void TableView::setIndexFieldNames(const QString& fieldNames)
{
    std::vector<IndexKey> keys;
    for (const QString& name : fieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const FieldSchema* fs = m_table->field(name.trimmed());
        if (!fs)
            throw AppError(viewError(QStringLiteral("the table has no field \"%1\"").arg(name.trimmed())));
        keys.push_back(IndexKey{fs->name, false});
    }
    checkBrowseMode();
    m_query.setOrder(keys, false);
    m_orderText = fieldNames;
    m_orderByIndex = false;
    if (isOpen())
        rangeChanged();
}

// --- master link --------------------------------------------------------------------

void TableView::detachFromMaster()
{
    auto& siblings = m_master->view()->m_details;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    m_master = nullptr;
}

void TableView::bindTo(DataSource* source, const QString& masterField)
{
    if (m_query.orderKeys().empty())
        throw AppError(viewError(QStringLiteral("a view needs an order before it can follow a master")));
    checkBrowseMode();
    if (m_master)
        detachFromMaster();
    m_master = source;
    m_masterField = masterField;
    source->view()->m_details.push_back(this);
    rangeChanged();
}

void TableView::unbind()
{
    if (!m_master)
        return;
    checkBrowseMode();
    detachFromMaster();
    rangeChanged();
}

void TableView::masterChanged()
{
    checkBrowseMode();
    rangeChanged();
}

void TableView::notifyDetails()
{
    const std::vector<TableView*> details = m_details;
    for (TableView* detail : details)
        detail->masterChanged();
}

// Whether a change of these fields moves the range of a detail view.
bool TableView::keyOfDetails(const QStringList& fields) const
{
    for (const TableView* detail : m_details) {
        if (fields.contains(detail->m_masterField, Qt::CaseInsensitive))
            return true;
    }
    return false;
}
