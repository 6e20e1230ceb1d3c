#pragma once
// What the pages of both option dialogs are made of. A page binds its controls to a working copy:
// showing it runs its loaders, which copy the working copy into the controls with their signals
// blocked (so showing never changes the copy); a change of a control writes one value back, and the
// page then shows the copy again, which is how linked rules reach the other controls.

#include "platform/qt/GuardedCall.h"
#include "platform/Color.h"

#include <QWidget>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace qx {

class TFileDialogService;
class TOptionColorBox;

class TBoundPage : public QWidget {
public:
    explicit TBoundPage(QWidget* Parent) : QWidget(Parent) {}
    // Shows the working copy in every control, with their enabled states.
    void Refresh();
    // A loader per control, run by Refresh in the order they were added.
    void AddLoader(std::function<void()> Loader) { FLoaders.push_back(std::move(Loader)); }

private:
    std::vector<std::function<void()>> FLoaders;
};

// Where the two dialogs' pages differ.
struct TPageKitStyle {
    // Text boxes edit Shift-JIS values (an environment record) instead of UTF-8 ones (the settings).
    bool ShiftJisText = false;
    // Text boxes store only what the user types, never a text set from code.
    bool TypedTextOnly = false;
    // A page's button takes Enter while it has the focus (otherwise the dialog's OK does).
    bool AutoDefaultButtons = true;
};

// Lays a page out top to bottom, in groups and rows; every control it makes shows the working copy
// through a loader and writes the user's changes back (never a change made by a loader).
class TPageBinder {
public:
    using TEnabled = std::function<bool()>;

    TPageBinder(TBoundPage& Page, TExceptionHandler OnError, TFileDialogService& Dialogs, TPageKitStyle Style);
    ~TPageBinder();
    TPageBinder(const TPageBinder&) = delete;
    TPageBinder& operator=(const TPageBinder&) = delete;

    TBoundPage* const P;

    // Runs a change of the copy and shows the copy again; errors go to the dialog's handler. Handlers
    // keep a copy: the binder is gone once the page is built.
    struct TChange {
        TBoundPage* Page;
        TExceptionHandler OnError;
        void operator()(const std::function<void()>& Body) const;
    };
    TChange Changer() const { return {P, FOnError}; }

    // Nested layouts: a group box or a row, closed by End; Into lays the next controls into a layout
    // of the caller's until End.
    QGroupBox* Group(const char* Caption, TEnabled Enabled = {});
    void Row();
    void Into(QBoxLayout* Layout) { FStack.push_back(Layout); }
    void End();

    template <class W>
    W* Add(W* Widget, const char* Name, TEnabled Enabled = {})
    {
        Widget->setObjectName(QString::fromUtf8(Name));
        AddWidget(Widget, std::move(Enabled));
        return Widget;
    }
    QLabel* Label(const char* Caption, TEnabled Enabled = {});
    // A label whose lines wrap.
    void Note(const char* Text);

    QCheckBox* Check(const char* Name, const char* Caption, bool& Field, TEnabled Enabled = {},
                     std::function<void(bool)> Set = {});
    // A radio button of a choice shared with other buttons (not necessarily in one group).
    QRadioButton* Radio(const char* Name, const char* Caption, std::function<bool()> IsSet, std::function<void()> Choose,
                        TEnabled Enabled = {});
    template <class T>
    QRadioButton* Radio(const char* Name, const char* Caption, T& Field, T Value, TEnabled Enabled = {})
    {
        return Radio(
            Name, Caption, [&Field, Value] { return Field == Value; }, [&Field, Value] { Field = Value; },
            std::move(Enabled));
    }
    // A radio group: item i stands for the value i; a value without an item checks none.
    QGroupBox* RadioGroup(const char* Name, const char* Caption, std::initializer_list<const char*> Items,
                          std::function<int()> Get, std::function<void(int)> Set, TEnabled Enabled = {});
    QGroupBox* RadioGroup(const char* Name, const char* Caption, std::initializer_list<const char*> Items, int& Field,
                          TEnabled Enabled = {}, std::function<void(int)> Set = {});
    // A drop-down list: item i stands for the value i + Offset; a value without an item shows none.
    QComboBox* Combo(const char* Name, std::initializer_list<const char*> Items, int& Field, TEnabled Enabled = {},
                     int Offset = 0);
    QSpinBox* Spin(const char* Name, int Min, int Max, int& Field, TEnabled Enabled = {});
    // A text box over a value that Get and Set reach, in the page's text encoding.
    QLineEdit* Edit(const char* Name, std::function<std::string()> Get, std::function<void(const std::string&)> Set,
                    TEnabled Enabled = {});
    QLineEdit* Edit(const char* Name, std::string& Field, TEnabled Enabled = {});
    // A text box over a path in the file system's bytes, whatever the page's text encoding.
    QLineEdit* PathEdit(const char* Name, std::string& Field, TEnabled Enabled = {});
    QPushButton* Button(const char* Name, const char* Caption, std::function<void()> Click, TEnabled Enabled = {});
    // "参照": the folder chooser; a chosen folder replaces Field (a path in the file system's bytes).
    QPushButton* FolderButton(const char* Name, std::string& Field, TEnabled Enabled = {});
    // A colour box over the colour Field reaches (which may change with the page's own choices).
    TOptionColorBox* Color(const char* Name, std::function<TColor&()> Field, TEnabled Enabled = {});
    TOptionColorBox* Color(const char* Name, TColor& Field, TEnabled Enabled = {});
    // A labelled colour box in a row of its own.
    void ColorRow(const char* Caption, const char* Name, TColor& Field, TEnabled Enabled = {});

protected:
    QBoxLayout* Layout() const { return FStack.back(); }

private:
    void AddWidget(QWidget* Widget, TEnabled Enabled);
    QLineEdit* TextEdit(const char* Name, std::function<std::string()> Get, std::function<void(const std::string&)> Set,
                        TEnabled Enabled, bool Sjis);

    TExceptionHandler FOnError;
    TFileDialogService& FDialogs;
    TPageKitStyle FStyle;
    std::vector<QBoxLayout*> FStack;
    QLabel* FBuddyLabel = nullptr;  // a label with an access letter, waiting for its control
};

// A page of class PageT named ClassName, built into Parent by Build over a BuilderT, showing the working
// copy.
template <class PageT, class BuilderT, class ContextT>
PageT* BuildBoundPage(const char* ClassName, ContextT& Context, QWidget* Parent, void (*Build)(BuilderT&))
{
    auto* page = new PageT(Parent);
    page->setObjectName(QString::fromUtf8(ClassName));
    {
        BuilderT builder(*page, Context);
        Build(builder);
    }  // the builder closes the page's layout
    page->Refresh();
    return page;
}

} // namespace qx
