#pragma once

#include "model/Action.h"
#include "model/BudgetTable.h"
#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/Document.h"
#include "model/Exchg.h"
#include "model/LedgerContent.h"
#include "model/LineRange.h"
#include "model/PackedDate.h"
#include "model/RecItem.h"
#include "model/Receipt.h"
#include "memo/DailyStore.h"

#include <QCollator>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <span>
#include <unordered_map>
#include <vector>

// One open ledger: its lines, currencies and categories, the tables derived from them, the
// description index and the undo history. Every change of the lines is an action; after each
// step the whole ledger is recomputed and the views are told what changed.
//
// The lines and lists change only through actions, the list operations and Load: opening a
// file is Load() with what the reader filled, then FinishOpen().
class CCofferDoc : public CDocument
{
public:
    // Bits of m_nDocFlags, stored in the file.
    enum : std::int32_t {
        DF_BALANCE_ENTRY_ON_OPEN = 0x1,
    };
    // The top bit of m_nErrors: no exchange gives base-currency money away, so amounts
    // cannot be shown in yen.
    static constexpr std::uint32_t ERR_NO_YEN_EXCHANGE = 0x80000000u;

    CCofferDoc();
    ~CCofferDoc() override;

    // --- lifecycle ---------------------------------------------------------------------
    // A new ledger: from the pending extraction source when one is set, else the default set.
    bool OnNewDocument() override;
    void DeleteContents() override;
    // Empties the document and installs what a reader filled (lines, lists, options, memos);
    // the caller goes on with FinishOpen(), or Recompute() for a ledger that must stay as given.
    void Load(CLedgerContent&& content);
    // Hands the lines, lists, options and memos to write for the time of the call, without a
    // copy; the document holds them again when it returns (or throws).
    void LendContent(const std::function<void(const CLedgerContent&)>& write);
    // The steps after a reader filled the lists: the default set when the ledger has no
    // lines, recomputation, the description index, unmodified. Returns true when the
    // balance-entry command should be posted (the caller owns the command ids).
    bool FinishOpen();
    // The next OnNewDocument takes its lines from pSource's extraction result (m_picked)
    // and copies of its currencies and categories.
    void SetPendingSource(CCofferDoc* pSource) { m_pPendingSource = pSource; }

    // --- modified state ------------------------------------------------------------------
    bool IsModified() const override;
    // false: the current history position becomes the saved one (after save, new, open).
    void SetModifiedFlag(bool bModified = true) override;
    // The title, " *" when modified, and ":n" for a view when the document has several.
    QString GetFrameTitle(const IDocView* pView) const;

    // --- queries -------------------------------------------------------------------------
    int GetLineCount() const { return int(m_lines.size()); }
    const CReceipt* GetLine(int nPos) const;
    const std::vector<CReceipt>& Lines() const { return m_lines; }
    const std::vector<CCurFmt>& Currencies() const { return m_curs; }
    const std::vector<CCategory>& Categories() const { return m_cats; }
    QString GetCellText(int nRow, int nKind, bool bSymbol, bool bYen) const;
    // First position whose date is at or after the date; the line count when none.
    int LowerBound(PackedDate date) const;
    // Per-currency total of the register's selection; every cell counts once.
    void SumSelection(const std::vector<CLineRange>& ranges, const std::vector<int>& colKinds,
                      std::vector<Amount>& totals) const;
    // The cell tip of an amount of a foreign-currency line: the other form of the amount
    // (yen with the rate while the yen view is off, the own currency while it is on).
    QString GetTipText(int nRow, int nKind, bool bYenView) const;
    static QString TipText(const CReceipt& line, int nKind, const std::vector<CCurFmt>& curs,
                           const std::vector<CCategory>& cats, const std::vector<CExchg>* pExchg);
    // A rate as the tip shows it: 5 significant digits, a whole number keeping its point.
    static QString FormatRate(double dRate);

    // Whether a line of the ledger or of the undo history uses the entry (such entries
    // cannot be deleted).
    bool IsCurrencyInUse(int nCur) const;
    bool IsCategoryInUse(int nCat) const;

    // --- recomputation -------------------------------------------------------------------
    // Recomputes balances, checks, exchange and budget tables. Returns 1 when a date reversal
    // appeared that the previous recomputation did not find, else 0.
    int Recompute();
    // The rate of the nearest resolved exchange into nCur around entry nEntry; 0 when none.
    double FindRate(int nEntry, int nCur) const;
    std::uint32_t GetErrors() const { return m_nErrors; }
    // The ERR indicator: some line carries an error bit.
    bool HasLineErrors() const { return (m_nErrors & CReceipt::RF_ERROR_MASK) != 0; }
    // Some line's date is earlier than its predecessor's: periods cannot be cut from the
    // ledger, so the register offers only the whole-period display.
    bool HasDateReversal() const { return (m_nErrors & CReceipt::RF_DATE_REVERSED) != 0; }
    bool CanShowYen() const { return (m_nErrors & ERR_NO_YEN_EXCHANGE) == 0; }
    // Switching the yen view on: refused with message 4142 when no exchange from yen exists.
    bool RequestYenView() const;
    const std::vector<CExchg>& GetExchangeTable() const { return m_exchg; }
    const CBudgetTable& GetBudgetTable() const { return m_budget; }
    PackedDate GetFirstMonth() const { return m_firstMonth; }
    PackedDate GetLastMonth() const { return m_lastMonth; }

    // --- description index ---------------------------------------------------------------
    void AddToIndex();
    void AddToIndex(std::span<const CReceipt> lines);
    void AddToIndex(int nFirstRow, int nCount);
    const std::vector<CRecItem>& GetRecItems() const
    {
        EnsureIndex();
        return m_recItems;
    }
    // Position of the item with exactly this text, -1 when none.
    int FindRecItem(QStringView text) const;
    // The index order: Japanese collation, ties broken by code units.
    bool RecItemLess(const QString& a, const QString& b) const;

