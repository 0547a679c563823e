#include "dialogs/AppearanceDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/AppearanceSample.h"
#include "dialogs/ColorSwatch.h"
#include "dialogs/DialogPrompts.h"

namespace {
// Items of the colour list the miniature elements select.
enum : int { InfoItem = 0, TextItem = 1, EmoteItem = 2, ErrorItem = 3, WhisperItem = 4, UserListItem = 5,
             CustomUserItem = 6, EntryItem = 7, NameItem = 8, ChatBackItem = 9, WhisperBackItem = 10,
             EntryBackItem = 11, UserListBackItem = 12, CustomBackItem = 13, YourTextItem = 14, YourNameItem = 15,
             HighlightItem = 16, HighlightBackItem = 17 };

tSampleSegment seg(const char *text, ColorRole role, int item)
{
    return {QString::fromLatin1(text), role, item};
}

tSampleRow row(std::vector<tSampleSegment> segments, bool icon = false)
{
    tSampleRow r;
    r.Segments = std::move(segments);
    if (icon)
        r.IconItem = UserListItem;
    return r;
}
} // namespace

TfrmAppearance::TfrmAppearance(tProfile &profile, TDialogPrompts &prompts, std::function<void()> applyAppearance,
                               QWidget *parent)
    : QDialog(parent), m_model(profile), m_prompts(prompts)
{
    setWindowTitle(QStringLiteral("Appearance"));
    m_model.ApplyAppearance = std::move(applyAppearance);

    cmColor = new QComboBox;
    for (int i = 0; i < tAppearanceModel::ItemCount; ++i)
        cmColor->addItem(tAppearanceModel::ItemCaption(i));
    pnlColor = new TColorSwatch;
    btnChange = new QPushButton(QStringLiteral("&Change..."));
    auto *colorLabel = new QLabel(QStringLiteral("Color Item:"));
    colorLabel->setBuddy(cmColor);

    pnlSample = new TSamplePane(ChatBackground, ChatBackItem,
                                {row({seg("<YourName> ", YourNameColor, YourNameItem),
                                      seg("This is text that you just entered", YourTextColor, YourTextItem)}),
                                 row({seg("<Someone> ", NameColor, NameItem),
                                      seg("This is text that someone else has typed", TextColor, TextItem)}),
                                 row({seg("This is an information line", InfoColor, InfoItem)}),
                                 row({seg("This is an error line", ErrorColor, ErrorItem)}),
                                 row({seg("<Someone is using the Emote command /me>", EmoteColor, EmoteItem)})});
    pnlWhisper = new TSamplePane(WhisperBackground, WhisperBackItem,
                                 {row({seg("<From: SomeName> ", NameColor, NameItem),
                                       seg("This is text whispered to you", WhisperColor, WhisperItem)}),
                                  row({seg("<To: SomeName> ", YourNameColor, YourNameItem),
                                       seg("This is text you have sent", WhisperColor, WhisperItem)})});
    pnlEntry = new TSamplePane(EntryBackground, EntryBackItem,
                               {row({seg("This is text you are typing on the input line", EntryColor, EntryItem)})});
    tSampleRow selectedRow = row({seg("SomeName", HighlightColor, HighlightItem)}, true);
    selectedRow.HighlightItem = HighlightBackItem;
    pnlUser = new TSamplePane(UserListBackground, UserListBackItem,
                              {selectedRow, row({seg("AnotherName", UserListColor, UserListItem)}, true),
                               row({seg("SomeoneElse", UserListColor, UserListItem)}, true)});
    pnlDef = new TSamplePane(CustomUserBackground, CustomBackItem,
                             {row({seg("AnotherName", CustomUserColor, CustomUserItem)}),
                              row({seg("SomeoneElse", CustomUserColor, CustomUserItem)}),
                              row({seg("SomeoneElse", CustomUserColor, CustomUserItem)})});
    for (TSamplePane *pane : {pnlSample, pnlWhisper, pnlEntry, pnlUser, pnlDef}) {
        pane->Colour = [this](ColorRole role) { return m_model.RoleColor(role); };
        pane->OnPick = [this](int item) { selectItem(item); };
    }
    for (int i = 0; i < 3; ++i) {
        btnFont[i] = new QPushButton(QStringLiteral("Font..."));
        const auto target = tAppearanceModel::FontTarget(i);
        connect(btnFont[i], &QPushButton::clicked, this, [this, target] { changeFont(target); });
    }

    const auto caption = [](const char *text, QPushButton *font) {
        auto *l = new QHBoxLayout;
        l->addWidget(new QLabel(QString::fromLatin1(text)));
        l->addStretch();
        if (font)
            l->addWidget(font);
        return l;
    };
    auto *page = new QWidget;
    auto *left = new QVBoxLayout;
    left->addLayout(caption("Main Chat Screen:", btnFont[0]));
    left->addWidget(pnlSample);
    left->addLayout(caption("Whisper Window:", btnFont[1]));
    left->addWidget(pnlWhisper);
    left->addLayout(caption("Input Line:", nullptr));
    left->addWidget(pnlEntry);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addLayout(caption("User List:", btnFont[2]));
    right->addWidget(pnlUser);
    right->addLayout(caption("Custom User List:", nullptr));
    right->addWidget(pnlDef);
    right->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(colorLabel);
    top->addWidget(cmColor);
    top->addWidget(pnlColor);
    top->addWidget(btnChange);
    top->addStretch();
    auto *grid = new QGridLayout(page);
    grid->addLayout(top, 0, 0, 1, 2);
    grid->addLayout(left, 1, 0);
    grid->addLayout(right, 1, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);

    auto *tabs = new QTabWidget;
    tabs->addTab(page, QStringLiteral("Chat Appearance"));
    btnDone = new QPushButton(QStringLiteral("&Done"));
    btnDone->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnDone);
    auto *main = new QVBoxLayout(this);
    main->addWidget(tabs, 1);
    main->addLayout(buttons);

    connect(cmColor, &QComboBox::activated, this, &TfrmAppearance::selectItem);
    connect(btnChange, &QPushButton::clicked, this, &TfrmAppearance::changeColor);
    connect(pnlColor, &TColorSwatch::clicked, this, &TfrmAppearance::changeColor);
    connect(btnDone, &QPushButton::clicked, this, &QDialog::accept);
    selectItem(0);
}

void TfrmAppearance::selectItem(int item)
{
    m_model.SelectItem(item);
    cmColor->setCurrentIndex(m_model.Item());
    pnlColor->setColor(m_model.ItemColor());
}

void TfrmAppearance::changeColor()
{
    const auto picked = m_prompts.PickColor(this, pnlColor->color());
    m_model.ChangeColor(picked);
    pnlColor->setColor(m_model.ItemColor());
    repaintSamples();
}

void TfrmAppearance::changeFont(tAppearanceModel::FontTarget target)
{
    m_model.ChangeFont(target, m_prompts.PickFont(this, m_model.PickerStart()));
}

void TfrmAppearance::repaintSamples()
{
    for (TSamplePane *pane : {pnlSample, pnlWhisper, pnlEntry, pnlUser, pnlDef})
        pane->update();
}

void TfrmAppearance::done(int result)
{
    if (!m_closed && OnClose) {
        m_closed = true;
        OnClose();
    }
    QDialog::done(result);
}
