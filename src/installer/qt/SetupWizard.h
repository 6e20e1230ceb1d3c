#pragma once
// The install wizard: the folder page, the options page (skipped for a resident program) and the copy
// page, which runs the engine's steps one by one from the event loop so that the window stays alive.

#include <QWizard>
#include <QWizardPage>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;

namespace qx {

class TSetup;

class TSetupWizard : public QWizard {
    Q_OBJECT
public:
    enum { FolderPageId, OptionsPageId, CopyPageId };

    explicit TSetupWizard(TSetup& setup, QWidget* parent = nullptr);
    int nextId() const override;
    void accept() override;
    void reject() override;

private:
    TSetup& FSetup;
};

class TFolderPage : public QWizardPage {
    Q_OBJECT
public:
    explicit TFolderPage(TSetup& setup);
    void initializePage() override;
    bool validatePage() override;
    QLineEdit* FolderEdit() const { return FEdit; }

private:
    void BrowseClick();

    TSetup& FSetup;
    QLineEdit* FEdit;
};

class TOptionsPage : public QWizardPage {
    Q_OBJECT
public:
    explicit TOptionsPage(TSetup& setup);
    bool validatePage() override;

private:
    TSetup& FSetup;
    QCheckBox* FStartMenu;
    QCheckBox* FDesktop;
};

class TCopyPage : public QWizardPage {
    Q_OBJECT
public:
    explicit TCopyPage(TSetup& setup);
    void initializePage() override;
    bool isComplete() const override;

private:
    void RunStep(int step);

    TSetup& FSetup;
    QProgressBar* FProgress;
    QLabel* FText;
    QLabel* FHint;  // how to uninstall, under the result
    bool FDone = false;
};

} // namespace qx
