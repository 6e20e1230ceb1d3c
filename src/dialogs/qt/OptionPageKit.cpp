#include "dialogs/qt/OptionPageKit.h"

#include "documents/FileDialogs.h"
#include "dialogs/qt/ColorConbo.h"
#include "platform/Cp932.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qx {

void TBoundPage::Refresh()
{
    for (const auto& loader : FLoaders) loader();
}

namespace {

QString U(const char* Utf8) { return QString::fromUtf8(Utf8); }

} // namespace

void TPageBinder::TChange::operator()(const std::function<void()>& Body) const
{
    GuardedCall(OnError, [&] {
        Body();
        Page->Refresh();
    });
}

TPageBinder::TPageBinder(TBoundPage& Page, TExceptionHandler OnError, TFileDialogService& Dialogs, TPageKitStyle Style)
    : P(&Page), FOnError(std::move(OnError)), FDialogs(Dialogs), FStyle(Style)
{
    FStack.push_back(new QVBoxLayout(P));
}

TPageBinder::~TPageBinder() { FStack.front()->addStretch(1); }

void TPageBinder::AddWidget(QWidget* Widget, TEnabled Enabled)
{
    Layout()->addWidget(Widget);
    if (Enabled) P->AddLoader([Widget, Enabled] { Widget->setEnabled(Enabled()); });
    // A label's access letter leads to the control that follows it (without one Qt shows the "&").
    if (FBuddyLabel && !qobject_cast<QLabel*>(Widget)) {
        FBuddyLabel->setBuddy(Widget);
        FBuddyLabel = nullptr;
    }
}

QGroupBox* TPageBinder::Group(const char* Caption, TEnabled Enabled)
{
    auto* group = Add(new QGroupBox(U(Caption), P), "", std::move(Enabled));
    FStack.push_back(new QVBoxLayout(group));
    return group;
}

void TPageBinder::Row()
{
    auto* row = new QHBoxLayout;
    Layout()->addLayout(row);
    FStack.push_back(row);
}

void TPageBinder::End()
{
    if (dynamic_cast<QHBoxLayout*>(Layout())) Layout()->addStretch(1);
    FStack.pop_back();
}

QLabel* TPageBinder::Label(const char* Caption, TEnabled Enabled)
{
    QLabel* label = Add(new QLabel(U(Caption), P), "", std::move(Enabled));
    if (label->text().remove(QLatin1String("&&")).contains(QLatin1Char('&'))) FBuddyLabel = label;
    return label;
}

void TPageBinder::Note(const char* Text) { Label(Text)->setWordWrap(true); }

QCheckBox* TPageBinder::Check(const char* Name, const char* Caption, bool& Field, TEnabled Enabled,
                              std::function<void(bool)> Set)
{
    auto* box = Add(new QCheckBox(U(Caption), P), Name, std::move(Enabled));
    if (!Set) Set = [&Field](bool Value) { Field = Value; };
    P->AddLoader([box, &Field] {
        const QSignalBlocker blocker(box);
        box->setChecked(Field);
    });
    QObject::connect(box, &QCheckBox::clicked, P, [change = Changer(), Set](bool On) { change([&] { Set(On); }); });
    return box;
}

QRadioButton* TPageBinder::Radio(const char* Name, const char* Caption, std::function<bool()> IsSet,
                                 std::function<void()> Choose, TEnabled Enabled)
{
    auto* button = Add(new QRadioButton(U(Caption), P), Name, std::move(Enabled));
    button->setAutoExclusive(false);  // the copy decides which one is on
    P->AddLoader([button, IsSet] {
        const QSignalBlocker blocker(button);
        button->setChecked(IsSet());
    });
    QObject::connect(button, &QRadioButton::clicked, P, [change = Changer(), Choose] { change(Choose); });
    return button;
}

QGroupBox* TPageBinder::RadioGroup(const char* Name, const char* Caption, std::initializer_list<const char*> Items,
                                   std::function<int()> Get, std::function<void(int)> Set, TEnabled Enabled)
{
    auto* group = Add(new QGroupBox(U(Caption), P), Name, std::move(Enabled));
    auto* layout = new QVBoxLayout(group);
    auto* buttons = new QButtonGroup(group);
    int id = 0;
    for (const char* item : Items) {
        auto* button = new QRadioButton(U(item), group);
        layout->addWidget(button);
        buttons->addButton(button, id++);
    }
    P->AddLoader([buttons, Get] {
        const QSignalBlocker blocker(buttons);
        const int value = Get();
        buttons->setExclusive(false);
        for (QAbstractButton* button : buttons->buttons()) button->setChecked(buttons->id(button) == value);
        buttons->setExclusive(true);
    });
    QObject::connect(buttons, &QButtonGroup::idClicked, P, [change = Changer(), Set](int Id) { change([&] { Set(Id); }); });
    return group;
}

