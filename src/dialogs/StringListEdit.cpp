#include "dialogs/StringListEdit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/EditorGuards.h"

void tParallelLists::SetEntry(int index, const QString &text)
{
    if (index >= 0 && index < Entries.size())
        Entries[index] = text;
}

void tParallelLists::SetResponse(int n, int index, const QString &text)
{
    if (n < 0 || n > 2 || index < 0 || index >= Entries.size())
        return;
    QStringList &r = Responses[n];
    while (r.size() <= index)
        r.append(QString());
    r[index] = text;
}

int tParallelLists::Add()
{
    Entries.append(NewEntry);
    const int index = int(Entries.size()) - 1;
    if (HasResponses) {
        for (int n = 0; n < 3; ++n) {
            // Keep the responses in step with the new entry, even behind a short list.
            while (Responses[n].size() < index)
                Responses[n].append(QString());
            Responses[n].append(n == 0 ? NewResponse : QString());
        }
    }
    return index;
}

void tParallelLists::Remove(int index)
{
    if (index < 0 || index >= Entries.size())
        return;
    Entries.removeAt(index);
    for (QStringList &r : Responses)
        if (index < r.size())
            r.removeAt(index);
}

TDSStringListEdit::TDSStringListEdit(const QString &listCaption, const QString &editCaption, bool withResponses,
                                     QWidget *parent)
    : QWidget(parent),
      m_list(new QListWidget),
      m_edit(new QLineEdit),
      m_add(new QPushButton(QStringLiteral("&Add"))),
      m_delete(new QPushButton(QStringLiteral("&Delete")))
{
    KeepStorable(m_edit); // every list it edits is kept single-byte
    auto *listLabel = new QLabel(listCaption);
    listLabel->setBuddy(m_list);
    auto *editLabel = new QLabel(editCaption);
    editLabel->setBuddy(m_edit);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_delete);
    buttons->addStretch();

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    if (withResponses) {
        // List on the left; the selected entry and its responses on the right.
        grid->addWidget(listLabel, 0, 0);
        grid->addWidget(m_list, 1, 0, 4, 1);
        grid->addLayout(buttons, 5, 0);
        auto *fields = new QFormLayout;
        fields->addRow(editLabel, m_edit);
        for (int n = 0; n < 3; ++n) {
            auto *box = new QComboBox;
            box->setEditable(true);
            box->setInsertPolicy(QComboBox::NoInsert);
            box->setMinimumContentsLength(16);
            box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            TakeWheelOnlyWhenFocused(box);
            KeepStorable(box);
            m_responses[n] = box;
            fields->addRow(QStringLiteral("Response #%1:").arg(n + 1), box);
            connect(box, &QComboBox::editTextChanged, this, [this, n](const QString &text) {
                if (m_filling || !m_lists || Current() < 0)
                    return;
                m_lists->SetResponse(n, Current(), text);
                emit edited();
            });
        }
        grid->addLayout(fields, 1, 1, 4, 1, Qt::AlignTop);
        grid->setRowStretch(4, 1); // extra height goes to the list, not between it and its caption
        grid->setColumnStretch(0, 2);
        grid->setColumnStretch(1, 3);
    } else {
        grid->addWidget(listLabel, 0, 0, 1, 2);
        grid->addWidget(m_list, 1, 0, 1, 2);
        grid->addWidget(editLabel, 2, 0);
        grid->addWidget(m_edit, 2, 1);
        grid->addLayout(buttons, 3, 0, 1, 2);
        grid->setRowStretch(1, 1);
    }

    connect(m_list, &QListWidget::currentRowChanged, this, [this] { showCurrent(); });
    connect(m_edit, &QLineEdit::textEdited, this, [this](const QString &text) {
        const int i = Current();
        if (!m_lists || i < 0)
            return;
        m_lists->SetEntry(i, text);
        m_list->item(i)->setText(text);
        emit edited();
    });
    connect(m_add, &QPushButton::clicked, this, [this] {
        if (!m_lists)
            return;
        const int i = m_lists->Add();
        m_list->addItem(m_lists->Entries.at(i));
        select(i);
        m_edit->setFocus();
        m_edit->selectAll();
        emit edited();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        const int i = Current();
        if (!m_lists || i < 0)
            return;
        m_lists->Remove(i);
        delete m_list->takeItem(i);
        select(qMin(i, m_lists->Count() - 1));
        emit edited();
    });
    showCurrent();
}

TDSStringListEdit::~TDSStringListEdit()
{
    // The list and fields go after this part of the object: they must not call back into it.
    for (QObject *o : findChildren<QObject *>())
        o->blockSignals(true);
}

int TDSStringListEdit::Current() const
{
    return m_list->currentRow();
}

void TDSStringListEdit::Bind(tParallelLists *lists)
{
    m_lists = lists;
    m_filling = true;
    m_list->clear();
    if (lists)
        m_list->addItems(lists->Entries);
    m_filling = false;
    select(m_list->count() > 0 ? 0 : -1);
}

void TDSStringListEdit::SetSuggestions(const QStringList &suggestions)
{
    m_filling = true;
    for (QComboBox *box : m_responses) {
        if (!box)
            continue;
        const QString text = box->currentText();
        box->clear();
        box->addItems(suggestions);
        box->setEditText(text);
    }
    m_filling = false;
}

void TDSStringListEdit::select(int index)
{
    m_list->setCurrentRow(index);
    showCurrent();
}

void TDSStringListEdit::showCurrent()
{
    const int i = Current();
    const bool any = m_lists && i >= 0 && i < m_lists->Count();
    m_filling = true;
    m_edit->setText(any ? m_lists->Entries.at(i) : QString());
    m_edit->setEnabled(any);
    for (int n = 0; n < 3; ++n) {
        if (!m_responses[n])
            continue;
        m_responses[n]->setEditText(any ? m_lists->Response(n, i) : QString());
        m_responses[n]->setEnabled(any);
    }
    m_delete->setEnabled(any);
    m_filling = false;
}
