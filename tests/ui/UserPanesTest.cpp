#include "TestMain.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QWindow>
#include <QTemporaryDir>

#include "FakePrompts.h"
#include "dialogs/AccountForm.h"
#include "dialogs/EditList.h"
#include "profile/Profile.h"
#include "ui/ChatForm.h"
#include "ui/TabEdit.h"
#include "ui/TranscriptView.h"
#include "ui/UserListView.h"
#include "ui/WhisperForm.h"
#include "view/EntryLine.h"

namespace {
// A window offline with three channel users and a custom list; lines it sends stay in the queue.
struct Panes
{
    QTemporaryDir dir;
    tProfile profile;
    FakePrompts prompts;
    std::unique_ptr<TfrmChat> w;

    explicit Panes(const QStringList &custom = {"x", "y"})
    {
        w = std::make_unique<TfrmChat>(profile);
        w->SetProgramFolder(dir.path());
        w->SetPrompts(&prompts);
        for (const QString &name : custom)
            w->AddToCustom(name);
        profile.Modified = false;
        w->Events().bcChatChannel(QStringLiteral("Chat"));
        w->Events().bcChatShowUser(QStringLiteral("Ann"), QStringLiteral("0000"), QStringLiteral("STAR"));
        w->Events().bcChatShowUser(QStringLiteral("Bo"), QStringLiteral("0020"), QStringLiteral("STAR"));
        w->Events().bcChatShowUser(QStringLiteral("Cy"), QStringLiteral("0002"), QStringLiteral("D2DV"));
        w->bcChat().SendLine(QStringLiteral("prime\r")); // the first line goes straight out; the rest queue
    }
    QString lastSent() const { return w->bcChat().Queue().value(w->bcChat().Queue().size() - 1).trimmed(); }
    static void select(TUserListView *l, int row)
    {
        l->selectionModel()->setCurrentIndex(l->model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
    }
    QString selection() const
    {
        return QStringLiteral("%1|%2").arg(w->lstUser->SelectedName(), w->lstDef->SelectedName());
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(w->edEntry, k, m); }
    QAction *action(const char *name) const { return w->findChild<QAction *>(QString::fromLatin1(name)); }
};
} // namespace

class UserPanesTest : public QObject
{
    Q_OBJECT
private slots:
    void keysMoveTheSelectionAcrossBothLists()
    {
        Panes p;
        p.w->show();
        const std::vector<std::pair<Qt::Key, QString>> steps = {
            {Qt::Key_Up, "Ann|"},  {Qt::Key_Up, "Cy|"},      {Qt::Key_Down, "Ann|"}, {Qt::Key_PageDown, "|x"},
            {Qt::Key_Up, "|y"},    {Qt::Key_Down, "|x"},     {Qt::Key_PageUp, "Ann|"}, {Qt::Key_Up, "Cy|"},
            {Qt::Key_Down, "Ann|"},
        };
        for (const auto &s : steps) {
            p.key(s.first);
            QCOMPARE(p.selection(), s.second);
        }
        p.key(Qt::Key_Down, Qt::ShiftModifier); // the entry history's, not the lists'
        QCOMPARE(p.selection(), QStringLiteral("Ann|"));
    }

    void doubleClickActions_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("user"); // line sent for Bo (squelched) in the channel list
        QTest::addColumn<QString>("def");  // line sent for y in the custom list
        QTest::newRow("squelch") << 0 << "/unsquelch Bo" << "";
        QTest::newRow("copy") << 1 << "" << "";
        QTest::newRow("whois") << 2 << "/whois Bo" << "/whois y";
        QTest::newRow("kick") << 3 << "/kick Bo" << "/kick y";
        QTest::newRow("ban") << 4 << "/ban Bo" << "/ban y";
        QTest::newRow("account information") << 7 << "" << "";
    }
    void doubleClickActions()
    {
        QFETCH(int, action);
        QFETCH(QString, user);
        QFETCH(QString, def);
        Panes p;
        p.profile.Settings.setDoubleClickAction(std::uint8_t(action));
        p.w->UserDoubleClicked(p.w->lstUser); // nothing selected: nothing
        Panes::select(p.w->lstUser, 1);
        p.w->UserDoubleClicked(p.w->lstUser);
        QCOMPARE(p.lastSent(), user);
        Panes::select(p.w->lstDef, 1);
        p.w->UserDoubleClicked(p.w->lstDef);
        QCOMPARE(p.lastSent(), !def.isEmpty() ? def : user);
        QCOMPARE(p.w->edEntry->text(), action == 1 ? QStringLiteral("Boy") : QString());
        p.profile.Settings.setDoubleClickAction(0);
        Panes::select(p.w->lstUser, 0);
        p.w->UserDoubleClicked(p.w->lstUser);
        QCOMPARE(p.lastSent(), QStringLiteral("/squelch Ann"));
    }