QGroupBox* TPageBinder::RadioGroup(const char* Name, const char* Caption, std::initializer_list<const char*> Items,
                                   int& Field, TEnabled Enabled, std::function<void(int)> Set)
{
    if (!Set) Set = [&Field](int Value) { Field = Value; };
    return RadioGroup(
        Name, Caption, Items, [&Field] { return Field; }, std::move(Set), std::move(Enabled));
}

QComboBox* TPageBinder::Combo(const char* Name, std::initializer_list<const char*> Items, int& Field, TEnabled Enabled,
                              int Offset)
{
    auto* combo = Add(new QComboBox(P), Name, std::move(Enabled));
    for (const char* item : Items) combo->addItem(U(item));
    P->AddLoader([combo, &Field, Offset] {
        const QSignalBlocker blocker(combo);
        const int index = Field - Offset;
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    });
    QObject::connect(combo, &QComboBox::activated, P,
                     [change = Changer(), &Field, Offset](int Index) { change([&] { Field = Index + Offset; }); });
    return combo;
}

QSpinBox* TPageBinder::Spin(const char* Name, int Min, int Max, int& Field, TEnabled Enabled)
{
    auto* spin = Add(new QSpinBox(P), Name, std::move(Enabled));
    spin->setRange(Min, Max);
    P->AddLoader([spin, &Field] {
        const QSignalBlocker blocker(spin);
        spin->setValue(Field);
    });
    QObject::connect(spin, &QSpinBox::valueChanged, P,
                     [change = Changer(), &Field](int Value) { change([&] { Field = Value; }); });
    return spin;
}

QLineEdit* TPageBinder::Edit(const char* Name, std::function<std::string()> Get,
                             std::function<void(const std::string&)> Set, TEnabled Enabled)
{
    return TextEdit(Name, std::move(Get), std::move(Set), std::move(Enabled), FStyle.ShiftJisText);
}

QLineEdit* TPageBinder::PathEdit(const char* Name, std::string& Field, TEnabled Enabled)
{
    return TextEdit(
        Name, [&Field] { return Field; }, [&Field](const std::string& Text) { Field = Text; }, std::move(Enabled),
        false);
}

QLineEdit* TPageBinder::TextEdit(const char* Name, std::function<std::string()> Get,
                                 std::function<void(const std::string&)> Set, TEnabled Enabled, bool Sjis)
{
    auto* edit = Add(new QLineEdit(P), Name, std::move(Enabled));
    P->AddLoader([edit, Get, sjis = Sjis] {
        const std::string value = Get();
        const QString text = QString::fromStdString(sjis ? Cp932ToUtf8(value) : value);
        if (edit->text() == text) return;  // the cursor stays where the user types
        const QSignalBlocker blocker(edit);
        edit->setText(text);
    });
    const auto store = [change = Changer(), Set, sjis = Sjis](const QString& Text) {
        change([&] { Set(sjis ? Utf8ToCp932(Text.toStdString()) : Text.toStdString()); });
    };
    if (FStyle.TypedTextOnly)
        QObject::connect(edit, &QLineEdit::textEdited, P, store);
    else
        QObject::connect(edit, &QLineEdit::textChanged, P, store);
    return edit;
}

QLineEdit* TPageBinder::Edit(const char* Name, std::string& Field, TEnabled Enabled)
{
    return Edit(
        Name, [&Field] { return Field; }, [&Field](const std::string& Text) { Field = Text; }, std::move(Enabled));
}

QPushButton* TPageBinder::Button(const char* Name, const char* Caption, std::function<void()> Click, TEnabled Enabled)
{
    auto* button = Add(new QPushButton(U(Caption), P), Name, std::move(Enabled));
    button->setAutoDefault(FStyle.AutoDefaultButtons);
    QObject::connect(button, &QPushButton::clicked, P, [change = Changer(), Click] { change(Click); });
    return button;
}

QPushButton* TPageBinder::FolderButton(const char* Name, std::string& Field, TEnabled Enabled)
{
    TFileDialogService& dialogs = FDialogs;
    return Button(
        Name, "参照",
        [&dialogs, &Field] {
            std::string folder;
            if (dialogs.BrowseForFolder("フォルダを選択してください。", "", folder)) Field = folder;
        },
        std::move(Enabled));
}

TOptionColorBox* TPageBinder::Color(const char* Name, std::function<TColor&()> Field, TEnabled Enabled)
{
    auto* box = Add(new TOptionColorBox([Field] { return Field(); }, P), Name, std::move(Enabled));
    box->setMinimumWidth(160);
    box->OnException = FOnError;
    P->AddLoader([box] { box->ShowStored(); });
    box->OnPick = [change = Changer(), Field](TColor Chosen) { change([&] { Field() = Chosen; }); };
    return box;
}

TOptionColorBox* TPageBinder::Color(const char* Name, TColor& Field, TEnabled Enabled)
{
    return Color(
        Name, [&Field]() -> TColor& { return Field; }, std::move(Enabled));
}

void TPageBinder::ColorRow(const char* Caption, const char* Name, TColor& Field, TEnabled Enabled)
{
    Row();
    Label(Caption);
    Color(Name, Field, std::move(Enabled));
    End();
}

} // namespace qx
