#include "referenceeditor.h"

#include "datamodule.h"
#include "dbimage.h"
#include "dblookupcombobox.h"
#include "glyphs.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

namespace {

QToolButton* toolButton(QToolBar* bar, const QIcon& icon, const QString& hint)
{
    auto* button = new QToolButton(bar);
    button->setIcon(icon);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

} // namespace

ReferenceEditor::ReferenceEditor(const QString& objectName, const QString& caption, Qt::WindowFlags flags,
                                 QWidget* parent)
    : Window<QDialog>(parent, flags)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    frame().setClosesOnEscape(true);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setMovable(false);
    ToolButton1 = toolButton(ToolBar1, Glyphs::add(), QString::fromUtf8("Добавить"));
    ToolButton2 = toolButton(ToolBar1, Glyphs::remove(), QString::fromUtf8("Удалить"));
    ToolBar1->addSeparator();
    ToolButton4 = toolButton(ToolBar1, Glyphs::confirm(), QString::fromUtf8("Подтвердить изменения"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolButton1->setObjectName(QStringLiteral("ToolButton1"));
    ToolButton2->setObjectName(QStringLiteral("ToolButton2"));
    ToolButton4->setObjectName(QStringLiteral("ToolButton4"));
    connectHandler(ToolButton1, &QToolButton::clicked, &ReferenceEditor::ToolButton1Click);
    connectHandler(ToolButton2, &QToolButton::clicked, &ReferenceEditor::ToolButton2Click);
    connectHandler(ToolButton4, &QToolButton::clicked, &ReferenceEditor::ToolButton4Click);
}

void ReferenceEditor::addSearch(int width, const QString& hint)
{
    ToolBar1->addSeparator();
    Edit1 = new QLineEdit(ToolBar1);
    Edit1->setFixedWidth(width);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    ToolBar1->addWidget(Edit1);
    ToolButton6 = toolButton(ToolBar1, Glyphs::search(), hint);
    ToolButton6->setObjectName(QStringLiteral("ToolButton6"));
}

QLabel* ReferenceEditor::label(const QString& text, int x, int y)
{
    auto* l = new QLabel(text, this);
    l->move(x, y);
    l->resize(l->sizeHint());
    return l;
}

DBLookupComboBox* ReferenceEditor::chooser(const QString& listField, int x, int y, int width)
{
    auto* box = new DBLookupComboBox(this);
    box->setKeyField(QStringLiteral("Code"));
    box->setListField(listField);
    box->setDropDownRows(10);
    box->setGeometry(x, y, width, box->sizeHint().height());
    return box;
}

// An editable picture box: a picture pasted into it starts editing the record.
DBImage* ReferenceEditor::picture(const QString& field, const QRect& place)
{
    auto* image = new DBImage(this);
    image->setDataField(field);
    image->setReadOnly(false);
    image->setBorder(true);
    image->setGeometry(place);
    return image;
}

void ReferenceEditor::connectDataModule()
{
    if (m_connected)
        return;
    loadedDataModule();
    m_connected = true;
    bindControls();
}

void ReferenceEditor::showEvent(QShowEvent* event)
{
    if (!m_connected && DataModule1)
        Dialogs::runHandler([this] { connectDataModule(); }, this);
    Window<QDialog>::showEvent(event);
}

void ReferenceEditor::ToolButton1Click()
{
    editedView().insert();
}

void ReferenceEditor::ToolButton2Click()
{
    editedView().remove();
}

void ReferenceEditor::ToolButton4Click()
{
    TableView& view = editedView();
    if (view.state() == TableView::State::Edit || view.state() == TableView::State::Insert)
        view.post();
}

void ReferenceEditor::search(const QString& field)
{
    editedView().locate(field, Edit1->text());
}
