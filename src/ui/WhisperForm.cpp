#include "ui/WhisperForm.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

#include "net/Interpreters.h"
#include "ui/Prompts.h"
#include "ui/TabEdit.h"
#include "ui/TranscriptView.h"
#include "view/EntryLine.h"

namespace {
void paint(QWidget *w, QPalette::ColorRole role, const QColor &c)
{
    QPalette p = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, role, c);
    w->setPalette(p);
}
} // namespace

TfrmWhisper::TfrmWhisper(const QString &user, SendFn send, const QString &saveFolder, TPrompts *prompts)
    : QWidget(nullptr, Qt::Window), m_user(user), m_send(std::move(send)),
      m_prompts(prompts ? prompts : new TWidgetPrompts(this)), m_saveFolder(saveFolder),
      m_text(QStringLiteral("scWhisper"))
{
    setAttribute(Qt::WA_DeleteOnClose);
    // An open whisper window does not keep the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(user);
    scWhisper = new TTranscriptView(m_text);
    scWhisper->setObjectName(QStringLiteral("scWhisper"));
    scWhisper->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scWhisper->setContextMenuPolicy(Qt::CustomContextMenu);
    edWEnter = new TTabEdit;
    edWEnter->setObjectName(QStringLiteral("edWEnter"));
    edWEnter->lineEdit()->setMaxLength(tEntryLine::MaxTextLength);
    QFont bold = edWEnter->font();
    bold.setBold(true);
    edWEnter->setFont(bold);
    btnSend = new QPushButton(QStringLiteral("&Send"));
    btnSend->setObjectName(QStringLiteral("btnSend"));
    btnSend->setDefault(true);
    btnSend->setToolTip(QStringLiteral("Send message to user"));
    btnSend->setFocusPolicy(Qt::NoFocus);
    ApplyColors(Qt::black, Qt::black, Qt::cyan);

    auto *entry = new QHBoxLayout;
    entry->setContentsMargins(2, 2, 2, 2);
    entry->setSpacing(2);
    entry->addWidget(edWEnter, 1);
    entry->addWidget(btnSend);
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(scWhisper, 1);
    v->addLayout(entry);
    resize(420, 260);

    mnuWhisper = new QMenu(this);
    QAction *clear = mnuWhisper->addAction(QStringLiteral("&Clear"));
    QAction *saveAs = mnuWhisper->addAction(QStringLiteral("&Save to File..."));
    clear->setObjectName(QStringLiteral("mnClear"));
    saveAs->setObjectName(QStringLiteral("mnSave"));
    connect(clear, &QAction::triggered, this, [this] { m_text.Clear(); });
    connect(saveAs, &QAction::triggered, this, &TfrmWhisper::save);
    connect(scWhisper, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { mnuWhisper->popup(scWhisper->viewport()->mapToGlobal(pos)); });

    connect(edWEnter, &TTabEdit::returnPressed, this, &TfrmWhisper::Send);
    connect(btnSend, &QPushButton::clicked, this, &TfrmWhisper::Send);
    // Esc closes the window whichever control has the focus.
    for (QObject *o : std::initializer_list<QObject *>{this, scWhisper, scWhisper->viewport(), edWEnter, edWEnter->lineEdit()})
        o->installEventFilter(this);
}

void TfrmWhisper::ApplyColors(const QColor &paneBackground, const QColor &entryBackground, const QColor &entryColor)
{
    paint(scWhisper, QPalette::Base, paneBackground);
    for (QWidget *w : {static_cast<QWidget *>(edWEnter), static_cast<QWidget *>(edWEnter->lineEdit())}) {
        paint(w, QPalette::Base, entryBackground);
        paint(w, QPalette::Text, entryColor);
    }
}

void TfrmWhisper::ApplyFont(const QFont &font)
{
    m_text.SetFont(font);
    scWhisper->setFont(font);
}

void TfrmWhisper::Send()
{
    const QString text = edWEnter->text();
    const QString line = QLatin1String("/msg ") + m_user + QLatin1Char(' ') + text + QLatin1Char('\r');
    // A line the connection would refuse is not sent at all; the text stays to be shortened.
    if (!tBaseInterpreter::Fits(line)) {
        m_text.WriteLine(tEntryLine::TooLongText, ErrorColor);
        focusEntry();
        return;
    }
    m_send(line);
    edWEnter->insertHistory(text);
    edWEnter->setText(QString());
    focusEntry();
}

void TfrmWhisper::focusEntry()
{
    edWEnter->setFocus(Qt::OtherFocusReason);
    edWEnter->setCaretToEnd();
}

void TfrmWhisper::save()
{
    m_prompts->SaveFile(QStringLiteral("Save to File..."), QStringLiteral("Text Files (*.txt)"), QStringLiteral("txt"),
                       m_saveFolder, [this](const QString &path) {
                           if (!path.isEmpty() && !m_text.SaveToFile(path))
                               m_prompts->Message(QStringLiteral("Unable to save file"));
                       });
}

void TfrmWhisper::showEvent(QShowEvent *e)
{
    setWindowTitle(m_user);
    QWidget::showEvent(e);
    focusEntry();
}

bool TfrmWhisper::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::ShortcutOverride) {
        const auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() == Qt::Key_Escape && (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            e->accept();
            if (e->type() == QEvent::KeyPress)
                close();
            return true;
        }
    } else if (e->type() == QEvent::WindowActivate && watched == this) {
        focusEntry();
    }
    return QWidget::eventFilter(watched, e);
}

void TfrmWhisper::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::WindowStateChange) {
        const bool was = static_cast<QWindowStateChangeEvent *>(e)->oldState() & Qt::WindowMinimized;
        const bool now = windowState() & Qt::WindowMinimized;
        if (now && !was) {
            m_resizable = false;
            m_savedSize = size();
        } else if (was && !now) {
            m_resizable = true;
        }
    }
    QWidget::changeEvent(e);
}

void TfrmWhisper::resizeEvent(QResizeEvent *e)
{
    // While minimised the window refuses size changes, so it comes back as it was.
    if (!m_resizable && m_savedSize.isValid() && size() != m_savedSize)
        QMetaObject::invokeMethod(this, [this] {
            if (!m_resizable)
                resize(m_savedSize);
        }, Qt::QueuedConnection);
    QWidget::resizeEvent(e);
}
