#include "common/StopDialogs.h"

#include "resources/dialog_ids.h"

CQueryCancelDialog::CQueryCancelDialog(HWND parent) : CMessageDialog(IDD_QUERY_CANCEL, parent) {}

CErrorExitDialog::CErrorExitDialog(const std::string& product, HWND parent) : CMessageDialog(IDD_ERROR_EXIT, parent) {
    FillFormat(IDC_MESSAGE_TEXT, product);
    FillFormat(IDC_MESSAGE_TEXT2, product);
}