    void popupEnabling()
    {
        Panes p;
        const char *userOnly[] = {"mnCopy", "mnSquelch", "mnDesignate", "mnChatWindow", "mnSendURL", "mnAddCustom"};
        const char *defOnline[] = {"mnDefCopy", "mnWar2stats", "mnDefChatWindow", "mnDefSendURL"};
        for (bool loggedOn : {false, true}) {
            p.w->Session().LoggedOn = loggedOn;
            for (int sel : {-1, 0}) {
                p.w->lstUser->clearSelection();
                p.w->lstDef->clearSelection();
                if (sel >= 0)
                    Panes::select(p.w->lstUser, sel);
                emit p.w->mnuUser->aboutToShow();
                for (const char *n : userOnly)
                    QCOMPARE(p.action(n)->isEnabled(), sel >= 0);
                QVERIFY(p.action("mnUserInfo")->isEnabled() && p.action("acAddIcon")->isEnabled());
                if (sel >= 0)
                    Panes::select(p.w->lstDef, sel);
                emit p.w->mnuDef->aboutToShow();
                for (const char *n : defOnline)
                    QCOMPARE(p.action(n)->isEnabled(), sel >= 0 && loggedOn);
                QVERIFY(p.action("mnDefAdd")->isEnabled() && p.action("mnDefUserInfo")->isEnabled());
                QCOMPARE(p.w->mnUserSound->isEnabled(), false); // no sounds folder
            }
        }
    }

