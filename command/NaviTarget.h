#pragma once

#include "model/PackedDate.h"

#include <QStringList>

// Kinds of document window, in the order of the view commands 32783..32786.
enum : int { VIEW_REGISTER = 0, VIEW_SUMMARY = 1, VIEW_GRAPH = 2, VIEW_MEMO = 3 };

// What the navigation pane reads from the active view, already in the pane's
// terms: the register gives its period mode (0 when at 2 or above), its
// cursor date and 1 for the yen display; the summary and graph give the
// document's first date when their mode is "all"; the graph caps its mode at 2.
struct SNaviState
{
    int nKind = -1;
    int nMode = 0;
    PackedDate date = 0;
    int nCurrency = 0;
    int nCategory = -1;
    // The date that "日付の同期" puts in the calendar.
    PackedDate syncDate = 0;
};

// Implemented by the views that the navigation pane drives. The pane's
// requests arrive after the current event, as posted messages do.
class INaviTarget
{
public:
    virtual ~INaviTarget() = default;

    virtual SNaviState NaviState() const = 0;

    // The currency tree of the summary and graph views: the document's
    // currency list with its change stamp; names fall back to symbols.
    virtual int NaviCurrencyStamp() const { return 1; }
    virtual QStringList NaviCurrencyNames() const { return {}; }
    // The graph's category tree: the titles of its summary columns.
    virtual int NaviCategoryStamp() const { return 1; }
    virtual QStringList NaviCategoryTitles() const { return {}; }

    // A spin step or a calendar day (packed date).
    virtual void OnNaviDate(PackedDate date) {}
    // A currency tree item's value.
    virtual void OnNaviCurrency(int nValue) {}
    // A category tree item's value.
    virtual void OnNaviCategory(int nValue) {}
};
