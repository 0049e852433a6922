#pragma once

#include <QString>

// Message numbers of the program's own string table (4097..4144) and the
// framework's file messages. Texts are looked up by number so that every
// refusal reads exactly the same wherever it is raised.
enum : int {
    IDP_OLE_INIT_FAILED = 4097,
    IDS_CLIPBOARD_FAILED = 4098,
    IDS_NO_DATA_TO_SHOW = 4100,
    IDS_MULTI_RANGE = 4101,
    IDS_PASTE_KIND_MISMATCH = 4102,
    IDS_PASTE_SHAPE_MISMATCH = 4103,
    IDS_CUR_SYMBOL_EMPTY = 4105,
    IDS_CUR_SYMBOL_DUPLICATE = 4106,
    IDS_NO_CARRYOVER_CATEGORY = 4108,
    IDS_CUR_IN_USE = 4109,
    IDS_CAT_IN_USE = 4110,
    IDS_CUR_BASE_UNDELETABLE = 4111,
    IDS_CAT_NAME_TOO_LONG = 4112,
    IDS_CAT_NAME_BAD_CHAR = 4113,
    IDS_CAT_NAME_DUPLICATE = 4114,
    IDS_CAT_NAME_EMPTY = 4115,
    IDS_CUR_SYMBOL_TOO_LONG = 4116,
    IDS_NEW_PASSWORD = 4117,
    IDS_PASSWORD_AGAIN = 4118,
    IDS_PASSWORD_REMOVE = 4119,
    IDS_PASSWORD_CONFIRM_MISMATCH = 4120,
    IDS_PASSWORD_MISMATCH = 4121,
    IDS_AMOUNT_INVALID = 4127,
    IDS_NOT_FOUND = 4128,
    IDS_CAT_REMARK_UNDELETABLE = 4129,
    IDS_DESC_SHORT_FOR_CATEGORIES = 4130,
    IDS_FILE_NOT_FOUND = 4131,
    IDS_VERSION_TOO_NEW = 4132,
    IDS_ERR_BALANCE = 4134,
    IDS_ERR_DATE_REVERSED = 4135,
    IDS_ERR_BUDGET_CATEGORY = 4136,
    IDS_ERR_RAW_TEXT = 4137,
    IDS_ERR_BUDGET_TWICE = 4138,
    IDS_IMPORT_FAILED = 4139,
    IDS_EXPORT_FAILED = 4140,
    IDS_ERR_EXCHANGE = 4141,
    IDS_YEN_VIEW_REFUSED = 4142,
    IDS_TOO_MANY_CURRENCIES = 4143,
    IDS_TOO_MANY_CATEGORIES = 4144,
    IDS_CUR_SYMBOL_BAD_CHAR = 4145,
    IDS_TEXT_NOT_READ_BACK = 4146, // %1: the first lines concerned

    // The framework's own file messages.
    AFX_IDP_FAILED_TO_OPEN_DOC = 0xF101,
    AFX_IDP_FAILED_TO_SAVE_DOC = 0xF102,
    AFX_IDP_FAILED_INVALID_FORMAT = 0xF10E,
};

class CStringTable
{
public:
    // The text of a message number; an empty string for a number the table lacks.
    static QString Load(int nID);
    static bool Contains(int nID);
};