    void leavingUserTakesTheSelectionAlong_data()
    {
        QTest::addColumn<int>("selected");    // channel list row; -1: only the current entry; +10: by the pop-up menu
        QTest::addColumn<QString>("leaving");
        QTest::addColumn<QString>("command"); // a menu entry, "doubleclick" or "altw"
        QTest::addColumn<QString>("sent");    // what goes out afterwards; empty: nothing
        QTest::newRow("kick, the selected user left") << 1 << "Bo" << "mnKick" << "";
        QTest::newRow("ban, the last user left") << 2 << "Cy" << "mnBan" << "";
        QTest::newRow("designate, the first user left") << 0 << "Ann" << "mnDesignate" << "";
        QTest::newRow("double-click kicks") << 1 << "Bo" << "doubleclick" << "";
        QTest::newRow("alt+w whispers") << 1 << "Bo" << "altw" << "";
        QTest::newRow("another user left") << 1 << "Ann" << "mnKick" << "/kick Bo";
        QTest::newRow("current kept by an emptied list") << -1 << "Bo" << "mnKick" << "";
        QTest::newRow("menu opened for the user who left") << 11 << "Bo" << "mnKick" << "/kick Bo";
        QTest::newRow("menu opened, another user left") << 11 << "Ann" << "mnBan" << "/ban Bo";
    }
    void leavingUserTakesTheSelectionAlong()
    {
        QFETCH(int, selected);
        QFETCH(QString, leaving);
        QFETCH(QString, command);
        QFETCH(QString, sent);
        Panes p;
        p.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.w.get()));
        p.profile.Settings.setDoubleClickAction(3);
        TUserListView *users = p.w->lstUser;
        Panes::select(users, selected < 0 ? 1 : selected % 10);
        if (selected < 0)
            users->clearSelection(); // Page Down leaves the current entry behind
        if (selected > 10) {
            const QPoint at = users->visualRect(users->model()->index(selected - 10, 0)).center();
            QContextMenuEvent e(QContextMenuEvent::Mouse, at, users->viewport()->mapToGlobal(at));
            QCoreApplication::sendEvent(users->viewport(), &e);
            QTRY_VERIFY(p.w->mnuUser->isVisible());
        }
        p.w->Events().bcChatLeave(leaving, QStringLiteral("0000"), QString());
        if (command == QLatin1String("doubleclick")) {
            p.w->UserDoubleClicked(users);
        } else if (command == QLatin1String("altw")) {
            p.w->edEntry->setText(QStringLiteral("hi"));
            p.key(Qt::Key_W, Qt::AltModifier);
        } else {
            p.action(command.toLatin1().constData())->trigger();
        }
        QCOMPARE(p.lastSent(), sent);
        if (selected > 10) { // once the menu has gone, the selection counts again
            p.w->mnuUser->hide();
            QTest::qWait(20);
            p.action("mnKick")->trigger();
            QCOMPARE(p.w->bcChat().Queue().size(), leaving == QLatin1String("Bo") ? 1 : 2);
        }
    }

    // Both lists draw a user with a record in the record's name colour.
    void bothListsDrawTheCustomNameColour()
    {
        Panes p;
        for (const char *n : {"ANN", "Y"}) {
            auto rec = std::make_unique<tUser>();
            rec->setName(QString::fromLatin1(n));
            rec->setCustomNameColor(0x0000FF00); // pure green
            p.profile.Users.Add(std::move(rec));
        }
        p.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.w.get()));
        const auto greenPixels = [](TUserListView *list, const char *name, int indent) { // the name, not the icon
            const QModelIndex i = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, name).value(0);
            const QImage row = list->viewport()->grab(list->visualRect(i).adjusted(indent, 0, 0, 0)).toImage();
            int n = 0;
            for (int y = 0; y < row.height(); ++y)
                for (int x = 0; x < row.width(); ++x) {
                    const QColor c = row.pixelColor(x, y);
                    n += c.green() > 200 && c.red() < 60 && c.blue() < 60;
                }
            return i.isValid() ? n : -1;
        };
        QVERIFY(greenPixels(p.w->lstUser, "Ann", TUserListDelegate::Indent) > 0);
        QVERIFY(greenPixels(p.w->lstDef, "y", 0) > 0);
        QCOMPARE(greenPixels(p.w->lstDef, "x", 0), 0);
    }

    void customListUpkeep()
    {
        Panes p({"a", "b"});
        p.w->AddToCustom(QStringLiteral("A")); // another case: refused
        QCOMPARE(p.profile.UserDef, (QStringList{"a", "b"}));
        QVERIFY(!p.profile.Modified);
        p.prompts.textAnswers = {{true, QStringLiteral("Cy")}, {true, QStringLiteral("B")}};
        p.w->AddCustomUser();
        p.w->AddCustomUser();
        QCOMPARE(p.profile.UserDef, (QStringList{"a", "b", "Cy"}));
        QCOMPARE(p.prompts.texts.first(), QStringLiteral("New Entry|Enter a name to add to list:|"));
        QVERIFY(p.profile.Modified);
        Panes::select(p.w->lstDef, 1);
        p.prompts.textAnswers = {{true, QStringLiteral("Bee")}};
        p.w->EditCustomUser();
        QCOMPARE(p.profile.UserDef, (QStringList{"a", "Bee", "Cy"}));
        p.prompts.answers = {TPrompts::Answer::No, TPrompts::Answer::Yes};
        p.w->DeleteCustomUser();
        QCOMPARE(p.profile.UserDef.size(), 3);
        p.w->DeleteCustomUser();
        QCOMPARE(p.prompts.asked.last(), QStringLiteral("Delete Bee?"));
        QCOMPARE(p.profile.UserDef, (QStringList{"a", "Cy"}));
        QCOMPARE(p.w->lstDef->model()->rowCount(), 2);

        // Drop from the channel list and within the custom list; both lists' entries can be dragged.
        for (TUserListView *l : {p.w->lstUser, p.w->lstDef})
            QVERIFY(l->model()->flags(l->model()->index(0, 0)) & Qt::ItemIsDragEnabled);
        Panes::select(p.w->lstUser, 2);
        p.w->lstUser->DragName = QStringLiteral("Cy"); // already listed
        emit p.w->lstDef->dropped(p.w->lstUser, 0);
        p.w->lstUser->DragName = QStringLiteral("Ann");
        emit p.w->lstDef->dropped(p.w->lstUser, 1);
        QCOMPARE(p.profile.UserDef, (QStringList{"a", "Ann", "Cy"}));
        p.w->lstDef->DragName = QStringLiteral("a");
        p.w->lstDef->DragStart = 0;
        emit p.w->lstDef->dropped(p.w->lstDef, 3);
        QCOMPARE(p.profile.UserDef, (QStringList{"Ann", "Cy", "a"}));
        QCOMPARE(p.w->lstDef->SelectedName(), QStringLiteral("a"));
    }

    void reorderDialogCancelKeepsTheListButMarksModified()
    {
        Panes p({"a", "b", "c"});
        bool accept = false;
        const auto run = [&] {
            QTimer::singleShot(0, [&] {
                auto *d = p.w->findChild<TfrmEditList *>();
                QVERIFY(d);
                d->lstCustom->setCurrentRow(0);
                d->btnUp->click(); // the first entry: nothing
                d->btnDown->click();
                d->btnDown->click();
                QCOMPARE(d->List(), (QStringList{"b", "c", "a"}));
                (accept ? d->btnOk : d->btnCancel)->click();
            });
            p.w->Actions().acReorder->trigger();
        };
        run();
        QCOMPARE(p.profile.UserDef, (QStringList{"a", "b", "c"}));
        QVERIFY(p.profile.Modified);
        accept = true;
        run();
        QCOMPARE(p.profile.UserDef, (QStringList{"b", "c", "a"}));
    }

    void userInformationOffersARecord()
    {
        Panes p;
        p.prompts.answers = {TPrompts::Answer::No, TPrompts::Answer::Yes};
        p.w->UserInformation(QStringLiteral("Ann"));
        QCOMPARE(p.profile.Users.Count(), 0);
        p.w->UserInformation(QStringLiteral("Ann"));
        QCOMPARE(p.prompts.asked.last(), QStringLiteral("User Ann has no information.  Would you like to add this user?"));
        QCOMPARE(p.profile.Users.IndexOfName(QStringLiteral("ann")), 0);
        QVERIFY(p.profile.Modified);
        p.w->UserInformation(QStringLiteral("ANN")); // has a record now: no question
        QCOMPARE(p.prompts.asked.size(), 2);
    }

    void personalIconsFromTheIconsFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("icons")));
        QImage face(28, 14, QImage::Format_RGB32);
        face.fill(Qt::red);
        QVERIFY(face.save(dir.filePath(QStringLiteral("icons/face.bmp"))));
        QFile f(dir.filePath(QStringLiteral("icons/icons.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Gone\r\nmissing.bmp\r\nAnn\r\nface.bmp\r\nLeftover\r\n");
        f.close();
        TIconTable icons(1);
        icons.LoadPersonal(dir.path());
        QCOMPARE(icons.Count(), 23); // the missing bitmap keeps its slot
        QCOMPARE(icons.PersonalNames(), (QStringList{QString(), "Ann"}));
        QVERIFY(icons.Image(21).isNull());
        QCOMPARE(icons.Image(22).toImage().pixelColor(3, 3), QColor(Qt::red));
        for (int i = icons.Count(); i < TIconTable::MaxCount; ++i)
            QVERIFY(icons.SetPersonal(QStringLiteral("u%1").arg(i), dir.filePath(QStringLiteral("icons/face.bmp"))));
        QVERIFY(!icons.SetPersonal(QStringLiteral("one too many"), dir.filePath(QStringLiteral("icons/face.bmp"))));
        QVERIFY(icons.SetPersonal(QStringLiteral("ANN"), dir.filePath(QStringLiteral("nothing.bmp")))); // reloads its slot
        QVERIFY(icons.Image(22).isNull());
        QCOMPARE(icons.Count(), TIconTable::MaxCount);

        // Sharp at a pixel ratio of 2: drawn with twice the pixels, same size on screen.
        const TIconTable hidpi(2);
        QCOMPARE(hidpi.Image(10).size(), QSize(56, 28));
        QCOMPARE(hidpi.Image(10).deviceIndependentSize(), QSizeF(28, 14));
    }

    void whisperWindows()
    {
        Panes p;
        QStringList sent;
        TfrmWhisper *bob = p.w->OpenWhisperWindow(QStringLiteral("Bob"));
        QVERIFY(bob);
        QCOMPARE(p.w->OpenWhisperWindow(QStringLiteral("BOB")), bob);
        TfrmWhisper *ann = p.w->OpenWhisperWindow(QStringLiteral("Ann"));
        QCOMPARE(p.w->WhisperWindows(), (QList<TfrmWhisper *>{bob, ann}));
        QCOMPARE(bob->windowTitle(), QStringLiteral("Bob"));

        p.w->Events().bcChatWhisper(QStringLiteral("bob"), QStringLiteral("hi"));
        p.w->Events().bcChatWhisperSent(QStringLiteral("Bob"), QStringLiteral("hello"));
        p.w->Events().bcChatWhisper(QStringLiteral("Cy"), QStringLiteral("psst"));
        QCOMPARE(bob->Transcript().PlainText(), QStringLiteral("<FROM: bob> hi\n<TO: Bob> hello"));
        QCOMPARE(p.w->WhisperText().PlainText(), QStringLiteral("<FROM: Cy> psst"));

        QTest::keyClicks(bob->edWEnter, QStringLiteral("yo"));
        QTest::keyClick(bob->edWEnter, Qt::Key_Return);
        QTest::keyClick(bob->edWEnter, Qt::Key_Return); // empty: sent all the same
        QCOMPARE(p.w->bcChat().Queue(), (QStringList{"/msg Bob yo\r", "/msg Bob \r"}));
        QCOMPARE(bob->edWEnter->history().value(1), QStringLiteral("yo"));
        QCOMPARE(bob->edWEnter->text(), QString());
        // Past the connection's limit (a name longer than the entry line allows for): nothing goes out.
        const QString longName(100, QLatin1Char('n')), longText(tEntryLine::MaxTextLength, QLatin1Char('x'));
        TfrmWhisper *far = p.w->OpenWhisperWindow(longName);
        far->edWEnter->setText(longText);
        QTest::keyClick(far->edWEnter, Qt::Key_Return);
        QCOMPARE(p.w->bcChat().Queue().size(), 2);
        QCOMPARE(far->edWEnter->text(), longText);
        QVERIFY(far->findChild<TTranscriptView *>()->toPlainText().contains(tEntryLine::TooLongText));
        far->close();

        QPointer<TfrmWhisper> gone = bob;
        QTest::keyClick(bob->edWEnter, Qt::Key_Escape);
        QTRY_VERIFY(!gone);
        QCOMPARE(p.w->WhisperWindows(), QList<TfrmWhisper *>{ann});
        QCOMPARE(p.w->bcChat().Queue().size(), 2); // Esc sent nothing
        p.w->Events().bcChatWhisper(QStringLiteral("Bob"), QStringLiteral("back"));
        QVERIFY(p.w->WhisperText().PlainText().endsWith(QStringLiteral("<FROM: Bob> back")));
    }

    void whisperWindowIsAWindowOfItsOwn()
    {
        auto p = std::make_unique<Panes>();
        p->w->SetPrompts(nullptr); // the real dialogs
        p->w->show();
        QPointer<TfrmWhisper> bob = p->w->OpenWhisperWindow(QStringLiteral("Bob"));
        QVERIFY(QTest::qWaitForWindowExposed(bob.data()));
        // No parent, no tool or dialog kind, no transient owner: the task bar lists it by itself.
        QVERIFY(!bob->parentWidget() && !bob->windowHandle()->transientParent());
        QCOMPARE(bob->windowType(), Qt::Window);
        QVERIFY(!bob->testAttribute(Qt::WA_QuitOnClose)); // the main window's close still ends the program
        bob->findChild<QAction *>(QStringLiteral("mnSave"))->trigger();
        QFileDialog *dlg = nullptr;
        QTRY_VERIFY((dlg = bob->findChild<QFileDialog *>()) && dlg->isVisible());
        dlg->reject();
        p.reset(); // the main window takes its whisper windows along
        QVERIFY(!bob);
    }

    void accountsFromTheInformationLines()
    {
        Panes p;
        p.w->Events().bcChatInfo(QStringLiteral("bob is logged on from account #1."));
        p.w->Events().bcChatInfo(QStringLiteral("Bob is logged on from account #2."));
        QCOMPARE(p.profile.NumberList, (QStringList{"1", "2"}));
        p.w->ChatText().Flush();
        QVERIFY2(p.w->ChatText().PlainText().endsWith(QStringLiteral("Names associated with this number:\n    Bob\n    Other Association: 1")),
                 qPrintable(p.w->ChatText().PlainText()));

        const auto open = [&](const QString &preselect) {
            auto d = std::make_unique<TfrmAccount>(p.profile.AccountList, p.profile.NumberList, preselect, nullptr);
            d->show();
            [&] { QTRY_VERIFY(!d->Filling()); }();
            return d;
        };
        p.profile.AccountList << QStringLiteral("al");
        p.profile.NumberList << QStringLiteral("3");
        QCOMPARE(open(QStringLiteral("nobody"))->lst1->currentItem()->text(), QStringLiteral("al")); // sorted, first
        auto d = open(QStringLiteral("BOB"));
        QCOMPARE(d->lst1->count(), 2); // 'bob' and 'Bob' are one name
        QCOMPARE(d->lst1->currentItem()->text(), QStringLiteral("bob"));
        QCOMPARE(d->lst2->count(), 2);
        d->lst2->setCurrentRow(1);
        QCOMPARE(d->lst3->item(0)->text(), QStringLiteral("Bob")); // exact: only the pair of number 2
        d->ShowView(TfrmAccount::View::Numbers);
        QTRY_VERIFY(!d->Filling());
        QCOMPARE(d->lbl2->text(), QStringLiteral("Names with this account:"));
        QCOMPARE(d->lst1->count(), 3);
        QCOMPARE(d->lst2->item(0)->text(), QStringLiteral("bob"));
    }

    // Change Icon adds its pair to the icons list, and never rewrites one it could not read.
    void changeIconKeepsAListItCannotRead_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after"); // empty: as before
        QTest::newRow("readable") << QByteArray("Bob\r\nbob.bmp\r\n") << QByteArray("Bob\r\nbob.bmp\r\n%1\r\nface.bmp\r\n");
        QTest::newRow("oversized") << "Bob\r\nbob.bmp\r\n" + QByteArray(1 << 20, ' ') << QByteArray();
    }
    void changeIconKeepsAListItCannotRead()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        Panes p;
        QVERIFY(QDir(p.dir.path()).mkdir(QStringLiteral("icons")));
        QFile f(p.dir.filePath(QStringLiteral("icons/icons.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(before) == before.size());
        f.close();
        QImage face(28, 14, QImage::Format_RGB32);
        face.fill(Qt::red);
        QVERIFY(face.save(p.dir.filePath(QStringLiteral("face.bmp"))));
        Panes::select(p.w->lstUser, 0);
        p.prompts.paths = {p.dir.filePath(QStringLiteral("face.bmp"))};
        p.w->ChangeIcon();
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), after.isEmpty() ? before : QString::fromLatin1(after).arg(QStringLiteral("Ann")).toLatin1());
        QCOMPARE(p.prompts.messages, after.isEmpty() ? QStringList{"Error saving file: " + f.fileName()} : QStringList());
    }
};
QC_TEST(UserPanesTest)
#include "UserPanesTest.moc"
