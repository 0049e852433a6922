#pragma once

#include "app/Customization.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QKeySequenceEdit;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;

// One menu of the frame as the dialog offers it: its title and its commands.
struct SCommandCategory
{
    QString strTitle;
    QList<int> commands;
};

// The customise dialog of the frame's bars and keys: it edits a copy of the
// customisation, which the frame takes over on OK.
class CCustomizeDlg : public QDialog
{
    Q_OBJECT

public:
    // Asks for a toolbar name; false when the user cancels.
    using NamePrompt = std::function<bool(const QString& strTitle, QString& strName)>;

    // actions give the texts and icons of the commands.
    CCustomizeDlg(const CCustomization& custom, const QList<SCommandCategory>& categories,
                  const QHash<int, QAction*>& actions, QWidget* pParent = nullptr);

    const CCustomization& Result() const { return m_custom; }
    // Tests answer the name question without a modal box.
    void SetNamePrompt(NamePrompt fn) { m_fnAskName = std::move(fn); }

    // A menu text as a list shows it: without its mnemonic and trailing dots.
    static QString PlainText(const QString& strMenuText);
    // Why a name cannot be taken, for the message box.
    static QString NameProblem(CCustomization::ENameCheck check);

private:
    QWidget* CreateToolBarsPage();
    QWidget* CreateCommandsPage();
    QWidget* CreateKeyboardPage();
    QWidget* CreateOptionsPage();

    QString CommandText(int nID) const;
    int SelectedBar() const;
    int ChosenButtonBar() const;
    int SelectedCommand(QListWidget* pList) const;
    void FillCommands(QListWidget* pList, int nCategory);
    bool AskName(const QString& strTitle, QString& strName, int nBar);

    void RefreshBars(int nSelect = 0);
    void RefreshButtons(int nSelectRow = -1);
    void RefreshKeys();
    void UpdateBarButtons();
    void UpdateButtonsPage();
    void UpdateKeyOwner();

    void OnNewBar();
    void OnRenameBar();
    void OnDeleteBar();
    void OnResetBar();
    void OnAddButton(int nID);
    void OnRemoveButton();
    void OnMoveButton(int nDelta);
    void OnAssignKey();
    void OnRemoveKey();
    void OnResetKeys();

    CCustomization m_custom;
    QList<SCommandCategory> m_categories;
    QHash<int, QAction*> m_actions;
    NamePrompt m_fnAskName;

    QTabWidget* m_pTabs = nullptr;
    // Toolbars page.
    QListWidget* m_pBars = nullptr;
    QPushButton* m_pNewBar = nullptr;
    QPushButton* m_pRenameBar = nullptr;
    QPushButton* m_pDeleteBar = nullptr;
    QPushButton* m_pResetBar = nullptr;
    // Commands page.
    QListWidget* m_pCategories = nullptr;
    QListWidget* m_pCommands = nullptr;
    QComboBox* m_pButtonBar = nullptr;
    QListWidget* m_pButtons = nullptr;
    QPushButton* m_pAddButton = nullptr;
    QPushButton* m_pAddSeparator = nullptr;
    QPushButton* m_pRemoveButton = nullptr;
    QPushButton* m_pMoveUp = nullptr;
    QPushButton* m_pMoveDown = nullptr;
    // Keyboard page.
    QComboBox* m_pKeyCategory = nullptr;
    QListWidget* m_pKeyCommands = nullptr;
    QListWidget* m_pCurrentKeys = nullptr;
    QKeySequenceEdit* m_pNewKey = nullptr;
    QLabel* m_pKeyOwner = nullptr;
    QPushButton* m_pAssignKey = nullptr;
    QPushButton* m_pRemoveKey = nullptr;
    QPushButton* m_pResetKeys = nullptr;
    // Options page.
    QCheckBox* m_pTextLabels = nullptr;
    QCheckBox* m_pMenuShadows = nullptr;
    QCheckBox* m_pMenuAnimation = nullptr;
};