    // --- lists ---------------------------------------------------------------------------
    // prevPositions[n] is the former position of new entry n, or a value at or beyond the
    // former size for an added entry. Not undoable: sets the modified flag.
    bool ReplaceCurrencies(std::vector<CCurFmt> curs, const std::vector<int>& prevPositions);
    bool ReplaceCategories(std::vector<CCategory> cats, const std::vector<int>& prevPositions);
    // Entries added at the end (the record dialog's "他の通貨..." / "他の費目..."): no line
    // changes, so nothing is recomputed. False, and nothing added, past the list limit.
    bool AppendCurrencies(const std::vector<CCurFmt>& curs);
    bool AppendCategories(const std::vector<CCategory>& cats);
    std::uint32_t GetCurrencyStamp() const { return m_dwCurTick; }
    std::uint32_t GetCategoryStamp() const { return m_dwCatTick; }

    // --- undo history --------------------------------------------------------------------
    // Takes the action over (the given one is left empty) and pushes it as a group of one.
    bool PushAction(CAction&& action);
    // Pushes the actions as one group and executes it. A group whose positions do not fit
    // the ledger is refused (false) and nothing changes.
    bool PushGroup(std::vector<CAction>&& actions);
    // One group each. Every step is told to the views as it is applied; the ledger is
    // recomputed once per group, before the notice of its last step, so during the earlier
    // notices of a group the lines are current but their computed fields are not.
    void Redo();
    void Undo();
    bool CanRedo() const { return m_nActPos < int(m_actions.size()); }
    bool CanUndo() const { return m_nActPos > 0; }
    // Names for the undo (bUndo) or redo list, one per group, nearest first.
    QStringList GetActionNames(bool bUndo) const;
    int GetActionPos() const { return m_nActPos; }
    int GetSavedPos() const { return m_nActSaved; }
    const std::vector<CAction>& GetActions() const { return m_actions; }

    // Moves cells or whole rows of the register by dragging: range is the moved block in
    // the columns of sourceKinds (the dragging view's layout), (nTargetCol, nTargetRow) the
    // target's first cell in the columns of targetKinds (the view dropped on; two views of one
    // ledger may lay out their columns differently). Whole rows: nTargetCol INSERT_AT /
    // INSERT_AFTER the target row. Shows message 4102 when a cell kind cannot take its
    // source. Returns whether an action was pushed.
    bool MoveRange(const CLineRange& range, const std::vector<int>& sourceKinds, const std::vector<int>& targetKinds,
                   int nTargetCol, int nTargetRow);
    // A move within one layout.
    bool MoveRange(const CLineRange& range, const std::vector<int>& colKinds, int nTargetCol, int nTargetRow)
    {
        return MoveRange(range, colKinds, colKinds, nTargetCol, nTargetRow);
    }

    // --- data ----------------------------------------------------------------------------
    QString m_strPassword;
    std::int32_t m_nDocFlags = 0;
    std::vector<CReceipt> m_picked; // the last extraction result
    // The calendar memos with their column titles and their own undo history; its steps
    // reach the views as memo notices.
    CDailyStore m_memo;

private:
    struct CTextHash
    {
        using is_transparent = void;
        std::size_t operator()(QStringView text) const noexcept { return qHash(text); }
    };
    struct CTextEqual
    {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const noexcept { return a == b; }
    };

    // Step primitives: each keeps the count of date reversals current.
    void InsertLines(int nPos, std::vector<CReceipt>& lines);
    void RemoveLines(int nPos, int nCount, std::vector<CReceipt>& into);
    void ExchangeLines(int nPos, std::vector<CReceipt>& held);
    void RotateLines(int nFirst, int nMiddle, int nLast);
    int CountReversals(int nFirst, int nLast) const;

    bool CheckGroup(std::vector<CAction>& actions) const;
    // Applies one step and returns its notice.
    UpdateHint ApplyRedo(CAction& action);
    UpdateHint ApplyUndo(CAction& action);
    // Recomputes and tells the views once for a whole group.
    void NotifyGroup(UpdateHint hint, bool bHadReversal);

    void AddDefaultSet();
    void RebuildBudgets(const std::vector<CBudgetTable::CBudgetLine>& budgetLines);
    void RebuildRecLookup();
    void InsertRecItems(std::vector<CRecItem>& items);

    std::vector<CReceipt> m_lines;
    std::vector<CCurFmt> m_curs;
    std::vector<CCategory> m_cats;

    std::vector<CExchg> m_exchg;
    PackedDate m_firstMonth = 0;
    PackedDate m_lastMonth = 0;
    std::uint32_t m_nErrors = 0;
    CBudgetTable m_budget;
    int m_nReversals = 0; // lines dated earlier than their predecessor

    std::vector<CRecItem> m_recItems; // sorted by RecItemLess
    std::unordered_map<QString, int, CTextHash, CTextEqual> m_recLookup; // text -> position
    // An opened ledger's index is built when first needed: by its first reader, or before
    // the first change of the lines or lists, so that it holds what it would have held if
    // built at the open (a long ledger opens a third of a second sooner).
    mutable bool m_bIndexPending = false;
    void EnsureIndex() const;
    QCollator m_collator;

    std::uint32_t m_dwCurTick = 0;
    std::uint32_t m_dwCatTick = 0;

    std::vector<CAction> m_actions;
    int m_nActPos = 0;
    int m_nActSaved = 0; // -1 when the saved state is no longer reachable

    CCofferDoc* m_pPendingSource = nullptr;
};
