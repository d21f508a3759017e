#include "viewborrow.h"

#include "tableview.h"

ViewBorrow::ViewBorrow(TableView& view) : m_view(view) {}

ViewBorrow::~ViewBorrow()
{
    if (m_done)
        return;
    try {
        restore();
    } catch (...) {
        // The error that stopped the operation is the one the user is shown.
    }
}

ViewBorrow& ViewBorrow::filter()
{
    m_keepFilter = true;
    m_filterText = m_view.filterText();
    m_filtered = m_view.isFiltered();
    return *this;
}

ViewBorrow& ViewBorrow::master()
{
    m_keepMaster = true;
    m_master = m_view.masterSource();
    m_masterField = m_view.masterField();
    return *this;
}

ViewBorrow& ViewBorrow::order()
{
    m_keepOrder = true;
    m_orderText = m_view.orderText();
    m_orderByIndex = m_view.orderByIndex();
    return *this;
}

ViewBorrow& ViewBorrow::position(const QString& keyField)
{
    m_keyField = keyField;
    m_atFirst = m_view.standsAtUnreadFirst();
    m_key = m_view.isOpen() && !m_atFirst && !m_view.isEmpty() ? m_view.value(keyField) : QVariant();
    return *this;
}

void ViewBorrow::restore()
{
    m_done = true;
    if (!m_view.isOpen())
        return;
    m_view.cancel();
    if (m_keepOrder && !m_orderText.isEmpty()) {
        if (m_orderByIndex)
            m_view.setIndexName(m_orderText);
        else
            m_view.setIndexFieldNames(m_orderText);
    }
    if (m_keepFilter) {
        // A filter that was off stays off with the borrower's text, as the windows leave
        // it; one that was on gets its own text back.
        if (m_filtered && m_view.filterText() != m_filterText)
            m_view.setFilterText(m_filterText);
        m_view.setFiltered(m_filtered);
    }
    if (m_keepMaster && (m_view.masterSource() != m_master || m_view.masterField() != m_masterField)) {
        if (m_master)
            m_view.bindTo(m_master, m_masterField);
        else
            m_view.unbind();
    }
    if (m_atFirst)
        m_view.first();
    else if (!m_keyField.isEmpty() && !m_key.isNull())
        m_view.locate(m_keyField, m_key);
}
