#include "dialogs/PropertyGrid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>

#include "dialogs/EditorGuards.h"

namespace {
const char *const KindProperty = "qcKind";
}

TPropertyGrid::TPropertyGrid(QWidget *parent) : QTableWidget(0, 2, parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus); // the editors in the rows take the focus, one Tab stop each
}

int TPropertyGrid::addRow(const QString &caption, Kind kind, QWidget *editor)
{
    const int row = rowCount();
    insertRow(row);
    auto *item = new QTableWidgetItem(caption);
    item->setFlags(Qt::ItemIsEnabled);
    setItem(row, 0, item);
    editor->setProperty(KindProperty, int(kind));
    TakeWheelOnlyWhenFocused(editor);
    setCellWidget(row, 1, editor);
    return row;
}

void TPropertyGrid::changed(QWidget *editor, const QString &value)
{
    if (m_setting)
        return;
    for (int row = 0; row < rowCount(); ++row)
        if (cellWidget(row, 1) == editor)
            emit valueChanged(row, value);
}

int TPropertyGrid::addYesNo(const QString &caption)
{
    auto *box = new QComboBox;
    box->addItems({QStringLiteral("Yes"), QStringLiteral("No")});
    connect(box, &QComboBox::currentTextChanged, this, [this, box](const QString &v) { changed(box, v); });
    return addRow(caption, YesNo, box);
}

int TPropertyGrid::addPick(const QString &caption, const QStringList &choices)
{
    auto *box = new QComboBox;
    box->addItems(choices);
    connect(box, &QComboBox::currentTextChanged, this, [this, box](const QString &v) { changed(box, v); });
    return addRow(caption, Pick, box);
}

int TPropertyGrid::addRange(const QString &caption, int min, int max)
{
    auto *spin = new QSpinBox;
    spin->setRange(min, max);
    connect(spin, &QSpinBox::valueChanged, this, [this, spin](int v) { changed(spin, QString::number(v)); });
    return addRow(caption, Range, spin);
}

int TPropertyGrid::addText(const QString &caption)
{
    auto *edit = new QLineEdit;
    connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString &v) { changed(edit, v); });
    return addRow(caption, Text, edit);
}

TPropertyGrid::Kind TPropertyGrid::kind(int row) const
{
    const QWidget *w = cellWidget(row, 1);
    return w ? Kind(w->property(KindProperty).toInt()) : Text;
}

QString TPropertyGrid::caption(int row) const
{
    const QTableWidgetItem *i = item(row, 0);
    return i ? i->text() : QString();
}

void TPropertyGrid::setValue(int row, const QString &value)
{
    QWidget *w = cellWidget(row, 1);
    if (!w)
        return;
    m_setting = true;
    if (auto *box = qobject_cast<QComboBox *>(w))
        box->setCurrentIndex(box->findText(value));
    else if (auto *spin = qobject_cast<QSpinBox *>(w))
        spin->setValue(value.toInt()); // out of range shows clamped; the stored value waits for an edit
    else if (auto *edit = qobject_cast<QLineEdit *>(w))
        edit->setText(value);
    m_setting = false;
}

QString TPropertyGrid::value(int row) const
{
    const QWidget *w = cellWidget(row, 1);
    if (auto *box = qobject_cast<const QComboBox *>(w))
        return box->currentText();
    if (auto *spin = qobject_cast<const QSpinBox *>(w))
        return QString::number(spin->value());
    if (auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    return QString();
}
