#pragma once
// Small pieces the tool dialogs share: named controls (objectName = the component's name), the row of
// buttons and the main window's stay-on-top state.

#include "platform/qt/QtCp932.h"

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <string>
#include <utility>

namespace qx::kit {

inline QString U(const char* Utf8) { return QString::fromUtf8(Utf8); }

template <class W, class... A> W* Named(QWidget* Parent, const char* Name, A&&... Args)
{
    auto* w = new W(std::forward<A>(Args)..., Parent);
    w->setObjectName(Name);
    return w;
}

inline QPushButton* Button(QWidget* Parent, const char* Name, const char* Caption)
{
    return Named<QPushButton>(Parent, Name, U(Caption));
}

inline QCheckBox* Check(QWidget* Parent, const char* Name, const char* Caption)
{
    return Named<QCheckBox>(Parent, Name, U(Caption));
}

inline QLineEdit* ReadOnlyEdit(QWidget* Parent, const char* Name)
{
    auto* edit = Named<QLineEdit>(Parent, Name);
    edit->setReadOnly(true);
    return edit;
}

// A row of buttons at the right.
inline QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> Buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : Buttons) row->addWidget(b);
    return row;
}

// The main window's stay-on-top setting, applied to a dialog before it shows.
inline void ApplyStayOnTop(QWidget& Dialog, bool StayOnTop) { Dialog.setWindowFlag(Qt::WindowStaysOnTopHint, StayOnTop); }

} // namespace qx::kit
